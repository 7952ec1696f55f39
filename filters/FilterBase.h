// What every filter component publishes alike: the informational Version
// and Copyright, and the sample and cutoff frequencies with their checks.
#pragma once

#include <QString>

#include "quellix/host/Component.h"

namespace quellix::FiltBase {

// Version and Copyright are read-only: their setters exist so that a form
// loader can assign them, and ignore the value. SampleFrequency and
// CutoffFrequency refuse values <= 0 and the value they already have; a new
// value is stored and FrequencyChanged lets the filter redesign itself.
class TFilterBase : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
  Q_PROPERTY(float SampleFrequency READ SampleFrequency WRITE SetSampleFrequency)
  Q_PROPERTY(float CutoffFrequency READ CutoffFrequency WRITE SetCutoffFrequency)

public:
  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}

  Single SampleFrequency() const { return FSampleFrequency; }
  void SetSampleFrequency(Single Value);
  Single CutoffFrequency() const { return FCutoffFrequency; }
  void SetCutoffFrequency(Single Value);

protected:
  TFilterBase(TComponentCore* AOwner, const QString& AVersion);

  // Whether a setter may take Value. The default refuses values <= 0 only,
  // so a NaN is taken; the FIR filter refuses everything that is not > 0.
  virtual bool AcceptsFrequency(Single Value) const { return !(Value <= 0); }
  // Called after a setter has stored a new frequency. Not called by the
  // constructor: each filter designs itself once when it is built.
  virtual void FrequencyChanged() {}

  // The streamed "Floats" lists store these two directly, without the
  // setters' checks.
  Single FSampleFrequency = 1.0f;
  Single FCutoffFrequency = 0.5f;

private:
  QString FVersion;
  QString FCopyright;
};

}  // namespace quellix::FiltBase
