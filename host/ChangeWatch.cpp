#include "quellix/host/ChangeWatch.h"

#include <QMetaObject>
#include <QMetaProperty>
#include <QPointer>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_map>
#include <vector>

#include "quellix/host/Component.h"

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

}  // namespace quellix
