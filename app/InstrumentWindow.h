// What the instrument demonstration windows (bar graph, meter, dial,
// slider) build their pages from: instruments placed in the client area,
// value ranges set one at a time, centred captions under the instruments,
// and the timer that animates a window while it is shown.
#pragma once

#include <QLabel>
#include <QString>

#include "quellix/app/DemoWindow.h"

namespace quellix::app {

// A named instrument of type T in the window's client area.
template <class T>
T* MakeInstrument(TDemoWindow* Owner, const QString& Name, Integer X, Integer Y, Integer W, Integer H) {
  auto* C = new T(Owner, Owner->ClientArea());
  C->SetName(Name);
  C->SetBounds(X, Y, W, H);
  return C;
}

// Range Index of an instrument with ranges: its colour and its limit. The
// instrument's RangeCurrent is left at Index.
template <class T>
void SetRange(T* Instrument, Integer Index, TColor Color, Double Limit) {
  Instrument->SetRangeCurrent(Index);
  Instrument->SetRangeColor(Color);
  Instrument->SetRangeLimit(Limit);
}

// A caption line, centred over the width W.
inline QLabel* AddCenteredLabel(QWidget* Parent, const QString& Text, Integer X, Integer Y, Integer W) {
  auto* L = new QLabel(Text, Parent);
  L->setGeometry(X, Y, W, 18);
  L->setAlignment(Qt::AlignCenter);
  return L;
}

// The animation timer of a window W: stopped until the window is shown,
// ticking every Interval ms into W::Timer1Timer; showing the window calls
// W::FormShow (which starts it) and hiding it W::FormHide (which stops it).
template <class W>
TTimer* MakeAnimationTimer(W* Window, Integer Interval) {
  auto* T = new TTimer(Window);
  T->SetEnabled(false);
  T->SetInterval(Interval);
  T->OnTimer = [Window](TObject* Sender) { Window->Timer1Timer(Sender); };
  Window->OnShow = [Window](TObject* Sender) { Window->FormShow(Sender); };
  Window->OnHide = [Window](TObject* Sender) { Window->FormHide(Sender); };
  return T;
}

}  // namespace quellix::app
