// The main window's menus, tool bars and actions: ids, texts and tips,
// string and typed connections, flags, the standard menus and actions.

#include "nubmsg.h"
#include "uxguisysmenu.h"
#include "uxmainwindowtest.h"
#include "uxtabdialog.h"

#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QToolBar>

using namespace UxTest;

// Its member is no slot: typed connections reach any member function.
class Receiver : public QObject {
 public:
  explicit Receiver(int *calls) : mCalls(calls) {}
  void hit() { ++*mCalls; }

 private:
  int *mCalls;
};

// Counts the tool-tip events that reach a widget.
class TipCounter : public QObject {
 public:
  int tips = 0;
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::ToolTip) ++tips;
    return false;
  }
};

class TestUxMainWindowActions : public MainWindowTestCase {
  Q_OBJECT

 private slots:
  void addUIHandsOutIds();
  void addActionNeedsPopupOrToolBar();
  void addActionIdsAndReplacement();
  void actionTextsAndTips_data();
  void actionTextsAndTips();
  void actionConnections();
  void typedConnections();
  void typedPlacement_data();
  void typedPlacement();
  void typedReceiverDeletedFirst();
  void addSeparatorIndex();
  void configureActionBits_data();
  void configureActionBits();
  void configureActionTextTipAndIcon();

  void standardUIs();
  void standardActions_data();
  void standardActions();
  void standardActionsNeedTheirUIs();
  void standardActionEffects();
  void standardActionWithOwnText();
};

void TestUxMainWindowActions::addUIHandsOutIds() {
  auto win = standardWindow();
  QMenu *file = win->popupMenu(MW::UI_File);
  QCOMPARE(win->addUI(QStringLiteral("&Other"), MW::AF_Both, MW::UI_File), 1);
  QCOMPARE(win->popupMenu(MW::UI_File), file);  // kept

  QCOMPARE(win->addUI(QStringLiteral("&Extra"), MW::AF_Popup), 17);
  QVERIFY(win->popupMenu(17));
  QVERIFY(!win->toolBar(17));
  QCOMPARE(win->popupMenu(17)->title(), QStringLiteral("&Extra"));
  QVERIFY(win->menuBar()->actions().contains(win->popupMenu(17)->menuAction()));
  QCOMPARE(win->popupMenu(17)->menuAction()->data().toInt(), 17);

  // Help stays last in the menu bar.
  QStringList bar;
  for (QAction *a : win->menuBar()->actions()) bar << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(bar, QStringList({"&File", "&Configuration", "&View", "&Windows", "&Extra", "-", "&?"}));

  QCOMPARE(win->addUI(QStringLiteral("&Tools"), MW::AF_ToolBar), 18);
  QVERIFY(!win->popupMenu(18));
  QCOMPARE(win->toolBar(18)->windowTitle(), QStringLiteral("Tools"));
  QCOMPARE(win->toolBarArea(win->toolBar(18)), Qt::TopToolBarArea);
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));
  QVERIFY(win->toolBar(18)->x() < win->toolBar(MW::UI_Help)->x());

  QCOMPARE(win->addUI(QStringLiteral("&Far"), MW::AF_Both, 40), 40);
  QCOMPARE(win->addUI(QStringLiteral("&Next"), MW::AF_Both), 41);
  QVERIFY(win->popupMenu(41) && win->toolBar(41));

  TestMain bare;
  QCOMPARE(bare.addUI(QStringLiteral("&First"), MW::AF_Popup), 17);
}

void TestUxMainWindowActions::addActionNeedsPopupOrToolBar() {
  auto win = standardWindow();
  QCOMPARE(win->addAction(99, QStringLiteral("&Lost"), nullptr, nullptr, MW::AF_Popup), -1);
  QVERIFY(paneHas(QStringLiteral("'( ! menu ) && ( ! tb )' in ")));
  // The popup alone does not help an action meant for the tool bar only.
  win->addUI(QStringLiteral("&Menu only"), MW::AF_Popup, 30);
  QCOMPARE(win->addAction(30, QStringLiteral("&Lost"), nullptr, nullptr, MW::AF_ToolBar), -1);
  QVERIFY(win->addAction(30, QStringLiteral("&Found"), nullptr, nullptr, MW::AF_Both) > 0);
}

