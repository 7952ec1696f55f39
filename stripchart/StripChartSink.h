/// TStripChart: the strip chart recorder as a measure sink. It receives
/// blocks from a measure source through its link and appends them with
/// AddValues; connecting a source sets the time base from the source's
/// description and, with AutoConfig, the time grid, the value range and the
/// number of series as well. The window then shows the last four blocks of
/// the source (at least), scrolling by one block as each arrives. Closing
/// the source ends a running log run. \file
#pragma once

#include <QObject>
#include <array>
#include <memory>
#include <vector>

#include "quellix/measure/MeasureSource.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::StrpChrt {

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureLink;
using MeasIntf::TMeasureSource;
using MeasIntf::TMeasureSourceState;

class TStripChart : public StrpChrtInt::TStripChartInt {
  Q_OBJECT
  // No default: always streamed, written as the source's name.
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
  Q_PROPERTY(bool AutoConfig READ AutoConfig WRITE SetAutoConfig NOTIFY AutoConfigChanged)
  Q_CLASSINFO("default:AutoConfig", "true")
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);
  void AutoConfigChanged(bool Value);

public:
  explicit TStripChart(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  /// Frees the link first, which detaches it from its source.
  ~TStripChart() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  void SetMeasureSource(TMeasureSource* Value);
  bool AutoConfig() const { return FAutoConfig; }
  void SetAutoConfig(bool Value) { const TChangeScope Changes; FAutoConfig = Value; }

  TMeasureLink* Link() const { return FLink.get(); }

  /// Blocks of the source that the window shows at least.
  static constexpr Integer kBlocksShown = 4;

private:
  static constexpr std::int64_t kBufferLimit = 200000000;
  void SizeWindowForBlocks(Integer BlockLength);
  // The three link handlers.
  void SourceChanged();
  void StateChanged(TMeasureSourceState State);
  void DataArrived(TDescArraySingle& Data);
  // The time base a source announces; while logging it starts a new run.
  void SetSourceInterval(Double Value);

  bool FAutoConfig = true;
  // Padded copies of short channels: the source's arrays are never written.
  std::array<std::vector<Single>, StrpChrtInt::kMaxSeries> FPadded;
  // Declared last, so that it is freed (and detached) first.
  std::unique_ptr<TMeasureLink> FLink;
};

}  ///< namespace quellix::StrpChrt
