// A configuration file that loaded only partly holds more than the table:
// the first save over it keeps the original as <name>.bak.
#include "filebytes.h"
#include "messagecapture.h"
#include "uxapp.h"
#include "uxcfg.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Ux::Cfg;

namespace {

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// a = 1, then a Brush (a kind the store cannot read), then c = 2.
const char *const kDamaged =
    "0000270E 00000064 00258960 02B32C95 00000003"
    "00000002 0061 00000010 00000001"
    "00000002 0062 00000007 00000001"
    "00000002 0063 00000010 00000002";
const char *const kSound =
    "0000270E 00000064 00258960 02B32C95 00000002"
    "00000002 0061 00000010 00000001"
    "00000002 0063 00000010 00000002";

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

}  // namespace

class TestUxCfgBackup : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void firstSaveKeepsPartlyLoadedOriginal();
  void noBackupWithoutDamage_data();
  void noBackupWithoutDamage();
  void savingElsewhereLeavesTheOriginalToKeep();
  void unwritableBackupStopsTheSave();
  void partlyLoadedUserConfigurationLeavesBackup();

 private:
  QString path(const QString &name) const { return mDir->filePath(name); }
  std::unique_ptr<QTemporaryDir> mDir;
};

void TestUxCfgBackup::init() {
  Cfg::clear();
  mDir = std::make_unique<QTemporaryDir>();
  QVERIFY(mDir->isValid());
}

void TestUxCfgBackup::cleanup() { mDir.reset(); }

void TestUxCfgBackup::firstSaveKeepsPartlyLoadedOriginal() {
  const QString file = path(QStringLiteral("me.cfg"));
  const QString backup = path(QStringLiteral("me.cfg.bak"));
  QVERIFY(putFile(file, hex(kDamaged)));
  MessageCapture messages;
  QVERIFY(Cfg::load(file, true));
  QCOMPARE(Cfg::keys(), QStringList{QStringLiteral("a")});
  QCOMPARE(messages.texts(Nub::MsgWarn),
           QStringList{QStringLiteral("The configuration-file '%1' is damaged (unknown type number 7 at "
                                      "byte 40); only the entries before the damage were loaded! Before "
                                      "a save replaces it, the original is kept as '%2'.")
                           .arg(native(file), native(backup))});
  QVERIFY(!QFile::exists(backup));  // loading writes nothing

  Cfg(QStringLiteral("n")).writeEntry(QStringLiteral("new"), 3);
  QVERIFY(Cfg::save(file));
  QCOMPARE(fileBytes(backup).toHex(' '), hex(kDamaged).toHex(' '));
  Cfg::clear();
  QVERIFY(Cfg::load(file, true));
  QCOMPARE(Cfg::keys(), QStringList({QStringLiteral("a"), QStringLiteral("n/new")}));

  // Only the first save keeps it: the file saved since holds what the table holds.
  QVERIFY(QFile::remove(backup));
  QVERIFY(Cfg::save(file));
  QVERIFY(!QFile::exists(backup));
}

void TestUxCfgBackup::noBackupWithoutDamage_data() {
  QTest::addColumn<QByteArray>("first");   // loaded first
  QTest::addColumn<QByteArray>("second");  // then written over it and loaded again; empty: not
  QTest::addRow("sound file") << hex(kSound) << QByteArray();
  QTest::addRow("bytes after the last entry") << hex(kSound) + "xyz" << QByteArray();
  QTest::addRow("damaged, then mended and loaded again") << hex(kDamaged) << hex(kSound);
}

void TestUxCfgBackup::noBackupWithoutDamage() {
  QFETCH(QByteArray, first);
  QFETCH(QByteArray, second);
  const QString file = path(QStringLiteral("me.cfg"));
  QVERIFY(putFile(file, first));
  MessageCapture messages;
  QVERIFY(Cfg::load(file, true));
  if (!second.isEmpty()) {
    QVERIFY(putFile(file, second));
    QVERIFY(Cfg::load(file, true));
  }
  QVERIFY(Cfg::save(file));
  QCOMPARE(QDir(mDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("me.cfg")});
}

void TestUxCfgBackup::savingElsewhereLeavesTheOriginalToKeep() {
  const QString file = path(QStringLiteral("me.cfg"));
  const QString other = path(QStringLiteral("other.cfg"));
  QVERIFY(putFile(file, hex(kDamaged)));
  MessageCapture messages;
  QVERIFY(Cfg::load(file, true));
  QVERIFY(Cfg::save(other));
  QVERIFY(!QFile::exists(other + QStringLiteral(".bak")));
  QCOMPARE(fileBytes(file), hex(kDamaged));

  // The same file under another spelling of its path is still the one to keep.
  const QString spelled = mDir->path() + QStringLiteral("/./me.cfg");
  QVERIFY(Cfg::save(spelled));
  QCOMPARE(fileBytes(path(QStringLiteral("me.cfg.bak"))), hex(kDamaged));
}

void TestUxCfgBackup::unwritableBackupStopsTheSave() {
  const QString file = path(QStringLiteral("me.cfg"));
  const QString backup = path(QStringLiteral("me.cfg.bak"));
  QVERIFY(putFile(file, hex(kDamaged)));
  QVERIFY(QDir().mkdir(backup));
  MessageCapture messages;
  QVERIFY(Cfg::load(file, true));
  messages.clear();
  QVERIFY(!Cfg::save(file));
  QCOMPARE(messages.texts(Nub::MsgWarn),
           QStringList{QStringLiteral("Can't write configuration-file '%1'!").arg(native(backup))});
  QCOMPARE(fileBytes(file), hex(kDamaged));

  // Once the way is free, the next save keeps the original and goes ahead.
  QVERIFY(QDir().rmdir(backup));
  QVERIFY(Cfg::save(file));
  QCOMPARE(fileBytes(backup), hex(kDamaged));
}

void TestUxCfgBackup::partlyLoadedUserConfigurationLeavesBackup() {
  Ux::App *app = Ux::App::getRep();
  QVERIFY(app->init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),
                    QStringLiteral(".cfg")));
  const QString user = app->cfgFileUser();
  QVERIFY(putFile(user, hex(kDamaged)));
  MessageCapture messages;
  QVERIFY(app->readUserCfg(true));
  QCOMPARE(messages.texts(Nub::MsgWarn).size(), 1);
  QVERIFY(messages.texts(Nub::MsgWarn).first().endsWith(
      QStringLiteral("the original is kept as '%1.bak'.").arg(native(user))));
  QVERIFY(app->writeUserCfg());
  QCOMPARE(fileBytes(user + QStringLiteral(".bak")), hex(kDamaged));
  QVERIFY(QFile::remove(user + QStringLiteral(".bak")));
  QVERIFY(QFile::remove(user));
}

int main(int argc, char **argv) {
  Ux::App app("Tessella", argc, argv);
  TestUxCfgBackup test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_uxcfgbackup.moc"
