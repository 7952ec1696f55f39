// Wave input: the capture layer under TAudioIn.
//
// The layer offers what the audio source needs of a sound card and nothing
// more: the input devices listed by name, a format query that opens
// nothing, opening a device, a queue of buffers that come back filled in
// queue order, a reset that returns every queued buffer (a partly filled one
// with the bytes actually recorded), and notifications that arrive on the
// GUI thread through a message window the caller owns.
//
// Two kinds of device sit behind the same interface:
//   - the capture devices Qt Multimedia reports (QMediaDevices), first;
//   - built-in virtual devices, listed after the real ones, so that device 0
//     always exists. Each generates a known test signal; in the running
//     program it fills its buffers at the real sample rate from a QTimer,
//     and a test feeds it sample by sample through Produce().
//
// Every call returns a result code: 0 on success, otherwise one of the
// MMSYSERR_ / WAVERR_ codes below; ErrorText gives the German text for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "quellix/host/NumericTypes.h"

class QTimer;
class QElapsedTimer;

namespace quellix::WaveIn {

// Result codes.
constexpr Integer MMSYSERR_NOERROR = 0;
constexpr Integer MMSYSERR_ERROR = 1;        // unspecified failure of the device
constexpr Integer MMSYSERR_BADDEVICEID = 2;  // no device with that index
constexpr Integer MMSYSERR_ALLOCATED = 4;    // device in use elsewhere
constexpr Integer MMSYSERR_INVALHANDLE = 5;  // no open device
constexpr Integer MMSYSERR_NODRIVER = 6;
constexpr Integer MMSYSERR_NOMEM = 7;
constexpr Integer MMSYSERR_INVALPARAM = 11;  // null header, buffer without memory
constexpr Integer WAVERR_BADFORMAT = 32;     // format not supported
constexpr Integer WAVERR_STILLPLAYING = 33;  // buffer still queued
constexpr Integer WAVERR_UNPREPARED = 34;    // buffer not prepared

// The text of a result code.
QString ErrorText(Integer Result);

// Notifications, as the message window receives them.
constexpr Cardinal WIM_OPEN = 0x3BE;   // device opened
constexpr Cardinal WIM_CLOSE = 0x3BF;  // device closed
constexpr Cardinal WIM_DATA = 0x3C0;   // a buffer came back (filled, partly filled or empty)

// PCM format: channels 1 or 2, 8 bit unsigned or 16 bit signed little-endian
// samples, interleaved by frame.
struct TWaveFormat {
  Word Channels = 1;
  Cardinal SamplesPerSec = 11025;
  Word BitsPerSample = 8;
  Word BlockAlign() const { return static_cast<Word>(Channels * (BitsPerSample / 8)); }
  Cardinal AvgBytesPerSec() const { return SamplesPerSec * BlockAlign(); }
  bool operator==(const TWaveFormat&) const = default;
};

// Header flags.
constexpr Cardinal WHDR_DONE = 0x01;      // the device has returned the buffer
constexpr Cardinal WHDR_PREPARED = 0x02;  // prepared for this device
constexpr Cardinal WHDR_INQUEUE = 0x10;   // waiting in the device queue

// One buffer as the device sees it. The memory belongs to the caller and
// must stay put while the buffer is queued.
struct TWaveHeader {
  Byte* Data = nullptr;
  Cardinal BufferLength = 0;   // bytes
  Cardinal BytesRecorded = 0;  // set by the device when it returns the buffer
  void* User = nullptr;        // the caller's own pointer
  Cardinal Flags = 0;
  Cardinal Loops = 0;
};

// ---------------------------------------------------------------------------
// Buffer memory. Allocation and locking are separate steps: a block is
// allocated first and locked to get its address. A block of zero bytes has
// no memory, so locking it fails; a negative size or a failed allocation
// gives no block at all.

struct TGlobalBlock;
TGlobalBlock* GlobalAlloc(std::int64_t Bytes);  // nullptr on failure
Byte* GlobalLock(TGlobalBlock* Block);          // nullptr on failure
void GlobalUnlock(TGlobalBlock* Block);
void GlobalFree(TGlobalBlock* Block);           // null is ignored

// ---------------------------------------------------------------------------

// The hidden window that receives a device's notifications. A device posts
// them from wherever it runs; they are handled on the GUI thread, in the
// order they were posted, either by the event loop or at once by
// ProcessPending. Deleting the window drops what is still pending.
class TMessageWindow : public QObject {
  Q_OBJECT
public:
  using THandler = std::function<void(Cardinal Msg, TWaveHeader* Header)>;
  explicit TMessageWindow(THandler Handler);
  ~TMessageWindow() override;

  void Post(Cardinal Msg, TWaveHeader* Header);
  // Handles every pending notification now, including those posted while
  // handling. An exception from the handler does not keep the later ones
  // from being handled; the first is raised again at the end.
  void ProcessPending();
  int PendingCount() const { return static_cast<int>(FQueue.size()); }

private:
  // The event loop's turn: exceptions cannot travel through Qt's event
  // loop, so one raised by a handler ends here.
  void DeliverQueued();

