/// Measure sources and links: the push-only data flow between components.
///
/// A source (TMeasureSource) produces blocks of samples; a sink consumes them.
/// A sink never points at its source directly: it owns one link
/// (TMeasureLink, or TMeasureLinkSingleValue for sinks that show one value),
/// and the link holds the source. The source keeps the attached links in
/// attachment order and calls every one of them synchronously for each data
/// block, each state change and each configuration change.
///
/// How a sink wires itself (any component: a TComponent or a widget-based
/// TComponentCore):
/// \code
///   class TMySink : public TComponent {
///     Q_OBJECT
///     // No default: always streamed, written as the source's name.
///     Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource
///                READ MeasureSource WRITE SetMeasureSource)
///   public:
///     explicit TMySink(TComponentCore* AOwner)
///         : TComponent(AOwner), FLink(std::make_unique<TMeasureLink>(this)) {
///       FLink->OnData = [this](TObject*, TDescArraySingle& D) { ... copy ... };
///       // OnSourceChanged / OnStateChanged only if the sink needs them.
///     }
///     TMeasureSource* MeasureSource() const { return FLink->Source(); }
///     void SetMeasureSource(TMeasureSource* V) {
///       if (V != FLink->Source()) FLink->SetSource(V);
///     }
///   private:
///     // Declared last, so that it is freed (and detached) first.
///     std::unique_ptr<TMeasureLink> FLink;
///   }; \endcode
/// \file
/// The link is freed with the sink, which detaches it from its source. When
/// the source is destroyed first it clears the Source of every attached link,
/// so the sink reads MeasureSource as null; no event fires. The data handler
/// must copy what it keeps: the record and its arrays belong to the source
/// and live only during the call. SetSource of a single-value link raises
/// EMSIncompatibleSource for a source it cannot show (and stays unattached).
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/NumericTypes.h"

namespace quellix::MeasIntf {
Q_NAMESPACE

/// Running state announced by a source.
enum TMeasureSourceState : Byte { msOpened, msClosed };
Q_ENUM_NS(TMeasureSourceState)

/// What kind of data a source delivers; the ordinal is the bit number.
enum TMeasureCapability : Byte {
  mcValues,        ///< delivers values at all
  mcReserved,      ///< set by the audio source, tested by nobody
  mcBlocks,        ///< several values per channel in one block
  mcOneChannel,    ///< exactly one channel
  mcMultiChannel,  ///< several channels
  mcSingleValues,  ///< one value per block
};
Q_ENUM_NS(TMeasureCapability)

/// A set of TMeasureCapability, one byte.
class TMeasureCapabilities {
public:
  constexpr TMeasureCapabilities() = default;
  constexpr TMeasureCapabilities(std::initializer_list<TMeasureCapability> Items) {
    for (TMeasureCapability C : Items) Include(C);
  }
  constexpr bool Contains(TMeasureCapability C) const { return FBits & Bit(C); }
  /// True when every member of Other is in this set.
  constexpr bool ContainsAll(TMeasureCapabilities Other) const {
    return (FBits & Other.FBits) == Other.FBits;
  }
  constexpr TMeasureCapabilities& Include(TMeasureCapability C) {
    FBits = static_cast<Byte>(FBits | Bit(C));
    return *this;
  }
  constexpr TMeasureCapabilities& Exclude(TMeasureCapability C) {
    FBits = static_cast<Byte>(FBits & ~Bit(C));
    return *this;
  }
  constexpr bool IsEmpty() const { return FBits == 0; }
  constexpr Byte Bits() const { return FBits; }
  constexpr bool operator==(const TMeasureCapabilities&) const = default;

private:
  static constexpr Byte Bit(TMeasureCapability C) { return static_cast<Byte>(1u << C); }
  Byte FBits = 0;
};

/// Channels 0 .. MaxChannel in a block and in a source description.
constexpr int MaxChannel = 32;
constexpr int ChannelSlots = MaxChannel + 1;

/// Description of a source's output, filled by GetInfo. A value-initialised
/// record is all zero, which is what a source without GetInfo reports.
struct TMeasureSourceInfo {
  Extended StartTime = 0;  ///< time of a block's first value, seconds
  Extended Duration = 0;   ///< time span of one block, seconds
  Integer ChannelCount = 0;
  Single ValueMin = 0;
  Single ValueMax = 0;
  std::array<Integer, ChannelSlots> ChannelLength{};  ///< values per block, per channel
  Integer BlockLength = 0;                            ///< values per channel in one block
};

/// One channel of a block. An unused entry has null Values and Count 0;
/// sinks skip every entry with null Values or Count below 1.
struct TChannelData {
  Single* Values = nullptr;
  Integer Count = 0;
};

/// One block of data, passed by reference to every attached link in turn.
/// The record and the arrays belong to the source and are valid only during
/// the delivery call.
struct TDescArraySingle {
  Extended StartTime = 0;
  Extended Duration = 0;
  Integer ChannelCount = 0;  ///< channel entries the source filled
  std::array<TChannelData, ChannelSlots> Channels{};
};

/// Events of a link; the first argument is always the link that carries them.
/// (The configuration-change event is the host's TNotifyEvent.)
using TNotifyData = std::function<void(TObject* Link, TDescArraySingle& Data)>;
using TNotifyState = std::function<void(TObject* Link, TMeasureSourceState State)>;

/// Raised when a sink is connected to a source whose data it cannot take.
class EMSIncompatibleSource : public Exception {
public:
  using Exception::Exception;
};

class TMeasureLink;

/// A non-visual component that produces measurement data and pushes it to
/// the attached links. It does not own the links.
///
/// The three delivery loops (DeliverData, AnnounceState, AnnounceSourceChanged)
/// serve the links attached when the loop starts, in attachment order. A
/// handler may attach or detach links of this source while a loop runs: a
/// link detached before its turn is not served, a link attached during the
/// loop is first served by the next loop, and no link is served twice. An
/// exception from one handler does not keep the later links from being
/// served; the first exception is raised again once every link had its turn.
/// A handler may even free the source: the loop then ends at once and
/// touches nothing of it (an exception raised before still comes out).
class TMeasureSource : public TComponent {
  Q_OBJECT
public:
  explicit TMeasureSource(TComponentCore* AOwner = nullptr);
  /// Clears the Source of every attached link (no event fires).
  ~TMeasureSource() override;

