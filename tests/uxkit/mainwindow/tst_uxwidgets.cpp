// The library's small widgets: preference-page base, slider, splash and
// colour picker.

#include "qtcolorpicker.h"
#include "qtcolorpickeritem.h"
#include "qtcolorpickerpopup.h"
#include "uxprefstab.h"
#include "uxslider.h"
#include "uxsplash.h"
#include "uxtabdialog.h"
#include "uxtestutil.h"

#include <QColorDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

// A page that records what the base class asks of it.
class RecordingTab : public Ux::PrefsTab {
 public:
  RecordingTab(const char *section, QStringList *journal, QWidget *parent = nullptr)
      : Ux::PrefsTab(section, parent), mJournal(journal) {}
  void slotSaveWidgetStates() override { emit sigWidgetsSaved(); }
  void initWidgets() override { mJournal->append(cfgSection() + QStringLiteral(":init")); }
  void onFirstShowEvent() override { mJournal->append(cfgSection() + QStringLiteral(":first")); }

 private:
  QStringList *mJournal;
};

bool anyPixel(const QImage &img, const QRect &area, const std::function<bool(QColor)> &test) {
  const QRect r = area.intersected(img.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (test(img.pixelColor(x, y))) return true;
  return false;
}

bool isReddish(QColor c) { return c.red() > 150 && c.green() < 100 && c.blue() < 100; }

}  // namespace

class TestUxWidgets : public QObject {
  Q_OBJECT

 private slots:
  void cleanup();

  void prefsTabInitialisesOnFirstShowOnly();
  void initTabWidgetsRefreshesEveryPageInOrder();

  void sliderSetValue_data();
  void sliderSetValue();
  void sliderDisplayFollowsMaximumAndValue();
  void sliderLabelIsBuddyOfSlider();

  void tabDialogShowsEveryTab();
  void splashDrawsRichTextOntoPicture();
  void splashMessageUsesStoredOrGivenColour();
  void splashZeroDelayReturnsAtOnce();

  void colorPickerStandardColours();
  void colorPickerSetCurrentColour();
  void colorPickerPopupPosition_data();
  void colorPickerPopupPosition();
  void colorPickerPopupStaysOnDesktopAndPressesButton();
  void colorPickerPickingEmitsOnlyForNewColour();
  void colorPickerCustomOpensColourDialog();
  void getColorReturnsTheChoice();
};

void TestUxWidgets::cleanup() {
  QVERIFY(Ux::PrefsTab::tabs().isEmpty());
  QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty() ||
              std::none_of(QApplication::topLevelWidgets().cbegin(),
                           QApplication::topLevelWidgets().cend(),
                           [](QWidget *w) { return w->isVisible(); }));
}

void TestUxWidgets::prefsTabInitialisesOnFirstShowOnly() {
  QStringList journal;
  QWidget host;
  auto *a = new RecordingTab("A", &journal, &host);
  QCOMPARE(a->cfgSection(), QStringLiteral("A"));
  QCOMPARE(a->objectName(), QStringLiteral("A"));
  QVERIFY(journal.isEmpty());

  host.show();
  QCOMPARE(journal, QStringList({"A:init", "A:first"}));
  a->hide();
  a->show();
  QCOMPARE(journal, QStringList({"A:init", "A:first"}));

  // A page that joins later is initialised when it is first shown.
  auto *b = new RecordingTab("B", &journal, &host);
  b->show();
  QCOMPARE(journal, QStringList({"A:init", "A:first", "B:init", "B:first"}));
}

void TestUxWidgets::initTabWidgetsRefreshesEveryPageInOrder() {
  QStringList journal;
  auto first = std::make_unique<RecordingTab>("First", &journal);
  auto second = std::make_unique<RecordingTab>("Second", &journal);
  auto third = std::make_unique<RecordingTab>("Third", &journal);
  QCOMPARE(Ux::PrefsTab::tabs().size(), 3);

  Ux::PrefsTab::initTabWidgets();
  QCOMPARE(journal, QStringList({"First:init", "Second:init", "Third:init"}));

  second.reset();
  QCOMPARE(Ux::PrefsTab::tabs(), QList<Ux::PrefsTab *>({first.get(), third.get()}));
  journal.clear();
  Ux::PrefsTab::initTabWidgets();
  QCOMPARE(journal, QStringList({"First:init", "Third:init"}));
}

