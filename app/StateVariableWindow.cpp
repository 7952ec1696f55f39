#include "quellix/app/StateVariableWindow.h"

namespace quellix::SVFilter_Unit {

TSVFilter_Demo::TSVFilter_Demo(TComponentCore* AOwner)
    : TFilterDemo(QStringLiteral("TSVFilter_Demo"), tr("TStateVariableFilter Demo"), QStringLiteral("TStateVariableFilter"),
                  tr(
                      "Ein Zustandsvariablen-Filter (Bandpass, Güte 2) filtert ein Rechtecksignal, dessen "
                      "Frequenz zwischen 2 und 25 Hz hin- und herläuft und schwingt nahe seiner Mittenfrequenz mit.\n"
                      "Mit dem Regler „Eckfrequenz“ wird die Mittenfrequenz zwischen 2 und 25 Hz eingestellt."),
                  AOwner) {
  StateVariableFilter1 = new SVFilt::TStateVariableFilter(this);
  StateVariableFilter1->SetName(QStringLiteral("StateVariableFilter1"));
  StateVariableFilter1->SetQ(2);
  StateVariableFilter1->SetFilterOutput(SVFilt::foBandPass);
  // At resonance the band-pass gives back Q times the fundamental, about 3.
  Histograph1->SetViewYMin(-4);
  Histograph1->SetViewYMax(4);
  AttachFilter(StateVariableFilter1, 2, 25, 2);
}

void TSVFilter_Demo::RunFilter(Single* Data, Integer Count) {
  StateVariableFilter1->Reset();
  StateVariableFilter1->Filter(Data, Count);
}

}  // namespace quellix::SVFilter_Unit
