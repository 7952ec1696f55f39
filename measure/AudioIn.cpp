#include "quellix/measure/AudioIn.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace quellix::audioin {

using namespace WaveIn;
using MeasIntf::mcBlocks;
using MeasIntf::mcMultiChannel;
using MeasIntf::mcOneChannel;
using MeasIntf::mcReserved;
using MeasIntf::mcValues;

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
    FWindow = std::make_unique<TMessageWindow>(
        [this](Cardinal Msg, TWaveHeader* Header) { HandleMessage(Msg, Header); });
}

TAudioIn::~TAudioIn() {
  if (FWaveDevice) {
    FStopping = true;
    FWaveDevice->Reset();
  }
  // The returned buffers are handled while the component is still whole.
  if (FWindow) try {
      FWindow->ProcessPending();
    } catch (...) {
      // A destructor cannot pass on a sink's exception.
    }
  FWaveDevice.reset();
  for (TBuffer* B : FBuffers) FreeBuffer(B);
  FBuffers.clear();
  FWindow.reset();
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
  const Integer R = QueryFormat(FDeviceIndex, Format);
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

void TAudioIn::SetDevice(const QString& Value) {
  if (Value == FDevice) return;
  if (GetNumDevs() == 0) return;
  Integer Found = -1;
  const QStringList Names = WaveIn::DeviceNames();
  for (Integer I = 0; I < Names.size(); ++I)
    if (Names[I] == Value) {
      Found = I;
      break;
    }
  if (FWaveDevice) ReleaseDevice();
  if (Found < 0) {
    FDeviceIndex = -2;
    return;
  }
  FDeviceIndex = Found;
  FDevice = Value;
  AnnounceConfiguration();
}

// A new format must be one the selected device records; an open device is
// released first (its recorded buffers still reach the sinks) and reopened
// in the new format at the next Start.
bool TAudioIn::PrepareFormatChange(const WaveIn::TWaveFormat& Format) {
  if (!FormatAccepted(Format)) return false;
  if (FWaveDevice) ReleaseDevice();
  return true;
}

void TAudioIn::SetClockFrequency(TAIFrequency Value) {
  if (Value == FClockFrequency || Value < taf_11025 || Value > taf_44100) return;
  if (!PrepareFormatChange(MakeFormat(Value, FMode, FResolution))) return;
  FClockFrequency = Value;
  AnnounceConfiguration();
}

void TAudioIn::SetMode(TAIMode Value) {
  if (Value == FMode || Value < tam_Mono || Value > tam_Stereo) return;
  if (!PrepareFormatChange(MakeFormat(FClockFrequency, Value, FResolution))) return;
  FMode = Value;
  AnnounceConfiguration();
}

void TAudioIn::SetResolution(TAIResolution Value) {
  if (Value == FResolution || Value < taw_8Bit || Value > taw_16Bit) return;
  if (!PrepareFormatChange(MakeFormat(FClockFrequency, FMode, Value))) return;
  FResolution = Value;
  AnnounceConfiguration();
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
// Buffers

TAudioIn::TBuffer* TAudioIn::AllocateBuffer() {
  static const QString NoMemory = QStringLiteral("TAudioIn: Zu wenig Speicher frei");
  static const QString NoLock = QStringLiteral("TAudioIn: Speicher konnte nicht gelockt werden");
  const std::int64_t Bytes = FResolution == taw_16Bit ? 2 * std::int64_t(FBufferSize) : FBufferSize;

  auto* B = new (std::nothrow) TBuffer;
  if (!B) throw EOutOfMemory(NoMemory);
  B->HeaderMem = GlobalAlloc(sizeof(TWaveHeader));
  if (!B->HeaderMem) {
    FreeBuffer(B);
    throw EOutOfMemory(NoMemory);
  }
  Byte* HeaderBytes = GlobalLock(B->HeaderMem);
  if (!HeaderBytes) {
    FreeBuffer(B);
    throw EOutOfMemory(NoLock);
  }
  B->Header = new (HeaderBytes) TWaveHeader;
  B->DataMem = GlobalAlloc(Bytes);
  if (!B->DataMem) {
    FreeBuffer(B);
    throw EOutOfMemory(NoMemory);
  }
  Byte* Data = GlobalLock(B->DataMem);
  if (!Data) {
    FreeBuffer(B);
    throw EOutOfMemory(NoLock);
  }
  B->Header->Data = Data;
  B->Header->BufferLength = static_cast<Cardinal>(Bytes);
  B->Header->Flags = 0;
  B->Header->Loops = 0;
  B->Header->User = B;
  FBuffers.push_back(B);  // from here on the component frees it with the rest
  Check(FWaveDevice->PrepareHeader(B->Header));
  return B;
}

void TAudioIn::FreeBuffer(TBuffer* B) {
  if (B->DataMem) {
    GlobalUnlock(B->DataMem);
    GlobalFree(B->DataMem);
  }
  if (B->HeaderMem) {
    GlobalUnlock(B->HeaderMem);
    GlobalFree(B->HeaderMem);
  }
  delete B;
}

void TAudioIn::ReleaseBuffer(TBuffer* B) {
  auto It = std::find(FBuffers.begin(), FBuffers.end(), B);
  if (It != FBuffers.end()) FBuffers.erase(It);
  const Integer R = FWaveDevice ? FWaveDevice->UnprepareHeader(B->Header) : MMSYSERR_NOERROR;
  FreeBuffer(B);
  Check(R);
}

bool TAudioIn::OwnsBuffer(const TBuffer* B) const {
  return std::find(FBuffers.begin(), FBuffers.end(), B) != FBuffers.end();
}

void TAudioIn::ReleaseDevice() {
  FStopping = true;
  FWaveDevice->Reset();
  // The returned buffers still hold data in the old format and must be
  // handled before their memory goes.
  std::exception_ptr Error;
  if (FWindow) try {
      FWindow->ProcessPending();
    } catch (...) {
      Error = std::current_exception();
    }
  FWaveDevice.reset();
  for (TBuffer* B : FBuffers) FreeBuffer(B);
  FBuffers.clear();
  ++FDeviceGeneration;
  if (Error) std::rethrow_exception(Error);
}

// ---------------------------------------------------------------------------
// Recording

void TAudioIn::Start() {
  if (!FWaveDevice) {
    Check(Open(FDeviceIndex, MakeFormat(FClockFrequency, FMode, FResolution), FWindow.get(), FWaveDevice));
    if (!FWaveDevice) return;  // failed while loading from a stream
  }
  for (Integer I = 0; I < FBufferCount; ++I) {
    TBuffer* B = AllocateBuffer();
    Check(FWaveDevice->AddBuffer(B->Header));
  }
  // The range −1 … +1 spread over the sample values.
  if (FResolution == taw_8Bit) {
    FScale = (1.0 - (-1.0)) / 256;  // unsigned 0 … 255
    FOffset = -1.0;
  } else {
    FScale = 1.0 / 65536;  // signed, so full scale is −0.5 … +0.49998
    FOffset = 0.0;
  }
  FStopping = false;
  Check(FWaveDevice->Start());
}

void TAudioIn::Stop() {
  FStopping = true;
  // Without an open device there is nothing to end.
  if (FWaveDevice) Check(FWaveDevice->Reset());
}

void TAudioIn::ProcessMessages() {
  if (FWindow) FWindow->ProcessPending();
}

// ---------------------------------------------------------------------------
// Message handling

void TAudioIn::HandleMessage(Cardinal Msg, TWaveHeader* Header) {
  switch (Msg) {
    case WIM_OPEN: AnnounceState(MeasIntf::msOpened); break;
    case WIM_CLOSE: AnnounceState(MeasIntf::msClosed); break;
    case WIM_DATA: BufferFilled(Header); break;
    default: break;
  }
}

void TAudioIn::BufferFilled(TWaveHeader* Header) {
  TDescArraySingle Block;
  std::unique_ptr<Single[]> Arrays[2];
  auto* B = Header ? static_cast<TBuffer*>(Header->User) : nullptr;
  const unsigned Generation = FDeviceGeneration;

  // A sink that fails must not cost the ring a buffer: the buffer is
  // recycled first, then the failure goes on.
  std::exception_ptr Error;
  try {
    BuildBlock(Header, Block, Arrays, static_cast<bool>(OnBufferDone));
  } catch (...) {
    Error = std::current_exception();
  }

  // A sink may have closed the device meanwhile; its buffers went with it.
  if (B && Generation == FDeviceGeneration && OwnsBuffer(B) && FWaveDevice) {
    if (!FBurst || FStopping)
      Check(FWaveDevice->AddBuffer(Header));
    else
      ReleaseBuffer(B);
  }
  if (Error) std::rethrow_exception(Error);

  if (OnBufferDone) OnBufferDone(this, Block);
}

void TAudioIn::BuildBlock(const TWaveHeader* Header, TDescArraySingle& Block,
                          std::unique_ptr<Single[]> (&Arrays)[2], bool Forced) {
  Block.ChannelCount = 0;
  Block.Channels = {};
  Block.Duration = FBufferSize * SamplePeriod();
  Block.StartTime = 0;
  if (!Forced && LinkCount() == 0) return;

  if (Header && Header->Data && Header->BytesRecorded > 0) {
    const bool Wide = FResolution == taw_16Bit;
    const Integer V = static_cast<Integer>(Wide ? Header->BytesRecorded / 2 : Header->BytesRecorded);
    if (V != FBufferSize) Block.Duration = V * SamplePeriod();
    const int Channels = FMode == tam_Stereo ? 2 : 1;
    for (int C = 0; C < Channels; ++C) {
      Arrays[C].reset(new Single[std::max(V, 1)]);
      Block.Channels[C] = {Arrays[C].get(), 0};
      ++Block.ChannelCount;
    }

    // value = sample × scale + offset, rounded to Single; stereo samples
    // alternate between channel 0 and channel 1 as the device interleaves them.
    const Byte* In = Header->Data;
    const Double Scale = FScale, Offset = FOffset;
    if (Wide) {
      auto Sample = [In](Integer I) {
        std::int16_t S;
        std::memcpy(&S, In + 2 * I, 2);
        return S;
      };
      if (Channels == 1) {
        Single* Out = Arrays[0].get();
        for (Integer I = 0; I < V; ++I) Out[I] = static_cast<Single>(Sample(I) * Scale);
        Block.Channels[0].Count = V;
      } else {
        Single* Out0 = Arrays[0].get();
        Single* Out1 = Arrays[1].get();
        Integer N0 = 0, N1 = 0;
        Integer I = 0;
        for (; I + 1 < V; I += 2) {
          Out0[N0++] = static_cast<Single>(Sample(I) * Scale);
          Out1[N1++] = static_cast<Single>(Sample(I + 1) * Scale);
        }
        if (I < V) Out0[N0++] = static_cast<Single>(Sample(I) * Scale);
        Block.Channels[0].Count = N0;
        Block.Channels[1].Count = N1;
      }
    } else {
      if (Channels == 1) {
        Single* Out = Arrays[0].get();
        for (Integer I = 0; I < V; ++I) Out[I] = static_cast<Single>(In[I] * Scale + Offset);
        Block.Channels[0].Count = V;
      } else {
        Single* Out0 = Arrays[0].get();
        Single* Out1 = Arrays[1].get();
        Integer N0 = 0, N1 = 0;
        Integer I = 0;
        for (; I + 1 < V; I += 2) {
          Out0[N0++] = static_cast<Single>(In[I] * Scale + Offset);
          Out1[N1++] = static_cast<Single>(In[I + 1] * Scale + Offset);
        }
        if (I < V) Out0[N0++] = static_cast<Single>(In[I] * Scale + Offset);
        Block.Channels[0].Count = N0;
        Block.Channels[1].Count = N1;
      }
    }
  }
  DeliverData(Block);
}

}  // namespace quellix::audioin
