// SPDX-License-Identifier: GPL-3.0-or-later
// How long the real serial port takes to report a pulled adapter: the far end of a
// pseudo-terminal closes while the port is idle, and the time to the port-failure report
// is taken, with the receive threshold at 0 and at 1. Also the CPU the process uses in the
// quiet time after each report, which shows a dead port that keeps the program busy.
//
//   unplug_delay [RUNS]   (default 20 for each threshold)
// Exits 1 when a pull is not reported within 2 s or reported more than once.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ports/port_table.h"
#include "shell/serial_comm.h"

namespace {

constexpr int kGiveUpMs = 2000;
constexpr int kQuietMs = 200;

double CpuSeconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void RunEventsFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Pull {
  double delayMs = -1;  // -1: not reported
  int reports = 0;
  double quietCpuMs = 0;
};

Pull PullOnce(int threshold) {
  Pull pull;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    std::perror("posix_openpt");
    std::exit(2);
  }
  const morvane::PortTable table({{::ptsname(master), ""}});
  morvane::SerialComm comm(table);
  comm.setCommPort(1);
  if (!comm.setPortOpen(true)) {
    std::fprintf(stderr, "cannot open %s\n", ::ptsname(master));
    std::exit(2);
  }
  comm.setRThreshold(threshold);
  RunEventsFor(20);  // the open settles: no event of it is left to count

  QEventLoop loop;
  QElapsedTimer clock;
  comm.setOnPortFailed([&] {
    if (++pull.reports == 1) pull.delayMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    loop.quit();
  });
  QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
  clock.start();
  ::close(master);
  loop.exec();

  const double cpu = CpuSeconds();
  RunEventsFor(kQuietMs);
  pull.quietCpuMs = (CpuSeconds() - cpu) * 1000;
  return pull;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  std::printf("Qt %s, %d pulls for each receive threshold\n", qVersion(), runs);

  bool allReported = true;
  for (int threshold : {0, 1}) {
    std::vector<double> delays;
    double worstCpu = 0;
    int missed = 0, repeated = 0;
    for (int i = 0; i < runs; ++i) {
      const Pull pull = PullOnce(threshold);
      if (pull.reports == 0) ++missed;
      if (pull.reports > 1) ++repeated;
      if (pull.delayMs >= 0) delays.push_back(pull.delayMs);
      worstCpu = std::max(worstCpu, pull.quietCpuMs);
    }
    std::sort(delays.begin(), delays.end());
    std::printf("threshold %d: ", threshold);
    if (delays.empty()) {
      std::printf("no pull reported within %d ms", kGiveUpMs);
    } else {
      std::printf("delay median %.2f ms, max %.2f ms", delays[delays.size() / 2], delays.back());
    }
    std::printf("; not reported %d, reported twice %d; CPU in the %d ms after, at most %.1f ms\n",
                missed, repeated, kQuietMs, worstCpu);
    allReported = allReported && missed == 0 && repeated == 0;
  }
  return allReported ? 0 : 1;
}
