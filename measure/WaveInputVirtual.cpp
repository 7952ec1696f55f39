// The built-in virtual input devices: test-signal generators that record
// like a sound card, at the real rate from a timer or on demand.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "quellix/measure/WaveInput.h"

namespace quellix::WaveIn {

namespace {
bool GVirtualClock = true;
// How often the clock fills buffers while recording, in ms.
constexpr int ClockInterval = 10;
}  // namespace

void SetVirtualClock(bool Running) { GVirtualClock = Running; }
bool VirtualClock() { return GVirtualClock; }

TVirtualWaveInDevice::TVirtualWaveInDevice(TVirtualSignal Signal, const TWaveFormat& Format,
                                           TNoticeQueue* Notices)
    : TWaveInDevice(Format, Notices),
      FSignal(Signal),
      FTimer(std::make_unique<QTimer>()),
      FElapsed(std::make_unique<QElapsedTimer>()) {
  FTimer->setTimerType(Qt::PreciseTimer);
  FTimer->setInterval(ClockInterval);
  QObject::connect(FTimer.get(), &QTimer::timeout, [this] { ClockTick(); });
}

TVirtualWaveInDevice::~TVirtualWaveInDevice() { StopForClose(); }

Integer TVirtualWaveInDevice::StartCapture() {
  if (GVirtualClock) {
    FElapsed->start();
    FClockFrames = 0;
    FTimer->start();
  }
  return MMSYSERR_NOERROR;
}

void TVirtualWaveInDevice::StopCapture() {
  if (!FTimer->isActive()) return;
  ClockTick();  // what was due up to now is recorded, as a card would have
  FTimer->stop();
}

void TVirtualWaveInDevice::ClockTick() {
  const std::int64_t Due = FElapsed->nsecsElapsed() * static_cast<std::int64_t>(Format().SamplesPerSec) / 1000000000;
  std::int64_t N = Due - FClockFrames;
  FClockFrames = Due;
  // After a long stall (a modal dialog, a debugger) not everything that was
  // due is generated at once: what lies beyond two seconds is skipped, as a
  // card's own memory would have overrun, and counted as dropped. The
  // signal goes on at the right place, so a ramp shows the gap.
  const std::int64_t Most = 2 * static_cast<std::int64_t>(Format().SamplesPerSec);
  if (N > Most) {
    Skip(N - Most);
    N = Most;
  }
  if (N > 0) Produce(static_cast<int>(N));
}

void TVirtualWaveInDevice::Skip(std::int64_t Frames) {
  FFrames += Frames;
  Overrun(static_cast<std::uint64_t>(Frames) * Format().BlockAlign());
}

void TVirtualWaveInDevice::Produce(int Frames) {
  if (Frames <= 0 || !Recording()) return;
  const int Channels = Format().Channels;
  const bool Wide = Format().BitsPerSample == 16;
  const int Width = Wide ? 2 : 1;
  FScratch.resize(static_cast<std::size_t>(Frames) * Channels * Width);
  Byte* Out = FScratch.data();
  const double Omega = 2 * std::numbers::pi * 440.0 / Format().SamplesPerSec;

  for (int F = 0; F < Frames; ++F) {
    const std::int64_t Frame = FFrames + F;
    for (int C = 0; C < Channels; ++C) {
      int Sample;  // 0 … 255 (8 bit) or −32768 … 32767 (16 bit)
      if (FSignal == TVirtualSignal::CountingRamp) {
        const std::int64_t K = Frame * Channels + C;
        Sample = Wide ? static_cast<std::int16_t>(static_cast<std::uint16_t>(K & 0xFFFF)) : static_cast<int>(K & 0xFF);
      } else {
        // xorshift32: a fixed sequence from opening on, so runs repeat.
        FNoise ^= FNoise << 13;
        FNoise ^= FNoise >> 17;
        FNoise ^= FNoise << 5;
        const double Noise = 0.02 * (FNoise / 4294967296.0 * 2 - 1);
        const double Phase = Omega * static_cast<double>(Frame);
        const double X = 0.5 * (C == 0 ? std::sin(Phase) : std::cos(Phase)) + Noise;
        Sample = Wide ? static_cast<int>(std::lround(X * 32767)) : 128 + static_cast<int>(std::lround(X * 127));
      }
      if (Wide) {
        const auto U = static_cast<std::uint16_t>(Sample);
        *Out++ = static_cast<Byte>(U & 0xFF);
        *Out++ = static_cast<Byte>(U >> 8);
      } else {
        *Out++ = static_cast<Byte>(Sample);
      }
    }
  }
  FFrames += Frames;
  Record(FScratch.data(), FScratch.size());
}

}  // namespace quellix::WaveIn
