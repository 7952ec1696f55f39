#include "quellix/stripchart/QlxmCommands.h"

#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

#include "quellix/stripchart/DataFileReader.h"
#include "quellix/stripchart/StripChartEngine.h"

namespace quellix::StrpChrtInt {

namespace {

const char* const kUsage = "Aufruf: qlxm info DATEI | qlxm export DATEI --run N | qlxm remarks DATEI";

QString Number(Extended Value) { return QString::number(static_cast<double>(Value), 'g', 15); }

// A field of a CSV line, quoted when it needs to be.
QString CsvField(const QString& S) {
  if (!S.contains(',') && !S.contains('"') && !S.contains('\n')) return S;
  QString Quoted = S;
  Quoted.replace('"', QStringLiteral("\"\""));
  return '"' + Quoted + '"';
}

// Thrown for a file the reader stops on; the message is the one line
// written to stderr.
struct TToolError {
  QString Message;
};

QString DamagedFile(const QString& FileName, Integer Status) {
  return QStringLiteral("Messdatei %1 ist beschädigt (Lesestatus %2)").arg(FileName).arg(Status);
}

// Shows run N; false when the file has no such run. A damaged chain is an
// error, not the end of the runs.
bool SelectRun(TStripChartInt& Chart, Integer Number) {
  Chart.SetDisplayRunNumber(Number);
  if (Chart.DisplayRunNumber() == Number) return true;
  const Integer Status = Chart.LoadStatus();
  if (Status != lsEndOfFile && Status != lsStartOfFile && Status != lsDone)
    throw TToolError{DamagedFile(Chart.FileName(), Status)};
  return false;
}

// Info and remarks read the file with the reader that needs no chart: one
// walk over the chunk headers, the HEAD payloads and the remark chains.

// Where the walk over the chunks stopped short of the end of the file: a
// chunk cut off while its run was written continues that run and is no
// damage (the recorder plays such a file back); anything else ends the list
// of runs with an error.
void CheckWalkEnd(const TDataFileReader& File) {
  const TFileScan& Scan = File.Scan();
  if (Scan.Result == TFileScan::Complete) return;
  const TChunkKind Kind = Scan.StopHeader.Kind();
  const TRunInfo* Last = File.Runs().empty() ? nullptr : &File.Runs().back();
  const bool InLastRun = Last && Last->TailPos < 0 && Kind != TChunkKind::Head;
  if (Scan.Result == TFileScan::CutOff) {
    if (InLastRun && (Kind == TChunkKind::Data || Kind == TChunkKind::Tail)) return;
    throw TToolError{DamagedFile(File.FileName(), lsInconsistent)};
  }
  const Integer Status = Kind == TChunkKind::Unknown ? lsUnknownChunk : lsInconsistent;
  if (!InLastRun) throw TToolError{DamagedFile(File.FileName(), Status)};
  throw TToolError{
      QStringLiteral("Lauf %1 in %2 ist beschädigt (Lesestatus %3)").arg(Last->RunNumber).arg(File.FileName()).arg(Status)};
}

// The remarks the recorder marks: those with a time.
std::vector<TRemarkRecord> MarkedRemarks(const std::map<Integer, std::vector<TRemarkRecord>>& All, Integer Run) {
  std::vector<TRemarkRecord> Marked;
  const auto It = All.find(Run);
  if (It != All.end())
    std::copy_if(It->second.begin(), It->second.end(), std::back_inserter(Marked),
                 [](const TRemarkRecord& R) { return std::isfinite(R.Time); });
  return Marked;
}

void Info(TDataFileReader& File, QTextStream& Out) {
  Out << "file: " << File.FileName() << '\n';
  Out << "version: " << kFileVersion << '\n';
  const auto Remarks = File.RemarksOfAllRuns();
  for (const TRunInfo& Run : File.Runs())
    Out << "run " << Run.RunNumber << ": start=" << Number(Run.StartTime) << " interval=" << Number(Run.Interval)
        << " series=" << Run.SeriesCount << " samples=" << Run.Samples
        << " remarks=" << MarkedRemarks(Remarks, Run.RunNumber).size() << " comment=\"" << File.RunComment(Run)
        << "\"\n";
  CheckWalkEnd(File);
}

void Remarks(const TDataFileReader& File, QTextStream& Out) {
  Out << "run,time,series,flag,text\n";
  const auto Remarks = File.RemarksOfAllRuns();
  for (const TRunInfo& Run : File.Runs())
    for (const TRemarkRecord& R : MarkedRemarks(Remarks, Run.RunNumber))
      Out << R.RunNumber << ',' << Number(R.Time) << ',' << (R.Series < 0 ? QStringLiteral("all") : QString::number(R.Series))
          << ',' << (R.Flag == dfManual ? "manual" : "automatic") << ',' << CsvField(R.Text) << '\n';
  CheckWalkEnd(File);
}

// Streams the run in pieces through the reader: memory stays the same
// whatever the run's length.
void Export(TStripChartInt& Chart, Integer Run, QTextStream& Out) {
  if (!SelectRun(Chart, Run))
    throw TToolError{QStringLiteral("Lauf %1 ist nicht in %2").arg(Run).arg(Chart.FileName())};
  const Integer Damage = Chart.LoadStatus();
  const Integer Series = Chart.DisplayRunSeries();
  constexpr Integer kPiece = 16384;
  std::vector<std::vector<Single>> Arrays(Series, std::vector<Single>(kPiece + 1));
  TSeriesBuffers Dest{};
  for (Integer k = 0; k < Series; ++k) Dest[k] = Arrays[k].data();
  const std::int64_t Total = Chart.DisplaySampleCount();
  const Extended Start = Chart.DisplayStartTime(), Inc = Chart.DisplayTimeIncrement();
  {
    TCsvWriter Csv(Out);
    WriteSampleCsvHeader(Csv, Series);
    for (std::int64_t First = 0; First < Total;) {
      const auto Count = static_cast<Integer>(std::min<std::int64_t>(kPiece, Total - First));
      Integer Read = 0;
      const Integer Status = Chart.ReadRunSamples(First, Count, Dest, Series, Read);
      for (Integer i = 1; i <= Read; ++i)
        WriteSampleCsvLine(Csv, static_cast<double>(Start + Inc * (First + i - 1)), Series,
                           [&](Integer k) { return Arrays[k][i]; });
      First += Read;
      if (Status != lsDone || Read < Count) {
        Csv.Flush();
        throw TToolError{QStringLiteral("Lesefehler in %1 nach %2 Werten (Lesestatus %3)")
                             .arg(Chart.FileName())
                             .arg(First)
                             .arg(Status)};
      }
    }
  }
  if (Damage == lsInconsistent || Damage == lsUnknownChunk)
    throw TToolError{QStringLiteral("Lauf %1 in %2 ist nach %3 Werten beschädigt (Lesestatus %4)")
                         .arg(Run)
                         .arg(Chart.FileName())
                         .arg(Total)
                         .arg(Damage)};
}

}  // namespace

void WriteSampleCsvHeader(TCsvWriter& Csv, int SeriesCount) {
  Csv.Text("time");
  for (int k = 1; k <= SeriesCount; ++k) {
    Csv.Text(",series");
    Csv.Number(k, 9);
  }
  Csv.Char('\n');
}

namespace {

// Reader: the chart that export reads through, or none for a chart of its
// own.
int RunCommand(const QStringList& Args, QTextStream& Out, QTextStream& Err, TStripChartInt* Reader) {
  const QString Command = Args.value(0);
  const QString FileName = Args.value(1);
  Integer Run = 0;
  bool ArgsOk = Args.size() >= 2 && (Command == "info" || Command == "remarks" || Command == "export");
  if (ArgsOk && Command == "export") {
    bool IsNumber = false;
    ArgsOk = Args.size() == 4 && Args[2] == "--run";
    if (ArgsOk) Run = Args[3].toInt(&IsNumber);
    ArgsOk = ArgsOk && IsNumber && Run >= 1;
  } else if (ArgsOk) {
    ArgsOk = Args.size() == 2;
  }
  if (!ArgsOk) {
    Err << kUsage << Qt::endl;
    return 1;
  }
  if (!QFileInfo(FileName).isFile()) {
    Err << QStringLiteral("Datei %1 nicht gefunden").arg(FileName) << Qt::endl;
    return 2;
  }
  try {
    if (Command == "info") {
      TDataFileReader File(FileName);
      Info(File, Out);
    } else if (Command == "remarks") {
      Remarks(TDataFileReader(FileName), Out);
    } else {
      std::optional<TStripChartInt> Own;
      TStripChartInt& Chart = Reader ? *Reader : Own.emplace();
      struct TStop {
        TStripChartInt& Chart;
        ~TStop() { Chart.StopPlaying(); }
      } Stop{Chart};
      Chart.StartPlaying(FileName);
      Export(Chart, Run, Out);
    }
    Out.flush();
  } catch (const TToolError& E) {
    Out.flush();
    Err << E.Message << Qt::endl;
    return 2;
  } catch (const Exception& E) {
    Out.flush();
    Err << E.Message() << Qt::endl;
    return 2;
  }
  return 0;
}

}  // namespace

int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err) { return RunCommand(Args, Out, Err, nullptr); }

int RunQlxm(const QStringList& Args, QTextStream& Out, QTextStream& Err, TStripChartInt& Reader) {
  return RunCommand(Args, Out, Err, &Reader);
}

}  // namespace quellix::StrpChrtInt
