#include "quellix/stripchart/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QSysInfo>
#include <QtEndian>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quellix::StrpChrtInt {

namespace {

template <typename T>
void Put(Byte* Out, T Value) {
  qToLittleEndian(Value, Out);
}

template <typename T>
T Get(const Byte* In) {
  return qFromLittleEndian<T>(In);
}

void PutDouble(Byte* Out, Double Value) {
  std::uint64_t Bits;
  std::memcpy(&Bits, &Value, 8);
  Put<std::uint64_t>(Out, Bits);
}

Double GetDouble(const Byte* In) {
  std::uint64_t Bits = Get<std::uint64_t>(In);
  Double Value;
  std::memcpy(&Value, &Bits, 8);
  return Value;
}

bool IdIs(const std::array<char, 4>& Id, const char* Name) { return std::memcmp(Id.data(), Name, 4) == 0; }

}  // namespace

TChunkKind TChunkHeader::Kind() const {
  if (IdIs(Id, "HEAD")) return TChunkKind::Head;
  if (IdIs(Id, "DATA")) return TChunkKind::Data;
  if (IdIs(Id, "TAIL")) return TChunkKind::Tail;
  return TChunkKind::Unknown;
}

bool TChunkHeader::Consistent() const {
  switch (Kind()) {
    // Times are part of the structure: every reader turns them into sample
    // numbers, so a chunk with a time that is not a number is damaged.
    case TChunkKind::Head:
      return Size == static_cast<Cardinal>(kHeadChunkSize) && SeriesCount >= 1 && SeriesCount <= kMaxSeries &&
             Interval > 0 && std::isfinite(Interval) && std::isfinite(FirstTime);
    case TChunkKind::Tail:
      return Size == static_cast<Cardinal>(kTailChunkSize) && std::isfinite(LastTime);
    case TChunkKind::Data:
      return SeriesCount >= 1 && SeriesCount <= kMaxSeries && BytesPerSeries > 0 && BytesPerSeries % 4 == 0 &&
             BytesPerSeries <= 4 * kBlockSamples && Interval > 0 && std::isfinite(Interval) &&
             std::isfinite(FirstTime) && std::isfinite(LastTime) &&
             Size == static_cast<Cardinal>(kChunkHeaderSize + SeriesCount * BytesPerSeries);
    case TChunkKind::Unknown:
      break;
  }
  return false;
}

void EncodeChunkHeader(const TChunkHeader& H, Byte* Out) {
  std::memcpy(Out, H.Id.data(), 4);
  Put<std::uint32_t>(Out + 4, H.Size);
  PutDouble(Out + 8, H.FirstTime);
  PutDouble(Out + 16, H.LastTime);
  PutDouble(Out + 24, H.Interval);
  Put<std::int32_t>(Out + 32, H.PrevChunk);
  Out[36] = H.Reserved;
  Out[37] = H.SeriesCount;
  Put<std::uint16_t>(Out + 38, H.BytesPerSeries);
}

TChunkHeader DecodeChunkHeader(const Byte* In) {
  TChunkHeader H;
  std::memcpy(H.Id.data(), In, 4);
  H.Size = Get<std::uint32_t>(In + 4);
  H.FirstTime = GetDouble(In + 8);
  H.LastTime = GetDouble(In + 16);
  H.Interval = GetDouble(In + 24);
  H.PrevChunk = Get<std::int32_t>(In + 32);
  H.Reserved = In[36];
  H.SeriesCount = In[37];
  H.BytesPerSeries = Get<std::uint16_t>(In + 38);
  return H;
}

void EncodeShortString(const QString& S, Integer Capacity, Byte* Out, char Pad) {
  const QByteArray Bytes = S.left(Capacity).toLatin1();
  Out[0] = static_cast<Byte>(Bytes.size());
  std::memset(Out + 1, Pad, Capacity);
  std::memcpy(Out + 1, Bytes.constData(), Bytes.size());
}

