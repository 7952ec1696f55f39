// The canvas's one-pixel line routine against QPainter:
//   host.thinline_8x512   8 polylines of 512 points each (noisy traces
//                         across an 800 x 600 surface, as a chart draws
//                         them, a few segments leaving the surface),
//                         TCanvas::Polyline against QPainter::drawPolyline
//                         with a cosmetic pen, same points, same image.
//   host.textout_labels   the labels of a time axis and a value axis (24
//                         texts, as a chart repaint draws them) through
//                         TCanvas::TextOut, which keeps each label's glyphs
//                         once shaped, against QPainter::drawText of the
//                         same texts in the same font, shaped every call.
// CPU time per pass; lower is better.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <vector>

#include "BenchSupport.h"
#include "quellix/host/Graphics.h"

using namespace quellix;

namespace {

constexpr int kW = 800, kH = 600, kSeries = 8, kPoints = 512;
const TColor kColors[kSeries] = {clRed, clBlue, clGreen, clYellow, clPurple, clMaroon, clLime, clAqua};

struct TTraces {
  std::vector<std::vector<TPoint>> Points;
  std::vector<QPolygon> Lines;
  TTraces() {
    for (int k = 0; k < kSeries; ++k) {
      std::vector<TPoint> P;
      QPolygon L;
      for (int i = 0; i < kPoints; ++i) {
        const int X = 70 + i * (kW - 110) / (kPoints - 1);
        // Each trace in its own band, with fast noise; every 97th point
        // jumps far off the surface, as clamped outliers do.
        int Y = static_cast<int>(60 + 60 * k + 25 * std::sin(i * 0.05 + k) + 10 * std::sin(i * 1.3));
        if (i % 97 == 50) Y = k % 2 ? -30000 : 30000;
        P.push_back({X, Y});
        L << QPoint(X, Y);
      }
      Points.push_back(P);
      Lines.push_back(L);
    }
  }
};

void Ours(benchmark::State& State) {
  TTraces T;
  TBitmap Bmp(kW, kH);
  TCanvas& C = Bmp.Canvas();
  for (auto _ : State)
    for (int k = 0; k < kSeries; ++k) {
      C.Pen().Color = kColors[k];
      C.Polyline(T.Points[k]);
    }
}

void Peer(benchmark::State& State) {
  TTraces T;
  TBitmap Bmp(kW, kH);
  for (auto _ : State) {
    QPainter P(&Bmp.Image());
    P.setRenderHint(QPainter::Antialiasing, false);
    for (int k = 0; k < kSeries; ++k) {
      P.setPen(QPen(ToQColor(kColors[k]), 0));
      P.drawPolyline(T.Lines[k]);
    }
  }
}

// Time labels "mm:ss.mmm" and value labels "-2,5" .. "9,0".
std::vector<QString> Labels() {
  std::vector<QString> L;
  for (int i = 0; i < 12; ++i) L.push_back(QStringLiteral("00:%1.%2").arg(i + 10).arg(i * 83 % 1000, 3, 10, QLatin1Char('0')));
  for (int i = 0; i < 12; ++i) L.push_back(QString::number(-2.5 + i, 'f', 1).replace('.', ','));
  return L;
}

TFont LabelFont() {
  TFont F;
  F.SetName(QStringLiteral("Arial"));
  F.SetHeight(-11);
  return F;
}

void OursText(benchmark::State& State) {
  const auto L = Labels();
  TBitmap Bmp(kW, kH);
  TCanvas& C = Bmp.Canvas();
  C.Font().Assign(LabelFont());
  C.SetBkMode(bkTransparent);
  for (auto _ : State)
    for (size_t i = 0; i < L.size(); ++i) C.TextOut(20 + 30 * static_cast<int>(i), 300, L[i]);
}

void PeerText(benchmark::State& State) {
  const auto L = Labels();
  TBitmap Bmp(kW, kH);
  const QFont F = LabelFont().ToQFont();
  const int Ascent = QFontMetrics(F).ascent();
  for (auto _ : State) {
    QPainter P(&Bmp.Image());
    P.setRenderHint(QPainter::TextAntialiasing, false);
    P.setFont(F);
    P.setPen(Qt::black);
    for (size_t i = 0; i < L.size(); ++i) P.drawText(QPoint(20 + 30 * static_cast<int>(i), 300 + Ascent), L[i]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::RegisterBenchmark("thinline_8x512/ours", Ours)->Repetitions(3);
  benchmark::RegisterBenchmark("thinline_8x512/qpainter", Peer)->Repetitions(3);
  benchmark::RegisterBenchmark("textout_labels/ours", OursText)->Repetitions(3);
  benchmark::RegisterBenchmark("textout_labels/qpainter", PeerText)->Repetitions(3);
  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);
  const auto O = Collector.Best("thinline_8x512/ours", &bench::TPass::Cpu);
  const auto P = Collector.Best("thinline_8x512/qpainter", &bench::TPass::Cpu);
  if (O && P) bench::PrintFigure("host.thinline_8x512", *O * 1e6, 1, "us", *O / *P, "qpainter-polyline");
  const auto OT = Collector.Best("textout_labels/ours", &bench::TPass::Cpu);
  const auto PT = Collector.Best("textout_labels/qpainter", &bench::TPass::Cpu);
  if (OT && PT) bench::PrintFigure("host.textout_labels", *OT * 1e6, 2, "us", *OT / *PT, "qpainter-drawtext");
  return 0;
}
