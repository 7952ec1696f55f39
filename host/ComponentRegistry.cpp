#include "quellix/host/ComponentRegistry.h"

#include <QHash>
#include <QMetaObject>
#include <QObject>

namespace quellix {

namespace {

QHash<QString, TComponentFactory>& Registry() {
  static QHash<QString, TComponentFactory> R;
  return R;
}

// The name each registered class is written under.
QHash<const QMetaObject*, QString>& StreamNames() {
  static QHash<const QMetaObject*, QString> N;
  return N;
}

}  // namespace

void RegisterComponentClass(const QString& ClassName, TComponentFactory Create, const QMetaObject* Meta) {
  Registry().insert(ClassName.toLower(), std::move(Create));
  if (Meta && !StreamNames().contains(Meta)) StreamNames().insert(Meta, ClassName);
}

TComponentFactory FindRegisteredClass(const QString& ClassName) { return Registry().value(ClassName.toLower()); }

QString StreamClassName(const TComponentCore* C) {
  const QObject* O = C->AsQObject();
  const QString Name = O ? StreamNames().value(O->metaObject()) : QString();
  return Name.isEmpty() ? C->ClassName() : Name;
}

}  // namespace quellix
