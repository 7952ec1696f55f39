// Files of any size: the strip chart's reader must not walk a file from
// its start, and the qlxm tool must stream.
//
//   FIGURE datafile.jump_draw.<size> <ms> ms ratio <ms/ms at 10MB> vs 10MB
//     a jump to a random time of a run of 10 MB, 100 MB or 1 GB of samples
//     (8 series) and the drawing of the window there, 800 x 600; flat
//     means the ratio stays near 1.
//   FIGURE qlxm.export_1GB <MB/s> MB/s ratio <ours/peer> vs to_chars_loop
//     CSV text per second of `qlxm export` of the 1 GB run, against a
//     plain std::to_chars loop writing the same numbers (both to /dev/null).
//   FIGURE qlxm.info_10000_runs <s> s ratio <ours/peer> vs header_walk
//     `qlxm info` of a file of 10 000 runs, against a plain stdio walk
//     over every chunk header of the same file.
// The files are made in /tmp first and removed at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "BenchSupport.h"
#include "quellix/stripchart/QlxmCommands.h"
#include "quellix/stripchart/StripChartEngine.h"

using namespace quellix;
using namespace quellix::StrpChrtInt;

namespace {

constexpr int kSeries = 8;
constexpr double kInterval = 0.001;
constexpr int kInfoRuns = 10000;

QString TempName(const QString& Name) { return QDir::tempPath() + "/quellix_bench_" + Name; }

// The value series k (0-based) holds at sample i, in the files and for the
// peer alike.
Single SampleValue(int k, std::int64_t i) { return static_cast<Single>((k + 1) * 0.25 + (i % 1000) * 0.001); }

// Logs one run of Samples samples per series through the chart's writer.
void MakeRun(const QString& Name, std::int64_t Samples) {
  QFile::remove(Name);
  TStripChartInt Chart;
  Chart.SetSeriesNumber(kSeries);
  Chart.SetLogTimeIncrement(kInterval);
  Chart.StartLogging(Name, "bench");
  constexpr int kBlock = 16384;
  std::vector<std::vector<Single>> Data(kSeries, std::vector<Single>(kBlock));
  for (std::int64_t Done = 0; Done < Samples;) {
    const int n = static_cast<int>(std::min<std::int64_t>(kBlock, Samples - Done));
    TSeriesValues Values{};
    for (int k = 0; k < kSeries; ++k) {
      for (int i = 0; i < n; ++i) Data[k][i] = SampleValue(k, Done + i);
      Values[k] = Data[k].data();
    }
    Chart.AddValues(Values, kSeries, n);
    Done += n;
  }
  Chart.StopLogging();
}

void MakeManyRuns(const QString& Name) {
  QFile::remove(Name);
  TStripChartInt Chart;
  Chart.StartLogging(Name, "bench");
  std::vector<Single> Data(16, 1.0f);
  for (int r = 0; r < kInfoRuns; ++r) {
    if (r > 0) Chart.SetLogStartTime(r * 100.0);
    Chart.AddValues(TSeriesValues{Data.data()}, 1, static_cast<Integer>(Data.size()));
  }
  Chart.StopLogging();
}

struct TSizedRun {
  const char* Label;
  std::int64_t Bytes;
  QString File;
};
std::vector<TSizedRun> Runs = {{"10MB", 10ll << 20, {}}, {"100MB", 100ll << 20, {}}, {"1GB", 1ll << 30, {}}};

void JumpAndDraw(benchmark::State& State, const TSizedRun& Run) {
  TStripChartInt Chart;
  Chart.SetSeriesNumber(kSeries);
  Chart.SetBounds(0, 0, 800, 600);
  Chart.StartPlaying(Run.File);   // opening builds the run's index, outside the timing
  const double Start = static_cast<double>(Chart.DisplayStartTime());
  const double Last = static_cast<double>(Chart.DisplayTimeLast());
  std::mt19937_64 Random(42);
  std::uniform_real_distribution<double> Time(Start, Last);
  Chart.Repaint();
  for (auto _ : State) {
    Chart.MoveWindowTo(false, Time(Random));
    Chart.Repaint();
  }
  if (Chart.LoadStatus() != lsDone) State.SkipWithError("read failed");
  Chart.StopPlaying();
}

QString ExportFile() { return Runs.back().File; }
std::int64_t ExportBytes = 0;

// One qlxm command with its output going to /dev/null; true when it succeeded.
bool QlxmToNull(const QStringList& Args) {
  QFile Null(QStringLiteral("/dev/null"));
  Null.open(QIODevice::WriteOnly);
  QTextStream Out(&Null);
  QString ErrText;
  QTextStream Err(&ErrText);
  return RunQlxm(Args, Out, Err) == 0;
}

void ExportOurs(benchmark::State& State) {
  for (auto _ : State)
    if (!QlxmToNull({"export", ExportFile(), "--run", "1"})) State.SkipWithError("export failed");
}

// The same text as the export, made by std::to_chars into a buffer that is
// written out in 1 MB pieces.
void ExportPeer(benchmark::State& State) {
  const std::int64_t Samples = Runs.back().Bytes / (4 * kSeries);
  for (auto _ : State) {
    std::FILE* F = std::fopen("/dev/null", "wb");
    std::vector<char> Buffer((1 << 20) + 512);
    size_t Fill = 0;
    std::int64_t Total = 0;
    auto Flush = [&] {
      std::fwrite(Buffer.data(), 1, Fill, F);
      Total += static_cast<std::int64_t>(Fill);
      Fill = 0;
    };
    const char* Header = "time,series1,series2,series3,series4,series5,series6,series7,series8\n";
    std::memcpy(Buffer.data(), Header, std::strlen(Header));
    Fill = std::strlen(Header);
    for (std::int64_t i = 0; i < Samples; ++i) {
      char* P = Buffer.data() + Fill;
      P = std::to_chars(P, P + 32, static_cast<double>(0 + kInterval * static_cast<long double>(i)),
                        std::chars_format::general, 15).ptr;
      for (int k = 0; k < kSeries; ++k) {
        *P++ = ',';
        P = std::to_chars(P, P + 32, static_cast<double>(SampleValue(k, i)), std::chars_format::general, 9).ptr;
      }
      *P++ = '\n';
      Fill = static_cast<size_t>(P - Buffer.data());
      if (Fill >= (1 << 20)) Flush();
    }
    Flush();
    std::fclose(F);
    ExportBytes = Total;
  }
}

void InfoOurs(benchmark::State& State) {
  for (auto _ : State)
    if (!QlxmToNull({"info", TempName("runs.qlx")})) State.SkipWithError("info failed");
}

// Every chunk header of the file, read with fseek and fread.
void InfoPeer(benchmark::State& State) {
  const QByteArray Name = TempName("runs.qlx").toLocal8Bit();
  for (auto _ : State) {
    std::FILE* F = std::fopen(Name.constData(), "rb");
    long Pos = 6;
    int Heads = 0;
    unsigned char H[40];
    while (std::fseek(F, Pos, SEEK_SET) == 0 && std::fread(H, 1, 40, F) == 40) {
      std::uint32_t Size;
      std::memcpy(&Size, H + 4, 4);
      if (std::memcmp(H, "HEAD", 4) == 0) ++Heads;
      if (Size < 40) break;
      Pos += static_cast<long>(Size);
    }
    std::fclose(F);
    benchmark::DoNotOptimize(Heads);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  for (TSizedRun& R : Runs) {
    R.File = TempName(QStringLiteral("run_%1.qlx").arg(R.Label));
    MakeRun(R.File, R.Bytes / (4 * kSeries));
  }
  MakeManyRuns(TempName("runs.qlx"));

  for (const TSizedRun& R : Runs)
    benchmark::RegisterBenchmark((std::string("JumpDraw_") + R.Label).c_str(), JumpAndDraw, R)
        ->Iterations(300)
        ->Repetitions(3)
        ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ExportOurs", ExportOurs)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
  benchmark::RegisterBenchmark("ExportPeer", ExportPeer)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
  benchmark::RegisterBenchmark("InfoOurs", InfoOurs)->Iterations(3)->Repetitions(2)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("InfoPeer", InfoPeer)->Iterations(3)->Repetitions(2)->Unit(benchmark::kMillisecond);

  bench::TCollector Collector;
  bench::RunBenchmarks(argc, argv, Collector);

  const auto Base = Collector.Best("JumpDraw_10MB");
  for (const TSizedRun& R : Runs) {
    const auto T = Collector.Best(std::string("JumpDraw_") + R.Label);
    if (T && Base)
      bench::PrintFigure((std::string("datafile.jump_draw.") + R.Label).c_str(), *T * 1e3, 2, "ms", *T / *Base,
                         "10MB");
  }
  const auto Ours = Collector.Best("ExportOurs"), Peer = Collector.Best("ExportPeer");
  if (Ours && Peer && ExportBytes > 0) {
    const double MB = static_cast<double>(ExportBytes) / (1 << 20);
    bench::PrintFigure("qlxm.export_1GB", MB / *Ours, 0, "MB/s", *Peer / *Ours, "to_chars_loop");
  }
  const auto InfoT = Collector.Best("InfoOurs"), WalkT = Collector.Best("InfoPeer");
  if (InfoT && WalkT) bench::PrintFigure("qlxm.info_10000_runs", *InfoT, 3, "s", *InfoT / *WalkT, "header_walk");

  for (const TSizedRun& R : Runs) {
    QFile::remove(R.File);
    QFile::remove(QString(R.File).replace(".qlx", ".XRM"));
  }
  QFile::remove(TempName("runs.qlx"));
  QFile::remove(TempName("runs.XRM"));
  return 0;
}
