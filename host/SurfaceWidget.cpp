#include "quellix/host/SurfaceWidget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "quellix/host/ChangeWatch.h"

namespace quellix {

// ---------------------------------------------------------------------------
// The frame clock: runs the deferred drawing of every control that asked
// for it, at most once per frame.

namespace {

class TFrameClock : public QObject {
public:
  // One per application (a child of it); nullptr before the application.
  static TFrameClock* Instance() {
    static QPointer<TFrameClock> Clock;
    if (!Clock && QCoreApplication::instance()) Clock = new TFrameClock(QCoreApplication::instance());
    return Clock;
  }

  void Schedule(TSurfaceWidget* C) {
    if (std::find(FPending.begin(), FPending.end(), C) == FPending.end()) FPending.push_back(C);
    if (FTimer->isActive()) return;
    const qint64 Since = FLastFrame.isValid() ? FLastFrame.elapsed() : kFrameMs;
    FTimer->start(static_cast<int>(std::max<qint64>(0, kFrameMs - Since)));
  }

  void Forget(TSurfaceWidget* C) {
    FPending.erase(std::remove(FPending.begin(), FPending.end(), C), FPending.end());
    if (FPending.empty()) FTimer->stop();
  }

  // Every pending drawing now; a control that schedules again while this
  // runs waits for the next frame.
  void FlushAll() {
    FLastFrame.start();
    FTimer->stop();
    std::vector<TSurfaceWidget*> Now;
    Now.swap(FPending);
    for (TSurfaceWidget* C : Now) C->FlushDrawing();
  }

private:
  static constexpr qint64 kFrameMs = 16;  // 60 frames per second
  explicit TFrameClock(QObject* Parent) : QObject(Parent), FTimer(new QTimer(this)) {
    FTimer->setSingleShot(true);
    connect(FTimer, &QTimer::timeout, this, [this] { FlushAll(); });
  }
  QTimer* FTimer;
  QElapsedTimer FLastFrame;
  std::vector<TSurfaceWidget*> FPending;
};

}  // namespace

// ---------------------------------------------------------------------------
// TSurfaceWidget

TSurfaceWidget::TSurfaceWidget(QWidget* AParent) : QWidget(AParent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  FCanvas.SetSurface(&FSurface);
  FCanvas.OnTouched = [this](const QRect& R) { Touched(R); };
}

TSurfaceWidget::~TSurfaceWidget() {
  if (FDrawingPending)
    if (TFrameClock* Clock = TFrameClock::Instance()) Clock->Forget(this);
  FCanvas.OnTouched = nullptr;
}

void TSurfaceWidget::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const TChangeScope Changes;
  setGeometry(std::clamp(ALeft, -kMaxControlPosition, kMaxControlPosition),
              std::clamp(ATop, -kMaxControlPosition, kMaxControlPosition), std::clamp(AWidth, 0, kMaxControlSize),
              std::clamp(AHeight, 0, kMaxControlSize));
  SizeChanged();
}

// Hidden widgets get their resize event only when shown; the surface and
// Resize() follow the new size at once all the same.
void TSurfaceWidget::SizeChanged() {
  if (!EnsureSurface()) return;
  FInvalid = QRegion(rect());
  ArrangeChildren();
  Resize();
  update();
}

// The surface has the control's size in logical pixels and the pixel
// ratio of the screen (or the one set); what was drawn stays when only the
// size changes.
bool TSurfaceWidget::EnsureSurface() {
  const QSize S = size();
  if (S.isEmpty()) {
    if (FSurface.isNull()) return false;
    FSurface = QImage();
    FCanvas.SetSurface(&FSurface);
    return true;
  }
  const qreal Ratio = PixelRatio();
  const QSize Pixels = Ratio == 1 ? S : QSize(qRound(S.width() * Ratio), qRound(S.height() * Ratio));
  const bool SameRatio = FSurface.devicePixelRatio() == Ratio;
  if (FSurface.size() == Pixels && SameRatio) return false;
  QImage New(Pixels, QImage::Format_RGB32);
  // Without memory for the new size the control keeps drawing on the
  // surface it has.
  if (New.isNull()) return false;
  New.setDevicePixelRatio(Ratio);
  New.fill(ToQRgb(EffectiveColor()));
  if (!FSurface.isNull() && SameRatio) {
    QPainter P(&New);
    P.drawImage(0, 0, FSurface);
  }
  FSurface = New;
  FCanvas.SetSurface(&FSurface);
  return true;
}

qreal TSurfaceWidget::PixelRatio() const { return FPixelRatio > 0 ? FPixelRatio : devicePixelRatioF(); }

void TSurfaceWidget::SetPixelRatio(qreal Value) {
  if (!(Value >= 0) || Value == FPixelRatio) return;
  FPixelRatio = Value;
  if (EnsureSurface()) Invalidate();
}

TPoint TSurfaceWidget::ClientToScreen(TPoint P) const {
  QPoint G = mapToGlobal(QPoint(P.X, P.Y));
  return {G.x(), G.y()};
}

