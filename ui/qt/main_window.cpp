#include "ui/qt/main_window.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToPixels(const ui::Rect& twips, int dpi) {
  const ui::Rect pixels = ui::TwipsToPixels(twips, dpi);
  return {pixels.left, pixels.top, pixels.width, pixels.height};
}

// The width the style leaves for a push button's caption, less the style's text margin so that
// the caption does not touch the frame.
int CaptionWidth(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  const QStyle& style = *button.style();
  return style.subElementRect(QStyle::SE_PushButtonContents, &option, &button).width() -
         style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
}

// The button's font, made smaller until the whole caption shows: the desktop's default font is
// often too wide for the form's small button. Text width grows about linearly with the size, so
// the first guess is proportional; each font size tried costs a font load.
void FitCaption(QPushButton& button) {
  constexpr qreal Step = 0.25;
  constexpr qreal SmallestPointSize = 4;
  QFont font = button.font();
  if (font.pointSizeF() <= 0) font.setPointSizeF(QFontInfo(font).pointSizeF());  // set in pixels
  const int width = CaptionWidth(button);
  const auto captionWidth = [&] { return QFontMetrics(font).horizontalAdvance(button.text()); };
  if (captionWidth() <= width) return;
  font.setPointSizeF(std::max(SmallestPointSize, font.pointSizeF() * width / captionWidth()));
  while (captionWidth() > width && font.pointSizeF() - Step >= SmallestPointSize)
    font.setPointSizeF(font.pointSizeF() - Step);
  button.setFont(font);
}

void ShowBox(QWidget* owner, QMessageBox::Icon icon, std::string_view text) {
  QMessageBox box(icon, ToQString(ui::ApplicationTitle), ToQString(text), QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace

void UseDevicePixels() { qputenv("QT_ENABLE_HIGHDPI_SCALING", "0"); }

MainWindow::MainWindow(ProgramEnd programEnd, QWidget* parent)
    : QWidget(parent), programEnd_(std::move(programEnd)) {
  const ui::Form& form = ui::M3U8;
  const int dpi = logicalDpiX();
  setObjectName(ToQString(form.name));
  setWindowTitle(ToQString(form.caption));
  resize(ui::TwipsToPixels(form.clientWidth, dpi), ui::TwipsToPixels(form.clientHeight, dpi));
  // Qt's tab order is the order of creation, and the form lists its controls in tab order.
  for (const ui::Control& control : form.controls) CreateControl(control, dpi);
  text1_->setFocus();
  connect(command1_, &QPushButton::clicked, this, &MainWindow::OnCommand1Clicked);
}

QWidget* MainWindow::CreateControl(const ui::Control& control, int dpi) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ui::ControlKind::TextBox:
      widget = text1_ = new QLineEdit(ToQString(control.text), this);
      break;
    case ui::ControlKind::CommandButton:
      widget = command1_ = new QPushButton(ToQString(control.text), this);
      command1_->setAutoDefault(false);
      break;
  }
  widget->setObjectName(ToQString(control.name));
  widget->setGeometry(ToPixels(control.bounds, dpi));
  if (command1_ == widget) FitCaption(*command1_);
  return widget;
}

void MainWindow::QuitEventLoop(int status) { QCoreApplication::exit(status); }

void MainWindow::OnCommand1Clicked() { ui::Dispatch(*this, ui::Command1Click); }

void MainWindow::ShowCompletion(std::string_view text) { ShowBox(this, QMessageBox::NoIcon, text); }

void MainWindow::ShowFailure(std::string_view text) { ShowBox(this, QMessageBox::Critical, text); }

void MainWindow::EndProgram(int status) { programEnd_(status); }
