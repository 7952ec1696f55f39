#include "quellix/measure/AudioIn.h"

#include <QDebug>
#include <QMetaMethod>
#include <QtGlobal>
#include <algorithm>
#include <cstring>
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

Cardinal SampleRate(TAIFrequency Frequency) {
  switch (Frequency) {
    case taf_22050: return 22050;
    case taf_44100: return 44100;
    default: return 11025;
  }
}

TAudioIn::TAudioIn(TComponentCore* AOwner)
    : TMeasureSource(AOwner), FVersion(QStringLiteral("V2.50")), FCopyright(LibraryCopyright()) {
  if (!IsDesigning())
    FNotices = std::make_unique<TNoticeQueue>([this](const TWaveNotice& N) { HandleNotice(N); });
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

WaveIn::TWaveFormat TAudioIn::MakeFormat(TAIFrequency F, TAIMode M, TAIResolution R) const {
  TWaveFormat Format;
  Format.Channels = M == tam_Stereo ? 2 : 1;
  Format.SamplesPerSec = SampleRate(F);
  Format.BitsPerSample = R == taw_16Bit ? 16 : 8;
  return Format;
}

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
  Caps.Include(FMode == tam_Stereo ? mcMultiChannel : mcOneChannel);
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
  SetFormatProperty(FClockFrequency, Value, taf_11025, taf_44100, MakeFormat(Value, FMode, FResolution));
}

void TAudioIn::SetMode(TAIMode Value) {
  SetFormatProperty(FMode, Value, tam_Mono, tam_Stereo, MakeFormat(FClockFrequency, Value, FResolution));
}

void TAudioIn::SetResolution(TAIResolution Value) {
  SetFormatProperty(FResolution, Value, taw_8Bit, taw_16Bit, MakeFormat(FClockFrequency, FMode, Value));
}

void TAudioIn::GetInfo(TMeasureSourceInfo& Info) {
  UpdateCapabilities();
  const Integer Channels = FMode == tam_Stereo ? 2 : 1;
  Info.StartTime = 0;
  Info.ChannelCount = Channels;
  Info.Duration = FBufferSize * SamplePeriod() / Channels;
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
  Check(Open(FDevice, MakeFormat(FClockFrequency, FMode, FResolution), FNotices.get(), FWaveDevice));
}

TAudioIn::TSlot* TAudioIn::FindSlot(const WaveIn::TWaveBuffer* Buffer) {
  for (TSlot& S : FRing)
    if (S.Buffer.get() == Buffer) return &S;
  return nullptr;
}

void TAudioIn::FreeSlot(const WaveIn::TWaveBuffer* Buffer) {
  if (FNotices) FNotices->Forget(Buffer);
  std::erase_if(FRing, [Buffer](const TSlot& S) { return S.Buffer.get() == Buffer; });
}

void TAudioIn::Retire(TSlot& Slot) {
  // A queued buffer that holds nothing can go at once; any other one goes
  // when it comes back, after its samples reached the sinks.
  if (FWaveDevice && FWaveDevice->Unqueue(Slot.Buffer.get()))
    FreeSlot(Slot.Buffer.get());
  else
    Slot.Retired = true;
}

void TAudioIn::SyncRing() {
  static const QString NoMemory = QStringLiteral("TAudioIn: Zu wenig Speicher frei");
  static const QString NoLock = QStringLiteral("TAudioIn: Speicher konnte nicht gelockt werden");
  const std::int64_t Bytes = std::int64_t(BytesPerValue()) * FBufferSize;
  const int Wanted = std::max(FBufferCount, 0);

  // Buffers of another size, and those beyond BufferCount, leave the ring.
  std::vector<const TWaveBuffer*> Leaving;
  int Live = 0;
  for (TSlot& S : FRing) {
    if (S.Retired) continue;
    if (S.Buffer->Length != Bytes || Live == Wanted)
      Leaving.push_back(S.Buffer.get());
    else
      ++Live;
  }
  for (const TWaveBuffer* B : Leaving)
    if (TSlot* S = FindSlot(B)) Retire(*S);

  for (; Live < Wanted; ++Live) {
    std::unique_ptr<TWaveBuffer> B = TWaveBuffer::Allocate(Bytes);
    if (!B) throw EOutOfMemory(NoMemory);
    if (!B->Data) throw EOutOfMemory(NoLock);  // a buffer of no bytes has nothing to address
    TWaveBuffer* Raw = B.get();
    FRing.push_back({std::move(B), false});
    Check(FWaveDevice->AddBuffer(Raw));
  }
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
  for (const TSlot& S : FRing)
    if (FNotices) FNotices->Forget(S.Buffer.get());
  FRing.clear();
  ++FRingGeneration;
}

