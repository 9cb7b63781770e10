// The floor for start-up time and memory: one empty QWidget shown. It runs until its
// window is closed (the start-up probe closes it once it has been shown).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.show();
  return QApplication::exec();
}
