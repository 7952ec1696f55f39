// The histograph's tool windows and dialogs: tool bar and value bar
// lifecycle and captions, the buttons and their timer, live changes from
// the three dialogs and Cancel putting every property back. Dialogs are
// driven through their handlers; nothing is run modally.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSpinBox>
#include <QToolButton>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/ValueBar.h"
#include "quellix/histograph/DimensionDialog.h"
#include "quellix/histograph/GridDialog.h"
#include "quellix/histograph/TitleDialog.h"
#include "quellix/histograph/ToolBar.h"
#include "quellix/host/NumberFormat.h"

using namespace quellix;
using namespace quellix::HistoInt;
using Etb::TFormToolBar;

namespace {

class THisto : public THistographInt {
public:
  THisto() {
    SetBounds(0, 0, 400, 300);
    SetTitleTop(QStringLiteral("Messung"));
  }
};

TEST(HistoToolBar, CreatedOnceCaptionFollowsTitleClosingSwitchesOff) {
  THisto H;
  EXPECT_EQ(H.ToolBar(), nullptr);
  H.SetShowToolBar(true);
  TFormToolBar* T = H.ToolBar();
  ASSERT_NE(T, nullptr);
  EXPECT_TRUE(T->isVisible());
  EXPECT_EQ(T->Caption(), QStringLiteral("Werkzeuge: Messung"));
  H.SetTitleTop(QStringLiteral("Neu"));
  EXPECT_EQ(T->Caption(), QStringLiteral("Werkzeuge: Neu"));
  H.SetShowToolBar(false);
  EXPECT_FALSE(T->isVisible());
  H.SetShowToolBar(true);
  EXPECT_EQ(H.ToolBar(), T);
  T->Close();
  EXPECT_FALSE(H.ShowToolBar());
  EXPECT_FALSE(T->isVisible());
}

TEST(HistoToolBar, ButtonsHintsAndPalette) {
  THisto H;
  H.SetShowToolBar(true);
  TFormToolBar& T = *H.ToolBar();
  const char* Hints[] = {"Fadenkreuz", "Zoom", "untere Referenzkurve", "Meßkurve(n)", "Vermessen",
                         "obere Referenzkurve", "Autoscale", "fangen", "Werte anzeigen", "Beschriftung",
                         "Gitter", "Maße"};
  for (int i = 0; i < Etb::ToolButtonCount; ++i)
    EXPECT_EQ(T.Button(static_cast<Etb::TToolButton>(i))->toolTip(), QString::fromUtf8(Hints[i]));
  EXPECT_EQ(T.Palette()->Hint(), QStringLiteral("Drag&Drop Farbpalette"));
  EXPECT_EQ(T.Palette()->Columns(), 16);
  EXPECT_EQ(T.Palette()->Rows(), 1);
  // The dialogs belong to the tool bar and know the histograph.
  EXPECT_EQ(T.FormTitle()->Histograph(), &H);
  EXPECT_EQ(T.FormGrid()->Histograph(), &H);
  EXPECT_EQ(T.FormAxis()->Histograph(), &H);
}

TEST(HistoToolBar, ButtonsSetPropertiesAndTimerReadsThemBack) {
  THisto H;
  H.SetShowToolBar(true);
  TFormToolBar& T = *H.ToolBar();
  const struct {
    Etb::TToolButton B;
    TMode M;
  } Modes[] = {{Etb::tbZoom, modeZoom},
               {Etb::tbLowerRef, modeLowerRef},
               {Etb::tbUpperRef, modeUpperRef},
               {Etb::tbCalculate, modeCalculate},
               {Etb::tbMeasure, modeMeasure}};
  for (const auto& R : Modes) {
    T.Button(R.B)->click();
    EXPECT_EQ(H.Mode(), R.M);
  }
  // The mode buttons are one exclusive group.
  T.Button(Etb::tbZoom)->click();
  EXPECT_FALSE(T.Button(Etb::tbMeasure)->isChecked());

  T.Button(Etb::tbCross)->click();  // was down: now up
  EXPECT_FALSE(H.ShowCross());
  T.Button(Etb::tbAutoScale)->click();
  EXPECT_TRUE(H.AutoScale());
  T.Button(Etb::tbAutoScale)->click();
  T.Button(Etb::tbValueBar)->click();
  EXPECT_TRUE(H.ShowValueBar());

  // Changes made elsewhere reach the buttons on the next tick.
  H.SetMode(modeCalculate);
  H.SetShowCross(true);
  H.SetAutoScale(true);
  H.SetShowValueBar(false);
  T.Timer().Tick();
  EXPECT_TRUE(T.Button(Etb::tbCalculate)->isChecked());
  EXPECT_FALSE(T.Button(Etb::tbZoom)->isChecked());
  EXPECT_TRUE(T.Button(Etb::tbCross)->isChecked());
  EXPECT_TRUE(T.Button(Etb::tbAutoScale)->isChecked());
  EXPECT_FALSE(T.Button(Etb::tbValueBar)->isChecked());
  EXPECT_EQ(T.Timer().Interval(), 1000);
}

TEST(HistoToolBar, CaptureScalesOnceAndDialogButtonsRunTheirDialogs) {
  THisto H;
  std::vector<Single> D = {0, 50};
  H.SetData(D.data(), 2, 1);
  H.SetShowToolBar(true);
  TFormToolBar& T = *H.ToolBar();
  T.Button(Etb::tbCapture)->click();
  EXPECT_GE(H.ViewYMax(), 50.0f);
  EXPECT_FALSE(H.AutoScale());

  std::vector<TForm*> Run;
  T.RunModal = [&](TForm* F) {
    Run.push_back(F);
    return int(mrOk);
  };
  T.Button(Etb::tbTitles)->click();
  T.Button(Etb::tbGrid)->click();
  T.Button(Etb::tbAxis)->click();
  EXPECT_EQ(Run, (std::vector<TForm*>{T.FormTitle(), T.FormGrid(), T.FormAxis()}));
  EXPECT_EQ(T.FormTitle()->Caption(), QStringLiteral("Beschriftung"));
  EXPECT_EQ(T.FormGrid()->Caption(), QStringLiteral("Gitter"));
  EXPECT_EQ(T.FormAxis()->Caption(), QStringLiteral("Maße"));
}

TEST(HistoValueBar, CaptionInitialLabelsAndModeDependentGroups) {
  THisto H;
  EXPECT_FALSE(H.ShowValueBar());
  H.SetShowValueBar(true);
  const Eca::TFormValueBar& V = *H.ValueBar();
  EXPECT_EQ(V.Caption(), QStringLiteral("Anzeige: Messung"));
  EXPECT_EQ(V.Value("Series1")->text(), QStringLiteral("1"));
  EXPECT_EQ(V.Value("X2")->text(), QStringLiteral("0,0000"));
  EXPECT_EQ(V.Value("invdeltax")->text(), QStringLiteral("0,0000"));
  EXPECT_FALSE(V.CalculateVisible());
  H.SetShowValueBar(false);
  H.SetMode(modeZoom);
  H.SetShowValueBar(true);
  EXPECT_TRUE(V.CalculateVisible()) << "shown for every mode but measuring";
  H.SetMode(modeMeasure);
  EXPECT_FALSE(V.CalculateVisible());
  // Values have at most four significant digits.
  EXPECT_EQ(Eca::TFormValueBar::Format(3.14159265L), FloatToStrGeneral(3.142L, 15));
}

TEST(HistoToolBar, WindowsGoWithTheHistograph) {
  auto* H = new THisto;
  H->SetShowToolBar(true);
  H->SetShowValueBar(true);
  QPointer<QWidget> T = H->ToolBar(), V = H->ValueBar();
  delete H;
  EXPECT_TRUE(T.isNull());
  EXPECT_TRUE(V.isNull());
}

// ---------------------------------------------------------------------------
// Title dialog

TEST(HistoTitleDialog, TypingIsLiveCancelRestoresTitlesFontsAndCaptions) {
  THisto H;
  H.SetTitleLeft(QStringLiteral("U"));
  H.SetShowToolBar(true);
  Eft::TFormTitle& D = *H.ToolBar()->FormTitle();
  D.FormShow();
  EXPECT_EQ(D.ETop->text(), QStringLiteral("Messung"));
  EXPECT_EQ(D.ELeft->text(), QStringLiteral("U"));

  D.ETop->setText(QStringLiteral("Neu"));
  D.EBottom->setText(QStringLiteral("t [s]"));
  EXPECT_EQ(H.TitleTop(), QStringLiteral("Neu"));
  EXPECT_EQ(H.TitleBottom(), QStringLiteral("t [s]"));
  EXPECT_EQ(H.ToolBar()->Caption(), QStringLiteral("Werkzeuge: Neu"));

  // Font buttons: the left and right titles ask for turnable fonts only.
  std::vector<bool> TrueType;
  D.RunFontDialog = [&](TFont& F, bool TT) {
    TrueType.push_back(TT);
    F.SetColor(clRed);
    F.SetHeight(-20);
    return true;
  };
  for (int i = 0; i < 6; ++i) D.FontButtonClick(static_cast<Eft::TTitleFont>(i));
  EXPECT_EQ(TrueType, (std::vector<bool>{false, false, true, true, false, false}));
  for (TFont* F : {&H.FontTitleBottom(), &H.FontTitleTop(), &H.FontTitleLeft(), &H.FontTitleRight(),
                   &H.FontXAxis(), &H.FontYAxis()}) {
    EXPECT_EQ(F->Color(), clRed);
    EXPECT_EQ(F->Height(), -20);
  }
  // A cancelled font dialog changes nothing.
  D.RunFontDialog = [](TFont& F, bool) {
    F.SetColor(clBlue);
    return false;
  };
  D.FontButtonClick(Eft::tfTop);
  EXPECT_EQ(H.FontTitleTop().Color(), clRed);

  D.CancelClick();
  EXPECT_EQ(H.TitleTop(), QStringLiteral("Messung"));
  EXPECT_EQ(H.TitleBottom(), QString());
  EXPECT_EQ(H.TitleLeft(), QStringLiteral("U"));
  EXPECT_EQ(H.ToolBar()->Caption(), QStringLiteral("Werkzeuge: Messung"));
  for (TFont* F : {&H.FontTitleBottom(), &H.FontTitleTop(), &H.FontTitleLeft(), &H.FontTitleRight(),
                   &H.FontXAxis(), &H.FontYAxis()}) {
    EXPECT_EQ(F->Color(), clWindowText);
    EXPECT_EQ(F->Height(), -11);
  }
}

TEST(HistoTitleDialog, OkKeepsAndCancelWithoutShowTouchesNothing) {
  THisto H;
  Eft::TFormTitle D;
  D.SetHistograph(&H);
  D.SetModalResult(mrCancel);  // never shown: no copies to go back to
  EXPECT_EQ(H.TitleTop(), QStringLiteral("Messung"));
  D.FormShow();
  D.ERight->setText(QStringLiteral("rechts"));
  D.OkClick();
  EXPECT_EQ(H.TitleRight(), QStringLiteral("rechts"));
  // A later Cancel without a new show does not undo the accepted change.
  D.CancelClick();
  EXPECT_EQ(H.TitleRight(), QStringLiteral("rechts"));
}

// ---------------------------------------------------------------------------
// Grid dialog

TEST(HistoGridDialog, LiveChangesAndCancelRestoresInOrder) {
  THisto H;
  H.SetGridVisible(grdHor);
  H.SetGridLineStyle(psDash);
  Efg::TFormGrid D;
  D.SetHistograph(&H);
  D.FormShow();
  D.FormActivate();
  EXPECT_TRUE(D.CheckVisible->isChecked());
  EXPECT_EQ(D.ListScale->currentRow(), 0);
  EXPECT_EQ(D.ListLineStyle->currentRow(), int(psDash));
  EXPECT_EQ(D.ListScale->count(), 4);
  EXPECT_EQ(D.ListScale->item(3)->text(), QStringLiteral("logarithmisch/logarithmisch"));
  EXPECT_EQ(D.ListLineStyle->count(), 7);

  // Ticking sets both grids, even when only one was on.
  D.CheckVisible->click();
  EXPECT_EQ(H.GridVisible(), grdNone);
  D.CheckVisible->click();
  EXPECT_EQ(H.GridVisible(), grdBoth);
  D.ListScale->setCurrentRow(2);
  EXPECT_EQ(H.GridScale(), sclLogLin);
  D.ListLineStyle->setCurrentRow(6);
  EXPECT_EQ(H.GridLineStyle(), psInsideFrame);
  D.ListLineStyle->setCurrentRow(-1);  // nothing selected: ignored
  EXPECT_EQ(H.GridLineStyle(), psInsideFrame);

  D.CancelClick();
  EXPECT_EQ(H.GridVisible(), grdHor);
  EXPECT_EQ(H.GridScale(), sclLinLin);
  EXPECT_EQ(H.GridLineStyle(), psDash);
}

TEST(HistoGridDialog, LineStyleEntriesAreDrawnInTheirStyle) {
  const auto Row = [](TPenStyle S) {
    TBitmap B(60, 16);
    B.Canvas().Brush().Color = clRed;
    B.Canvas().FillRect(Rect(0, 0, 60, 16));
    Efg::DrawLineStyleItem(B.Canvas(), Rect(0, 0, 60, 16), S);
    int Black = 0;
    for (int x = 1; x < 59; ++x) Black += B.Canvas().Pixel(x, 8) == clBlack;
    EXPECT_EQ(B.Canvas().Pixel(0, 3), clBlack) << "outline";
    EXPECT_EQ(B.Canvas().Pixel(30, 3), clWhite) << "white fill";
    return Black;
  };
  EXPECT_EQ(Row(psSolid), 58);
  EXPECT_EQ(Row(psClear), 0);
  const int Dot = Row(psDot), Dash = Row(psDash);
  EXPECT_GT(Dot, 0);
  EXPECT_LT(Dot, 58);
  EXPECT_GT(Dash, 0);
  EXPECT_LT(Dash, 58);
}

// ---------------------------------------------------------------------------
// Dimension dialog

class AxisDialog : public ::testing::Test {
protected:
  void SetUp() override {
    SetDecimalSeparator(QLatin1Char(','));
    D.SetHistograph(&H);
  }
  void TearDown() override { SetDecimalSeparator(QLatin1Char('.')); }
  void Enter(QLineEdit* E, const QString& T) {
    E->setText(T);
    D.EditExit(E);
  }
  THisto H;
  Efa::TFormAxis D;
};

TEST_F(AxisDialog, ShowFillsEditsInGeneralFormat) {
  H.SetViewYMax(12.3456789f);
  H.SetViewXGap(0.25f);
  D.FormShow();
  EXPECT_EQ(D.EXMin->text(), QStringLiteral("0"));
  EXPECT_EQ(D.EXMax->text(), QStringLiteral("10"));
  EXPECT_EQ(D.EXGap->text(), QStringLiteral("0,25"));
  EXPECT_EQ(D.EYMax->text(), QStringLiteral("12,34568"));
  EXPECT_EQ(D.SEXDecimals->value(), 2);
  EXPECT_EQ(D.SEYDecimals->value(), 2);
}

TEST_F(AxisDialog, NotANumberPutsTheCurrentValueBack) {
  H.SetViewXNominalMin(1.5f);
  D.FormShow();
  Enter(D.EXMin, QStringLiteral("abc"));
  EXPECT_EQ(D.EXMin->text(), QStringLiteral("1,5"));
  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), 1.5f);
  Enter(D.EYGap, QStringLiteral(""));
  EXPECT_EQ(D.EYGap->text(), QStringLiteral("2"));
}

