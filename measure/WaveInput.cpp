#include "quellix/measure/WaveInput.h"

#include <QMetaObject>
#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace quellix::WaveIn {

QString ErrorText(Integer Result) {
  switch (Result) {
    case MMSYSERR_NOERROR: return QStringLiteral("Kein Fehler.");
    case MMSYSERR_ERROR: return QStringLiteral("Unbekannter Fehler des Aufnahmegeräts.");
    case MMSYSERR_BADDEVICEID: return QStringLiteral("Die angegebene Geräte-ID liegt außerhalb des gültigen Bereichs.");
    case MMSYSERR_ALLOCATED: return QStringLiteral("Das Gerät wird bereits verwendet.");
    case MMSYSERR_INVALHANDLE: return QStringLiteral("Das angegebene Gerätehandle ist ungültig.");
    case MMSYSERR_NODRIVER: return QStringLiteral("Es ist kein Treiber installiert.");
    case MMSYSERR_NOMEM: return QStringLiteral("Zu wenig Speicher für diesen Vorgang.");
    case MMSYSERR_INVALPARAM: return QStringLiteral("Ungültiger Parameter.");
    case WAVERR_BADFORMAT: return QStringLiteral("Das Gerät unterstützt dieses Aufnahmeformat nicht.");
    case WAVERR_STILLPLAYING: return QStringLiteral("Der Puffer befindet sich noch in der Warteschlange.");
    case WAVERR_UNPREPARED: return QStringLiteral("Der Puffer wurde nicht vorbereitet.");
    default: return QStringLiteral("Unbekannter Fehlercode %1.").arg(Result);
  }
}

// ---------------------------------------------------------------------------
// Buffer memory

struct TGlobalBlock {
  std::unique_ptr<Byte[]> Memory;  // null for a block of zero bytes
  int Locks = 0;
};

TGlobalBlock* GlobalAlloc(std::int64_t Bytes) {
  if (Bytes < 0 || static_cast<std::uint64_t>(Bytes) > SIZE_MAX / 2) return nullptr;
  auto* Block = new (std::nothrow) TGlobalBlock;
  if (!Block) return nullptr;
  if (Bytes > 0) {
    Block->Memory.reset(new (std::nothrow) Byte[static_cast<std::size_t>(Bytes)]());
    if (!Block->Memory) {
      delete Block;
      return nullptr;
    }
  }
  return Block;
}

Byte* GlobalLock(TGlobalBlock* Block) {
  if (!Block || !Block->Memory) return nullptr;
  ++Block->Locks;
  return Block->Memory.get();
}

void GlobalUnlock(TGlobalBlock* Block) {
  if (Block && Block->Locks > 0) --Block->Locks;
}

void GlobalFree(TGlobalBlock* Block) { delete Block; }

// ---------------------------------------------------------------------------
// TMessageWindow

TMessageWindow::TMessageWindow(THandler Handler) : FHandler(std::move(Handler)) {}

TMessageWindow::~TMessageWindow() = default;

void TMessageWindow::Post(Cardinal Msg, TWaveHeader* Header) {
  FQueue.push_back({Msg, Header});
  if (FScheduled) return;
  FScheduled = true;
  // Queued on this object: the call is dropped if the window goes first.
  QMetaObject::invokeMethod(this, &TMessageWindow::DeliverQueued, Qt::QueuedConnection);
}

void TMessageWindow::ProcessPending() {
  std::exception_ptr First;
  while (!FQueue.empty()) {
    TMessage M = FQueue.front();
    FQueue.pop_front();
    try {
      if (FHandler) FHandler(M.Msg, M.Header);
    } catch (...) {
      if (!First) First = std::current_exception();
    }
  }
  if (First) std::rethrow_exception(First);
}

void TMessageWindow::DeliverQueued() {
  FScheduled = false;
  try {
    ProcessPending();
  } catch (...) {
    // Nobody above the event loop could take it.
  }
}

// ---------------------------------------------------------------------------
// TWaveInDevice

TWaveInDevice::TWaveInDevice(const TWaveFormat& Format, TMessageWindow* Window)
    : FFormat(Format), FWindow(Window) {}

TWaveInDevice::~TWaveInDevice() {
  // The buffers stay with their owner; they are simply no longer queued.
  for (TWaveHeader* H : FQueue) H->Flags &= ~WHDR_INQUEUE;
  FQueue.clear();
  Post(WIM_CLOSE, nullptr);
}

void TWaveInDevice::StopForClose() {
  if (FRecording) StopCapture();
  FRecording = false;
}

void TWaveInDevice::Post(Cardinal Msg, TWaveHeader* Header) {
  if (FWindow) FWindow->Post(Msg, Header);
}