void TestUxWidgets::sliderSetValue_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("value");
  QTest::addColumn<int>("expected");
  QTest::addRow("inside") << 5 << 50 << 50;
  QTest::addRow("maximum") << 5 << 100 << 100;
  QTest::addRow("minimum") << 5 << 1 << 1;
  QTest::addRow("above maximum") << 5 << 101 << 5;
  QTest::addRow("below minimum") << 5 << 0 << 5;
  QTest::addRow("same") << 5 << 5 << 5;
}

void TestUxWidgets::sliderSetValue() {
  QFETCH(int, start);
  QFETCH(int, value);
  QFETCH(int, expected);
  Ux::Slider slider(QStringLiteral("&Count:"), 1, 100);
  QCOMPARE(slider.value(), 1);  // starts at the minimum
  slider.setValue(start);
  QSignalSpy changed(slider.slider(), &QSlider::valueChanged);
  slider.setValue(value);
  QCOMPARE(slider.value(), expected);
  QCOMPARE(changed.count(), expected == start ? 0 : 1);
  QCOMPARE(slider.display()->intValue(), expected);
}

void TestUxWidgets::sliderDisplayFollowsMaximumAndValue() {
  Ux::Slider slider(QString(), 0, 100);
  QCOMPARE(slider.display()->digitCount(), 3);
  QCOMPARE(slider.slider()->pageStep(), 1);
  QCOMPARE(slider.slider()->orientation(), Qt::Horizontal);
  QCOMPARE(slider.display()->segmentStyle(), QLCDNumber::Flat);

  slider.setMaxValue(1000);
  QCOMPARE(slider.display()->digitCount(), 4);
  QCOMPARE(slider.slider()->maximum(), 1000);
  slider.setValue(999);
  QCOMPARE(slider.display()->intValue(), 999);

  slider.setMinValue(10);
  QCOMPARE(slider.slider()->minimum(), 10);
  slider.setValue(5);
  QCOMPARE(slider.value(), 999);
}

void TestUxWidgets::sliderLabelIsBuddyOfSlider() {
  Ux::Slider labelled(QStringLiteral("&Maximum:"), 1, 9, nullptr, "max");
  QVERIFY(labelled.label());
  QCOMPARE(labelled.label()->buddy(), labelled.slider());
  QCOMPARE(labelled.objectName(), QStringLiteral("max"));

  Ux::Slider bare(QString(), 1, 9);
  QVERIFY(!bare.label());
}

// Pages are added after the dialog was made, as the program adds its own.
void TestUxWidgets::tabDialogShowsEveryTab() {
  Ux::TabDialog dialog;
  dialog.setOkButton(QStringLiteral("&Ok"));
  dialog.setCancelButton(QStringLiteral("&Cancel"));
  dialog.adjustSize();
  for (const char *label : {"Common", "Image Viewer", "Object Viewer", "Point Representation", "Links", "Extras"})
    dialog.addTab(new QLabel(QStringLiteral("page")), QString::fromLatin1(label));
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QTabBar *bar = dialog.tabWidget()->tabBar();
  QTRY_VERIFY(bar->width() >= bar->sizeHint().width());
  for (int i = 0; i < bar->count(); ++i) QVERIFY(bar->rect().contains(bar->tabRect(i)));
}

