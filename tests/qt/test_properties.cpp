// Property change signals and QColor properties, over every published
// property of every component found through the meta-object.
#include <QColor>
#include <QCoreApplication>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "qt/Components.h"
#include "quellix/host/Streaming.h"
#include "quellix/instruments/SingleValueSinks.h"
#include "quellix/instruments/Slider.h"

using namespace quellix;

namespace {

int FirstPublished(const QObject* O) {
  return (O->isWidgetType() ? QWidget::staticMetaObject : QObject::staticMetaObject).propertyCount();
}

// A value of the property's type that differs from V, or an invalid
// variant for a type the table does not vary (references, sub-objects).
QVariant OtherValue(const QMetaProperty& P, const QVariant& V) {
  if (P.isEnumType()) {
    const QMetaEnum E = P.enumerator();
    const int Now = V.toInt();
    for (int I = 0; I < E.keyCount(); ++I)
      if (E.value(I) != Now) return E.value(I);
    return QVariant();
  }
  switch (P.metaType().id()) {
    case QMetaType::Bool:
      return !V.toBool();
    case QMetaType::Int:
      return V.toInt() + 1;
    case QMetaType::Double:
      return V.toDouble() + 1.5;
    case QMetaType::Float:
      return V.toFloat() + 1.5f;
    case QMetaType::QString:
      return V.toString() + QStringLiteral("x");
    case QMetaType::QColor: {
      const QColor C = V.value<QColor>();
      return QColor(C.red() ^ 0x55, C.green() ^ 0x21, C.blue() ^ 0x0F);
    }
    default:
      return QVariant();
  }
}

struct TMade {
  std::unique_ptr<TComponentCore> Component;
  QObject* Object() const { return Component->AsQObject(); }
};

TMade Make(const test::TComponentMaker& M) { return {std::unique_ptr<TComponentCore>(M.Make())}; }

// Calls Visit(Where, Object, Property) for each published property of a
// fresh instance of every component class; Where names the property.
template <class F>
void ForEachPublishedProperty(F&& Visit) {
  for (const auto& M : test::AllComponents()) {
    TMade C = Make(M);
    QObject* O = C.Object();
    const QMetaObject* Meta = O->metaObject();
    for (int I = FirstPublished(O); I < Meta->propertyCount(); ++I) {
      const QMetaProperty P = Meta->property(I);
      Visit(M.Name.toStdString() + "." + P.name(), O, P);
    }
  }
}

// Properties whose change starts work outside the component (a sound
// device, tool windows on screen) are left to their own tests.
bool Excluded(const QByteArray& Name) {
  return Name == "ShowToolBar" || Name == "ShowValueBar" || Name == "ShowJogShuttleBar" || Name == "Name";
}

}  // namespace

TEST(QtProperties, EveryPublishedPropertyHasANotifySignal) {
  ForEachPublishedProperty(
      [](const std::string& Where, QObject*, const QMetaProperty& P) { EXPECT_TRUE(P.hasNotifySignal()) << Where; });
}

// Each writable property in turn: a real change fires its signal once, the
// same value again fires nothing, a value the setter rejects fires nothing.
TEST(QtProperties, NotifyFiresOnARealChangeOnlyAndNeverOnTheSameValue) {
  int Checked = 0;
  ForEachPublishedProperty([&](const std::string& Where, QObject* O, const QMetaProperty& P) {
      if (!P.isWritable() || !P.hasNotifySignal() || !P.isDesignable() || Excluded(P.name())) return;
      const QVariant Before = P.read(O);
      const QVariant New = OtherValue(P, Before);
      if (!New.isValid()) return;
      QSignalSpy Spy(O, P.notifySignal());
      ASSERT_TRUE(Spy.isValid()) << Where;
      try {
        P.write(O, New);
      } catch (const Exception&) {
        // A setter that raises (no such sound device) changes nothing.
      }
      const QVariant After = P.read(O);
      EXPECT_EQ(Spy.count(), After != Before ? 1 : 0) << Where;
      Spy.clear();
      P.write(O, After);
      EXPECT_EQ(Spy.count(), 0) << Where << " (same value again)";
      ++Checked;
  });
  EXPECT_GT(Checked, 200);
}

