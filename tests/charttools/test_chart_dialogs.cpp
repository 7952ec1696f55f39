// The dialogs of both charts, opened from their tool bars (and the remark
// mode) and run modally as a user runs them: a field is edited, left or
// not, and the dialog is left by the Cancel button, by Escape or by the
// window's close box. However it is left, the chart is exactly as before.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/ParamRows.h"
#include "quellix/histograph/DimensionDialog.h"
#include "quellix/histograph/GridDialog.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/histograph/TitleDialog.h"
#include "quellix/histograph/ToolBar.h"
#include "quellix/host/NumberFormat.h"
#include "quellix/host/Streaming.h"
#include "quellix/stripchart/AxisDialog.h"
#include "quellix/stripchart/GridDialog.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/StripChartEngine.h"
#include "quellix/stripchart/TitleDialog.h"
#include "quellix/stripchart/ToolBar.h"
#include "quellix/stripchart/ValueBar.h"
#include "quellix/histograph/ValueBar.h"

using namespace quellix;

namespace {

// A histograph and a strip chart with their tool bars shown; the strip
// chart logs to a file so that its remark mode takes clicks.
struct TCharts {
  TCharts() {
    H.SetBounds(0, 0, 400, 300);
    H.SetTitleTop(QStringLiteral("Messung"));
    H.SetShowToolBar(true);
    S.SetBounds(0, 0, 417, 233);
    S.SetTitleTop(QStringLiteral("Ofen"));
    S.SetShowToolBar(true);
    S.StartLogging(QDir(Dir.path()).filePath(QStringLiteral("r.qlx")), QStringLiteral("Lauf"));
    std::vector<Single> V(200);
    for (size_t i = 0; i < V.size(); ++i) V[i] = Single(i % 10);
    S.AddValues({V.data()}, 1, Integer(V.size()));
    S.Repaint();
  }
  ~TCharts() { S.StopLogging(); }
  // Everything a dialog could change: the stored properties of both
  // charts, the tool windows' captions and the remarks.
  QString State() {
    QString T = WriteComponentText(&H) + WriteComponentText(&S);
    T += H.ToolBar()->Caption() + S.ToolBar()->Caption();
    T += QString::number(S.Remarks().size());
    return T;
  }
  QTemporaryDir Dir;
  HistoInt::THistographInt H;
  StrpChrtInt::TStripChartInt S;
};

enum TWay { wayCancelButton, wayEscape, wayCloseBox };

struct TDialogCase {
  const char* Name;
  // Opens the dialog as the user does; Drive runs inside its modal loop.
  std::function<void(TCharts&)> Open;
  // The dialog that opens and the field the user edits in it.
  std::function<TForm*(TCharts&)> Dialog;
  std::function<QWidget*(TForm*)> Field;
  // What the user types into the field.
  std::function<void(QWidget*)> Edit;
};

void TypeText(QWidget* W) {
  auto* E = static_cast<QLineEdit*>(W);
  E->selectAll();
  QTest::keyClicks(E, QStringLiteral("55"));
}

void PressDown(QWidget* W) { QTest::keyClick(W, Qt::Key_Down); }

template <class D>
D* As(TForm* F) {
  return static_cast<D*>(F);
}

const TDialogCase DialogCases[] = {
    {"HistographTitle", [](TCharts& C) { C.H.ToolBar()->Button(Etb::tbTitles)->click(); },
     [](TCharts& C) -> TForm* { return C.H.ToolBar()->FormTitle(); },
     [](TForm* F) -> QWidget* { return As<Eft::TFormTitle>(F)->ETop; }, TypeText},
    {"HistographGrid", [](TCharts& C) { C.H.ToolBar()->Button(Etb::tbGrid)->click(); },
     [](TCharts& C) -> TForm* { return C.H.ToolBar()->FormGrid(); },
     [](TForm* F) -> QWidget* { return As<Efg::TFormGrid>(F)->ListScale; }, PressDown},
    {"HistographDimensions", [](TCharts& C) { C.H.ToolBar()->Button(Etb::tbAxis)->click(); },
     [](TCharts& C) -> TForm* { return C.H.ToolBar()->FormAxis(); },
     [](TForm* F) -> QWidget* { return As<Efa::TFormAxis>(F)->EYMax; }, TypeText},
    {"StripChartTitle", [](TCharts& C) { C.S.ToolBar()->BTitle->click(); },
     [](TCharts& C) -> TForm* { return C.S.ToolBar()->FormTitleStrip(); },
     [](TForm* F) -> QWidget* { return As<_sEft::TFormTitleStrip>(F)->ETop; }, TypeText},
    {"StripChartGrid", [](TCharts& C) { C.S.ToolBar()->BGrid->click(); },
     [](TCharts& C) -> TForm* { return C.S.ToolBar()->FormGridStrip(); },
     [](TForm* F) -> QWidget* { return As<_sEfg::TFormGridStrip>(F)->CBScale; }, PressDown},
    {"StripChartAxis", [](TCharts& C) { C.S.ToolBar()->BView->click(); },
     [](TCharts& C) -> TForm* { return C.S.ToolBar()->FormAxisStrip(); },
     [](TForm* F) -> QWidget* { return As<_sEfa::TFormAxisStrip>(F)->EYMax; }, TypeText},
    {"StripChartRemark",
     [](TCharts& C) {
       C.S.SetStripMode(StrpChrtInt::modeRemark);
       const Integer X = C.S.XPosition(C.S.SampleCount() - 10);
       C.S.MouseDown(mbLeft, 0, X, 100);
       C.S.MouseUp(mbLeft, 0, X, 100);
       C.S.SetStripMode(StrpChrtInt::modeMeasure);
     },
     [](TCharts& C) -> TForm* { return C.S.RemarkDialog(); },
     [](TForm* F) -> QWidget* { return As<Remedit::TEditRemark>(F)->EditText; }, TypeText},
};

// Every dialog says "Abbrechen" on its Cancel button.
QPushButton* CancelButton(TForm* F) {
  for (QPushButton* B : F->findChildren<QPushButton*>())
    if (B->text() == QStringLiteral("Abbrechen")) return B;
  ADD_FAILURE() << "no button \"Abbrechen\" in " << F->Caption().toStdString();
  return nullptr;
}

// One way of leaving one dialog, the edited field left or still focused.
struct TLeaveRow {
  int Dialog;
  TWay Way;
  bool Left;
  friend void PrintTo(const TLeaveRow& R, std::ostream* Os) {
    static const char* Ways[] = {"CancelButton", "Escape", "CloseBox"};
    *Os << DialogCases[R.Dialog].Name << " " << Ways[R.Way] << (R.Left ? " FieldLeft" : " FieldStillFocused");
  }
};

std::vector<TLeaveRow> LeaveRows() {
  std::vector<TLeaveRow> Rows;
  for (int D = 0; D < int(std::size(DialogCases)); ++D)
    for (TWay W : {wayCancelButton, wayEscape, wayCloseBox})
      for (bool Left : {false, true}) Rows.push_back({D, W, Left});
  return Rows;
}

class DialogLeftAnyWay : public ::testing::TestWithParam<TLeaveRow> {};

TEST_P(DialogLeftAnyWay, PutsTheChartBackExactly) {
  // Named copies, not a structured binding: clang before 16 cannot capture
  // bindings in the lambda below.
  const TLeaveRow Row = GetParam();
  const TWay Way = Row.Way;
  const bool Left = Row.Left;
  const TDialogCase& Case = DialogCases[Row.Dialog];
  TCharts C;
  const QString Before = C.State();
  TForm* D = Case.Dialog(C);
  ASSERT_NE(D, nullptr);
  bool Driven = false;
  QTimer::singleShot(0, D, [&] {
    Driven = true;
    D->activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(D->isActiveWindow());
    QWidget* F = Case.Field(D);
    F->setFocus(Qt::OtherFocusReason);
    Case.Edit(F);
    if (Left) QTest::keyClick(F, Qt::Key_Tab);
    switch (Way) {
      case wayCancelButton:
        if (QPushButton* B = CancelButton(D)) QTest::mouseClick(B, Qt::LeftButton);
        break;
      case wayEscape: QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : D, Qt::Key_Escape); break;
      case wayCloseBox: D->close(); break;
    }
    if (D->isVisible()) {
      ADD_FAILURE() << "the dialog is still open";
      D->done(mrCancel);
    }
  });
  Case.Open(C);
  QApplication::processEvents();
  EXPECT_TRUE(Driven);
  EXPECT_EQ(C.State().toStdString(), Before.toStdString());
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, DialogLeftAnyWay, ::testing::ValuesIn(LeaveRows()),
                         testsupport::RowNamer());

