// Gallery page of the slider and the bar graph: each in several dresses,
// and their demonstration windows after some ticks and moves.
#include <QPainter>
#include <QWidget>

#include "Gallery.h"
#include "quellix/app/BarGraphWindow.h"
#include "quellix/app/SliderWindow.h"
#include "quellix/instruments/Slider.h"
#include "quellix/instruments/BarGraph.h"

using namespace quellix;

namespace {

// A round knob for the picture button: the picture is black outside the
// knob and the mask black inside it, the pair a transparent sprite.
void MakeKnob(TPicture& Picture, TPicture& Mask, int W, int H) {
  QImage Img(W, H, QImage::Format_RGB32);
  Img.fill(Qt::black);
  QImage M(W, H, QImage::Format_RGB32);
  M.fill(Qt::white);
  {
    QPainter P(&Img);
    QRadialGradient G(W * 0.35, H * 0.35, W * 0.6);
    G.setColorAt(0, QColor(255, 230, 160));
    G.setColorAt(1, QColor(170, 90, 0));
    P.setPen(Qt::NoPen);
    P.setBrush(G);
    P.drawEllipse(0, 0, W, H);
    QPainter Q(&M);
    Q.setPen(Qt::NoPen);
    Q.setBrush(Qt::black);
    Q.drawEllipse(0, 0, W, H);
  }
  Picture.SetImage(Img);
  Mask.SetImage(M);
}

// A brushed-metal strip for the picture slot and the bar graph background.
TPicture Stripes(int W, int H, QColor A, QColor B) {
  QImage Img(W, H, QImage::Format_RGB32);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Img.setPixelColor(X, Y, ((X / 3) % 2) ? A : B);
  TPicture P;
  P.SetImage(Img);
  return P;
}

void TrafficLight(Slider::TSlider* S, Double Max) {
  S->SetRangeNumber(3);
  const TColor C[] = {clLime, clYellow, clRed};
  const Double L[] = {Max * 0.4, Max * 0.8, Max};
  for (int i = 0; i < 3; ++i) {
    S->SetRangeCurrent(i + 1);
    S->SetRangeColor(C[i]);
    S->SetRangeLimit(L[i]);
  }
}

void TrafficLight(bargraphint::TBarGraphInt* B, Double Max) {
  B->SetRangeNumber(3);
  const TColor C[] = {clLime, clYellow, clRed};
  const Double L[] = {Max * 0.6, Max * 0.8, Max};
  for (int i = 0; i < 3; ++i) {
    B->SetRangeCurrent(i + 1);
    B->SetRangeColor(C[i]);
    B->SetRangeLimit(L[i]);
  }
}

}  // namespace

