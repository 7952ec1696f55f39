// Recording through the real Qt Multimedia path from a private PulseAudio
// server that the test starts itself (no sound card, no system service).
//
// For every format the server has a null sink fed by pacat with a known
// test signal, and a source that records the sink's monitor; Qt lists that
// source as a capture device. The signal is a byte stream in which every
// byte follows from the three before it (the bits of a maximal-length
// 24-bit shift register), so that one missing, repeated or foreign sample
// anywhere shows, whatever its position. TAudioIn records for a few
// seconds; the test rebuilds the byte stream from the blocks its sink
// received and checks every byte.
//
// Real time passes here only because recording takes real time; nothing
// is timed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "quellix/measure/AudioIn.h"
#include "quellix/measure/DataEvent.h"

extern char** environ;

using namespace quellix;
using namespace quellix::audioin;
using quellix::dataevent::TDataEvent;
using quellix::MeasIntf::TDescArraySingle;
using quellix::MeasIntf::TMeasureSourceState;

namespace {

// ---------------------------------------------------------------------------
// The test signal

// Steps a 24-bit Fibonacci shift register (x^24 + x^23 + x^22 + x^17 + 1)
// by eight bits; the register holds the last three bytes of the stream.
std::uint32_t StepByte(std::uint32_t State) {
  for (int I = 0; I < 8; ++I) {
    const std::uint32_t Bit = (State ^ (State >> 1) ^ (State >> 6) ^ (State >> 23)) & 1u;
    State = ((State << 1) | Bit) & 0xFFFFFFu;
  }
  return State;
}

// The byte that follows A, B, C in the stream.
Byte Predict(Byte A, Byte B, Byte C) {
  return static_cast<Byte>(StepByte((std::uint32_t(A) << 16) | (std::uint32_t(B) << 8) | C) & 0xFF);
}

// Checks a recorded stream: silence may come first (the feed had not
// reached the sink yet), then every byte must follow from the three before
// it. Returns what is wrong, or nothing.
std::string CheckStream(const std::vector<Byte>& S, Byte Silence, std::size_t MinBytes) {
  constexpr std::size_t Run = 64;  // bytes in a row that mark the signal's start
  std::size_t Start = 3;
  auto Follows = [&S](std::size_t K) { return S[K] == Predict(S[K - 3], S[K - 2], S[K - 1]); };
  for (;; ++Start) {
    if (Start + Run > S.size()) return "no test signal in " + std::to_string(S.size()) + " bytes";
    std::size_t K = 0;
    while (K < Run && Follows(Start + K)) ++K;
    if (K == Run) break;
  }
  for (std::size_t K = 0; K + 3 < Start; ++K)
    if (S[K] != Silence) return "foreign byte " + std::to_string(S[K]) + " at " + std::to_string(K) + " before the signal";
  for (std::size_t K = Start; K < S.size(); ++K)
    if (!Follows(K))
      return "byte " + std::to_string(K) + " of " + std::to_string(S.size()) + " does not follow (missing, repeated or foreign)";
  if (S.size() - (Start - 3) < MinBytes)
    return "only " + std::to_string(S.size() - (Start - 3)) + " bytes of signal, expected at least " + std::to_string(MinBytes);
  return {};
}

// ---------------------------------------------------------------------------
// The formats

struct TFormat {
  TAIFrequency Frequency;
  TAIMode Mode;
  TAIResolution Resolution;
  const char* Tag = "";  // tells devices of the same format apart
  int Rate() const { return static_cast<int>(SampleRate(Frequency)); }
  int Channels() const { return Mode == tam_Stereo ? 2 : 1; }
  int Bytes() const { return Resolution == taw_16Bit ? 2 : 1; }
  const char* PulseFormat() const { return Resolution == taw_16Bit ? "s16le" : "u8"; }
  Byte Silence() const { return Resolution == taw_16Bit ? 0x00 : 0x80; }
  // The sink, and the name under which the device list shows its source.
  std::string Key() const {
    return std::string(Tag) + PulseFormat() + (Mode == tam_Stereo ? "_stereo_" : "_mono_") + std::to_string(Rate());
  }
  QString DeviceName() const { return QStringLiteral("Quellix-Test-") + QString::fromStdString(Key()); }
};

void PrintTo(const TFormat& F, std::ostream* Out) { *Out << F.Key(); }

std::vector<TFormat> AllFormats() {
  std::vector<TFormat> F;
  for (TAIFrequency Fr : {taf_22050, taf_44100})
    for (TAIResolution R : {taw_8Bit, taw_16Bit})
      for (TAIMode M : {tam_Mono, tam_Stereo}) F.push_back({Fr, M, R});
  return F;
}

// Two more devices for the test that takes devices away.
const TFormat GoneFirst{taf_22050, tam_Mono, taw_8Bit, "gone_"};
const TFormat ChosenSecond{taf_22050, tam_Stereo, taw_16Bit, "chosen_"};

// ---------------------------------------------------------------------------
// Processes

pid_t Spawn(const std::vector<std::string>& Args, int StdIn, int Out) {
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  if (StdIn >= 0) posix_spawn_file_actions_adddup2(&Actions, StdIn, 0);
  if (Out >= 0) {
    posix_spawn_file_actions_adddup2(&Actions, Out, 1);
    posix_spawn_file_actions_adddup2(&Actions, Out, 2);
  }
  std::vector<char*> Argv;
  for (const std::string& A : Args) Argv.push_back(const_cast<char*>(A.c_str()));
  Argv.push_back(nullptr);
  pid_t Pid = -1;
  const int R = posix_spawnp(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ);
  posix_spawn_file_actions_destroy(&Actions);
  return R == 0 ? Pid : -1;
}

void EndProcess(pid_t Pid) {
  if (Pid <= 0) return;
  kill(Pid, SIGTERM);
  int Status = 0;
  for (int I = 0; I < 100; ++I) {
    if (waitpid(Pid, &Status, WNOHANG) == Pid) return;
    usleep(20000);
  }
  kill(Pid, SIGKILL);
  waitpid(Pid, &Status, 0);
}

bool Pactl(const QStringList& Args, QString* Output = nullptr) {
  QProcess P;
  P.start(QStringLiteral("pactl"), Args);
  if (!P.waitForFinished(10000)) return false;
  if (Output) *Output = QString::fromLocal8Bit(P.readAllStandardOutput());
  return P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
}

// Takes the source of F off the server, as unplugging a device would.
bool Unplug(const TFormat& F) {
  QString Modules;
  if (!Pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("modules")}, &Modules)) return false;
  const QString Name = QStringLiteral("source_name=source_%1 ").arg(QString::fromStdString(F.Key()));
  for (const QString& Line : Modules.split('\n'))
    if (Line.contains(Name)) return Pactl({QStringLiteral("unload-module"), Line.section('\t', 0, 0)});
  return false;
}

