/// THistograph: the histograph as a measure sink. Each block the source
/// delivers replaces the shown curves, one series per channel that carries
/// data. When the source is attached or announces a new configuration, the
/// nominal X interval follows the source's block; with AutoConfig the X
/// window, the Y range and the number of series follow it as well, keeping
/// the number of grid intervals. Sources of single values are refused: the
/// histograph shows continuous blocks. \file
#pragma once

#include <QObject>
#include <array>
#include <memory>

#include "quellix/histograph/HistographEngine.h"
#include "quellix/measure/MeasureSource.h"

namespace quellix::Histo {

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureLink;
using MeasIntf::TMeasureSource;

class THistograph : public HistoInt::THistographInt {
  Q_OBJECT
  // No default: always streamed, written as the source's name.
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
  // No declared default either: always streamed, so that a form says which
  // setting it was made with.
  Q_PROPERTY(bool AutoConfig READ AutoConfig WRITE SetAutoConfig NOTIFY AutoConfigChanged)
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);
  void AutoConfigChanged(bool Value);

public:
  explicit THistograph(TComponentCore* AOwner = nullptr, QWidget* AParent = nullptr);
  /// Frees the link (which detaches it from the source) and the receive
  /// buffers; no series is left pointing at a freed buffer.
  ~THistograph() override;

  TMeasureSource* MeasureSource() const { return FLink->Source(); }
  /// Attaching a source whose capabilities lack mcValues or include
  /// mcSingleValues raises EMSIncompatibleSource and leaves no source.
  void SetMeasureSource(TMeasureSource* Value);
  bool AutoConfig() const { return FAutoConfig; }
  void SetAutoConfig(bool Value) { const TChangeScope Changes; FAutoConfig = Value; }

  TMeasureLink* Link() const { return FLink.get(); }
  /// Singles each receive buffer holds (0 until the first block).
  Integer ReceiveCapacity() const { return FCapacity; }
  /// Receive buffer k (0..7), or nullptr before the first block.
  const Single* ReceiveBuffer(Integer K) const { return FBuffers.at(K).get(); }

private:
  // The link's handlers: configuration changed, one block arrived.
  void SourceChanged();
  void DataArrived(TDescArraySingle& Data);
  // Makes every receive buffer hold at least C Singles.
  void SizeBuffers(Integer C);

  bool FAutoConfig = true;
  std::array<std::unique_ptr<Single[]>, HistoInt::MaxSeries> FBuffers;
  Integer FCapacity = 0;
  // Declared last, so that it is freed (and detached) first.
  std::unique_ptr<TMeasureLink> FLink;
};

}  ///< namespace quellix::Histo