QUELLIX_GALLERY_PAGE(SliderBarGraph) {
  // --- sliders ---
  {
    using namespace Slider;
    QWidget Page;
    Page.resize(780, 300);
    Page.setAutoFillBackground(true);
    Page.setPalette(QPalette(QColor(212, 208, 200)));

    auto* Plain = new TSlider(nullptr, &Page);  // defaults
    Plain->SetBounds(10, 10, 60, 233);
    Plain->SetValue(30);

    auto* Left = new TSlider(nullptr, &Page);
    Left->SetBounds(80, 10, 80, 233);
    Left->SetValueMax(50);
    TrafficLight(Left, 50);
    Left->SetLabelingStyle(lbsBoth);
    Left->SetLabelingDecimals(0);
    Left->SetButtonWidth(30);
    Left->SetButtonHeight(16);
    Left->SetButtonCaption(QStringLiteral("A"));
    Left->SetValue(42);

    auto* Sym = new TSlider(nullptr, &Page);
    Sym->SetBounds(170, 10, 100, 233);
    Sym->SetValueMin(-1);
    Sym->SetValueMax(1);
    Sym->SetLabelingGap(0.1);
    Sym->SetLabelingStyle(lbsSymmetric);
    Sym->SetButtonHeight(14);
    Sym->SetButtonWidth(26);
    Sym->SetButtonColor(clSilver);
    Sym->SetValue(0.25);

    auto* Pointer = new TSlider(nullptr, &Page);
    Pointer->SetBounds(280, 10, 90, 233);
    Pointer->SetValueMax(10);
    Pointer->SetLabelingGap(1);
    Pointer->SetLabelingDecimals(0);
    Pointer->SetButtonTransparent(true);
    Pointer->SetButtonHeight(24);
    Pointer->SetButtonBorderColor(clGray);
    Pointer->SetLabelingStyle(lbsAsymmetric);
    Pointer->SetRangeColor(clNavy);
    Pointer->SetValue(6);

    auto* PointerL = new TSlider(nullptr, &Page);
    PointerL->SetBounds(380, 10, 90, 233);
    PointerL->SetValueMax(1000000);
    PointerL->SetLabelingGap(100000);
    PointerL->SetLabelingOrientation(lboLeft);
    PointerL->SetButtonTransparent(true);
    PointerL->SetButtonHeight(22);
    PointerL->SetButtonBorderColor(clGray);
    PointerL->SetLabelingStyle(lbsAsymmetric);
    PointerL->SetValue(300000);

    auto* Horz = new TSlider(nullptr, &Page);
    Horz->SetKind(sbHorizontal);
    Horz->SetBounds(480, 10, 290, 70);
    Horz->SetLabelingStyle(lbsBoth);
    Horz->SetLabelingOrientation(lboBelow);
    Horz->SetLabelingGap(5);
    Horz->SetLabelingDecimals(0);
    Horz->SetButtonHeight(20);
    Horz->SetButtonWidth(28);
    Horz->SetValueStepWidth(5);
    Horz->SetButtonCaption(QStringLiteral("55"));
    Horz->SetValue(55);

    auto* HorzLines = new TSlider(nullptr, &Page);
    HorzLines->SetKind(sbHorizontal);
    HorzLines->SetBounds(480, 90, 290, 50);
    HorzLines->SetLabelingStyle(lbsLines);
    HorzLines->SetLabelingOrientation(lboAbove);
    HorzLines->SetSliderWidth(6);
    HorzLines->SetButtonWidth(30);
    HorzLines->SetRangeColor(clTeal);
    HorzLines->SetReduceFlicker(true);
    HorzLines->SetValue(20);

    auto* HorzPointer = new TSlider(nullptr, &Page);
    HorzPointer->SetKind(sbHorizontal);
    HorzPointer->SetBounds(480, 150, 290, 60);
    HorzPointer->SetValueMax(20);
    HorzPointer->SetLabelingGap(2);
    HorzPointer->SetLabelingDecimals(0);
    HorzPointer->SetButtonTransparent(true);
    HorzPointer->SetButtonHeight(30);
    HorzPointer->SetButtonBorderColor(clGray);
    HorzPointer->SetLabelingStyle(lbsAsymmetric);
    HorzPointer->SetLabelingOrientation(lboBelow);
    HorzPointer->SetValue(7);

    auto* Knob = new TSlider(nullptr, &Page);
    Knob->SetKind(sbHorizontal);
    Knob->SetBounds(480, 220, 290, 60);
    TPicture Pic, Mask;
    MakeKnob(Pic, Mask, 26, 26);
    Knob->SetPictureButton(Pic);
    Knob->SetPictureMask(Mask);
    Knob->SetPictureSlide(Stripes(290, 60, QColor(150, 150, 160), QColor(185, 185, 195)));
    Knob->SetButtonHeight(26);
    Knob->SetButtonWidth(26);
    Knob->SetValue(65);

    gallery::SaveWidget(&Page, OutDir, "slider.png");
  }

  // --- bar graphs ---
  {
    using namespace bargraphint;
    QWidget Page;
    Page.resize(760, 260);
    Page.setAutoFillBackground(true);
    Page.setPalette(QPalette(QColor(212, 208, 200)));

    auto* Plain = new TBarGraphInt(nullptr, &Page);
    Plain->SetBounds(10, 10, 50, 233);
    Plain->SetValue(40);

    auto* Level = new TBarGraphInt(nullptr, &Page);
    Level->SetBounds(70, 10, 80, 233);
    TrafficLight(Level, 100);
    Level->SetBarWidth(16);
    Level->SetLabelingStyle(lbsBoth);
    Level->SetLabelingGap(10);
    Level->SetLabelingDecimals(0);
    Level->SetValue(90);

    auto* Sym = new TBarGraphInt(nullptr, &Page);
    Sym->SetBounds(160, 10, 100, 233);
    Sym->SetValueMin(-60);
    Sym->SetValueMax(6);
    Sym->SetRangeNumber(2);
    Sym->SetRangeCurrent(1);
    Sym->SetRangeColor(clGreen);
    Sym->SetRangeLimit(0);
    Sym->SetRangeCurrent(2);
    Sym->SetRangeColor(clRed);
    Sym->SetBarColor(clBlack);
    Sym->SetBarWidth(12);
    Sym->SetLabelingStyle(lbsSymmetric);
    Sym->SetLabelingGap(6);
    Sym->SetLabelingDecimals(0);
    Sym->SetValue(3);

    auto* Right = new TBarGraphInt(nullptr, &Page);
    Right->SetBounds(270, 10, 130, 233);
    Right->SetBarWidth(24);
    Right->SetBevelWidth(2);
    Right->SetRangeColor(clBlue);
    Right->SetBarColor(clWhite);
    Right->SetLabelingStyle(lbsLabels);
    Right->SetLabelingOrientation(lboRight);
    Right->SetValueMax(0.0005);
    Right->SetLabelingGap(0.0001);
    Right->SetValue(0.0003);

    auto* Pic = new TBarGraphInt(nullptr, &Page);
    Pic->SetBounds(410, 10, 30, 233);
    Pic->SetPictureBackground(Stripes(50, 233, QColor(90, 90, 100), QColor(120, 120, 130)));
    Pic->SetRangeColor(clAqua);
    Pic->SetValue(66);

    auto* Horz = new TBarGraphInt(nullptr, &Page);
    Horz->SetKind(sbHorizontal);
    Horz->SetBounds(450, 10, 300, 60);
    TrafficLight(Horz, 100);
    Horz->SetBarWidth(14);
    Horz->SetOffsetLower(14);
    Horz->SetOffsetUpper(14);
    Horz->SetLabelingStyle(lbsBoth);
    Horz->SetLabelingOrientation(lboBelow);
    Horz->SetLabelingGap(10);
    Horz->SetLabelingDecimals(0);
    Horz->SetValue(85);

    auto* HorzAbove = new TBarGraphInt(nullptr, &Page);
    HorzAbove->SetKind(sbHorizontal);
    HorzAbove->SetBounds(450, 80, 300, 60);
    HorzAbove->SetBarWidth(10);
    HorzAbove->SetRangeColor(clPurple);
    HorzAbove->SetLabelingStyle(lbsBoth);
    HorzAbove->SetLabelingOrientation(lboAbove);
    HorzAbove->SetLabelingGap(20000);
    HorzAbove->SetOffsetLower(24);
    HorzAbove->SetOffsetUpper(24);
    HorzAbove->SetValueMax(200000);
    HorzAbove->SetValue(120000);

    // A tiny bar with a wide span: the ticks stay two pixels apart.
    auto* Tiny = new TBarGraphInt(nullptr, &Page);
    Tiny->SetKind(sbHorizontal);
    Tiny->SetBounds(450, 150, 120, 30);
    Tiny->SetLabelingStyle(lbsLines);
    Tiny->SetLabelingGap(0.01);
    Tiny->SetRangeColor(clGreen);
    Tiny->SetValue(50);

    auto* Many = new TBarGraphInt(nullptr, &Page);
    Many->SetKind(sbHorizontal);
    Many->SetBounds(450, 190, 300, 50);
    Many->SetBarWidth(20);
    Many->SetOffsetLower(16);
    Many->SetOffsetUpper(16);
    Many->SetRangeNumber(8);
    for (int i = 1; i <= 8; ++i) {
      Many->SetRangeCurrent(i);
      Many->SetRangeColor(SystemPaletteEntry(i + 11));
      Many->SetRangeLimit(i * 12.5);
    }
    Many->SetLabelingStyle(lbsSymmetric);
    Many->SetLabelingGap(12.5);
    Many->SetLabelingDecimals(1);
    Many->SetValue(100);

    gallery::SaveWidget(&Page, OutDir, "bargraph.png");
  }

  // --- the demonstration windows ---
  {
    Slider_Unit::TSlider_Demo W;
    // A drag on Soll: its partner follows.
    W.Slider2->MouseDown(mbLeft, 0, 30, W.Slider2->ButtonRect().Top + 3);
    W.Slider2->MouseMove(0, 30, W.Slider2->ButtonRect().Top - 60);
    W.Slider2->MouseUp(mbLeft, 0, 30, 0);
    gallery::SaveWidget(&W, OutDir, "slider_demo.png");
  }
  {
    BarGraph_Unit::TBarGraph_Demo W;
    W.setAttribute(Qt::WA_DontShowOnScreen, true);
    W.show();
    W.Timer1->SetEnabled(false);
    for (int i = 0; i < 70; ++i) W.Timer1->Tick();
    gallery::SaveWidget(&W, OutDir, "bargraph_demo.png");
  }
}
