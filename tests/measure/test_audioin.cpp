#include <gtest/gtest.h>

#include <QMetaClassInfo>
#include <QMetaObject>

#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"
#include "measure_helpers.h"

using namespace measuretest;
using namespace quellix::audioin;
using namespace quellix::WaveIn;
using quellix::dataevent::TDataEvent;

namespace {

const QString Ramp = QStringLiteral("Virtuell: Zählrampe");
const QString Sine = QStringLiteral("Virtuell: Sinus 440 Hz mit leichtem Rauschen");

// A block as a sink saw it, copied.
struct TSeen {
  Extended Duration;
  Integer ChannelCount;
  std::vector<std::vector<Single>> Channels;
};

TSeen Copy(const TDescArraySingle& D) {
  TSeen S{D.Duration, D.ChannelCount, {}};
  for (int C = 0; C < D.ChannelCount; ++C)
    S.Channels.emplace_back(D.Channels[C].Values, D.Channels[C].Values + D.Channels[C].Count);
  return S;
}

class AudioIn : public ::testing::Test {
protected:
  void SetUp() override {
    SetVirtualClock(false);  // buffers are filled by Produce only
    Events.OnData = [this](TObject*, TDescArraySingle& D) { Blocks.push_back(Copy(D)); };
  }
  // Selects the ramp device, connects the data event and starts.
  void StartRamp(TAIMode M = tam_Mono, TAIResolution R = taw_8Bit) {
    Source.SetDevice(Ramp);
    Source.SetMode(M);
    Source.SetResolution(R);
    Events.SetMeasureSource(&Source);
    Source.Start();
  }
  TVirtualWaveInDevice& Device() {
    auto* D = dynamic_cast<TVirtualWaveInDevice*>(Source.WaveDevice());
    EXPECT_NE(D, nullptr);
    return *D;
  }
  TAudioIn Source;
  TDataEvent Events;
  std::vector<TSeen> Blocks;
};

}  // namespace

TEST_F(AudioIn, DefaultsAndPropertyRules) {
  EXPECT_EQ(Source.Device(), QString());
  EXPECT_EQ(Source.DeviceIndex(), -2);
  EXPECT_EQ(Source.BufferCount(), 3);
  EXPECT_EQ(Source.BufferSize(), 1024);
  EXPECT_EQ(Source.ClockFrequency(), taf_11025);
  EXPECT_EQ(Source.Mode(), tam_Mono);
  EXPECT_EQ(Source.Resolution(), taw_8Bit);
  EXPECT_FALSE(Source.Burst());
  const QMetaObject* M = Source.metaObject();
  EXPECT_EQ(QString::fromLatin1(M->classInfo(M->indexOfClassInfo("default:ClockFrequency")).value()),
            QStringLiteral("taf_11025"));
  EXPECT_EQ(M->indexOfClassInfo("default:Device"), -1);  // always stored

  struct Row {
    const char* Name;
    Integer Set, Read;
  } Rows[] = {{"odd rounds down", 1025, 1024}, {"even kept", 2048, 2048}, {"odd negative", -3, -4}};
  for (const Row& R : Rows) {
    Source.SetBufferSize(R.Set);
    EXPECT_EQ(Source.BufferSize(), R.Read) << R.Name;
  }
  Source.SetVersion(QStringLiteral("V9"));
  EXPECT_EQ(Source.Version(), QStringLiteral("V2.50"));
}