void TestUxMainWindowActions::addActionIdsAndReplacement() {
  auto win = standardWindow();
  const int first = win->addAction(MW::UI_File, QStringLiteral("&One"), nullptr, nullptr, MW::AF_Popup);
  const int second = win->addAction(MW::UI_File, QStringLiteral("&Two"), nullptr, nullptr, MW::AF_Both);
  QCOMPARE(first, 2097153);
  QCOMPARE(second, 2097154);
  QVERIFY(win->toolBar(MW::UI_File)->actions().contains(win->action(second)));
  QVERIFY(!win->toolBar(MW::UI_File)->actions().contains(win->action(first)));

  QPointer<QAction> old = win->action(first);
  const int menuCount = win->popupMenu(MW::UI_File)->actions().size();
  QCOMPARE(win->addAction(MW::UI_File, QStringLiteral("&Uno"), nullptr, nullptr, MW::AF_Popup,
                          QIcon(), QKeySequence(), QString(), first),
           first);
  QVERIFY(!old);  // deleted
  QCOMPARE(win->action(first)->text(), QStringLiteral("&Uno"));
  QCOMPARE(win->popupMenu(MW::UI_File)->actions().size(), menuCount);

  // Explicit ids count for the next free one.
  win->addAction(MW::UI_File, QStringLiteral("&Far"), nullptr, nullptr, MW::AF_Popup, QIcon(),
                 QKeySequence(), QString(), 3000000);
  QCOMPARE(win->addAction(MW::UI_File, QStringLiteral("&Next"), nullptr, nullptr, MW::AF_Popup), 3000001);
}

void TestUxMainWindowActions::actionTextsAndTips_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QKeySequence>("accel");
  QTest::addColumn<QString>("plain");
  QTest::addColumn<QString>("toolTip");
  QTest::addColumn<QString>("whatsThis");
  const QKeySequence ctrlO(Qt::CTRL | Qt::Key_O);
  const QString ctrlOText = ctrlO.toString(QKeySequence::NativeText);
  QTest::addRow("tip and key") << "&Open..." << "Open" << ctrlO << "Open"
                               << QStringLiteral("Open (%1)").arg(ctrlOText)
                               << QStringLiteral("Open (%1)").arg(ctrlOText);
  QTest::addRow("tip, no key") << "Save &as..." << "Save it" << QKeySequence() << "Save as"
                               << "Save it" << "Save it";
  QTest::addRow("no tip") << "&Decorate / Undecorate" << QString() << QKeySequence(Qt::Key_F11)
                          << "Decorate / Undecorate" << "Decorate / Undecorate"
                          << "Decorate / Undecorate";
}

void TestUxMainWindowActions::actionTextsAndTips() {
  QFETCH(QString, text);
  QFETCH(QString, tip);
  QFETCH(QKeySequence, accel);
  QFETCH(QString, plain);
  QFETCH(QString, toolTip);
  QFETCH(QString, whatsThis);
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, text, nullptr, nullptr, MW::AF_Popup, QIcon(), accel, tip);
  QAction *act = win->action(id);
  QCOMPARE(act->text(), text);
  QCOMPARE(act->iconText(), plain);
  QCOMPARE(MW::plainText(text), plain);
  QCOMPARE(act->shortcut(), accel);
  QCOMPARE(act->toolTip(), toolTip);
  QCOMPARE(act->whatsThis(), whatsThis);
  QCOMPARE(act->statusTip(), tip.isNull() ? QString() : toolTip);
}