// ---------------------------------------------------------------------------
// Recording

void TAudioIn::Start() {
  if (!FWaveDevice) {
    OpenDevice();
    if (!FWaveDevice) return;  // failed while loading from a stream
  }
  SyncRing();
  // The range −1 … +1 spread over the sample values: unsigned 8-bit
  // samples 0 … 255 around 128, signed 16-bit ones −32768 … 32767 around 0.
  if (FResolution == taw_8Bit) {
    FScale = (1.0 - (-1.0)) / 256;
    FOffset = -1.0;
  } else {
    FScale = (1.0 - (-1.0)) / 65536;
    FOffset = 0.0;
  }
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
  if (!FindSlot(Buffer)) return;  // no longer ours
  const std::weak_ptr<void> Alive = AliveToken();
  const unsigned Generation = FRingGeneration;
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
  if (Generation == FRingGeneration) Recycle(Buffer);

  if (OnBufferDone) OnBufferDone(this, Block);
  if (!Alive.expired()) emit bufferDone(this, Block);
}

void TAudioIn::Recycle(TWaveBuffer* Buffer) {
  TSlot* Slot = FindSlot(Buffer);
  if (!Slot || !FWaveDevice) return;
  if (Slot->Retired || (FBurst && !FStopping)) {
    FreeSlot(Buffer);
    return;
  }
  const Integer R = FWaveDevice->AddBuffer(Buffer);
  if (R == MMSYSERR_NOERROR) return;
  // The ring is broken: recording cannot go on.
  FStopping = true;
  FWaveDevice->Reset();
  ReportError(ErrorText(R));
}

void TAudioIn::ReportOverrun(std::uint64_t Bytes) {
  if (Bytes == 0) return;
  const std::uint64_t Values = Bytes / static_cast<std::uint64_t>(BytesPerValue());
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
  const int Channels = FMode == tam_Stereo ? 2 : 1;
  Block.ChannelCount = 0;
  Block.Channels = {};
  // The time a full buffer spans: its frames, not its values.
  Block.Duration = FBufferSize / Channels * SamplePeriod();
  Block.StartTime = 0;
  if (!Forced && LinkCount() == 0) return;

  if (Buffer && Buffer->Data && Buffer->BytesRecorded > 0) {
    const bool Wide = FResolution == taw_16Bit;
    const Integer V = static_cast<Integer>(Wide ? Buffer->BytesRecorded / 2 : Buffer->BytesRecorded);
    for (int C = 0; C < Channels; ++C) {
      Arrays[C].reset(new Single[std::max(V, 1)]);
      Block.Channels[C] = {Arrays[C].get(), 0};
      ++Block.ChannelCount;
    }

    // value = sample × scale + offset, rounded to Single; stereo samples
    // alternate between channel 0 and channel 1 as the device interleaves them.
    const Byte* In = Buffer->Data.get();
    const Double Scale = FScale, Offset = FOffset;
    auto Convert = [&](auto Sample) {
      if (Channels == 1) {
        Single* Out = Arrays[0].get();
        for (Integer I = 0; I < V; ++I) Out[I] = static_cast<Single>(Sample(I) * Scale + Offset);
        Block.Channels[0].Count = V;
        return;
      }
      Single* Out0 = Arrays[0].get();
      Single* Out1 = Arrays[1].get();
      Integer N0 = 0, N1 = 0;
      Integer I = 0;
      for (; I + 1 < V; I += 2) {
        Out0[N0++] = static_cast<Single>(Sample(I) * Scale + Offset);
        Out1[N1++] = static_cast<Single>(Sample(I + 1) * Scale + Offset);
      }
      if (I < V) Out0[N0++] = static_cast<Single>(Sample(I) * Scale + Offset);
      Block.Channels[0].Count = N0;
      Block.Channels[1].Count = N1;
    };
    if (Wide)
      Convert([In](Integer I) {
        std::int16_t S;
        std::memcpy(&S, In + 2 * I, 2);
        return S;
      });
    else
      Convert([In](Integer I) { return In[I]; });
    // A partly filled buffer spans the frames it holds.
    if (V != FBufferSize) Block.Duration = Block.Channels[0].Count * SamplePeriod();
  }
  DeliverData(Block);
}

}  // namespace quellix::audioin
