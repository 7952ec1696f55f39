/// The strip chart's data file and remark file: byte layouts, the stream the
/// writer and reader work on, and a structural scan used to check a file
/// before anything is appended to it.
///
/// Data file (little-endian): "QLXM", UInt16 version 256, then runs. A run is
/// a HEAD chunk, any number of DATA chunks and a TAIL chunk. Every chunk
/// starts with a 40-byte header: <pre>
///   0  4  id "HEAD" / "DATA" / "TAIL"
///   4  4  UInt32 chunk size, header included
///   8  8  Double first time   (HEAD: run start, DATA: first sample, TAIL: 0)
///  16  8  Double last time    (HEAD: 0, DATA: last sample, TAIL: run end)
///  24  8  Double sample interval
///  32  4  Int32 offset of the previous chunk (0 for the file's first HEAD)
///  36  1  0
///  37  1  number of series of the run
///  38  2  UInt16 bytes per series (DATA: 4 x samples; HEAD, TAIL: 0) </pre>
/// HEAD payload: Int32 run number, run comment as an 81-byte short string
/// (size 125). DATA payload: each series' Singles in series order
/// (size 40 + 4 x series x samples). TAIL payload: Int32 run number (size 44).
/// \file
/// Remark file (same name, extension ".XRM"): 232-byte records appended in
/// creation order, chained per run by next/previous offsets.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/host/NumericTypes.h"
#include "quellix/stripchart/StripChartTypes.h"

namespace quellix::StrpChrtInt {

constexpr char kSignature[4] = {'Q', 'L', 'X', 'M'};
constexpr Word kFileVersion = 256;
constexpr std::int64_t kFirstChunkPos = 6;     ///< behind signature and version
constexpr Integer kChunkHeaderSize = 40;
constexpr Integer kHeadChunkSize = 125;        ///< header + run number + comment
constexpr Integer kTailChunkSize = 44;         ///< header + run number
constexpr Integer kBlockSamples = 1024;        ///< samples per full DATA chunk
constexpr Integer kCommentLength = 80;         ///< TRunComment
constexpr Integer kRemarkLength = 200;         ///< TRemarkString
constexpr Integer kRemarkRecordSize = 232;

enum class TChunkKind { Head, Data, Tail, Unknown };

struct TChunkHeader {
  std::array<char, 4> Id{};
  Cardinal Size = 0;
  Double FirstTime = 0;
  Double LastTime = 0;
  Double Interval = 0;
  Integer PrevChunk = 0;
  Byte Reserved = 0;
  Byte SeriesCount = 0;
  Word BytesPerSeries = 0;

  TChunkKind Kind() const;
  Integer SamplesPerSeries() const { return BytesPerSeries / 4; }
  /// The size field agrees with the id and the other fields. A header that
  /// fails this is damaged; one that passes but runs past the end of the
  /// file is a chunk whose writing was cut off.
  bool Consistent() const;
};

void EncodeChunkHeader(const TChunkHeader& H, Byte* Out);   ///< 40 bytes
TChunkHeader DecodeChunkHeader(const Byte* In);

/// Short strings: a length byte, then the characters (Latin-1), padded.
void EncodeShortString(const QString& S, Integer Capacity, Byte* Out, char Pad);
QString DecodeShortString(const Byte* In, Integer Capacity);

/// One record of the remark file.
struct TRemarkRecord {
  Integer RunNumber = 0;
  Double Time = 0;
  Integer Series = -1;          ///< -1: all series
  TDescFlag Flag = dfAutomatic;
  Integer Next = -1;            ///< offset of the next record of the run
  Integer Prev = -1;            ///< offset of the previous record of the run
  QString Text;
};

/// Remark texts keep every character. A text that Latin-1 can hold is
/// stored in Latin-1, byte for byte as files have always held it; any
/// other text is stored in UTF-8, and byte 17 of the record (padding
/// before) is 1 to say so. A record reads as UTF-8 only with that mark and
/// valid UTF-8, so records written before read as they always did. The
/// 200 bytes of the record limit a text: RemarkTextFits says whether it
/// fits whole, FitRemarkText cuts it to the whole characters that fit.
bool RemarkTextFits(const QString& Text);
QString FitRemarkText(const QString& Text);

void EncodeRemarkRecord(const TRemarkRecord& R, Byte* Out);  ///< 232 bytes
TRemarkRecord DecodeRemarkRecord(const Byte* In);

/// The remark file beside a data file: same name, extension ".XRM".
QString RemarkFileName(const QString& DataFileName);

/// Samples are stored little-endian; swaps Count samples read from a file
/// in place on a big-endian host.
void SamplesFromFile(Single* Data, Integer Count);

// ---------------------------------------------------------------------------
// Streams. The writer and the reader share one stream; a store of the
// application's choosing may hand in a stream of its own.

class TStream {
public:
  virtual ~TStream() = default;
  /// Reads or writes up to Count bytes at the position; returns the count done.
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  virtual void Seek(std::int64_t Offset) = 0;  ///< from the beginning
  virtual std::int64_t Position() const = 0;
  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t NewSize) = 0;
  /// Hands everything written so far to the operating system and checks
  /// that the stream still is what it was opened as; raises EStreamError
  /// otherwise. The writer calls it after every chunk and remark, so that a
  /// process killed afterwards has lost nothing of it.
  virtual void Flush() {}
  /// Read and write everything or raise EStreamError.
  void ReadBuffer(void* Buffer, std::int64_t Count);
  void WriteBuffer(const void* Buffer, std::int64_t Count);
};

