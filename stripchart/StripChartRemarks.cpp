#include "quellix/stripchart/StripChartRemarks.h"

#include "quellix/host/NumberFormat.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace quellix::StrpChrtInt {

// The middle of the window: (S + E) / 2 with E = WindowEndTime and S one
// window earlier, not before the run start.
bool TStripRemarks::SelectRemarkNearWindowMiddle(bool OnlyWhenChanged) {
  if (FRemarks.empty()) return false;
  const Extended E = WindowEndTime();
  const Extended S = std::max(E - FSamplesPerWindow * FDisplayTimeIncrement, FDisplayStartTime);
  const std::int64_t Before = FCurrentRemarkPos;
  if (!FindNearestRemark(static_cast<Double>((S + E) / 2))) return false;
  if (OnlyWhenChanged && FCurrentRemarkPos == Before) return false;
  FNearestRemarkChanged = true;
  if (OnRemark)
    OnRemark(this, FCurrentRemark.Time, FCurrentRemark.Series, FCurrentRemark.Flag, FCurrentRemark.RunNumber,
             FCurrentRemark.Text);
  emit remark(this, FCurrentRemark.Time, FCurrentRemark.Series, FCurrentRemark.Flag, FCurrentRemark.RunNumber,
              FCurrentRemark.Text);
  return true;
}

// ===========================================================================
// Remarks

bool TStripRemarks::ReadRemark(std::int64_t Pos, TRemarkRecord& R) {
  return FRemarkStream && ReadRemarkRecord(*FRemarkStream, Pos, R);
}

void TStripRemarks::WriteRemark(std::int64_t Pos, const TRemarkRecord& R) {
  Byte Raw[kRemarkRecordSize];
  EncodeRemarkRecord(R, Raw);
  FRemarkStream->Seek(Pos);
  FRemarkStream->WriteBuffer(Raw, kRemarkRecordSize);
}

TRemarkRecord TStripRemarks::RemarkRecord(const TRemarkIndexEntry& Entry) {
  TRemarkRecord R;
  ReadRemark(Entry.FilePos, R);
  return R;
}

// The first record of the run is found by reading the file from its
// start; the rest follow the next links.
void TStripRemarks::LoadRemarks(Integer RunNumber) {
  FRemarks.clear();
  FRemarkListChanged = true;
  FCurrentRemarkPos = -1;
  if (!FRemarkStream || RunNumber <= 0) return;
  ForEachChainedRemark(*FRemarkStream, FindFirstRemark(*FRemarkStream, RunNumber),
                       [this](std::int64_t Pos, const TRemarkRecord& R) {
                         // A record whose time is not a number marks no
                         // point of the run; the chain goes on behind it.
                         if (std::isfinite(R.Time))
                           FRemarks.push_back({R.RunNumber, R.Time, R.Series, R.Flag, static_cast<Integer>(Pos)});
                       });
}

void TStripRemarks::OpenRemarkWriter() {
  if (FRemarkStream && FRemarkWritable) return;
  if (!FLogging && !FPlaying)
    throw EStreamError(QStringLiteral("Bemerkungen werden nur gespeichert, während eine Messdatei aufgenommen oder "
                                      "wiedergegeben wird"));
  // During playback the remark file is opened for writing only for an
  // edit the user asked for.
  const QString Name = RemarkFileName(FFileName);
  std::unique_ptr<TStream> Writer =
      QFileInfo::exists(Name) ? std::make_unique<TFileStream>(Name, TFileStream::fmOpenReadWrite)
                              : std::make_unique<TFileStream>(Name, TFileStream::fmCreate);
  FRemarkStream = std::move(Writer);
  FRemarkWritable = true;
}

void TStripRemarks::FailRemark(const Exception& E) {
  // The data file takes the end of the run unless it failed too (the
  // writer checks it before every chunk).
  if (FLogging) FailLogging(E.Message(), true);
  throw EStreamError(E.Message());
}

