// TColorGridHisto: geometry, painting, selection and markers, keyboard and
// mouse (a press starts the colour drag).
#include "quellix/histograph/ColorGrid.h"

#include <algorithm>

namespace quellix::Colorhis {

TColorGridHisto::TColorGridHisto(TComponentCore* AOwner, QWidget* AParent) : TCustomControl(AOwner, AParent) {
  SetOpaque(true);
  SetColor(clBtnFace);
  SetTabStop(false);
  Canvas().Brush().Style = bsSolid;
  Canvas().Pen().Color = clBlack;
  // The 16 standard colours: palette entries 0..7 and 12..19.
  for (Integer i = 0; i < CellCount; ++i) FColors[i] = SystemPaletteEntry(i < 8 ? i : i + 4);
  FSelectColor = ColorToRGB(FColors[0]);
  SetBounds(Left(), Top(), 100, 100);
  AdjustSize();
}

// ---------------------------------------------------------------------------
// Geometry

void TColorGridHisto::AdjustSize() {
  FColumns = 16 >> FGridOrdering;
  FRows = 1 << FGridOrdering;
  const Integer W = (Width() / FColumns) * FColumns;
  const Integer H = (Height() / FRows) * FRows;
  if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);  // comes back through Resize
  FCellWidth = Width() / FColumns;
  FCellHeight = Height() / FRows;
}

void TColorGridHisto::Resize() { AdjustSize(); }

Integer TColorGridHisto::CellAt(Integer X, Integer Y) const {
  if (FCellWidth <= 0 || FCellHeight <= 0) return 0;
  X = std::clamp(X, 0, std::max(0, Width() - 1));
  Y = std::clamp(Y, 0, std::max(0, Height() - 1));
  return (Y / FCellHeight) * FColumns + X / FCellWidth;
}

TRect TColorGridHisto::CellRect(Integer Index) const {
  const Integer L = (Index % FColumns) * FCellWidth;
  const Integer T = (Index / FColumns) * FCellHeight;
  return Rect(L, T, L + FCellWidth, T + FCellHeight);
}

// ---------------------------------------------------------------------------
// Painting

bool TColorGridHisto::CanDraw() {
  const QImage* S = Canvas().Surface();
  return S && !S->isNull() && FCellWidth > 0 && FCellHeight > 0;
}

void TColorGridHisto::Paint() {
  if (!CanDraw()) return;
  Canvas().Font().Assign(Font());
  for (Integer i = 0; i < CellCount; ++i) DrawCell(i, false);
  if (Focused()) DrawCell(FSelection, true);
  DrawMarkers();
}

void TColorGridHisto::DrawCell(Integer Index, bool Highlight) {
  if (Index < 0 || Index >= CellCount || !CanDraw()) return;
  TCanvas& Cv = Canvas();
  TRect R = CellRect(Index);
  Cv.Pen().Mode = pmCopy;
  Cv.Pen().Style = psSolid;
  Cv.Pen().Width = 1;
  Cv.Brush().Style = bsSolid;
  if (FCtl3D) {
    Cv.Pen().Color = clBtnFace;
    Cv.Brush().Color = clBtnFace;
    Cv.Rectangle(R);
    InflateRect(R, -1, -1);
    Cv.Frame3D(R, clBtnShadow, clBtnHighlight, 2);
    Cv.Pen().Color = FColors[Index];
  } else {
    Cv.Pen().Color = clBlack;
  }
  Cv.Brush().Color = FColors[Index];
  if (!Highlight) {
    Cv.Rectangle(R);
  } else if (FCtl3D) {
    Cv.Rectangle(R);
    InflateRect(R, -1, -1);
    Cv.DrawFocusRect(R);
  } else {
    Cv.Pen().Color = clBlack;
    Cv.Pen().Mode = pmNot;
    Cv.Rectangle(R);
    Cv.Pen().Mode = pmCopy;
    InflateRect(R, -2, -2);
    Cv.Rectangle(R);
  }
}

void TColorGridHisto::DrawMarkers() {
  if (!CanDraw()) return;
  const bool Same = FForegroundIndex == FBackgroundIndex;
  if (FForegroundEnabled)
    DrawMarker(FForegroundIndex, Same && FBackgroundEnabled ? QStringLiteral("VH") : QStringLiteral("VG"));
  if (FBackgroundEnabled)
    DrawMarker(FBackgroundIndex, Same && FForegroundEnabled ? QStringLiteral("VH") : QStringLiteral("HG"));
}

// The marker text in a colour that stands out from the cell: each RGB
// component pushed to the far end (255 below 128, else 0).
void TColorGridHisto::DrawMarker(Integer Index, const QString& Text) {
  if (Index < 0 || Index >= CellCount) return;
  const TColor C = ColorToRGB(FColors[Index]);
  const auto Far = [](int V) { return V < 128 ? 255 : 0; };
  TCanvas& Cv = Canvas();
  Cv.Font().Assign(Font());
  Cv.Font().SetColor(RGB(Far(C & 0xFF), Far((C >> 8) & 0xFF), Far((C >> 16) & 0xFF)));
  Cv.SetBkMode(bkTransparent);
  Cv.DrawTextCentered(Text, CellRect(Index));
}

