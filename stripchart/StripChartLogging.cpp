#include "quellix/stripchart/StripChartFileSession.h"

#include "quellix/host/NumberFormat.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

namespace quellix::StrpChrtInt {

namespace {

void SamplesToFile(Byte* Out, const Single* Data, Integer Count) {
  if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
    for (Integer i = 0; i < Count; ++i) qToLittleEndian(Data[i], Out + 4 * i);
  } else {
    std::memcpy(Out, Data, 4 * static_cast<size_t>(Count));
  }
}

}  // namespace

// ===========================================================================
// Logging: the built-in writer

void TStripFileSession::EncodeHeader(Byte* Out, const char* Id, Cardinal Size, Double First, Double Last,
                                  Word BytesPerSeries) const {
  TChunkHeader H;
  std::memcpy(H.Id.data(), Id, 4);
  H.Size = Size;
  H.FirstTime = First;
  H.LastTime = Last;
  H.Interval = FBlock.Interval;
  H.PrevChunk = static_cast<Integer>(FPrevChunkPos);
  H.SeriesCount = static_cast<Byte>(FBlock.SeriesCount);
  H.BytesPerSeries = BytesPerSeries;
  EncodeChunkHeader(H, Out);
}

void TStripFileSession::WriteChunk(const Byte* Bytes, Cardinal Size) {
  TStream& S = *FDataStream;
  // Nobody else may have changed the file since the last chunk: a write
  // behind a truncation would leave a hole that looks like data.
  S.Flush();
  const std::int64_t At = S.Position();
  try {
    S.WriteBuffer(Bytes, Size);
  } catch (const Exception&) {
    try {
      S.SetSize(At);
    } catch (const Exception&) {
      // The file keeps a cut chunk, which every reader stops before.
    }
    throw;
  }
  FPrevChunkPos = At;
  FWritePos = S.Position();
}

void TStripFileSession::FlushFiles() {
  if (FDataStream) FDataStream->Flush();
  if (FRemarkStream && FRemarkWritable) {
    try {
      FRemarkStream->Flush();
    } catch (const Exception&) {
      FRemarkFileFailed = true;
      throw;
    }
  }
}

// One DATA chunk of the samples of the block buffer, written in one piece:
// header, then each series' Singles in series order. The block buffer is
// empty again behind it.
void TStripFileSession::WriteDataChunk() {
  const Integer Samples = FBlock.Fill;
  const auto FirstTime = static_cast<Double>(FBlock.BlockTime + FBlock.Interval);
  const Integer Series = FBlock.SeriesCount;
  const Integer BytesPerSeries = 4 * Samples;
  const Cardinal Size = kChunkHeaderSize + Series * BytesPerSeries;
  FChunkBytes.resize(Size);
  EncodeHeader(FChunkBytes.data(), "DATA", Size, FirstTime,
               static_cast<Double>(FBlock.BlockTime + Samples * static_cast<Extended>(FBlock.Interval)),
               static_cast<Word>(BytesPerSeries));
  for (Integer s = 0; s < Series; ++s)
    SamplesToFile(FChunkBytes.data() + kChunkHeaderSize + s * BytesPerSeries, FBlock.Data[s].data(), Samples);
  WriteChunk(FChunkBytes.data(), Size);
  FBlock.Fill = 0;
  FBlock.BlockTime += Samples * static_cast<Extended>(FBlock.Interval);
  FlushFiles();
}

void TStripFileSession::WriteTail() {
  Byte Raw[kTailChunkSize];
  EncodeHeader(Raw, "TAIL", kTailChunkSize, 0, static_cast<Double>(FBlock.BlockTime), 0);
  qToLittleEndian<std::int32_t>(FRunCounter, Raw + kChunkHeaderSize);
  WriteChunk(Raw, kTailChunkSize);
  FlushFiles();
}