/// A file of the file system, read and written without a buffer of its
/// own: every Write is in the operating system when it returns.
///
/// fmCreate creates a file that must not exist yet; fmOpenRead opens for
/// reading only and never changes the file; fmOpenReadWrite opens an
/// existing file for both. Only regular files are opened. Errors raise
/// EStreamError naming the file and the operating system's reason.
///
/// Flush checks that the file was neither deleted, replaced nor changed in
/// size by anyone else since this stream last wrote it.
class TFileStream : public TStream {
public:
  enum TMode { fmCreate, fmOpenReadWrite, fmOpenRead };
  TFileStream(const QString& FileName, TMode Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  /// Raises EStreamError with the reason when the system refuses to write.
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  void Seek(std::int64_t Offset) override;
  std::int64_t Position() const override { return FPosition; }
  std::int64_t Size() const override;
  void SetSize(std::int64_t NewSize) override;
  void Flush() override;
  QString FileName() const { return FFileName; }

private:
  [[noreturn]] void Fail(const QString& What, int Error) const;
  int FHandle = -1;
  QString FFileName;
  std::int64_t FPosition = 0;
  // The file's size as this stream last left it.
  std::int64_t FKnownSize = 0;
};

/// The exception for files that are not strip chart data files, or whose
/// chunk structure is damaged. Such files are never written to.
class EStripChartFile : public EStreamError {
public:
  using EStreamError::EStreamError;
};

/// Reads the header at Pos. Returns false when fewer than 40 bytes remain.
bool ReadChunkHeader(TStream& S, std::int64_t Pos, TChunkHeader& H);
/// Checks signature and version; raises EStripChartFile naming FileName.
void CheckDataFileSignature(TStream& S, const QString& FileName);

/// What a walk over every chunk of a data file found.
struct TRunInfo {
  Integer RunNumber = 0;
  std::int64_t HeadPos = 0;
  Integer SeriesCount = 0;
  Double StartTime = 0;
  Double Interval = 0;
  std::int64_t TailPos = -1;     ///< -1: the run has no TAIL
  Double EndTime = 0;            ///< TAIL last time, else last DATA's last time
  std::int64_t Samples = 0;      ///< samples per series in its DATA chunks
};

struct TFileScan {
  enum TResult {
    Complete,      ///< every chunk whole, up to the end of the file
    CutOff,        ///< the last chunk (or its header) is incomplete
    Damaged        // a chunk header that contradicts itself or the run
  };
  TResult Result = Complete;
  std::int64_t ValidEnd = kFirstChunkPos;  ///< end of the last whole chunk
  std::int64_t LastChunkPos = 0;           ///< offset of the last whole chunk
  std::int64_t DamagedPos = -1;
  /// The header of the chunk the walk stopped at when the file is not
  /// Complete; all zero (an unknown id) when not even a whole header is left.
  TChunkHeader StopHeader;
  std::vector<TRunInfo> Runs;
};

/// Walks the data file from its first chunk to its end. Never loops: every
/// step advances by at least one chunk header. A chunk whose times are no
/// sample times of its run, or that starts before the chunk it follows
/// ends, is damaged, as it is for the run index.
TFileScan ScanDataFile(TStream& S);

// ---------------------------------------------------------------------------
// The index of a run's DATA chunks.

/// Sample numbers within a run (0 = the run's first sample) stay below this
/// bound: chunk links are 32-bit offsets, so no file holds a longer run.
constexpr std::int64_t kMaxRunSamples = std::int64_t(1) << 31;

/// The sample number of Time in a run that starts at Start with Interval,
/// rounded to the nearest sample. False for a time, start or interval that
/// gives no number within +-kMaxRunSamples (not finite, or far outside any
/// run): stored times are checked before they become integers.
bool SampleOfTime(Extended Time, Extended Start, Extended Interval, std::int64_t& Sample);

/// One DATA chunk of a run.
struct TChunkIndexEntry {
  std::int64_t Pos = 0;           ///< offset of its header
  std::int64_t FirstSample = 0;   ///< sample number of its first sample
  Integer Samples = 0;            ///< samples per series
  Word BytesPerSeries = 0;
};

/// The DATA chunks of one run in file order, which is time order, built
/// once by walking the run's chunk headers (no samples are read). Finding
/// the chunk of any time is then a search in memory, and reading it one
/// seek and one read. The walk stops at the run's TAIL, at the next HEAD, at
/// the end of the file, or at the first chunk that is cut off, damaged or
/// out of time order; a run still being written is extended from where the
/// walk stopped.
class TRunIndex {
public:
  enum TEnd {
    reTail,          ///< the run's TAIL
    reNextHead,      ///< a run without TAIL followed by the next run
    reEndOfFile,     ///< the file ends behind the last whole chunk
    reCutOff,        ///< a chunk runs past the end of the file
    reDamaged,       ///< a header that contradicts itself, the run or the time order
    reUnknownChunk   // an id that is not HEAD, DATA or TAIL
  };