void TStripRemarks::AddRemark(Integer RunNumber, Integer Series, TDescFlag Flag, Double Time,
                               const TRemarkString& Text) {
  std::int64_t NewPos = -1;
  try {
    OpenRemarkWriter();
    TStream& S = *FRemarkStream;
    S.Flush();
    const std::int64_t Size = S.Size();
    // Records are appended behind the last whole one.
    NewPos = Size - Size % kRemarkRecordSize;
    std::int64_t Prev = -1;
    TRemarkRecord P;
    if (FLastRemarkPos >= 0 && FLastRemark.RunNumber == RunNumber && ReadRemark(FLastRemarkPos, P) &&
        P.RunNumber == RunNumber) {
      Prev = FLastRemarkPos;
    } else {
      for (std::int64_t Pos = NewPos - kRemarkRecordSize; Pos >= 0; Pos -= kRemarkRecordSize)
        if (ReadRemark(Pos, P) && P.RunNumber == RunNumber) {
          Prev = Pos;
          break;
        }
    }
    TRemarkRecord R;
    R.RunNumber = RunNumber;
    R.Time = Time;
    R.Series = Series;
    R.Flag = Flag;
    R.Next = -1;
    R.Prev = static_cast<Integer>(Prev);
    R.Text = FitRemarkText(Text);
    // The record, then its predecessor's link to it: only then is it in
    // its run's chain, and both are in the system before the call returns.
    WriteRemark(NewPos, R);
    if (Prev >= 0) {
      P.Next = static_cast<Integer>(NewPos);
      WriteRemark(Prev, P);
    }
    FlushFiles();
    FLastRemark = R;
    FLastRemarkPos = NewPos;
    // The list holds the remarks of the run shown only.
    if (RunNumber == FDisplayRunNumber) {
      FRemarks.push_back({RunNumber, Time, Series, Flag, static_cast<Integer>(NewPos)});
      FRemarkListChanged = true;
    }
    SetCurrentRemark(NewPos, R);
  } catch (const Exception& E) {
    // A record that is not linked is taken off again.
    if (NewPos >= 0 && FRemarkStream && FRemarkWritable && FRemarkStream->Size() > NewPos) {
      try {
        FRemarkStream->SetSize(NewPos);
      } catch (const Exception&) {
        // Unlinked, it is not read as a remark of its run.
      }
    }
    FailRemark(E);
  }
}

bool TStripRemarks::FindNearestRemark(Double Time) {
  if (FRemarks.empty() || !FRemarkStream) return false;
  auto Nearest = FRemarks.begin();
  for (auto It = FRemarks.begin(); It != FRemarks.end(); ++It)
    if (std::abs(Time - It->Time) < std::abs(Time - Nearest->Time)) Nearest = It;
  TRemarkRecord R;
  if (!ReadRemark(Nearest->FilePos, R)) return false;
  SetCurrentRemark(Nearest->FilePos, R);
  return true;
}

void TStripRemarks::SetCurrentRemark(std::int64_t Pos, const TRemarkRecord& R) {
  const std::int64_t Old = FCurrentRemarkPos;
  FCurrentRemark = R;
  FCurrentRemarkPos = Pos;
  InvalidateRemarkMarks({Old, Pos});
}

void TStripRemarks::UpdateCurrentRemark(const TRemarkString& Text, Integer Series, TDescFlag Flag) {
  if (FCurrentRemarkPos < 0 || !FRemarkStream) return;
  try {
    OpenRemarkWriter();
    FRemarkStream->Flush();
    // Read the record again so that links changed since it became current
    // are kept.
    TRemarkRecord R;
    if (!ReadRemark(FCurrentRemarkPos, R))
      throw EStreamError(QStringLiteral("Bemerkung bei Position %1 fehlt in %2")
                             .arg(FCurrentRemarkPos)
                             .arg(RemarkFileName(FFileName)));
    R.Text = FitRemarkText(Text);
    R.Series = Series;
    R.Flag = Flag;
    WriteRemark(FCurrentRemarkPos, R);
    FlushFiles();
    // The old mark goes with the old series, the new one comes with the new.
    InvalidateRemarkMarks({FCurrentRemarkPos});
    FCurrentRemark = R;
    if (FLastRemarkPos == FCurrentRemarkPos) FLastRemark = R;
    for (TRemarkIndexEntry& E : FRemarks)
      if (E.FilePos == FCurrentRemarkPos) {
        E.Series = Series;
        E.Flag = Flag;
      }
    InvalidateRemarkMarks({FCurrentRemarkPos});
  } catch (const Exception& E) {
    FailRemark(E);
  }
}

}  // namespace quellix::StrpChrtInt
