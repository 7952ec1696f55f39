// The buffer ring of the audio input on its own, driven by a virtual
// device: which buffers a new size or count frees at once and which ones
// only when they come back, and what a clearing leaves.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "quellix/measure/AudioInParts.h"

using namespace quellix;
using namespace quellix::audioin;
using namespace quellix::WaveIn;

TEST(AudioBufferRing, ResizeFreesIdleBuffersAtOnceAndBusyOnesWhenTheyComeBack) {
  SetVirtualClock(false);  // buffers are filled by Produce only
  std::vector<TWaveBuffer*> Back;
  TNoticeQueue Notices([&](const TWaveNotice& N) {
    if (N.Kind == TWaveNoticeKind::Data) Back.push_back(N.Buffer);
  });
  auto Device = std::make_unique<TVirtualWaveInDevice>(TVirtualSignal::CountingRamp, TWaveFormat{}, &Notices);
  TAudioBufferRing Ring;
  std::vector<const TWaveBuffer*> Forgotten;
  Ring.OnForget = [&](const TWaveBuffer* B) { Forgotten.push_back(B); };
  std::vector<Integer> Results;
  const auto Check = [&](Integer R) { Results.push_back(R); };

  Ring.Sync(*Device, 100, 2, Check);
  ASSERT_EQ(Ring.Total(), 2);
  EXPECT_EQ(Device->QueuedCount(), 2);
  ASSERT_EQ(Device->Start(), MMSYSERR_NOERROR);
  Device->Produce(30);  // the first buffer is partly filled and stays out
  Notices.ProcessPending();
  EXPECT_TRUE(Back.empty());

  // Another size: the empty queued buffer goes at once, the busy one is
  // only retired; two new ones join.
  Ring.Sync(*Device, 60, 2, Check);
  EXPECT_EQ(Ring.Total(), 3);
  EXPECT_EQ(Forgotten.size(), 1u);
  EXPECT_EQ(Device->QueuedCount(), 3);
  // The same size and count again changes nothing.
  Ring.Sync(*Device, 60, 2, Check);
  EXPECT_EQ(Ring.Total(), 3);

  Device->Produce(70);  // fills the retired buffer up to its old size
  Notices.ProcessPending();
  ASSERT_EQ(Back.size(), 1u);
  EXPECT_EQ(Back[0]->BytesRecorded, 100u);
  EXPECT_FALSE(Ring.KeepAfterReturn(Back[0], false));  // retired: leaves although not single-use
  EXPECT_EQ(Ring.Total(), 2);
  EXPECT_EQ(Forgotten.size(), 2u);
  EXPECT_FALSE(Ring.KeepAfterReturn(Back[0], false));  // no longer held

  Device->Produce(120);  // both new buffers fill
  Notices.ProcessPending();
  ASSERT_EQ(Back.size(), 3u);
  EXPECT_TRUE(Ring.KeepAfterReturn(Back[1], false));  // goes round again
  EXPECT_TRUE(Ring.Holds(Back[1]));
  EXPECT_FALSE(Ring.KeepAfterReturn(Back[2], true));  // single use
  EXPECT_EQ(Ring.Total(), 1);
  for (Integer R : Results) EXPECT_EQ(R, MMSYSERR_NOERROR);
  EXPECT_EQ(Results.size(), 4u);  // one check per buffer queued

  const unsigned Generation = Ring.Generation();
  const TWaveBuffer* Last = Back[1];
  Device.reset();
  Ring.Clear();
  EXPECT_EQ(Ring.Total(), 0);
  EXPECT_EQ(Ring.Generation(), Generation + 1);
  EXPECT_FALSE(Ring.Holds(Last));
  EXPECT_EQ(Forgotten.back(), Last);
}