// ---------------------------------------------------------------------------
// Numbers a chart cannot hold: not finite in the property's float type, or
// making the span of a view range infinite. The histograph puts the
// current value back without a word; the strip chart answers with the
// host's conversion message. Either way the chart is unchanged, and the
// next good number is taken.

struct TRefusedCase {
  const char* Name;
  bool Strip;              // the strip chart's dialog, else the histograph's
  const char* Field;       // the edit's name in the dialog
  const char* Text;        // what the user leaves in it
  std::function<void(TCharts&)> Before;  // the chart before the dialog shows
  bool Refused;
  friend void PrintTo(const TRefusedCase& R, std::ostream* Os) { *Os << R.Name; }
};

QLineEdit* EditOf(TForm& D, const char* Name) {
  for (QLineEdit* E : D.findChildren<QLineEdit*>())
    if (E->property("Field").toString() == QLatin1String(Name)) return E;
  return nullptr;
}

const auto Nothing = [](TCharts&) {};

const TRefusedCase RefusedCases[] = {
    {"HistoYMaxBeyondSingle", false, "EYMax", "1e39", Nothing, true},
    {"HistoYGapBeyondSingle", false, "EYGap", "-4e38", Nothing, true},
    {"HistoXGapBeyondSingle", false, "EXGap", "3,5e38", Nothing, true},
    {"HistoYMinSpanInfinite", false, "EYMin", "-3e38", [](TCharts& C) { C.H.SetViewYMax(3e38f); }, true},
    {"HistoXMaxSpanInfinite", false, "EXMax", "3e38",
     [](TCharts& C) {
       C.H.SetViewXNominalMin(-1e38f);
       C.H.SetViewXCurrentMin(-1e38f);
     },
     true},
    {"HistoBeyondExtended", false, "EXMin", "1e5000", Nothing, true},
    {"HistoYMaxLargeButFinite", false, "EYMax", "3e38", Nothing, false},
    {"StripYMaxBeyondSingle", true, "EYMax", "1e39", Nothing, true},
    {"StripYMinSpanInfinite", true, "EYMin", "-3e38", [](TCharts& C) { C.S.SetViewYMax(3e38f); }, true},
    {"StripYGapBeyondSingle", true, "EYGap", "1e39", Nothing, true},
    {"StripXGapBeyondDouble", true, "EXGap", "1e309", Nothing, true},
    {"StripXGapLargeDouble", true, "EXGap", "1e300", Nothing, false},
};

