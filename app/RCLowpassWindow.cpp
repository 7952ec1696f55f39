#include "quellix/app/RCLowpassWindow.h"

namespace quellix::RCTief_Unit {

TRCTief_Demo::TRCTief_Demo(TComponentCore* AOwner)
    : TFilterDemo(QStringLiteral("TRCTief_Demo"), tr("TRCLowpass Demo"), QStringLiteral("TRCLowpass"),
                  tr(
                      "Ein RC-Tiefpass erster Ordnung filtert ein Rechtecksignal, dessen Frequenz zwischen 2 "
                      "und 25 Hz hin- und herläuft. Die Flanken werden zu e-Funktionen verschliffen.\n"
                      "Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 2 und 25 Hz eingestellt."),
                  AOwner) {
  RCLowpass1 = new Rclow::TRCLowpass(this);
  RCLowpass1->SetName(QStringLiteral("RCLowpass1"));
  AttachFilter(RCLowpass1, 2, 25, 2);
}

void TRCTief_Demo::RunFilter(Single* Data, Integer Count) {
  RCLowpass1->Reset();
  RCLowpass1->Filter(Data, Count);
}

}  // namespace quellix::RCTief_Unit
