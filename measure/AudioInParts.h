/// The parts TAudioIn (AudioIn.h) is composed of: TAudioFormat (rate,
/// channels and sample width, and the wave format they make),
/// TAudioBufferRing (the buffers the device records into, kept across
/// start/stop cycles) and TAudioBlockConverter (sample values to the Single
/// values of a block). The component owns them and keeps the device, the
/// notices, the events and the errors; the ring reaches back only through
/// its OnForget hook and the result check it is handed.
/// \file
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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

/// Samples per second of a TAIFrequency.
Cardinal SampleRate(TAIFrequency Frequency);

/// The recording format as the component's properties name it.
struct TAudioFormat {
  TAIFrequency Frequency = taf_11025;
  TAIMode Mode = tam_Mono;
  TAIResolution Resolution = taw_8Bit;

  int Channels() const { return Mode == tam_Stereo ? 2 : 1; }
  Integer BytesPerValue() const { return Resolution == taw_16Bit ? 2 : 1; }
  /// Seconds from one frame to the next.
  Extended SamplePeriod() const { return 1.0L / SampleRate(Frequency); }
  WaveIn::TWaveFormat WaveFormat() const;
};

/// The buffers a device records into. The ring is brought to the wanted
/// count and size before each start and kept across start/stop cycles: a
/// buffer of another size, or one too many, leaves it at once when it sits
/// queued and empty, and otherwise when it comes back with its samples.
class TAudioBufferRing {
public:
  /// Called with a buffer just before its memory goes, so that nothing
  /// still refers to it (the device's pending notices).
  std::function<void(const WaveIn::TWaveBuffer* Buffer)> OnForget;

  /// Buffers that exist now, queued or not.
  int Total() const { return static_cast<int>(FSlots.size()); }
  /// Counts the clearings: a buffer seen before one is gone.
  unsigned Generation() const { return FGeneration; }
  bool Holds(const WaveIn::TWaveBuffer* Buffer) const;

  /// Brings the ring to Wanted buffers of Bytes bytes; the new ones are
  /// queued on Device, each result going through Check. EOutOfMemory when
  /// a buffer cannot be had.
  void Sync(WaveIn::TWaveInDevice& Device, std::int64_t Bytes, int Wanted,
            const std::function<void(Integer Result)>& Check);
  /// For a buffer that came back and was delivered: true when it is to be
  /// queued again. A retired buffer, and with SingleUse any buffer, leaves
  /// the ring instead; a buffer the ring does not hold gives false.
  bool KeepAfterReturn(const WaveIn::TWaveBuffer* Buffer, bool SingleUse);
  /// Frees every buffer (the device is gone); starts a new generation.
  void Clear();

private:
  // One buffer of the ring. A retired one leaves the ring when it comes back.
  struct TSlot {
    std::unique_ptr<WaveIn::TWaveBuffer> Buffer;
    bool Retired = false;
  };

  TSlot* Find(const WaveIn::TWaveBuffer* Buffer);
  void Retire(WaveIn::TWaveInDevice& Device, TSlot& Slot);
  void Free(const WaveIn::TWaveBuffer* Buffer);

  std::vector<TSlot> FSlots;
  unsigned FGeneration = 0;
};

/// Turns the bytes a buffer recorded into the Single values of a block:
/// the sample range spread over −1 … +1, stereo samples split into two
/// channels.
class TAudioBlockConverter {
public:
  /// The scale and offset for samples of Resolution (taken at each start).
  void Prepare(TAIResolution Resolution);
  /// Fills the channels of Block from Buffer (which holds something) in
  /// Format; the values go to Arrays. Returns the number of sample values
  /// the buffer held.
  Integer Convert(const WaveIn::TWaveBuffer& Buffer, const TAudioFormat& Format, MeasIntf::TDescArraySingle& Block,
                  std::unique_ptr<Single[]> (&Arrays)[2]) const;

private:
  Double FScale = 0;
  Double FOffset = 0;
};

}  ///< namespace quellix::audioin