void TestUxMainWindowActions::actionConnections() {
  auto win = standardWindow();
  const int plain = win->addAction(MW::UI_File, QStringLiteral("&Plain"), win.get(),
                                   SLOT(slotPlain()), MW::AF_Popup);
  const int toggle = win->addAction(MW::UI_File, QStringLiteral("&Toggle"), win.get(),
                                    SLOT(slotToggled(bool)), MW::AF_Popup | MW::AF_Toggle);
  QVERIFY(!win->action(plain)->isCheckable());
  QVERIFY(win->action(toggle)->isCheckable());
  QVERIFY(!win->action(toggle)->isChecked());

  win->action(plain)->trigger();
  QCOMPARE(win->opened, 1);
  win->action(toggle)->trigger();
  win->setToggleAction(toggle, false);
  QCOMPARE(win->toggles, QList<bool>({true, false}));
}

void TestUxMainWindowActions::typedConnections() {
  auto win = standardWindow();
  int lambdaCalls = 0;
  QList<bool> states;
  int changes = 0;
  const int member =
      win->addAction(MW::UI_File, QStringLiteral("&Member"), win.get(), &TestMain::slotPlain, MW::AF_Popup);
  const int virtualBase =
      win->addAction(MW::UI_File, QStringLiteral("&Base"), win.get(), &MW::slotViewRefresh, MW::AF_Popup);
  const int lambda = win->addAction(MW::UI_File, QStringLiteral("&Lambda"), win.get(),
                                    [&lambdaCalls] { ++lambdaCalls; }, MW::AF_Popup);
  const int memberToggle = win->addAction(MW::UI_File, QStringLiteral("&Member toggle"), win.get(),
                                          &TestMain::slotToggled, MW::AF_Popup | MW::AF_Toggle);
  const int lambdaToggle = win->addAction(MW::UI_File, QStringLiteral("&Lambda toggle"), win.get(),
                                          [&states](bool on) { states << on; }, MW::AF_Popup | MW::AF_Toggle);
  // A toggle's callable may ignore the state; it still hears every change.
  const int quietToggle = win->addAction(MW::UI_File, QStringLiteral("&Quiet toggle"), win.get(),
                                         [&changes] { ++changes; }, MW::AF_Popup | MW::AF_Toggle);
  const QList<int> ids = {member, virtualBase, lambda, memberToggle, lambdaToggle, quietToggle};
  for (int id : ids) QVERIFY(win->action(id));
  QCOMPARE(QSet<int>(ids.begin(), ids.end()).size(), ids.size());

  win->action(member)->trigger();
  QCOMPARE(win->opened, 1);
  // A base class's virtual slot reaches the override.
  win->action(virtualBase)->trigger();
  QCOMPARE(win->refreshed, 1);
  win->action(lambda)->trigger();
  win->action(lambda)->trigger();
  QCOMPARE(lambdaCalls, 2);
  QCOMPARE(win->opened, 1);

  QVERIFY(!win->action(memberToggle)->isChecked());
  win->action(memberToggle)->trigger();
  win->setToggleAction(memberToggle, false);
  win->setToggleAction(memberToggle, false);  // no change, no call
  QCOMPARE(win->toggles, QList<bool>({true, false}));
  win->setToggleAction(lambdaToggle, true);
  win->action(lambdaToggle)->trigger();
  win->configureAction(lambdaToggle, MW::AF_On);
  QCOMPARE(states, QList<bool>({true, false, true}));
  win->setToggleAction(quietToggle, true);
  win->setToggleAction(quietToggle, false);
  QCOMPARE(changes, 2);

  // Replacing the action of an id drops the old callable with it.
  int replaced = 0;
  QCOMPARE(win->addAction(MW::UI_File, QStringLiteral("&Lambda again"), win.get(), [&replaced] { ++replaced; },
                          MW::AF_Popup, QIcon(), QKeySequence(), QString(), lambda),
           lambda);
  win->action(lambda)->trigger();
  QCOMPARE(lambdaCalls, 2);
  QCOMPARE(replaced, 1);
}

