#include "DesignerPlugin.h"

#include <QPainter>
#include <QPixmap>
#include <memory>

namespace quellix::designer {

TCustomWidget::TCustomWidget(const TWidgetEntry& Entry, QObject* Parent) : QObject(Parent), FEntry(Entry) {}

// The icon is the component itself at its natural size, scaled down into
// a square with a neutral frame.
QIcon TCustomWidget::icon() const {
  if (!FIcon.isNull()) return FIcon;
  std::unique_ptr<QWidget> W(FEntry.Create(nullptr));
  W->resize(W->sizeHint());
  const QPixmap Picture = W->grab();
  QPixmap Icon(32, 32);
  Icon.fill(Qt::transparent);
  QPainter P(&Icon);
  P.setRenderHint(QPainter::SmoothPixmapTransform);
  const QPixmap Small = Picture.scaled(30, 30, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  P.drawPixmap((32 - Small.width()) / 2, (32 - Small.height()) / 2, Small);
  P.setPen(QColor(96, 96, 96));
  P.drawRect(0, 0, 31, 31);
  P.end();
  FIcon = QIcon(Icon);
  return FIcon;
}

QString TCustomWidget::domXml() const {
  std::unique_ptr<QWidget> W(FEntry.Create(nullptr));
  const QSize S = W->sizeHint();
  QString Object = FEntry.ClassName.section(QStringLiteral("::"), -1);
  Object[1] = Object[1].toLower();
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>"
             "</property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(FEntry.ClassName, Object.mid(1))
      .arg(S.width())
      .arg(S.height());
}

TWidgetCollection::TWidgetCollection(QObject* Parent) : QObject(Parent) {
  for (const TWidgetEntry& E : Widgets()) FWidgets << new TCustomWidget(E, this);
}

}  // namespace quellix::designer