TEST_F(AxisDialog, XMaxWhileZoomedShowsTheWholeNominalRange) {
  H.SetViewXCurrentMin(2);
  H.SetViewXCurrentMax(3);  // a zoomed window
  D.FormShow();
  Enter(D.EXMax, QStringLiteral("20"));
  EXPECT_FLOAT_EQ(H.ViewXNominalMax(), 20.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 20.0f);
  Enter(D.EXMin, QStringLiteral("-5"));
  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), -5.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), -5.0f);
}

TEST_F(AxisDialog, CancelRestoresAllTenValues) {
  H.SetViewXCurrentMin(2);
  H.SetViewXCurrentMax(3);
  D.FormShow();
  Enter(D.EXMin, QStringLiteral("-1"));
  Enter(D.EXMax, QStringLiteral("99"));
  Enter(D.EXGap, QStringLiteral("7"));
  Enter(D.EYMin, QStringLiteral("-4"));
  Enter(D.EYMax, QStringLiteral("4"));
  Enter(D.EYGap, QStringLiteral("0,5"));
  D.SEXDecimals->setValue(5);
  D.SEYDecimals->setValue(-3);  // the Y decimals have no limits
  EXPECT_EQ(H.ViewXDecimals(), 5);
  EXPECT_EQ(H.ViewYDecimals(), -3);
  EXPECT_FLOAT_EQ(H.ViewYGap(), 0.5f);
  D.SEXDecimals->setValue(12);  // one digit only
  EXPECT_EQ(H.ViewXDecimals(), 8);

  D.CancelClick();
  EXPECT_FLOAT_EQ(H.ViewXNominalMin(), 0.0f);
  EXPECT_FLOAT_EQ(H.ViewXNominalMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMin(), 2.0f);
  EXPECT_FLOAT_EQ(H.ViewXCurrentMax(), 3.0f);
  EXPECT_FLOAT_EQ(H.ViewXGap(), 2.0f);
  EXPECT_EQ(H.ViewXDecimals(), 2);
  EXPECT_FLOAT_EQ(H.ViewYMin(), 0.0f);
  EXPECT_FLOAT_EQ(H.ViewYMax(), 10.0f);
  EXPECT_FLOAT_EQ(H.ViewYGap(), 2.0f);
  EXPECT_EQ(H.ViewYDecimals(), 2);
}

}  // namespace