void TestUxMainWindowActions::typedPlacement_data() {
  QTest::addColumn<int>("ui");
  QTest::addColumn<int>("flags");
  QTest::addColumn<bool>("made");
  QTest::addColumn<bool>("inMenu");
  QTest::addColumn<bool>("inToolBar");
  QTest::addColumn<bool>("checkable");
  const int file = MW::UI_File;
  QTest::addRow("popup") << file << int(MW::AF_Popup) << true << true << false << false;
  QTest::addRow("tool bar") << file << int(MW::AF_ToolBar) << true << false << true << false;
  QTest::addRow("both") << file << int(MW::AF_Both) << true << true << true << false;
  QTest::addRow("popup and tool bar bits") << file << int(MW::AF_Popup | MW::AF_ToolBar) << true << true << true
                                           << false;
  QTest::addRow("toggle in the tool bar") << file << int(MW::AF_ToolBar | MW::AF_Toggle) << true << false << true
                                          << true;
  QTest::addRow("unknown UI") << 99 << int(MW::AF_Both) << false << false << false << false;
  QTest::addRow("tool bar of a menu-only UI") << 30 << int(MW::AF_ToolBar) << false << false << false << false;
}

void TestUxMainWindowActions::typedPlacement() {
  QFETCH(int, ui);
  QFETCH(int, flags);
  QFETCH(bool, made);
  QFETCH(bool, inMenu);
  QFETCH(bool, inToolBar);
  QFETCH(bool, checkable);
  auto win = standardWindow();
  win->addUI(QStringLiteral("&Menu only"), MW::AF_Popup, 30);
  const int before = int(win->findChildren<QAction *>().size());
  int calls = 0;
  const int id = win->addAction(ui, QStringLiteral("&Placed..."), win.get(), [&calls] { ++calls; }, flags, QIcon(),
                                QKeySequence(Qt::Key_F9), QStringLiteral("Placed here"));
  if (!made) {
    QCOMPARE(id, -1);
    QCOMPARE(int(win->findChildren<QAction *>().size()), before);  // nothing left over
    return;
  }
  QAction *act = win->action(id);
  QVERIFY(act);
  QCOMPARE(win->popupMenu(ui)->actions().contains(act), inMenu);
  QCOMPARE(win->toolBar(ui)->actions().contains(act), inToolBar);
  QCOMPARE(act->isCheckable(), checkable);
  QVERIFY(!act->isChecked());
  QCOMPARE(act->iconText(), QStringLiteral("Placed"));
  const QString f9 = QKeySequence(Qt::Key_F9).toString(QKeySequence::NativeText);
  QCOMPARE(act->toolTip(), QStringLiteral("Placed here (%1)").arg(f9));
  act->trigger();
  QCOMPARE(calls, 1);
}

void TestUxMainWindowActions::typedReceiverDeletedFirst() {
  auto win = standardWindow();
  int lambdaCalls = 0;
  int memberCalls = 0;
  QList<bool> states;
  auto *context = new QObject;
  auto *receiver = new Receiver(&memberCalls);
  const int plain = win->addAction(MW::UI_File, QStringLiteral("&Gone"), context,
                                   [&lambdaCalls] { ++lambdaCalls; }, MW::AF_Popup);
  const int toggle = win->addAction(MW::UI_File, QStringLiteral("&Gone toggle"), context,
                                    [&states](bool on) { states << on; }, MW::AF_Popup | MW::AF_Toggle);
  const int member =
      win->addAction(MW::UI_File, QStringLiteral("&Gone member"), receiver, &Receiver::hit, MW::AF_Popup);
  auto triggerAll = [&] {
    for (int id : {plain, toggle, member}) win->action(id)->trigger();
  };
  triggerAll();
  QCOMPARE(lambdaCalls, 1);
  QCOMPARE(states, QList<bool>({true}));
  QCOMPARE(memberCalls, 1);

  delete context;
  delete receiver;
  triggerAll();
  QCOMPARE(lambdaCalls, 1);
  QCOMPARE(states, QList<bool>({true}));
  QCOMPARE(memberCalls, 1);
  // The actions stay; only their connections went.
  QVERIFY(!win->action(toggle)->isChecked());

  // No receiver, no connection.
  const int nobody = win->addAction(MW::UI_File, QStringLiteral("&Nobody"), static_cast<QObject *>(nullptr),
                                    [&lambdaCalls] { ++lambdaCalls; }, MW::AF_Popup);
  QVERIFY(win->action(nobody));
  win->action(nobody)->trigger();
  QCOMPARE(lambdaCalls, 1);
}