QString DecodeShortString(const Byte* In, Integer Capacity) {
  const int Length = std::min<int>(In[0], Capacity);
  return QString::fromLatin1(reinterpret_cast<const char*>(In + 1), Length);
}

namespace {

constexpr int kRemarkEncodingByte = 17;
constexpr Byte kRemarkUtf8 = 1;

bool IsLatin1(const QString& Text) {
  return std::all_of(Text.begin(), Text.end(), [](QChar C) { return C.unicode() <= 0xFF; });
}

QByteArray RemarkTextBytes(const QString& Text) { return IsLatin1(Text) ? Text.toLatin1() : Text.toUtf8(); }

}  // namespace

bool RemarkTextFits(const QString& Text) { return RemarkTextBytes(Text).size() <= kRemarkLength; }

QString FitRemarkText(const QString& Text) {
  if (RemarkTextFits(Text)) return Text;
  // Whole characters only: a surrogate pair stays together.
  QString Fit;
  for (qsizetype i = 0; i < Text.size();) {
    const qsizetype Step = Text[i].isHighSurrogate() && i + 1 < Text.size() ? 2 : 1;
    const QString Longer = Fit + Text.mid(i, Step);
    if (!RemarkTextFits(Longer)) break;
    Fit = Longer;
    i += Step;
  }
  return Fit;
}

void EncodeRemarkRecord(const TRemarkRecord& R, Byte* Out) {
  std::memset(Out, 0, kRemarkRecordSize);
  Put<std::int32_t>(Out, R.RunNumber);
  PutDouble(Out + 4, R.Time);
  Put<std::int32_t>(Out + 12, R.Series);
  Out[16] = static_cast<Byte>(R.Flag);
  Put<std::int32_t>(Out + 20, R.Next);
  Put<std::int32_t>(Out + 24, R.Prev);
  const QString Text = FitRemarkText(R.Text);
  const QByteArray Bytes = RemarkTextBytes(Text);
  if (!IsLatin1(Text)) Out[kRemarkEncodingByte] = kRemarkUtf8;
  Out[28] = static_cast<Byte>(Bytes.size());
  std::memset(Out + 29, ' ', kRemarkLength);
  std::memcpy(Out + 29, Bytes.constData(), Bytes.size());
}

TRemarkRecord DecodeRemarkRecord(const Byte* In) {
  TRemarkRecord R;
  R.RunNumber = Get<std::int32_t>(In);
  R.Time = GetDouble(In + 4);
  R.Series = Get<std::int32_t>(In + 12);
  R.Flag = In[16] == dfManual ? dfManual : dfAutomatic;
  R.Next = Get<std::int32_t>(In + 20);
  R.Prev = Get<std::int32_t>(In + 24);
  R.Text = DecodeShortString(In + 28, kRemarkLength);
  if (In[kRemarkEncodingByte] == kRemarkUtf8) {
    const QByteArray Bytes(reinterpret_cast<const char*>(In + 29), std::min<int>(In[28], kRemarkLength));
    QStringDecoder Utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString Text = Utf8.decode(Bytes);
    if (!Utf8.hasError()) R.Text = Text;
  }
  return R;
}

QString RemarkFileName(const QString& DataFileName) {
  const QFileInfo Info(DataFileName);
  const QString Dir = Info.path();
  const QString Base = Info.suffix().isEmpty() ? Info.fileName() : Info.completeBaseName();
  return (Dir == QLatin1String(".") && !DataFileName.startsWith(QLatin1String("./")) ? QString() : Dir + '/') +
         Base + QStringLiteral(".XRM");
}

void SamplesFromFile(Single* Data, Integer Count) {
  if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
    for (Integer i = 0; i < Count; ++i) Data[i] = qFromLittleEndian(Data[i]);
  } else {
    (void)Data;
    (void)Count;
  }
}