TEST_F(AudioIn, DeviceListAndSelection) {
  const QStringList Names = TAudioIn::DeviceNames();
  ASSERT_GE(Names.size(), 2);
  EXPECT_EQ(Names.mid(Names.size() - 2), VirtualDeviceNames());  // virtual ones last
  QString First;
  EXPECT_EQ(GetDevName(0, First), MMSYSERR_NOERROR);
  EXPECT_EQ(GetDevName(Names.size(), First), MMSYSERR_BADDEVICEID);

  // Stop without an open device has nothing to end.
  EXPECT_NO_THROW(Source.Stop());
  EXPECT_TRUE(Source.Stopping());
  // Without a device, Start fails with the layer's code and text.
  try {
    Source.Start();
    FAIL() << "no device selected";
  } catch (const EAudioIn& E) {
    EXPECT_EQ(E.ErrorCode(), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(E.Message(), ErrorText(MMSYSERR_BADDEVICEID));
  }

  Source.SetDevice(Ramp);
  EXPECT_EQ(Source.DeviceIndex(), Names.indexOf(Ramp));
  // An unknown name keeps the text but leaves no device selected.
  Source.SetDevice(QStringLiteral("Kein solches Gerät"));
  EXPECT_EQ(Source.Device(), Ramp);
  EXPECT_EQ(Source.DeviceIndex(), -2);
  EXPECT_THROW(Source.Start(), EAudioIn);
}

TEST_F(AudioIn, FormatChangesAskTheDeviceAndAnnounce) {
  TMeasureLink Link(nullptr);
  int Announced = 0;
  Link.OnSourceChanged = [&](TObject*) { ++Announced; };
  Link.SetSource(&Source);
  ASSERT_EQ(Announced, 1);

  // No device: the query fails, the value stays.
  EXPECT_THROW(Source.SetMode(tam_Stereo), EAudioIn);
  EXPECT_EQ(Source.Mode(), tam_Mono);
  // While loading from a stream the failure is ignored; the value still stays.
  Source.BeginLoading();
  EXPECT_NO_THROW(Source.SetMode(tam_Stereo));
  EXPECT_NO_THROW(Source.Start());
  Source.Loaded();
  EXPECT_EQ(Source.Mode(), tam_Mono);
  EXPECT_EQ(Announced, 1);

  Source.SetDevice(Ramp);
  EXPECT_EQ(Announced, 2);
  Source.SetClockFrequency(taf_44100);
  Source.SetClockFrequency(taf_44100);  // same value: nothing
  EXPECT_EQ(Announced, 3);
  EXPECT_EQ(Source.ClockFrequency(), taf_44100);
  EXPECT_TRUE(Source.Capabilities().Contains(mcOneChannel));
  Source.SetMode(tam_Stereo);
  EXPECT_EQ(Source.Capabilities(), (TMeasureCapabilities{mcValues, mcReserved, mcBlocks, mcMultiChannel}));
}

TEST_F(AudioIn, Mono8BitBufferScalesAndTimes) {
  StartRamp();
  Source.ProcessMessages();
  EXPECT_EQ(Source.State(), msOpened);
  Device().Produce(1024);
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 1u);
  const TSeen& B = Blocks[0];
  ASSERT_EQ(B.ChannelCount, 1);
  ASSERT_EQ(B.Channels[0].size(), 1024u);
  EXPECT_NEAR(double(B.Duration), 1024.0 / 11025, 1e-15);
  // Samples 0, 128, 255 of the ramp, and the wrap back to 0.
  EXPECT_EQ(B.Channels[0][0], -1.0f);
  EXPECT_EQ(B.Channels[0][128], 0.0f);
  EXPECT_EQ(B.Channels[0][255], 0.9921875f);
  EXPECT_EQ(B.Channels[0][256], -1.0f);
}

TEST_F(AudioIn, Stereo16BitSplitsChannelsAndDescribesItself) {
  StartRamp(tam_Stereo, taw_16Bit);
  TMeasureSourceInfo Info{};
  Source.GetInfo(Info);
  EXPECT_EQ(Info.ChannelCount, 2);
  EXPECT_EQ(Info.ChannelLength[0], 512);
  EXPECT_EQ(Info.ChannelLength[1], 512);
  EXPECT_EQ(Info.BlockLength, 512);
  EXPECT_NEAR(double(Info.Duration), 512.0 / 11025, 1e-15);
  EXPECT_EQ(Info.ValueMin, -1.0f);
  EXPECT_EQ(Info.ValueMax, 1.0f);

  Device().Produce(512);  // 512 frames = 1024 values
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 1u);
  ASSERT_EQ(Blocks[0].ChannelCount, 2);
  ASSERT_EQ(Blocks[0].Channels[0].size(), 512u);
  ASSERT_EQ(Blocks[0].Channels[1].size(), 512u);
  // The block's Duration counts all values: twice what GetInfo reports.
  EXPECT_NEAR(double(Blocks[0].Duration), 1024.0 / 11025, 1e-15);
  for (int I = 0; I < 512; ++I) {
    ASSERT_EQ(Blocks[0].Channels[0][I], Single(2 * I / 65536.0)) << I;
    ASSERT_EQ(Blocks[0].Channels[1][I], Single((2 * I + 1) / 65536.0)) << I;
  }
}

