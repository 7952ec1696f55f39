/// The single-value measure sinks: TLed, TPanelMeter, TMeter and TBarGraph.
///
/// Each derives from its display engine, keeps all of the engine's
/// properties and behaviour, and adds a single-value link and the published
/// MeasureSource. From every block that arrives it shows one value, the
/// first value of channel 0; a block with nothing in channel 0 changes
/// nothing. Only a source that delivers single values of one channel can be
/// connected; any other raises EMSIncompatibleSource and leaves the sink
/// unconnected.
///
/// The meter and the bar graph take their scale range from the source when
/// they are connected (AutoConfig); the LED switches its lamp by a
/// comparison rule. Without a source the sinks are driven through the
/// engines' Value exactly like the engines themselves.
/// \file
/// TPanelMeter here is the sink; the stand-alone panel meter of the same
/// class name is PMeter::TPanelMeter.
#pragma once

#include <memory>

#include "quellix/instruments/Led.h"
#include "quellix/instruments/PanelMeter.h"
#include "quellix/instruments/BarGraph.h"
#include "quellix/measure/MeasureSource.h"
#include "quellix/instruments/Meter.h"

namespace quellix::MLSingleSinks {
Q_NAMESPACE

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureLinkSingleValue;
using MeasIntf::TMeasureSource;

/// When the LED's lamp is on, for the last value x:
/// cmpOver x > Limit; cmpUnder x < Limit; cmpInRange RangeLower <= x <=
/// RangeUpper; cmpOutOfRange x outside [RangeLower, RangeUpper].
enum TLEDCompare : Byte { cmpOver, cmpUnder, cmpInRange, cmpOutOfRange };
Q_ENUM_NS(TLEDCompare)

/// Whether the LED lamp is on for X under the given rule. Both range rules
/// count their bounds as inside; with RangeLower above RangeUpper nothing is
/// inside. A NaN is never over, under or inside, and so lights nothing.
bool LedCompare(TLEDCompare Compare, Single X, Single Limit, Single RangeLower, Single RangeUpper);

/// The first value of channel 0, if the block has one.
bool FirstValueOfChannel0(const TDescArraySingle& Data, Single& Value);

/// Makes the four sinks creatable by class name when a form is read. A
/// stream names a class without its unit, and "TPanelMeter" is the name of
/// the stand-alone panel meter (PMeter) as well: the panel meter sink is
/// registered, and written, as "TPanelMeterSink".
void RegisterClasses();

// ---------------------------------------------------------------------------

class TLed : public LedInt::TLedInt {
  Q_OBJECT
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
  // No declared defaults: always stored.
  Q_PROPERTY(quellix::MLSingleSinks::TLEDCompare Compare READ Compare WRITE SetCompare NOTIFY CompareChanged)
  Q_PROPERTY(float Limit READ Limit WRITE SetLimit NOTIFY LimitChanged)
  Q_PROPERTY(float RangeLower READ RangeLower WRITE SetRangeLower NOTIFY RangeLowerChanged)
  Q_PROPERTY(float RangeUpper READ RangeUpper WRITE SetRangeUpper NOTIFY RangeUpperChanged)
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);
  void CompareChanged(quellix::MLSingleSinks::TLEDCompare Value);
  void LimitChanged(float Value);
  void RangeLowerChanged(float Value);
  void RangeUpperChanged(float Value);

public:
  explicit TLed(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  /// Frees the link first, which detaches it from its source.
  ~TLed() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);

  /// Each setter re-evaluates the last value at once when the rule changes
  /// (not while the component is being read: the stream holds the lamp's
  /// own Value).
  TLEDCompare Compare() const { return FCompare; }
  void SetCompare(TLEDCompare Value);
  Single Limit() const { return FLimit; }
  void SetLimit(Single Value);
  Single RangeLower() const { return FRangeLower; }
  void SetRangeLower(Single Value);
  Single RangeUpper() const { return FRangeUpper; }
  void SetRangeUpper(Single Value);

  /// The last value received (0 until the first block).
  Single LastValue() const { return FLastValue; }
  TMeasureLinkSingleValue* Link() const { return FLink.get(); }

private:
  void DoData(TDescArraySingle& Data);
  // Switches the lamp for the last value under the current rule.
  void Evaluate();

  TLEDCompare FCompare = cmpOver;
  Single FLimit = 0;
  Single FRangeLower = 0;
  Single FRangeUpper = 0;
  Single FLastValue = 0;
  std::unique_ptr<TMeasureLinkSingleValue> FLink;
};

// ---------------------------------------------------------------------------

class TPanelMeter : public PMeterInt::TPanelMeterInt {
  Q_OBJECT
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);

public:
  explicit TPanelMeter(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TPanelMeter() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);
  TMeasureLinkSingleValue* Link() const { return FLink.get(); }

private:
  std::unique_ptr<TMeasureLinkSingleValue> FLink;
};

// ---------------------------------------------------------------------------

class TMeter : public meterInt::TMeterInt {
  Q_OBJECT
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
  Q_PROPERTY(bool AutoConfig READ AutoConfig WRITE SetAutoConfig NOTIFY AutoConfigChanged)
  Q_CLASSINFO("default:AutoConfig", "true")
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);
  void AutoConfigChanged(bool Value);

public:
  explicit TMeter(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TMeter() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);
  /// Take the scale range from the source on connection.
  bool AutoConfig() const { return FAutoConfig; }
  void SetAutoConfig(bool Value) { const TChangeScope Changes; FAutoConfig = Value; }
  TMeasureLinkSingleValue* Link() const { return FLink.get(); }

private:
  // The source's value range with the same number of scale divisions.
  void ConfigureRange();

  bool FAutoConfig = true;
  std::unique_ptr<TMeasureLinkSingleValue> FLink;
};

// ---------------------------------------------------------------------------

class TBarGraph : public bargraphint::TBarGraphInt {
  Q_OBJECT
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
  Q_PROPERTY(bool AutoConfig READ AutoConfig WRITE SetAutoConfig NOTIFY AutoConfigChanged)
  Q_CLASSINFO("default:AutoConfig", "true")
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);
  void AutoConfigChanged(bool Value);

public:
  explicit TBarGraph(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  ~TBarGraph() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);
  /// Take ValueMin and ValueMax from the source on connection.
  bool AutoConfig() const { return FAutoConfig; }
  void SetAutoConfig(bool Value) { const TChangeScope Changes; FAutoConfig = Value; }
  TMeasureLinkSingleValue* Link() const { return FLink.get(); }

private:
  void ConfigureRange();

  bool FAutoConfig = true;
  std::unique_ptr<TMeasureLinkSingleValue> FLink;
};

}  ///< namespace quellix::MLSingleSinks
