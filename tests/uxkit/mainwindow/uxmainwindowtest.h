#ifndef UXMAINWINDOWTEST_H
#define UXMAINWINDOWTEST_H

// What the main-window tests share: a main window as a program derives it,
// a fixture that starts like the program and checks that no window outlives
// a test, and small helpers.

#include "nubmsg.h"
#include "uxmainwindow.h"
#include "uxmessagewindow.h"
#include "uxprefstab.h"
#include "uxtestutil.h"

#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QTemporaryDir>
#include <memory>

namespace UxTest {

using MW = Ux::MainWindow;

const unsigned kAllActions = MW::UIA_FileNew | MW::UIA_FileOpen | MW::UIA_FileSave |
                             MW::UIA_FileSaveAs | MW::UIA_FileQuit | MW::UIA_Preferences |
                             MW::UIA_ViewRefresh | MW::UIA_HelpPrg | MW::UIA_HelpWhatsThis |
                             MW::UIA_HelpAbout;

}  // namespace UxTest

// A main window as a program derives it.
class TestMain : public Ux::MainWindow {
  Q_OBJECT

 public:
  explicit TestMain(TypeE type = TY_Workspace, const QPixmap &picture = QPixmap())
      : Ux::MainWindow(type, QIcon(), picture) {}
  int opened = 0;
  int refreshed = 0;
  QList<bool> toggles;

 public slots:
  void slotFileOpen() override { ++opened; }
  void slotViewRefresh() override { ++refreshed; }
  void slotToggled(bool on) { toggles << on; }
  void slotPlain() { ++opened; }
};

namespace UxTest {

inline std::unique_ptr<TestMain> standardWindow(MW::TypeE type = MW::TY_Workspace) {
  auto win = std::make_unique<TestMain>(type);
  win->addStandardUIs(0x1f);
  win->addStandardActions(kAllActions);
  return win;
}

inline bool paneHas(const QString &part) {
  return Ux::MessageWindow::getRep()->toPlainText().contains(part);
}

// Answers a file dialog as a user typing the full name would.
inline void typeFileName(QFileDialog *dialog, const QString &path) {
  auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
  QVERIFY(edit);
  edit->setText(path);
  static_cast<QDialog *>(dialog)->accept();
  QVERIFY(!dialog->isVisible());
}

inline QStringList menuTexts(const QMenu *menu) {
  QStringList out;
  for (QAction *a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

}  // namespace UxTest

// The base of the main-window test cases: the program's start-up before any
// test, and no main window or preference page left behind by one.
class MainWindowTestCase : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(mTmp.isValid());
    Ux::App::setInfo(QStringLiteral("name"), QStringLiteral("UxTest"));
    Ux::App::setInfo(QStringLiteral("nameLong"), QStringLiteral("UxTest Version 9"));
    Ux::App::setInfo(QStringLiteral("history"), QStringLiteral("<b>First</b> release"));
    // As at start-up: the message window before any configuration or main window.
    QVERIFY(!UxTest::MW::getRep());
    UxTest::MW::setupMessageWindow();
    QVERIFY(Ux::MessageWindow::getRep());
    QVERIFY(!Ux::MessageWindow::getRep()->parentWidget());
    Nub::info("before the main window");
    QVERIFY(UxTest::paneHas(QStringLiteral("before the main window")));
  }

  void cleanup() {
    QVERIFY(!UxTest::MW::getRep());
    QVERIFY(Ux::PrefsTab::tabs().isEmpty());
  }

 protected:
  QTemporaryDir mTmp;
};

#endif  // UXMAINWINDOWTEST_H