TEST_F(AudioIn, SixteenBitFullScaleIsHalf) {
  Source.SetBufferSize(65536);
  StartRamp(tam_Mono, taw_16Bit);
  Device().Produce(65536);
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(Blocks[0].Channels[0][32767], 0.49998474f);  // 32767 / 65536
  EXPECT_EQ(Blocks[0].Channels[0][32768], -0.5f);        // −32768 / 65536
}

TEST_F(AudioIn, StopReturnsPartlyFilledAndEmptyBuffers) {
  StartRamp();
  Device().Produce(1024 + 100);
  Source.Stop();
  EXPECT_TRUE(Source.Stopping());
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 3u);
  EXPECT_EQ(Blocks[0].Channels[0].size(), 1024u);
  ASSERT_EQ(Blocks[1].ChannelCount, 1);
  EXPECT_EQ(Blocks[1].Channels[0].size(), 100u);
  EXPECT_NEAR(double(Blocks[1].Duration), 100.0 / 11025, 1e-15);
  EXPECT_EQ(Blocks[1].Channels[0][0], Single((1024 % 256) / 128.0 - 1));  // continues the ramp
  EXPECT_EQ(Blocks[2].ChannelCount, 0);  // recorded nothing
  // Continuous mode: every buffer is queued again.
  EXPECT_EQ(Source.WaveDevice()->QueuedCount(), 3);
}

TEST_F(AudioIn, BurstReleasesAndContinuousRequeues) {
  struct Row {
    const char* Name;
    bool Burst;
    int Queued, Total;
  } Rows[] = {{"continuous re-queues", false, 2, 2}, {"burst uses each buffer once", true, 0, 0}};
  for (const Row& R : Rows) {
    TAudioIn A;
    int Count = 0;
    A.OnBufferDone = [&](TObject* Sender, TDescArraySingle& D) {
      EXPECT_EQ(Sender, &A);
      EXPECT_EQ(D.ChannelCount, 1);  // built without any link
      ++Count;
    };
    A.SetDevice(Ramp);
    A.SetBufferCount(2);
    A.SetBurst(R.Burst);
    A.Start();
    dynamic_cast<TVirtualWaveInDevice*>(A.WaveDevice())->Produce(3 * 1024);
    A.ProcessMessages();
    EXPECT_EQ(Count, 2) << R.Name;  // the third buffer's worth found no buffer
    EXPECT_EQ(A.WaveDevice()->QueuedCount(), R.Queued) << R.Name;
    EXPECT_EQ(A.BufferTotal(), R.Total) << R.Name;
    A.OnBufferDone = nullptr;  // destruction returns the queued buffers empty
  }
}

TEST_F(AudioIn, EachStartStopCycleAddsBufferCountBuffers) {
  for (bool Burst : {false, true}) {
    TAudioIn A;
    A.SetDevice(Ramp);
    A.SetBurst(Burst);  // buffers returned while stopping are kept in both modes
    for (int K = 1; K <= 4; ++K) {
      A.Start();
      A.Stop();
      A.ProcessMessages();
      EXPECT_EQ(A.WaveDevice()->QueuedCount(), 3 * K) << "burst " << Burst;
    }
  }
}

