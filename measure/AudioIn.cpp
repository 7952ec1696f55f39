#include "quellix/measure/AudioIn.h"

#include <QDebug>
#include <QMetaMethod>
#include <QtGlobal>
#include <exception>

namespace quellix::audioin {

using namespace WaveIn;
using MeasIntf::mcBlocks;
using MeasIntf::mcMultiChannel;
using MeasIntf::mcOneChannel;
using MeasIntf::mcReserved;
using MeasIntf::mcValues;

namespace {

// The message an exception carries, whatever its kind.
QString MessageOf(std::exception_ptr Error) {
  try {
    std::rethrow_exception(Error);
  } catch (const Exception& E) {
    return E.Message();
  } catch (const std::exception& E) {
    return QString::fromLocal8Bit(E.what());
  } catch (...) {
    return QStringLiteral("TAudioIn: Unbekannter Fehler");
  }
}

}  // namespace

TAudioIn::TAudioIn(TComponentCore* AOwner)
    : TMeasureSource(AOwner), FVersion(QStringLiteral("V2.50")), FCopyright(LibraryCopyright()) {
  if (!IsDesigning())
    FNotices = std::make_unique<TNoticeQueue>([this](const TWaveNotice& N) { HandleNotice(N); });
  // Pending notices about a buffer go with its memory.
  FRing.OnForget = [this](const TWaveBuffer* Buffer) {
    if (FNotices) FNotices->Forget(Buffer);
  };
}

TAudioIn::~TAudioIn() {
  // The last buffers reach the sinks while the component is still whole.
  // The device's closing is not announced: the sinks are detached next,
  // without being told.
  if (FWaveDevice) ReleaseDevice();
  FNotices.reset();
}

QStringList TAudioIn::DeviceNames() { return WaveIn::DeviceNames(); }

// ---------------------------------------------------------------------------
// Properties

void TAudioIn::Check(Integer Result) const {
  if (Result != MMSYSERR_NOERROR && !IsLoading()) throw EAudioIn(Result, ErrorText(Result));
}

bool TAudioIn::FormatAccepted(const WaveIn::TWaveFormat& Format) const {
  const Integer R = FDeviceSelected ? QueryFormat(FDevice, Format) : MMSYSERR_BADDEVICEID;
  Check(R);
  return R == MMSYSERR_NOERROR;
}

void TAudioIn::UpdateCapabilities() {
  MeasIntf::TMeasureCapabilities Caps{mcValues, mcReserved, mcBlocks};
  Caps.Include(FFormat.Mode == tam_Stereo ? mcMultiChannel : mcOneChannel);
  SetCapabilities(Caps);
}

void TAudioIn::AnnounceConfiguration() {
  UpdateCapabilities();
  AnnounceSourceChanged();
}

void TAudioIn::ChangeConfiguration(bool WasOpen, bool WasRecording) {
  // The sinks learn of the change before the first block in the new
  // configuration; a sink that refuses it does not keep the device shut.
  std::exception_ptr Error;
  try {
    AnnounceConfiguration();
  } catch (...) {
    Error = std::current_exception();
  }
  if (WasOpen) try {
      OpenDevice();
      if (WasRecording) Start();
    } catch (...) {
      if (!Error) Error = std::current_exception();
    }
  if (Error) std::rethrow_exception(Error);
}

void TAudioIn::SetDevice(const QString& Value) {
  const TChangeScope Changes;
  // The same name again does nothing, unless it was not found last time.
  if (Value == FDevice && FDeviceSelected) return;
  if (GetNumDevs() == 0) return;
  const Integer Found = FindDevice(Value);
  const bool WasOpen = FWaveDevice != nullptr;
  const bool WasRecording = Recording();
  if (WasOpen) ReleaseDevice();
  if (Found < 0) {
    FDeviceIndex = -2;
    FDeviceSelected = false;
    return;
  }
  FDeviceIndex = Found;
  FDevice = Value;
  FDeviceSelected = true;
  ChangeConfiguration(WasOpen, WasRecording);
}

// A new format must be one the selected device records. An open device is
// released first (its recorded buffers still reach the sinks in the old
// format) and reopened in the new one.
template <class TValue>
void TAudioIn::SetFormatProperty(TValue& Field, TValue Value, TValue Lowest, TValue Highest,
                                 const WaveIn::TWaveFormat& Format) {
  const TChangeScope Changes;
  if (Value == Field || Value < Lowest || Value > Highest) return;
  if (!FormatAccepted(Format)) return;
  const bool WasOpen = FWaveDevice != nullptr;
  const bool WasRecording = Recording();
  if (WasOpen) ReleaseDevice();
  Field = Value;
  ChangeConfiguration(WasOpen, WasRecording);
}

void TAudioIn::SetClockFrequency(TAIFrequency Value) {
  SetFormatProperty(FFormat.Frequency, Value, taf_11025, taf_44100,
                    TAudioFormat{Value, FFormat.Mode, FFormat.Resolution}.WaveFormat());
}

void TAudioIn::SetMode(TAIMode Value) {
  SetFormatProperty(FFormat.Mode, Value, tam_Mono, tam_Stereo,
                    TAudioFormat{FFormat.Frequency, Value, FFormat.Resolution}.WaveFormat());
}

void TAudioIn::SetResolution(TAIResolution Value) {
  SetFormatProperty(FFormat.Resolution, Value, taw_8Bit, taw_16Bit,
                    TAudioFormat{FFormat.Frequency, FFormat.Mode, Value}.WaveFormat());
}

void TAudioIn::GetInfo(TMeasureSourceInfo& Info) {
  UpdateCapabilities();
  const Integer Channels = FFormat.Channels();
  Info.StartTime = 0;
  Info.ChannelCount = Channels;
  Info.Duration = FBufferSize * FFormat.SamplePeriod() / Channels;
  Info.ValueMin = -1.0f;
  Info.ValueMax = 1.0f;
  if (Channels == 1) {
    Info.ChannelLength[0] = FBufferSize;
  } else {
    Info.ChannelLength[0] = FBufferSize / 2;
    Info.ChannelLength[1] = FBufferSize / 2;
  }
  Info.BlockLength = FBufferSize / Channels;
}

// ---------------------------------------------------------------------------
// The device and its ring of buffers

void TAudioIn::OpenDevice() {
  if (!FDeviceSelected) {
    Check(MMSYSERR_BADDEVICEID);
    return;
  }
  // Looked up by name now: the list may have changed since the selection.
  FDeviceIndex = FindDevice(FDevice);
  if (FDeviceIndex < 0) {
    FDeviceIndex = -2;
    if (IsLoading()) return;
    throw EAudioIn(MMSYSERR_BADDEVICEID,
                   QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht vorhanden.").arg(FDevice));
  }
  Check(Open(FDevice, FFormat.WaveFormat(), FNotices.get(), FWaveDevice));
}

void TAudioIn::ReleaseDevice() {
  FStopping = true;
  FWaveDevice->Reset();
  // The returned buffers, and the backlog behind them, still hold data in
  // the old format and reach the sinks before their memory goes.
  if (FNotices) FNotices->ProcessPending();
  if (!FWaveDevice) return;  // released meanwhile by a sink
  if (const std::uint64_t Dropped = FWaveDevice->TakeDroppedBytes()) ReportOverrun(Dropped);
  FWaveDevice.reset();  // posts Closed
  FRing.Clear();
}

// ---------------------------------------------------------------------------
// Recording

void TAudioIn::Start() {
  if (!FWaveDevice) {
    OpenDevice();
    if (!FWaveDevice) return;  // failed while loading from a stream
  }
  // The ring: BufferCount buffers of BufferSize values.
  FRing.Sync(*FWaveDevice, std::int64_t(FFormat.BytesPerValue()) * FBufferSize, FBufferCount,
             [this](Integer Result) { Check(Result); });
  FConverter.Prepare(FFormat.Resolution);
  FStopping = false;
  // A burst takes what its buffers hold; a continuous recording keeps up
  // to one second of audio for the buffers to come back.
  FWaveDevice->SetBacklogLimit(FBurst ? 0 : FWaveDevice->Format().AvgBytesPerSec());
  Check(FWaveDevice->Start());
}

void TAudioIn::Stop() {
  FStopping = true;
  // Without an open device there is nothing to end.
  if (FWaveDevice) Check(FWaveDevice->Reset());
}

void TAudioIn::ProcessMessages() {
  if (FNotices) FNotices->ProcessPending();
}

// ---------------------------------------------------------------------------
// Notices

void TAudioIn::HandleNotice(const TWaveNotice& Notice) {
  const std::weak_ptr<void> Alive = AliveToken();
  try {
    switch (Notice.Kind) {
      case TWaveNoticeKind::Opened:
        // A device that replaced another one keeps the source open.
        if (State() != MeasIntf::msOpened) AnnounceState(MeasIntf::msOpened);
        break;
      case TWaveNoticeKind::Closed:
        if (!FWaveDevice && State() != MeasIntf::msClosed) AnnounceState(MeasIntf::msClosed);
        break;
      case TWaveNoticeKind::Data: BufferFilled(Notice.Buffer); break;
      case TWaveNoticeKind::Overrun:
        if (FWaveDevice && Notice.Device == FWaveDevice.get()) ReportOverrun(FWaveDevice->TakeDroppedBytes());
        break;
      case TWaveNoticeKind::Lost:
        if (FWaveDevice && Notice.Device == FWaveDevice.get()) DeviceLost();
        break;
    }
  } catch (...) {
    const QString Message = MessageOf(std::current_exception());
    if (Alive.expired())
      qWarning().noquote() << Message;
    else
      ReportError(Message);
  }
}

void TAudioIn::BufferFilled(TWaveBuffer* Buffer) {
  if (!FRing.Holds(Buffer)) return;  // no longer ours
  const std::weak_ptr<void> Alive = AliveToken();
  const unsigned Generation = FRing.Generation();
  TDescArraySingle Block;
  std::unique_ptr<Single[]> Arrays[2];

  // A sink that fails must cost neither the ring a buffer nor the other
  // sinks and OnBufferDone their block: its failure is reported, and the
  // block goes on.
  std::exception_ptr SinkError;
  try {
    BuildBlock(Buffer, Block, Arrays, Wanted(OnBufferDone, &TAudioIn::bufferDone));
  } catch (...) {
    SinkError = std::current_exception();
  }
  if (Alive.expired()) {  // a sink freed this source
    if (SinkError) qWarning().noquote() << MessageOf(SinkError);
    return;
  }
  if (SinkError) ReportError(MessageOf(SinkError));
  if (Alive.expired()) return;

  // A sink may have closed the device meanwhile; the ring went with it.
  if (Generation == FRing.Generation()) Recycle(Buffer);

  if (OnBufferDone) OnBufferDone(this, Block);
  if (!Alive.expired()) emit bufferDone(this, Block);
}

void TAudioIn::Recycle(TWaveBuffer* Buffer) {
  // A burst uses each buffer once; a retired buffer leaves the ring.
  if (!FWaveDevice || !FRing.KeepAfterReturn(Buffer, FBurst && !FStopping)) return;
  const Integer R = FWaveDevice->AddBuffer(Buffer);
  if (R == MMSYSERR_NOERROR) return;
  // The ring is broken: recording cannot go on.
  FStopping = true;
  FWaveDevice->Reset();
  ReportError(ErrorText(R));
}

void TAudioIn::ReportOverrun(std::uint64_t Bytes) {
  if (Bytes == 0) return;
  const std::uint64_t Values = Bytes / static_cast<std::uint64_t>(FFormat.BytesPerValue());
  FOverrunCount += Values;
  ReportError(QStringLiteral("TAudioIn: Pufferüberlauf, %1 Abtastwerte gingen verloren. Die Anwendung hat "
                             "die Daten nicht schnell genug abgeholt.")
                  .arg(Values));
}

void TAudioIn::DeviceLost() {
  // The recording ends as a closing source does: what was recorded reaches
  // the sinks, then the device closes and the sinks see msClosed.
  ReleaseDevice();
  FDeviceIndex = -2;
  ReportError(QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht mehr vorhanden. Die Aufnahme wurde "
                             "beendet.")
                  .arg(FDevice));
}

void TAudioIn::ReportError(const QString& Message) {
  static const QMetaMethod Signal = QMetaMethod::fromSignal(&TAudioIn::errorOccurred);
  if (!OnError && !isSignalConnected(Signal)) {
    qWarning().noquote() << Message;
    return;
  }
  const std::weak_ptr<void> Alive = AliveToken();
  if (OnError) try {
      OnError(this, Message);
    } catch (...) {
      qWarning().noquote() << Message << "/" << MessageOf(std::current_exception());
    }
  if (!Alive.expired()) emit errorOccurred(Message);
}

// ---------------------------------------------------------------------------
// Building a block

void TAudioIn::BuildBlock(const TWaveBuffer* Buffer, TDescArraySingle& Block,
                          std::unique_ptr<Single[]> (&Arrays)[2], bool Forced) {
  const int Channels = FFormat.Channels();
  Block.ChannelCount = 0;
  Block.Channels = {};
  // The time a full buffer spans: its frames, not its values.
  Block.Duration = FBufferSize / Channels * FFormat.SamplePeriod();
  Block.StartTime = 0;
  if (!Forced && LinkCount() == 0) return;

  if (Buffer && Buffer->Data && Buffer->BytesRecorded > 0) {
    const Integer V = FConverter.Convert(*Buffer, FFormat, Block, Arrays);
    // A partly filled buffer spans the frames it holds.
    if (V != FBufferSize) Block.Duration = Block.Channels[0].Count * FFormat.SamplePeriod();
  }
  DeliverData(Block);
}

}  // namespace quellix::audioin
