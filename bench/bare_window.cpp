// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up time and memory: one empty QWidget shown. With --text it shows
// one line of text instead, the floor for any window that must draw words. It runs until
// its window is closed (the start-up probe closes it once it has been shown).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::unique_ptr<QWidget> window;
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
    window = std::make_unique<QLabel>("Morvane ESC Config");
  } else {
    window = std::make_unique<QWidget>();
  }
  window->show();
  return QApplication::exec();
}
