#include "quellix/host/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

namespace quellix {

namespace {

// Names of the 16 standard colours, in palette order (entries 0..7 and
// 12..19 of the system palette).
const char* const StandardColorNames[16] = {"Schwarz", "Kastanienbraun", "Grün",  "Olivgrün", "Marineblau", "Violett",
                                            "Petrol",  "Grau",           "Silber", "Rot",      "Hellgrün",   "Gelb",
                                            "Blau",    "Fuchsia",        "Aquamarin", "Weiß"};

TColor StandardColor(int I) { return SystemPaletteEntry(I < 8 ? I : I + 4); }

// The group of the dialog that holds the underline and strikeout boxes.
QGroupBox* EffectsGroup(QFontDialog& D) {
  for (QGroupBox* G : D.findChildren<QGroupBox*>())
    if (!G->findChildren<QCheckBox*>().isEmpty()) return G;
  return nullptr;
}

}  // namespace

std::vector<TFontColorChoice> FontColorChoices(TColor Current) {
  std::vector<TFontColorChoice> C;
  bool Found = false;
  const TColor Rgb = ColorToRGB(Current);
  for (int I = 0; I < 16; ++I) {
    C.push_back({StandardColor(I), StandardColorNames[I]});
    Found = Found || ColorToRGB(StandardColor(I)) == Rgb;
  }
  if (!Found) C.push_back({Current, "Benutzerdefiniert"});
  return C;
}

bool ChooseFont(TFont& Font, bool TrueTypeOnly) {
  QFontDialog D(Font.ToQFont());
  QFontDialog::FontDialogOptions Options = QFontDialog::DontUseNativeDialog;
  if (TrueTypeOnly) Options |= QFontDialog::ScalableFonts;
  D.setOptions(Options);

  // The colour list below underline and strikeout.
  auto* Colors = new QComboBox(&D);
  Colors->setObjectName(QStringLiteral("FontColor"));
  const std::vector<TFontColorChoice> Choices = FontColorChoices(Font.Color());
  int Initial = -1;
  for (const TFontColorChoice& C : Choices) {
    QPixmap Swatch(16, 12);
    Swatch.fill(ToQColor(C.Color));
    Colors->addItem(QIcon(Swatch), QString::fromUtf8(C.Name));
    if (Initial < 0 && ColorToRGB(C.Color) == ColorToRGB(Font.Color())) Initial = Colors->count() - 1;
  }
  Colors->setCurrentIndex(Initial);
  auto* Label = new QLabel(QStringLiteral("&Farbe:"), &D);
  Label->setBuddy(Colors);
  if (QGroupBox* G = EffectsGroup(D); G && G->layout()) {
    G->layout()->addWidget(Label);
    G->layout()->addWidget(Colors);
  } else if (auto* L = qobject_cast<QGridLayout*>(D.layout())) {
    const int Row = L->rowCount();
    L->addWidget(Label, Row, 0);
    L->addWidget(Colors, Row, 1);
  }

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
  // An untouched list keeps the colour as it was (a system colour stays one).
  const int Chosen = Colors->currentIndex();
  if (Chosen != Initial && Chosen >= 0 && Chosen < int(Choices.size())) Font.SetColor(Choices[Chosen].Color);
  return true;
}

}  // namespace quellix
