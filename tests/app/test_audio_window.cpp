// The audio window driven with buffers of the virtual test-signal device:
// Play and Stop, blocks reaching the histograph and the data event, the
// messages processed per block, the close button, and failures of the
// source shown instead of swallowed.
#include <gtest/gtest.h>

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "quellix/app/Application.h"
#include "quellix/app/AudioWindow.h"
#include "quellix/measure/WaveInput.h"

using namespace quellix;
using namespace quellix::audioin;
using quellix::AudioIn_Unit::TAudio_Demo;

namespace {

class AudioWindow : public ::testing::Test {
protected:
  void SetUp() override {
    WaveIn::SetVirtualClock(false);  // buffers come from Produce only
    if (!WaveIn::VirtualDeviceNames().contains(TAudio_Demo::InputName()))
      GTEST_SKIP() << "device 0 is a sound card here; these tests feed the virtual device";
    W = std::make_unique<TAudio_Demo>();
  }
  void TearDown() override { SetMessageBoxHandler(nullptr); }

  WaveIn::TVirtualWaveInDevice* Device() const {
    return dynamic_cast<WaveIn::TVirtualWaveInDevice*>(W->AudioIn1->WaveDevice());
  }
  // One full buffer: BufferSize values of a stereo recording.
  void ProduceBuffer() { Device()->Produce(W->AudioIn1->BufferSize() / 2); }

  // What the tests' handlers record. Declared before the window: the
  // source hands its last buffers over when the window goes.
  std::vector<std::string> Order;
  std::vector<std::vector<Single>> EventLeft;
  int Depth = 0, Deepest = 0, Blocks = 0;
  std::unique_ptr<TAudio_Demo> W;
};

}  // namespace

TEST_F(AudioWindow, PlayRecordsFromDeviceZeroAndStopEndsIt) {
  EXPECT_TRUE(W->Play->isEnabled());
  EXPECT_FALSE(W->Stop->isEnabled());
  EXPECT_FALSE(W->Started());
  EXPECT_TRUE(W->Histograph1->AutoConfig());

  W->Play->click();
  EXPECT_TRUE(W->Started());
  EXPECT_FALSE(W->Play->isEnabled());
  EXPECT_TRUE(W->Stop->isEnabled());
  EXPECT_EQ(W->AudioIn1->Device(), TAudioIn::DeviceNames().value(0));
  EXPECT_EQ(W->AudioIn1->ClockFrequency(), taf_22050);
  EXPECT_EQ(W->AudioIn1->Mode(), tam_Stereo);
  ASSERT_NE(Device(), nullptr);
  EXPECT_TRUE(Device()->Recording());
  // The histograph took the source's block: two series over 512 samples
  // at 22050/s, still five time intervals.
  EXPECT_EQ(W->Histograph1->SeriesNumber(), 2);
  EXPECT_FLOAT_EQ(W->Histograph1->ViewXNominalMax(), Single(512.0L / 22050));
  EXPECT_FLOAT_EQ(W->Histograph1->ViewXGap(), Single(Extended(Single(512.0L / 22050)) / 5));

  W->Stop->click();
  EXPECT_FALSE(W->Stop->isEnabled());
  EXPECT_TRUE(W->Play->isEnabled());
  EXPECT_FALSE(Device()->Recording());

  // Play again records again.
  W->Play->click();
  EXPECT_TRUE(Device()->Recording());
  EXPECT_TRUE(W->Stop->isEnabled());
}

TEST_F(AudioWindow, BlocksReachTheHistographThenTheDataEvent) {
  auto Drawn = W->Histograph1->Link()->OnData;
  W->Histograph1->Link()->OnData = [this, Drawn](TObject* L, TDescArraySingle& D) {
    Order.push_back("histograph");
    Drawn(L, D);
  };
  auto Handler = W->DataEvent1->OnData;
  W->DataEvent1->OnData = [this, Handler](TObject* L, TDescArraySingle& D) {
    Order.push_back("data event");
    EventLeft.emplace_back(D.Channels[0].Values, D.Channels[0].Values + D.Channels[0].Count);
    Handler(L, D);
  };

  W->Play->click();
  ProduceBuffer();
  ProduceBuffer();
  W->AudioIn1->ProcessMessages();
  EXPECT_EQ(Order, (std::vector<std::string>{"histograph", "data event", "histograph", "data event"}));
  // The histograph shows the last block, both channels.
  ASSERT_EQ(EventLeft.size(), 2u);
  std::vector<Single> Left(512), Right(512);
  ASSERT_EQ(W->Histograph1->GetData(Left.data(), 512, 1), 512);
  ASSERT_EQ(W->Histograph1->GetData(Right.data(), 512, 2), 512);
  EXPECT_EQ(Left, EventLeft.back());
  EXPECT_NE(Left, Right);  // sine and cosine
}

