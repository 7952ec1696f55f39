// The title dialog: four edits typed straight into the titles, six font
// buttons, copies of everything for Cancel.
#include "quellix/histograph/TitleDialog.h"

#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "quellix/histograph/HistographEngine.h"

namespace quellix::Eft {

bool ExecFontDialog(TFont& Font, bool TrueTypeOnly) {
  QFontDialog D(Font.ToQFont());
  QFontDialog::FontDialogOptions Options;
  if (TrueTypeOnly) Options |= QFontDialog::ScalableFonts;
  D.setOptions(Options);
  if (D.exec() != QDialog::Accepted) return false;
  const QFont F = D.selectedFont();
  Font.SetName(F.family());
  if (F.pixelSize() > 0)
    Font.SetHeight(-F.pixelSize());
  else
    Font.SetSize(F.pointSize());
  TFontStyles S = 0;
  if (F.bold()) S |= fsBold;
  if (F.italic()) S |= fsItalic;
  if (F.underline()) S |= fsUnderline;
  if (F.strikeOut()) S |= fsStrikeOut;
  Font.SetStyle(S);
  return true;
}

TFormTitle::TFormTitle(TComponentCore* AOwner, QWidget* AParent)
    : TForm(AOwner, AParent), RunFontDialog(ExecFontDialog) {
  SetCaption(QStringLiteral("Beschriftung"));
  setFixedSize(330, 250);
  auto* Box = new QGroupBox(QStringLiteral("Beschriftung"), this);
  Box->setGeometry(8, 8, 314, 196);

  struct Row {
    const char* Label;
    QLineEdit** Edit;
    const char* ButtonName;
  };
  const Row Rows[] = {{"unten:", &EBottom, "ButtonBottom"}, {"oben:", &ETop, "ButtonTop"},
                      {"links:", &ELeft, "ButtonLeft"},     {"rechts:", &ERight, "ButtonRight"},
                      {"X-Achse:", nullptr, "ButtonXAxis"}, {"Y-Achse:", nullptr, "ButtonYAxis"}};
  for (int i = 0; i < 6; ++i) {
    const int Y = 22 + i * 28;
    auto* L = new QLabel(QString::fromUtf8(Rows[i].Label), Box);
    L->setGeometry(10, Y + 3, 56, 18);
    if (Rows[i].Edit) {
      auto* E = new QLineEdit(Box);
      E->setGeometry(70, Y, 140, 22);
      *Rows[i].Edit = E;
    }
    auto* B = new QPushButton(QStringLiteral("Schriftart"), Box);
    B->setObjectName(QString::fromLatin1(Rows[i].ButtonName));
    B->setGeometry(218, Y, 86, 22);
    FontButtons[i] = B;
    const auto Which = static_cast<TTitleFont>(i);
    connect(B, &QPushButton::clicked, this, [this, Which] { FontButtonClick(Which); });
  }
  EBottom->setObjectName(QStringLiteral("EBottom"));
  ETop->setObjectName(QStringLiteral("ETop"));
  ELeft->setObjectName(QStringLiteral("ELeft"));
  ERight->setObjectName(QStringLiteral("ERight"));

  // Every change of an edit goes to its title at once.
  const auto Bind = [this](QLineEdit* E, void (HistoInt::THistographInt::*Set)(const QString&)) {
    connect(E, &QLineEdit::textChanged, this, [this, Set](const QString& T) {
      if (FHisto && !FFilling) (FHisto->*Set)(T);
    });
  };
  Bind(EBottom, &HistoInt::THistographInt::SetTitleBottom);
  Bind(ETop, &HistoInt::THistographInt::SetTitleTop);
  Bind(ELeft, &HistoInt::THistographInt::SetTitleLeft);
  Bind(ERight, &HistoInt::THistographInt::SetTitleRight);

  auto* Ok = new QPushButton(QStringLiteral("OK"), this);
  Ok->setGeometry(150, 214, 80, 26);
  Ok->setDefault(true);
  connect(Ok, &QPushButton::clicked, this, [this] { OkClick(); });
  auto* Cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
  Cancel->setGeometry(240, 214, 80, 26);
  connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

void TFormTitle::showEvent(QShowEvent* Event) {
  FormShow();
  TForm::showEvent(Event);
}

TFont& TFormTitle::HistoFont(TTitleFont Which) {
  switch (Which) {
    case tfBottom: return FHisto->FontTitleBottom();
    case tfTop: return FHisto->FontTitleTop();
    case tfLeft: return FHisto->FontTitleLeft();
    case tfRight: return FHisto->FontTitleRight();
    case tfXAxis: return FHisto->FontXAxis();
    case tfYAxis: break;
  }
  return FHisto->FontYAxis();
}

void TFormTitle::SetHistoFont(TTitleFont Which, const TFont& F) {
  switch (Which) {
    case tfBottom: FHisto->SetFontTitleBottom(F); break;
    case tfTop: FHisto->SetFontTitleTop(F); break;
    case tfLeft: FHisto->SetFontTitleLeft(F); break;
    case tfRight: FHisto->SetFontTitleRight(F); break;
    case tfXAxis: FHisto->SetFontXAxis(F); break;
    case tfYAxis: FHisto->SetFontYAxis(F); break;
  }
}

void TFormTitle::FormShow() {
  if (!FHisto) return;
  FFilling = true;
  EBottom->setText(FHisto->TitleBottom());
  ETop->setText(FHisto->TitleTop());
  ELeft->setText(FHisto->TitleLeft());
  ERight->setText(FHisto->TitleRight());
  FFilling = false;
  FTitles = {FHisto->TitleBottom(), FHisto->TitleTop(), FHisto->TitleLeft(), FHisto->TitleRight()};
  for (int i = 0; i < 6; ++i) FFonts[i].Assign(HistoFont(static_cast<TTitleFont>(i)));
  FCopied = true;
}

void TFormTitle::FontButtonClick(TTitleFont Which) {
  if (!FHisto || !RunFontDialog) return;
  TFont F(HistoFont(Which));
  // The side titles are drawn turned, which needs a scalable font.
  if (RunFontDialog(F, Which == tfLeft || Which == tfRight)) SetHistoFont(Which, F);
}

void TFormTitle::done(int Result) {
  if (FHisto && FCopied && Result != mrOk) {
    FHisto->SetTitleBottom(FTitles[0]);
    FHisto->SetTitleTop(FTitles[1]);
    FHisto->SetTitleLeft(FTitles[2]);
    FHisto->SetTitleRight(FTitles[3]);
    for (int i = 0; i < 6; ++i) SetHistoFont(static_cast<TTitleFont>(i), FFonts[i]);
  }
  FCopied = false;
  TForm::done(Result);
}

}  // namespace quellix::Eft