// ---------------------------------------------------------------------------

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EStreamError(QStringLiteral("Stream-Lesefehler"));
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EStreamError(QStringLiteral("Stream-Schreibfehler"));
}

namespace {

QString SystemReason(int Error) { return QString::fromLocal8Bit(std::strerror(Error)); }

}  // namespace

// O_NONBLOCK keeps a FIFO or device from blocking the open; it is not a
// regular file and is refused right after.
TFileStream::TFileStream(const QString& FileName, TMode Mode) : FFileName(FileName) {
  const QByteArray Path = QFile::encodeName(FileName);
  int Flags = O_CLOEXEC | O_NONBLOCK;
  switch (Mode) {
    case fmCreate:
      Flags |= O_RDWR | O_CREAT | O_EXCL;
      break;
    case fmOpenReadWrite:
      Flags |= O_RDWR;
      break;
    case fmOpenRead:
      Flags |= O_RDONLY;
      break;
  }
  do FHandle = ::open(Path.constData(), Flags, 0666);
  while (FHandle < 0 && errno == EINTR);
  const QString What = Mode == fmCreate ? QStringLiteral("Datei %1 kann nicht erstellt werden")
                                        : QStringLiteral("Datei %1 kann nicht geöffnet werden");
  if (FHandle < 0) Fail(What, errno);
  struct stat St{};
  if (::fstat(FHandle, &St) != 0) {
    const int Error = errno;
    ::close(FHandle);
    FHandle = -1;
    Fail(What, Error);
  }
  if (!S_ISREG(St.st_mode)) {
    ::close(FHandle);
    FHandle = -1;
    throw EStreamError(QStringLiteral("%1 ist keine gewöhnliche Datei").arg(FileName));
  }
  ::fcntl(FHandle, F_SETFL, ::fcntl(FHandle, F_GETFL) & ~O_NONBLOCK);
  FKnownSize = St.st_size;
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

void TFileStream::Fail(const QString& What, int Error) const {
  throw EStreamError(What.arg(FFileName) + QStringLiteral(": ") + SystemReason(Error));
}

// A read error counts as the end of the data: the readers report short
// reads through their status.
std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::pread(FHandle, static_cast<char*>(Buffer) + Done, static_cast<size_t>(Count - Done),
                              static_cast<off_t>(FPosition + Done));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) break;
    Done += N;
  }
  FPosition += Done;
  return Done;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  std::int64_t Done = 0;
  while (Done < Count) {
    const ssize_t N = ::pwrite(FHandle, static_cast<const char*>(Buffer) + Done, static_cast<size_t>(Count - Done),
                               static_cast<off_t>(FPosition + Done));
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) {
      const int Error = N < 0 ? errno : EIO;
      FPosition += Done;
      FKnownSize = std::max(FKnownSize, FPosition);
      Fail(QStringLiteral("Datei %1 kann nicht geschrieben werden"), Error);
    }
    Done += N;
  }
  FPosition += Done;
  FKnownSize = std::max(FKnownSize, FPosition);
  return Done;
}

void TFileStream::Seek(std::int64_t Offset) {
  if (Offset < 0) throw EStreamError(QStringLiteral("Stream-Lesefehler"));
  FPosition = Offset;
}

std::int64_t TFileStream::Size() const {
  struct stat St{};
  return ::fstat(FHandle, &St) == 0 ? static_cast<std::int64_t>(St.st_size) : 0;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    Fail(QStringLiteral("Die Größe der Datei %1 kann nicht geändert werden"), errno);
  FKnownSize = NewSize;
}

