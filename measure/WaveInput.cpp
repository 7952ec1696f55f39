#include "quellix/measure/WaveInput.h"

#include <QDebug>
#include <QMetaObject>
#include <algorithm>
#include <cstring>
#include <new>

namespace quellix::WaveIn {

QString ErrorText(Integer Result) {
  switch (Result) {
    case MMSYSERR_NOERROR: return QStringLiteral("Kein Fehler.");
    case MMSYSERR_ERROR: return QStringLiteral("Unbekannter Fehler des Aufnahmegeräts.");
    case MMSYSERR_BADDEVICEID: return QStringLiteral("Die angegebene Geräte-ID liegt außerhalb des gültigen Bereichs.");
    case MMSYSERR_ALLOCATED: return QStringLiteral("Das Gerät wird bereits verwendet.");
    case MMSYSERR_NOMEM: return QStringLiteral("Zu wenig Speicher für diesen Vorgang.");
    case MMSYSERR_INVALPARAM: return QStringLiteral("Ungültiger Parameter.");
    case WAVERR_BADFORMAT: return QStringLiteral("Das Gerät unterstützt dieses Aufnahmeformat nicht.");
    case WAVERR_STILLPLAYING: return QStringLiteral("Der Puffer befindet sich noch in der Warteschlange.");
    default: return QStringLiteral("Unbekannter Fehlercode %1.").arg(Result);
  }
}

// ---------------------------------------------------------------------------
// TWaveBuffer

std::unique_ptr<TWaveBuffer> TWaveBuffer::Allocate(std::int64_t Bytes) {
  if (Bytes < 0 || static_cast<std::uint64_t>(Bytes) > UINT32_MAX) return nullptr;
  std::unique_ptr<TWaveBuffer> B(new (std::nothrow) TWaveBuffer);
  if (!B) return nullptr;
  if (Bytes > 0) {
    B->Data.reset(new (std::nothrow) Byte[static_cast<std::size_t>(Bytes)]());
    if (!B->Data) return nullptr;
  }
  B->Length = static_cast<Cardinal>(Bytes);
  return B;
}

// ---------------------------------------------------------------------------
// TNoticeQueue

TNoticeQueue::TNoticeQueue(THandler Handler) : FHandler(std::move(Handler)) {}

TNoticeQueue::~TNoticeQueue() = default;

void TNoticeQueue::Post(const TWaveNotice& Notice) {
  FQueue.push_back(Notice);
  if (FScheduled) return;
  FScheduled = true;
  // Queued on this object: the call is dropped if the queue goes first.
  QMetaObject::invokeMethod(this, &TNoticeQueue::DeliverQueued, Qt::QueuedConnection);
}

void TNoticeQueue::ProcessPending() {
  // A handler may delete this queue (its owner went); then nothing of it
  // may be touched any more.
  QPointer<TNoticeQueue> Self(this);
  while (Self && !FQueue.empty()) {
    const TWaveNotice N = FQueue.front();
    FQueue.pop_front();
    // A copy: the handler may free the queue and with it FHandler.
    if (const THandler Handler = FHandler) Handler(N);
  }
}

void TNoticeQueue::Forget(const TWaveBuffer* Buffer) {
  std::erase_if(FQueue, [Buffer](const TWaveNotice& N) { return N.Buffer == Buffer; });
}

void TNoticeQueue::DeliverQueued() {
  FScheduled = false;
  try {
    ProcessPending();
  } catch (const std::exception& E) {
    // Handlers report their own failures; this is the last net under the
    // event loop, which exceptions must not cross.
    qWarning("Quellix: Fehler bei der Audio-Benachrichtigung: %s", E.what());
  } catch (...) {
    qWarning("Quellix: unbekannter Fehler bei der Audio-Benachrichtigung");
  }
}

// ---------------------------------------------------------------------------
// TBacklog

void TBacklog::SetCapacity(std::size_t Bytes) {
  if (Bytes == FRing.size()) return;
  std::vector<Byte> Old(FSize);
  Pop(Old.data(), Old.size());
  FRing.assign(Bytes, 0);
  // The newest bytes that fit stay.
  const std::size_t Keep = std::min(Old.size(), Bytes);
  if (Keep > 0) Push(Old.data() + Old.size() - Keep, Keep, 1);
}

std::size_t TBacklog::Push(const Byte* Data, std::size_t Bytes, std::size_t Unit) {
  const std::size_t Cap = FRing.size();
  if (Cap == 0) return Bytes;
  if (Unit == 0) Unit = 1;
  std::size_t Dropped = 0;
  if (Bytes > Cap) {
    // More than the whole backlog: only the newest whole units stay.
    std::size_t Skip = Bytes - Cap;
    Skip += (Unit - Skip % Unit) % Unit;
    Dropped = FSize + Skip;
    FHead = FSize = 0;
    Data += Skip;
    Bytes -= std::min(Skip, Bytes);
  } else if (FSize + Bytes > Cap) {
    std::size_t Drop = FSize + Bytes - Cap;
    Drop += (Unit - Drop % Unit) % Unit;
    Drop = std::min(Drop, FSize);
    FHead = (FHead + Drop) % Cap;
    FSize -= Drop;
    Dropped = Drop;
  }
  // Copy in at most two pieces around the end of the ring.
  while (Bytes > 0) {
    const std::size_t Tail = (FHead + FSize) % Cap;
    const std::size_t N = std::min(Bytes, Cap - Tail);
    std::memcpy(FRing.data() + Tail, Data, N);
    FSize += N;
    Data += N;
    Bytes -= N;
  }
  return Dropped;
}

std::size_t TBacklog::Pop(Byte* Out, std::size_t Bytes) {
  const std::size_t Total = std::min(Bytes, FSize);
  std::size_t Left = Total;
  while (Left > 0) {
    const std::size_t N = std::min(Left, FRing.size() - FHead);
    std::memcpy(Out, FRing.data() + FHead, N);
    Out += N;
    Left -= N;
    FHead = (FHead + N) % FRing.size();
    FSize -= N;
  }
  if (FSize == 0) FHead = 0;
  return Total;
}

// ---------------------------------------------------------------------------
// TWaveInDevice

TWaveInDevice::TWaveInDevice(const TWaveFormat& Format, TNoticeQueue* Notices)
    : FFormat(Format), FNotices(Notices) {
  SetBacklogLimit(Format.AvgBytesPerSec());
}

TWaveInDevice::~TWaveInDevice() {
  // The buffers stay with their owner; they are simply no longer queued.
  for (TWaveBuffer* B : FQueue) B->Queued = false;
  FQueue.clear();
  Post(TWaveNoticeKind::Closed);
}

void TWaveInDevice::StopForClose() {
  if (FRecording) StopCapture();
  FRecording = false;
}

void TWaveInDevice::Post(TWaveNoticeKind Kind, TWaveBuffer* Buffer) {
  if (FNotices) FNotices->Post({Kind, this, Buffer});
}

void TWaveInDevice::SetBacklogLimit(std::size_t Bytes) {
  const std::size_t Frame = std::max<std::size_t>(FFormat.BlockAlign(), 1);
  FBacklog.SetCapacity(Bytes / Frame * Frame);
}

std::uint64_t TWaveInDevice::TakeDroppedBytes() {
  const std::uint64_t N = FDropped;
  FDropped = 0;
  FOverrunPosted = false;
  return N;
}

Integer TWaveInDevice::AddBuffer(TWaveBuffer* Buffer) {
  if (!Buffer) return MMSYSERR_INVALPARAM;
  if (Buffer->Queued) return WAVERR_STILLPLAYING;
  if (!Buffer->Data || Buffer->Length == 0) return MMSYSERR_INVALPARAM;
  Buffer->Queued = true;
  Buffer->BytesRecorded = 0;
  FQueue.push_back(Buffer);
  // Bytes wait in the backlog only while no buffer is queued, so this is
  // the only buffer in the queue and the backlog's bytes come first.
  if (!FBacklog.Empty()) {
    Buffer->BytesRecorded = static_cast<Cardinal>(FBacklog.Pop(Buffer->Data.get(), Buffer->Length));
    if (Buffer->BytesRecorded == Buffer->Length || !FRecording) ReturnFront();
  }
  return MMSYSERR_NOERROR;
}

bool TWaveInDevice::Unqueue(TWaveBuffer* Buffer) {
  auto It = std::find(FQueue.begin(), FQueue.end(), Buffer);
  if (It == FQueue.end() || Buffer->BytesRecorded != 0) return false;
  FQueue.erase(It);
  Buffer->Queued = false;
  return true;
}

Integer TWaveInDevice::Start() {
  if (FRecording) return MMSYSERR_NOERROR;
  if (FLost) return MMSYSERR_BADDEVICEID;
  const Integer R = StartCapture();
  if (R == MMSYSERR_NOERROR) FRecording = true;
  return R;
}

Integer TWaveInDevice::Reset() {
  // What the implementation still holds is recorded before the buffers go.
  if (FRecording) StopCapture();
  FRecording = false;
  while (!FQueue.empty()) ReturnFront();
  return MMSYSERR_NOERROR;
}

void TWaveInDevice::ReturnFront() {
  TWaveBuffer* B = FQueue.front();
  FQueue.pop_front();
  B->Queued = false;
  Post(TWaveNoticeKind::Data, B);
}

void TWaveInDevice::Record(const Byte* Data, std::size_t Bytes) {
  if (!FRecording) return;
  while (Bytes > 0 && !FQueue.empty()) {
    TWaveBuffer* B = FQueue.front();
    const std::size_t N = std::min<std::size_t>(B->Length - B->BytesRecorded, Bytes);
    std::memcpy(B->Data.get() + B->BytesRecorded, Data, N);
    B->BytesRecorded += static_cast<Cardinal>(N);
    Data += N;
    Bytes -= N;
    if (B->BytesRecorded == B->Length) ReturnFront();
  }
  if (Bytes == 0 || FBacklog.Capacity() == 0) return;
  Overrun(FBacklog.Push(Data, Bytes, FFormat.BlockAlign()));
}

void TWaveInDevice::Overrun(std::uint64_t Bytes) {
  if (Bytes == 0) return;
  FDropped += Bytes;
  if (!FOverrunPosted) {
    FOverrunPosted = true;
    Post(TWaveNoticeKind::Overrun);
  }
}

void TWaveInDevice::Lose() {
  if (FLost) return;
  FLost = true;
  if (FRecording) StopCapture();
  FRecording = false;
  Post(TWaveNoticeKind::Lost);
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
  bool Plugged = true;
};

// German names that say what each device produces.
TVirtualEntry VirtualDevices[] = {
    {TVirtualSignal::SineWithNoise, "Virtuell: Sinus 440 Hz mit leichtem Rauschen"},
    {TVirtualSignal::CountingRamp, "Virtuell: Zählrampe"},
};

// The open virtual devices, so that unplugging reaches them.
std::vector<std::pair<TVirtualEntry*, TVirtualWaveInDevice*>>& OpenVirtual() {
  static std::vector<std::pair<TVirtualEntry*, TVirtualWaveInDevice*>> Open;
  return Open;
}

bool VirtualSupports(const TWaveFormat& F) {
  return F.SamplesPerSec == 11025 || F.SamplesPerSec == 22050 || F.SamplesPerSec == 44100;
}

TVirtualEntry* FindVirtual(const QString& Name) {
  for (TVirtualEntry& E : VirtualDevices)
    if (E.Plugged && QString::fromUtf8(E.Name) == Name) return &E;
  return nullptr;
}

// A virtual device that tells the list when it closes.
class TListedVirtualDevice : public TVirtualWaveInDevice {
public:
  TListedVirtualDevice(TVirtualEntry* Entry, const TWaveFormat& Format, TNoticeQueue* Notices)
      : TVirtualWaveInDevice(Entry->Signal, Format, Notices) {
    OpenVirtual().push_back({Entry, this});
  }
  ~TListedVirtualDevice() override {
    std::erase_if(OpenVirtual(), [this](const auto& P) { return P.second == this; });
  }
};

}  // namespace

