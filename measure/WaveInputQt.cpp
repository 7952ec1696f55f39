// Real capture devices through Qt Multimedia. QAudioSource runs in push
// mode on the GUI thread: its readyRead hands the captured bytes to the
// queued buffers.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include "quellix/measure/WaveInput.h"

namespace quellix::WaveIn {

namespace {

QAudioFormat ToQt(const TWaveFormat& F) {
  QAudioFormat Q;
  Q.setSampleRate(static_cast<int>(F.SamplesPerSec));
  Q.setChannelCount(F.Channels);
  Q.setSampleFormat(F.BitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  return Q;
}

class TQtWaveInDevice : public TWaveInDevice {
public:
  TQtWaveInDevice(const QAudioDevice& Device, const TWaveFormat& Format, TMessageWindow* Window)
      : TWaveInDevice(Format, Window), FSource(std::make_unique<QAudioSource>(Device, ToQt(Format))) {}
  ~TQtWaveInDevice() override { StopForClose(); }

protected:
  Integer StartCapture() override {
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
    if (FIO) Drain();
    FSource->stop();  // deletes FIO and with it the connection
    FIO = nullptr;
  }

private:
  void Drain() {
    const QByteArray Bytes = FIO->readAll();
    if (!Bytes.isEmpty()) Record(reinterpret_cast<const Byte*>(Bytes.constData()), static_cast<std::size_t>(Bytes.size()));
  }

  std::unique_ptr<QAudioSource> FSource;
  QIODevice* FIO = nullptr;
};

}  // namespace

namespace QtDevices {

QStringList Names() {
  QStringList Result;
  for (const QAudioDevice& D : QMediaDevices::audioInputs()) Result << D.description();
  return Result;
}

Integer QueryFormat(Integer Index, const TWaveFormat& Format) {
  const QList<QAudioDevice> Devices = QMediaDevices::audioInputs();
  if (Index < 0 || Index >= Devices.size()) return MMSYSERR_BADDEVICEID;
  return Devices[Index].isFormatSupported(ToQt(Format)) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}

Integer Open(Integer Index, const TWaveFormat& Format, TMessageWindow* Window,
             std::unique_ptr<TWaveInDevice>& Device) {
  const QList<QAudioDevice> Devices = QMediaDevices::audioInputs();
  if (Index < 0 || Index >= Devices.size()) return MMSYSERR_BADDEVICEID;
  if (!Devices[Index].isFormatSupported(ToQt(Format))) return WAVERR_BADFORMAT;
  Device = std::make_unique<TQtWaveInDevice>(Devices[Index], Format, Window);
  return MMSYSERR_NOERROR;
}

}  // namespace QtDevices

}  // namespace quellix::WaveIn