class NumberTheChartCannotHold : public ::testing::TestWithParam<TRefusedCase> {
protected:
  void SetUp() override {
    SetDecimalSeparator(QLatin1Char(','));
    SetMessageBoxHandler([this](const QString& Msg, TMsgDlgType Type, int, const QString&) {
      Messages.push_back(Msg);
      EXPECT_EQ(Type, mtError);
      return int(mrOk);
    });
  }
  void TearDown() override {
    SetMessageBoxHandler({});
    SetDecimalSeparator(QLatin1Char('.'));
  }
  std::vector<QString> Messages;
};

TEST_P(NumberTheChartCannotHold, IsRefusedAndTheNextGoodNumberTaken) {
  const TRefusedCase& Case = GetParam();
  TCharts C;
  Case.Before(C);
  Efa::TFormAxis HD;
  HD.SetHistograph(&C.H);
  _sEfa::TFormAxisStrip SD;
  SD.Chart = &C.S;
  const auto Name = [](QLineEdit* E, const char* N) { E->setProperty("Field", QString::fromLatin1(N)); };
  for (auto [E, N] : {std::pair{HD.EXMin, "EXMin"}, {HD.EXMax, "EXMax"}, {HD.EXGap, "EXGap"}, {HD.EYMin, "EYMin"},
                      {HD.EYMax, "EYMax"}, {HD.EYGap, "EYGap"}})
    Name(E, N);
  for (auto [E, N] : {std::pair{SD.EXGap, "EXGap"}, {SD.EYMin, "EYMin"}, {SD.EYMax, "EYMax"}, {SD.EYGap, "EYGap"}})
    Name(E, N);
  ChartTools::TAxisDialog& D = Case.Strip ? static_cast<ChartTools::TAxisDialog&>(SD) : HD;
  D.FormShow();
  QLineEdit* E = EditOf(D, Case.Field);
  ASSERT_NE(E, nullptr);
  const QString Shown = E->text();
  const QString Before = C.State();

  E->setText(QString::fromLatin1(Case.Text));
  D.EditExit(E);
  if (!Case.Refused) {
    EXPECT_NE(C.State(), Before) << "a number the chart can hold is taken";
    EXPECT_TRUE(Messages.empty());
    return;
  }
  EXPECT_EQ(C.State().toStdString(), Before.toStdString());
  if (Case.Strip) {
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0], QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(QString::fromLatin1(Case.Text)));
  } else {
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(E->text(), Shown) << "the current value is put back";
  }
  // The display recovers with the next good number.
  E->setText(QStringLiteral("7"));
  D.EditExit(E);
  EXPECT_NE(C.State(), Before);
}

