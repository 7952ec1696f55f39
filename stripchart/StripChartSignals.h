/// The events of the strip chart recorder (TStripChartInt) as Qt signals. The recorder's work
/// is composed of parts, each a class on top of the one before:
///
///   TStripChartSignals      the events as signals, the mouse mode type
///   TStripSampleRing        series, sample buffer and window, time base,
///                           range watch, margins, errors
///   TStripFileSession       logging, playback, run selection, the reader,
///                           appending and moving the window
///   TStripDataProperties    the published properties of the two parts
///                           before, with their change signals
///   TStripRemarks           remark records of the run shown
///   TStripChartLook         colours, grid, border, titles and fonts
///   TStripChartMapping      value and time axes, value range, auto scale
///   TStripChartCrosses      the measuring crosses and the zoom rectangle
///   TStripChartView         painting, scrolling, remark marks
///   TStripChartInteraction  mouse modes, zoom, colour drops, tool windows
///   TStripChartInt          the component: the published properties of the
///                           parts from the look on, streaming, export
///
/// A part calls up into a later one only through the protected virtual
/// functions it declares ("hooks"); the component overrides nothing of
/// the parts' work itself.
/// \file
#pragma once

#include <QString>

#include "quellix/host/Controls.h"
#include "quellix/host/Graphics.h"
#include "quellix/stripchart/StripChartTypes.h"

namespace quellix::StrpChrtInt {

class TStripChartSignals : public TPaintBox {
  Q_OBJECT

public:
  /// What the mouse does on the plot.
  enum TStripMode : Byte { modeMeasure, modeRemark, modeZoom, modeCalculate };
  Q_ENUM(TStripMode)

  using TPaintBox::TPaintBox;

Q_SIGNALS:
  // Events as signals.
  void crossMove(quellix::TObject* Sender, float X, float Y, int Series, int Index);
  void calculate(quellix::TObject* Sender, int Serie1, int Serie2, double Value1X, double Value2X, double Value1Y,
                 double Value2Y);
  void rangeCheck(quellix::TObject* Sender, double Time, float Value, int Series,
                  quellix::StrpChrtInt::TStripRange Range);
  void remark(quellix::TObject* Sender, double Time, int Series, quellix::StrpChrtInt::TDescFlag Flag, int RunNumber,
              const QString& Text);
  // Emitted with the message wherever OnError is called.
  void errorOccurred(const QString& Message);
};

}  ///< namespace quellix::StrpChrtInt