// Plays the test signal into one sink, endlessly, until destroyed. pacat
// reads the pipe as fast as the sink plays, so the writer runs at the
// sink's pace.
class TFeed {
public:
  TFeed(const TFormat& F, const QString& LogFile) {
    // A write to a pacat that has gone must fail, not end the test program.
    std::signal(SIGPIPE, SIG_IGN);
    int Pipe[2];
    if (pipe2(Pipe, O_CLOEXEC) != 0) return;
    const int Log = open(LogFile.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FPid = Spawn({"pacat", "--playback", "--raw", "-d", "sink_" + F.Key(), std::string("--format=") + F.PulseFormat(),
                  "--rate=" + std::to_string(F.Rate()), "--channels=" + std::to_string(F.Channels()),
                  "--latency-msec=300"},
                 Pipe[0], Log);
    close(Pipe[0]);
    if (Log >= 0) close(Log);
    FWrite = Pipe[1];
    FWriter = std::thread([this] {
      std::vector<Byte> Chunk(4096);
      std::uint32_t State = 0x5A17C3;
      while (!FStop) {
        for (Byte& B : Chunk) B = static_cast<Byte>((State = StepByte(State)) & 0xFF);
        std::size_t Done = 0;
        while (Done < Chunk.size() && !FStop) {
          const ssize_t N = write(FWrite, Chunk.data() + Done, Chunk.size() - Done);
          if (N <= 0) return;  // pacat has gone
          Done += static_cast<std::size_t>(N);
        }
      }
    });
  }
  ~TFeed() {
    FStop = true;
    EndProcess(FPid);  // a writer blocked on the pipe then fails and ends
    if (FWriter.joinable()) FWriter.join();
    if (FWrite >= 0) close(FWrite);
  }
  bool Running() const { return FPid > 0 && FWrite >= 0; }

private:
  pid_t FPid = -1;
  int FWrite = -1;
  std::atomic<bool> FStop{false};
  std::thread FWriter;
};

// A PulseAudio server of this process alone, with its own runtime folder
// and socket, a null sink and a recording source per format.
class TPulseServer {
public:
  // Starts the server; on failure Why tells why.
  bool Start(QString& Why) {
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pacat")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()) {
      Why = QStringLiteral("pulseaudio, pacat or pactl not installed (scripts/install-deps.sh installs them)");
      return false;
    }
    if (!FDir.isValid()) {
      Why = QStringLiteral("no temporary folder");
      return false;
    }
    const QString Run = FDir.filePath(QStringLiteral("run"));
    QDir().mkpath(Run);
    QFile::setPermissions(Run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString Socket = FDir.filePath(QStringLiteral("native"));
    QString Config = QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 socket=%1\n").arg(Socket);
    std::vector<TFormat> Devices = AllFormats();
    Devices.push_back(GoneFirst);
    Devices.push_back(ChosenSecond);
    for (const TFormat& F : Devices) {
      const QString Key = QString::fromStdString(F.Key());
      Config += QStringLiteral("load-module module-null-sink sink_name=sink_%1 format=%2 rate=%3 channels=%4\n")
                    .arg(Key, QString::fromLatin1(F.PulseFormat()))
                    .arg(F.Rate())
                    .arg(F.Channels());
      // Qt lists no monitors; a source on the monitor it lists.
      Config += QStringLiteral("load-module module-remap-source source_name=source_%1 master=sink_%1.monitor "
                               "source_properties=device.description=%2\n")
                    .arg(Key, F.DeviceName());
    }
    const QString ConfigFile = FDir.filePath(QStringLiteral("server.pa"));
    QFile C(ConfigFile);
    if (!C.open(QIODevice::WriteOnly) || C.write(Config.toUtf8()) < 0) {
      Why = QStringLiteral("cannot write the server configuration");
      return false;
    }
    C.close();

    // The server and every client of this process use the private folder.
    qputenv("HOME", FDir.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", Run.toLocal8Bit());
    qputenv("PULSE_RUNTIME_PATH", Run.toLocal8Bit());
    qputenv("PULSE_SERVER", ("unix:" + Socket).toLocal8Bit());
    qputenv("PULSE_COOKIE", FDir.filePath(QStringLiteral("cookie")).toLocal8Bit());
    FLogPath = FDir.filePath(QStringLiteral("server.log"));
    const int Log = open(FLogPath.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FPid = Spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                  "--realtime=no", "--high-priority=no", "--log-target=stderr", "-F", ConfigFile.toStdString()},
                 -1, Log);
    if (Log >= 0) close(Log);
    if (FPid <= 0) {
      Why = QStringLiteral("pulseaudio could not be started");
      return false;
    }
    // Waiting for the server to come up (not a timing assertion).
    QElapsedTimer T;
    T.start();
    while (!Pactl({QStringLiteral("info")})) {
      int Status = 0;
      if (waitpid(FPid, &Status, WNOHANG) == FPid || T.elapsed() > 15000) {
        FPid = -1;
        Why = QStringLiteral("pulseaudio did not come up: ") + LogTail();
        return false;
      }
      usleep(50000);
    }
    return true;
  }
  ~TPulseServer() { EndProcess(FPid); }
  QString FilePath(const QString& Name) const { return FDir.filePath(Name); }
  QString LogTail() const {
    QFile F(FLogPath);
    return F.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(F.readAll().right(2000)) : QString();
  }

private:
  QTemporaryDir FDir;
  QString FLogPath;
  pid_t FPid = -1;
};

// One server for the whole process: Qt Multimedia connects to the sound
// server once, on first use, so it must be there (and PULSE_SERVER set)
// before any test asks for a device.
TPulseServer* Server(QString& Why) {
  static std::unique_ptr<TPulseServer> S;
  static bool Tried = false;
  static QString Reason;
  if (!Tried) {
    Tried = true;
    S = std::make_unique<TPulseServer>();
    if (!S->Start(Reason)) S.reset();
  }
  Why = Reason;
  return S.get();
}

// Lets the event loop run for Ms milliseconds: the recording time.
void RunFor(int Ms) {
  QEventLoop Loop;
  QTimer::singleShot(Ms, &Loop, &QEventLoop::quit);
  Loop.exec();
}

// Waits, with the event loop running, until Done() holds (at most Ms).
bool RunUntil(const std::function<bool()>& Done, int Ms) {
  QElapsedTimer T;
  T.start();
  while (!Done()) {
    if (T.elapsed() > Ms) return false;
    RunFor(50);
  }
  return true;
}

// A sink that rebuilds the device's byte stream from the blocks, and may
// stall for 50 ms now and then as a slow sink does.
class TStreamSink {
public:
  TStreamSink(const TFormat& F, TAudioIn& Source) : FFormat(F) {
    FEvents.OnData = [this](TObject*, TDescArraySingle& D) { Take(D); };
    FEvents.OnChangedState = [this](TObject*, TMeasureSourceState S) { States.push_back(S); };
    FEvents.SetMeasureSource(&Source);
  }
  bool Stalling = false;
  int Stalls = 0;
  std::vector<Byte> Stream;
  std::vector<TMeasureSourceState> States;

private:
  void Take(TDescArraySingle& D) {
    if (D.ChannelCount == 0) return;
    ASSERT_EQ(D.ChannelCount, FFormat.Channels());
    const Integer Frames = D.Channels[0].Count;
    for (int C = 1; C < D.ChannelCount; ++C) ASSERT_EQ(D.Channels[C].Count, Frames);
    for (Integer I = 0; I < Frames; ++I)
      for (int C = 0; C < D.ChannelCount; ++C) {
        const Single V = D.Channels[C].Values[I];
        if (FFormat.Resolution == taw_16Bit) {
          const auto S = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(V * 32768.0)));
          Stream.push_back(static_cast<Byte>(S & 0xFF));
          Stream.push_back(static_cast<Byte>(S >> 8));
        } else {
          Stream.push_back(static_cast<Byte>(std::lround((V + 1) * 128.0)));
        }
      }
    // A quarter of a second of audio, then a stall of 50 ms.
    FSinceStall += Frames;
    if (Stalling && FSinceStall >= FFormat.Rate() / 4) {
      FSinceStall = 0;
      ++Stalls;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  TFormat FFormat;
  Integer FSinceStall = 0;
  TDataEvent FEvents;
};

class RealServer : public ::testing::Test {
protected:
  void SetUp() override {
    QString Why;
    if (Server(Why)) return;
    // The project's CI sets the machine up itself: there the test must run.
    if (qEnvironmentVariableIntValue("QUELLIX_REQUIRE_AUDIO_SERVER") == 1)
      FAIL() << "PulseAudio server cannot start: " << Why.toStdString();
    GTEST_SKIP() << "PulseAudio server cannot start: " << Why.toStdString();
  }
  static QString FeedLog() {
    QString Why;
    return Server(Why)->FilePath(QStringLiteral("feed.log"));
  }
  // Waits until the device list shows (or no longer shows) Name.
  static bool Listed(const QString& Name, bool Shown) {
    return RunUntil([&] { return TAudioIn::DeviceNames().contains(Name) == Shown; }, 10000);
  }
};

constexpr int RecordMs = 3000;
// Time for pacat to connect and fill its buffer before recording starts.
constexpr int FeedStartMs = 1000;

class CaptureFormat : public RealServer, public ::testing::WithParamInterface<TFormat> {};

// No sample missing or repeated, with a quick sink and with one that
// stalls for 50 ms four times a second of audio.
TEST_P(CaptureFormat, RecordsEverySampleOnce) {
  const TFormat F = GetParam();
  ASSERT_TRUE(Listed(F.DeviceName(), true)) << "Qt does not list " << F.DeviceName().toStdString()
                                            << "; devices: " << TAudioIn::DeviceNames().join(", ").toStdString();
  TFeed Feed(F, FeedLog());
  ASSERT_TRUE(Feed.Running());
  RunFor(FeedStartMs);
  for (bool Stalling : {false, true}) {
    SCOPED_TRACE(Stalling ? "stalling sink" : "quick sink");
    TAudioIn Audio;
    QStringList Errors;
    Audio.OnError = [&](TObject*, const QString& M) { Errors << M; };
    Audio.SetDevice(F.DeviceName());
    ASSERT_GE(Audio.DeviceIndex(), 0);
    Audio.SetClockFrequency(F.Frequency);
    Audio.SetMode(F.Mode);
    Audio.SetResolution(F.Resolution);
    TStreamSink Sink(F, Audio);
    Sink.Stalling = Stalling;
    Audio.Start();
    RunFor(RecordMs);
    Audio.Stop();
    Audio.ProcessMessages();
    EXPECT_EQ(Errors, QStringList());
    EXPECT_EQ(Audio.OverrunCount(), 0u);
    if (Stalling) {
      EXPECT_GT(Sink.Stalls, 0);
    }
    // At least a second of audio; the server takes a moment to start.
    const std::size_t Min = std::size_t(F.Rate()) * F.Channels() * F.Bytes();
    const std::string Fault = CheckStream(Sink.Stream, F.Silence(), Min);
    EXPECT_EQ(Fault, "") << F.Key();
  }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, CaptureFormat, ::testing::ValuesIn(AllFormats()),
                         [](const ::testing::TestParamInfo<TFormat>& I) { return I.param.Key(); });

// A device chosen by name stays that device when another one leaves the
// list before it starts; when it goes itself while recording, the
// recording ends as a closing source does, with a German error, and
// nothing of another input gets in.
TEST_F(RealServer, DeviceIdentityAndDeviceGoingAway) {
  const TFormat Gone = GoneFirst, Chosen = ChosenSecond;
  ASSERT_TRUE(Listed(Chosen.DeviceName(), true));
  const QStringList Names = TAudioIn::DeviceNames();
  ASSERT_LT(Names.indexOf(Gone.DeviceName()), Names.indexOf(Chosen.DeviceName()));
  TFeed Feed(Chosen, FeedLog());
  ASSERT_TRUE(Feed.Running());
  RunFor(FeedStartMs);

  TAudioIn Audio;
  QStringList Errors;
  Audio.OnError = [&](TObject*, const QString& M) { Errors << M; };
  Audio.SetDevice(Chosen.DeviceName());
  const Integer Before = Audio.DeviceIndex();
  Audio.SetClockFrequency(Chosen.Frequency);
  Audio.SetMode(Chosen.Mode);
  Audio.SetResolution(Chosen.Resolution);
  // Only the device before the chosen one goes.
  ASSERT_TRUE(Unplug(Gone));
  ASSERT_TRUE(Listed(Gone.DeviceName(), false));

  TStreamSink Sink(Chosen, Audio);
  Audio.Start();
  EXPECT_LT(Audio.DeviceIndex(), Before);
  RunFor(RecordMs);
  EXPECT_TRUE(Audio.Recording());
  EXPECT_EQ(CheckStream(Sink.Stream, Chosen.Silence(), 1), "");

  // Now the chosen device goes while recording.
  ASSERT_TRUE(Unplug(Chosen));
  ASSERT_TRUE(RunUntil([&] { return !Errors.isEmpty(); }, 10000)) << "no error after the device went";
  RunFor(300);
  EXPECT_EQ(Errors, QStringList{QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht mehr vorhanden. Die "
                                               "Aufnahme wurde beendet.")
                                    .arg(Chosen.DeviceName())});
  EXPECT_FALSE(Audio.Recording());
  ASSERT_FALSE(Sink.States.empty());
  EXPECT_EQ(Sink.States.back(), quellix::MeasIntf::msClosed);
  // Everything recorded is the chosen device's signal, up to the end.
  EXPECT_EQ(CheckStream(Sink.Stream, Chosen.Silence(), 1), "");
  EXPECT_THROW(Audio.Start(), EAudioIn);
}

}  // namespace
