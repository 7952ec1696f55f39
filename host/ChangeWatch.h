// Property change signals of the components, on Qt Core alone.
//
// Every published property names a NOTIFY
// signal "<Property>Changed". The signals are emitted by one mechanism
// for all components: while a signal has receivers, the properties it
// notifies are watched; each public entry point that can change a
// property (the setters, the widget's event handling, timer ticks) holds
// a TChangeScope, and when the outermost scope ends every watched
// property is compared with its last value. A signal fires once per
// real change and never for a repeated set of the same value, whatever
// path changed the value (a setter, a dependent property clamped by
// another setter, the mouse).
#pragma once

#include <QMetaMethod>
#include <functional>

namespace quellix {

class TComponentCore;

// Marks a public entry point that may change published properties. When
// the outermost scope on the stack ends (and no exception is unwinding),
// the NOTIFY signals of the watched properties that changed are emitted.
class TChangeScope {
public:
  TChangeScope();
  ~TChangeScope();
  TChangeScope(const TChangeScope&) = delete;
  TChangeScope& operator=(const TChangeScope&) = delete;

private:
  int FExceptions;
};

// Tells whether a signal of the component still has receivers.
using TReceiverCheck = std::function<bool(const QMetaMethod&)>;

// Called from connectNotify: a receiver was connected to Signal of
// Component; when Signal notifies properties, they are watched from now on.
void WatchNotifySignal(TComponentCore* Component, const QMetaMethod& Signal, TReceiverCheck HasReceivers);
// Called from disconnectNotify: a receiver of Signal left (of every signal
// when Signal is invalid). A signal without receivers is no longer watched.
void UnwatchNotifySignal(const TComponentCore* Component, const QMetaMethod& Signal);
// The component goes away: its properties are no longer watched.
void ForgetNotifySignals(const TComponentCore* Component);

}  // namespace quellix
