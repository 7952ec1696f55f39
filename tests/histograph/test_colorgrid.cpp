// TColorGridHisto: cell geometry for every ordering, hit-testing at the
// edges, keyboard walks, markers and their change event, the drag a press
// starts, and pixel probes of cells and markers.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/host/Controls.h"

using namespace quellix;
using namespace quellix::Colorhis;

namespace {

// A control that accepts every drag and remembers what was dropped.
class TTarget : public TControl {
public:
  TTarget() { SetBounds(0, 0, 50, 50); }
  void DragOver(TObject*, Integer, Integer, TDragState, bool& Accept) override { Accept = true; }
  void DragDrop(TObject* Source, Integer, Integer) override { Dropped = Source; }
  TObject* Dropped = nullptr;
};

Word Press(TColorGridHisto& G, Word Key) {
  G.KeyDown(Key, 0);
  return Key;
}

}  // namespace

TEST(ColorGrid, ConstructionDefaults) {
  TColorGridHisto G;
  EXPECT_EQ(G.GridOrdering(), go4x4);
  EXPECT_EQ(G.Width(), 100);
  EXPECT_EQ(G.Height(), 100);
  EXPECT_EQ(G.CellWidth(), 25);
  EXPECT_EQ(G.CellHeight(), 25);
  EXPECT_EQ(G.Selection(), 0);
  EXPECT_TRUE(G.ForegroundEnabled());
  EXPECT_TRUE(G.BackgroundEnabled());
  EXPECT_FALSE(G.TabStop());
  EXPECT_EQ(G.Color(), clBtnFace);
  // Cells use palette entries 0..7 and 12..19: the 16 standard colours.
  EXPECT_EQ(G.CellColor(0), SystemPaletteEntry(0));
  EXPECT_EQ(G.CellColor(7), SystemPaletteEntry(7));
  EXPECT_EQ(G.CellColor(8), SystemPaletteEntry(12));
  EXPECT_EQ(G.CellColor(15), SystemPaletteEntry(19));
  EXPECT_EQ(G.SelectColor(), ColorToRGB(G.CellColor(0)));
}

TEST(ColorGrid, OrderingsGiveColumnsRowsAndWholeCells) {
  struct Row {
    TGridOrdering O;
    Integer Cols, Rows;
  };
  for (const Row& R : {Row{go16x1, 16, 1}, Row{go8x2, 8, 2}, Row{go4x4, 4, 4}, Row{go2x8, 2, 8}, Row{go1x16, 1, 16}}) {
    TColorGridHisto G;
    G.SetGridOrdering(R.O);
    G.SetBounds(0, 0, 103, 101);  // not whole cells for any ordering but 1 column
    SCOPED_TRACE(int(R.O));
    EXPECT_EQ(G.Columns(), R.Cols);
    EXPECT_EQ(G.Rows(), R.Rows);
    EXPECT_EQ(G.Width() % R.Cols, 0);
    EXPECT_EQ(G.Height() % R.Rows, 0);
    EXPECT_EQ(G.Width(), (103 / R.Cols) * R.Cols);
    EXPECT_EQ(G.Height(), (101 / R.Rows) * R.Rows);
    EXPECT_EQ(G.CellWidth() * R.Cols, G.Width());
    // The last cell sits in the bottom right corner.
    EXPECT_EQ(G.CellAt(G.Width() - 1, G.Height() - 1), 15);
  }
}

TEST(ColorGrid, WideStripPressAtRightEdgeSelectsLastCell) {
  TColorGridHisto G;
  G.SetGridOrdering(go16x1);
  G.SetBounds(0, 0, 320, 16);
  EXPECT_EQ(G.CellWidth(), 20);
  EXPECT_EQ(G.CellHeight(), 16);
  G.MouseDown(mbLeft, ssLeft, 319, 5);
  EXPECT_EQ(G.Selection(), 15);
  EXPECT_EQ(G.SelectColor(), ColorToRGB(G.CellColor(15)));
  TDragManager::Instance().Cancel();
  // Points outside are limited to the control first.
  EXPECT_EQ(G.CellAt(-40, -3), 0);
  EXPECT_EQ(G.CellAt(5000, 99), 15);
  EXPECT_EQ(G.CellAt(20, 0), 1);
  EXPECT_EQ(G.CellAt(19, 15), 0);
}

TEST(ColorGrid, ArrowKeysWrapAroundTheGrid) {
  TColorGridHisto G;  // 4 x 4
  struct Row {
    const char* Name;
    Integer From;
    Word Key;
    Integer To;
  };
  const Row Rows[] = {
      {"right steps on", 5, VK_RIGHT, 6},
      {"right after the last goes to the first", 15, VK_RIGHT, 0},
      {"space is right", 3, VK_SPACE, 4},
      {"left before the first goes to the last", 0, VK_LEFT, 15},
      {"down one row", 1, VK_DOWN, 5},
      {"down from last row to top of next column", 13, VK_DOWN, 2},
      {"down from the last cell to the first", 15, VK_DOWN, 0},
      {"up one row", 9, VK_UP, 5},
      {"up from first row to bottom of previous column", 1, VK_UP, 12},
      {"up from the first cell to the last", 0, VK_UP, 15},
      {"home", 9, VK_HOME, 0},
      {"end", 2, VK_END, 15},
  };
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    G.SetSelection(R.From);
    EXPECT_EQ(Press(G, R.Key), 0) << "handled keys are consumed";
    EXPECT_EQ(G.Selection(), R.To);
  }
  // Walking down visits every cell once before it comes back.
  G.SetSelection(0);
  std::vector<bool> Seen(16, false);
  for (int i = 0; i < 16; ++i) {
    Seen[G.Selection()] = true;
    Press(G, VK_DOWN);
  }
  EXPECT_EQ(G.Selection(), 0);
  EXPECT_EQ(std::count(Seen.begin(), Seen.end(), true), 16);
}

