#include "phrecentprojects.h"
#include "uxcfg.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The recent projects list as the settings keep it: order, one entry per
// file however it is spelt, eight at most, and whatever a damaged settings
// file left under its key.
class TestPhRecentProjects : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init() { Ux::Cfg::clear(); }
  void cleanup() { Ux::Cfg::clear(); }
  void listAfterOpening_data();
  void listAfterOpening();
  void removingAndClearing();
  void onlyItsOwnKey();

 private:
  // A file of the test folder, canonical: the form the list keeps.
  QString file(const QString &name) const { return mBase + QLatin1Char('/') + name; }
  QStringList files(const QStringList &names) const {
    QStringList result;
    for (const QString &name : names) result << file(name);
    return result;
  }
  static void writeStored(const QVariant &stored);

  QTemporaryDir mDir;
  QString mBase;
};

void TestPhRecentProjects::initTestCase() {
  QVERIFY(mDir.isValid());
  mBase = QFileInfo(mDir.path()).canonicalFilePath();
  for (char c = 'a'; c <= 'l'; ++c) {
    QFile f(file(QStringLiteral("%1.(p)").arg(QLatin1Char(c))));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }
  QVERIFY(QFile::link(file(QStringLiteral("a.(p)")), file(QStringLiteral("link.(p)"))));
}

void TestPhRecentProjects::writeStored(const QVariant &stored) {
  Ux::Cfg cfg(QStringLiteral("Recent"));
  switch (stored.metaType().id()) {
    case QMetaType::QStringList:
      cfg.writeEntry(QStringLiteral("Projects"), stored.toStringList());
      break;
    case QMetaType::QString:
      cfg.writeEntry(QStringLiteral("Projects"), stored.toString());
      break;
    case QMetaType::Int:
      cfg.writeEntry(QStringLiteral("Projects"), stored.toInt());
      break;
    case QMetaType::QColor:
      cfg.writeEntry(QStringLiteral("Projects"), stored.value<QColor>());
      break;
    default:
      break;
  }
}

void TestPhRecentProjects::listAfterOpening_data() {
  QTest::addColumn<QVariant>("stored");
  QTest::addColumn<QStringList>("opened");
  QTest::addColumn<QStringList>("expected");
  const QVariant none;
  const QStringList abc = files({"a.(p)", "b.(p)", "c.(p)"});
  QTest::addRow("first project") << none << files({"a.(p)"}) << files({"a.(p)"});
  QTest::addRow("newest first") << none << abc << files({"c.(p)", "b.(p)", "a.(p)"});
  QTest::addRow("opened again moves to the front")
      << none << (abc + files({"a.(p)"})) << files({"a.(p)", "c.(p)", "b.(p)"});
  QTest::addRow("one file spelt three ways")
      << none << QStringList{file("a.(p)"), mBase + QStringLiteral("/./a.(p)"), mBase + QStringLiteral("//a.(p)")}
      << files({"a.(p)"});
  QTest::addRow("one file through a link") << none << files({"a.(p)", "link.(p)"}) << files({"a.(p)"});
  QTest::addRow("relative to the working folder")
      << none << QStringList{QDir::current().relativeFilePath(file("b.(p)"))} << files({"b.(p)"});
  QTest::addRow("eight at most")
      << none << files({"a.(p)", "b.(p)", "c.(p)", "d.(p)", "e.(p)", "f.(p)", "g.(p)", "h.(p)", "i.(p)", "j.(p)"})
      << files({"j.(p)", "i.(p)", "h.(p)", "g.(p)", "f.(p)", "e.(p)", "d.(p)", "c.(p)"});
  QTest::addRow("an empty name is no project") << none << QStringList{QString()} << QStringList();

  // What a damaged or hand-edited settings file may hold.
  QTest::addRow("stored as one string") << QVariant(file("b.(p)")) << files({"a.(p)"})
                                        << files({"a.(p)", "b.(p)"});
  QTest::addRow("stored as a number") << QVariant(7) << files({"a.(p)"}) << files({"a.(p)"});
  QTest::addRow("stored as a colour") << QVariant(QColor(Qt::red)) << QStringList() << QStringList();
  QTest::addRow("stored with empty strings")
      << QVariant(QStringList{QString(), file("b.(p)"), QStringLiteral("   "), QString()}) << files({"a.(p)"})
      << files({"a.(p)", "b.(p)"});
  QTest::addRow("stored with twelve entries")
      << QVariant(files({"a.(p)", "b.(p)", "c.(p)", "d.(p)", "e.(p)", "f.(p)", "g.(p)", "h.(p)", "i.(p)", "j.(p)",
                         "k.(p)", "l.(p)"}))
      << QStringList() << files({"a.(p)", "b.(p)", "c.(p)", "d.(p)", "e.(p)", "f.(p)", "g.(p)", "h.(p)"});
  QTest::addRow("stored twelve, one more opened")
      << QVariant(files({"a.(p)", "b.(p)", "c.(p)", "d.(p)", "e.(p)", "f.(p)", "g.(p)", "h.(p)", "i.(p)", "j.(p)",
                         "k.(p)", "l.(p)"}))
      << files({"l.(p)"}) << files({"l.(p)", "a.(p)", "b.(p)", "c.(p)", "d.(p)", "e.(p)", "f.(p)", "g.(p)"});
  QTest::addRow("stored twice")
      << QVariant(QStringList{file("b.(p)"), mBase + QStringLiteral("/./b.(p)"), file("a.(p)")}) << QStringList()
      << files({"b.(p)", "a.(p)"});
  // A file that is gone stays until it is chosen, which says so.
  QTest::addRow("stored file that is gone")
      << QVariant(files({"gone.(p)", "b.(p)"})) << files({"a.(p)"}) << files({"a.(p)", "gone.(p)", "b.(p)"});
}