// Nothing is buffered here, so flushing is the check: the open file still
// has a name, that name still leads to it, and nobody else changed its size.
void TFileStream::Flush() {
  struct stat Open{}, Named{};
  if (::fstat(FHandle, &Open) != 0) Fail(QStringLiteral("Datei %1 kann nicht geprüft werden"), errno);
  const bool HasName = ::stat(QFile::encodeName(FFileName).constData(), &Named) == 0;
  if (HasName && (Named.st_dev != Open.st_dev || Named.st_ino != Open.st_ino))
    throw EStreamError(QStringLiteral("Datei %1 wurde von außen ersetzt").arg(FFileName));
  if (!HasName || Open.st_nlink == 0)
    throw EStreamError(QStringLiteral("Datei %1 wurde von außen gelöscht").arg(FFileName));
  if (Open.st_size != FKnownSize)
    throw EStreamError(QStringLiteral("Datei %1 wurde von außen %2 (%3 statt %4 Bytes)")
                           .arg(FFileName)
                           .arg(Open.st_size < FKnownSize ? QStringLiteral("verkürzt") : QStringLiteral("verlängert"))
                           .arg(static_cast<qint64>(Open.st_size))
                           .arg(FKnownSize));
}

// ---------------------------------------------------------------------------

bool ReadChunkHeader(TStream& S, std::int64_t Pos, TChunkHeader& H) {
  if (Pos < kFirstChunkPos || Pos + kChunkHeaderSize > S.Size()) return false;
  Byte Raw[kChunkHeaderSize];
  S.Seek(Pos);
  if (S.Read(Raw, kChunkHeaderSize) != kChunkHeaderSize) return false;
  H = DecodeChunkHeader(Raw);
  return true;
}

void CheckDataFileSignature(TStream& S, const QString& FileName) {
  Byte Raw[kFirstChunkPos];
  S.Seek(0);
  const bool Ok = S.Size() >= kFirstChunkPos && S.Read(Raw, kFirstChunkPos) == kFirstChunkPos &&
                  std::memcmp(Raw, kSignature, 4) == 0 && Get<std::uint16_t>(Raw + 4) == kFileVersion;
  if (!Ok)
    throw EStripChartFile(
        QStringLiteral("Datei %1 ist keine Messdatei des Schreibers (Kennung QLXM, Version 256)").arg(FileName));
}

namespace {

// The times of a run's chunks are checked before they become sample
// numbers; the scan and the run index agree on what they accept.

// A run's end must be a sample time of the run, not before its start by
// more than the one interval of an empty run.
bool TailFitsRun(const TChunkHeader& H, Extended Start, Extended Interval) {
  std::int64_t Last;
  return SampleOfTime(H.LastTime, Start, Interval, Last) && Last >= -1;
}

// The number of a DATA chunk's first sample in a run whose chunks so far
// end before sample End. False when its times are no sample times of the
// run, or it starts before End.
bool DataChunkFits(const TChunkHeader& H, Extended Start, Extended Interval, std::int64_t End, std::int64_t& First) {
  std::int64_t Last;
  return SampleOfTime(H.FirstTime, Start, Interval, First) && SampleOfTime(H.LastTime, Start, Interval, Last) &&
         First >= End && First + H.SamplesPerSeries() <= kMaxRunSamples;
}

}  // namespace