void TStripFileSession::StartRun(Integer SeriesCount) {
  if (FBlock.Capacity != kBlockSamples) {
    for (auto& Array : FBlock.Data) Array.assign(kBlockSamples, 0.0f);
    FBlock.Capacity = kBlockSamples;
  }
  FBlock.Fill = 0;
  FBlock.Interval = FLogTimeIncrement;
  FBlock.BlockTime = static_cast<Extended>(FLogStartTime) - FLogTimeIncrement;
  FBlock.SeriesCount = std::clamp(SeriesCount, 1, kMaxSeries);
  FDataStream->Seek(FDataStream->Size());
  FLogging = true;
  const std::int64_t HeadPos = FDataStream->Position();
  Byte Raw[kHeadChunkSize];
  EncodeHeader(Raw, "HEAD", kHeadChunkSize, static_cast<Double>(FBlock.BlockTime + FLogTimeIncrement), 0, 0);
  qToLittleEndian<std::int32_t>(FRunCounter + 1, Raw + kChunkHeaderSize);
  EncodeShortString(FBlock.Comment, kCommentLength, Raw + kChunkHeaderSize + 4, '\0');
  WriteChunk(Raw, kHeadChunkSize);
  ++FRunCounter;
  if (FLiveView) {
    // The run being written becomes the run shown; it has no remarks yet.
    FDisplayRunNumber = FRunCounter;
    FReadCursor = FDisplayHeadPos = HeadPos;
    FDisplaySeries = FBlock.SeriesCount;
    FRemarks.clear();
    FCurrentRemarkPos = -1;
    FRemarkListChanged = true;
  }
  FlushFiles();
}

void TStripFileSession::FileStore(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values,
                               Integer SeriesCount, Integer SampleCount) {
  if (!Stream || Stream != FDataStream.get()) return;
  // Display reads move the same stream: continue where the writer stopped.
  if (FWritePos >= 0) Stream->Seek(FWritePos);
  switch (Command) {
    case scNewFile: {
      Stream->Seek(0);
      Byte Signature[kFirstChunkPos];
      std::memcpy(Signature, kSignature, 4);
      qToLittleEndian<std::uint16_t>(kFileVersion, Signature + 4);
      Stream->WriteBuffer(Signature, kFirstChunkPos);
      FPrevChunkPos = 0;
      FRunCounter = 0;
      StartRun(SeriesCount);
      break;
    }
    case scStartRun:
      StartRun(SeriesCount);
      break;
    case scWrite: {
      if (FBlock.Capacity != kBlockSamples || !FLogging || SeriesCount < 1 || SeriesCount > kMaxSeries) return;
      Integer Done = 0;
      while (Done < SampleCount) {
        const Integer Part = std::min(kBlockSamples - FBlock.Fill, SampleCount - Done);
        for (Integer s = 0; s < FBlock.SeriesCount; ++s) {
          Single* Dest = FBlock.Data[s].data() + FBlock.Fill;
          if (s < SeriesCount && Values[s])
            std::memcpy(Dest, Values[s] + Done, sizeof(Single) * Part);
          else
            std::fill(Dest, Dest + Part, 0.0f);
        }
        Done += Part;
        FBlock.Fill += Part;
        // A full block goes to the file at once, so that no more than the
        // block being filled is ever only in memory.
        if (FBlock.Fill == kBlockSamples) WriteDataChunk();
      }
      break;
    }
    case scEndRun: {
      if (!FLogging) return;
      if (FBlock.Fill > 0) WriteDataChunk();
      WriteTail();
      FLogging = false;
      break;
    }
  }
  FWritePos = Stream->Position();
}

void TStripFileSession::CallStore(TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                           Integer SampleCount) {
  if (!StoreHandler) return;
  try {
    StoreHandler(FDataStream.get(), Command, Values, SeriesCount, SampleCount);
  } catch (const Exception& E) {
    // When only the remark file failed, the data file is whole.
    FailLogging(E.Message(), FRemarkFileFailed);
  } catch (const std::bad_alloc&) {
    FailLogging(QStringLiteral("Zu wenig Speicher zum Schreiben der Messdatei %1").arg(FFileName), false);
  }
}

