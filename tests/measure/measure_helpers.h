// Test doubles shared by the measure suites: a source whose description and
// capabilities a test sets, a processing stage, and a link event recorder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "measure/MeasIntf.h"

namespace measuretest {

using namespace quellix;
using namespace quellix::MeasIntf;

class TTestSource : public TMeasureSource {
public:
  using TMeasureSource::TMeasureSource;
  using TMeasureSource::SetCapabilities;
  void GetInfo(TMeasureSourceInfo& Info) override {
    Info.ChannelCount = Channels;
    Info.Duration = Duration;
  }
  void AddLink(TMeasureLink* Link) override {
    ++Adds;
    TMeasureSource::AddLink(Link);
  }
  void RemoveLink(TMeasureLink* Link) override {
    ++Removes;
    TMeasureSource::RemoveLink(Link);
  }
  // Describes itself as a single-value source in one channel.
  void MakeSingleValue() {
    SetCapabilities({mcValues, mcSingleValues, mcOneChannel});
    Channels = 1;
    Duration = 0.1L;
  }
  void Describe(TMeasureCapabilities Caps, Integer ChannelCount, Extended Dur) {
    SetCapabilities(Caps);
    Channels = ChannelCount;
    Duration = Dur;
  }
  Integer Channels = 0;
  Extended Duration = 0;
  int Adds = 0;
  int Removes = 0;
};

// A source that reads from a MeasureSource of its own.
class TStage : public TMLSBase {
public:
  explicit TStage(TComponentCore* AOwner = nullptr)
      : TMLSBase(AOwner), Link(std::make_unique<TMeasureLink>(this)) {}
  ~TStage() override { Link.reset(); }
  TMeasureSource* MeasureSource() const override { return Link->Source(); }
  void SetMeasureSource(TMeasureSource* Value) override {
    if (Value != Link->Source()) Link->SetSource(Value);
  }
  std::unique_ptr<TMeasureLink> Link;
};

// Counts every event a link fires and records the serving order by name.
struct TRecorder {
  int SourceChanged = 0;
  int StateChanged = 0;
  int Data = 0;
  int Total() const { return SourceChanged + StateChanged + Data; }

  void Hook(TMeasureLink& Link, std::vector<std::string>* Order = nullptr, std::string Name = {}) {
    Link.OnSourceChanged = [this](TObject*) { ++SourceChanged; };
    Link.OnStateChanged = [this](TObject*, TMeasureSourceState) { ++StateChanged; };
    Link.OnData = [this, Order, Name](TObject*, TDescArraySingle&) {
      ++Data;
      if (Order) Order->push_back(Name);
    };
  }
};

}  // namespace measuretest