  TMeasureCapabilities Capabilities() const { return FCapabilities; }
  TMeasureSourceState State() const { return FState; }

  /// Attached links in attachment order, with one flag per link.
  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  TMeasureLink* Links(int Index) const { return FLinks.at(Index).Link; }
  int IndexOfLink(const TMeasureLink* Link) const;

  /// Appends the link with a False flag, sets its Source and calls its
  /// SourceChanged. Only TMeasureLink::SetSource calls it, for a new source.
  virtual void AddLink(TMeasureLink* Link);
  /// Clears the link's Source; if the link is attached, removes it and its
  /// flag and calls its SourceChanged (which fires nothing, Source being null).
  virtual void RemoveLink(TMeasureLink* Link);
  /// Stores the flag of an attached link; ignored for any other link.
  virtual void SetLinkFlag(TMeasureLink* Link, bool Flag);
  /// The flag of an attached link; False for a link that is not attached.
  virtual bool GetLinkFlag(const TMeasureLink* Link) const;
  /// Describes the output. The caller passes a zeroed record; this base
  /// leaves it unchanged (zero channels, zero duration).
  virtual void GetInfo(TMeasureSourceInfo& Info);

  /// What a concrete source calls:
  /// hands one block to every attached link (each may change the record and
  /// the links served after it see the change);
  void DeliverData(TDescArraySingle& Data);
  /// stores the new state and announces it to every attached link;
  void AnnounceState(TMeasureSourceState Value);
  /// tells every attached link that the configuration changed (after the
  /// source has recomputed its Capabilities).
  void AnnounceSourceChanged();

protected:
  void SetCapabilities(TMeasureCapabilities Value) { FCapabilities = Value; }
  /// Expires when this source is destroyed: a delivery loop holds it across
  /// the calls into sinks, one of which may free the source.
  std::weak_ptr<void> AliveToken() const { return FAlive; }

private:
  struct TLinkEntry {
    TMeasureLink* Link;
    bool Flag;
  };
  template <class TCall>
  void ForEachLink(TCall&& Call);

  TMeasureCapabilities FCapabilities;
  std::vector<TLinkEntry> FLinks;
  TMeasureSourceState FState = msClosed;
  std::shared_ptr<int> FAlive = std::make_shared<int>(0);
};

/// The connection a sink owns to at most one source. Not a component and
/// not streamed; the owning sink creates it, assigns the events it needs and
/// frees it in its destructor.
class TMeasureLink : public TObject {
public:
  /// AOwner: the sink that owns this link (used by the circularity check only).
  explicit TMeasureLink(TComponentCore* AOwner);
  /// Detaches from the source.
  ~TMeasureLink() override;
  TMeasureLink(const TMeasureLink&) = delete;
  TMeasureLink& operator=(const TMeasureLink&) = delete;

  TMeasureSource* Source() const { return FSource; }
  TComponentCore* Owner() const { return FOwner; }

  /// Connects to Value (null disconnects). The same source again does
  /// nothing. The old source is detached first; a connection that would
  /// close a loop through TMLSBase stages is refused silently, leaving the
  /// link unattached. A single-value link may raise EMSIncompatibleSource.
  void SetSource(TMeasureSource* Value);

  /// Configuration of the source changed, or the link was attached: fires
  /// OnSourceChanged while attached.
  virtual void SourceChanged();
  /// Fire OnStateChanged / OnData while attached.
  void DoStateChanged(TMeasureSourceState State);
  void DoData(TDescArraySingle& Data);

  TNotifyEvent OnSourceChanged;
  TNotifyState OnStateChanged;
  TNotifyData OnData;

private:
  friend class TMeasureSource;
  // True when connecting to Value would let data flow back into Owner.
  bool WouldCloseLoop(TMeasureSource* Value) const;

  TMeasureSource* FSource = nullptr;
  TComponentCore* FOwner;
};

/// Link of a sink that shows a single value: it accepts only a source that
/// delivers single values in exactly one channel.
class TMeasureLinkSingleValue : public TMeasureLink {
public:
  using TMeasureLink::TMeasureLink;
  /// Checks the source each time the link is attached and each time the
  /// source announces a configuration change. A source that reports zero
  /// channels or zero duration is accepted without check and without event.
  /// An incompatible one detaches the link and raises EMSIncompatibleSource.
  void SourceChanged() override;
};

/// A processing stage: a source that is at the same time a sink reading from
/// its own MeasureSource. A descendant implements MeasureSource with a link
/// of its own, as every sink does.
class TMLSBase : public TMeasureSource {
  Q_OBJECT
  Q_PROPERTY(quellix::MeasIntf::TMeasureSource* MeasureSource READ MeasureSource WRITE SetMeasureSource NOTIFY MeasureSourceChanged)
Q_SIGNALS:
  // Property change signals.
  void MeasureSourceChanged(quellix::MeasIntf::TMeasureSource* Value);

public:
  using TMeasureSource::TMeasureSource;
  virtual TMeasureSource* MeasureSource() const = 0;
  virtual void SetMeasureSource(TMeasureSource* Value) = 0;
};

}  ///< namespace quellix::MeasIntf
