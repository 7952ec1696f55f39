// Helpers shared by the strip chart tests: a chart of the demo's size,
// feeding numbered samples, and reading little-endian fields of a file.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <cstring>
#include <vector>

#include "quellix/stripchart/QlxmCommands.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace striptest {

using namespace quellix;
using namespace quellix::StrpChrtInt;

// The demo's strip chart: 417 x 233, plot rectangle (70, 40)-(377, 173).
inline void SizeLikeDemo(TStripChartInt& Chart) { Chart.SetBounds(0, 0, 417, 233); }

// Appends Count samples per series in calls of Step; series k gets the
// value (k + 1) x 100000 + absolute sample number, so every sample tells
// where it came from. Next is the absolute number of the next sample.
inline void Feed(TStripChartInt& Chart, std::int64_t& Next, Integer Count, Integer Step, Integer Series = 1) {
  std::vector<std::vector<Single>> Data(Series);
  while (Count > 0) {
    const Integer n = std::min(Step, Count);
    TSeriesValues Values{};
    for (Integer k = 0; k < Series; ++k) {
      Data[k].resize(n);
      for (Integer j = 0; j < n; ++j) Data[k][j] = static_cast<Single>((k + 1) * 100000 + Next + j);
      Values[k] = Data[k].data();
    }
    Chart.AddValues(Values, Series, n);
    Next += n;
    Count -= n;
  }
}

inline Single Expected(Integer Series, std::int64_t Sample) {
  return static_cast<Single>(Series * 100000 + Sample);
}

inline QByteArray ReadAll(const QString& Name) {
  QFile F(Name);
  if (!F.open(QIODevice::ReadOnly)) return {};
  return F.readAll();
}

inline void WriteAll(const QString& Name, const QByteArray& Bytes) {
  QFile F(Name);
  F.open(QIODevice::WriteOnly | QIODevice::Truncate);
  F.write(Bytes);
}

inline std::int32_t I32(const QByteArray& B, qsizetype At) {
  return qFromLittleEndian<std::int32_t>(B.constData() + At);
}
inline std::uint32_t U32(const QByteArray& B, qsizetype At) {
  return qFromLittleEndian<std::uint32_t>(B.constData() + At);
}
inline std::uint16_t U16(const QByteArray& B, qsizetype At) {
  return qFromLittleEndian<std::uint16_t>(B.constData() + At);
}
inline double F64(const QByteArray& B, qsizetype At) {
  const std::uint64_t Bits = qFromLittleEndian<std::uint64_t>(B.constData() + At);
  double V;
  std::memcpy(&V, &Bits, 8);
  return V;
}
inline float F32(const QByteArray& B, qsizetype At) {
  const std::uint32_t Bits = qFromLittleEndian<std::uint32_t>(B.constData() + At);
  float V;
  std::memcpy(&V, &Bits, 4);
  return V;
}

// Zoom mode: drags the rubber band from buffer index First to First + Span,
// rows 50 to 150; Unzoom clicks the right button.
inline void ZoomOnSamples(TStripChartInt& Chart, Integer First, Integer Span) {
  Chart.SetStripMode(TStripChartInt::modeZoom);
  Chart.MouseDown(mbLeft, 0, Chart.XPosition(First), 50);
  Chart.MouseMove(ssLeft, Chart.XPosition(First + Span), 150);
  Chart.MouseUp(mbLeft, 0, Chart.XPosition(First + Span), 150);
}
inline void Unzoom(TStripChartInt& Chart) {
  Chart.MouseDown(mbRight, 0, 200, 100);
  Chart.MouseUp(mbRight, 0, 200, 100);
}

// The qlxm commands, run in-process: exit code and both outputs.
struct Result {
  int Code;
  QString Out;
  QString Err;
};

inline Result RunTool(const QStringList& Args) {
  QString Out, Err;
  QTextStream O(&Out), E(&Err);
  const int Code = RunQlxm(Args, O, E);
  O.flush();
  E.flush();
  return {Code, Out, Err};
}

}  // namespace striptest
