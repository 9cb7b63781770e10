// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up time and memory: one empty QWidget shown. With --text it shows
// two short lines of text instead, in the faces the program's first paint uses (its window's
// Liberation Sans 8.25 pt and the application's default face): the floor for any window that
// must draw those words. It runs until its window is closed (the start-up probe closes it
// once it has been shown).
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  auto window = std::make_unique<QWidget>();
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPointSizeF(8.25);
    window->setFont(face);
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(new QLabel(QStringLiteral("Morvane ESC Config")));
    auto* selectable = new QLabel(QStringLiteral("Unconnected"));
    // As the window's text boxes: selectable, so Qt makes a text document, which loads the
    // application's default face.
    selectable->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(selectable);
  }
  window->show();
  return QApplication::exec();
}
