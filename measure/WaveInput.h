/// Wave input: the capture layer under TAudioIn.
///
/// The layer offers what the audio source needs of a sound card and nothing
/// more: the input devices listed by name, a format query that opens
/// nothing, opening a device by name, a queue of buffers that come back
/// filled in queue order, a reset that returns every queued buffer (a partly
/// filled one with the bytes actually recorded), and notices that reach the
/// caller on the GUI thread through a notice queue the caller owns.
///
/// Nothing the device captures is thrown away while the program keeps up:
/// bytes that find no queued buffer wait in a backlog and go into the next
/// buffer that is queued. Only when the backlog would hold more than its
/// limit (one second of audio by default) does the device drop the oldest
/// bytes; it counts them and posts an overrun notice.
///
/// Two kinds of device sit behind the same interface:
///   - the capture devices Qt Multimedia reports (QMediaDevices), first;
///   - built-in virtual devices, listed after the real ones, so that device 0
///     always exists. Each generates a known test signal; in the running
///     program it fills its buffers at the real sample rate from a QTimer,
///     and a test feeds it sample by sample through Produce().
/// \file
/// Every call returns a result code: 0 on success, otherwise one of the
/// MMSYSERR_ / WAVERR_ codes below; ErrorText gives the German text for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/NumericTypes.h"

class QTimer;
class QElapsedTimer;

namespace quellix::WaveIn {

/// Result codes.
constexpr Integer MMSYSERR_NOERROR = 0;
constexpr Integer MMSYSERR_ERROR = 1;        ///< unspecified failure of the device
constexpr Integer MMSYSERR_BADDEVICEID = 2;  ///< no device of that index or name
constexpr Integer MMSYSERR_ALLOCATED = 4;    ///< device in use elsewhere
constexpr Integer MMSYSERR_NOMEM = 7;
constexpr Integer MMSYSERR_INVALPARAM = 11;  ///< null buffer, buffer without memory
constexpr Integer WAVERR_BADFORMAT = 32;     ///< format not supported
constexpr Integer WAVERR_STILLPLAYING = 33;  ///< buffer still queued

/// The text of a result code.
QString ErrorText(Integer Result);

/// PCM format: channels 1 or 2, 8 bit unsigned or 16 bit signed little-endian
/// samples, interleaved by frame.
struct TWaveFormat {
  Word Channels = 1;
  Cardinal SamplesPerSec = 11025;
  Word BitsPerSample = 8;
  Word BlockAlign() const { return static_cast<Word>(Channels * (BitsPerSample / 8)); }
  Cardinal AvgBytesPerSec() const { return SamplesPerSec * BlockAlign(); }
  bool operator==(const TWaveFormat&) const = default;
};

/// One buffer the device records into. Its owner keeps it; while it is
/// queued the device writes into Data and must be the only one to touch it.
struct TWaveBuffer {
  /// A buffer of Bytes bytes, zeroed; nullptr when Bytes is negative or the
  /// memory cannot be had. A buffer of zero bytes has no memory and cannot
  /// be queued.
  static std::unique_ptr<TWaveBuffer> Allocate(std::int64_t Bytes);

  std::unique_ptr<Byte[]> Data;
  Cardinal Length = 0;         ///< bytes
  Cardinal BytesRecorded = 0;  ///< set by the device when it returns the buffer
  bool Queued = false;         ///< waiting in a device's queue
};

class TWaveInDevice;

/// What a device tells its owner.
enum class TWaveNoticeKind {
  Opened,   ///< the device is open
  Closed,   ///< the device was closed
  Data,     ///< a buffer came back (filled, partly filled or empty)
  Overrun,  ///< the backlog was full and its oldest bytes were dropped
  Lost,     ///< the device went away while open; it records nothing more
};

struct TWaveNotice {
  TWaveNoticeKind Kind;
  const TWaveInDevice* Device;   ///< identifies the sender; may be gone by now
  TWaveBuffer* Buffer = nullptr;  ///< Data only
};

/// The queue through which a device's notices reach the GUI thread, in the
/// order they were posted: either from the event loop or at once by
/// ProcessPending. The handler may delete the queue; handling then ends.
class TNoticeQueue : public QObject {
  Q_OBJECT
public:
  using THandler = std::function<void(const TWaveNotice& Notice)>;
  explicit TNoticeQueue(THandler Handler);
  ~TNoticeQueue() override;