void TestUxMainWindowActions::addSeparatorIndex() {
  auto win = standardWindow();
  QCOMPARE(win->addSeparator(99), -1);
  const int count = win->popupMenu(MW::UI_View)->actions().size();
  const int index = win->addSeparator(MW::UI_View);
  QCOMPARE(index, count);
  QVERIFY(win->popupMenu(MW::UI_View)->actions().at(index)->isSeparator());
}

void TestUxMainWindowActions::configureActionBits_data() {
  QTest::addColumn<bool>("toggle");
  QTest::addColumn<bool>("startOn");
  QTest::addColumn<int>("flags");
  QTest::addColumn<bool>("on");
  QTest::addColumn<bool>("enabled");
  QTest::addRow("plain on") << false << false << 16 << false << true;
  QTest::addRow("toggle on") << true << false << 16 << true << true;
  QTest::addRow("toggle off") << true << true << 32 << false << true;
  QTest::addRow("on then off") << true << false << (16 | 32) << false << true;
  QTest::addRow("disable") << false << false << 128 << false << false;
  QTest::addRow("enable then disable") << true << true << (64 | 128) << true << false;
  QTest::addRow("toggle on, disable") << true << false << (16 | 128) << true << false;
}

void TestUxMainWindowActions::configureActionBits() {
  QFETCH(bool, toggle);
  QFETCH(bool, startOn);
  QFETCH(int, flags);
  QFETCH(bool, on);
  QFETCH(bool, enabled);
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, QStringLiteral("&Act"), nullptr, nullptr,
                                MW::AF_Popup | (toggle ? MW::AF_Toggle : 0));
  if (startOn) QVERIFY(win->setToggleAction(id, true));
  QVERIFY(win->configureAction(id, flags));
  QCOMPARE(win->action(id)->isChecked(), on);
  QCOMPARE(win->action(id)->isEnabled(), enabled);
  QVERIFY(!win->configureAction(12345, flags));
  QVERIFY(!win->setToggleAction(12345, true));
}

void TestUxMainWindowActions::configureActionTextTipAndIcon() {
  auto win = standardWindow();
  const int id = win->addAction(MW::UI_File, QStringLiteral("&Close"), nullptr, nullptr,
                                MW::AF_Popup, QIcon(), QKeySequence(Qt::Key_F9), QStringLiteral("Close it"));
  const QString f9 = QKeySequence(Qt::Key_F9).toString(QKeySequence::NativeText);
  QVERIFY(win->configureAction(id, QStringLiteral("&Shut..."), QStringLiteral("Shut it")));
  QAction *act = win->action(id);
  QCOMPARE(act->text(), QStringLiteral("&Shut..."));
  QCOMPARE(act->iconText(), QStringLiteral("Shut"));
  QCOMPARE(act->toolTip(), QStringLiteral("Shut it (%1)").arg(f9));
  QCOMPARE(act->statusTip(), act->toolTip());
  QCOMPARE(act->whatsThis(), act->toolTip());

  // A null text keeps the old one; a null tip makes the plain text the What's-This text.
  QVERIFY(win->configureAction(id, QString(), QString()));
  QCOMPARE(act->text(), QStringLiteral("&Shut..."));
  QCOMPARE(act->whatsThis(), QStringLiteral("Shut"));
  QVERIFY(!win->configureAction(4242, QStringLiteral("x"), QString()));

  QVERIFY(win->configureAction(id, QIcon()));
  QVERIFY(act->icon().isNull());
  QPixmap red(16, 16);
  red.fill(Qt::red);
  QVERIFY(win->configureAction(id, QIcon(red)));
  QVERIFY(!act->icon().isNull());
  QVERIFY(!win->configureAction(4242, QIcon(red)));
}