void TestPhRecentProjects::listAfterOpening() {
  QFETCH(QVariant, stored);
  QFETCH(QStringList, opened);
  QFETCH(QStringList, expected);
  writeStored(stored);
  for (const QString &project : opened) PhRecentProjects::add(project);
  QCOMPARE(PhRecentProjects::entries(), expected);
  // What the settings keep is a clean list again, of the kind the file takes.
  if (!opened.isEmpty()) {
    const QVariant kept = Ux::Cfg::value(QStringLiteral("Recent/Projects"));
    QCOMPARE(kept.metaType().id(), int(QMetaType::QStringList));
    QCOMPARE(kept.toStringList(), expected);
  }
}

void TestPhRecentProjects::removingAndClearing() {
  for (const char *name : {"a.(p)", "b.(p)", "c.(p)"}) PhRecentProjects::add(file(QString::fromLatin1(name)));
  // Taken off however it is spelt; a file not in the list changes nothing.
  PhRecentProjects::remove(mBase + QStringLiteral("/./b.(p)"));
  PhRecentProjects::remove(file(QStringLiteral("k.(p)")));
  QCOMPARE(PhRecentProjects::entries(), files({"c.(p)", "a.(p)"}));
  PhRecentProjects::remove(file(QStringLiteral("link.(p)")));
  QCOMPARE(PhRecentProjects::entries(), files({"c.(p)"}));
  PhRecentProjects::clear();
  QCOMPARE(PhRecentProjects::entries(), QStringList());
  PhRecentProjects::add(file(QStringLiteral("d.(p)")));
  QCOMPARE(PhRecentProjects::entries(), files({"d.(p)"}));
}

// The list lives in a group of its own; the main window's last project
// file and every other setting stay as they were.
void TestPhRecentProjects::onlyItsOwnKey() {
  Ux::Cfg(QStringLiteral("Tessella")).writeEntry(QStringLiteral("Last project-file"), QStringLiteral("/x.(p)"));
  PhRecentProjects::add(file(QStringLiteral("a.(p)")));
  PhRecentProjects::clear();
  QCOMPARE(Ux::Cfg::keys(), (QStringList{"Recent/Projects", "Tessella/Last project-file"}));
  QCOMPARE(Ux::Cfg::value(QStringLiteral("Tessella/Last project-file")).toString(), QStringLiteral("/x.(p)"));
}

QTEST_GUILESS_MAIN(TestPhRecentProjects)
#include "tst_phrecentprojects.moc"
