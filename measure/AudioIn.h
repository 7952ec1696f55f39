/// TAudioIn: a measure source that records from a sound-card input (or one
/// of the virtual inputs of the wave-input layer) and pushes every filled
/// buffer as one block of Single values, one array per channel, to its sinks
/// and to its own OnBufferDone.
///
/// The device fills a ring of BufferCount buffers of BufferSize sample values
/// each; the ring is made at the first Start and kept across start/stop
/// cycles. Every buffer that comes back is converted and, in continuous
/// mode, queued again; in burst mode it is used once and released. What the
/// device captures while every buffer is out waits in the device's backlog
/// (at most one second of audio) and fills the buffers as they come back, so
/// nothing is lost unless the program falls behind by more than that; then
/// the oldest audio is dropped, counted (OverrunCount) and reported.
/// \file
/// The device's notices arrive on the GUI thread, so sinks run there, nested
/// in the handling of one notice. A failure there (a sink that throws, an
/// overrun, a device that goes away) never travels up into the event loop:
/// it is reported through OnError and errorOccurred, or with qWarning when
/// nobody listens. The format, the ring of buffers and the conversion of
/// samples are parts of their own (AudioInParts.h).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/measure/AudioInParts.h"
#include "quellix/measure/MeasureSource.h"
#include "quellix/measure/WaveInput.h"

namespace quellix::audioin {

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureSourceInfo;
using MeasIntf::TNotifyData;

/// An error of the live recording: the component and the message.
using TNotifyError = std::function<void(TObject* Sender, const QString& Message)>;

/// A failed call of the wave-input layer: its result code and text.
class EAudioIn : public Exception {
public:
  EAudioIn(Integer Code, const QString& Msg) : Exception(Msg), FErrorCode(Code) {}
  Integer ErrorCode() const { return FErrorCode; }

private:
  Integer FErrorCode;
};

class TAudioIn : public MeasIntf::TMeasureSource {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion NOTIFY VersionChanged)
  Q_CLASSINFO("default:Version", "V2.50")
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright NOTIFY CopyrightChanged)
  Q_CLASSINFO("default:Copyright", "Copyright (c) Quellix-Entwicklergruppe. Alle Rechte vorbehalten.")
  // Device comes first, so that a stream selects it before the format
  // properties ask it whether it supports them.
  Q_PROPERTY(QString Device READ Device WRITE SetDevice NOTIFY DeviceChanged)
  Q_PROPERTY(int BufferCount READ BufferCount WRITE SetBufferCount NOTIFY BufferCountChanged)
  Q_CLASSINFO("default:BufferCount", "3")
  Q_PROPERTY(int BufferSize READ BufferSize WRITE SetBufferSize NOTIFY BufferSizeChanged)
  Q_CLASSINFO("default:BufferSize", "1024")
  Q_PROPERTY(quellix::audioin::TAIFrequency ClockFrequency READ ClockFrequency WRITE SetClockFrequency NOTIFY ClockFrequencyChanged)
  Q_CLASSINFO("default:ClockFrequency", "taf_11025")
  Q_PROPERTY(quellix::audioin::TAIMode Mode READ Mode WRITE SetMode NOTIFY ModeChanged)
  Q_CLASSINFO("default:Mode", "tam_Mono")
  Q_PROPERTY(quellix::audioin::TAIResolution Resolution READ Resolution WRITE SetResolution NOTIFY ResolutionChanged)
  Q_CLASSINFO("default:Resolution", "taw_8Bit")
  Q_PROPERTY(bool Burst READ Burst WRITE SetBurst NOTIFY BurstChanged)
  Q_CLASSINFO("default:Burst", "false")
Q_SIGNALS:
  // Events as signals.
  void bufferDone(quellix::TObject* Sender, quellix::MeasIntf::TDescArraySingle& Data);
  // Property change signals.
  void VersionChanged(const QString& Value);
  void CopyrightChanged(const QString& Value);
  void DeviceChanged(const QString& Value);
  void BufferCountChanged(int Value);
  void BufferSizeChanged(int Value);
  void ClockFrequencyChanged(quellix::audioin::TAIFrequency Value);
  void ModeChanged(quellix::audioin::TAIMode Value);
  void ResolutionChanged(quellix::audioin::TAIResolution Value);
  void BurstChanged(bool Value);