void SetVirtualDevicePlugged(const QString& Name, bool Plugged) {
  for (TVirtualEntry& E : VirtualDevices) {
    if (QString::fromUtf8(E.Name) != Name) continue;
    E.Plugged = Plugged;
    if (Plugged) continue;
    for (const auto& [Entry, Device] : OpenVirtual())
      if (Entry == &E) Device->Unplug();
  }
}

QStringList UniqueNames(const QStringList& Names) {
  QStringList Result;
  for (const QString& N : Names) {
    QString Name = N;
    for (int K = 2; Result.contains(Name); ++K) Name = QStringLiteral("%1 (%2)").arg(N).arg(K);
    Result << Name;
  }
  return Result;
}

QStringList VirtualDeviceNames() {
  QStringList Names;
  for (const TVirtualEntry& E : VirtualDevices) Names << QString::fromUtf8(E.Name);
  return Names;
}

QStringList DeviceNames() {
  QStringList Names = QtDevices::Names();
  for (const TVirtualEntry& E : VirtualDevices)
    if (E.Plugged) Names << QString::fromUtf8(E.Name);
  return Names;
}

Cardinal GetNumDevs() { return static_cast<Cardinal>(DeviceNames().size()); }

Integer GetDevName(Integer Index, QString& Name) {
  const QStringList Names = DeviceNames();
  if (Index < 0 || Index >= Names.size()) return MMSYSERR_BADDEVICEID;
  Name = Names[Index];
  return MMSYSERR_NOERROR;
}