TEST_F(AudioWindow, EachBlockLetsPendingMessagesRun) {
  W->Play->click();
  int Ran = 0;
  QMetaObject::invokeMethod(W.get(), [&] { ++Ran; }, Qt::QueuedConnection);
  // The source's own message handling does not run the event loop; the
  // data event's handler does.
  ProduceBuffer();
  W->AudioIn1->ProcessMessages();
  EXPECT_EQ(Ran, 1);
}

TEST_F(AudioWindow, ABacklogOfBlocksNestsOnlyOneLevel) {
  // While a block is handled, the device fills the next buffer, as a
  // real-time input does when drawing is slow. Each processing of
  // messages may then hand over the next block within the handler.
  auto Handler = W->DataEvent1->OnData;
  W->DataEvent1->OnData = [this, Handler](TObject* L, TDescArraySingle& D) {
    ++Blocks;
    Deepest = std::max(Deepest, ++Depth);
    if (Blocks < 6) ProduceBuffer();
    Handler(L, D);
    --Depth;
  };
  W->Play->click();
  ProduceBuffer();
  W->AudioIn1->ProcessMessages();
  EXPECT_EQ(Blocks, 6);
  EXPECT_LE(Deepest, 2);
}

TEST_F(AudioWindow, CloseButtonStopsAStartedRecording) {
  // Never started: closing leaves the source alone.
  W->CloseButton()->click();
  EXPECT_EQ(W->AudioIn1->WaveDevice(), nullptr);
  EXPECT_EQ(W->result(), int(mrOk));

  W->Play->click();
  ASSERT_TRUE(Device()->Recording());
  W->CloseButton()->click();
  EXPECT_FALSE(Device()->Recording());
  EXPECT_TRUE(W->Play->isEnabled());
  EXPECT_FALSE(W->Stop->isEnabled());

  // Escape or the title bar hide the window without the close button;
  // the recording ends all the same.
  W->show();
  W->Play->click();
  ASSERT_TRUE(Device()->Recording());
  W->hide();
  EXPECT_FALSE(Device()->Recording());
  EXPECT_TRUE(W->Play->isEnabled());
}

TEST_F(AudioWindow, AFailedStartIsReportedAndLeavesPlayEnabled) {
  QString Message;
  TMsgDlgType Type = mtCustom;
  SetMessageBoxHandler([&](const QString& Msg, TMsgDlgType T, int, const QString&) {
    Message = Msg;
    Type = T;
    return int(mrOk);
  });
  W->AudioIn1->SetBufferSize(0);  // buffers without memory cannot be locked
  W->Play->click();
  EXPECT_EQ(Type, mtError);
  EXPECT_EQ(Message, QStringLiteral("TAudioIn: Speicher konnte nicht gelockt werden"));
  EXPECT_TRUE(W->Play->isEnabled());
  EXPECT_FALSE(W->Stop->isEnabled());
}

// Failures of the live recording show in the window at once: a failing
// sink leaves it recording, a device that goes away ends the recording
// and lets "&Play" start again. Play clears the old message.
TEST_F(AudioWindow, RecordingFailuresShowInTheWindow) {
  W->Play->click();
  auto Handler = W->DataEvent1->OnData;
  W->DataEvent1->OnData = [](TObject*, TDescArraySingle&) { throw Exception(QStringLiteral("Auswertung fehlgeschlagen")); };
  ProduceBuffer();
  W->AudioIn1->ProcessMessages();
  EXPECT_EQ(W->ErrorLabel->text(), QStringLiteral("Auswertung fehlgeschlagen"));
  EXPECT_FALSE(W->ErrorLabel->isHidden());
  EXPECT_TRUE(W->Stop->isEnabled());
  W->DataEvent1->OnData = Handler;

  const QString Input = W->AudioIn1->Device();
  WaveIn::SetVirtualDevicePlugged(Input, false);
  W->AudioIn1->ProcessMessages();
  WaveIn::SetVirtualDevicePlugged(Input, true);
  EXPECT_EQ(W->ErrorLabel->text(), QStringLiteral("TAudioIn: Das Aufnahmegerät „%1“ ist nicht mehr vorhanden. Die "
                                                  "Aufnahme wurde beendet.")
                                       .arg(Input));
  EXPECT_FALSE(W->Stop->isEnabled());
  EXPECT_TRUE(W->Play->isEnabled());

  W->Play->click();
  EXPECT_TRUE(W->ErrorLabel->isHidden());
  EXPECT_TRUE(Device()->Recording());
}

TEST(AudioWindowInTheProgram, TheMenuOpensTheAudioWindow) {
  app::TDemoApplication Demo;
  Demo.CreateForms();
  auto* Audio = dynamic_cast<TAudio_Demo*>(Demo.FormByClass("TAudio_Demo"));
  ASSERT_NE(Audio, nullptr);
  EXPECT_EQ(Audio->Caption(), QStringLiteral("Audio Library"));
  QPointer<TForm> Shown;
  Demo.MainForm()->ShowModalWindow = [&](TForm* F) { Shown = F; };
  SetMessageBoxHandler([](const QString&, TMsgDlgType, int, const QString&) { return int(mrOk); });
  Demo.MainForm()->AudioLibrary1Click();
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(Shown.data(), Audio);
}
