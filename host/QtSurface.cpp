#include "quellix/host/QtSurface.h"

#include <QMetaObject>
#include <QPalette>
#include <QMetaProperty>
#include <QPointer>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_map>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/Controls.h"

namespace quellix {

// ---------------------------------------------------------------------------
// Property change signals

namespace {

struct TWatchedSignal {
  QMetaMethod Signal;
  std::vector<int> Properties;  // every property this signal notifies
  QVariantList Last;            // their values when last compared
  bool MaybeUnwatched = false;  // a receiver left; it may have been the last
};

struct TWatch {
  QPointer<QObject> Object;
  TReceiverCheck HasReceivers;
  std::vector<TWatchedSignal> Signals;
};

std::unordered_map<const TComponentCore*, TWatch>& Watches() {
  static std::unordered_map<const TComponentCore*, TWatch> W;
  return W;
}

int GDepth = 0;
bool GScanning = false;
bool GScanAgain = false;

// A value as compared: a sub-object that is not a component (a font)
// changes in its own properties, so those are its value.
QVariant WatchedValue(QObject* O, const QMetaProperty& P) {
  const QVariant V = P.read(O);
  if (!(P.metaType().flags() & QMetaType::PointerToQObject)) return V;
  QObject* Sub = V.isValid() ? *static_cast<QObject* const*>(V.constData()) : nullptr;
  if (!Sub || ComponentOf(Sub)) return V;
  QVariantList L;
  const QMetaObject* M = Sub->metaObject();
  for (int I = QObject::staticMetaObject.propertyCount(); I < M->propertyCount(); ++I) L << M->property(I).read(Sub);
  return L;
}

bool IsNan(const QVariant& V) {
  const int T = V.metaType().id();
  if (T == QMetaType::Double) return std::isnan(V.toDouble());
  if (T == QMetaType::Float) return std::isnan(V.toFloat());
  return false;
}

// Equal values, where a NaN equals a NaN: a property that holds NaN has
// not changed when it still does.
bool SameValue(const QVariant& A, const QVariant& B) {
  if (A.metaType() == B.metaType() && IsNan(A) && IsNan(B)) return true;
  return A == B;
}

QVariantList CurrentValues(QObject* O, const TWatchedSignal& S) {
  QVariantList L;
  const QMetaObject* M = O->metaObject();
  for (int I : S.Properties) L << WatchedValue(O, M->property(I));
  return L;
}

bool SameValues(const QVariantList& A, const QVariantList& B) {
  if (A.size() != B.size()) return false;
  for (qsizetype I = 0; I < A.size(); ++I)
    if (!SameValue(A[I], B[I])) return false;
  return true;
}

// Emits Signal with the value of its first property as the argument.
void Emit(QObject* O, const QMetaMethod& Signal, int Property) {
  if (Signal.parameterCount() == 0) {
    Signal.invoke(O, Qt::DirectConnection);
    return;
  }
  QVariant A = O->metaObject()->property(Property).read(O);
  if (A.metaType() != Signal.parameterMetaType(0)) A.convert(Signal.parameterMetaType(0));
  Signal.invoke(O, Qt::DirectConnection, QGenericArgument(Signal.parameterTypeName(0).constData(), A.constData()));
}

struct TPending {
  QPointer<QObject> Object;
  QMetaMethod Signal;
  int Property;
};

// Compares one component's watched properties.
void Compare(TWatch& W, std::vector<TPending>& Out) {
  QObject* O = W.Object;
  if (!O) return;
  if (TComponentCore* C = ComponentOf(O); C && C->IsDestroying()) return;
  for (auto It = W.Signals.begin(); It != W.Signals.end();) {
    if (It->MaybeUnwatched) {
      It->MaybeUnwatched = false;
      if (!W.HasReceivers(It->Signal)) {
        It = W.Signals.erase(It);
        continue;
      }
    }
    QVariantList Now = CurrentValues(O, *It);
    if (!SameValues(Now, It->Last)) {
      It->Last = std::move(Now);
      Out.push_back({W.Object, It->Signal, It->Properties.front()});
    }
    ++It;
  }
}

void ScanAll() {
  GScanning = true;
  // A receiver may change properties again; their signals follow in
  // another pass (a bounded number, against receivers that never settle).
  for (int Pass = 0; Pass < 16; ++Pass) {
    GScanAgain = false;
    std::vector<TPending> Pending;
    for (auto It = Watches().begin(); It != Watches().end();) {
      Compare(It->second, Pending);
      if (It->second.Signals.empty() || !It->second.Object)
        It = Watches().erase(It);
      else
        ++It;
    }
    for (const TPending& P : Pending)
      if (P.Object) Emit(P.Object, P.Signal, P.Property);
    if (!GScanAgain || Watches().empty()) break;
  }
  GScanning = false;
}

}  // namespace

TChangeScope::TChangeScope() : FExceptions(std::uncaught_exceptions()) { ++GDepth; }

TChangeScope::~TChangeScope() {
  if (--GDepth > 0 || Watches().empty()) return;
  // A setter left by an exception: the next scope reports what changed.
  if (std::uncaught_exceptions() > FExceptions) return;
  if (GScanning) {
    GScanAgain = true;
    return;
  }
  ScanAll();
}

void WatchNotifySignal(TComponentCore* Component, const QMetaMethod& Signal, TReceiverCheck HasReceivers) {
  QObject* O = Component->AsQObject();
  if (!O || Signal.methodType() != QMetaMethod::Signal) return;
  const QMetaObject* M = O->metaObject();
  TWatchedSignal S{Signal, {}, {}};
  for (int I = 0; I < M->propertyCount(); ++I) {
    const QMetaProperty P = M->property(I);
    if (P.hasNotifySignal() && P.notifySignal() == Signal && P.isReadable()) S.Properties.push_back(I);
  }
  if (S.Properties.empty()) return;
  TWatch& W = Watches()[Component];
  W.Object = O;
  W.HasReceivers = std::move(HasReceivers);
  for (const TWatchedSignal& Old : W.Signals)
    if (Old.Signal == Signal) return;
  S.Last = CurrentValues(O, S);
  W.Signals.push_back(std::move(S));
}

void UnwatchNotifySignal(const TComponentCore* Component, const QMetaMethod& Signal) {
  auto It = Watches().find(Component);
  if (It == Watches().end()) return;
  // Qt holds its connection lock here, so whether receivers are left is
  // asked at the next comparison. An invalid signal: all were disconnected.
  for (TWatchedSignal& S : It->second.Signals)
    if (!Signal.isValid() || S.Signal == Signal) S.MaybeUnwatched = true;
}

void ForgetNotifySignals(const TComponentCore* Component) {
  if (!Watches().empty()) Watches().erase(Component);
}

// ---------------------------------------------------------------------------

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
