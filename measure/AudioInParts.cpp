#include "quellix/measure/AudioInParts.h"

#include <algorithm>
#include <cstring>

namespace quellix::audioin {

using namespace WaveIn;

Cardinal SampleRate(TAIFrequency Frequency) {
  switch (Frequency) {
    case taf_22050: return 22050;
    case taf_44100: return 44100;
    default: return 11025;
  }
}

WaveIn::TWaveFormat TAudioFormat::WaveFormat() const {
  TWaveFormat Format;
  Format.Channels = Mode == tam_Stereo ? 2 : 1;
  Format.SamplesPerSec = SampleRate(Frequency);
  Format.BitsPerSample = Resolution == taw_16Bit ? 16 : 8;
  return Format;
}

// ---------------------------------------------------------------------------
// The ring

TAudioBufferRing::TSlot* TAudioBufferRing::Find(const TWaveBuffer* Buffer) {
  for (TSlot& S : FSlots)
    if (S.Buffer.get() == Buffer) return &S;
  return nullptr;
}

bool TAudioBufferRing::Holds(const TWaveBuffer* Buffer) const {
  return std::any_of(FSlots.begin(), FSlots.end(), [Buffer](const TSlot& S) { return S.Buffer.get() == Buffer; });
}

void TAudioBufferRing::Free(const TWaveBuffer* Buffer) {
  if (OnForget) OnForget(Buffer);
  std::erase_if(FSlots, [Buffer](const TSlot& S) { return S.Buffer.get() == Buffer; });
}

void TAudioBufferRing::Retire(TWaveInDevice& Device, TSlot& Slot) {
  // A queued buffer that holds nothing can go at once; any other one goes
  // when it comes back, after its samples reached the sinks.
  if (Device.Unqueue(Slot.Buffer.get()))
    Free(Slot.Buffer.get());
  else
    Slot.Retired = true;
}

void TAudioBufferRing::Sync(TWaveInDevice& Device, std::int64_t Bytes, int Wanted,
                            const std::function<void(Integer Result)>& Check) {
  static const QString NoMemory = QStringLiteral("TAudioIn: Zu wenig Speicher frei");
  static const QString NoLock = QStringLiteral("TAudioIn: Speicher konnte nicht gelockt werden");
  Wanted = std::max(Wanted, 0);

  // Buffers of another size, and those beyond Wanted, leave the ring.
  std::vector<const TWaveBuffer*> Leaving;
  int Live = 0;
  for (TSlot& S : FSlots) {
    if (S.Retired) continue;
    if (S.Buffer->Length != Bytes || Live == Wanted)
      Leaving.push_back(S.Buffer.get());
    else
      ++Live;
  }
  for (const TWaveBuffer* B : Leaving)
    if (TSlot* S = Find(B)) Retire(Device, *S);

  for (; Live < Wanted; ++Live) {
    std::unique_ptr<TWaveBuffer> B = TWaveBuffer::Allocate(Bytes);
    if (!B) throw EOutOfMemory(NoMemory);
    if (!B->Data) throw EOutOfMemory(NoLock);  // a buffer of no bytes has nothing to address
    TWaveBuffer* Raw = B.get();
    FSlots.push_back({std::move(B), false});
    Check(Device.AddBuffer(Raw));
  }
}

bool TAudioBufferRing::KeepAfterReturn(const TWaveBuffer* Buffer, bool SingleUse) {
  const TSlot* Slot = Find(Buffer);
  if (!Slot) return false;
  if (Slot->Retired || SingleUse) {
    Free(Buffer);
    return false;
  }
  return true;
}

void TAudioBufferRing::Clear() {
  if (OnForget)
    for (const TSlot& S : FSlots) OnForget(S.Buffer.get());
  FSlots.clear();
  ++FGeneration;
}

// ---------------------------------------------------------------------------
// Converting samples

void TAudioBlockConverter::Prepare(TAIResolution Resolution) {
  // The range −1 … +1 spread over the sample values: unsigned 8-bit
  // samples 0 … 255 around 128, signed 16-bit ones −32768 … 32767 around 0.
  if (Resolution == taw_8Bit) {
    FScale = (1.0 - (-1.0)) / 256;
    FOffset = -1.0;
  } else {
    FScale = (1.0 - (-1.0)) / 65536;
    FOffset = 0.0;
  }
}

Integer TAudioBlockConverter::Convert(const TWaveBuffer& Buffer, const TAudioFormat& Format,
                                      MeasIntf::TDescArraySingle& Block, std::unique_ptr<Single[]> (&Arrays)[2]) const {
  const int Channels = Format.Channels();
  const bool Wide = Format.Resolution == taw_16Bit;
  const Integer V = static_cast<Integer>(Wide ? Buffer.BytesRecorded / 2 : Buffer.BytesRecorded);
  for (int C = 0; C < Channels; ++C) {
    Arrays[C].reset(new Single[std::max(V, 1)]);
    Block.Channels[C] = {Arrays[C].get(), 0};
    ++Block.ChannelCount;
  }

  // value = sample × scale + offset, rounded to Single; stereo samples
  // alternate between channel 0 and channel 1 as the device interleaves them.
  const Byte* In = Buffer.Data.get();
  const Double Scale = FScale, Offset = FOffset;
  auto Fill = [&](auto Sample) {
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
    Fill([In](Integer I) {
      std::int16_t S;
      std::memcpy(&S, In + 2 * I, 2);
      return S;
    });
  else
    Fill([In](Integer I) { return In[I]; });
  return V;
}

}  // namespace quellix::audioin
