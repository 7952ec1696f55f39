#include "quellix/charttools/TitleDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "quellix/host/FontDialog.h"

namespace quellix::ChartTools {

bool ExecFontDialog(TFont& Font, bool TrueTypeOnly) { return ChooseFont(Font, TrueTypeOnly); }

TTitleDialog::TTitleDialog(TComponentCore* AOwner, QWidget* AParent)
    : TPropertyDialog(tr("Beschriftung"), AOwner, AParent) {
  auto* Box = new QGroupBox(tr("Beschriftung"), this);
  auto* Grid = new QGridLayout(Box);
  struct Row {
    const char* Label;
    QLineEdit** Edit;
    const char* EditName;
    const char* ButtonName;
  };
  const Row Rows[6] = {{QT_TR_NOOP("unten:"), &EBottom, "EBottom", "ButtonBottom"}, {QT_TR_NOOP("oben:"), &ETop, "ETop", "ButtonTop"},
                       {QT_TR_NOOP("links:"), &ELeft, "ELeft", "ButtonLeft"}, {QT_TR_NOOP("rechts:"), &ERight, "ERight", "ButtonRight"},
                       {QT_TR_NOOP("X-Achse:"), nullptr, "", "ButtonXAxis"}, {QT_TR_NOOP("Y-Achse:"), nullptr, "", "ButtonYAxis"}};
  for (int i = 0; i < 6; ++i) {
    const auto Which = static_cast<TTitleFont>(i);
    Grid->addWidget(new QLabel(tr(Rows[i].Label), Box), i, 0);
    if (Rows[i].Edit) {
      auto* E = new QLineEdit(Box);
      E->setObjectName(QString::fromLatin1(Rows[i].EditName));
      E->setMinimumWidth(E->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28);
      Grid->addWidget(E, i, 1);
      *Rows[i].Edit = E;
      // Typing goes to the title at once (the top title also renames the
      // chart's tool windows).
      connect(E, &QLineEdit::textChanged, this, [this, Which](const QString& T) {
        if (Live()) SetChartTitle(Which, T);
      });
    }
    auto* B = new QPushButton(tr("Schriftart"), Box);
    B->setObjectName(QString::fromLatin1(Rows[i].ButtonName));
    Grid->addWidget(B, i, 2);
    FontButtons[i] = B;
    connect(B, &QPushButton::clicked, this, [this, Which] { FontButtonClick(Which); });
  }
  Body()->addWidget(Box);
}

std::vector<TRestore> TTitleDialog::Save() {
  std::vector<TRestore> R;
  for (int i = tfBottom; i <= tfRight; ++i) {
    const auto Which = static_cast<TTitleFont>(i);
    R.push_back([this, Which, T = ChartTitle(Which)] { SetChartTitle(Which, T); });
  }
  for (int i = tfBottom; i <= tfYAxis; ++i) {
    const auto Which = static_cast<TTitleFont>(i);
    R.push_back([this, Which, F = TFont(ChartFont(Which))] { SetChartFont(Which, F); });
  }
  return R;
}

void TTitleDialog::Fill() {
  for (int i = tfBottom; i <= tfRight; ++i) Edits()[i]->setText(ChartTitle(static_cast<TTitleFont>(i)));
}

void TTitleDialog::FontButtonClick(TTitleFont Which) {
  if (!HasChart() || !RunFontDialog) return;
  TFont F(ChartFont(Which));
  // The side titles are drawn turned, which needs a scalable font.
  if (RunFontDialog(F, Which == tfLeft || Which == tfRight)) SetChartFont(Which, F);
}

}  // namespace quellix::ChartTools