Integer TWaveInDevice::PrepareHeader(TWaveHeader* Header) {
  if (!Header) return MMSYSERR_INVALPARAM;
  if (Header->Flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  Header->Flags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

Integer TWaveInDevice::UnprepareHeader(TWaveHeader* Header) {
  if (!Header) return MMSYSERR_INVALPARAM;
  if (Header->Flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  Header->Flags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

Integer TWaveInDevice::AddBuffer(TWaveHeader* Header) {
  if (!Header) return MMSYSERR_INVALPARAM;
  if (!(Header->Flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (Header->Flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  if (!Header->Data || Header->BufferLength == 0) return MMSYSERR_INVALPARAM;
  Header->Flags = (Header->Flags & ~WHDR_DONE) | WHDR_INQUEUE;
  Header->BytesRecorded = 0;
  FQueue.push_back(Header);
  return MMSYSERR_NOERROR;
}

Integer TWaveInDevice::Start() {
  if (FRecording) return MMSYSERR_NOERROR;
  Integer R = StartCapture();
  if (R == MMSYSERR_NOERROR) FRecording = true;
  return R;
}

Integer TWaveInDevice::Reset() {
  // What the implementation still holds is recorded before the buffers go.
  if (FRecording) StopCapture();
  FRecording = false;
  std::deque<TWaveHeader*> Returned;
  Returned.swap(FQueue);
  for (TWaveHeader* H : Returned) {
    H->Flags = (H->Flags & ~WHDR_INQUEUE) | WHDR_DONE;
    Post(WIM_DATA, H);
  }
  return MMSYSERR_NOERROR;
}

void TWaveInDevice::Record(const Byte* Data, std::size_t Bytes) {
  if (!FRecording) return;
  while (Bytes > 0 && !FQueue.empty()) {
    TWaveHeader* H = FQueue.front();
    const std::size_t Room = H->BufferLength - H->BytesRecorded;
    const std::size_t N = std::min(Room, Bytes);
    std::memcpy(H->Data + H->BytesRecorded, Data, N);
    H->BytesRecorded += static_cast<Cardinal>(N);
    Data += N;
    Bytes -= N;
    if (H->BytesRecorded == H->BufferLength) {
      FQueue.pop_front();
      H->Flags = (H->Flags & ~WHDR_INQUEUE) | WHDR_DONE;
      Post(WIM_DATA, H);
    }
  }
}

// ---------------------------------------------------------------------------
// The device list

namespace {

bool IsPcmFormat(const TWaveFormat& F) {
  return (F.Channels == 1 || F.Channels == 2) && (F.BitsPerSample == 8 || F.BitsPerSample == 16) &&
         F.SamplesPerSec > 0;
}

struct TVirtualEntry {
  TVirtualSignal Signal;
  const char* Name;
};

// German names that say what each device produces.
constexpr TVirtualEntry VirtualDevices[] = {
    {TVirtualSignal::SineWithNoise, "Virtuell: Sinus 440 Hz mit leichtem Rauschen"},
    {TVirtualSignal::CountingRamp, "Virtuell: Zählrampe"},
};
constexpr int VirtualCount = static_cast<int>(std::size(VirtualDevices));

bool VirtualSupports(const TWaveFormat& F) {
  return F.SamplesPerSec == 11025 || F.SamplesPerSec == 22050 || F.SamplesPerSec == 44100;
}

}  // namespace

QStringList VirtualDeviceNames() {
  QStringList Names;
  for (const TVirtualEntry& E : VirtualDevices) Names << QString::fromUtf8(E.Name);
  return Names;
}

QStringList DeviceNames() { return QtDevices::Names() + VirtualDeviceNames(); }

Cardinal GetNumDevs() { return static_cast<Cardinal>(DeviceNames().size()); }

Integer GetDevName(Integer Index, QString& Name) {
  const QStringList Names = DeviceNames();
  if (Index < 0 || Index >= Names.size()) return MMSYSERR_BADDEVICEID;
  Name = Names[Index];
  return MMSYSERR_NOERROR;
}

Integer QueryFormat(Integer Index, const TWaveFormat& Format) {
  if (Index < 0) return MMSYSERR_BADDEVICEID;
  const Integer Real = static_cast<Integer>(QtDevices::Names().size());
  if (Index >= Real + VirtualCount) return MMSYSERR_BADDEVICEID;
  if (!IsPcmFormat(Format)) return WAVERR_BADFORMAT;
  if (Index < Real) return QtDevices::QueryFormat(Index, Format);
  return VirtualSupports(Format) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}

Integer Open(Integer Index, const TWaveFormat& Format, TMessageWindow* Window,
             std::unique_ptr<TWaveInDevice>& Device) {
  Integer R = QueryFormat(Index, Format);
  if (R != MMSYSERR_NOERROR) return R;
  const Integer Real = static_cast<Integer>(QtDevices::Names().size());
  std::unique_ptr<TWaveInDevice> Opened;
  if (Index < Real) {
    R = QtDevices::Open(Index, Format, Window, Opened);
    if (R != MMSYSERR_NOERROR) return R;
  } else {
    Opened = std::make_unique<TVirtualWaveInDevice>(VirtualDevices[Index - Real].Signal, Format, Window);
  }
  if (Window) Window->Post(WIM_OPEN, nullptr);
  Device = std::move(Opened);
  return MMSYSERR_NOERROR;
}

}  // namespace quellix::WaveIn
