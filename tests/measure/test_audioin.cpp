#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaClassInfo>
#include <QMetaObject>
#include <QtGlobal>

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

// The 8-bit mono ramp sample a value stands for (0 … 255).
int RampByte(Single V) { return static_cast<int>((V + 1) * 128); }

// Collects the qWarning lines of its lifetime.
class TWarnings {
public:
  TWarnings() {
    Lines().clear();
    FOld = qInstallMessageHandler([](QtMsgType T, const QMessageLogContext&, const QString& M) {
      if (T == QtWarningMsg) Lines() << M;
    });
  }
  ~TWarnings() { qInstallMessageHandler(FOld); }
  static QStringList& Lines() {
    static QStringList L;
    return L;
  }

private:
  QtMessageHandler FOld;
};

class AudioIn : public ::testing::Test {
protected:
  void SetUp() override {
    SetVirtualClock(false);  // buffers are filled by Produce only
    Events.OnData = [this](TObject*, TDescArraySingle& D) { Blocks.push_back(Copy(D)); };
    Source.OnError = [this](TObject* Sender, const QString& M) {
      EXPECT_EQ(Sender, &Source);
      Errors << M;
    };
  }
  void TearDown() override {
    for (const QString& N : VirtualDeviceNames()) SetVirtualDevicePlugged(N, true);
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
  // Every mono 8-bit value the sink saw, as ramp bytes, in order.
  std::vector<int> RampBytes() const {
    std::vector<int> All;
    for (const TSeen& B : Blocks)
      for (Single V : B.Channels.empty() ? std::vector<Single>{} : B.Channels[0]) All.push_back(RampByte(V));
    return All;
  }
  // Checks that the values count on by one from First (mod 256).
  static void ExpectRamp(const std::vector<int>& Bytes, int First) {
    for (size_t I = 0; I < Bytes.size(); ++I) ASSERT_EQ(Bytes[I], int((First + I) % 256)) << "value " << I;
  }

  std::vector<TSeen> Blocks;
  QStringList Errors;
  TAudioIn Source;
  TDataEvent Events;
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
  EXPECT_EQ(UniqueNames({"Mikrofon", "Line", "Mikrofon", "Mikrofon"}),
            (QStringList{"Mikrofon", "Line", "Mikrofon (2)", "Mikrofon (3)"}));

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
  // The name it still shows selects it again.
  Source.SetDevice(Ramp);
  EXPECT_EQ(Source.DeviceIndex(), Names.indexOf(Ramp));
  EXPECT_NO_THROW(Source.Start());
}

// The name is the device's identity: it is looked up again when the device
// opens, so a change of the list never makes the component record from
// another device.
TEST_F(AudioIn, DeviceIsFoundByNameWhenItOpens) {
  Source.SetDevice(Ramp);
  const Integer Selected = Source.DeviceIndex();
  SetVirtualDevicePlugged(Sine, false);  // the device before the ramp goes
  Events.SetMeasureSource(&Source);
  Source.Start();
  EXPECT_EQ(Source.DeviceIndex(), Selected - 1);
  Device().Produce(1024);
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 1u);
  ExpectRamp(RampBytes(), 0);  // the ramp, not another device's signal

