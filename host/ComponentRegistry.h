/// The class registry of streamed forms: a class registered here can be
/// created by name when a stream holds a component its owner does not have
/// yet. It needs Qt Core only, so that the signal-processing libraries
/// register their classes without linking Qt Widgets; the form reader itself
/// is in Streaming.h. \file
#pragma once

#include <QString>
#include <functional>
#include <type_traits>

#include "quellix/host/Component.h"

class QWidget;

namespace quellix {

using TComponentFactory = std::function<TComponentCore*(TComponentCore* Owner)>;

/// Makes a class creatable by name. Names compare without regard to case.
/// Meta, when given, is the class the factory creates: a component of
/// exactly that class is written under the name it was first registered
/// with, so that two classes of the same bare name (the stand-alone panel
/// meter and the panel meter sink) stay apart in a stream.
void RegisterComponentClass(const QString& ClassName, TComponentFactory Create, const QMetaObject* Meta = nullptr);
/// The factory registered under ClassName, or an empty function. Unlike
/// FindComponentClass (Streaming.h) it does not register the host's classes.
TComponentFactory FindRegisteredClass(const QString& ClassName);
/// The class name a stream writes for C: the name its class is registered
/// under, or its class name without namespaces when it is not registered.
QString StreamClassName(const TComponentCore* C);
/// The widget a control created from a stream is placed on: Owner when it
/// is a widget, else none. Defined by the windowing host library, which
/// every control links.
QWidget* OwnerWidget(TComponentCore* Owner);

/// Registers T under StreamName, by default its class name without
/// namespaces ("TMeter"). A control created from a stream is placed on its
/// owner when the owner is a widget (a form), so that it shows where it was
/// designed.
template <class T>
void RegisterClass(QString StreamName = QString()) {
  if (StreamName.isEmpty()) {
    StreamName = QString::fromLatin1(T::staticMetaObject.className());
    const int P = StreamName.lastIndexOf(QLatin1String("::"));
    if (P >= 0) StreamName = StreamName.mid(P + 2);
  }
  RegisterComponentClass(
      StreamName,
      [](TComponentCore* Owner) -> TComponentCore* {
        if constexpr (std::is_constructible_v<T, TComponentCore*, QWidget*>)
          return new T(Owner, OwnerWidget(Owner));
        else
          return new T(Owner);
      },
      &T::staticMetaObject);
}

}  ///< namespace quellix
