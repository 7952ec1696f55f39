// Every event is also a Qt signal, emitted in the same place with the same
// arguments: each row triggers an event with both a handler and a receiver
// and compares what the two saw, in order.
#include <QStringList>
#include <gtest/gtest.h>
#include <functional>

#include "quellix/histograph/ColorGrid.h"
#include "quellix/histograph/HistographEngine.h"
#include "quellix/instruments/Dial.h"
#include "quellix/instruments/Meter.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/Slider.h"
#include "quellix/measure/DataEvent.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;

namespace {

// What a handler or a receiver saw, one line per call.
template <class... A>
QString Seen(A... Args) {
  QStringList L;
  (L << ... << QVariant::fromValue(Args).toString());
  return L.join(QLatin1Char(' '));
}
template <class... A>
QString SeenWithSender(TObject* Sender, A... Args) {
  return QString::number(reinterpret_cast<quintptr>(Sender)) + QLatin1Char(':') + Seen(Args...);
}

struct TRow {
  const char* Name;
  // Hooks a handler and a receiver that append to the two lists, then
  // triggers the event.
  std::function<void(QStringList& Handler, QStringList& Receiver)> Run;
};

class TSource : public MeasIntf::TMeasureSource {
public:
  void GetInfo(MeasIntf::TMeasureSourceInfo& Info) override { Info.ChannelCount = 1; }
};

const TRow Rows[] = {
    {"meter range check",
     [](QStringList& H, QStringList& R) {
       meterInt::TMeterInt M;
       M.OnRangeCheck = [&](TObject* S, Integer C) { H << SeenWithSender(S, C); };
       QObject::connect(&M, &meterInt::TMeterInt::rangeCheck, [&](TObject* S, int C) { R << SeenWithSender(S, C); });
       M.SetValue(150);
       M.SetValue(50);
       M.SetValue(-5);
     }},
    {"panel meter range check",
     [](QStringList& H, QStringList& R) {
       PMeterInt::TPanelMeterInt M;
       M.OnRangeCheck = [&](TObject* S, Integer C) { H << SeenWithSender(S, C); };
       QObject::connect(&M, &PMeterInt::TPanelMeterInt::rangeCheck,
                        [&](TObject* S, int C) { R << SeenWithSender(S, C); });
       M.SetValue(M.ValueMax() + 1);
       M.SetValue(M.ValueMin() - 1);
     }},
    {"dial value change",
     [](QStringList& H, QStringList& R) {
       dial::TDial D;
       D.SetBounds(0, 0, 120, 120);
       D.OnValueChange = [&](TObject* S) { H << SeenWithSender(S, D.Value()); };
       QObject::connect(&D, &dial::TDial::valueChange, [&](TObject* S) { R << SeenWithSender(S, D.Value()); });
       D.SetValue(30);
       D.SetValue(60);
     }},
    {"slider value change",
     [](QStringList& H, QStringList& R) {
       Slider::TSlider D;
       D.OnValueChange = [&](TObject* S) { H << SeenWithSender(S, D.Value()); };
       QObject::connect(&D, &Slider::TSlider::valueChange, [&](TObject* S) { R << SeenWithSender(S, D.Value()); });
       D.SetValue(30);
     }},
    {"colour grid change",
     [](QStringList& H, QStringList& R) {
       Colorhis::TColorGridHisto G;
       G.OnChange = [&](TObject* S) { H << SeenWithSender(S, G.ForegroundIndex(), G.BackgroundIndex()); };
       QObject::connect(&G, &Colorhis::TColorGridHisto::change,
                        [&](TObject* S) { R << SeenWithSender(S, G.ForegroundIndex(), G.BackgroundIndex()); });
       G.SetForegroundIndex(5);
       G.SetBackgroundIndex(9);
     }},
    {"data event data and state",
     [](QStringList& H, QStringList& R) {
       TSource Src;
       dataevent::TDataEvent E;
       E.OnData = [&](TObject* L, MeasIntf::TDescArraySingle& D) { H << SeenWithSender(L, double(D.Duration)); };
       E.OnChangedState = [&](TObject* L, MeasIntf::TMeasureSourceState St) { H << SeenWithSender(L, int(St)); };
       QObject::connect(&E, &dataevent::TDataEvent::data,
                        [&](TObject* L, MeasIntf::TDescArraySingle& D) { R << SeenWithSender(L, double(D.Duration)); });
       QObject::connect(&E, &dataevent::TDataEvent::changedState,
                        [&](TObject* L, MeasIntf::TMeasureSourceState St) { R << SeenWithSender(L, int(St)); });
       E.SetMeasureSource(&Src);
       Src.AnnounceState(MeasIntf::msOpened);
       MeasIntf::TDescArraySingle Block;
       Block.ChannelCount = 0;
       Block.Duration = 0.25;
       Src.DeliverData(Block);
     }},
    {"strip chart range check",
     [](QStringList& H, QStringList& R) {
       StrpChrtInt::TStripChartInt C;
       C.SetRangeLower(-1);
       C.SetRangeUpper(1);
       C.OnRangeCheck = [&](TObject* S, Double T, Single V, Integer K, StrpChrtInt::TStripRange Rg) {
         H << SeenWithSender(S, T, V, K, int(Rg));
       };
       QObject::connect(&C, &StrpChrtInt::TStripChartInt::rangeCheck,
                        [&](TObject* S, double T, float V, int K, StrpChrtInt::TStripRange Rg) {
                          R << SeenWithSender(S, T, V, K, int(Rg));
                        });
       const Single A[] = {0, 5, 6, -3, 0};
       StrpChrtInt::TSeriesValues Values{};
       Values[0] = A;
       C.AddValues(Values, 1, 5);
     }},
    {"strip chart error of its own handlers",
     [](QStringList& H, QStringList& R) {
       StrpChrtInt::TStripChartInt C;
       C.OnError = [&](TObject*, const Exception& E) { H << E.Message(); };
       QObject::connect(&C, &StrpChrtInt::TStripChartInt::errorOccurred, [&](const QString& M) { R << M; });
       C.Guarded([] { throw Exception(QStringLiteral("Schreibfehler")); });
     }},
    {"histograph timer",
     [](QStringList& H, QStringList& R) {
       HistoInt::THistographInt G;
       G.OnTimer = [&](TObject* S) { H << SeenWithSender(S); };
       QObject::connect(&G, &HistoInt::THistographInt::timer, [&](TObject* S) { R << SeenWithSender(S); });
       G.Timer().Tick();
       G.Timer().Tick();
     }},
};

}  // namespace