INSTANTIATE_TEST_SUITE_P(BothCharts, NumberTheChartCannotHold, ::testing::ValuesIn(RefusedCases),
                         testsupport::RowNamer());

// ---------------------------------------------------------------------------
// Every label, button and list entry of every dialog and tool window of
// both charts gets at least the room its text asks for.

TEST(ChartWindows, EveryTextHasRoom) {
  TCharts C;
  C.H.SetShowValueBar(true);
  C.S.SetShowValueBar(true);
  const std::vector<std::pair<const char*, QWidget*>> Windows = {
      {"histograph tool bar", C.H.ToolBar()},
      {"histograph value bar", C.H.ValueBar()},
      {"histograph title", C.H.ToolBar()->FormTitle()},
      {"histograph grid", C.H.ToolBar()->FormGrid()},
      {"histograph dimensions", C.H.ToolBar()->FormAxis()},
      {"strip chart tool bar", C.S.ToolBar()},
      {"strip chart value bar", C.S.ValueBar()},
      {"strip chart title", C.S.ToolBar()->FormTitleStrip()},
      {"strip chart grid", C.S.ToolBar()->FormGridStrip()},
      {"strip chart axis", C.S.ToolBar()->FormAxisStrip()},
      {"strip chart remark", C.S.RemarkDialog()},
  };
  for (const auto& [Name, W] : Windows) {
    SCOPED_TRACE(Name);
    W->show();
    QApplication::processEvents();
    int Checked = 0;
    for (QWidget* Child : W->findChildren<QWidget*>()) {
      if (Child->window() != W || !Child->isVisibleTo(W) || !(qobject_cast<QLabel*>(Child) || qobject_cast<QAbstractButton*>(Child)))
        continue;
      EXPECT_GE(Child->width(), Child->minimumSizeHint().width()) << Child->objectName().toStdString();
      ++Checked;
    }
    EXPECT_GE(Checked, 3);
    for (QListWidget* L : W->findChildren<QListWidget*>()) {
      if (L->window() != W) continue;
      EXPECT_GE(L->viewport()->width(), L->sizeHintForColumn(0));
      EXPECT_GE(L->viewport()->height(), L->count() * L->sizeHintForRow(0)) << "every entry in sight";
    }
    W->hide();
  }
  // The palettes fit under the buttons in one row of 16 whole cells.
  for (ChartTools::TToolBar* T : {static_cast<ChartTools::TToolBar*>(C.H.ToolBar()),
                                   static_cast<ChartTools::TToolBar*>(C.S.ToolBar())}) {
    EXPECT_EQ(T->Palette()->width() % 16, 0);
    EXPECT_GE(T->Palette()->width(), 12 * 16);
    EXPECT_LE(T->Palette()->geometry().right(), T->width());
    EXPECT_GT(T->Palette()->geometry().top(), T->Button(0)->geometry().bottom()) << "below the buttons";
  }
}

}  // namespace
