/// The file session of the strip chart recorder: logging to a data file
/// and its remark file, playback, run selection and the reader that refills
/// the sample window, with appending samples and moving the window.
/// \file
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/stripchart/DataFile.h"
#include "quellix/stripchart/StripChartSamples.h"

namespace quellix::StrpChrtInt {

using TRunComment = QString;     ///< at most 80 characters
using TRemarkString = QString;   ///< at most 200 characters

/// Writes logged samples. Stream is the data-file stream (nullptr when the
/// application stores elsewhere); Values[k] points to SampleCount samples of
/// series k + 1 for k < SeriesCount.
using TStoreHandler = std::function<void(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values,
                                         Integer SeriesCount, Integer SampleCount)>;
/// Reads logged samples of the run shown: the samples of the times
/// StartTime, StartTime + Interval, ... EndTime go to
/// Dest[k][FirstIndex..LastIndex] for series k + 1 = 1..SeriesCount (arrays of BufferLength + 1
/// entries, index 0 unused; a null pointer skips that series). Returns a
/// status (TLoadStatus) and, in SamplesRead, the samples read per series.
using TLoadHandler = std::function<Integer(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex,
                                           Integer LastIndex, Integer BufferLength, Integer SeriesCount,
                                           Extended StartTime, Extended EndTime, Extended Interval,
                                           Integer& SamplesRead)>;

/// Status codes of the reader.
enum TLoadStatus : Integer {
  lsDone = 0,
  lsEndOfFile = 2,
  lsStartOfFile = 3,
  lsGap = 4,
  lsLoggingStopped = 5,   ///< the wanted part was in the block buffer, logging has stopped
  lsInconsistent = 6,     ///< short read, damaged chunk or inconsistent time
  lsUnknownChunk = 7,
  lsNoFile = 10,          ///< neither logging nor playing
};

/// Entry of the remark list of the run shown.
struct TRemarkIndexEntry {
  Integer RunNumber = 0;
  Double Time = 0;
  Integer Series = -1;
  TDescFlag Flag = dfAutomatic;
  Integer FilePos = 0;
};

class TStripFileSession : public TStripSampleRing {
public:
  using TStripSampleRing::TStripSampleRing;

  static QString DefaultRunComment() { return QStringLiteral("Ohne Kommentar"); }

  // --- Window and time base that depend on the run shown ------------------
  /// Accepts 1 <= Value <= SamplesPerBuffer.
  void SetSamplesPerWindow(Integer Value);
  void SetLogStartTime(Double Value);
  void SetLogTimeIncrement(Double Value);

  // --- Runs and files -----------------------------------------------------
  bool Logging() const { return FLogging; }
  bool Playing() const { return FPlaying; }
  bool LiveView() const { return FLiveView; }
  Integer DisplayRunNumber() const { return FDisplayRunNumber; }
  /// Selects a logged run (ignored when unchanged, <= 0 or without a file;
  /// a run that is not found leaves the run shown unchanged).
  void SetDisplayRunNumber(Integer Value);
  TRunComment RunComment() const { return FRunComment; }
  void SetRunComment(const TRunComment& Value) { const TChangeScope Changes; FRunComment = Value.left(kCommentLength); }
  /// While logging: the number of runs in the file, the last being the one
  /// written now. 0 otherwise.
  Integer RunCount() const { return FRunCounter; }
  /// Number of series stored in the run shown (0 when no run is shown).
  Integer DisplayRunSeries() const { return FDisplaySeries; }
  /// Samples per series of the run shown, from its start and end times.
  std::int64_t DisplaySampleCount() const;
  /// The status of the last read or run selection (TLoadStatus).
  Integer LoadStatus() const { return FLoadStatus; }
  QString FileName() const { return FFileName; }

