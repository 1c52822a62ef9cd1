// Drives the real Qt window: geometry, focus, clicks, the boxes and the end after a failure.
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <optional>

#include "segment_list/segment_list.h"
#include "tests/file_bytes.h"

namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A message box as the user met it, and the state of the lists while it was up.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  int buttonCount;
  bool applicationModal;
  QWidget* owner;
  bool listsCompleteMeanwhile;
};

// Watches for message boxes, records each one and presses its OK button.
class BoxWatcher : public QObject {
 public:
  explicit BoxWatcher(std::filesystem::path home) : home_(std::move(home)) {
    connect(&timer_, &QTimer::timeout, this, &BoxWatcher::Poll);
    timer_.start(10);
  }
  const std::vector<SeenBox>& Seen() const { return seen_; }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen_.push_back(
        {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
         box->windowModality() == Qt::ApplicationModal, box->parentWidget(), ListsComplete()});
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  }
  bool ListsComplete() const {
    return ReadBytes(home_ / "xz.txt") == segment_list::ListText(segment_list::FirstList) &&
           ReadBytes(home_ / "xz2.txt") == segment_list::ListText(segment_list::SecondList);
  }

  std::filesystem::path home_;
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void geometryFollowsTheFormAtTheScreenDpi();
  void captionFitsTheButtonWhateverTheDefaultFont_data();
  void captionFitsTheButtonWhateverTheDefaultFont();
  void focusStartsInText1AndTabCycles();
  void clickWritesTheListsThenShowsTheBox_data();
  void clickWritesTheListsThenShowsTheBox();
  void secondClickRewritesTheLists();
  void failureIsReportedOnceAndEndsTheProgram();

 private:
  std::filesystem::path Home() const { return home_->path().toStdString(); }
  QLineEdit* Text1() const { return window_->findChild<QLineEdit*>("Text1"); }
  QPushButton* Command1() const { return window_->findChild<QPushButton*>("Command1"); }
  void ShowWindow();

  std::optional<QTemporaryDir> home_;
  std::optional<MainWindow> window_;
  std::vector<int> endStatuses_;
};

void MainWindowTest::init() {
  home_.emplace();
  QVERIFY(home_->isValid());
  qputenv("HOME", home_->path().toUtf8());
  endStatuses_.clear();
}

void MainWindowTest::cleanup() {
  window_.reset();
  home_.reset();
  QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void MainWindowTest::ShowWindow() {
  window_.emplace([this](int status) { endStatuses_.push_back(status); });
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(&*window_));
}

void MainWindowTest::geometryFollowsTheFormAtTheScreenDpi() {
  struct Expected {
    int dpi;
    QSize client;
    QRect text1;
    QRect command1;
  };
  const Expected table[] = {
      {96, {159, 56}, {8, 8, 73, 33}, {88, 8, 57, 33}},
      {144, {238, 84}, {12, 12, 109, 49}, {132, 12, 85, 49}},
  };
  // CTest runs this program once per screen density and names the density it set up.
  const int dpi = qEnvironmentVariableIntValue("TEST_SCREEN_DPI");
  const auto row = std::find_if(std::begin(table), std::end(table),
                                [dpi](const Expected& e) { return e.dpi == dpi; });
  QVERIFY2(row != std::end(table), "TEST_SCREEN_DPI names no density of the table");
  ShowWindow();
  QCOMPARE(window_->logicalDpiX(), dpi);

  QCOMPARE(window_->windowTitle(), QString("M3U8"));
  QCOMPARE(window_->size(), row->client);
  QCOMPARE(Text1()->geometry(), row->text1);
  QCOMPARE(Command1()->geometry(), row->command1);
  QCOMPARE(Text1()->text(), QString());
  QCOMPARE(Command1()->text(), QString("Command1"));

  // Resizing moves nothing.
  window_->resize(row->client * 2);
  QCOMPARE(Text1()->geometry(), row->text1);
  QCOMPARE(Command1()->geometry(), row->command1);
}

void MainWindowTest::captionFitsTheButtonWhateverTheDefaultFont_data() {
  QTest::addColumn<qreal>("pointSize");
  QTest::newRow("small") << 7.0;
  QTest::newRow("usual") << 10.0;
  QTest::newRow("large") << 16.0;
}

