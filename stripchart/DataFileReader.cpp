#include "quellix/stripchart/DataFileReader.h"

#include <QFileInfo>
#include <algorithm>

namespace quellix::StrpChrtInt {

TDataFileReader::TDataFileReader(const QString& FileName)
    : FFileName(FileName), FStream(std::make_unique<TFileStream>(FileName, TFileStream::fmOpenRead)) {
  CheckDataFileSignature(*FStream, FileName);
  FScan = ScanDataFile(*FStream);
}

TDataFileReader::~TDataFileReader() = default;

const TRunInfo* TDataFileReader::FindRun(Integer RunNumber) const {
  for (const TRunInfo& Run : FScan.Runs)
    if (Run.RunNumber == RunNumber) return &Run;
  return nullptr;
}

QString TDataFileReader::RunComment(const TRunInfo& Run) {
  Byte Comment[1 + kCommentLength];
  FStream->Seek(Run.HeadPos + kChunkHeaderSize + 4);
  FStream->ReadBuffer(Comment, sizeof Comment);
  return DecodeShortString(Comment, kCommentLength);
}

Integer TDataFileReader::ReadSamples(const TRunInfo& Run, std::int64_t First, Integer Count,
                                     const TSeriesBuffers& Dest) {
  if (First < 0 || Count <= 0 || First >= Run.Samples) return 0;
  Count = static_cast<Integer>(std::min<std::int64_t>(Count, Run.Samples - First));
  // The scan has checked every chunk of the run: walk them by their sizes,
  // skip the DATA chunks before First, and read each series' part of the
  // chunks that hold wanted samples.
  Integer Done = 0;
  std::int64_t ChunkFirst = 0;  // run sample number of the chunk's first sample
  TChunkHeader H;
  for (std::int64_t Pos = Run.HeadPos; Done < Count && ReadChunkHeader(*FStream, Pos, H); Pos += H.Size) {
    if (H.Kind() == TChunkKind::Tail || (H.Kind() == TChunkKind::Head && Pos != Run.HeadPos)) break;
    if (H.Kind() != TChunkKind::Data) continue;
    const Integer InChunk = H.SamplesPerSeries();
    const std::int64_t Wanted = First + Done;
    if (Wanted < ChunkFirst + InChunk) {
      const auto Index = static_cast<Integer>(Wanted - ChunkFirst);
      const Integer Take = std::min(InChunk - Index, Count - Done);
      for (Integer k = 0; k < Run.SeriesCount; ++k) {
        if (!Dest[k]) continue;
        FStream->Seek(Pos + kChunkHeaderSize + std::int64_t{k} * H.BytesPerSeries + 4 * std::int64_t{Index});
        FStream->ReadBuffer(Dest[k] + Done, 4 * std::int64_t{Take});
        SamplesFromFile(Dest[k] + Done, Take);
      }
      Done += Take;
    }
    ChunkFirst += InChunk;
  }
  return Done;
}

std::unique_ptr<TFileStream> TDataFileReader::OpenRemarkFile() const {
  const QString Name = RemarkFileName(FFileName);
  if (!QFileInfo::exists(Name)) return nullptr;
  return std::make_unique<TFileStream>(Name, TFileStream::fmOpenRead);
}

namespace {

std::vector<TRemarkRecord> Chain(TStream& S, std::int64_t First) {
  std::vector<TRemarkRecord> Result;
  ForEachChainedRemark(S, First, [&Result](std::int64_t, const TRemarkRecord& R) { Result.push_back(R); });
  return Result;
}

}  // namespace

std::vector<TRemarkRecord> TDataFileReader::Remarks(Integer RunNumber) const {
  const std::unique_ptr<TFileStream> File = OpenRemarkFile();
  return File ? Chain(*File, FindFirstRemark(*File, RunNumber)) : std::vector<TRemarkRecord>{};
}

std::map<Integer, std::vector<TRemarkRecord>> TDataFileReader::RemarksOfAllRuns() const {
  std::map<Integer, std::vector<TRemarkRecord>> Result;
  const std::unique_ptr<TFileStream> File = OpenRemarkFile();
  if (!File) return Result;
  for (const auto& [Run, First] : FirstRemarkOfEachRun(*File)) Result.emplace(Run, Chain(*File, First));
  return Result;
}

}  // namespace quellix::StrpChrtInt
