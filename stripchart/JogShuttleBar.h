/// TFormJogShuttleBarStrip: the jog shuttle of the strip chart. A spring
/// slider winds the window through a logged or played run, faster the
/// farther it is pulled; buttons jump to the start and the end; the remark
/// box jumps to a remark. \file
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "quellix/host/Controls.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }

namespace quellix::_sEjs {

class TFormJogShuttleBarStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormJogShuttleBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent = nullptr);

  /// Slider enabled while logging or playing; the timer at 20 ms then, at
  /// 500 ms otherwise.
  void UpdateFileState();
  /// One timer tick: the remark box and labels, then the winding.
  void Timer1Timer();
  /// Samples the window moves per tick for a slider value.
  static Double WindSamples(Integer SliderValue);
  void BStartClick();
  void BEndClick();
  void CCommentsChange(int Index);

  QSlider* JogShuttle;
  QComboBox* CComments;
  QLabel* LNumber;
  QLabel* LComment;
  QPushButton* BStart;
  QPushButton* BEnd;
  TTimer* Timer1;

protected:
  void hideEvent(QHideEvent* Event) override;

private:
  StrpChrtInt::TStripChartInt* FChart;
  Integer FShownRun = -1;
  QString FShownComment;
  bool FFilling = false;
};

}  ///< namespace quellix::_sEjs