TFileScan ScanDataFile(TStream& S) {
  TFileScan Scan;
  const std::int64_t Size = S.Size();
  std::int64_t Pos = kFirstChunkPos;
  std::int64_t PrevPos = 0;
  TRunInfo* Run = nullptr;
  std::int64_t RunEnd = 0;  // sample number behind the run's last DATA chunk
  TChunkHeader H;
  // Ends the walk at the chunk at Pos.
  auto Stop = [&](TFileScan::TResult Result) {
    Scan.Result = Result;
    Scan.StopHeader = H;
    if (Result == TFileScan::Damaged) Scan.DamagedPos = Pos;
    return Scan;
  };
  while (Pos < Size) {
    if (!ReadChunkHeader(S, Pos, H)) {
      H = TChunkHeader{};
      return Stop(TFileScan::CutOff);
    }
    if (!H.Consistent() || H.PrevChunk != PrevPos) return Stop(TFileScan::Damaged);
    if (Pos + H.Size > Size) return Stop(TFileScan::CutOff);
    switch (H.Kind()) {
      case TChunkKind::Head: {
        Byte Number[4];
        S.Seek(Pos + kChunkHeaderSize);
        S.ReadBuffer(Number, 4);
        Scan.Runs.push_back({});
        Run = &Scan.Runs.back();
        Run->RunNumber = Get<std::int32_t>(Number);
        Run->HeadPos = Pos;
        Run->SeriesCount = H.SeriesCount;
        Run->StartTime = H.FirstTime;
        Run->Interval = H.Interval;
        Run->EndTime = H.FirstTime - H.Interval;
        RunEnd = 0;
        break;
      }
      case TChunkKind::Data: {
        std::int64_t First;
        if (!Run || Run->TailPos >= 0 || H.SeriesCount != Run->SeriesCount ||
            !DataChunkFits(H, Run->StartTime, Run->Interval, RunEnd, First))
          return Stop(TFileScan::Damaged);
        RunEnd = First + H.SamplesPerSeries();
        Run->Samples += H.SamplesPerSeries();
        Run->EndTime = H.LastTime;
        break;
      }
      case TChunkKind::Tail:
        if (!Run || Run->TailPos >= 0 || !TailFitsRun(H, Run->StartTime, Run->Interval))
          return Stop(TFileScan::Damaged);
        Run->TailPos = Pos;
        Run->EndTime = H.LastTime;
        break;
      case TChunkKind::Unknown:
        return Stop(TFileScan::Damaged);
    }
    PrevPos = Pos;
    Scan.LastChunkPos = Pos;
    Pos += H.Size;
    Scan.ValidEnd = Pos;
  }
  return Scan;
}

// ---------------------------------------------------------------------------

// The range is checked on the floating-point value, before it becomes an
// integer: converting NaN, an infinity or a huge value is undefined.
bool SampleOfTime(Extended Time, Extended Start, Extended Interval, std::int64_t& Sample) {
  if (!(Interval > 0)) return false;
  const Extended N = std::nearbyint((Time - Start) / Interval);
  if (!(N >= -kMaxRunSamples && N <= kMaxRunSamples)) return false;
  Sample = static_cast<std::int64_t>(N);
  return true;
}

bool TRunIndex::Build(TStream& S, std::int64_t Pos) {
  Clear();
  TChunkHeader H;
  if (!ReadChunkHeader(S, Pos, H) || H.Kind() != TChunkKind::Head || !H.Consistent() ||
      Pos + H.Size > S.Size())
    return false;
  HeadPos = Pos;
  SeriesCount = H.SeriesCount;
  StartTime = H.FirstTime;
  Interval = H.Interval;
  LastTime = H.FirstTime - H.Interval;
  NextPos = Pos + H.Size;
  Walk(S);
  return true;
}

bool TRunIndex::Extend(TStream& S) {
  if (HeadPos < 0 || End != reEndOfFile) return false;
  const size_t Before = Chunks.size();
  Walk(S);
  return Chunks.size() > Before || End == reTail;
}

// Every step moves forward by a whole chunk (at least a header), so the
// walk ends after at most size / 40 steps.
void TRunIndex::Walk(TStream& S) {
  const std::int64_t Size = S.Size();
  End = reEndOfFile;
  for (std::int64_t Pos = NextPos; Pos < Size;) {
    TChunkHeader H;
    if (!ReadChunkHeader(S, Pos, H)) {
      End = reCutOff;
      return;
    }
    if (H.Kind() == TChunkKind::Unknown) {
      End = reUnknownChunk;
      return;
    }
    if (!H.Consistent()) {
      End = reDamaged;
      return;
    }
    if (Pos + H.Size > Size) {
      End = reCutOff;
      return;
    }
    if (H.Kind() == TChunkKind::Head) {
      End = reNextHead;
      return;
    }
    if (H.Kind() == TChunkKind::Tail) {
      if (!TailFitsRun(H, StartTime, Interval)) {
        End = reDamaged;
        return;
      }
      LastTime = H.LastTime;
      TailPos = Pos;
      End = reTail;
      NextPos = Pos + H.Size;
      return;
    }
    std::int64_t First;
    if (H.SeriesCount != SeriesCount || !DataChunkFits(H, StartTime, Interval, SampleEnd(), First)) {
      End = reDamaged;
      return;
    }
    Chunks.push_back({Pos, First, H.SamplesPerSeries(), H.BytesPerSeries});
    LastTime = H.LastTime;
    Pos += H.Size;
    NextPos = Pos;
  }
}

