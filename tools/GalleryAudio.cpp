// Gallery page of the audio window: recording from the test-signal device
// after a few buffers have arrived.
#include <cstdio>

#include "Gallery.h"
#include "quellix/app/AudioWindow.h"
#include "quellix/measure/WaveInput.h"

using namespace quellix;

QUELLIX_GALLERY_PAGE(Audio) {
  // The buffers are filled here, not by the real-time clock.
  WaveIn::SetVirtualClock(false);
  AudioIn_Unit::TAudio_Demo W;
  W.resize(760, 560);
  W.Play->click();
  auto* Device = dynamic_cast<WaveIn::TVirtualWaveInDevice*>(W.AudioIn1->WaveDevice());
  if (!Device) {
    // Device 0 is a sound card on this machine: show the test signal all the same.
    std::printf("Audio: device 0 is a sound card; recording the test signal instead\n");
    W.AudioIn1->Stop();
    W.AudioIn1->SetDevice(WaveIn::VirtualDeviceNames().value(0));
    W.AudioIn1->Start();
    W.SourceLabel->setText(QStringLiteral("Eingang: ") + W.AudioIn1->Device());
    Device = dynamic_cast<WaveIn::TVirtualWaveInDevice*>(W.AudioIn1->WaveDevice());
  }
  if (Device) {
    // Three buffers of 512 stereo frames and part of a fourth.
    for (int I = 0; I < 3; ++I) Device->Produce(512);
    Device->Produce(200);
    W.AudioIn1->ProcessMessages();
  }
  gallery::SaveWidget(&W, OutDir, "audio.png");
}