  // --- Operations ---------------------------------------------------------
  // Appends SampleCount samples of series 1..SeriesCount.
  void AddValues(const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  /// Refills and shows the window that ends at Time (WindowEndTime + Time
  /// when Relative).
  void MoveWindowTo(bool Relative, Double Time);

  /// Starts a run in FileName, creating the file or appending to it. Raises
  /// EStripChartFile for a file that is not a data file of this format, and
  /// EStreamError (naming the file and the system's reason) when the data
  /// file or its remark file cannot be written; a start that fails leaves
  /// both files as they were.
  ///
  /// While logging, every DATA chunk goes to the file as soon as its block
  /// of 1024 samples is full, and every remark together with the link of
  /// its predecessor: a process killed at any moment loses at most the
  /// samples of the block being filled (up to 1023 per series). A write
  /// that fails, or a data or remark file that was deleted, replaced or
  /// changed in size by someone else, ends the run: the operation that met
  /// it raises EStreamError once, both files are closed, and the data file
  /// keeps every whole chunk written before (it plays back like a run cut
  /// off by a crash, and the next StartLogging closes that run).
  void StartLogging(const QString& FileName, const QString& Comment);
  void StopLogging();
  /// Opens an existing data file for playback and shows run 1. Playback
  /// opens the data file and its remark file for reading only and creates
  /// nothing; the files stay as they are.
  void StartPlaying(const QString& FileName);
  /// Ends playback; the chart shows the live samples again.
  void StopPlaying();

  /// Reads samples of the run shown through the LoadHandler, without
  /// touching the window: Count samples per series starting at absolute
  /// sample number First, into Dest[k][1..Count]. Returns the status.
  Integer ReadRunSamples(std::int64_t First, Integer Count, const TSeriesBuffers& Dest, Integer SeriesCount,
                         Integer& SamplesRead);

  // --- Storage ------------------------------------------------------------
  // Replaceable writer and reader; they start as FileStore and FileLoad.
  TStoreHandler StoreHandler;
  TLoadHandler LoadHandler;
  /// The built-in file writer and reader, for handlers that delegate.
  void FileStore(TStream* Stream, TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount,
                 Integer SampleCount);
  Integer FileLoad(TStream* Stream, const TSeriesBuffers& Dest, Integer FirstIndex, Integer LastIndex,
                   Integer BufferLength, Integer SeriesCount, Extended StartTime, Extended EndTime,
                   Extended Interval, Integer& SamplesRead);

protected:
  // --- Hooks of the later parts -------------------------------------------
  /// Scroll the plot left by the pixels that Samples new samples take and
  /// draw only the uncovered strip.
  virtual void ScrollBy(Integer Samples) = 0;
  /// Recompute the time-axis layout after a change of the time base or run.
  virtual void LayoutTimeAxis() = 0;
  /// Reads the remark list of a run.
  virtual void LoadRemarks(Integer RunNumber) = 0;
  /// Makes the remark nearest to the middle of the window the current one,
  /// raises NearestRemarkChanged and fires OnRemark. With OnlyWhenChanged
  /// (the scroll after an append) nothing happens when that remark is the
  /// current one already. Returns whether a remark was made current.
  virtual bool SelectRemarkNearWindowMiddle(bool OnlyWhenChanged) = 0;
  /// The run shown went away: no cross stays placed on it.
  virtual void HideCrosses() = 0;
  /// Place the measuring cross again after the plot changed under it.
  virtual void RedrawCross() = 0;
  // Logging or playing started or stopped: the jog shuttle follows.
  virtual void FileStateChanged() = 0;

  struct TBlockBuffer {
    Integer Capacity = 0;
    Integer Fill = 0;
    Extended BlockTime = 0;     ///< time of the last sample already in the file
    Double Interval = 1.0;      ///< the run's sample interval
    Integer SeriesCount = 0;
    std::array<std::vector<Single>, kMaxSeries> Data;
    TRunComment Comment;
  };
  // What a refill did, so that MoveWindowTo can scroll or repaint.
  struct TRefill {
    bool Scroll = false;
    Integer NewSamples = 0;
  };

  bool ShowsLiveRun() const;
  TRefill Refill(Extended Time);
  Integer CallLoad(Integer FirstIndex, Integer Count, std::int64_t FirstSample, Integer& SamplesRead);
  void ResetLiveBuffer();
  // The chart shows the live samples from StartTime on, in the time base
  // of the log: nothing of a file or run shown before stays in the view.
  void ShowLiveFrom(Double StartTime);
  // Everything of the view that belongs to the run shown: buffer, remarks,
  // crosses.
  void ForgetShownRun();

  // File side.
  // Hands a command to the StoreHandler. When it fails, the run ends
  // (FailLogging).
  void CallStore(TStoreCommand Command, const TSeriesValues& Values, Integer SeriesCount, Integer SampleCount);
  // Ends the run after a failure and raises the one error that reports it.
  // With DataFileWhole the data file still takes the end of the run.
  [[noreturn]] void FailLogging(const QString& Reason, bool DataFileWhole);
  // The run ends (StopLogging or a failure): a view that was not following
  // the log returns to the live samples.
  void AfterRunEnded();
  // Ends the run being logged and starts the next at NewStart in the same
  // file; the run closed keeps its own interval and times.
  void RestartRun(Double NewStart);
  void EncodeHeader(Byte* Out, const char* Id, Cardinal Size, Double First, Double Last, Word BytesPerSeries) const;
  // Writes one whole chunk at the write position and hands it to the
  // system; a chunk that reached the file only in part is cut off again.
  void WriteChunk(const Byte* Bytes, Cardinal Size);
  void WriteDataChunk();
  void WriteTail();
  void StartRun(Integer SeriesCount);
  // Checks both files after a write (TStream::Flush).
  void FlushFiles();
  void CloseFiles();
  void RecoverInterruptedRun(const TFileScan& Scan);
  bool LocateRun(Integer Number, std::int64_t& HeadPos);
  Integer LoadFromBlockBuffer(const TSeriesBuffers& Dest, Integer At, Integer Wanted, Integer SeriesCount,
                              Extended Time, Integer& SamplesRead);

  // Runs.
  bool FLogging = false;
  bool FPlaying = false;
  bool FLiveView = true;
  Integer FDisplayRunNumber = 0;
  TRunComment FRunComment = DefaultRunComment();
  Integer FRunCounter = 0;
  Integer FDisplaySeries = 0;
  Integer FLoadStatus = lsDone;
  Integer FLastRefillRun = -1;
  QString FFileName;

  // Files.
  std::unique_ptr<TStream> FDataStream;
  std::unique_ptr<TStream> FRemarkStream;
  bool FRemarkWritable = false;
  bool FRemarkFileFailed = false;   // the last FlushFiles failed on the remark file
  std::int64_t FPrevChunkPos = -1;
  std::int64_t FReadCursor = -1;
  std::int64_t FDisplayHeadPos = -1;
  std::int64_t FWritePos = -1;
  // The DATA chunks of the run shown, built when it is selected (or first
  // read) and extended while it is being written.
  TRunIndex FRunIndex;
  std::vector<Byte> FReadBytes;    // the part of a chunk one read takes
  TBlockBuffer FBlock;
  std::vector<Byte> FChunkBytes;   // one DATA chunk, reused

  // The remarks of the run shown.
  std::vector<TRemarkIndexEntry> FRemarks;
  TRemarkRecord FLastRemark;
  TRemarkRecord FCurrentRemark;
  std::int64_t FLastRemarkPos = -1;
  std::int64_t FCurrentRemarkPos = -1;
  bool FRemarkListChanged = false;
  bool FNearestRemarkChanged = false;
};

}  ///< namespace quellix::StrpChrtInt
