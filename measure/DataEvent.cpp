#include "quellix/measure/DataEvent.h"

namespace quellix::dataevent {

TDataEvent::TDataEvent(TComponentCore* AOwner)
    : TComponent(AOwner),
      FVersion(QStringLiteral("V2.50")),
      FCopyright(LibraryCopyright()),
      FLink(std::make_unique<TMeasureLink>(this)) {
  // A plain link: no compatibility check, OnSourceChanged stays unassigned.
  FLink->OnData = [this](TObject* Link, TDescArraySingle& Data) {
    if (OnData) OnData(Link, Data);
    emit data(Link, Data);
  };
  FLink->OnStateChanged = [this](TObject* Link, TMeasureSourceState State) {
    if (OnChangedState) OnChangedState(Link, State);
    emit changedState(Link, State);
  };
}

TDataEvent::~TDataEvent() { FLink.reset(); }

void TDataEvent::SetMeasureSource(TMeasureSource* Value) {
  const TChangeScope Changes;
  if (Value != FLink->Source()) FLink->SetSource(Value);
}

}  // namespace quellix::dataevent
