// The drag manager: one drag at a time, from the control that began it to
// the control under the mouse.
#include <QApplication>
#include <QWidget>

#include "quellix/host/Controls.h"

namespace quellix {

TDragManager& TDragManager::Instance() {
  static TDragManager M;
  return M;
}

TObject* TDragManager::DragObject() const { return FDragObject ? FDragObject : static_cast<TObject*>(FSource); }

void TDragManager::Begin(TInputWidget* Source) {
  if (FSource) Cancel();
  if (!Source) return;
  FSource = Source;
  FDragObject = nullptr;
  FTarget = nullptr;
  FAccepted = false;
  FPos = {};
  Source->DoStartDrag(FDragObject);
}

namespace {

// The control under a screen point and the point in its client coordinates.
TInputWidget* ControlAt(TPoint ScreenPoint, TPoint& Local) {
  const QPoint G(ScreenPoint.X, ScreenPoint.Y);
  QWidget* W = QApplication::widgetAt(G);
  TInputWidget* Target = nullptr;
  while (W && !(Target = qobject_cast<TInputWidget*>(W))) W = W->parentWidget();
  Local = {};
  if (Target) {
    const QPoint L = Target->mapFromGlobal(G);
    Local = {L.x(), L.y()};
  }
  return Target;
}

}  // namespace

void TDragManager::MoveTo(TPoint ScreenPoint) {
  if (!FSource) return;
  TPoint L;
  TInputWidget* Target = ControlAt(ScreenPoint, L);
  MoveOver(Target, L.X, L.Y);
}

// A new target hears dsDragLeave for the old one first, then dsDragEnter;
// every move ends with dsDragMove, whose answer decides the drop.
void TDragManager::MoveOver(TInputWidget* Target, Integer X, Integer Y) {
  if (!FSource) return;
  TObject* Src = DragObject();
  if (Target != FTarget) {
    if (FTarget) {
      bool Dummy = false;
      FTarget->DispatchDragOver(Src, FPos.X, FPos.Y, dsDragLeave, Dummy);
    }
    FTarget = Target;
    FAccepted = false;
    if (Target) {
      bool Accept = false;
      Target->DispatchDragOver(Src, X, Y, dsDragEnter, Accept);
      FAccepted = Accept;
    }
  }
  FPos = {X, Y};
  if (FTarget) {
    bool Accept = false;
    FTarget->DispatchDragOver(Src, X, Y, dsDragMove, Accept);
    FAccepted = Accept;
  }
}

void TDragManager::Drop(TPoint ScreenPoint) {
  if (!FSource) return;
  TPoint L;
  TInputWidget* Target = ControlAt(ScreenPoint, L);
  DropOn(Target, L.X, L.Y);
}

// The drop happens where the last move left off; a release elsewhere is
// a move there first.
void TDragManager::DropOn(TInputWidget* Target, Integer X, Integer Y) {
  if (!FSource) return;
  if (Target != FTarget || FPos.X != X || FPos.Y != Y) MoveOver(Target, X, Y);
  Finish(FTarget, X, Y);
}

void TDragManager::Cancel() {
  if (!FSource) return;
  FAccepted = false;
  Finish(FTarget, FPos.X, FPos.Y);
}

// The target hears dsDragLeave, then the drop when it accepted; the
// source is told last, with the target or nullptr when nothing took it.
void TDragManager::Finish(TInputWidget* Target, Integer X, Integer Y) {
  TInputWidget* Source = FSource;
  TObject* Src = DragObject();
  const bool Accepted = FAccepted && Target;
  FSource = nullptr;
  FDragObject = nullptr;
  FTarget = nullptr;
  FAccepted = false;
  if (Target) {
    bool Dummy = false;
    Target->DispatchDragOver(Src, X, Y, dsDragLeave, Dummy);
  }
  if (Accepted) Target->DispatchDragDrop(Src, X, Y);
  if (Source) Source->DoEndDrag(Accepted ? static_cast<TObject*>(Target) : nullptr, X, Y);
}

void TDragManager::Forget(TInputWidget* Control) {
  if (!Control) return;
  if (FTarget == Control) {
    FTarget = nullptr;
    FAccepted = false;
  }
  if (FSource == Control || FDragObject == static_cast<TObject*>(Control)) {
    FSource = nullptr;
    FDragObject = nullptr;
    FTarget = nullptr;
    FAccepted = false;
  }
}

}  // namespace quellix
