#include "quellix/app/IIRWindow.h"

namespace quellix::IIR_Unit {

TIIR_Demo::TIIR_Demo(TComponentCore* AOwner)
    : TFilterDemo(QStringLiteral("TIIR_Demo"), tr("TIIRFilter Demo"), QStringLiteral("TIIRFilter"),
                  tr(
                      "Ein Butterworth-Tiefpass vierter Ordnung filtert ein Rechtecksignal, dessen Frequenz "
                      "zwischen 2 und 25 Hz hin- und herläuft. Nahe der Grenzfrequenz bleibt die Grundwelle "
                      "übrig.\n"
                      "Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 5 und 50 Hz eingestellt."),
                  AOwner) {
  IIRFilter1 = new IIRFilt::TIIRFilter(this);
  IIRFilter1->SetName(QStringLiteral("IIRFilter1"));
  IIRFilter1->SetOrder(4);
  AttachFilter(IIRFilter1, 5, 50, 10);
}

void TIIR_Demo::RunFilter(Single* Data, Integer Count) {
  IIRFilter1->Reset();
  IIRFilter1->Filter(Data, Count);
}

}  // namespace quellix::IIR_Unit