void TestUxWidgets::splashDrawsRichTextOntoPicture() {
  QPixmap white(300, 120);
  white.fill(Qt::white);
  const QString text = QStringLiteral("<font color=\"#ff0000\">XXXXXXXX</font>");
  Ux::Splash splash(white, text, 40, 30);
  const QImage img = splash.pixmap().toImage();
  QCOMPARE(img.size(), QSize(300, 120));
  QVERIFY(anyPixel(img, QRect(40, 30, 200, 40), isReddish));
  // Nothing left of or above the text's top left corner.
  QVERIFY(!anyPixel(img, QRect(0, 0, 40, 120), isReddish));
  QVERIFY(!anyPixel(img, QRect(0, 0, 300, 30), isReddish));

  // The sized form starts from a picture filled with the colour.
  Ux::Splash filled(200, 100, QColor(Qt::blue), QString(), 0, 0);
  const QImage plain = filled.pixmap().toImage();
  QCOMPARE(plain.size(), QSize(200, 100));
  QCOMPARE(plain.pixelColor(100, 50), QColor(Qt::blue));

  // A given font is used: a larger font covers more height.
  QFont big(QStringLiteral("Arial"), 30);
  Ux::Splash large(white, text, 40, 30, &big);
  QVERIFY(anyPixel(large.pixmap().toImage(), QRect(40, 60, 260, 30), isReddish));
  QVERIFY(!anyPixel(img, QRect(40, 60, 260, 30), isReddish));
}

void TestUxWidgets::splashMessageUsesStoredOrGivenColour() {
  QPixmap pix(200, 100);
  pix.fill(Qt::white);
  Ux::Splash splash(pix);
  QCOMPARE(splash.messageColor(), QColor(Qt::black));
  QCOMPARE(splash.messageAlignment(), 0);
  QCOMPARE(splash.messageDelay(), 0);

  splash.setMessageAlignment(Qt::AlignLeft | Qt::AlignBottom);
  splash.setMessageColor(Qt::blue);
  QSignalSpy changed(&splash, &QSplashScreen::messageChanged);
  splash.msg(QStringLiteral("Reading ..."));
  QCOMPARE(splash.message(), QStringLiteral("Reading ..."));
  QCOMPARE(changed.count(), 1);

  // The stored colour paints the message; a given colour replaces it.
  splash.show();
  auto hasColour = [&splash](QColor wanted) {
    return anyPixel(splash.grab().toImage(), QRect(0, 50, 200, 50),
                    [wanted](QColor c) { return c == wanted; });
  };
  QVERIFY(hasColour(QColor(Qt::blue)));
  const QColor green(Qt::darkGreen);
  splash.msg(QStringLiteral("Ready."), &green, 0);
  QVERIFY(hasColour(green));
  QVERIFY(!hasColour(QColor(Qt::blue)));
  splash.close();
}

void TestUxWidgets::splashZeroDelayReturnsAtOnce() {
  QPixmap pix(50, 50);
  pix.fill(Qt::white);
  Ux::Splash splash(pix);
  splash.setMessageDelay(2000);
  QElapsedTimer timer;
  timer.start();
  splash.msg(QStringLiteral("now"), nullptr, 0);
  QVERIFY2(timer.elapsed() < 1500, "msg with delay 0 waited for the stored delay");
  splash.setMessageDelay(50);
  timer.restart();
  splash.msg(QStringLiteral("later"));
  QVERIFY(timer.elapsed() >= 50);
}

void TestUxWidgets::colorPickerStandardColours() {
  QtColorPicker picker(nullptr, "picker", -1, true);
  picker.setStandardColors();
  const QStringList texts = {"Black",     "White",        "Red",          "Dark red",
                             "Green",     "Dark green",   "Blue",         "Dark blue",
                             "Cyan",      "Dark cyan",    "Magenta",      "Dark magenta",
                             "Yellow",    "Dark yellow",  "Gray",         "Dark gray",
                             "Light gray"};
  const QList<Qt::GlobalColor> colors = {
      Qt::black,   Qt::white,       Qt::red,      Qt::darkRed,    Qt::green,   Qt::darkGreen,
      Qt::blue,    Qt::darkBlue,    Qt::cyan,     Qt::darkCyan,   Qt::magenta, Qt::darkMagenta,
      Qt::yellow,  Qt::darkYellow,  Qt::gray,     Qt::darkGray,   Qt::lightGray};
  QCOMPARE(picker.count(), 17);
  for (int i = 0; i < 17; ++i) {
    QCOMPARE(picker.colorText(i), texts.at(i));
    QCOMPARE(picker.color(i), QColor(colors.at(i)));
  }
  QVERIFY(!picker.color(17).isValid());
  QCOMPARE(picker.popup()->columns(), 5);
  QVERIFY(picker.colorDialogEnabled());
  picker.setColorDialogEnabled(false);
  QVERIFY(!picker.colorDialogEnabled());

  QtColorPicker fixed(nullptr, nullptr, 3, false);
  fixed.setStandardColors();
  QCOMPARE(fixed.popup()->columns(), 3);
  fixed.insertColor(QColor(1, 2, 3), QStringLiteral("First"), 0);
  QCOMPARE(fixed.colorText(0), QStringLiteral("First"));
  QCOMPARE(fixed.colorText(1), QStringLiteral("Black"));
}

