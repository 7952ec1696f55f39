// The Qt-side surface of the components: what a Qt program expects of a
// widget, added beside the components' own API without changing it.
//
// - Property change signals. Every published property names a NOTIFY
//   signal "<Property>Changed". The signals are emitted by one mechanism
//   for all components: while a signal has receivers, the properties it
//   notifies are watched; each public entry point that can change a
//   property (the setters, the widget's event handling, timer ticks) holds
//   a TChangeScope, and when the outermost scope ends every watched
//   property is compared with its last value. A signal fires once per
//   real change and never for a repeated set of the same value, whatever
//   path changed the value (a setter, a dependent property clamped by
//   another setter, the mouse).
// - Colours as QColor. QUELLIX_COLOR_PROPERTY(Name) declares a colour
//   property for the meta-object as a QColor, so that
//   setProperty("IndicatorColor", QColor(Qt::red)) works, while the
//   component's getter and setter keep the integer TColor. Streaming writes
//   and reads the integer form (system colours included) through the
//   hidden twin property "<Name>TColor".
// - Events as signals: each event "OnXxx" is also emitted as the Qt signal
//   "xxx" from the place where the callback is called, with the same
//   arguments (QML would call its handler onXxx, the event's own name).
// - Size hints from the class infos "NaturalSize" and "MinimumSize"
//   ("width,height").
#pragma once

#include <QColor>
#include <QMetaMethod>
#include <QSize>
#include <functional>


// Use among the Q_PROPERTY lines of a class (it leaves the access private,
// as it is there). The class must have Name() returning TColor and
// SetName(TColor), and see quellix/host/Graphics.h.
#define QUELLIX_COLOR_PROPERTY(Name) QUELLIX_COLOR_PROPERTY_STORED(Name, true)
// The same for a colour that forms do not store (it streams in a list).
#define QUELLIX_UNSTORED_COLOR_PROPERTY(Name) QUELLIX_COLOR_PROPERTY_STORED(Name, false)

#define QUELLIX_COLOR_PROPERTY_STORED(Name, Stored)                                                     \
  Q_PROPERTY(QColor Name READ Name##AsQColor WRITE Set##Name##AsQColor NOTIFY Name##Changed STORED Stored) \
  Q_PROPERTY(int Name##TColor READ Name WRITE Set##Name NOTIFY Name##Changed STORED false DESIGNABLE false) \
                                                                                                        \
public:                                                                                                 \
  QColor Name##AsQColor() const { return ::quellix::ToQColor(Name()); }                                 \
  void Set##Name##AsQColor(const QColor& Value) { Set##Name(::quellix::FromQColor(Value)); }            \
  Q_SIGNALS:                                                                                            \
  void Name##Changed(const QColor& Value);                                                              \
                                                                                                        \
private:

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

// The colour property of a QColor meta-property: its TColor twin, or the
// property itself when it has none.
QMetaProperty ColorTwin(const QMetaObject* Meta, const QMetaProperty& Property);

// A size from the class info Key ("width,height"), or an invalid size.
QSize ClassInfoSize(const QMetaObject* Meta, const char* Key);

}  // namespace quellix
