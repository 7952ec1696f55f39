// Real capture devices through Qt Multimedia. QAudioSource runs in push
// mode on the GUI thread: its readyRead hands the captured bytes to the
// queued buffers and the backlog.
//
// A device that goes away while open is noticed by looking it up in the
// device list before every read and a few times a second: the sound server
// may move a stream whose device vanished to another input, and what is
// read after that must not count as the vanished device's recording.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include "quellix/measure/WaveInput.h"

namespace quellix::WaveIn {

namespace {

// How often an open device checks that it is still there, in ms.
constexpr int PresenceInterval = 200;

QAudioFormat ToQt(const TWaveFormat& F) {
  QAudioFormat Q;
  Q.setSampleRate(static_cast<int>(F.SamplesPerSec));
  Q.setChannelCount(F.Channels);
  Q.setSampleFormat(F.BitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  return Q;
}

// The input devices with the unique names the list shows.
struct TNamedDevice {
  QString Name;
  QAudioDevice Device;
};

std::vector<TNamedDevice> NamedDevices() {
  const QList<QAudioDevice> Devices = QMediaDevices::audioInputs();
  QStringList Descriptions;
  for (const QAudioDevice& D : Devices) Descriptions << D.description();
  const QStringList Names = UniqueNames(Descriptions);
  std::vector<TNamedDevice> Result;
  for (qsizetype I = 0; I < Devices.size(); ++I) Result.push_back({Names[I], Devices[I]});
  return Result;
}

bool FindNamed(const QString& Name, QAudioDevice& Device) {
  for (const TNamedDevice& D : NamedDevices())
    if (D.Name == Name) {
      Device = D.Device;
      return true;
    }
  return false;
}

class TQtWaveInDevice : public TWaveInDevice {
public:
  TQtWaveInDevice(const QAudioDevice& Device, const TWaveFormat& Format, TNoticeQueue* Notices)
      : TWaveInDevice(Format, Notices),
        FDevice(Device),
        FSource(std::make_unique<QAudioSource>(Device, ToQt(Format))) {
    QObject::connect(FSource.get(), &QAudioSource::stateChanged, FSource.get(), [this](QAudio::State State) {
      const QAudio::Error E = FSource->error();
      if (State == QAudio::StoppedState && (E == QAudio::IOError || E == QAudio::FatalError)) LoseLater();
    });
    FPresence.setInterval(PresenceInterval);
    QObject::connect(&FPresence, &QTimer::timeout, [this] { CheckPresence(); });
    FPresence.start();
  }
  ~TQtWaveInDevice() override {
    QObject::disconnect(FSource.get(), nullptr, nullptr, nullptr);
    FPresence.stop();
    StopForClose();
  }

protected:
  Integer StartCapture() override {
    if (!Present()) return MMSYSERR_BADDEVICEID;
    FIO = FSource->start();
    if (!FIO || FSource->error() != QAudio::NoError) {
      const Integer R = FSource->error() == QAudio::OpenError ? MMSYSERR_ALLOCATED : MMSYSERR_ERROR;
      FSource->stop();
      FIO = nullptr;
      return R;
    }
    QObject::connect(FIO, &QIODevice::readyRead, FIO, [this] { Drain(); });
    return MMSYSERR_NOERROR;
  }

  void StopCapture() override {
    if (FIO && Present()) Drain();
    FSource->stop();  // deletes FIO and with it the connection
    FIO = nullptr;
  }

private:
  bool Present() const { return QMediaDevices::audioInputs().contains(FDevice); }

  // Inside a signal of the audio source (its data or its state) the source
  // must not be stopped, which would delete the object sending the signal:
  // the loss is handled right after, unless the device is closed first.
  void LoseLater() {
    QTimer::singleShot(0, &FPresence, [this] { Lose(); });
  }

  void CheckPresence() {
    if (!IsLost() && !Present()) Lose();
  }

  void Drain() {
    if (!FIO) return;
    if (!Present()) {
      LoseLater();
      return;
    }
    const QByteArray Bytes = FIO->readAll();
    if (!Bytes.isEmpty()) Record(reinterpret_cast<const Byte*>(Bytes.constData()), static_cast<std::size_t>(Bytes.size()));
  }

  QAudioDevice FDevice;
  std::unique_ptr<QAudioSource> FSource;
  QIODevice* FIO = nullptr;
  QTimer FPresence;
};

}  // namespace

namespace QtDevices {

QStringList Names() {
  QStringList Result;
  for (const TNamedDevice& D : NamedDevices()) Result << D.Name;
  return Result;
}

Integer QueryFormat(const QString& Name, const TWaveFormat& Format) {
  QAudioDevice Device;
  if (!FindNamed(Name, Device)) return MMSYSERR_BADDEVICEID;
  return Device.isFormatSupported(ToQt(Format)) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}

Integer Open(const QString& Name, const TWaveFormat& Format, TNoticeQueue* Notices,
             std::unique_ptr<TWaveInDevice>& Device) {
  QAudioDevice Found;
  if (!FindNamed(Name, Found)) return MMSYSERR_BADDEVICEID;
  if (!Found.isFormatSupported(ToQt(Format))) return WAVERR_BADFORMAT;
  Device = std::make_unique<TQtWaveInDevice>(Found, Format, Notices);
  return MMSYSERR_NOERROR;
}

}  // namespace QtDevices

}  // namespace quellix::WaveIn