  void Post(const TWaveNotice& Notice);
  /// Handles every pending notice now, including those posted while
  /// handling. The handler must not throw.
  void ProcessPending();
  /// Drops the pending notices about Buffer (it is about to be freed).
  void Forget(const TWaveBuffer* Buffer);

private:
  void DeliverQueued();

  THandler FHandler;
  std::deque<TWaveNotice> FQueue;
  bool FScheduled = false;
};

/// Bytes captured while no buffer was queued, oldest first, at most
/// Capacity of them.
class TBacklog {
public:
  void SetCapacity(std::size_t Bytes);
  std::size_t Capacity() const { return FRing.size(); }
  std::size_t Size() const { return FSize; }
  bool Empty() const { return FSize == 0; }
  /// Appends Bytes; when they do not fit, the oldest bytes are dropped in
  /// whole units of Unit bytes. Returns the number of bytes dropped.
  std::size_t Push(const Byte* Data, std::size_t Bytes, std::size_t Unit);
  /// Moves up to Bytes of the oldest bytes to Out; returns how many.
  std::size_t Pop(Byte* Out, std::size_t Bytes);

private:
  std::vector<Byte> FRing;
  std::size_t FHead = 0;
  std::size_t FSize = 0;
};

/// An open input device. Closing it (deleting it) stops recording, forgets
/// the queued buffers and the backlog without returning them and posts a
/// Closed notice.
class TWaveInDevice {
public:
  TWaveInDevice(const TWaveFormat& Format, TNoticeQueue* Notices);
  virtual ~TWaveInDevice();
  TWaveInDevice(const TWaveInDevice&) = delete;
  TWaveInDevice& operator=(const TWaveInDevice&) = delete;

  const TWaveFormat& Format() const { return FFormat; }

  /// Appends a buffer to the queue, emptied. Bytes waiting in the backlog go
  /// into it at once; it comes back as soon as it is full, or, while not
  /// recording, as soon as it holds anything.
  Integer AddBuffer(TWaveBuffer* Buffer);
  /// Takes a queued buffer that holds nothing back out of the queue.
  bool Unqueue(TWaveBuffer* Buffer);
  /// Recording fills the queued buffers one after the other; each full one
  /// leaves the queue and comes back with a Data notice.
  Integer Start();
  /// Ends recording and returns every queued buffer with a Data notice, in
  /// queue order, each with the bytes recorded into it (often none). The
  /// backlog stays and goes into the buffers queued afterwards.
  Integer Reset();

  bool Recording() const { return FRecording; }
  int QueuedCount() const { return static_cast<int>(FQueue.size()); }

  /// The most bytes the backlog holds (rounded down to whole frames). With 0
  /// bytes that find no buffer are dropped without an overrun notice, which
  /// is what a burst of single-use buffers wants.
  void SetBacklogLimit(std::size_t Bytes);
  std::size_t BacklogLimit() const { return FBacklog.Capacity(); }
  std::size_t BacklogBytes() const { return FBacklog.Size(); }
  /// Bytes dropped from a full backlog since the last call; the next drop
  /// posts an Overrun notice again.
  std::uint64_t TakeDroppedBytes();
  /// True once the device went away (Lost was posted).
  bool IsLost() const { return FLost; }

protected:
  /// Called by an implementation with captured bytes while recording.
  void Record(const Byte* Data, std::size_t Bytes);
  /// Called by an implementation when its device has gone: recording ends
  /// and a Lost notice is posted (once).
  void Lose();
  /// Called by an implementation that had to drop Bytes before they reached
  /// Record; they count as an overrun.
  void Overrun(std::uint64_t Bytes);
  void Post(TWaveNoticeKind Kind, TWaveBuffer* Buffer = nullptr);
  virtual Integer StartCapture() = 0;
  /// Ends capture; bytes the implementation still holds go to Record first.
  virtual void StopCapture() = 0;
  /// Implementations call this first in their destructor.
  void StopForClose();

private:
  // Hands the front buffer back.
  void ReturnFront();