void TStripFileSession::FailLogging(const QString& Reason, bool DataFileWhole) {
  FRemarkFileFailed = false;
  if (DataFileWhole && StoreHandler && FLogging) {
    // Only the remark file failed: the data file still takes the end of
    // the run.
    FRemarkStream.reset();
    FRemarkWritable = false;
    try {
      StoreHandler(FDataStream.get(), scEndRun, TSeriesValues{}, FSeriesNumber, 0);
    } catch (const Exception&) {
      // Then the run ends as if cut off; its whole chunks stay readable.
    }
  }
  CloseFiles();
  FLogging = false;
  FRunCounter = 0;
  FRunComment = DefaultRunComment();
  AfterRunEnded();
  FileStateChanged();
  InvalidatePlot();
  throw EStreamError(Reason + QStringLiteral(". Die Aufnahme wurde beendet."));
}

void TStripFileSession::AfterRunEnded() {
  if (FLiveView || IsDestroying()) return;
  // The view showed an earlier part of the log: it returns to the live
  // samples, which go on where the time of the log is now.
  FLiveView = true;
  SetLogStartTime(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
}

void TStripFileSession::RestartRun(Double NewStart) {
  const bool ShownRunCloses = FDisplayRunNumber == FRunCounter;
  const Extended ClosedEnd = FLogTimeLast;
  CallStore(scEndRun, TSeriesValues{}, 0, 0);
  FLogStartTime = NewStart;
  FLogTimeLast = NewStart - FLogTimeIncrement;
  if (FLiveView) {
    ShowLiveFrom(NewStart);
  } else if (ShownRunCloses) {
    // The run shown is an ordinary closed run from now on, indexed anew
    // with its last chunks.
    FDisplayTimeLast = ClosedEnd;
    FRunIndex.Clear();
  }
  FLogging = true;
  CallStore(scStartRun, TSeriesValues{}, FSeriesNumber, 0);
  FLogging = true;
  if (FLiveView) FLastRefillRun = FDisplayRunNumber;
}

// ===========================================================================
// Starting and stopping

void TStripFileSession::StartLogging(const QString& FileName, const QString& Comment) {
  if (FLogging) return;
  StopPlaying();
  const QString RemarkName = RemarkFileName(FileName);
  const bool Exists = QFileInfo::exists(FileName);
  bool RemarksCreated = false;
  std::int64_t KeepSize = -1;   // the data file's size before this run
  try {
    // Nothing is written before both files are open: a remark file that
    // cannot be written leaves the data file as it was.
    TFileScan Scan;
    std::unique_ptr<TStream> Data;
    if (Exists) {
      Data = std::make_unique<TFileStream>(FileName, TFileStream::fmOpenReadWrite);
      // A foreign or damaged file raises here, before anything is written.
      CheckDataFileSignature(*Data, FileName);
      Scan = ScanDataFile(*Data);
      if (Scan.Result == TFileScan::Damaged)
        throw EStripChartFile(QStringLiteral("Messdatei %1 ist beschädigt (Block bei Position %2), es wird nichts "
                                             "angehängt")
                                  .arg(FileName)
                                  .arg(Scan.DamagedPos));
    }
    if (QFileInfo::exists(RemarkName)) {
      FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmOpenReadWrite);
    } else {
      FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmCreate);
      RemarksCreated = true;
    }
    FRemarkWritable = true;
    if (!Exists) Data = std::make_unique<TFileStream>(FileName, TFileStream::fmCreate);
    FDataStream = std::move(Data);
    FFileName = FileName;
    FRunComment = Comment.left(kCommentLength);
    FBlock.Comment = FRunComment;
    FLastRemark = TRemarkRecord{};
    FLastRemarkPos = -1;
    if (Exists) {
      RecoverInterruptedRun(Scan);
      KeepSize = FDataStream->Size();
    } else {
      FWritePos = 0;
      FRunCounter = 0;
      KeepSize = 0;
    }
    // The new run continues the time of the live display, and the chart
    // shows it from its start.
    FLiveView = true;
    ShowLiveFrom(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
    FLogging = true;
    if (StoreHandler)
      StoreHandler(FDataStream.get(), Exists ? scStartRun : scNewFile, TSeriesValues{}, FSeriesNumber, 0);
    FLogging = true;
    FDisplayRunNumber = FRunCounter;
    FLastRefillRun = FRunCounter;
  } catch (...) {
    // No empty run and no empty files are left behind.
    if (FDataStream && KeepSize >= 0) {
      try {
        FDataStream->SetSize(KeepSize);
      } catch (const Exception&) {
        // The file keeps a cut HEAD, which every reader stops before.
      }
    }
    CloseFiles();
    if (!Exists && KeepSize >= 0) QFile::remove(FileName);
    if (RemarksCreated) QFile::remove(RemarkName);
    FLogging = false;
    FRunCounter = 0;
    FDisplayRunNumber = 0;
    FRunComment = DefaultRunComment();
    throw;
  }
  FileStateChanged();
  InvalidatePlot();
}