void MainWindowTest::captionFitsTheButtonWhateverTheDefaultFont() {
  QFETCH(qreal, pointSize);
  const QFont desktopFont = QApplication::font();
  QFont font = desktopFont;
  font.setPointSizeF(pointSize);
  QApplication::setFont(font);
  ShowWindow();
  QApplication::setFont(desktopFont);

  QStyleOptionButton option;
  option.initFrom(Command1());
  const QRect contents =
      Command1()->style()->subElementRect(QStyle::SE_PushButtonContents, &option, Command1());
  const int captionWidth = QFontMetrics(Command1()->font()).horizontalAdvance("Command1");
  QVERIFY2(captionWidth <= contents.width(),
           qPrintable(QString("caption %1 px in %2 px").arg(captionWidth).arg(contents.width())));
  QVERIFY(Command1()->font().pointSizeF() <= pointSize);
}

void MainWindowTest::focusStartsInText1AndTabCycles() {
  ShowWindow();
  QCOMPARE(QApplication::focusWidget(), Text1());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), Command1());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), Text1());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  QCOMPARE(QApplication::focusWidget(), Command1());
}

void MainWindowTest::clickWritesTheListsThenShowsTheBox_data() {
  QTest::addColumn<bool>("byKeyboard");
  QTest::addColumn<QString>("typed");
  QTest::newRow("mouse, empty text box") << false << QString();
  QTest::newRow("Space, typed text") << true << QString("C:\\other.txt 42");
}

void MainWindowTest::clickWritesTheListsThenShowsTheBox() {
  QFETCH(bool, byKeyboard);
  QFETCH(QString, typed);
  ShowWindow();
  QTest::keyClicks(Text1(), typed);
  BoxWatcher watcher(Home());

  if (byKeyboard) {
    QTest::keyClick(Text1(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Command1());
    QTest::keyClick(Command1(), Qt::Key_Space);
  } else {
    QTest::mouseClick(Command1(), Qt::LeftButton);
  }

  QCOMPARE(watcher.Seen().size(), 1u);
  const SeenBox& box = watcher.Seen().front();
  QCOMPARE(box.text, QString("123456"));
  QCOMPARE(box.title, QString("M3U8"));
  QCOMPARE(box.icon, QMessageBox::NoIcon);
  QCOMPARE(box.buttonCount, 1);
  QVERIFY(box.applicationModal);
  QCOMPARE(box.owner, &*window_);
  QVERIFY2(box.listsCompleteMeanwhile, "the box came up before both lists were written");
  QCOMPARE(Text1()->text(), typed);
  QVERIFY(endStatuses_.empty());
}

void MainWindowTest::secondClickRewritesTheLists() {
  ShowWindow();
  BoxWatcher watcher(Home());
  QTest::mouseClick(Command1(), Qt::LeftButton);
  std::filesystem::remove(Home() / "xz.txt");
  WriteBytes(Home() / "xz2.txt", "changed by hand");

  QTest::mouseClick(Command1(), Qt::LeftButton);

  QCOMPARE(watcher.Seen().size(), 2u);
  QCOMPARE(watcher.Seen().back().text, QString("123456"));
  QVERIFY(watcher.Seen().back().listsCompleteMeanwhile);
}

void MainWindowTest::failureIsReportedOnceAndEndsTheProgram() {
  std::filesystem::create_directory(Home() / "xz.txt");
  WriteBytes(Home() / "xz2.txt", "old");
  ShowWindow();
  BoxWatcher watcher(Home());

  QTest::mouseClick(Command1(), Qt::LeftButton);

  QCOMPARE(watcher.Seen().size(), 1u);
  const SeenBox& report = watcher.Seen().front();
  QCOMPARE(report.title, QString("M3U8"));
  QCOMPARE(report.icon, QMessageBox::Critical);
  QVERIFY2(report.text.contains(QString::fromStdString((Home() / "xz.txt").string())),
           qPrintable(report.text));
  QVERIFY2(report.text.contains(QString::fromUtf8(std::strerror(EISDIR))), qPrintable(report.text));
  QCOMPARE(endStatuses_, std::vector<int>{1});
  QCOMPARE(ReadBytes(Home() / "xz2.txt"), std::string("old"));
}

int main(int argc, char* argv[]) {
  UseDevicePixels();
  QApplication app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
