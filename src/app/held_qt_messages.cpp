// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/held_qt_messages.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace morvane {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray file;
  int line;
  QByteArray function;
  QByteArray category;
  QString text;
};

std::mutex g_mutex;
std::vector<HeldMessage> g_held;

// What the window system was told to use, for the one line.
std::string DisplaySettings() {
  std::string settings;
  for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    settings += (settings.empty() ? "" : ", ") + std::string(name) + "=" + value;
  }
  return settings.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : settings;
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // Qt would abort with advice to reinstall; the remedy is a desktop.
    std::fprintf(stderr,
                 "morvane-esc-config: no usable display (%s); run it on a desktop, or set "
                 "QT_QPA_PLATFORM=offscreen for a headless check\n",
                 DisplaySettings().c_str());
    std::fflush(stderr);
    // Nothing of ours is open yet, and Qt is half built: leave without running its cleanup.
    std::_Exit(1);
  }
  const std::lock_guard lock(g_mutex);
  g_held.push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

HeldQtMessages::HeldQtMessages() : previous_(qInstallMessageHandler(Hold)) {}

void HeldQtMessages::passOn() {
  if (!holding_) return;
  holding_ = false;
  qInstallMessageHandler(previous_);
  std::vector<HeldMessage> held;
  {
    const std::lock_guard lock(g_mutex);
    held.swap(g_held);
  }
  for (const HeldMessage& m : held) {
    const QMessageLogContext context(m.file.isNull() ? nullptr : m.file.constData(), m.line,
                                     m.function.isNull() ? nullptr : m.function.constData(),
                                     m.category.isNull() ? nullptr : m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
}

}  // namespace morvane
