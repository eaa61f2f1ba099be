// The manager's actions by their request codes, and what each does for a
// component that governs every form and for one that governs its own form.
#include <gtest/gtest.h>

#include <QTimer>

#include "skin/engine/SkinManage.h"
#include "tests/skin_engine/EngineFixture.h"
#include "toolkit/Form.h"

namespace {

using enginetest::EngineTest;
using skin::TSkinAction;
using skin::TSkinData;

TEST(SkinAction, RequestCodesAreTheActionsNumbers) {
  EXPECT_EQ(static_cast<int>(TSkinAction::SkinAll), 1);
  EXPECT_EQ(static_cast<int>(TSkinAction::RestoreAll), 2);
  EXPECT_EQ(static_cast<int>(TSkinAction::Reskin), 3);
  EXPECT_EQ(static_cast<int>(TSkinAction::Purge), 6);
  EXPECT_EQ(skin::kSkinActionDelay, 250);
}

class Actions : public EngineTest {
 protected:
  // Form a governed by a component of its own, form b by the main one; every
  // caption button freed, so a re-skin shows where it went.
  void Arrange() {
    a_ = Keep(new toolkit::TForm());
    a_->resize(200, 100);
    only_ = new TSkinData(a_);
    only_->BeginReading();
    only_->SetSkinFormtype(skin::sfOnlyThisForm);
    only_->SetActive(true);
    only_->ReadSkinStream(enginetest::FrameSkinStream(spec_));
    only_->Loaded();
    a_->show();
    b_ = Keep(new toolkit::TForm());
    b_->resize(150, 90);
    b_->show();
    Settle();
    ASSERT_NE(FrameOf(a_), nullptr);
    ASSERT_EQ(FrameOf(a_)->SkinData(), only_);
    ASSERT_NE(FrameOf(b_), nullptr);
    ASSERT_EQ(FrameOf(b_)->SkinData(), data_.get());
    for (const auto& f : Manager().Frames()) f->FreeCaptionButtons();
  }
  void Run(TSkinData* component, TSkinAction action) {
    Manager().SetPending(component);
    Manager().RequestAction(action);
    Manager().RunAction();
  }
  bool HasButtons(QWidget* w) { return FrameOf(w) && !FrameOf(w)->CaptionButtons().empty(); }

  toolkit::TForm* a_ = nullptr;
  toolkit::TForm* b_ = nullptr;
  TSkinData* only_ = nullptr;
};

TEST_F(Actions, BeforeTheStartOnlySkinAllAndRestoreAllActAndOnlyOnTheActiveFlag) {
  struct Row {
    int code;
    TSkinAction action;
    bool activeFromOff, activeFromOn;
  };
  const Row rows[] = {
      {1, TSkinAction::SkinAll, true, true},    {2, TSkinAction::RestoreAll, false, false},
      {3, TSkinAction::Reskin, false, true},    {6, TSkinAction::Purge, false, true},
      {4, static_cast<TSkinAction>(4), false, true},  // a code of no action only waits
  };
  ASSERT_EQ(Manager().Started(), 0);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    for (bool on : {false, true}) {
      Manager().SetActive(on);
      Manager().RequestAction(r.code, 250);
      EXPECT_EQ(Manager().PendingAction(), r.action);
      EXPECT_EQ(Manager().PendingCode(), r.code);
      EXPECT_EQ(Manager().Active(), on ? r.activeFromOn : r.activeFromOff);
      EXPECT_FALSE(Manager().Timer()->isActive());
    }
  }
  // Once started, every request waits for the timer, with its own delay.
  Manager().SetStarted(1);
  Manager().RequestAction(TSkinAction::Purge, 120);
  EXPECT_TRUE(Manager().Timer()->isActive());
  EXPECT_EQ(Manager().Timer()->interval(), 120);
}

TEST_F(Actions, EachActionForTheMainComponentAndForAOneFormComponent) {
  enum Prep { none, restoreFirst, closeB };
  struct Row {
    const char* what;
    TSkinAction action;
    bool ofOwnForm;  // the one-form component asks (else the main one)
    Prep prep;
    size_t frames;
    bool aFramed, bFramed, aButtons, bButtons, active;
  };
  const Row rows[] = {
      {"skin all", TSkinAction::SkinAll, false, restoreFirst, 2, true, true, true, true, true},
      {"skin the own form", TSkinAction::SkinAll, true, restoreFirst, 2, true, true, true, false, true},
      {"restore all", TSkinAction::RestoreAll, false, none, 0, false, false, false, false, false},
      {"restore the own form", TSkinAction::RestoreAll, true, none, 1, false, true, false, false, true},
      {"re-skin the main component's frames", TSkinAction::Reskin, false, none, 2, true, true, false, true, true},
      {"re-skin the own form", TSkinAction::Reskin, true, none, 2, true, true, true, false, true},
      {"purge", TSkinAction::Purge, false, closeB, 1, true, false, false, false, true},
      {"purge for the own form", TSkinAction::Purge, true, closeB, 1, true, false, false, false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TearDown();
    SetUp();
    Arrange();
    TSkinData* component = r.ofOwnForm ? only_ : data_.get();
    if (r.prep == restoreFirst) Run(component, TSkinAction::RestoreAll);
    if (r.prep == closeB) {
      std::erase_if(windows_, [this](const auto& w) { return w.get() == b_; });
      b_ = nullptr;
    }
    int changed = 0;
    component->OnSkinChanged = [&changed](QObject*) { ++changed; };
    Run(component, r.action);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(Manager().Pending(), nullptr);
    EXPECT_EQ(Manager().Frames().size(), r.frames);
    EXPECT_EQ(FrameOf(a_) != nullptr, r.aFramed);
    EXPECT_EQ(b_ && FrameOf(b_), r.bFramed);
    EXPECT_EQ(HasButtons(a_), r.aButtons);
    if (b_) EXPECT_EQ(HasButtons(b_), r.bButtons);
    EXPECT_EQ(Manager().Active(), r.active);
    // A restored window has its platform frame again.
    if (!r.aFramed) EXPECT_EQ(a_->contentsMargins(), QMargins());
  }
}

}  // namespace