  TWaveFormat FFormat;
  QPointer<TNoticeQueue> FNotices;
  std::deque<TWaveBuffer*> FQueue;
  TBacklog FBacklog;
  std::uint64_t FDropped = 0;
  bool FOverrunPosted = false;
  bool FRecording = false;
  bool FLost = false;
};

// ---------------------------------------------------------------------------
// Built-in virtual devices.

/// The signal a virtual device generates.
enum class TVirtualSignal {
  /// 0.5 full-scale sine of 440 Hz plus uniform noise of ±0.02 full scale;
  /// in stereo the right channel carries the cosine (90° ahead).
  SineWithNoise,
  /// Every sample value counts one up from 0, through all channels in the
  /// interleaved order, wrapping at the sample width (8 bit: 0 … 255 as
  /// stored; 16 bit: 0 … 32767, −32768 … −1). Shows order and loss exactly.
  CountingRamp,
};

/// A virtual device opened for recording.
class TVirtualWaveInDevice : public TWaveInDevice {
public:
  TVirtualWaveInDevice(TVirtualSignal Signal, const TWaveFormat& Format, TNoticeQueue* Notices);
  ~TVirtualWaveInDevice() override;

  /// Generates the next Frames frames and records them (ignored unless
  /// recording). The real-time clock does the same from its timer.
  void Produce(int Frames);
  /// The device is unplugged (see SetVirtualDevicePlugged).
  void Unplug() { Lose(); }

protected:
  Integer StartCapture() override;
  void StopCapture() override;

private:
  void ClockTick();
  // Frames that were due but are not generated.
  void Skip(std::int64_t Frames);
  TVirtualSignal FSignal;
  std::int64_t FFrames = 0;
  std::uint32_t FNoise = 0x2545F491u;
  std::vector<Byte> FScratch;
  std::unique_ptr<QTimer> FTimer;
  std::unique_ptr<QElapsedTimer> FElapsed;
  std::int64_t FClockFrames = 0;  // frames the clock has produced since Start
};

/// Whether virtual devices fill their buffers at the real rate from a timer
/// while recording (the default). Tests switch the clock off and call
/// Produce themselves.
void SetVirtualClock(bool Running);
bool VirtualClock();

/// Plugs a virtual device in or out, as a USB microphone would be: an
/// unplugged device is missing from the list, and an open one of that name
/// reports itself lost. All are plugged in at start.
void SetVirtualDevicePlugged(const QString& Name, bool Plugged);

// ---------------------------------------------------------------------------
// The device list: real capture devices first, then the virtual ones. Two
// devices of the same name are told apart by " (2)", " (3)", … after the
// later ones.

Cardinal GetNumDevs();
/// The name of device Index, or MMSYSERR_BADDEVICEID.
Integer GetDevName(Integer Index, QString& Name);
/// The index of the device called Name, or −1.
Integer FindDevice(const QString& Name);
/// Asks whether the device called Name records in Format. Opens nothing.
Integer QueryFormat(const QString& Name, const TWaveFormat& Format);
/// Opens the device called Name; its notices go to Notices (Opened first).
Integer Open(const QString& Name, const TWaveFormat& Format, TNoticeQueue* Notices,
             std::unique_ptr<TWaveInDevice>& Device);
/// The names of all devices in index order, the virtual ones last.
QStringList DeviceNames();
/// The names of the virtual devices alone, in their order (plugged or not).
QStringList VirtualDeviceNames();

// The Qt Multimedia part of the list (WaveInputQt.cpp), with the same
// names as above.
namespace QtDevices {
QStringList Names();
Integer QueryFormat(const QString& Name, const TWaveFormat& Format);
Integer Open(const QString& Name, const TWaveFormat& Format, TNoticeQueue* Notices,
             std::unique_ptr<TWaveInDevice>& Device);
}  ///< namespace QtDevices

/// Makes the names of a list unique: a name that occurred before gets
/// " (2)", " (3)", … appended.
QStringList UniqueNames(const QStringList& Names);

}  ///< namespace quellix::WaveIn
