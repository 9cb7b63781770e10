// morvane-esc-config: the composition root. Builds the real seams, the window's logic and
// its view, and runs the event loop.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "link/link.h"
#include "port_table.h"
#include "qt_timer.h"
#include "serial_comm.h"
#include "stop_signals.h"
#include "system_ports.h"
#include "ui/form_mvconfig.h"
#include "ui/qt/form_view.h"

namespace {

constexpr const char* kUsage =
    "Usage: morvane-esc-config [--help | --version]\n"
    "Configures a Morvane ESC over a serial port (38400 baud).\n"
    "\n"
    "COM1 to COM16 are the serial ports the system reports, USB adapters first.\n"
    "MORVANE_ESC_PORTS replaces that list: colon-separated device paths for COM1, COM2, ...\n"
    "(an empty element skips a number). Examples:\n"
    "  MORVANE_ESC_PORTS=/dev/ttyUSB0 morvane-esc-config\n"
    "  morvane-esc-sim --link /tmp/esc &\n"
    "  MORVANE_ESC_PORTS=/tmp/esc:/dev/ttyUSB0 morvane-esc-config\n"
    "    (COM1 the simulated ESC, COM2 the adapter)\n";

// --help and --version answer without a display, before the window system is touched.
std::optional<int> AnswerInfoOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("morvane-esc-config %d.%d.%d\n", MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR,
                  MORVANE_VERSION_PATCH);
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerInfoOption(argc, argv)) return *status;
  Q_INIT_RESOURCE(pictures);
  // One style everywhere: the layout's small boxes are checked against Fusion's margins.
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication app(argc, argv);

  // Qt has taken its own options; anything left is a mistake.
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    std::fprintf(stderr, "morvane-esc-config: unknown argument '%s' (see --help)\n",
                 args[1].toLocal8Bit().constData());
    return 2;
  }

  QApplication::setApplicationName("morvane-esc-config");
  QGuiApplication::setDesktopFileName("morvane-esc-config");
  QApplication::setWindowIcon(QIcon(":/morvane/morvane-esc-config.png"));

  using namespace morvane;
  const Platform platform = CurrentPlatform();
  const std::vector<SerialDevice> systemPorts = SystemSerialPorts();
  const std::optional<std::string> portList = Environment("MORVANE_ESC_PORTS");
  if (portList) {
    if (const std::string warning = ParsePortList(*portList).warning; !warning.empty()) {
      std::fprintf(stderr, "morvane-esc-config: %s\n", warning.c_str());
    }
  }
  const PortTable table =
      BuildPortTable(portList, systemPorts, platform,
                     [&](const std::string& path) { return DescribeDevice(path, systemPorts); });

  SerialComm comm(table);
  QtTimer timer1(kIdlePollMs);
  QtTimer timer2(kReplyTimeoutMs);
  QtEventPump pump;
  FormMVconfig form(comm, timer1, timer2, pump,
                    {MORVANE_VERSION_MAJOR, MORVANE_VERSION_MINOR, MORVANE_VERSION_PATCH});
  FormView view(form);
  view.setPortToolTips([&](int n) { return QString::fromStdString(EntryTip(table, n)); },
                       QString::fromStdString(EmptyListTip(table, platform)));

  form.Load();
  // Only now: a close while start-up still scans the ports would run shutdown half-way.
  CloseOnStopSignals(view);
  view.show();
  return QApplication::exec();
}
