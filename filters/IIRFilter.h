/// Butterworth IIR filter: low-pass, band-pass or high-pass of even order
/// 2 to 10, run as a cascade of sections on blocks of Single samples. \file
#pragma once

#include <QString>
#include <array>

#include "quellix/filters/FilterBase.h"

namespace quellix::IIRFilt {
Q_NAMESPACE

enum TIirFilterOutput { iirLowPass, iirBandPass, iirHighPass };
Q_ENUM_NS(TIirFilterOutput)

/// Coefficients of one section: g, c1, c2 for a second-order low-pass or
/// high-pass section, g, c1 .. c4 for a fourth-order band-pass section.
struct TIirSection {
  Single g = 0, c1 = 0, c2 = 0, c3 = 0, c4 = 0;
};

/// The filter is designed by the bilinear transform with pre-warping from
/// the ratios F/Fs. Order/2 sections: second-order sections for the low-pass
/// and high-pass, fourth-order sections for the band-pass (whose order is
/// therefore twice Order). The history survives between calls and property
/// changes; only Reset clears it.
class TIIRFilter : public FiltBase::TFilterBase {
  Q_OBJECT
  Q_PROPERTY(float CutoffHighFrequency READ CutoffHighFrequency WRITE SetCutoffHighFrequency NOTIFY CutoffHighFrequencyChanged)
  Q_PROPERTY(int Order READ Order WRITE SetOrder NOTIFY OrderChanged)
  Q_PROPERTY(quellix::IIRFilt::TIirFilterOutput FilterOutput READ FilterOutput WRITE SetFilterOutput NOTIFY FilterOutputChanged)
  Q_CLASSINFO("default:FilterOutput", "iirLowPass")

Q_SIGNALS:
  // Property change signals.
  void CutoffHighFrequencyChanged(float Value);
  void OrderChanged(int Value);
  void FilterOutputChanged(quellix::IIRFilt::TIirFilterOutput Value);

public:
  static constexpr int MaxSections = 5;
  /// Past values kept per stage: the band-pass sections look four samples back.
  static constexpr int HistoryDepth = 4;

  explicit TIIRFilter(TComponentCore* AOwner = nullptr);

  Single CutoffHighFrequency() const { return FCutoffHighFrequency; }
  void SetCutoffHighFrequency(Single Value);
  Integer Order() const { return FOrder; }
  void SetOrder(Integer Value);
  TIirFilterOutput FilterOutput() const { return FFilterOutput; }
  void SetFilterOutput(TIirFilterOutput Value);

  /// The designed sections, 0 .. SectionCount()-1.
  Integer SectionCount() const { return FSections; }
  const TIirSection& Section(Integer Index) const { return FCoefficients.at(Index); }

  /// Clears the whole history.
  void Reset();
  /// Replaces Data[0 .. Count-1] by the filtered signal, continuing from the
  /// current history.
  void Filter(Single* Data, Integer Count);

  void DefineProperties(TFiler& Filer) override;

private:
  void FrequencyChanged() override { Design(); }
  void Design();

  Single FCutoffHighFrequency = 0.75f;
  TIirFilterOutput FFilterOutput = iirLowPass;
  Integer FOrder = 2;
  Integer FSections = 1;
  std::array<TIirSection, MaxSections> FCoefficients{};
  // FHistory[stage][k]: the value of stage k+1 samples ago. Stage 0 holds
  // the input, stage s the output of section s.
  std::array<std::array<Single, HistoryDepth>, MaxSections + 1> FHistory{};
};

}  ///< namespace quellix::IIRFilt
