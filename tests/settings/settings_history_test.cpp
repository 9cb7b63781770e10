// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo on the virtual clock: one write each, confirmed by the read-back, and a
// history that never outlives its connection.
#include <gtest/gtest.h>

#include "bench.h"
#include "settings/settings_history.h"
#include "settings/settings_panel.h"

namespace morvane::test {
namespace {

struct HistoryBench : Bench {
  SettingsHistory history{form};

  HistoryBench() {
    line.attachEsc(1, esc);
    form.Load();
  }
  std::vector<Bytes> writes() {
    std::vector<Bytes> out;
    for (const Bytes& frame : takeFrames()) {
      if (frame.size() > 2 && frame[2] == 0x03) out.push_back(frame);
    }
    return out;
  }
  bool settle() {
    return runUntil([&] { return QueueEmpty(s()) && history.canUndo(); }, Ms(2000));
  }
};

TEST(SettingsHistory, UndoAndRedoEachPickThePreviousEntryOnceAndTheReadBackConfirmsIt) {
  HistoryBench b;
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.history.undoText(), "Undo");
  b.form.pickSetting(2, 1);  // brake Enable
  ASSERT_TRUE(b.settle());
  EXPECT_EQ(b.writes(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}}));
  EXPECT_EQ(b.history.undoText(), "Undo: brake Enable \u2192 Disable");

  ASSERT_TRUE(b.history.undo());
  EXPECT_FALSE(b.history.undo());  // not again while its write is out
  ASSERT_TRUE(b.runUntil([&] { return b.history.canRedo(); }, Ms(2000)));
  EXPECT_EQ(b.writes(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x01}}));
  EXPECT_EQ(b.esc.settings()[1], 1);
  EXPECT_EQ(b.history.redoText(), "Redo: brake Disable \u2192 Enable");
  EXPECT_FALSE(b.history.canUndo());

  ASSERT_TRUE(b.history.redo());
  ASSERT_TRUE(b.settle());
  EXPECT_EQ(b.writes(), (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}}));
  EXPECT_EQ(b.esc.settings()[1], 2);
}

// A loaded file changes several settings in one action: one step, taken back whole.
TEST(SettingsHistory, ALoadIsOneStepAndANewChangeForgetsWhatWasUndone) {
  HistoryBench b;
  ASSERT_TRUE(b.connectAndRead());
  PickSettings(b.form, {5, kNotGiven, kNotGiven, 2, 1});
  ASSERT_TRUE(b.settle());
  EXPECT_EQ(b.writes().size(), 3u);
  ASSERT_EQ(b.history.undoSteps().size(), 1u);
  EXPECT_EQ(b.history.undoText(),
            "Undo: 3 settings (cutoffVoltage, timingAdvance, rotationDirection)");
  ASSERT_TRUE(b.history.undo());
  ASSERT_TRUE(b.runUntil([&] { return b.history.canRedo(); }, Ms(2000)));
  EXPECT_EQ(b.writes().size(), 3u);
  EXPECT_EQ(b.esc.settings(), (std::array<std::uint8_t, 5>{2, 1, 2, 2, 1}));
  b.form.restoreDefaults();  // nothing to change: no step, redo kept
  b.form.pickSetting(1, 0);
  ASSERT_TRUE(b.settle());
  EXPECT_FALSE(b.history.canRedo());
  EXPECT_EQ(b.history.undoSteps().size(), 1u);
}

// Nothing of one ESC is ever written to another, nor to the same one connected again: the
// new ESC holds what the step left, so only the history's end stands between it and a write.
TEST(SettingsHistory, ANewConnectionStartsEmptyAndUndoWritesNothingToTheNextEsc) {
  for (const bool unplugged : {false, true}) {
    HistoryBench b;
    sim::EscModel other({10503, 1100, {2, 2, 2, 2, 1}});  // brake Enable, as A is left
    ASSERT_TRUE(b.connectAndRead());
    b.form.pickSetting(2, 1);
    ASSERT_TRUE(b.settle());
    if (unplugged) {
      b.line.unplug();
      b.clock.runFor(Ms(1000));
      b.line.addPort(1);
      b.form.PortAppeared(1);
    } else {
      b.line.detachEsc(1);
      b.clock.runFor(Ms(2000));
    }
    b.line.attachEsc(1, other);
    ASSERT_TRUE(b.connectAndRead(Ms(5000))) << unplugged;
    b.writes();
    EXPECT_FALSE(b.history.canUndo()) << unplugged;
    EXPECT_FALSE(b.history.undo()) << unplugged;
    EXPECT_EQ(b.history.undoText(), "Undo");
    b.clock.runFor(Ms(1000));
    EXPECT_EQ(b.writes(), std::vector<Bytes>()) << unplugged;
    EXPECT_EQ(other.settings()[1], 2) << unplugged;
  }
}

}  // namespace
}  // namespace morvane::test