// ---------------------------------------------------------------------------
// Properties

void TColorGridHisto::SetSelection(Integer Value) {
  const TChangeScope Changes;
  if (Value < 0 || Value >= CellCount || Value == FSelection) return;
  DrawCell(FSelection, false);
  FSelection = Value;
  DrawCell(FSelection, Focused());
  DrawMarkers();
  FSelectColor = ColorToRGB(FColors[FSelection]);
}

void TColorGridHisto::SetForegroundIndex(Integer Value) {
  const TChangeScope Changes;
  if (!FForegroundEnabled || Value == FForegroundIndex || Value < 0 || Value >= CellCount) return;
  DrawCell(FForegroundIndex, FForegroundIndex == FSelection && Focused());
  FForegroundIndex = Value;
  DrawMarkers();
  if (OnChange) OnChange(this);
  emit change(this);
}

void TColorGridHisto::SetBackgroundIndex(Integer Value) {
  const TChangeScope Changes;
  if (!FBackgroundEnabled || Value == FBackgroundIndex || Value < 0 || Value >= CellCount) return;
  DrawCell(FBackgroundIndex, FBackgroundIndex == FSelection && Focused());
  FBackgroundIndex = Value;
  DrawMarkers();
  if (OnChange) OnChange(this);
  emit change(this);
}

void TColorGridHisto::SetForegroundEnabled(bool Value) {
  const TChangeScope Changes;
  if (Value == FForegroundEnabled) return;
  FForegroundEnabled = Value;
  // The background marker may change from "VH" to "HG" in the same cell.
  DrawCell(FForegroundIndex, FForegroundIndex == FSelection && Focused());
  DrawMarkers();
}

void TColorGridHisto::SetBackgroundEnabled(bool Value) {
  const TChangeScope Changes;
  if (Value == FBackgroundEnabled) return;
  FBackgroundEnabled = Value;
  DrawCell(FBackgroundIndex, FBackgroundIndex == FSelection && Focused());
  DrawMarkers();
}

void TColorGridHisto::SetGridOrdering(TGridOrdering Value) {
  const TChangeScope Changes;
  if (Value > go1x16 || Value == FGridOrdering) return;
  FGridOrdering = Value;
  AdjustSize();
  Invalidate();
}

void TColorGridHisto::SetCtl3D(bool Value) {
  const TChangeScope Changes;
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  Invalidate();
}

void TColorGridHisto::focusInEvent(QFocusEvent* Event) {
  TCustomControl::focusInEvent(Event);
  DrawCell(FSelection, true);
  DrawMarkers();
}

void TColorGridHisto::focusOutEvent(QFocusEvent* Event) {
  TCustomControl::focusOutEvent(Event);
  DrawCell(FSelection, false);
  DrawMarkers();
}

// ---------------------------------------------------------------------------
// Keyboard and mouse

void TColorGridHisto::KeyDown(Word& Key, TShiftState Shift) {
  const Integer N = CellCount, C = FColumns, S = FSelection;
  switch (Key) {
    case VK_RIGHT:
    case VK_SPACE:
      SetSelection(S + 1 < N ? S + 1 : 0);
      break;
    case VK_LEFT:
      SetSelection(S > 0 ? S - 1 : N - 1);
      break;
    case VK_DOWN:
      // One row down; from the last row to the top of the next column.
      if (S + C < N)
        SetSelection(S + C);
      else
        SetSelection(S == N - 1 ? 0 : S - (N - C) + 1);
      break;
    case VK_UP:
      // One row up; from the first row to the bottom of the previous column.
      if (S - C >= 0)
        SetSelection(S - C);
      else
        SetSelection(S == 0 ? N - 1 : N - C + S - 1);
      break;
    case VK_HOME:
      SetSelection(0);
      break;
    case VK_END:
      SetSelection(N - 1);
      break;
    case Word('F'):
      if (!FForegroundEnabled && FClickEnablesColor) SetForegroundEnabled(true);
      SetForegroundIndex(FSelection);
      Click();
      break;
    case Word('B'):
      if (!FBackgroundEnabled && FClickEnablesColor) SetBackgroundEnabled(true);
      SetBackgroundIndex(FSelection);
      Click();
      break;
    default:
      TCustomControl::KeyDown(Key, Shift);
      return;
  }
  Key = 0;
}

void TColorGridHisto::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FButton = Button;
  FButtonDown = true;
  SetSelection(CellAt(X, Y));
  TCustomControl::MouseDown(Button, Shift, X, Y);
  BeginDrag(true);
}

void TColorGridHisto::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FButtonDown = false;
}

}  // namespace quellix::Colorhis