TPoint TSurfaceWidget::ScreenToClient(TPoint P) const {
  QPoint L = mapFromGlobal(QPoint(P.X, P.Y));
  return {L.x(), L.y()};
}

void TSurfaceWidget::SetOpaque(bool Value) {
  if (Value == FOpaque) return;
  FOpaque = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Painting

void TSurfaceWidget::Invalidate() {
  FInvalid = QRegion(rect());
  update();
}

void TSurfaceWidget::InvalidateRect(const TRect& R) {
  QRect Q = R.ToQRect().normalized() & rect();
  if (Q.isEmpty()) return;
  FInvalid += Q;
  update(Q);
}

// A paint of everything draws the present state: what was pending is in
// it, and a component's Paint drops its pending work.
void TSurfaceWidget::Repaint() {
  EnsureSurface();
  FInvalid = QRegion();
  PaintInto(QRegion(rect()));
  FTouched = QRect();
  update();
}

// Inside a paint event or the deferred drawing the screen copy follows at
// the paint event that Qt delivers next.
void TSurfaceWidget::Update() {
  FlushDrawing();
  if (!FInvalid.isEmpty()) {
    QRegion R = FInvalid;
    FInvalid = QRegion();
    PaintInto(R);
  }
  if (!isVisible()) return;
  if (FFlushing || FInPaintEvent)
    update();
  else
    repaint();
}

void TSurfaceWidget::ScheduleDrawing() {
  if (!FDrawDeferred) {
    FDrawingPending = true;
    FlushDrawing();
    return;
  }
  if (FDrawingPending) return;
  TFrameClock* Clock = TFrameClock::Instance();
  if (!Clock) {
    FDrawingPending = true;
    FlushDrawing();
    return;
  }
  FDrawingPending = true;
  Clock->Schedule(this);
}

void TSurfaceWidget::FlushDrawing() {
  if (!FDrawingPending || FFlushing) return;
  FDrawingPending = false;
  if (TFrameClock* Clock = TFrameClock::Instance()) Clock->Forget(this);
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } Guard{FFlushing};
  FFlushing = true;
  DrawPending();
}

void TSurfaceWidget::SetDrawDeferred(bool Value) {
  if (Value == FDrawDeferred) return;
  FDrawDeferred = Value;
  if (!Value) FlushDrawing();
}

// Runs Paint for Region into the surface: the canvas is clipped to the
// region, its font and brush are the control's, and unless the control is
// opaque the region is first filled with the background colour.
void TSurfaceWidget::PaintInto(const QRegion& Region) {
  EnsureSurface();
  if (FSurface.isNull()) return;
  const QRegion R = Region.intersected(rect());
  if (R.isEmpty()) return;

  struct Restore {
    TSurfaceWidget* C;
    bool HadClip;
    QRegion Clip;
    ~Restore() {
      if (HadClip)
        C->FCanvas.SelectClipRgn(Clip);
      else
        C->FCanvas.SelectNoClip();
      C->FPainting = false;
    }
  } Guard{this, FCanvas.HasClip(), FCanvas.ClipRegion()};

  FPainting = true;
  FCanvas.SelectClipRgn(R);
  FCanvas.Font() = PaintFont();
  FCanvas.Brush().Color = EffectiveColor();
  FCanvas.Brush().Style = bsSolid;
  // The background of the region only: the region is the clip.
  if (!FOpaque) FCanvas.FillRect(TRect::FromQRect(R.boundingRect()));
  Paint();
}

void TSurfaceWidget::Touched(const QRect& R) {
  // During Paint the whole painted region goes to the screen afterwards.
  if (FPainting || FTouched.contains(R)) return;
  // One growing rectangle keeps the pending update cheap when thousands
  // of segments are drawn one after the other.
  FTouched |= R;
  update(FTouched);
}

void TSurfaceWidget::paintEvent(QPaintEvent* Event) {
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } Guard{FInPaintEvent};
  FInPaintEvent = true;
  if (EnsureSurface()) FInvalid = QRegion(rect());
  FlushDrawing();
  FTouched = QRect();
  if (!FInvalid.isEmpty()) {
    QRegion R = FInvalid;
    FInvalid = QRegion();
    PaintInto(R);
  }
  if (FSurface.isNull()) return;
  QPainter P(this);
  const QRect R = Event->rect();
  const qreal Ratio = FSurface.devicePixelRatio();
  if (Ratio == 1)
    P.drawImage(R, FSurface, R);
  else
    P.drawImage(QRectF(R), FSurface, QRectF(R.x() * Ratio, R.y() * Ratio, R.width() * Ratio, R.height() * Ratio));
}

void TSurfaceWidget::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  SizeChanged();
}

// The drawing deferred by data calls, done now for every control.
void FlushPendingDrawing() {
  if (TFrameClock* Clock = TFrameClock::Instance()) Clock->FlushAll();
}

}  // namespace quellix
