// The Designer plugin loaded with QPluginLoader, as Designer loads it:
// every visual component is offered, created through the Designer
// interface, and shows its published properties to the property editor.
#include <QMetaProperty>
#include <QPluginLoader>
#include <QSet>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

namespace {

QList<QDesignerCustomWidgetInterface*> LoadWidgets() {
  static QPluginLoader Loader(QStringLiteral(QUELLIX_DESIGNER_PLUGIN));
  QObject* Instance = Loader.instance();
  EXPECT_TRUE(Instance) << Loader.errorString().toStdString();
  auto* Collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(Instance);
  EXPECT_TRUE(Collection);
  return Collection ? Collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>();
}

// Types the property editor edits.
bool Editable(const QMetaProperty& P) {
  if (P.isEnumType()) return true;
  switch (P.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QColor:
      return true;
    default:
      return false;
  }
}

}  // namespace

TEST(DesignerPlugin, OffersEveryVisualComponentOnce) {
  const auto Widgets = LoadWidgets();
  QSet<QString> Names;
  for (auto* W : Widgets) Names.insert(W->name());
  EXPECT_EQ(Names.size(), Widgets.size());
  for (const char* Name : {"quellix::MLSingleSinks::TMeter", "quellix::meterInt::TMeterInt", "quellix::dial::TDial",
                           "quellix::Slider::TSlider", "quellix::MLSingleSinks::TBarGraph",
                           "quellix::PMeter::TPanelMeter", "quellix::MLSingleSinks::TLed",
                           "quellix::RLabel::TRotateLabel", "quellix::StrpChrt::TStripChart",
                           "quellix::Histo::THistograph", "quellix::Colorhis::TColorGridHisto"})
    EXPECT_TRUE(Names.contains(QString::fromLatin1(Name))) << Name;
}

TEST(DesignerPlugin, CreatesEveryWidgetThroughTheDesignerInterface) {
  QWidget Form;
  for (auto* W : LoadWidgets()) {
    const std::string Name = W->name().toStdString();
    EXPECT_FALSE(W->isContainer()) << Name;
    EXPECT_FALSE(W->includeFile().isEmpty()) << Name;
    EXPECT_TRUE(W->group().startsWith(QStringLiteral("Quellix"))) << Name;
    EXPECT_FALSE(W->icon().isNull()) << Name;
    EXPECT_TRUE(W->domXml().contains(QStringLiteral("class=\"%1\"").arg(W->name()))) << Name;
    std::unique_ptr<QWidget> Made(W->createWidget(&Form));
    ASSERT_TRUE(Made) << Name;
    EXPECT_EQ(QString::fromLatin1(Made->metaObject()->className()), W->name());
    EXPECT_EQ(Made->parentWidget(), &Form) << Name;
    EXPECT_TRUE(Made->sizeHint().isValid()) << Name;
  }
}

// Every published property Designer can edit is designable and writable
// with the value it reads, and the colours are QColor properties.
TEST(DesignerPlugin, PublishedPropertiesAreEditable) {
  QWidget Form;
  for (auto* W : LoadWidgets()) {
    std::unique_ptr<QWidget> Made(W->createWidget(&Form));
    const QMetaObject* M = Made->metaObject();
    int Editables = 0, Colours = 0;
    for (int I = QWidget::staticMetaObject.propertyCount(); I < M->propertyCount(); ++I) {
      const QMetaProperty P = M->property(I);
      if (!P.isDesignable() || !P.isWritable() || !Editable(P)) continue;
      ++Editables;
      if (P.metaType().id() == QMetaType::QColor) ++Colours;
      EXPECT_TRUE(P.write(Made.get(), P.read(Made.get()))) << W->name().toStdString() << "." << P.name();
    }
    EXPECT_GT(Editables, 10) << W->name().toStdString();
    EXPECT_GE(Colours, 1) << W->name().toStdString();  // Color at least
    // The integer twins of the colours stay out of the editor.
    for (int I = 0; I < M->propertyCount(); ++I) {
      if (QByteArray(M->property(I).name()).endsWith("TColor")) {
        EXPECT_FALSE(M->property(I).isDesignable());
      }
    }
  }
}