  // A selected device that is gone when recording starts is named; once
  // it is back, the same name records again.
  SetVirtualDevicePlugged(Sine, true);
  TAudioIn Other;
  Other.SetDevice(Sine);
  SetVirtualDevicePlugged(Sine, false);
  EXPECT_EQ(Other.Device(), Sine);
  try {
    Other.Start();
    FAIL() << "started without its device";
  } catch (const EAudioIn& E) {
    EXPECT_EQ(E.ErrorCode(), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(E.Message(), QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht vorhanden.").arg(Sine));
  }
  SetVirtualDevicePlugged(Sine, true);  // back again: the same name works
  EXPECT_NO_THROW(Other.Start());
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

  Device().Produce(512 + 100);  // 512 frames = 1024 values, then 100 frames more
  Source.Stop();
  Source.ProcessMessages();
  ASSERT_EQ(Blocks.size(), 3u);
  ASSERT_EQ(Blocks[0].ChannelCount, 2);
  ASSERT_EQ(Blocks[0].Channels[0].size(), 512u);
  ASSERT_EQ(Blocks[0].Channels[1].size(), 512u);
  // A block spans its frames: the full one what GetInfo says, the partly
  // filled one its 100 frames.
  EXPECT_EQ(Blocks[0].Duration, Info.Duration);
  EXPECT_NEAR(double(Blocks[1].Duration), 100.0 / 11025, 1e-15);
  for (int I = 0; I < 512; ++I) {
    ASSERT_EQ(Blocks[0].Channels[0][I], Single(2 * I / 32768.0)) << I;
    ASSERT_EQ(Blocks[0].Channels[1][I], Single((2 * I + 1) / 32768.0)) << I;
  }
}

// Full scale of either resolution spans the −1 … +1 that GetInfo announces.
TEST_F(AudioIn, FullScaleSpansTheAnnouncedRange) {
  struct Row {
    const char* Name;
    TAIResolution Resolution;
    int Lowest, Highest;  // ramp positions of the smallest and largest sample
    Single Low, High;
  } Rows[] = {{"8 bit", taw_8Bit, 0, 255, -1.0f, 0.9921875f},
              {"16 bit", taw_16Bit, 32768, 32767, -1.0f, 0.999969482f}};
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    TAudioIn A;
    std::vector<Single> Values;
    A.OnBufferDone = [&](TObject*, TDescArraySingle& D) {
      Values.assign(D.Channels[0].Values, D.Channels[0].Values + D.Channels[0].Count);
    };
    A.SetDevice(Ramp);
    A.SetResolution(R.Resolution);
    A.SetBufferSize(65536);
    A.Start();
    dynamic_cast<TVirtualWaveInDevice*>(A.WaveDevice())->Produce(65536);
    A.ProcessMessages();
    ASSERT_EQ(Values.size(), 65536u);
    EXPECT_EQ(Values[R.Lowest], R.Low);
    EXPECT_EQ(Values[R.Highest], R.High);
    TMeasureSourceInfo Info{};
    A.GetInfo(Info);
    EXPECT_EQ(*std::min_element(Values.begin(), Values.end()), Info.ValueMin);
    EXPECT_LE(*std::max_element(Values.begin(), Values.end()), Info.ValueMax);
    A.OnBufferDone = nullptr;
  }
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

// The backend delivers in its own chunk sizes, often more than the queued
// buffers hold: the rest waits and fills the buffers as they come back.
TEST_F(AudioIn, ChunksLargerThanTheRingLoseNothing) {
  struct Row {
    const char* Name;
    std::vector<int> Chunks;  // frames per delivery of the device
  } Rows[] = {{"one chunk of ten buffers", {10 * 1024}},
              {"uneven chunks", {4500, 9000, 17, 6000, 1200}},
              {"chunks while every buffer is out", {}}};
  for (const Row& R : Rows) {
    SCOPED_TRACE(R.Name);
    Blocks.clear();
    TAudioIn A;
    A.SetDevice(Ramp);
    Events.SetMeasureSource(&A);
    A.Start();
    auto* D = dynamic_cast<TVirtualWaveInDevice*>(A.WaveDevice());
    int Total = 0;
    int Left = 20;  // lives as long as the handler below: the last blocks come after the if
    if (R.Chunks.empty()) {
      // The sink is slow: each block it handles, the device records more.
      Events.OnData = [&](TObject*, TDescArraySingle& Data) {
        Blocks.push_back(Copy(Data));
        if (Left-- > 0) {
          D->Produce(1500);
          Total += 1500;
        }
      };
      D->Produce(1024);
      Total += 1024;
    }
    for (int N : R.Chunks) {
      D->Produce(N);
      Total += N;
      A.ProcessMessages();
    }
    A.ProcessMessages();
    A.Stop();
    A.ProcessMessages();
    const std::vector<int> Bytes = RampBytes();
    EXPECT_EQ(int(Bytes.size()), Total);
    ExpectRamp(Bytes, 0);
    EXPECT_EQ(A.OverrunCount(), 0u);
    EXPECT_EQ(A.BufferTotal(), 3);
    Events.OnData = [this](TObject*, TDescArraySingle& D) { Blocks.push_back(Copy(D)); };
    Events.SetMeasureSource(nullptr);
  }
}

// Only a program that falls behind by more than one second loses audio:
// the oldest goes, is counted and reported, and the rest arrives in order.
TEST_F(AudioIn, BacklogOverrunDropsTheOldestAndReportsIt) {
  StartRamp();
  const int Second = 11025;  // one second of 8-bit mono at 11025/s
  EXPECT_EQ(Device().BacklogLimit(), std::size_t(Second));
  Device().Produce(3 * 1024 + Second + 500);
  Device().Produce(300);  // still behind: the same overrun grows
  EXPECT_EQ(Device().BacklogBytes(), std::size_t(Second));
  Source.ProcessMessages();
  EXPECT_EQ(Source.OverrunCount(), 800u);
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_EQ(Errors[0], QStringLiteral("TAudioIn: Pufferüberlauf, 800 Abtastwerte gingen verloren. Die Anwendung "
                                      "hat die Daten nicht schnell genug abgeholt."));
  Source.Stop();
  Source.ProcessMessages();
  const std::vector<int> Bytes = RampBytes();
  ASSERT_EQ(int(Bytes.size()), 3 * 1024 + Second);
  // The three buffers, then the newest second: the 800 oldest after the
  // buffers are the ones that went.
  ExpectRamp({Bytes.begin(), Bytes.begin() + 3 * 1024}, 0);
  ExpectRamp({Bytes.begin() + 3 * 1024, Bytes.end()}, (3 * 1024 + 800) % 256);
  // Caught up: the next overrun is reported anew.
  Source.Start();
  Device().Produce(3 * 1024 + Second + 10);
  Source.ProcessMessages();
  EXPECT_EQ(Source.OverrunCount(), 810u);
  EXPECT_EQ(Errors.size(), 2);
}

TEST_F(AudioIn, BurstUsesEachBufferOnceAndContinuousRequeues) {
  struct Row {
    const char* Name;
    bool Burst;
    int Blocks, Queued, Total;
  } Rows[] = {{"continuous keeps what the ring could not take", false, 3, 2, 2},
              {"a burst takes what its buffers hold", true, 2, 0, 0}};
  for (const Row& R : Rows) {
    TAudioIn A;
    int Count = 0;
    A.OnBufferDone = [&](TObject* Sender, TDescArraySingle& D) {
      EXPECT_EQ(Sender, &A);
      EXPECT_EQ(D.ChannelCount, 1);  // built without any link
      ++Count;
    };
    A.OnError = [&](TObject*, const QString& M) { ADD_FAILURE() << R.Name << ": " << M.toStdString(); };
    A.SetDevice(Ramp);
    A.SetBufferCount(2);
    A.SetBurst(R.Burst);
    A.Start();
    dynamic_cast<TVirtualWaveInDevice*>(A.WaveDevice())->Produce(3 * 1024);
    A.ProcessMessages();
    EXPECT_EQ(Count, R.Blocks) << R.Name;
    EXPECT_EQ(A.WaveDevice()->QueuedCount(), R.Queued) << R.Name;
    EXPECT_EQ(A.BufferTotal(), R.Total) << R.Name;
    A.OnBufferDone = nullptr;  // destruction returns the queued buffers empty
  }
}

// One ring of BufferCount buffers serves every start/stop cycle: memory
// stays bounded, Stop hands back BufferCount blocks at most, and a burst
// delivers at most BufferCount blocks per Start.
TEST_F(AudioIn, OneRingAcrossStartStopCycles) {
  for (bool Burst : {false, true}) {
    SCOPED_TRACE(Burst ? "burst" : "continuous");
    // Declared before the source: destroying it hands back its last buffers.
    int Count = 0;
    TAudioIn A;
    A.OnBufferDone = [&](TObject*, TDescArraySingle&) { ++Count; };
    A.SetDevice(Ramp);
    A.SetBurst(Burst);
    for (int K = 1; K <= 50; ++K) {
      A.Start();
      A.Stop();
      A.ProcessMessages();
      ASSERT_EQ(A.WaveDevice()->QueuedCount(), 3) << "cycle " << K;
      ASSERT_EQ(A.BufferTotal(), 3) << "cycle " << K;
    }
    EXPECT_EQ(Count, 50 * 3);  // each Stop returns the three queued buffers
    if (!Burst) continue;
    for (int K = 0; K < 2; ++K) {
      Count = 0;
      A.Start();
      dynamic_cast<TVirtualWaveInDevice*>(A.WaveDevice())->Produce(10 * 1024);
      A.ProcessMessages();
      EXPECT_EQ(Count, 3) << "start " << K;
      A.Stop();
      A.ProcessMessages();
    }
  }
}

TEST_F(AudioIn, NewBufferSizeOrCountTakesEffectAtTheNextStart) {
  StartRamp();
  Device().Produce(100);
  Source.SetBufferSize(512);
  Source.SetBufferCount(5);
  Source.Start();  // while recording: the part-filled buffer finishes first
  EXPECT_EQ(Source.BufferTotal(), 6);
  Device().Produce(924 + 5 * 512);
  Source.ProcessMessages();
  EXPECT_EQ(Source.BufferTotal(), 5);
  ASSERT_EQ(Blocks.size(), 6u);
  EXPECT_EQ(Blocks[0].Channels[0].size(), 1024u);
  for (size_t I = 1; I < Blocks.size(); ++I) EXPECT_EQ(Blocks[I].Channels[0].size(), 512u);
  ExpectRamp(RampBytes(), 0);
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

// A sink that throws during live capture: its message reaches OnError and
// errorOccurred, the other sinks and OnBufferDone still get the block, and
// recording goes on with the ring whole. Nobody listening: qWarning.
TEST_F(AudioIn, FailingSinkIsReportedAndRecordingGoesOn) {
  TDataEvent Failing;
  Failing.OnData = [](TObject*, TDescArraySingle&) { throw Exception(QStringLiteral("Senke defekt")); };
  Failing.SetMeasureSource(&Source);
  QStringList Signalled;
  int Done = 0;
  // The fixture's source outlives this test's counters and hands back its
  // last buffers when it is destroyed: the connection ends with Listening,
  // the handler is taken off at the end.
  QObject Listening;
  QObject::connect(&Source, &TAudioIn::errorOccurred, &Listening, [&](const QString& M) { Signalled << M; });
  Source.OnBufferDone = [&](TObject*, TDescArraySingle&) { ++Done; };
  StartRamp();
  Device().Produce(2 * 1024);
  EXPECT_NO_THROW(Source.ProcessMessages());
  EXPECT_EQ(Errors, (QStringList{"Senke defekt", "Senke defekt"}));
  EXPECT_EQ(Signalled, Errors);
  EXPECT_EQ(Blocks.size(), 2u);  // the sink after the failing one
  EXPECT_EQ(Done, 2);
  EXPECT_TRUE(Source.Recording());
  EXPECT_EQ(Source.WaveDevice()->QueuedCount(), 3);

  TAudioIn Unheard;
  Failing.SetMeasureSource(&Unheard);
  Unheard.SetDevice(Ramp);
  Unheard.Start();
  TWarnings Warnings;
  dynamic_cast<TVirtualWaveInDevice*>(Unheard.WaveDevice())->Produce(1024);
  Unheard.ProcessMessages();
  EXPECT_TRUE(TWarnings::Lines().contains(QStringLiteral("Senke defekt"))) << TWarnings::Lines().join("|").toStdString();
  Source.OnBufferDone = nullptr;
}

// Events from the event loop: a failure there is reported as well, never
// swallowed.
TEST_F(AudioIn, FailureInTheEventLoopIsReported) {
  StartRamp();
  Events.OnData = [](TObject*, TDescArraySingle&) { throw std::runtime_error("kaputt"); };
  Device().Produce(1024);
  QCoreApplication::processEvents();
  EXPECT_EQ(Errors, QStringList{"kaputt"});
}

TEST_F(AudioIn, DeviceGoingAwayEndsTheRecordingLikeAClosingSource) {
  std::vector<std::string> Seen;
  Events.OnData = [&](TObject*, TDescArraySingle& D) {
    Seen.push_back("data " + std::to_string(D.Channels[0].Count));
  };
  Events.OnChangedState = [&](TObject*, TMeasureSourceState S) { Seen.push_back(S == msOpened ? "opened" : "closed"); };
  StartRamp();
  Device().Produce(1024 + 300);
  SetVirtualDevicePlugged(Ramp, false);
  Source.ProcessMessages();
  EXPECT_EQ(Seen, (std::vector<std::string>{"opened", "data 1024", "data 300", "data 0", "data 0", "closed"}));
  EXPECT_EQ(Errors, QStringList{QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht mehr vorhanden. Die "
                                               "Aufnahme wurde beendet.")
                                    .arg(Ramp)});
  EXPECT_FALSE(Source.Recording());
  EXPECT_EQ(Source.WaveDevice(), nullptr);
  EXPECT_EQ(Source.State(), msClosed);
  EXPECT_EQ(Source.Device(), Ramp);
  EXPECT_THROW(Source.Start(), EAudioIn);
  SetVirtualDevicePlugged(Ramp, true);
  EXPECT_NO_THROW(Source.Start());
}

// A device or format change while recording: what was recorded reaches
// the sinks in the old configuration, the change is announced, and the
// recording goes on in the new one; the source never closes meanwhile.
TEST_F(AudioIn, ChangingDeviceOrFormatWhileRecordingRecordsOn) {
  std::vector<std::string> Seen;
  Events.OnData = [&](TObject*, TDescArraySingle& D) {
    Seen.push_back("data " + std::to_string(D.Channels[0].Count));
  };
  Events.OnChangedState = [&](TObject*, TMeasureSourceState S) { Seen.push_back(S == msOpened ? "opened" : "closed"); };
  Events.Link()->OnSourceChanged = [&](TObject*) { Seen.push_back("changed"); };
  StartRamp();
  Source.ProcessMessages();
  Device().Produce(10);
  Source.SetDevice(Sine);
  EXPECT_TRUE(Source.Recording());
  Device().Produce(1024);
  Source.SetResolution(taw_16Bit);
  EXPECT_TRUE(Source.Recording());
  EXPECT_EQ(Source.WaveDevice()->Format().BitsPerSample, 16);
  Device().Produce(1024);
  Source.ProcessMessages();
  // (The first "changed" is the attaching.)
  EXPECT_EQ(Seen, (std::vector<std::string>{"changed", "opened", "data 10", "data 0", "data 0", "changed",
                                            "data 1024", "data 0", "data 0", "changed", "data 1024"}));

  // Open but stopped: the device is reopened in the new format and waits.
  Source.Stop();
  Source.ProcessMessages();
  Source.SetMode(tam_Stereo);
  ASSERT_NE(Source.WaveDevice(), nullptr);
  EXPECT_FALSE(Source.Recording());
  EXPECT_EQ(Source.WaveDevice()->Format().Channels, 2);
  Source.ProcessMessages();
  EXPECT_EQ(Source.State(), msOpened);
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

// A sink that frees the source it is served by: delivery ends there, no
// later sink is served and nothing of the freed source is touched.
TEST_F(AudioIn, SinkFreeingTheSourceDuringDelivery) {
  auto* A = new TAudioIn;
  TDataEvent Freeing, Later;
  int LaterCalls = 0;
  Freeing.OnData = [&](TObject*, TDescArraySingle&) {
    // Once: the source's destructor hands its last buffers over too.
    if (auto* Gone = A) {
      A = nullptr;
      delete Gone;
    }
  };
  Later.OnData = [&](TObject*, TDescArraySingle&) { ++LaterCalls; };
  A->SetDevice(Ramp);
  Freeing.SetMeasureSource(A);
  Later.SetMeasureSource(A);
  A->Start();
  dynamic_cast<TVirtualWaveInDevice*>(A->WaveDevice())->Produce(2 * 1024);
  A->ProcessMessages();
  EXPECT_EQ(A, nullptr);
  // The destructor handed the queued buffers to Later; the block that was
  // being delivered when the source went was not.
  EXPECT_EQ(LaterCalls, 2);
  EXPECT_EQ(Later.MeasureSource(), nullptr);
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
  // Half full scale, with noise of at most 0.02.
  for (int I = 0; I < 512; ++I) {
    const double Phase = 2 * M_PI * 440 * I / 44100;
    ASSERT_NEAR(Blocks[0].Channels[0][I], 0.5 * std::sin(Phase), 0.0201) << I;
    ASSERT_NEAR(Blocks[0].Channels[1][I], 0.5 * std::cos(Phase), 0.0201) << I;
  }
}

// The backlog keeps the newest bytes in order around the end of its ring
// and drops the oldest in whole frames.
TEST(Backlog, KeepsOrderAndDropsOldestWholeFrames) {
  auto Bytes = [](int From, int Count) {
    std::vector<Byte> B(Count);
    for (int I = 0; I < Count; ++I) B[I] = Byte(From + I);
    return B;
  };
  TBacklog L;
  L.SetCapacity(12);
  std::vector<Byte> Out(32);
  struct Step {
    const char* Name;
    int PushFrom, PushCount;  // bytes pushed (frames of 4 bytes)
    int Pop;                  // bytes popped afterwards
    std::size_t Dropped;
    std::vector<Byte> Popped;
  } Steps[] = {
      {"fits", 0, 8, 4, 0, Bytes(0, 4)},
      {"wraps around the end", 8, 8, 0, 0, {}},
      {"one frame too many drops the oldest frame", 16, 4, 12, 4, Bytes(8, 12)},
      {"more than the whole ring keeps the newest frames", 20, 24, 12, 12, Bytes(32, 12)},
  };
  for (const Step& S : Steps) {
    SCOPED_TRACE(S.Name);
    const std::vector<Byte> In = Bytes(S.PushFrom, S.PushCount);
    EXPECT_EQ(L.Push(In.data(), In.size(), 4), S.Dropped);
    EXPECT_EQ(L.Pop(Out.data(), S.Pop), S.Popped.size());
    EXPECT_EQ(std::vector<Byte>(Out.begin(), Out.begin() + S.Popped.size()), S.Popped);
  }
  EXPECT_TRUE(L.Empty());
}
