#include "quellix/stripchart/TitleDialog.h"

#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::_sEft {

using StrpChrtInt::TStripChartInt;

TFormTitleStrip::TFormTitleStrip(TComponentCore* AOwner, QWidget* AParent) : TForm(AOwner, AParent) {
  SetCaption(QStringLiteral("Beschriftung"));
  auto* Col = new QVBoxLayout(this);
  auto* Box = new QGroupBox(QStringLiteral("Beschriftung"), this);
  auto* Grid = new QGridLayout(Box);
  const char* Rows[6] = {"unten:", "oben:", "links:", "rechts:", "X-Achse:", "Y-Achse:"};
  std::array<QLineEdit**, 4> Edits{&EBottom, &ETop, &ELeft, &ERight};
  for (int i = 0; i < 6; ++i) {
    Grid->addWidget(new QLabel(QString::fromLatin1(Rows[i]), Box), i, 0);
    if (i < 4) {
      *Edits[i] = new QLineEdit(Box);
      (*Edits[i])->setMinimumWidth(180);
      Grid->addWidget(*Edits[i], i, 1);
    }
    FontButtons[i] = new QPushButton(QStringLiteral("Schriftart"), Box);
    Grid->addWidget(FontButtons[i], i, 2);
    connect(FontButtons[i], &QPushButton::clicked, this, [this, i] { FontButtonClick(static_cast<TFontSlot>(i)); });
  }
  Col->addWidget(Box);
  auto* Buttons = new QHBoxLayout;
  auto* OK = new QPushButton(QStringLiteral("OK"), this);
  auto* Cancel = new QPushButton(QStringLiteral("Cancel"), this);
  Buttons->addStretch();
  Buttons->addWidget(OK);
  Buttons->addWidget(Cancel);
  Col->addLayout(Buttons);
  connect(OK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  // Typing sets the title at once (the top title also renames the tool
  // windows).
  connect(EBottom, &QLineEdit::textChanged, this, [this](const QString& S) { if (Chart && FShowing) Chart->SetTitleBottom(S); });
  connect(ETop, &QLineEdit::textChanged, this, [this](const QString& S) { if (Chart && FShowing) Chart->SetTitleTop(S); });
  connect(ELeft, &QLineEdit::textChanged, this, [this](const QString& S) { if (Chart && FShowing) Chart->SetTitleLeft(S); });
  connect(ERight, &QLineEdit::textChanged, this, [this](const QString& S) { if (Chart && FShowing) Chart->SetTitleRight(S); });
  FontDialog = [this](const TFont& Current, bool TrueTypeOnly) {
    QFontDialog::FontDialogOptions Options;
    if (TrueTypeOnly) Options |= QFontDialog::ScalableFonts;
    bool Ok = false;
    const QFont F = QFontDialog::getFont(&Ok, Current.ToQFont(), this, QString(), Options);
    TFont Result = Current;
    if (Ok) {
      Result.SetName(F.family());
      if (F.pixelSize() > 0) Result.SetHeight(-F.pixelSize()); else Result.SetSize(F.pointSize());
    }
    return Result;
  };
  OnShow = [this](TObject*) { FormShow(); };
}

TFormTitleStrip::~TFormTitleStrip() = default;

TFont& TFormTitleStrip::ChartFont(TFontSlot Slot) {
  switch (Slot) {
    case fsBottom: return Chart->FontTitleBottom();
    case fsTop: return Chart->FontTitleTop();
    case fsLeft: return Chart->FontTitleLeft();
    case fsRight: return Chart->FontTitleRight();
    case fsXAxis: return Chart->FontXAxis();
    case fsYAxis: break;
  }
  return Chart->FontYAxis();
}

void TFormTitleStrip::FormShow() {
  if (!Chart) return;
  FShowing = false;
  FSavedTitles = {Chart->TitleBottom(), Chart->TitleTop(), Chart->TitleLeft(), Chart->TitleRight()};
  for (int i = 0; i < 6; ++i) FSavedFonts[i].Assign(ChartFont(static_cast<TFontSlot>(i)));
  EBottom->setText(FSavedTitles[0]);
  ETop->setText(FSavedTitles[1]);
  ELeft->setText(FSavedTitles[2]);
  ERight->setText(FSavedTitles[3]);
  FShowing = true;
}

// The side titles are drawn turned, which needs outline fonts.
void TFormTitleStrip::FontButtonClick(TFontSlot Slot) {
  if (!Chart || !FontDialog) return;
  const TFont Chosen = FontDialog(ChartFont(Slot), Slot == fsLeft || Slot == fsRight);
  switch (Slot) {
    case fsBottom: Chart->SetFontTitleBottom(const_cast<TFont*>(&Chosen)); break;
    case fsTop: Chart->SetFontTitleTop(const_cast<TFont*>(&Chosen)); break;
    case fsLeft: Chart->SetFontTitleLeft(const_cast<TFont*>(&Chosen)); break;
    case fsRight: Chart->SetFontTitleRight(const_cast<TFont*>(&Chosen)); break;
    case fsXAxis: Chart->SetFontXAxis(const_cast<TFont*>(&Chosen)); break;
    case fsYAxis: Chart->SetFontYAxis(const_cast<TFont*>(&Chosen)); break;
  }
}

void TFormTitleStrip::done(int Result) {
  if (Result == mrCancel && Chart && FShowing) {
    Chart->SetTitleBottom(FSavedTitles[0]);
    Chart->SetTitleTop(FSavedTitles[1]);
    Chart->SetTitleLeft(FSavedTitles[2]);
    Chart->SetTitleRight(FSavedTitles[3]);
    Chart->SetFontTitleBottom(&FSavedFonts[fsBottom]);
    Chart->SetFontTitleTop(&FSavedFonts[fsTop]);
    Chart->SetFontTitleLeft(&FSavedFonts[fsLeft]);
    Chart->SetFontTitleRight(&FSavedFonts[fsRight]);
    Chart->SetFontXAxis(&FSavedFonts[fsXAxis]);
    Chart->SetFontYAxis(&FSavedFonts[fsYAxis]);
  }
  FShowing = false;
  TForm::done(Result);
}

}  // namespace quellix::_sEft