public:
  explicit TAudioIn(TComponentCore* AOwner = nullptr);
  /// Stops recording, hands what the stop returned to the sinks (the last,
  /// partly filled blocks), then closes the device without announcing it.
  ~TAudioIn() override;

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}  ///< fixed text
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}  ///< fixed text

  /// Selects the input device by its exact name (see DeviceNames); the
  /// name is looked up again whenever the device is opened, so the
  /// component never records from another device that took its place in
  /// the list. An unknown name leaves Device as it was and no device
  /// selected (setting a name again looks it up again). A device that is
  /// open is closed first; when it was recording, the new device records on
  /// at once.
  QString Device() const { return FDevice; }
  void SetDevice(const QString& Value);
  Integer BufferCount() const { return FBufferCount; }
  void SetBufferCount(Integer Value) {
    const TChangeScope Changes;
    FBufferCount = Value;
  }
  /// Sample values per buffer, all channels together; kept even.
  Integer BufferSize() const { return FBufferSize; }
  void SetBufferSize(Integer Value) {
    const TChangeScope Changes;
    FBufferSize = Value & ~1;
  }
  /// The three format properties change only when the selected device
  /// records in the resulting format; otherwise EAudioIn. A device that is
  /// open is reopened in the new format (sinks get what was recorded in the
  /// old format first); a recording goes on in the new format.
  TAIFrequency ClockFrequency() const { return FFormat.Frequency; }
  void SetClockFrequency(TAIFrequency Value);
  TAIMode Mode() const { return FFormat.Mode; }
  void SetMode(TAIMode Value);
  TAIResolution Resolution() const { return FFormat.Resolution; }
  void SetResolution(TAIResolution Value);
  bool Burst() const { return FBurst; }
  void SetBurst(bool Value) { const TChangeScope Changes; FBurst = Value; }

  /// Opens the device if none is open, brings the ring to BufferCount
  /// buffers of BufferSize values and starts recording.
  void Start();
  /// Ends recording; every queued buffer comes back (with what it holds),
  /// and so does what waited in the backlog.
  void Stop();
  void GetInfo(TMeasureSourceInfo& Info) override;

  /// Called with (this component, block) for every buffer that comes back.
  TNotifyData OnBufferDone;
  /// Called with (this component, message) for every failure of the live
  /// recording; errorOccurred is emitted with the same message.
  TNotifyError OnError;

  /// Index of the selected device when it was last looked up, −2 when none
  /// is selected or it was not found.
  Integer DeviceIndex() const { return FDeviceIndex; }
  /// The open device, or nullptr (tests drive a virtual one through it).
  WaveIn::TWaveInDevice* WaveDevice() const { return FWaveDevice.get(); }
  /// True between Start and Stop while the device records.
  bool Recording() const { return FWaveDevice && FWaveDevice->Recording(); }
  /// Buffers that exist now, queued or not.
  int BufferTotal() const { return FRing.Total(); }
  bool Stopping() const { return FStopping; }
  /// Sample values dropped because the backlog was full, since construction.
  std::uint64_t OverrunCount() const { return FOverrunCount; }
  /// Handles the device's pending notices now instead of in the event loop.
  void ProcessMessages();

  /// Every input device in index order, the virtual ones last; device 0
  /// always exists.
  static QStringList DeviceNames();

signals:
  /// Emitted with the message wherever OnError is called.
  void errorOccurred(const QString& Message);

private:
  // Raises EAudioIn for a non-zero result, except while loading.
  void Check(Integer Result) const;
  // True when the selected device records in the format; raises otherwise.
  bool FormatAccepted(const WaveIn::TWaveFormat& Format) const;
  void UpdateCapabilities();
  void AnnounceConfiguration();
  // After a change of device or format: announces it, then reopens the
  // device if one was open and records on if it was recording.
  void ChangeConfiguration(bool WasOpen, bool WasRecording);
  template <class TValue>
  void SetFormatProperty(TValue& Field, TValue Value, TValue Lowest, TValue Highest, const WaveIn::TWaveFormat& Format);

  // Opens the selected device, looked up by its name.
  void OpenDevice();
  // Stops, hands what comes back to the sinks, closes the device and frees
  // the ring.
  void ReleaseDevice();

  void HandleNotice(const WaveIn::TWaveNotice& Notice);
  void BufferFilled(WaveIn::TWaveBuffer* Buffer);
  void Recycle(WaveIn::TWaveBuffer* Buffer);
  void ReportOverrun(std::uint64_t Bytes);
  void DeviceLost();
  // OnError, errorOccurred, or qWarning when nobody listens.
  void ReportError(const QString& Message);
  // Fills Block from the buffer (arrays go to Arrays) and delivers it to
  // the links. Forced: build even without links.
  void BuildBlock(const WaveIn::TWaveBuffer* Buffer, TDescArraySingle& Block,
                  std::unique_ptr<Single[]> (&Arrays)[2], bool Forced);

  QString FVersion;
  QString FCopyright;
  QString FDevice;
  bool FDeviceSelected = false;
  Integer FBufferCount = 3;
  Integer FBufferSize = 1024;
  TAudioFormat FFormat;
  bool FBurst = false;
  Integer FDeviceIndex = -2;
  bool FStopping = false;
  std::uint64_t FOverrunCount = 0;
  TAudioBufferRing FRing;
  TAudioBlockConverter FConverter;
  std::unique_ptr<WaveIn::TNoticeQueue> FNotices;
  std::unique_ptr<WaveIn::TWaveInDevice> FWaveDevice;
};

}  ///< namespace quellix::audioin
