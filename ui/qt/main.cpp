#include <QApplication>

#include "ui/qt/main_window.h"

int main(int argc, char* argv[]) {
  UseDevicePixels();
  QApplication app(argc, argv);
  MainWindow window;
  window.show();
  return QApplication::exec();
}
