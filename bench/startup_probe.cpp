// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded with LD_PRELOAD into a Qt Widgets program: once a top-level window has been
// exposed and painted, writes the wall-clock time in nanoseconds to the file named by
// MORVANE_PROBE_OUT and closes every window, so the program ends as its user would end it.
// The program itself is not changed.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class ShownProbe : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!fired_ && event->type() == QEvent::Expose && watched->isWindowType() &&
        static_cast<QWindow*>(watched)->isExposed()) {
      fired_ = true;
      // Queued: runs once the expose has been handled, that is after the first paint.
      QTimer::singleShot(0, this, [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        if (const char* out = std::getenv("MORVANE_PROBE_OUT")) {
          if (std::FILE* f = std::fopen(out, "w")) {
            std::fprintf(f, "%lld\n",
                         static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fclose(f);
          }
        }
        QApplication::closeAllWindows();
      });
    }
    return false;
  }

 private:
  bool fired_ = false;
};

void InstallProbe() {
  QCoreApplication::instance()->installEventFilter(new ShownProbe(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