TEST(QtEventSignals, EachEventIsEmittedWhereItsHandlerIsCalledWithTheSameArguments) {
  for (const TRow& Row : Rows) {
    QStringList Handler, Receiver;
    Row.Run(Handler, Receiver);
    EXPECT_FALSE(Handler.isEmpty()) << Row.Name;
    EXPECT_EQ(Receiver, Handler) << Row.Name;
  }
}

// Work done only for an event (range checks) is done for a receiver alone.
TEST(QtEventSignals, AReceiverWithoutAHandlerIsServed) {
  meterInt::TMeterInt M;
  QList<int> Codes;
  QObject::connect(&M, &meterInt::TMeterInt::rangeCheck, [&](TObject*, int C) { Codes << C; });
  M.SetValue(150);
  M.SetValue(160);  // still above: reported once
  M.SetValue(-1);
  EXPECT_EQ(Codes, (QList<int>{-2, -1}));
}

// A receiver of the strip chart's errors takes them instead of the message
// box that shows them when nobody listens.
TEST(QtEventSignals, AStripChartErrorReceiverReplacesTheMessageBox) {
  QStringList Boxes;
  SetMessageBoxHandler([&](const QString& Msg, TMsgDlgType, int, const QString&) {
    Boxes << Msg;
    return mrOk;
  });
  StrpChrtInt::TStripChartInt C;
  C.Guarded([] { throw Exception(QStringLiteral("ohne Empfänger")); });
  QStringList Received;
  QObject::connect(&C, &StrpChrtInt::TStripChartInt::errorOccurred, [&](const QString& M) { Received << M; });
  C.Guarded([] { throw Exception(QStringLiteral("mit Empfänger")); });
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(Boxes, QStringList{QStringLiteral("ohne Empfänger")});
  EXPECT_EQ(Received, QStringList{QStringLiteral("mit Empfänger")});
}