  /// Walks the run whose HEAD is at HeadPos. False when that HEAD cannot be
  /// read, is not a consistent HEAD, or has no finite start time; the index
  /// is then empty.
  bool Build(TStream& S, std::int64_t HeadPos);
  /// Continues a walk that stopped at the end of the file (the run is being
  /// written). True when chunks were added.
  bool Extend(TStream& S);
  void Clear() { *this = TRunIndex{}; }

  /// The first chunk whose samples do not all lie before Sample: the chunk
  /// that holds it, or the next one after a gap; Chunks.size() when none.
  size_t Find(std::int64_t Sample) const;
  /// Samples per series up to the end of the last chunk (gaps included).
  std::int64_t SampleEnd() const {
    return Chunks.empty() ? 0 : Chunks.back().FirstSample + Chunks.back().Samples;
  }

  std::int64_t HeadPos = -1;
  Integer SeriesCount = 0;
  Double StartTime = 0;
  Double Interval = 0;
  std::vector<TChunkIndexEntry> Chunks;
  /// The TAIL's last time, else the last indexed chunk's, else one interval
  /// before the start.
  Double LastTime = 0;
  std::int64_t TailPos = -1;
  TEnd End = reEndOfFile;

private:
  // Walks on from NextPos; PrevPos is the chunk the next one must link to.
  void Walk(TStream& S);
  std::int64_t NextPos = -1;
};

// ---------------------------------------------------------------------------
// Reading the remark file. The recorder and the reader without it share
// these, so that both list the same remarks of a damaged file.

/// Reads the record at Pos; false when no whole record is there.
bool ReadRemarkRecord(TStream& S, std::int64_t Pos, TRemarkRecord& R);
/// The offset of the first record of run RunNumber in file order; -1 when
/// the run has none.
std::int64_t FindFirstRemark(TStream& S, Integer RunNumber);
/// The offset of the first record of every run that has one, found in one
/// pass over the file.
std::map<Integer, std::int64_t> FirstRemarkOfEachRun(TStream& S);
/// Follows a run's chain from its first record at First (-1: none) along
/// the next links and calls Visit(Pos, Record) for each record. A link must
/// point forward to a whole record of the same run, so a damaged file ends
/// the chain, after at most size / 232 records.
void ForEachChainedRemark(TStream& S, std::int64_t First,
                          const std::function<void(std::int64_t Pos, const TRemarkRecord& R)>& Visit);

}  ///< namespace quellix::StrpChrtInt