void TestUxMainWindowActions::standardUIs() {
  auto win = standardWindow();
  QStringList bar;
  for (QAction *a : win->menuBar()->actions()) bar << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(bar, QStringList({"&File", "&Configuration", "&View", "&Windows", "-", "&?"}));
  for (int id : {1, 2, 4, 8, 16}) QCOMPARE(win->popupMenu(id)->menuAction()->data().toInt(), id);

  QCOMPARE(win->toolBar(MW::UI_File)->windowTitle(), QStringLiteral("File"));
  QCOMPARE(win->toolBar(MW::UI_Cfg)->windowTitle(), QStringLiteral("Configuration"));
  QCOMPARE(win->toolBar(MW::UI_View)->windowTitle(), QStringLiteral("View"));
  QCOMPARE(win->toolBar(MW::UI_Help)->windowTitle(), QStringLiteral("Help"));
  QVERIFY(!win->toolBar(MW::UI_Windows));

  QMenu *cfg = win->popupMenu(MW::UI_Cfg);
  QCOMPARE(menuTexts(cfg), QStringList({"&Open", "&Save", "-", "&Preferences..."}));
  QCOMPARE(menuTexts(cfg->actions().at(0)->menu()),
           QStringList({"&User configuration", "&System configuration", "&Select..."}));
  QCOMPARE(menuTexts(cfg->actions().at(1)->menu()), QStringList({"&User configuration", "&Select..."}));
  QCOMPARE(win->action(MW::UIA_CfgOpenSystem)->statusTip(),
           QStringLiteral("Open system-configuration (factory defaults)"));
  QCOMPARE(win->action(MW::UIA_CfgSave)->statusTip(), QStringLiteral("Select a configuration file for saving"));

  QMenu *view = win->popupMenu(MW::UI_View);
  QCOMPARE(menuTexts(view), QStringList({"&Desktop-style", "-", "&Views", "&Toolbars", "&Big symbols",
                                         "&Symboltitles", "-", "&Statusbar", "&Tool tips", "-",
                                         "&Refresh"}));
  QCOMPARE(view->actions().at(0)->menu(), Ux::GuiSysMenu::existing());
  for (unsigned id : {MW::UIA_ViewBigIcons, MW::UIA_ViewIconsTitle, MW::UIA_ViewStatusBar, MW::UIA_ViewTooltips})
    QVERIFY(win->action(int(id))->isCheckable());

  // The dock menus list the administration dock and the tool bars.
  QMenu *views = view->actions().at(2)->menu();
  emit views->aboutToShow();
  QCOMPARE(menuTexts(views), QStringList({"Administration"}));
  QMenu *bars = view->actions().at(3)->menu();
  emit bars->aboutToShow();
  QCOMPARE(bars->actions().size(), 4);
  QVERIFY(menuTexts(bars).contains(QStringLiteral("File")));

  QMenu *windows = win->popupMenu(MW::UI_Windows);
  QCOMPARE(menuTexts(windows).mid(0, 3), QStringList({"&Tile", "&Cascade", "&Tile &horizontal"}));

  // Asking again keeps what is there.
  win->addStandardUIs(0x1f);
  QCOMPARE(menuTexts(cfg).size(), 4);
  QCOMPARE(win->menuBar()->actions().size(), 6);
}