size_t TRunIndex::Find(std::int64_t Sample) const {
  const auto It = std::upper_bound(Chunks.begin(), Chunks.end(), Sample,
                                   [](std::int64_t S, const TChunkIndexEntry& E) { return S < E.FirstSample + E.Samples; });
  return static_cast<size_t>(It - Chunks.begin());
}

// ---------------------------------------------------------------------------

bool ReadRemarkRecord(TStream& S, std::int64_t Pos, TRemarkRecord& R) {
  if (Pos < 0) return false;
  Byte Raw[kRemarkRecordSize];
  S.Seek(Pos);
  if (S.Read(Raw, kRemarkRecordSize) != kRemarkRecordSize) return false;
  R = DecodeRemarkRecord(Raw);
  return true;
}

namespace {

// Calls Visit(RunNumber, Pos) for every whole record in file order, reading
// the run numbers in large pieces, until Visit returns false.
template <typename TVisit>
void ForEachRemarkRunNumber(TStream& S, TVisit&& Visit) {
  constexpr std::int64_t kPiece = 256 * kRemarkRecordSize;
  std::vector<Byte> Piece(kPiece);
  const std::int64_t Size = S.Size();
  S.Seek(0);
  for (std::int64_t Pos = 0; Pos + kRemarkRecordSize <= Size;) {
    const std::int64_t Records = std::min(kPiece, Size - Pos) / kRemarkRecordSize;
    if (S.Read(Piece.data(), Records * kRemarkRecordSize) != Records * kRemarkRecordSize) return;
    for (std::int64_t i = 0; i < Records; ++i, Pos += kRemarkRecordSize)
      if (!Visit(Get<std::int32_t>(Piece.data() + i * kRemarkRecordSize), Pos)) return;
  }
}

}  // namespace

std::int64_t FindFirstRemark(TStream& S, Integer RunNumber) {
  std::int64_t First = -1;
  ForEachRemarkRunNumber(S, [&](Integer Run, std::int64_t Pos) {
    if (Run != RunNumber) return true;
    First = Pos;
    return false;
  });
  return First;
}

std::map<Integer, std::int64_t> FirstRemarkOfEachRun(TStream& S) {
  std::map<Integer, std::int64_t> First;
  ForEachRemarkRunNumber(S, [&](Integer Run, std::int64_t Pos) {
    First.try_emplace(Run, Pos);
    return true;
  });
  return First;
}

void ForEachChainedRemark(TStream& S, std::int64_t First,
                          const std::function<void(std::int64_t Pos, const TRemarkRecord& R)>& Visit) {
  TRemarkRecord R;
  if (!ReadRemarkRecord(S, First, R)) return;
  const std::int64_t Size = S.Size();
  const Integer Run = R.RunNumber;
  for (std::int64_t Pos = First;;) {
    Visit(Pos, R);
    const std::int64_t Next = R.Next;
    if (Next <= Pos || Next % kRemarkRecordSize != 0 || Next + kRemarkRecordSize > Size) return;
    Pos = Next;
    if (!ReadRemarkRecord(S, Pos, R) || R.RunNumber != Run) return;
  }
}

}  // namespace quellix::StrpChrtInt