TEST(QtProperties, ColourPropertiesRoundTripAsQColorOnEveryComponent) {
  const QColor Colours[] = {QColor(Qt::red), QColor(12, 200, 99), QColor(Qt::white)};
  int Checked = 0;
  ForEachPublishedProperty([&](const std::string& Where, QObject* O, const QMetaProperty& P) {
      if (P.metaType().id() != QMetaType::QColor) return;
      for (const QColor& Want : Colours) {
        EXPECT_TRUE(O->setProperty(P.name(), Want)) << Where;
        EXPECT_EQ(O->property(P.name()).value<QColor>(), Want) << Where;
        // The component's own integer: red in the low byte.
        EXPECT_EQ(O->property((QByteArray(P.name()) + "TColor").constData()).toInt(), RGB(Want.red(), Want.green(), Want.blue()))
            << Where;
      }
      ++Checked;
  });
  EXPECT_GE(Checked, 30);
}

TEST(QtProperties, ColourSetAsQColorStreamsInItsIntegerForm) {
  TForm Form;
  Form.SetName(QStringLiteral("Form1"));
  auto* Meter = new MLSingleSinks::TMeter(&Form, &Form);
  Meter->SetName(QStringLiteral("Meter1"));
  Meter->setProperty("IndicatorColor", QColor(Qt::red));
  Meter->SetRangeColor(clBtnShadow);  // a system colour stays one
  const QString Text = WriteComponentText(&Form);
  EXPECT_TRUE(Text.contains(QStringLiteral("IndicatorColor = 255\n"))) << Text.toStdString();
  EXPECT_TRUE(Text.contains(QStringLiteral("RangeColor = -2147483632\n"))) << Text.toStdString();
  EXPECT_FALSE(Text.contains(QStringLiteral("TColor"))) << Text.toStdString();

  TForm Copy;
  auto* Other = new MLSingleSinks::TMeter(&Copy, &Copy);
  Other->SetName(QStringLiteral("Meter1"));
  ReadComponentText(&Copy, Text);
  EXPECT_EQ(Other->IndicatorColor(), clRed);
  EXPECT_EQ(Other->RangeColor(), clBtnShadow);
}

// A setter that clamps another property: both signals fire, once each.
TEST(QtProperties, DependentPropertyChangedByAnotherSetterNotifies) {
  meterInt::TMeterInt Meter;
  QSignalSpy Max(&Meter, &meterInt::TMeterInt::ValueMaxChanged);
  QSignalSpy Limit(&Meter, &meterInt::TMeterInt::RangeLimitChanged);
  Meter.SetValueMax(50);
  EXPECT_EQ(Max.count(), 1);
  ASSERT_EQ(Limit.count(), 1);
  EXPECT_EQ(Limit.at(0).at(0).toDouble(), 50.0);
  EXPECT_EQ(Max.at(0).at(0).toDouble(), 50.0);
}

TEST(QtProperties, ValueChangedByTheMouseNotifies) {
  Slider::TSlider S;
  S.SetBounds(0, 0, 70, 233);
  QSignalSpy Spy(&S, &Slider::TSlider::ValueChanged);
  QWidget* W = &S;
  QMouseEvent Press(QEvent::MouseButtonPress, QPointF(35, 30), QPointF(35, 30), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(W, &Press);
  QMouseEvent Release(QEvent::MouseButtonRelease, QPointF(35, 30), QPointF(35, 30), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(W, &Release);
  ASSERT_NE(S.Value(), 0.0);
  ASSERT_EQ(Spy.count(), 1);
  EXPECT_EQ(Spy.at(0).at(0).toDouble(), S.Value());
}

TEST(QtProperties, NoSignalAfterTheLastReceiverLeft) {
  meterInt::TMeterInt Meter;
  int Count = 0;
  auto C = QObject::connect(&Meter, &meterInt::TMeterInt::ValueChanged, [&](double) { ++Count; });
  Meter.SetValue(10);
  QObject::disconnect(C);
  Meter.SetValue(20);
  auto C2 = QObject::connect(&Meter, &meterInt::TMeterInt::ValueChanged, [&](double) { ++Count; });
  Meter.SetValue(20);  // unchanged since the new receiver came
  EXPECT_EQ(Count, 1);
  Meter.SetValue(30);
  EXPECT_EQ(Count, 2);
}