TEST(ColorGrid, UnhandledKeysGoToTheHostEvent) {
  TColorGridHisto G;
  Word Got = 0;
  G.OnKeyDown = [&](TObject*, Word& K, TShiftState) { Got = K; };
  EXPECT_EQ(Press(G, Word('X')), Word('X'));
  EXPECT_EQ(Got, Word('X'));
  Got = 0;
  Press(G, VK_RIGHT);
  EXPECT_EQ(Got, 0);
}

TEST(ColorGrid, MarkerKeysSetIndicesFireChangeAndClick) {
  TColorGridHisto G;
  int Changes = 0, Clicks = 0;
  G.OnChange = [&](TObject*) { ++Changes; };
  G.OnClick = [&](TObject*) { ++Clicks; };
  G.SetSelection(6);
  Press(G, Word('F'));
  EXPECT_EQ(G.ForegroundIndex(), 6);
  G.SetSelection(9);
  Press(G, Word('B'));
  EXPECT_EQ(G.BackgroundIndex(), 9);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Clicks, 2);
  // The same index again changes nothing.
  G.SetBackgroundIndex(9);
  EXPECT_EQ(Changes, 2);

  // A disabled marker ignores the key unless a click enables it.
  G.SetForegroundEnabled(false);
  G.SetSelection(2);
  Press(G, Word('F'));
  EXPECT_EQ(G.ForegroundIndex(), 6);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Clicks, 3);
  G.SetClickEnablesColor(true);
  Press(G, Word('F'));
  EXPECT_TRUE(G.ForegroundEnabled());
  EXPECT_EQ(G.ForegroundIndex(), 2);
  EXPECT_EQ(Changes, 3);
  // Out of range indices are ignored.
  G.SetForegroundIndex(16);
  G.SetSelection(-1);
  EXPECT_EQ(G.ForegroundIndex(), 2);
  EXPECT_EQ(G.Selection(), 2);
}

TEST(ColorGrid, AnyButtonPressSelectsAndStartsADrag) {
  TColorGridHisto G;
  TTarget T;
  int Downs = 0;
  G.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, Integer, Integer) { ++Downs; };
  G.MouseDown(mbRight, ssRight, 60, 30);  // column 2, row 1
  EXPECT_EQ(G.Selection(), 6);
  EXPECT_EQ(Downs, 1);
  EXPECT_TRUE(G.ButtonDown());
  EXPECT_EQ(G.LastButton(), mbRight);
  EXPECT_TRUE(G.Dragging());
  TDragManager::Instance().DropOn(&T, 10, 10);
  EXPECT_EQ(T.Dropped, static_cast<TObject*>(&G));
  EXPECT_FALSE(G.Dragging());
  G.MouseUp(mbRight, 0, 60, 30);
  EXPECT_FALSE(G.ButtonDown());
}

TEST(ColorGrid, PaintsCellsAndMarkersInContrastingColours) {
  TColorGridHisto G;
  G.SetCtl3D(false);
  G.SetBackgroundIndex(15);  // white cell: "HG" in black
  G.Repaint();
  // Cell 12 (blue in the standard palette) is filled with its colour.
  const TRect R = G.CellRect(12);
  EXPECT_EQ(G.Canvas().Pixel(R.Left + 3, R.Top + 3), ColorToRGB(G.CellColor(12)));
  // Cell outline is black without 3-D.
  EXPECT_EQ(G.Canvas().Pixel(R.Left, R.Top + 5), clBlack);

  // Some pixel of the "VG" marker on cell 0 (black) is white, and some of
  // the "HG" marker on cell 15 (white) is black.
  const auto Has = [&](Integer Cell, TColor C) {
    const TRect Q = G.CellRect(Cell);
    for (Integer y = Q.Top + 2; y < Q.Bottom - 2; ++y)
      for (Integer x = Q.Left + 2; x < Q.Right - 2; ++x)
        if (G.Canvas().Pixel(x, y) == C) return true;
    return false;
  };
  EXPECT_TRUE(Has(0, clWhite));
  EXPECT_TRUE(Has(15, clBlack));
  EXPECT_FALSE(Has(5, clBlack) && Has(5, clWhite)) << "unmarked cells carry no text";

  // With 3-D the cell has the sunken frame: shadow at the top left.
  G.SetCtl3D(true);
  G.Repaint();
  EXPECT_EQ(G.Canvas().Pixel(R.Left + 1, R.Top + 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(G.Canvas().Pixel(R.Right - 2, R.Bottom - 2), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(G.Canvas().Pixel(R.Left, R.Top), ColorToRGB(clBtnFace));
}
