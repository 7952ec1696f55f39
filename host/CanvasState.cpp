// The canvas's state: surface, tools, modes, origin, clip and the stack
// of saved states.
#include "quellix/host/Graphics.h"

#include "quellix/host/CanvasOps.h"

namespace quellix {

using CanvasDetail::Normalized;

struct TCanvasState::State {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode;
  TBkMode BkMode;
  TPoint PenPos;
  TPoint Origin;
  QRegion Clip;
  bool HasClip;
};

TCanvasState::TCanvasState(QImage* Surface) : FSurface(Surface) {}

TCanvasState::~TCanvasState() = default;

void TCanvasState::SetSurface(QImage* Surface) {
  FSurface = Surface;
  UpdateClipCache();
}

qreal TCanvasState::PixelRatio() const { return FSurface && !FSurface->isNull() ? FSurface->devicePixelRatio() : 1; }

// The surface in logical pixels.
QRect TCanvasState::SurfaceRect() const {
  if (!FSurface || FSurface->isNull()) return QRect();
  const qreal R = FSurface->devicePixelRatio();
  if (R == 1) return FSurface->rect();
  return QRect(0, 0, qRound(FSurface->width() / R), qRound(FSurface->height() / R));
}

void TCanvasState::UpdateClipCache() {
  FClipRects.assign(FClip.begin(), FClip.end());
  FClipBound = FClip.boundingRect();
  const qreal R = PixelRatio();
  FSurfaceClipRects.clear();
  for (const QRect& C : FClipRects) FSurfaceClipRects.push_back(TCanvasOps::ToSurface(R, C));
}

void TCanvasState::ForEachClipPart(const QRect& R, const std::function<void(const QRect&)>& Part) const {
  QRect B = R & SurfaceRect();
  if (B.isEmpty()) return;
  if (!FHasClip) {
    Part(B);
    return;
  }
  for (const QRect& C : FClipRects) {
    QRect P = B & C;
    if (!P.isEmpty()) Part(P);
  }
}

void TCanvasState::SelectClipRect(const TRect& R) {
  FClip = QRegion(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

void TCanvasState::SelectClipRgn(const QRegion& Region) {
  if (Region.isEmpty()) {
    SelectNoClip();
    return;
  }
  FClip = Region;
  FHasClip = true;
  UpdateClipCache();
}

void TCanvasState::SelectNoClip() {
  FClip = QRegion();
  FHasClip = false;
  UpdateClipCache();
}

void TCanvasState::IntersectClipRect(const TRect& R) {
  QRegion Base = FHasClip ? FClip : QRegion(SurfaceRect());
  FClip = Base.intersected(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

void TCanvasState::ExcludeClipRect(const TRect& R) {
  QRegion Base = FHasClip ? FClip : QRegion(SurfaceRect());
  FClip = Base.subtracted(Normalized(R.Left, R.Top, R.Right, R.Bottom));
  FHasClip = true;
  UpdateClipCache();
}

TRect TCanvasState::ClipBox() const {
  QRect B = SurfaceRect();
  if (FHasClip) B &= FClipBound;
  if (B.isEmpty()) return TRect{};
  return TRect::FromQRect(B.translated(-FOrigin.X, -FOrigin.Y));
}

int TCanvasState::SaveDC() {
  auto S = std::make_unique<State>(State{FPen, FBrush, FFont, FCopyMode, FBkMode, FPenPos, FOrigin, FClip, FHasClip});
  FSaved.push_back(std::move(S));
  return static_cast<int>(FSaved.size());
}

bool TCanvasState::RestoreDC(int SavedDC) {
  int N = static_cast<int>(FSaved.size());
  int Index = SavedDC < 0 ? N + SavedDC + 1 : SavedDC;  // 1-based
  if (Index < 1 || Index > N) return false;
  State& S = *FSaved[Index - 1];
  FPen = S.Pen;
  FBrush = S.Brush;
  FFont = S.Font;
  FCopyMode = S.CopyMode;
  FBkMode = S.BkMode;
  FPenPos = S.PenPos;
  FOrigin = S.Origin;
  FClip = S.Clip;
  FHasClip = S.HasClip;
  UpdateClipCache();
  FSaved.resize(Index - 1);
  return true;
}

}  // namespace quellix