void TestUxMainWindowActions::standardActions_data() {
  QTest::addColumn<unsigned>("id");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("tip");
  QTest::addColumn<QKeySequence>("key");
  QTest::addColumn<int>("ui");
  QTest::addColumn<bool>("inToolBar");
  QTest::addColumn<bool>("afterSeparator");
  QTest::addRow("new") << unsigned(MW::UIA_FileNew) << "&New..." << "Create a new project"
                       << QKeySequence(Qt::CTRL | Qt::Key_N) << 1 << true << false;
  QTest::addRow("open") << unsigned(MW::UIA_FileOpen) << "&Open..." << "Open an existing projectfile"
                        << QKeySequence(Qt::CTRL | Qt::Key_O) << 1 << true << false;
  QTest::addRow("save") << unsigned(MW::UIA_FileSave) << "&Save" << "Save current projectfile"
                        << QKeySequence(Qt::CTRL | Qt::Key_S) << 1 << true << false;
  QTest::addRow("save as") << unsigned(MW::UIA_FileSaveAs) << "Save &as..."
                           << "Save current projectfile to a new file" << QKeySequence() << 1 << false << false;
  QTest::addRow("quit") << unsigned(MW::UIA_FileQuit) << "&Quit" << "Leave program now"
                        << QKeySequence() << 1 << false << true;
  QTest::addRow("preferences") << unsigned(MW::UIA_Preferences) << "&Preferences..."
                               << "Apply individual settings to the program"
                               << QKeySequence(Qt::Key_F7) << 2 << true << true;
  QTest::addRow("refresh") << unsigned(MW::UIA_ViewRefresh) << "&Refresh" << "Refresh current view"
                           << QKeySequence(Qt::Key_F5) << 4 << true << true;
  QTest::addRow("help") << unsigned(MW::UIA_HelpPrg) << "UxTest-&Help..."
                        << "Display the manual of UxTest in an external viewer"
                        << QKeySequence(Qt::Key_F1) << 16 << true << false;
  QTest::addRow("whats this") << unsigned(MW::UIA_HelpWhatsThis) << "&What's This?"
                              << "Enter 'What's This?'-mode" << QKeySequence(Qt::SHIFT | Qt::Key_F1)
                              << 16 << true << false;
  QTest::addRow("about") << unsigned(MW::UIA_HelpAbout) << "&About UxTest..."
                         << "Show About-dialog of application" << QKeySequence() << 16 << true << true;
  QTest::addRow("big symbols") << unsigned(MW::UIA_ViewBigIcons) << "&Big symbols"
                               << "Show big symbols in the toolbars of the application" << QKeySequence()
                               << 4 << false << false;
  QTest::addRow("tool tips") << unsigned(MW::UIA_ViewTooltips) << "&Tool tips"
                             << "Show tool tips (balloon help) on widgets" << QKeySequence() << 4
                             << false << false;
}

void TestUxMainWindowActions::standardActions() {
  QFETCH(unsigned, id);
  QFETCH(QString, text);
  QFETCH(QString, tip);
  QFETCH(QKeySequence, key);
  QFETCH(int, ui);
  QFETCH(bool, inToolBar);
  QFETCH(bool, afterSeparator);
  auto win = standardWindow();
  QAction *act = win->action(int(id));
  QVERIFY(act);
  QCOMPARE(act->text(), text);
  QCOMPARE(act->shortcut(), key);
  const QString fullTip = key.isEmpty() ? tip
                                        : QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText));
  QCOMPARE(act->statusTip(), fullTip);
  QCOMPARE(act->toolTip(), fullTip);
  const QList<QAction *> menu = win->popupMenu(ui)->actions();
  QVERIFY(menu.contains(act));
  QCOMPARE(win->toolBar(ui)->actions().contains(act), inToolBar);
  const int at = menu.indexOf(act);
  QCOMPARE(at > 0 && menu.at(at - 1)->isSeparator(), afterSeparator);
}

void TestUxMainWindowActions::standardActionsNeedTheirUIs() {
  TestMain bare;
  QVERIFY(bare.addStandardActions(kAllActions));
  for (unsigned id : {1u, 2u, 16u, 1024u, 32768u, 524288u, 2097152u}) QVERIFY(!bare.action(int(id)));
  // The two tool bars are made on the way, even without their menus.
  QVERIFY(bare.toolBar(MW::UI_Cfg));
  QVERIFY(bare.toolBar(MW::UI_View));
  QVERIFY(!bare.popupMenu(MW::UI_Cfg));

  // The File popup alone is not enough either.
  TestMain half;
  half.addUI(QStringLiteral("&File"), MW::AF_Popup, MW::UI_File);
  half.addStandardActions(MW::UIA_FileOpen | MW::UIA_FileQuit);
  QVERIFY(!half.action(MW::UIA_FileOpen));
  QVERIFY(!half.action(MW::UIA_FileQuit));
}

