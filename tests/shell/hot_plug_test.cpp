// SPDX-License-Identifier: GPL-3.0-or-later
// The port table following the devices: what the follower tells the window, and the inotify
// watch against links to pseudo-terminals made and removed at listed paths.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ports/port_follower.h"
#include "pty.h"
#include "shell/device_watch.h"
#include "shell/system_ports.h"
#include "temp_dir.h"

namespace morvane {
namespace {

using test::Pty;

// What the window was told, in order: +n appeared, -n vanished; with each appearance, the
// path the table held for n at that moment.
struct Told {
  std::vector<int> events;
  std::vector<std::string> paths;
};

void Listen(PortFollower& follower, PortTable& table, Told& told) {
  follower.setOnAppeared([&](int n) {
    told.events.push_back(n);
    told.paths.push_back(table.device(n) != nullptr ? table.device(n)->path : "");
  });
  follower.setOnVanished([&](int n) { told.events.push_back(-n); });
}

PresentDevice Adapter(const std::string& key, const std::string& path) {
  return {key, path, {path, "adapter " + key}};
}

TEST(PortFollower, TellsWhatCameAndWentWithTheTableReadyFirst) {
  std::vector<PresentDevice> now = {Adapter("A", "/dev/ttyUSB0")};
  PortTable table({now[0].entry});
  PortFollower follower(
      table, PortNumbers({"A"}, false), [&] { return now; }, now);
  Told told;
  Listen(follower, table, told);

  follower.update();  // nothing changed
  now.push_back(Adapter("B", "/dev/ttyUSB1"));
  follower.update();
  now.erase(now.begin());
  follower.update();
  // A comes back where B was before: its own number, with the new path.
  now = {Adapter("B", "/dev/ttyUSB2"), Adapter("A", "/dev/ttyUSB1")};
  follower.update();
  // Unplugged and plugged between two looks: the removed path tells.
  follower.update({"/dev/ttyUSB1"});

  EXPECT_EQ(told.events, (std::vector<int>{2, -1, -2, 1, 2, -1, 1}));
  EXPECT_EQ(told.paths, (std::vector<std::string>{"/dev/ttyUSB1", "/dev/ttyUSB1", "/dev/ttyUSB2",
                                                  "/dev/ttyUSB1"}));
}

TEST(PortFollower, AListedTableGivesNoNumberToOtherDevicesAndAWindowCallBackWaits) {
  std::vector<PresentDevice> now;
  PortTable table({{"escA", ""}, {"escB", ""}});
  PortFollower follower(
      table, PortNumbers({"escA", "escB"}, true), [&] { return now; }, now);
  Told told;
  Listen(follower, table, told);
  // The window pumps events while it opens a port; a word that comes then is handled after.
  bool nested = false;
  follower.setOnAppeared([&](int n) {
    told.events.push_back(n);
    if (!nested) {
      nested = true;
      now.push_back(Adapter("escB", "/dev/pts/8"));
      follower.update();
      EXPECT_EQ(told.events, std::vector<int>{n});
    }
  });
  now = {Adapter("other", "/dev/pts/6"), Adapter("escA", "/dev/pts/7")};
  follower.update();
  EXPECT_EQ(told.events, (std::vector<int>{1, 2}));
}

// A listed path that leads to another device while the port is open: the open line goes
// on until its own device goes, as closing it would leave the ESC without a stop.
TEST(PortFollower, TheOpenPortKeepsItsDeviceUntilThatDeviceGoes) {
  namespace fs = std::filesystem;
  const test::TempDir temp("morvane-follow");
  ASSERT_FALSE(temp.path().empty());
  const std::string& dir = temp.path();
  for (const char* name : {"/devA", "/devB", "/devC"}) std::ofstream(dir + name) << "";
  const auto listedAt = [&](const char* a, const char* b) {
    return std::vector<PresentDevice>{{"escA", dir + a, {"escA", ""}},
                                      {"escB", dir + b, {"escB", ""}}};
  };
  std::vector<PresentDevice> now = listedAt("/devA", "/devB");
  PortTable table({{"escA", ""}, {"escB", ""}});
  PortFollower follower(
      table, PortNumbers({"escA", "escB"}, true), [&] { return now; }, now);
  Told told;
  Listen(follower, table, told);
  follower.setIsOpen([](int n) { return n == 1; });

  now = listedAt("/devC", "/devC");
  follower.update();
  EXPECT_EQ(told.events, (std::vector<int>{-2, 2}));
  fs::remove(dir + "/devA");
  follower.update({dir + "/devA"});
  EXPECT_EQ(told.events, (std::vector<int>{-2, 2, -1, 1}));
}

// Other programs make and close pseudo-terminals all the time; with a listed table only
// changes at a listed path or where it leads make the follower list the devices again.
TEST(PortFollower, AListedTableLooksOnlyAtChangesWhereItsPathsLead) {
  namespace fs = std::filesystem;
  const test::TempDir temp("morvane-follow");
  ASSERT_FALSE(temp.path().empty());
  const std::string& dir = temp.path();
  const std::vector<std::string> listed = {dir + "/escA", dir + "/escB"};
  fs::create_symlink("/dev/pts/77", listed[1]);  // left by a killed simulator
  int looks = 0;
  PortTable table({{listed[0], ""}, {listed[1], ""}});
  PortFollower follower(table, PortNumbers(listed, true),
                        [&] {
                          ++looks;
                          return std::vector<PresentDevice>{};
                        },
                        {});
  follower.lookOnlyAt(listed);

  follower.changed({{"/dev/pts/5"}, {"/dev/pts/5", "/dev/pts/6", dir + "/other"}});
  EXPECT_EQ(looks, 0);
  for (const std::string& path : {listed[0], std::string("/dev/pts/77")}) {
    follower.changed({{}, {"/dev/pts/6", path}});
  }
  follower.changed({{}, {}, true});  // events were dropped
  EXPECT_EQ(looks, 3);
}

TEST(InotifyDeviceWatch, LinksAtListedPathsAndTheirDevicesComeAndGo) {
  namespace fs = std::filesystem;
  const test::TempDir temp("morvane-watch");
  ASSERT_FALSE(temp.path().empty());
  const std::string& dir = temp.path();
  const std::string link = dir + "/esc";
  const std::vector<std::string> listed = {dir + "/absent", link};

  PortTable table({{listed[0], ""}, {listed[1], ""}});
  SystemPortList none([] { return std::vector<SerialDevice>{}; });
  PortFollower follower(
      table, PortNumbers(listed, true), [&] { return ListedDevices(listed, none); },
      ListedDevices(listed, none));
  InotifyDeviceWatch watch({"/dev", "/dev/pts", dir});
  follower.lookOnlyAt(listed);
  watch.setOnChange([&](const DeviceChanges& changes) { follower.changed(changes); });
  watch.start();
  Told told;
  Listen(follower, table, told);
  const auto toldAfter = [&](const std::vector<int>& events) {
    return QTest::qWaitFor([&] { return told.events == events; }, 5000);
  };

  auto first = std::make_unique<Pty>();
  Pty second;
  ASSERT_FALSE(first->path().empty());
  ASSERT_FALSE(second.path().empty());
  fs::create_symlink(first->path(), link);
  ASSERT_TRUE(toldAfter({2})) << ::testing::PrintToString(told.events);
  EXPECT_EQ(told.paths, std::vector<std::string>{link});
  EXPECT_NE(table.device(2)->description.find(first->path()), std::string::npos);

  fs::remove(link);
  ASSERT_TRUE(toldAfter({2, -2})) << ::testing::PrintToString(told.events);
  // A new link put in place at once, as a restarted simulator does it.
  fs::create_symlink(first->path(), link);
  ASSERT_TRUE(toldAfter({2, -2, 2})) << ::testing::PrintToString(told.events);
  fs::create_symlink(second.path(), dir + "/next");
  fs::rename(dir + "/next", link);
  ASSERT_TRUE(toldAfter({2, -2, 2, -2, 2})) << ::testing::PrintToString(told.events);
  // The link stays, the device it leads to goes.
  second.close();
  ASSERT_TRUE(toldAfter({2, -2, 2, -2, 2, -2})) << ::testing::PrintToString(told.events);
}

}  // namespace
}  // namespace morvane
