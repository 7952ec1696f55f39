/// The remarks of the strip chart recorder: remark records of the run
/// shown, read from and written to the remark file beside the data file.
/// \file
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "quellix/stripchart/StripChartDataProperties.h"

namespace quellix::StrpChrtInt {

using TNotifyRemark = std::function<void(TObject* Sender, Double Time, Integer Series, TDescFlag Flag,
                                         Integer RunNumber, const TRemarkString& Text)>;

class TStripRemarks : public TStripDataProperties {
public:
  using TStripDataProperties::TStripDataProperties;

  // --- Remarks ------------------------------------------------------------
  // Appends a remark to the remark file; it is in the file, linked to its
  // run, when the call returns. Raises EStreamError (and adds nothing to
  // the list) when it cannot be stored; while logging, that also ends the
  // run. During playback the remark file is opened for writing only for
  // this edit. Texts keep every character that fits the record's 200
  // bytes (see RemarkTextFits).
  void AddRemark(Integer RunNumber, Integer Series, TDescFlag Flag, Double Time, const TRemarkString& Text);
  /// The remarks of the run shown.
  const std::vector<TRemarkIndexEntry>& Remarks() const { return FRemarks; }
  /// The whole record of an entry, read from the remark file.
  TRemarkRecord RemarkRecord(const TRemarkIndexEntry& Entry);
  /// Makes the remark nearest to Time the current one; false when there is none.
  bool FindNearestRemark(Double Time);
  const TRemarkRecord& CurrentRemark() const { return FCurrentRemark; }
  Integer CurrentRemarkPos() const { return FCurrentRemarkPos; }
  /// Rewrites the current remark with new text, series and flag; raises
  /// EStreamError as AddRemark does.
  void UpdateCurrentRemark(const TRemarkString& Text, Integer Series, TDescFlag Flag);
  /// Raised when the remark list was reloaded, resp. when another remark
  /// became the current one; the remark display clears them.
  bool RemarkListChanged() const { return FRemarkListChanged; }
  bool NearestRemarkChanged() const { return FNearestRemarkChanged; }
  void ClearRemarkFlags() { FRemarkListChanged = FNearestRemarkChanged = false; }

  TNotifyRemark OnRemark;

protected:
  /// Repaint the marks of the remarks at these file positions (old and new
  /// current remark, a remark added or changed).
  virtual void InvalidateRemarkMarks(std::initializer_list<std::int64_t> FilePositions) = 0;
  void LoadRemarks(Integer RunNumber) override;
  /// Makes the remark nearest to the middle of the window the current one,
  /// raises NearestRemarkChanged and fires OnRemark. With OnlyWhenChanged
  /// (the scroll after an append) nothing happens when that remark is the
  /// current one already. Returns whether a remark was made current.
  bool SelectRemarkNearWindowMiddle(bool OnlyWhenChanged) override;
  // False when the record is not (wholly) in the file.
  bool ReadRemark(std::int64_t Pos, TRemarkRecord& R);
  void WriteRemark(std::int64_t Pos, const TRemarkRecord& R);
  // The remark file for an edit: during playback it is opened for writing
  // (created when missing) now.
  void OpenRemarkWriter();
  // A remark could not be stored: raises the error (ending a run being
  // logged).
  [[noreturn]] void FailRemark(const Exception& E);
  void SetCurrentRemark(std::int64_t Pos, const TRemarkRecord& R);
};

}  ///< namespace quellix::StrpChrtInt