// A run without TAIL was cut off (a crash or power loss while logging).
// Its complete chunks stay as they are; a chunk whose writing was cut off
// is removed, and a TAIL closes the run at its last complete sample, so
// that the new run is appended behind an intact chain.
void TStripFileSession::RecoverInterruptedRun(const TFileScan& Scan) {
  if (Scan.Result == TFileScan::CutOff) FDataStream->SetSize(Scan.ValidEnd);
  FPrevChunkPos = Scan.Runs.empty() ? 0 : Scan.LastChunkPos;
  FRunCounter = Scan.Runs.empty() ? 0 : Scan.Runs.back().RunNumber;
  if (!Scan.Runs.empty() && Scan.Runs.back().TailPos < 0) {
    const TRunInfo& Run = Scan.Runs.back();
    FDataStream->Seek(Scan.ValidEnd);
    FBlock.Interval = Run.Interval;   // the TAIL carries the run's interval
    FBlock.BlockTime = Run.EndTime;
    FBlock.SeriesCount = Run.SeriesCount;
    WriteTail();
  }
  FWritePos = FDataStream->Size();
}

void TStripFileSession::StopLogging() {
  if (!FLogging) return;
  CallStore(scEndRun, TSeriesValues{}, FSeriesNumber, 0);
  CloseFiles();
  FRunComment = DefaultRunComment();
  FLogging = false;
  FRunCounter = 0;
  AfterRunEnded();
  FileStateChanged();
}

void TStripFileSession::StartPlaying(const QString& FileName) {
  StopLogging();
  StopPlaying();
  if (!QFileInfo::exists(FileName)) return;
  try {
    // A reader: both files are opened for reading only, and a missing
    // remark file stays missing.
    FDataStream = std::make_unique<TFileStream>(FileName, TFileStream::fmOpenRead);
    CheckDataFileSignature(*FDataStream, FileName);
    const QString RemarkName = RemarkFileName(FileName);
    if (QFileInfo::exists(RemarkName)) FRemarkStream = std::make_unique<TFileStream>(RemarkName, TFileStream::fmOpenRead);
    FRemarkWritable = false;
    FReadCursor = kFirstChunkPos;
    FDisplayHeadPos = -1;
    FRunCounter = 0;
    FDisplayRunNumber = 0;   // so that run 1 is selected even if it was shown before
    FFileName = FileName;
  } catch (...) {
    CloseFiles();
    throw;
  }
  // Nothing of the live view stays on the screen, also when the file holds
  // no run.
  ForgetShownRun();
  FLiveView = false;
  FPlaying = true;
  SetDisplayRunNumber(1);
  FileStateChanged();
  InvalidatePlot();
}

void TStripFileSession::StopPlaying() {
  if (!FPlaying) return;
  CloseFiles();
  FPlaying = false;
  FDisplayRunNumber = 0;
  FRunComment = DefaultRunComment();
  // Back to the live samples, from where the time of the log is now.
  FLiveView = true;
  SetLogStartTime(static_cast<Double>(FLogTimeLast + FLogTimeIncrement));
  FileStateChanged();
}

void TStripFileSession::CloseFiles() {
  FDataStream.reset();
  FRemarkStream.reset();
  FRemarkWritable = false;
  FPrevChunkPos = FReadCursor = FWritePos = FDisplayHeadPos = -1;
  FRunIndex.Clear();
  FLastRefillRun = -1;
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = FLastRemarkPos = -1;
  FLastRemark = TRemarkRecord{};
}

}  // namespace quellix::StrpChrtInt
