// TAudioIn: a measure source that records from a sound-card input (or one
// of the virtual inputs of the wave-input layer) and pushes every filled
// buffer as one block of Single values, one array per channel, to its sinks
// and to its own OnBufferDone.
//
// The device fills a ring of BufferCount buffers of BufferSize sample values
// each. Every buffer that comes back is converted and, in continuous mode,
// queued again; in burst mode it is used once and released. The device's
// notifications arrive at a hidden message window on the GUI thread, so
// sinks run there, nested in the handling of one notification.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "quellix/host/Component.h"
#include "quellix/measure/MeasureSource.h"
#include "quellix/measure/WaveInput.h"

namespace quellix::audioin {
Q_NAMESPACE

enum TAIFrequency { taf_11025, taf_22050, taf_44100 };
Q_ENUM_NS(TAIFrequency)
enum TAIMode { tam_Mono, tam_Stereo };
Q_ENUM_NS(TAIMode)
enum TAIResolution { taw_8Bit, taw_16Bit };
Q_ENUM_NS(TAIResolution)

using MeasIntf::TDescArraySingle;
using MeasIntf::TMeasureSourceInfo;
using MeasIntf::TNotifyData;

// Samples per second of a TAIFrequency.
Cardinal SampleRate(TAIFrequency Frequency);

// A failed call of the wave-input layer: its result code and text.
class EAudioIn : public Exception {
public:
  EAudioIn(Integer Code, const QString& Msg) : Exception(Msg), FErrorCode(Code) {}
  Integer ErrorCode() const { return FErrorCode; }

private:
  Integer FErrorCode;
};

class TAudioIn : public MeasIntf::TMeasureSource {
  Q_OBJECT
  Q_PROPERTY(QString Version READ Version WRITE SetVersion)
  Q_CLASSINFO("default:Version", "V2.50")
  Q_PROPERTY(QString Copyright READ Copyright WRITE SetCopyright)
  Q_CLASSINFO("default:Copyright", "Copyright (c) Quellix-Entwicklergruppe. Alle Rechte vorbehalten.")
  // Device comes first, so that a stream selects it before the format
  // properties ask it whether it supports them.
  Q_PROPERTY(QString Device READ Device WRITE SetDevice)
  Q_PROPERTY(int BufferCount READ BufferCount WRITE SetBufferCount)
  Q_CLASSINFO("default:BufferCount", "3")
  Q_PROPERTY(int BufferSize READ BufferSize WRITE SetBufferSize)
  Q_CLASSINFO("default:BufferSize", "1024")
  Q_PROPERTY(quellix::audioin::TAIFrequency ClockFrequency READ ClockFrequency WRITE SetClockFrequency)
  Q_CLASSINFO("default:ClockFrequency", "taf_11025")
  Q_PROPERTY(quellix::audioin::TAIMode Mode READ Mode WRITE SetMode)
  Q_CLASSINFO("default:Mode", "tam_Mono")
  Q_PROPERTY(quellix::audioin::TAIResolution Resolution READ Resolution WRITE SetResolution)
  Q_CLASSINFO("default:Resolution", "taw_8Bit")
  Q_PROPERTY(bool Burst READ Burst WRITE SetBurst)
  Q_CLASSINFO("default:Burst", "false")
public:
  explicit TAudioIn(TComponentCore* AOwner = nullptr);
  // Stops recording, handles the buffers the stop returned (sinks get the
  // last, partly filled blocks), then closes the device.
  ~TAudioIn() override;

  QString Version() const { return FVersion; }
  void SetVersion(const QString&) {}  // fixed text
  QString Copyright() const { return FCopyright; }
  void SetCopyright(const QString&) {}  // fixed text

