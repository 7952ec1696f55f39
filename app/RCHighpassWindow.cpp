#include "quellix/app/RCHighpassWindow.h"

namespace quellix::RCHoch_Unit {

TRCHoch_Demo::TRCHoch_Demo(TComponentCore* AOwner)
    : TFilterDemo(QStringLiteral("TRCHoch_Demo"), tr("TRCHighpass Demo"), QStringLiteral("TRCHighpass"),
                  tr(
                      "Ein RC-Hochpass erster Ordnung filtert ein Rechtecksignal, dessen Frequenz zwischen 2 "
                      "und 25 Hz hin- und herläuft. Die Flanken kommen durch, die Dächer klingen ab.\n"
                      "Mit dem Regler „Eckfrequenz“ wird die Grenzfrequenz zwischen 2 und 25 Hz eingestellt."),
                  AOwner) {
  RCHighpass1 = new Rchigh::TRCHighpass(this);
  RCHighpass1->SetName(QStringLiteral("RCHighpass1"));
  AttachFilter(RCHighpass1, 2, 25, 2);
}

void TRCHoch_Demo::RunFilter(Single* Data, Integer Count) {
  RCHighpass1->Reset();
  RCHighpass1->Filter(Data, Count);
}

}  // namespace quellix::RCHoch_Unit
