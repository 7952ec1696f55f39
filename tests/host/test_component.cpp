#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>

#include "quellix/host/Component.h"

using namespace quellix;

namespace {

// A component that remembers which removals it was told about.
class TWatcher : public TComponent {
public:
  using TComponent::TComponent;
  ~TWatcher() override {
    if (Destroyed) ++*Destroyed;
  }
  void Notification(TComponentCore* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
      Removed.push_back(AComponent);
      if (AComponent == Ref) Ref = nullptr;
    }
  }
  std::vector<TComponentCore*> Removed;
  TComponentCore* Ref = nullptr;
  int* Destroyed = nullptr;
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirst) {
  int Destroyed = 0;
  auto* Owner = new TWatcher(nullptr);
  Owner->Destroyed = &Destroyed;
  auto* A = new TWatcher(Owner);
  A->Destroyed = &Destroyed;
  A->SetName("A");
  auto* B = new TWatcher(Owner);
  B->Destroyed = &Destroyed;
  B->SetName("B");
  EXPECT_EQ(Owner->ComponentCount(), 2);
  EXPECT_EQ(Owner->FindComponent("b"), B);
  EXPECT_EQ(B->Owner(), Owner);
  delete Owner;
  EXPECT_EQ(Destroyed, 3);
}

TEST(Component, RemovalNotifiesSiblingsAndFreeNotifyAcrossOwners) {
  int Destroyed = 0;
  TWatcher Form1(nullptr), Form2(nullptr);
  Form1.Destroyed = Form2.Destroyed = &Destroyed;
  auto* Sibling = new TWatcher(&Form1);
  auto* Source = new TWatcher(&Form1);
  auto* Foreign = new TWatcher(&Form2);
  Sibling->Destroyed = Source->Destroyed = Foreign->Destroyed = &Destroyed;
  Foreign->Ref = Source;
  Foreign->FreeNotification(Source);
  Sibling->Ref = Source;
  delete Source;
  EXPECT_EQ(Sibling->Ref, nullptr);
  EXPECT_EQ(Foreign->Ref, nullptr);
  EXPECT_EQ(Form1.ComponentCount(), 1);
  // A component deleted first no longer appears in later notifications.
  delete Foreign;
  EXPECT_EQ(Form2.ComponentCount(), 0);
}

TEST(Component, LoadedClearsLoadingStateAndClassNameDropsNamespace) {
  TWatcher C(nullptr);
  C.BeginLoading();
  EXPECT_TRUE(C.IsLoading());
  C.Loaded();
  EXPECT_FALSE(C.IsLoading());
  EXPECT_EQ(C.ClassName(), QString("TComponent"));  // no Q_OBJECT of its own
}

TEST(ListWriter, WritesAndReadsNestedLists) {
  TWriter W;
  W.WriteListBegin();
  W.WriteListBegin();
  W.WriteInteger(65280);
  W.WriteBoolean(false);
  W.WriteFloat(20.0);
  W.WriteListEnd();
  W.WriteFloat(-120.0);
  W.WriteFloat(81.675);
  W.WriteListEnd();
  EXPECT_EQ(W.Text(), QString("((65280, False, 20.0), -120.0, 81.675)"));

  TReader R(W.Text());
  R.ReadListBegin();
  R.ReadListBegin();
  EXPECT_EQ(R.ReadInteger(), 65280);
  EXPECT_FALSE(R.ReadBoolean());
  EXPECT_DOUBLE_EQ(static_cast<double>(R.ReadFloat()), 20.0);
  EXPECT_TRUE(R.EndOfList());
  R.ReadListEnd();
  EXPECT_DOUBLE_EQ(static_cast<double>(R.ReadFloat()), -120.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(R.ReadFloat()), 81.675);
  R.ReadListEnd();
  EXPECT_TRUE(R.AtEnd());
  TReader Bad("(True)");
  Bad.ReadListBegin();
  EXPECT_THROW(Bad.ReadInteger(), EStreamError);
}

// Components ask before they allocate by a size they were given: what half
// the machine's memory holds is granted, more than the machine has is not.
TEST(Memory, CanHoldWhatTheMachineHas) {
  EXPECT_TRUE(MemoryCanHold(1 << 20));
  EXPECT_FALSE(MemoryCanHold(std::uint64_t(1) << 62));
  const std::uint64_t Physical = std::uint64_t(sysconf(_SC_PHYS_PAGES)) * std::uint64_t(sysconf(_SC_PAGE_SIZE));
  EXPECT_TRUE(MemoryCanHold(Physical / 4));
  EXPECT_FALSE(MemoryCanHold(Physical));
}
