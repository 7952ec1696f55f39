/// The events of the histograph (THistographInt) as Qt signals. The
/// histograph is composed of parts, each a class on top of the one before:
///
///   THistoSignals          the events as signals
///   THistoData             series slots, view ranges, auto scale, the
///                          logarithmic mappings, the timer
///   THistoDataProperties   the published properties of the data, with
///                          their change signals
///   THistoLook             colours, grid, border, margins
///   THistoTitles           the titles in the margins and the fonts
///   THistoView             axes, curves, painting, the XOR overlays
///   THistoInteraction      mouse modes, reference editing, colour drops,
///                          tool windows
///   THistographInt         the component: the remaining published
///                          properties, streaming, export
///
/// A part calls up into a later one only through the protected virtual
/// functions it declares.
/// \file
#pragma once

#include "quellix/histograph/HistographTypes.h"
#include "quellix/host/Controls.h"

namespace quellix::HistoInt {

class THistoSignals : public TPaintBox {
  Q_OBJECT

public:
  using TPaintBox::TPaintBox;

Q_SIGNALS:
  // Events as signals.
  void crossMove(quellix::TObject* Sender, float X, float Y, int Serie, int Index);
  void referenceMove(quellix::TObject* Sender, float X, float Y, int Serie, int Index);
  void calculate(quellix::TObject* Sender, int Serie1, int Serie2, float Value1X, float Value2X, float Value1Y,
                 float Value2Y);
  void timer(quellix::TObject* Sender);
};

}  ///< namespace quellix::HistoInt
