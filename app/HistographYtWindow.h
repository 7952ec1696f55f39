// The Yt histograph window: a noisy sine between an upper and a lower
// reference curve (series 2 and 3, red) that the histograph's own timer
// renews while it runs. "&Start" and "S&top" switch the timer; only one of
// the two is enabled at a time.
//
// "&Werkzeuge" stays disabled until the histograph has its tool bar.
#pragma once

#include <QPushButton>
#include <array>

#include "quellix/app/DemoWindow.h"
#include "quellix/histograph/HistographSink.h"

namespace quellix::HistoYt_Unit {

class THisto2_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  static constexpr Integer kPointCount = 256;

  explicit THisto2_Demo(TComponentCore* AOwner = nullptr);

  Histo::THistograph* Histograph1;
  QPushButton* Start;
  QPushButton* Stop;
  QPushButton* Werkzeuge;

  // Showing: timer off, the three series set up, the reference band drawn.
  void FormShow();
  // One tick: series 1 := sin(i * 0.0625) + 0.5 r - 0.2, i = 1 .. 256.
  void Histograph1Timer(TObject* Sender);
  void StartClick();
  void StopClick();
  void WerkzeugeClick();
  // Closing: the timer stops, the tool bar and value bar are hidden.
  void FormClose();

  const std::array<Single, kPointCount>& Data() const { return FData; }

private:
  std::array<Single, kPointCount> FData{};  // series 1, shown in place
};

}  // namespace quellix::HistoYt_Unit
