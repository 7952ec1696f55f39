/// The work of the qlxm command-line tool, kept in the library so that it
/// runs on the recorder's own reader and can be tested without a process. \file
#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace quellix::StrpChrtInt {

/// Runs one qlxm command. Args are the arguments after the program name: <pre>
///   info FILE             format version and one line per run
///   export FILE --run N   CSV of run N: time, then one column per series
///   remarks FILE          CSV of every remark: run, time, series, flag, text </pre>
/// Output goes to Out; a failure writes one line to Err and returns non-zero
/// (1 bad arguments, 2 bad or unreadable file).
int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err);

class TStripChartInt;
/// The same, with export reading through Reader (a chart that is neither
/// logging nor playing, and is left stopped) instead of a chart of its own:
/// for callers that run many commands. Info and remarks need no chart.
int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err, TStripChartInt& Reader);


// CSV text, written in large pieces: straight to the
// device when the stream has one (a file, standard output), else through
// the stream. The numbers are formatted as QString::number(v, 'g', n)
// formats them, without building a string per number.
class TCsvWriter {
public:
  explicit TCsvWriter(QTextStream& Out) : FOut(Out) {
    FOut.flush();
    FBuffer.resize(kCapacity + kLineRoom);
  }
  ~TCsvWriter() { Flush(); }
  void Text(const char* S) {
    const size_t N = std::strlen(S);
    std::memcpy(FBuffer.data() + FFill, S, N);
    Advance(N);
  }
  void Char(char C) {
    FBuffer[FFill] = C;
    Advance(1);
  }
  // Digits significant digits, shortest form ("%.*g").
  void Number(double V, int Digits) {
    char* P = FBuffer.data() + FFill;
    if (std::isnan(V)) {
      std::memcpy(P, "nan", 3);
      Advance(3);
      return;
    }
    const auto R = std::to_chars(P, P + kLineRoom, V, std::chars_format::general, Digits);
    Advance(static_cast<size_t>(R.ptr - P));
  }
  void Flush() {
    if (FFill == 0) return;
    if (QIODevice* D = FOut.device()) D->write(FBuffer.data(), static_cast<qint64>(FFill));
    else FOut << QLatin1String(FBuffer.data(), static_cast<qsizetype>(FFill));
    FFill = 0;
  }

private:
  // Room for the longest line of nine numbers behind the flush limit.
  static constexpr size_t kCapacity = 1 << 20, kLineRoom = 512;
  void Advance(size_t N) {
    FFill += N;
    if (FFill >= kCapacity) Flush();
  }
  QTextStream& FOut;
  std::vector<char> FBuffer;
  size_t FFill = 0;
};

// The sample CSV that qlxm export writes, shared with the chart's export
// of its window: the header "time,series1,...,seriesN" and one line per
// sample, the time with 15 significant digits and each value with 9.
// ValueAt(k) gives the value of series k + 1.
void WriteSampleCsvHeader(TCsvWriter& Csv, int SeriesCount);
template <class TValueAt>
void WriteSampleCsvLine(TCsvWriter& Csv, double Time, int SeriesCount, const TValueAt& ValueAt) {
  Csv.Number(Time, 15);
  for (int k = 0; k < SeriesCount; ++k) {
    Csv.Char(',');
    Csv.Number(static_cast<float>(ValueAt(k)), 9);
  }
  Csv.Char('\n');
}

}  // namespace quellix::StrpChrtInt
