// The Qt Designer plugin: one custom-widget interface per component and
// the collection Designer loads.
#pragma once

#include <QIcon>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "WidgetList.h"

namespace quellix::designer {

class TCustomWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
  TCustomWidget(const TWidgetEntry& Entry, QObject* Parent);

  QString name() const override { return FEntry.ClassName; }
  QString group() const override { return FEntry.Group; }
  QString toolTip() const override { return FEntry.ToolTip; }
  QString whatsThis() const override { return FEntry.ToolTip; }
  QString includeFile() const override { return FEntry.Header; }
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* Parent) override { return FEntry.Create(Parent); }
  // The new widget's geometry is the component's natural size.
  QString domXml() const override;

private:
  const TWidgetEntry& FEntry;
  mutable QIcon FIcon;
};

class TWidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
  explicit TWidgetCollection(QObject* Parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

private:
  QList<QDesignerCustomWidgetInterface*> FWidgets;
};

}  // namespace quellix::designer
