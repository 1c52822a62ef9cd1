#include <QApplication>

#include "ui/form.h"
#include "ui/qt/main_window.h"

int main(int argc, char* argv[]) {
  UseDevicePixels();
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromUtf8(ui::ApplicationTitle.data()));
  MainWindow window;
  window.show();
  return QApplication::exec();
}