void TestUxWidgets::colorPickerSetCurrentColour() {
  QtColorPicker picker;
  picker.setStandardColors();
  picker.setCurrentColor(QColor(Qt::red));
  QCOMPARE(picker.currentColor(), QColor(Qt::red));
  QCOMPARE(picker.count(), 17);

  picker.setCurrentColor(QColor());
  QCOMPARE(picker.currentColor(), QColor(Qt::red));

  const QColor custom(10, 200, 30);
  picker.setCurrentColor(custom);
  QCOMPARE(picker.currentColor(), custom);
  QCOMPARE(picker.count(), 18);
  QCOMPARE(picker.colorText(17), QStringLiteral("Custom"));
  QCOMPARE(picker.color(17), custom);
  picker.setCurrentColor(custom);
  QCOMPARE(picker.count(), 18);

  // The button's swatch: grey frame inset by 3, the colour inset by 4.
  const QImage icon = picker.icon().pixmap(QSize(18, 17)).toImage();
  QCOMPARE(icon.size(), QSize(18, 17));
  QCOMPARE(icon.pixelColor(3, 3), QColor(Qt::gray));
  QCOMPARE(icon.pixelColor(14, 13), QColor(Qt::gray));
  QCOMPARE(icon.pixelColor(4, 4), custom);
  QCOMPARE(icon.pixelColor(13, 12), custom);
  QCOMPARE(icon.pixelColor(1, 1), picker.palette().color(QPalette::Button));
}

void TestUxWidgets::colorPickerPopupPosition_data() {
  QTest::addColumn<QPoint>("anchor");
  QTest::addColumn<QPoint>("expected");
  const QRect desk(0, 0, 800, 600);
  Q_UNUSED(desk);
  QTest::addRow("fits") << QPoint(100, 100) << QPoint(100, 100);
  QTest::addRow("right edge") << QPoint(750, 100) << QPoint(700, 100);
  QTest::addRow("bottom edge") << QPoint(100, 580) << QPoint(100, 520);
  QTest::addRow("corner") << QPoint(790, 590) << QPoint(700, 520);
  QTest::addRow("left of desktop") << QPoint(-20, 100) << QPoint(0, 100);
  QTest::addRow("above desktop") << QPoint(100, -5) << QPoint(100, 0);
}

void TestUxWidgets::colorPickerPopupPosition() {
  QFETCH(QPoint, anchor);
  QFETCH(QPoint, expected);
  QCOMPARE(QtColorPicker::popupPosition(anchor, QSize(100, 80), QRect(0, 0, 800, 600)), expected);
}

void TestUxWidgets::colorPickerPopupStaysOnDesktopAndPressesButton() {
  const QRect desk = QGuiApplication::primaryScreen()->geometry();
  QWidget host;
  host.setGeometry(desk.right() - 60, desk.bottom() - 40, 60, 40);
  auto *picker = new QtColorPicker(&host);
  picker->setStandardColors();
  picker->setGeometry(0, 0, 50, 30);
  host.show();
  QVERIFY(QTest::qWaitForWindowExposed(&host));

  QTest::mousePress(picker, Qt::LeftButton);
  ColorPickerPopup *popup = picker->popup();
  QTRY_VERIFY(popup->isVisible());
  QVERIFY(picker->isPopupOpen());
  QVERIFY(picker->isDown());
  QVERIFY2(desk.contains(popup->frameGeometry()), "popup left the desktop");

  // Still drawn pressed after losing the focus.
  picker->clearFocus();
  QVERIFY(picker->isPopupOpen());

  popup->hide();
  QVERIFY(!picker->isPopupOpen());
  QVERIFY(!picker->isDown());
}

