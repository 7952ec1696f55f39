#include "quellix/measure/MeasureSource.h"

#include <algorithm>
#include <exception>

namespace quellix::MeasIntf {

// ---------------------------------------------------------------------------
// TMeasureSource

TMeasureSource::TMeasureSource(TComponentCore* AOwner) : TComponent(AOwner) {}

TMeasureSource::~TMeasureSource() {
  // Every sink that was attached reads its MeasureSource as null afterwards.
  // Each link leaves the list before it is told, so that a link freed by
  // another link's SourceChanged detaches cleanly instead of dangling here.
  while (!FLinks.empty()) {
    TMeasureLink* Link = FLinks.front().Link;
    FLinks.erase(FLinks.begin());
    Link->FSource = nullptr;
    try {
      Link->SourceChanged();  // fires nothing: Source is null
    } catch (...) {
      // A destructor must not throw; a detached link has nothing to report.
    }
  }
}

int TMeasureSource::IndexOfLink(const TMeasureLink* Link) const {
  for (std::size_t I = 0; I < FLinks.size(); ++I)
    if (FLinks[I].Link == Link) return static_cast<int>(I);
  return -1;
}

void TMeasureSource::AddLink(TMeasureLink* Link) {
  FLinks.push_back({Link, false});
  Link->FSource = this;
  Link->SourceChanged();
}

void TMeasureSource::RemoveLink(TMeasureLink* Link) {
  Link->FSource = nullptr;
  int Index = IndexOfLink(Link);
  if (Index < 0) return;
  FLinks.erase(FLinks.begin() + Index);
  Link->SourceChanged();
}

void TMeasureSource::SetLinkFlag(TMeasureLink* Link, bool Flag) {
  int Index = IndexOfLink(Link);
  if (Index >= 0) FLinks[Index].Flag = Flag;
}

bool TMeasureSource::GetLinkFlag(const TMeasureLink* Link) const {
  int Index = IndexOfLink(Link);
  return Index >= 0 && FLinks[Index].Flag;
}

void TMeasureSource::GetInfo(TMeasureSourceInfo&) {}

template <class TCall>
void TMeasureSource::ForEachLink(TCall&& Call) {
  // The links attached now, in order. Before each call the link is looked up
  // in the live list again: one detached (or freed) by an earlier handler is
  // skipped, and its pointer is never used.
  std::vector<TMeasureLink*> Snapshot;
  Snapshot.reserve(FLinks.size());
  for (const TLinkEntry& E : FLinks) Snapshot.push_back(E.Link);

  const std::weak_ptr<int> Alive = FAlive;
  std::exception_ptr First;
  for (TMeasureLink* Link : Snapshot) {
    if (IndexOfLink(Link) < 0) continue;
    try {
      Call(Link);
    } catch (...) {
      if (!First) First = std::current_exception();
    }
    if (Alive.expired()) break;  // a handler freed this source
  }
  if (First) std::rethrow_exception(First);
}

void TMeasureSource::DeliverData(TDescArraySingle& Data) {
  ForEachLink([&Data](TMeasureLink* Link) { Link->DoData(Data); });
}

void TMeasureSource::AnnounceState(TMeasureSourceState Value) {
  FState = Value;
  ForEachLink([Value](TMeasureLink* Link) { Link->DoStateChanged(Value); });
}

void TMeasureSource::AnnounceSourceChanged() {
  ForEachLink([](TMeasureLink* Link) { Link->SourceChanged(); });
}

// ---------------------------------------------------------------------------
// TMeasureLink

TMeasureLink::TMeasureLink(TComponentCore* AOwner) : FOwner(AOwner) {}

TMeasureLink::~TMeasureLink() {
  if (FSource) FSource->RemoveLink(this);
  FSource = nullptr;
}

bool TMeasureLink::WouldCloseLoop(TMeasureSource* Value) const {
  if (!FOwner) return false;
  // Walk upstream through the processing stages. Reaching the owner means
  // the owner's output would come back to its own input. The owner itself
  // counts too: a stage connected to itself would feed itself forever.
  std::vector<const TMeasureSource*> Seen;
  for (TMeasureSource* P = Value; P;) {
    if (static_cast<TComponentCore*>(P) == FOwner) return true;
    auto* Stage = dynamic_cast<TMLSBase*>(P);
    if (!Stage) return false;
    TMeasureSource* Up = Stage->MeasureSource();
    if (Up && static_cast<TComponentCore*>(Up) == FOwner) return true;
    // A ring upstream that does not pass the owner: no new loop, and the
    // walk must end.
    if (std::find(Seen.begin(), Seen.end(), P) != Seen.end()) return false;
    Seen.push_back(P);
    P = Up;
  }
  return false;
}

void TMeasureLink::SetSource(TMeasureSource* Value) {
  if (Value == FSource) return;
  if (FSource) FSource->RemoveLink(this);
  FSource = nullptr;
  if (WouldCloseLoop(Value)) return;  // refused silently, left unattached
  if (Value) Value->AddLink(this);    // sets Source and calls SourceChanged
}

void TMeasureLink::SourceChanged() {
  if (OnSourceChanged && FSource) OnSourceChanged(this);
}

void TMeasureLink::DoStateChanged(TMeasureSourceState State) {
  if (OnStateChanged && FSource) OnStateChanged(this, State);
}

void TMeasureLink::DoData(TDescArraySingle& Data) {
  if (OnData && FSource) OnData(this, Data);
}

// ---------------------------------------------------------------------------
// TMeasureLinkSingleValue

void TMeasureLinkSingleValue::SourceChanged() {
  TMeasureSource* S = Source();
  if (!S) return;
  TMeasureSourceInfo Info{};
  S->GetInfo(Info);
  // A source that does not describe itself yet is taken as it is.
  if (Info.ChannelCount == 0 || Info.Duration == 0) return;
  constexpr TMeasureCapabilities Needed{mcValues, mcSingleValues, mcOneChannel};
  if (S->Capabilities().ContainsAll(Needed) && Info.ChannelCount == 1) {
    TMeasureLink::SourceChanged();
    return;
  }
  SetSource(nullptr);
  throw EMSIncompatibleSource(QStringLiteral("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!"));
}

}  // namespace quellix::MeasIntf
