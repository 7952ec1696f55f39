/// Reading strip chart data files without the recorder: the runs a file
/// holds, their comments and samples, and the remarks of the companion
/// remark file. Needs Qt Core only, for programs that convert or analyse
/// logged data without showing it.
/// \code
///   TDataFileReader File("messung.qlx");
///   for (const TRunInfo& Run : File.Runs()) {
///     std::vector<Single> Left(Run.Samples);
///     TSeriesBuffers Dest{};
///     Dest[0] = Left.data();
///     File.ReadSamples(Run, 0, Run.Samples, Dest);
///   } \file \endcode
#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "quellix/stripchart/DataFile.h"

namespace quellix::StrpChrtInt {

class TDataFileReader {
public:
  /// Opens FileName read-only and walks its chunks once. Raises EStreamError
  /// when the file cannot be opened and EStripChartFile when it is not a
  /// data file of this format.
  explicit TDataFileReader(const QString& FileName);
  ~TDataFileReader();
  TDataFileReader(const TDataFileReader&) = delete;
  TDataFileReader& operator=(const TDataFileReader&) = delete;

  QString FileName() const { return FFileName; }
  /// The runs in file order, up to the first damaged or incomplete chunk.
  /// A run whose TAIL is missing (logging was cut off) has TailPos -1 and
  /// holds the samples of its whole DATA chunks.
  const std::vector<TRunInfo>& Runs() const { return FScan.Runs; }
  /// How the walk ended: Complete, CutOff (the last chunk is incomplete) or
  /// Damaged (a chunk header contradicts itself or its run).
  TFileScan::TResult ScanResult() const { return FScan.Result; }
  /// The whole walk: besides the runs, where it stopped and the chunk
  /// header it stopped at.
  const TFileScan& Scan() const { return FScan; }
  /// The run numbered RunNumber, or nullptr.
  const TRunInfo* FindRun(Integer RunNumber) const;

  /// The comment stored in the run's HEAD.
  QString RunComment(const TRunInfo& Run);
  /// Reads up to Count samples per series, starting at sample First of the
  /// run (0 is the run's first sample), into Dest[k][0 .. Count-1] for the
  /// series k + 1 = 1 .. Run.SeriesCount; a null Dest[k] skips that series.
  /// Returns the samples read per series: fewer than Count at the run's end,
  /// 0 for First outside the run.
  Integer ReadSamples(const TRunInfo& Run, std::int64_t First, Integer Count, const TSeriesBuffers& Dest);

  /// The remarks of run RunNumber in the order they were made, read from
  /// the remark file beside the data file (none when it does not exist):
  /// the run's first record, then along the links from record to record,
  /// as the recorder lists them. A damaged link or a record cut off at the
  /// end of the file ends the list. Records whose time is not a number are
  /// listed too; the recorder marks no point for them. Raises EStreamError
  /// when the remark file exists but cannot be read.
  std::vector<TRemarkRecord> Remarks(Integer RunNumber) const;
  /// The same for every run that has remarks, by run number, with one pass
  /// over the remark file.
  std::map<Integer, std::vector<TRemarkRecord>> RemarksOfAllRuns() const;

private:
  /// The remark file opened for reading, or nullptr when there is none.
  std::unique_ptr<TFileStream> OpenRemarkFile() const;
  QString FFileName;
  std::unique_ptr<TFileStream> FStream;
  TFileScan FScan;
};

}  ///< namespace quellix::StrpChrtInt