Integer FindDevice(const QString& Name) {
  return static_cast<Integer>(DeviceNames().indexOf(Name));
}

Integer QueryFormat(const QString& Name, const TWaveFormat& Format) {
  if (FindVirtual(Name)) return IsPcmFormat(Format) && VirtualSupports(Format) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
  if (!QtDevices::Names().contains(Name)) return MMSYSERR_BADDEVICEID;
  if (!IsPcmFormat(Format)) return WAVERR_BADFORMAT;
  return QtDevices::QueryFormat(Name, Format);
}

Integer Open(const QString& Name, const TWaveFormat& Format, TNoticeQueue* Notices,
             std::unique_ptr<TWaveInDevice>& Device) {
  Integer R = QueryFormat(Name, Format);
  if (R != MMSYSERR_NOERROR) return R;
  std::unique_ptr<TWaveInDevice> Opened;
  if (TVirtualEntry* E = FindVirtual(Name)) {
    Opened = std::make_unique<TListedVirtualDevice>(E, Format, Notices);
  } else {
    R = QtDevices::Open(Name, Format, Notices, Opened);
    if (R != MMSYSERR_NOERROR) return R;
  }
  if (Notices) Notices->Post({TWaveNoticeKind::Opened, Opened.get()});
  Device = std::move(Opened);
  return MMSYSERR_NOERROR;
}

}  // namespace quellix::WaveIn
