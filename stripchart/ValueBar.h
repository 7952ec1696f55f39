// TFormCalculateBarStrip: the value bar "Anzeige: " of the strip chart.
// It shows what the crosses of the chart measure; the chart fills it.
#pragma once

#include <QGroupBox>
#include <QLabel>

#include "quellix/host/Controls.h"

namespace quellix::StrpChrtInt { class TStripChartInt; }

namespace quellix::_sEca {

class TFormCalculateBarStrip : public TForm {
  Q_OBJECT
public:
  explicit TFormCalculateBarStrip(StrpChrtInt::TStripChartInt* Chart, QWidget* AParent = nullptr);
  // Cross 1 or 2: series number, time and value texts.
  void ShowCross(Integer Cross, Integer Series, const QString& Time, const QString& Value);
  void ShowDeltas(const QString& DeltaX, const QString& DeltaY, const QString& InvDeltaX);
  // The second cross and the calculation groups.
  void SetGroupsEnabled(bool Value);

  QGroupBox* GroupCross1;
  QGroupBox* GroupCross2;
  QGroupBox* GroupCalculate;
  QLabel *Series1, *X1, *Y1, *Series2, *X2, *Y2;
  QLabel *deltax, *deltay, *invdeltax;

protected:
  void hideEvent(QHideEvent* Event) override;

private:
  StrpChrtInt::TStripChartInt* FChart;
};

}  // namespace quellix::_sEca
