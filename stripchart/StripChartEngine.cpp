#include "quellix/stripchart/StripChartEngine.h"

#include "quellix/stripchart/JogShuttleBar.h"
#include "quellix/stripchart/RemarkDialog.h"
#include "quellix/stripchart/ToolBar.h"
#include "quellix/stripchart/ValueBar.h"

namespace quellix::StrpChrtInt {

// ===========================================================================
// Construction

TStripChartInt::TStripChartInt(TComponentCore* AOwner, QWidget* AParent)
    : TStripChartInteraction(AOwner, AParent) {
  SetupDrawing();
  FSamplesPerWindow = 512;
  FPoints.resize(FSamplesPerWindow + 1);
  SetSamplesPerBuffer(1024);
  FWindowOffset = -FSamplesPerWindow;
  StoreHandler = [this](TStream* Stream, TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                        Integer SampleCount) { FileStore(Stream, Command, Values, SeriesCount, SampleCount); };
  LoadHandler = [this](TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
                       Integer BufferLength, Integer SeriesCount, Extended StartTime, Extended EndTime,
                       Extended Interval, Integer& SamplesRead) {
    return FileLoad(Stream, Dest, FirstIndex, LastIndex, BufferLength, SeriesCount, StartTime, EndTime, Interval,
                    SamplesRead);
  };
}

TStripChartInt::~TStripChartInt() {
  // The tool windows go first, while the chart they refer to is whole.
  FShowToolBar = FShowValueBar = FShowJogShuttleBar = false;
  FToolBar.reset();
  FValueBar.reset();
  FJogShuttleBar.reset();
  FRemarkDialog.reset();
  Destroying();
  try {
    StopLogging();
  } catch (const Exception&) {
    // A failing disk must not turn destruction into a crash; the streams
    // are closed below either way.
  }
  CloseFiles();
  FLogging = FPlaying = false;
}

void TStripChartInt::Loaded() {
  TStripChartInteraction::Loaded();
  if (IsDesigning()) FillPreview();
}

void TStripChartInt::DefineProperties(TFiler& Filer) {
  TStripChartInteraction::DefineProperties(Filer);
  // "Series": one (colour, line style, visible) triple per series in use.
  Filer.DefineProperty(
      QStringLiteral("Series"),
      [this](TReader& Reader) {
        Reader.ReadListBegin();
        for (Integer k = 1; !Reader.EndOfList(); ++k) {
          Reader.ReadListBegin();
          const auto Color = static_cast<TColor>(Reader.ReadInteger());
          const std::int64_t Style = Reader.ReadInteger();
          const bool Visible = Reader.ReadBoolean();
          Reader.ReadListEnd();
          if (k > kMaxSeries) continue;
          // A style ordinal that names no pen style leaves the slot's style
          // as it was, as the histograph does.
          FSeries[k].Color = Color;
          PenStyleFromOrdinal(Style, FSeries[k].LineStyle);
          FSeries[k].Visible = Visible;
        }
        Reader.ReadListEnd();
      },
      [this](TWriter& Writer) {
        Writer.WriteListBegin();
        for (Integer k = 1; k <= FSeriesNumber; ++k) {
          Writer.WriteListBegin();
          Writer.WriteInteger(FSeries[k].Color);
          Writer.WriteInteger(FSeries[k].LineStyle);
          Writer.WriteBoolean(FSeries[k].Visible);
          Writer.WriteListEnd();
        }
        Writer.WriteListEnd();
      },
      FSeriesNumber > 0);
}

}  // namespace quellix::StrpChrtInt