  // Selects the input device by its exact name (see DeviceNames). An
  // unknown name leaves Device as it was and no device selected. A device
  // that is open is stopped and closed first; the next Start opens the new one.
  QString Device() const { return FDevice; }
  void SetDevice(const QString& Value);
  Integer BufferCount() const { return FBufferCount; }
  void SetBufferCount(Integer Value) { FBufferCount = Value; }
  // Sample values per buffer, all channels together; kept even.
  Integer BufferSize() const { return FBufferSize; }
  void SetBufferSize(Integer Value) { FBufferSize = Value & ~1; }
  // The three format properties change only when the selected device
  // records in the resulting format; otherwise EAudioIn. A device that is
  // open is stopped and closed first, so that the next Start records in the
  // new format.
  TAIFrequency ClockFrequency() const { return FClockFrequency; }
  void SetClockFrequency(TAIFrequency Value);
  TAIMode Mode() const { return FMode; }
  void SetMode(TAIMode Value);
  TAIResolution Resolution() const { return FResolution; }
  void SetResolution(TAIResolution Value);
  bool Burst() const { return FBurst; }
  void SetBurst(bool Value) { FBurst = Value; }

  // Opens the device if none is open, queues BufferCount new buffers and
  // starts recording.
  void Start();
  // Ends recording; every queued buffer comes back (with what it holds).
  void Stop();
  void GetInfo(TMeasureSourceInfo& Info) override;

  // Called with (this component, block) for every buffer that comes back.
  TNotifyData OnBufferDone;

  // Index of the selected device, −2 when none is selected.
  Integer DeviceIndex() const { return FDeviceIndex; }
  // The open device, or nullptr (tests drive a virtual one through it).
  WaveIn::TWaveInDevice* WaveDevice() const { return FWaveDevice.get(); }
  // Buffers that exist now, queued or not.
  int BufferTotal() const { return static_cast<int>(FBuffers.size()); }
  bool Stopping() const { return FStopping; }
  // Handles the device's pending notifications now instead of in the event
  // loop. Exceptions of sinks and of OnBufferDone come out here.
  void ProcessMessages();

  // Every input device in index order, the virtual ones last; device 0
  // always exists.
  static QStringList DeviceNames();

private:
  // One buffer: its two memory blocks and the header that points back here.
  struct TBuffer {
    WaveIn::TGlobalBlock* DataMem = nullptr;
    WaveIn::TGlobalBlock* HeaderMem = nullptr;
    WaveIn::TWaveHeader* Header = nullptr;
  };

  WaveIn::TWaveFormat MakeFormat(TAIFrequency F, TAIMode M, TAIResolution R) const;
  Extended SamplePeriod() const { return 1.0L / SampleRate(FClockFrequency); }
  // Raises EAudioIn for a non-zero result, except while loading.
  void Check(Integer Result) const;
  // True when the selected device records in the format; raises otherwise.
  bool FormatAccepted(const WaveIn::TWaveFormat& Format) const;
  bool PrepareFormatChange(const WaveIn::TWaveFormat& Format);
  void UpdateCapabilities();
  void AnnounceConfiguration();

  TBuffer* AllocateBuffer();
  void FreeBuffer(TBuffer* B);
  void ReleaseBuffer(TBuffer* B);
  bool OwnsBuffer(const TBuffer* B) const;
  // Stops, handles what comes back, closes the device and frees its buffers.
  void ReleaseDevice();

  void HandleMessage(Cardinal Msg, WaveIn::TWaveHeader* Header);
  void BufferFilled(WaveIn::TWaveHeader* Header);
  // Fills Block from the header (arrays go to Arrays) and delivers it to the
  // links. Forced: build even without links.
  void BuildBlock(const WaveIn::TWaveHeader* Header, TDescArraySingle& Block,
                  std::unique_ptr<Single[]> (&Arrays)[2], bool Forced);

  QString FVersion;
  QString FCopyright;
  QString FDevice;
  Integer FBufferCount = 3;
  Integer FBufferSize = 1024;
  TAIFrequency FClockFrequency = taf_11025;
  TAIMode FMode = tam_Mono;
  TAIResolution FResolution = taw_8Bit;
  bool FBurst = false;
  Integer FDeviceIndex = -2;
  Double FOffset = 0;
  Double FScale = 0;
  bool FStopping = false;
  // Counts device closures: a buffer record seen before a closure is gone.
  unsigned FDeviceGeneration = 0;
  std::vector<TBuffer*> FBuffers;
  std::unique_ptr<WaveIn::TMessageWindow> FWindow;
  std::unique_ptr<WaveIn::TWaveInDevice> FWaveDevice;
};

}  // namespace quellix::audioin
