// The Qt-side surface of the components: what a Qt program expects of a
// widget, added beside the components' own API without changing it.
// Property change signals: see ChangeWatch.h.
//
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
#include <QMetaProperty>
#include <QSize>

#include "quellix/host/ChangeWatch.h"


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

// The colour property of a QColor meta-property: its TColor twin, or the
// property itself when it has none.
QMetaProperty ColorTwin(const QMetaObject* Meta, const QMetaProperty& Property);

// A size from the class info Key ("width,height"), or an invalid size.
QSize ClassInfoSize(const QMetaObject* Meta, const char* Key);

}  // namespace quellix