void TestUxMainWindowActions::standardActionEffects() {
  auto win = standardWindow();
  win->show();
  QVERIFY(QTest::qWaitForWindowExposed(win.get()));

  win->action(MW::UIA_FileOpen)->trigger();
  win->action(MW::UIA_ViewRefresh)->trigger();
  QCOMPARE(win->opened, 1);
  QCOMPARE(win->refreshed, 1);
  win->action(MW::UIA_FileNew)->trigger();
  QVERIFY(paneHas(QStringLiteral("slotFileNew: This functionality is not implemented yet!")));
  win->action(MW::UIA_FileSaveAs)->trigger();
  QVERIFY(paneHas(QStringLiteral("slotFileSaveAs: This functionality is not implemented yet!")));

  win->action(MW::UIA_Preferences)->trigger();
  QVERIFY(win->prefsTab()->isVisible());
  win->prefsTab()->hide();
  win->action(MW::UIA_HelpAbout)->trigger();
  QVERIFY(win->infoTab()->isVisible());
  win->infoTab()->hide();

  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  win->setToggleAction(MW::UIA_ViewStatusBar, false);
  QVERIFY(win->statusBar()->isHidden());
  win->setToggleAction(MW::UIA_ViewStatusBar, true);
  QVERIFY(!win->statusBar()->isHidden());

  win->setToggleAction(MW::UIA_ViewBigIcons, true);
  QCOMPARE(win->iconSize(), QSize(32, 32));
  QCOMPARE(win->toolBar(MW::UI_File)->iconSize(), QSize(32, 32));
  win->setToggleAction(MW::UIA_ViewBigIcons, false);
  QVERIFY(win->iconSize().width() < 32);

  win->setToggleAction(MW::UIA_ViewIconsTitle, true);
  QCOMPARE(win->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  win->setToggleAction(MW::UIA_ViewIconsTitle, false);
  QCOMPARE(win->toolButtonStyle(), Qt::ToolButtonIconOnly);

  win->setToggleAction(MW::UIA_ViewTooltips, true);
  QVERIFY(MW::tooltipsEnabled());
  win->setToggleAction(MW::UIA_ViewTooltips, false);
  QVERIFY(!MW::tooltipsEnabled());
  TipCounter counter;
  win->toolBar(MW::UI_File)->installEventFilter(&counter);
  QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
  QApplication::sendEvent(win->toolBar(MW::UI_File), &tip);
  QCOMPARE(counter.tips, 0);
  win->setToggleAction(MW::UIA_ViewTooltips, true);
  QVERIFY(MW::tooltipsEnabled());
  QApplication::sendEvent(win->toolBar(MW::UI_File), &tip);
  QCOMPARE(counter.tips, 1);

  // Quit closes every window; this one deletes itself then.
  QPointer<TestMain> watch(win.release());
  watch->action(MW::UIA_FileQuit)->trigger();
  QTRY_VERIFY(!watch);
}

void TestUxMainWindowActions::standardActionWithOwnText() {
  auto win = std::make_unique<TestMain>();
  win->addStandardUIs(MW::UI_File);
  win->addStandardAction(MW::UIA_FileOpen, QStringLiteral("&Load..."), QStringLiteral("Load a project"));
  QAction *act = win->action(MW::UIA_FileOpen);
  QCOMPARE(act->text(), QStringLiteral("&Load..."));
  QCOMPARE(act->iconText(), QStringLiteral("Load"));
  QVERIFY(act->toolTip().startsWith(QStringLiteral("Load a project (")));
  win->addStandardAction(MW::UIA_FileSave);
  QCOMPARE(win->action(MW::UIA_FileSave)->text(), QStringLiteral("&Save"));
}

UX_TEST_MAIN(TestUxMainWindowActions)
#include "tst_uxmainwindowactions.moc"
