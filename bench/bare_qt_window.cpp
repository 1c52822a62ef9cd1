// Baselines for start-up: an empty Qt window built like the program, and with WITH_TEXT the
// same window with one label, which is what loading the font system alone costs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "ui/qt/main_window.h"

int main(int argc, char* argv[]) {
  UseDevicePixels();
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare");
  window.resize(159, 56);
#ifdef WITH_TEXT
  new QLabel("Command1", &window);
#endif
  window.show();
  return QApplication::exec();
}