TEST_F(AudioIn, BufferMemoryFailuresCarryTheirMessages) {
  Source.SetDevice(Ramp);
  struct Row {
    Integer Size;
    const char* Message;
  } Rows[] = {{-2, "TAudioIn: Zu wenig Speicher frei"}, {0, "TAudioIn: Speicher konnte nicht gelockt werden"}};
  for (const Row& R : Rows) {
    Source.SetBufferSize(R.Size);
    try {
      Source.Start();
      FAIL() << R.Size;
    } catch (const EOutOfMemory& E) {
      EXPECT_EQ(E.Message(), QString::fromUtf8(R.Message));
    }
    EXPECT_EQ(Source.BufferTotal(), 0);
  }
}

TEST_F(AudioIn, SingleValueSinkRefusesTheSource) {
  // A sink that shows one value owns a single-value link.
  TComponent Sink;
  TMeasureLinkSingleValue Link(&Sink);
  try {
    Link.SetSource(&Source);
    FAIL() << "accepted";
  } catch (const EMSIncompatibleSource& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Komponente kann nur Einzelwerte aus Kanal 0 verarbeiten!"));
  }
  EXPECT_EQ(Link.Source(), nullptr);
  EXPECT_EQ(Source.LinkCount(), 0);
}

TEST_F(AudioIn, FailingSinkKeepsTheRingWhole) {
  StartRamp();
  Events.OnData = [](TObject*, TDescArraySingle&) { throw Exception(QStringLiteral("Senke defekt")); };
  Device().Produce(1024);
  EXPECT_THROW(Source.ProcessMessages(), Exception);
  EXPECT_EQ(Source.WaveDevice()->QueuedCount(), 3);
}

TEST_F(AudioIn, ChangingDeviceOrFormatWhileOpenReopens) {
  std::vector<TMeasureSourceState> States;
  Events.OnChangedState = [&](TObject*, TMeasureSourceState S) { States.push_back(S); };
  StartRamp();
  Device().Produce(10);
  // The partly filled buffer reaches the sink before the device closes.
  Source.SetDevice(Sine);
  EXPECT_EQ(Source.WaveDevice(), nullptr);
  ASSERT_EQ(Blocks.size(), 3u);
  EXPECT_EQ(Blocks[0].Channels[0].size(), 10u);
  Source.ProcessMessages();
  EXPECT_EQ(States, (std::vector<TMeasureSourceState>{msOpened, msClosed}));

  Source.Start();
  Source.SetResolution(taw_16Bit);
  EXPECT_EQ(Source.WaveDevice(), nullptr);
  Source.Start();
  EXPECT_EQ(Source.WaveDevice()->Format().BitsPerSample, 16);
}

TEST_F(AudioIn, DestructionDeliversTheLastPartialBlock) {
  auto* A = new TAudioIn;
  A->SetDevice(Ramp);
  Events.SetMeasureSource(A);
  A->Start();
  dynamic_cast<TVirtualWaveInDevice*>(A->WaveDevice())->Produce(300);
  delete A;
  ASSERT_EQ(Blocks.size(), 3u);
  EXPECT_EQ(Blocks[0].Channels[0].size(), 300u);
  EXPECT_EQ(Events.MeasureSource(), nullptr);
}

TEST_F(AudioIn, SineDeviceProducesSineAndCosine) {
  Source.SetDevice(Sine);
  Source.SetMode(tam_Stereo);
  Source.SetResolution(taw_16Bit);
  Source.SetClockFrequency(taf_44100);
  Events.SetMeasureSource(&Source);
  Source.Start();
  Device().Produce(512);
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 1u);
  // 0.5 full scale, read with 1/65536: amplitude 0.25; noise at most 0.01.
  for (int I = 0; I < 512; ++I) {
    const double Phase = 2 * M_PI * 440 * I / 44100;
    ASSERT_NEAR(Blocks[0].Channels[0][I], 0.25 * std::sin(Phase), 0.0101) << I;
    ASSERT_NEAR(Blocks[0].Channels[1][I], 0.25 * std::cos(Phase), 0.0101) << I;
  }
}