void TestUxWidgets::colorPickerPickingEmitsOnlyForNewColour() {
  QtColorPicker picker;
  picker.setStandardColors();
  picker.setCurrentColor(QColor(Qt::black));
  QSignalSpy changed(&picker, &QtColorPicker::colorChanged);
  picker.move(100, 100);
  picker.show();
  QVERIFY(QTest::qWaitForWindowExposed(&picker));

  QTest::mousePress(&picker, Qt::LeftButton);
  QTRY_VERIFY(picker.popup()->isVisible());
  ColorPickerItem *blue = picker.popup()->items().at(6);
  QCOMPARE(blue->text(), QStringLiteral("Blue"));
  QTest::mouseClick(blue, Qt::LeftButton);
  QTRY_VERIFY(!picker.popup()->isVisible());
  QCOMPARE(changed.count(), 1);
  QCOMPARE(changed.at(0).at(0).value<QColor>(), QColor(Qt::blue));
  QCOMPARE(picker.currentColor(), QColor(Qt::blue));

  // Choosing the current colour again by keyboard changes nothing.
  QTest::mousePress(&picker, Qt::LeftButton);
  QTRY_VERIFY(picker.popup()->isVisible());
  QTRY_VERIFY(blue->hasFocus());
  QTest::keyClick(blue, Qt::Key_Return);
  QTRY_VERIFY(!picker.popup()->isVisible());
  QCOMPARE(changed.count(), 1);
}

void TestUxWidgets::colorPickerCustomOpensColourDialog() {
  QtColorPicker picker;
  picker.setStandardColors();
  QSignalSpy changed(&picker, &QtColorPicker::colorChanged);
  picker.show();
  QVERIFY(QTest::qWaitForWindowExposed(&picker));

  const QColor chosen(12, 34, 56);
  bool dialogSeen = false;
  UxTest::whenModal([&](QWidget *w) {
    auto *dialog = qobject_cast<QColorDialog *>(w);
    if (!dialog) return;
    dialogSeen = true;
    dialog->setCurrentColor(chosen);
    dialog->accept();
  });
  QTest::mousePress(&picker, Qt::LeftButton);
  QTRY_VERIFY(picker.popup()->isVisible());
  QVERIFY(picker.popup()->customButton()->isVisible());
  QCOMPARE(picker.popup()->customButton()->text(), QStringLiteral("Custom"));
  picker.popup()->customButton()->click();
  QVERIFY(dialogSeen);
  QCOMPARE(changed.count(), 1);
  QCOMPARE(picker.currentColor(), chosen);
  QCOMPARE(picker.colorText(17), QStringLiteral("Custom"));
}

namespace {
// Runs `act` on the open colour popup once it is up.
void whenPopup(std::function<void(ColorPickerPopup *)> act, int tries = 300) {
  QTimer::singleShot(10, [act, tries]() {
    if (auto *popup = qobject_cast<ColorPickerPopup *>(QApplication::activePopupWidget()))
      act(popup);
    else if (tries > 0)
      whenPopup(act, tries - 1);
  });
}
}  // namespace

void TestUxWidgets::getColorReturnsTheChoice() {
  QPoint at;
  whenPopup([&at](ColorPickerPopup *popup) {
    at = popup->pos();
    QCOMPARE(popup->count(), 17);
    QTest::mouseClick(popup->items().at(3), Qt::LeftButton);
  });
  QCOMPARE(QtColorPicker::getColor(QPoint(30, 40)), QColor(Qt::darkRed));
  QCOMPARE(at, QPoint(30, 40));

  // Closed without a choice: an invalid colour.
  whenPopup([](ColorPickerPopup *popup) { popup->hide(); });
  QVERIFY(!QtColorPicker::getColor(QPoint(30, 40), false).isValid());
}

UX_TEST_MAIN(TestUxWidgets)
#include "tst_uxwidgets.moc"
