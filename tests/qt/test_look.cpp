// Size hints, and which font and colours a component takes from setFont
// and setPalette.
#include <QFont>
#include <QHBoxLayout>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include "qt/Components.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/Slider.h"

using namespace quellix;

TEST(QtLook, EveryVisualComponentHasANaturalSizeAndASmallerMinimum) {
  for (const auto& M : test::AllComponents()) {
    if (!M.Visual) continue;
    std::unique_ptr<TComponentCore> C(M.Make());
    auto* W = qobject_cast<QWidget*>(C->AsQObject());
    ASSERT_TRUE(W) << M.Name.toStdString();
    const QSize S = W->sizeHint(), Min = W->minimumSizeHint();
    EXPECT_TRUE(S.isValid() && !S.isEmpty()) << M.Name.toStdString();
    EXPECT_TRUE(Min.isValid()) << M.Name.toStdString();
    EXPECT_LE(Min.width(), S.width()) << M.Name.toStdString();
    EXPECT_LE(Min.height(), S.height()) << M.Name.toStdString();
  }
}

TEST(QtLook, ALayoutGivesTheMeterItsNaturalSize) {
  QWidget Box;
  auto* L = new QHBoxLayout(&Box);
  auto* M = new meterInt::TMeterInt(nullptr, &Box);
  L->addWidget(M);
  Box.resize(L->sizeHint());
  L->activate();
  EXPECT_EQ(M->size(), QSize(201, 177));
  delete M;
}

TEST(QtLook, SetFontIsTakenByFontAndTheOtherFontsUntilTheyAreSetAgain) {
  Slider::TSlider S;
  S.Font().SetColor(clRed);
  QFont F(QStringLiteral("DejaVu Serif"));
  F.setPixelSize(17);
  F.setBold(true);
  S.setFont(F);
  EXPECT_EQ(S.Font().Name(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(S.Font().Height(), -17);
  EXPECT_EQ(S.Font().Style(), fsBold);
  EXPECT_EQ(S.Font().Color(), clRed);  // the colour stays the component's
  EXPECT_EQ(S.LabelingFont().Height(), -17);
  EXPECT_FALSE(S.ParentFont());

  // The labels' font set afterwards is the newer request: it stays.
  S.LabelingFont().SetHeight(-9);
  F.setPixelSize(21);
  S.setFont(F);
  EXPECT_EQ(S.Font().Height(), -21);
  EXPECT_EQ(S.ButtonFont().Height(), -21);
  EXPECT_EQ(S.LabelingFont().Height(), -9);
}

TEST(QtLook, AFontInheritedFromAParentWidgetReachesOnlyAFontThatFollowsItsParent) {
  QWidget Parent;
  auto* Following = new meterInt::TMeterInt(nullptr, &Parent);
  auto* Own = new meterInt::TMeterInt(nullptr, &Parent);
  Own->Font().SetHeight(-30);  // set explicitly: ParentFont goes off
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPixelSize(15);
  Parent.setFont(F);
  EXPECT_EQ(Following->Font().Height(), -15);
  EXPECT_TRUE(Following->ParentFont());
  EXPECT_EQ(Own->Font().Height(), -30);
}

TEST(QtLook, PaletteColoursReplaceSystemColourDefaultsButNotExplicitColours) {
  Slider::TSlider S;
  S.SetBevelColor1(clYellow);  // explicit
  QPalette P;
  P.setColor(QPalette::Window, QColor(10, 20, 30));
  P.setColor(QPalette::Button, QColor(40, 50, 60));
  P.setColor(QPalette::Light, QColor(70, 80, 90));
  S.setPalette(P);
  EXPECT_EQ(S.Color(), RGB(10, 20, 30));
  EXPECT_FALSE(S.ParentColor());
  EXPECT_EQ(S.ButtonColor(), RGB(40, 50, 60));  // default button face follows Button
  EXPECT_EQ(S.BevelColor1(), clYellow);
  EXPECT_EQ(S.BevelColor2(), clBtnShadow);  // its role (Dark) is not set

  // A later palette moves what followed; a colour set meanwhile stays.
  P.setColor(QPalette::Button, QColor(1, 2, 3));
  S.setPalette(P);
  EXPECT_EQ(S.ButtonColor(), RGB(1, 2, 3));
  S.SetButtonColor(clAqua);
  P.setColor(QPalette::Button, QColor(4, 5, 6));
  S.setPalette(P);
  EXPECT_EQ(S.ButtonColor(), clAqua);
}

TEST(QtLook, APaletteWithoutTheRoleGivesTheDefaultBack) {
  Slider::TSlider S;
  QPalette P;
  P.setColor(QPalette::Button, QColor(40, 50, 60));
  S.setPalette(P);
  ASSERT_EQ(S.ButtonColor(), RGB(40, 50, 60));
  QPalette Q;
  Q.setColor(QPalette::Window, QColor(1, 1, 1));
  S.setPalette(Q);
  EXPECT_EQ(S.ButtonColor(), clBtnFace);
}
