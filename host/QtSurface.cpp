#include "quellix/host/QtSurface.h"

#include <QMetaObject>
#include <QPalette>
#include <QMetaProperty>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"

namespace quellix {

QMetaProperty ColorTwin(const QMetaObject* Meta, const QMetaProperty& Property) {
  if (Property.metaType().id() != QMetaType::QColor) return Property;
  const int I = Meta->indexOfProperty(QByteArray(Property.name()) + "TColor");
  return I >= 0 ? Meta->property(I) : Property;
}

QSize ClassInfoSize(const QMetaObject* Meta, const char* Key) {
  const int I = Meta->indexOfClassInfo(Key);
  if (I < 0) return QSize();
  const QList<QByteArray> Parts = QByteArray(Meta->classInfo(I).value()).split(',');
  if (Parts.size() != 2) return QSize();
  return QSize(Parts[0].trimmed().toInt(), Parts[1].trimmed().toInt());
}

}  // namespace quellix

// ---------------------------------------------------------------------------
// TControl: events, size hints, widget font and palette

namespace quellix {

bool TControl::event(QEvent* Event) {
  const TChangeScope Changes;
  return QWidget::event(Event);
}

void TControl::connectNotify(const QMetaMethod& Signal) {
  WatchNotifySignal(this, Signal, [this](const QMetaMethod& M) { return isSignalConnected(M); });
}

void TControl::disconnectNotify(const QMetaMethod& Signal) { UnwatchNotifySignal(this, Signal); }

QSize TControl::sizeHint() const {
  const QSize S = ClassInfoSize(metaObject(), "NaturalSize");
  return S.isValid() ? S : QWidget::sizeHint();
}

QSize TControl::minimumSizeHint() const {
  const QSize S = ClassInfoSize(metaObject(), "MinimumSize");
  return S.isValid() ? S : QWidget::minimumSizeHint();
}

namespace {

// Family, character height and style of a Qt font; colour and
// escapement stay the component's.
void TakeFont(TFont& F, const QFont& Q) {
  F.SetName(Q.family());
  const int Px = Q.pixelSize() > 0 ? Q.pixelSize() : qRound(Q.pointSizeF() * 96.0 / 72.0);
  F.SetHeight(-Px);
  F.SetStyle((Q.bold() ? fsBold : 0) | (Q.italic() ? fsItalic : 0) | (Q.underline() ? fsUnderline : 0) |
             (Q.strikeOut() ? fsStrikeOut : 0));
}

QVariant FontValue(const TFont& F) { return QVariantList{F.Name(), F.Height(), F.Style()}; }

// The palette role that shows a system colour, or -1.
int RoleOfSystemColor(TColor C) {
  if (C >= 0) return -1;
  switch (C) {
    case clWindow:
      return QPalette::Base;
    case clWindowText:
      return QPalette::WindowText;
    case clHighlight:
      return QPalette::Highlight;
    case clHighlightText:
      return QPalette::HighlightedText;
    case clBtnFace:
      return QPalette::Button;
    case clBtnShadow:
      return QPalette::Dark;
    case clBtnText:
      return QPalette::ButtonText;
    case clBtnHighlight:
      return QPalette::Light;
    case cl3DDkShadow:
      return QPalette::Shadow;
    case cl3DLight:
      return QPalette::Midlight;
    case clInfoText:
      return QPalette::ToolTipText;
    case clInfoBk:
      return QPalette::ToolTipBase;
    default:
      return -1;
  }
}

bool DeclaredColorDefault(const QMetaObject* M, const char* Name, TColor& Out) {
  const int I = M->indexOfClassInfo(QByteArray("default:") + Name);
  if (I < 0) return false;
  bool Ok = false;
  Out = QByteArray(M->classInfo(I).value()).toInt(&Ok);
  return Ok;
}

}  // namespace

// A font set on this widget is the most recent request: it is taken by
// Font and by every other font property not changed since the widget font
// was last taken. A font only inherited from a parent widget is taken by
// Font alone, and only while Font follows the parent (ParentFont).
void TControl::TakeWidgetFont() {
  const bool Own = testAttribute(Qt::WA_SetFont);
  const QFont Q = font();
  if (!Own && Q.resolveMask() == 0) return;
  if (Own || FParentFont) {
    FApplyingFont = true;
    TakeFont(FFont, Q);
    FApplyingFont = false;
    if (Own) FParentFont = false;
  }
  if (!Own) return;
  const QMetaObject* M = metaObject();
  for (int I = QWidget::staticMetaObject.propertyCount(); I < M->propertyCount(); ++I) {
    const QMetaProperty P = M->property(I);
    if (!(P.metaType().flags() & QMetaType::PointerToQObject) || P.name() == QByteArrayView("Font")) continue;
    const QVariant V = P.read(this);
    TFont* F = qobject_cast<TFont*>(V.isValid() ? *static_cast<QObject* const*>(V.constData()) : nullptr);
    if (!F) continue;
    const QByteArray Key = P.name();
    const QVariant Taken = FTakenFromWidget.value(Key);
    if (Taken.isValid() && FontValue(*F) != Taken) continue;  // set since: the component's own
    TakeFont(*F, Q);
    FTakenFromWidget.insert(Key, FontValue(*F));
  }
}

// Colours: Color follows the palette's Window colour when the palette is
// set on this widget, or inherited while Color follows the parent
// (ParentColor). A colour property whose declared default is a system
// colour follows the palette role of that colour (set on this widget)
// while it holds its default or the colour last taken; a colour set
// explicitly stays.
void TControl::TakeWidgetPalette() {
  const bool Own = testAttribute(Qt::WA_SetPalette);
  const QPalette Pal = palette();
  if ((Own || FParentColor) && Pal.isBrushSet(QPalette::Active, QPalette::Window)) {
    const TColor C = FromQColor(Pal.color(QPalette::Window));
    if (Own) {
      SetColor(C);
    } else if (C != FColor) {
      const TChangeScope Changes;
      FColor = C;
      Invalidate();
      PropagateColor(this);
    }
  }
  if (!Own) return;
  const QMetaObject* M = metaObject();
  for (int I = QWidget::staticMetaObject.propertyCount(); I < M->propertyCount(); ++I) {
    const QMetaProperty P = M->property(I);
    if (P.metaType().id() != QMetaType::QColor || P.name() == QByteArrayView("Color")) continue;
    const QMetaProperty T = ColorTwin(M, P);
    TColor Default;
    if (T.metaType().id() != QMetaType::Int || !DeclaredColorDefault(M, P.name(), Default)) continue;
    const int Role = RoleOfSystemColor(Default);
    if (Role < 0) continue;
    const TColor Now = T.read(this).toInt();
    const QVariant Taken = FTakenFromWidget.value(P.name());
    const bool Follows = Now == Default || (Taken.isValid() && Now == Taken.toInt());
    if (!Follows) continue;
    if (Pal.isBrushSet(QPalette::Active, QPalette::ColorRole(Role))) {
      const TColor C = FromQColor(Pal.color(QPalette::ColorRole(Role)));
      T.write(this, C);
      FTakenFromWidget.insert(P.name(), C);
    } else if (Taken.isValid()) {
      T.write(this, Default);  // the role is no longer set: back to the default
      FTakenFromWidget.remove(P.name());
    }
  }
}

}  // namespace quellix
