// The strip chart window: an eight-channel recorder fed by Timer1 with ten
// samples per channel and tick, which can log what it shows to a data file
// ("&Aufnehmen") and play a logged file back ("W&iedergeben"). The
// information box shows the series and value under the measuring cross.
//
// The timer runs while the window is shown. "&Werkzeugleiste" shows and
// hides the strip chart's tool bar.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "quellix/app/DemoWindow.h"
#include "quellix/stripchart/StripChartSink.h"

namespace quellix::Stripchart_Unit {

class TStripchart_Demo : public app::TDemoWindow {
  Q_OBJECT
public:
  explicit TStripchart_Demo(TComponentCore* AOwner = nullptr);
  // Ends a running log before the chart goes.
  ~TStripchart_Demo() override;

  StrpChrt::TStripChart* StripChart1;
  TTimer* Timer1;
  QPushButton* Aufnehmen;
  QPushButton* Wiedergeben;
  QPushButton* Werkzeugleiste;
  QGroupBox* InfoBox;
  QLabel* Kurve;      // series number under the cross
  QLabel* Spannung;   // its value, "12.34 V"

  // Ten samples of each of the eight channels: channel k = 2 r + 10 k - 5.
  void Timer1Timer(TObject* Sender);
  // The buttons: each ends logging and playback, then asks for a file.
  void AufnehmenClick();
  void WiedergebenClick();
  // What the buttons do with the chosen file (an empty name: nothing).
  // Recording starts a run with the comment "Kein Kommentar" and the timer.
  void StartRecording(const QString& FileName);
  void StartPlayback(const QString& FileName);
  // The measuring cross moved onto sample Index of series Series.
  void StripChart1CrossMove(TObject* Sender, Single X, Single Y, Integer Series, Integer Index);
  // Closing: the jog shuttle, value bar and tool bar are hidden, the timer
  // stops, pending messages are handled, logging ends.
  void FormClose();

private:
  // Every error of the chart is shown in a message box; none leaves a
  // handler of the window.
  static void ShowError(const Exception& E);
  // Ends logging and playback; false (after showing why) when ending the
  // run failed.
  bool StopFiles();
};

}  // namespace quellix::Stripchart_Unit
