// Test doubles of the measure suites: a source whose description a test
// sets, a processing stage, and a counter of link events.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quellix/measure/MeasureSource.h"

namespace measuretest {

using namespace quellix;
using namespace quellix::MeasIntf;

class TTestSource : public TMeasureSource {
public:
  using TMeasureSource::TMeasureSource;
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
  void Describe(TMeasureCapabilities Caps, Integer ChannelCount, Extended Dur) {
    SetCapabilities(Caps);
    Channels = ChannelCount;
    Duration = Dur;
  }
  Integer Channels = 0;
  Extended Duration = 0;
  int Adds = 0, Removes = 0;
};

// A source that reads from a MeasureSource of its own.
class TStage : public TMLSBase {
public:
  TStage() : Link(std::make_unique<TMeasureLink>(this)) {}
  ~TStage() override { Link.reset(); }
  TMeasureSource* MeasureSource() const override { return Link->Source(); }
  void SetMeasureSource(TMeasureSource* Value) override {
    if (Value != Link->Source()) Link->SetSource(Value);
  }
  std::unique_ptr<TMeasureLink> Link;
};

// Counts the events of a link; data blocks also append Name to *Order.
struct TRecorder {
  int Events = 0;
  void Hook(TMeasureLink& Link, std::vector<std::string>* Order = nullptr, std::string Name = {}) {
    Link.OnSourceChanged = [this](TObject*) { ++Events; };
    Link.OnStateChanged = [this](TObject*, TMeasureSourceState) { ++Events; };
    Link.OnData = [this, Order, Name](TObject*, TDescArraySingle&) {
      ++Events;
      if (Order) Order->push_back(Name);
    };
  }
};

using TOrder = std::vector<std::string>;

}  // namespace measuretest