  struct TMessage {
    Cardinal Msg;
    TWaveHeader* Header;
  };
  THandler FHandler;
  std::deque<TMessage> FQueue;
  bool FScheduled = false;
};

// An open input device. Closing it (deleting it) stops recording, forgets
// the queued buffers without returning them and posts WIM_CLOSE.
class TWaveInDevice {
public:
  TWaveInDevice(const TWaveFormat& Format, TMessageWindow* Window);
  virtual ~TWaveInDevice();
  TWaveInDevice(const TWaveInDevice&) = delete;
  TWaveInDevice& operator=(const TWaveInDevice&) = delete;

  const TWaveFormat& Format() const { return FFormat; }

  Integer PrepareHeader(TWaveHeader* Header);
  Integer UnprepareHeader(TWaveHeader* Header);
  // Appends a prepared buffer to the queue, emptied.
  Integer AddBuffer(TWaveHeader* Header);
  // Recording fills the queued buffers one after the other; each full one
  // leaves the queue and comes back with WIM_DATA.
  Integer Start();
  // Ends recording and returns every queued buffer with WIM_DATA, in queue
  // order, each with the bytes recorded into it (often none).
  Integer Reset();

  bool Recording() const { return FRecording; }
  int QueuedCount() const { return static_cast<int>(FQueue.size()); }

protected:
  // Called by an implementation with captured bytes while recording.
  // Bytes beyond the queued buffers are lost, as with any sound card whose
  // application falls behind.
  void Record(const Byte* Data, std::size_t Bytes);
  void Post(Cardinal Msg, TWaveHeader* Header);
  virtual Integer StartCapture() = 0;
  // Ends capture; bytes the implementation still holds go to Record first.
  virtual void StopCapture() = 0;
  // Implementations call this first in their destructor.
  void StopForClose();

private:
  TWaveFormat FFormat;
  QPointer<TMessageWindow> FWindow;
  std::deque<TWaveHeader*> FQueue;
  bool FRecording = false;
};

// ---------------------------------------------------------------------------
// Built-in virtual devices.

// The signal a virtual device generates.
enum class TVirtualSignal {
  // 0.5 full-scale sine of 440 Hz plus uniform noise of ±0.02 full scale;
  // in stereo the right channel carries the cosine (90° ahead).
  SineWithNoise,
  // Every sample value counts one up from 0, through all channels in the
  // interleaved order, wrapping at the sample width (8 bit: 0 … 255 as
  // stored; 16 bit: 0 … 32767, −32768 … −1). Shows order and loss exactly.
  CountingRamp,
};

// A virtual device opened for recording.
class TVirtualWaveInDevice : public TWaveInDevice {
public:
  TVirtualWaveInDevice(TVirtualSignal Signal, const TWaveFormat& Format, TMessageWindow* Window);
  ~TVirtualWaveInDevice() override;

  // Generates the next Frames frames and records them (ignored unless
  // recording). The real-time clock does the same from its timer.
  void Produce(int Frames);
  // Frames generated since opening.
  std::int64_t FramesProduced() const { return FFrames; }

protected:
  Integer StartCapture() override;
  void StopCapture() override;

private:
  void ClockTick();
  TVirtualSignal FSignal;
  std::int64_t FFrames = 0;
  std::uint32_t FNoise = 0x2545F491u;
  std::vector<Byte> FScratch;
  std::unique_ptr<QTimer> FTimer;
  std::unique_ptr<QElapsedTimer> FElapsed;
  std::int64_t FClockFrames = 0;  // frames the clock has produced since Start
};

// Whether virtual devices fill their buffers at the real rate from a timer
// while recording (the default). Tests switch the clock off and call
// Produce themselves.
void SetVirtualClock(bool Running);
bool VirtualClock();

// ---------------------------------------------------------------------------
// The device list: real capture devices first, then the virtual ones.

Cardinal GetNumDevs();
// The name of device Index, or MMSYSERR_BADDEVICEID.
Integer GetDevName(Integer Index, QString& Name);
// Asks whether device Index records in Format. Opens nothing.
Integer QueryFormat(Integer Index, const TWaveFormat& Format);
// Opens device Index; its notifications go to Window (WIM_OPEN first).
Integer Open(Integer Index, const TWaveFormat& Format, TMessageWindow* Window,
             std::unique_ptr<TWaveInDevice>& Device);
// The names of all devices in index order, the virtual ones last.
QStringList DeviceNames();
// The names of the virtual devices alone, in their order.
QStringList VirtualDeviceNames();

// The Qt Multimedia part of the list (WaveInQt.cpp); Index counts from the
// first real device.
namespace QtDevices {
QStringList Names();
Integer QueryFormat(Integer Index, const TWaveFormat& Format);
Integer Open(Integer Index, const TWaveFormat& Format, TMessageWindow* Window,
             std::unique_ptr<TWaveInDevice>& Device);
}  // namespace QtDevices

}  // namespace quellix::WaveIn
