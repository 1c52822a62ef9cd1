// The window M3U8 on Qt Widgets.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/events.h"
#include "ui/form.h"

class QLineEdit;
class QPushButton;

class MainWindow : public QWidget, private ui::FrontEnd {
  Q_OBJECT

 public:
  // How the program ends after a failure; tests record the status instead.
  using ProgramEnd = std::function<void(int status)>;

  explicit MainWindow(ProgramEnd programEnd = QuitEventLoop, QWidget* parent = nullptr);

  static void QuitEventLoop(int status);

 private slots:
  void OnCommand1Clicked();

 private:
  void ShowCompletion(std::string_view text) override;
  void ShowFailure(std::string_view text) override;
  void EndProgram(int status) override;

  QWidget* CreateControl(const ui::Control& control, int dpi);

  ProgramEnd programEnd_;
  QLineEdit* text1_ = nullptr;
  QPushButton* command1_ = nullptr;
};

// Call before the QApplication is made: the form's twips become device pixels at the screen's
// logical DPI here, as on Windows, instead of Qt scaling 96-dpi pixels by a factor.
void UseDevicePixels();
