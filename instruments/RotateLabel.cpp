#include "quellix/instruments/RotateLabel.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quellix::RLabel {

namespace {

// The longest face name a font description holds.
constexpr int MaxFaceName = 31;

}  // namespace

Integer NormalizeAngle(Integer Angle) {
  // The remainder keeps the sign of the angle (and cannot overflow, as a
  // negated magnitude of the smallest integer would).
  Integer V = Angle % 360;
  if (V > 180) V -= 360;
  if (V < -180) V += 360;
  return V;
}

TRotatedTextPlace RotatedTextPlace(Integer Angle, Integer TextWidth, Integer TextHeight) {
  const Extended A = Angle * std::numbers::pi_v<Extended> / 180;
  const Extended S = std::sin(A), C = std::cos(A);
  const Extended Tw = TextWidth, Th = TextHeight;
  TRotatedTextPlace P;
  P.BoxWidth = Round(std::fabs(Th * S) + std::fabs(Tw * C));
  P.BoxHeight = Round(std::fabs(Tw * S) + std::fabs(Th * C));
  if (Angle == -180) Angle = 180;
  // The start point is the corner of the text's cell that the turn puts
  // on the box: the foot of the first letter's top-left corner.
  if (Angle >= 0 && Angle <= 90)
    P.Origin = {0, std::abs(Round(Tw * S))};
  else if (Angle >= -90 && Angle < 0)
    P.Origin = {std::abs(Round(Th * S)), 0};
  else if (Angle > 90)
    P.Origin = {std::abs(Round(Tw * C)), P.BoxHeight};
  else
    P.Origin = {P.BoxWidth, std::abs(Round(Th * C))};
  return P;
}

TRotateLabel::TRotateLabel(TComponentCore* AOwner, QWidget* AParent) : TGraphicControl(AOwner, AParent) {
  SetCaption(QStringLiteral("RotateLabel"));
  Font().SetName(QStringLiteral("Arial"));
  AdjustBounds();
}

void TRotateLabel::SetCaption(const QString& Value) {
  const TChangeScope Changes;
  if (Value == Caption()) return;
  TGraphicControl::SetCaption(Value);
  AdjustBounds();
}

void TRotateLabel::SetAngle(Integer Value) {
  const TChangeScope Changes;
  // Stored even when unchanged: the label is drawn anew either way.
  FAngle = NormalizeAngle(Value);
  AdjustBounds();
  Invalidate();
}

void TRotateLabel::SetAlignInt(int Value) {
  const TChangeScope Changes;
  if (Value < alNone || Value > alClient) return;
  SetAlign(static_cast<TAlign>(Value));
  AdjustBounds();
}

void TRotateLabel::SetAlignment(TAlignment Value) {
  const TChangeScope Changes;
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TRotateLabel::SetAutoSize(bool Value) {
  const TChangeScope Changes;
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  Invalidate();
}

// The control's font with the angle as escapement (tenths of a degree);
// height, bold, italic, underline and strike-out come along unchanged.
TFont TRotateLabel::RotatedFont() const {
  TFont F(const_cast<TRotateLabel*>(this)->Font());
  F.SetName(F.Name().left(MaxFaceName));
  F.SetEscapement(FAngle * 10);
  F.SetColor(ColorToRGB(F.Color()));
  return F;
}

TRotatedTextPlace TRotateLabel::TextPlace() {
  Canvas().SaveDC();
  Canvas().Font() = RotatedFont();
  const TSize E = Canvas().TextExtent(Caption());
  Canvas().RestoreDC(-1);
  return RotatedTextPlace(FAngle, E.cx, E.cy);
}

void TRotateLabel::ApplySize(const TRotatedTextPlace& Place) {
  const TAlign A = Align();
  Integer W = Width(), H = Height();
  if (A == alNone || A == alTop || A == alBottom) H = Place.BoxHeight;
  if (A == alNone || A == alLeft || A == alRight) W = Place.BoxWidth;
  if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
}

void TRotateLabel::AdjustBounds() { ApplySize(TextPlace()); }

void TRotateLabel::Paint() {
  TCanvas& C = Canvas();
  C.SaveDC();
  C.Font() = RotatedFont();
  const TSize E = C.TextExtent(Caption());
  const TRotatedTextPlace Place = RotatedTextPlace(FAngle, E.cx, E.cy);
  ApplySize(Place);
  C.Brush().Style = bsClear;
  C.TextOut(Place.Origin.X, Place.Origin.Y, Caption());
  C.RestoreDC(-1);
}

}  // namespace quellix::RLabel
