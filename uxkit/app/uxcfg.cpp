#include "uxcfg.h"

#include "nubmsg.h"
#include "uxcfgfile.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QMainWindow>
#include <QPen>
#include <QRect>
#include <QSaveFile>
#include <QSet>
#include <QSize>
#include <QSplitter>

#include <cmath>
#include <limits>

namespace Ux {

namespace {

bool sLoaded = false;
const QLatin1String CRYPT_MARKER("!#*~");

// The translated text in UTF-8, ready to be a format of the message functions.
QByteArray trCfg(const char *text) { return QCoreApplication::translate("Ux::Cfg", text).toUtf8(); }

QByteArray native(const QString &fileName) { return QDir::toNativeSeparators(fileName).toUtf8(); }

// Scrambles a text with the seven-letter key; applying it twice gives the text back.
QString xorText(const QString &text) {
  static const QString key = QString::fromLatin1("Quorbel");
  QString out;
  out.reserve(text.size());
  for (qsizetype j = 0; j < text.size(); ++j) {
    const char16_t code = text.at(j).unicode();
    const char16_t plain = code <= 0xFF ? code : 0;
    out.append(QChar(char16_t(plain ^ key.at(j % key.size()).unicode())));
  }
  return out;
}

// A stored string as readers see it: the marker removed and the rest unscrambled.
QString plainText(const QString &stored) {
  if (stored.startsWith(CRYPT_MARKER)) return xorText(stored.mid(CRYPT_MARKER.size()));
  return stored;
}

// A value as text. A date-time reads without a zone, as the file holds none.
QString textOf(const QVariant &value) {
  if (value.metaType().id() == QMetaType::QDateTime) {
    const QDateTime dt = value.toDateTime();
    if (!dt.isValid()) return QString();
    return dt.date().toString(Qt::ISODate) + QLatin1Char('T') + dt.time().toString(Qt::ISODateWithMs);
  }
  return value.toString();
}

// A value as an int, when it has one that fits: the toolkit's conversions
// wrap wide integers and give 0 for huge doubles instead of failing.
bool intOf(const QVariant &value, int *out) {
  constexpr qint64 lo = std::numeric_limits<int>::min();
  constexpr qint64 hi = std::numeric_limits<int>::max();
  switch (value.metaType().id()) {
    case QMetaType::UInt:
    case QMetaType::LongLong: {
      const qint64 v = value.toLongLong();
      if (v < lo || v > hi) return false;
      *out = int(v);
      return true;
    }
    case QMetaType::ULongLong: {
      const quint64 v = value.toULongLong();
      if (v > quint64(hi)) return false;
      *out = int(v);
      return true;
    }
    case QMetaType::Double: {
      const double d = value.toDouble();
      if (!std::isfinite(d) || d <= double(lo) || d >= double(hi)) return false;
      break;
    }
    default:
      break;
  }
  bool ok = false;
  const int v = value.toInt(&ok);
  if (ok) *out = v;
  return ok;
}

// Files that loaded only partly and are still as they were found: their
// first save keeps the original beside them.
QSet<QString> &partlyLoaded() {
  static auto *files = new QSet<QString>;
  return *files;
}

QString backupName(const QString &fileName) { return fileName + QStringLiteral(".bak"); }

// Copies the file to its backup name; the backup is replaced only once the copy is complete.
bool keepOriginal(const QString &fileName) {
  QFile original(fileName);
  QSaveFile backup(backupName(fileName));
  if (!original.open(QIODevice::ReadOnly) || !backup.open(QIODevice::WriteOnly)) return false;
  char buffer[1 << 16];
  for (;;) {
    const qint64 n = original.read(buffer, sizeof buffer);
    if (n < 0) return false;
    if (n == 0) break;
    if (backup.write(buffer, n) != n) return false;
  }
  return backup.commit();
}

}  // namespace

Cfg::Cfg(const QString &group) : mGroup(group) { _table(); }

void Cfg::beginGroup(const QString &group) { mGroup = group; }

void Cfg::endGroup() { mGroup = QString(); }

const QString &Cfg::curGroup() const { return mGroup; }

void Cfg::setCrypt(bool crypt) { mCrypt = crypt; }

bool Cfg::crypt() const { return mCrypt; }

unsigned Cfg::count() const { return unsigned(_table().size()); }

QMap<QString, QVariant> &Cfg::_table() {
  // Lives until the process ends, like every other process-wide table.
  static auto *table = new QMap<QString, QVariant>;
  return *table;
}

QString Cfg::_fullKey(const QString &key) const {
  if (mGroup.isEmpty()) return key;
  QString full = mGroup;
  if (!full.endsWith(QLatin1Char('/'))) full += QLatin1Char('/');
  qsizetype start = 0;
  while (start < key.size() && key.at(start) == QLatin1Char('/')) ++start;
  return full + key.mid(start);
}

// --- writers ---------------------------------------------------------------

bool Cfg::writeEntry(const QString &key, int value) {
  const QString full = _fullKey(key);
  _table().insert(full, value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, double value) {
  const QString full = _fullKey(key);
  _table().insert(full, value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QString &value) {
  const QString full = _fullKey(key);
  _table().insert(full, mCrypt ? QString(CRYPT_MARKER) + xorText(value) : value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const char *value) {
  return writeEntry(key, value ? QString::fromUtf8(value) : QString());
}

bool Cfg::writeEntry(const QString &key, const QStringList &value) {
  const QString full = _fullKey(key);
  _table().insert(full, value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QSize &value) {
  const QString full = _fullKey(key);
  _table().insert(full, value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QRect &value) {
  const QString full = _fullKey(key);
  _table().insert(full, value);
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QFont &value) {
  return writeEntry(key, value.toString());
}

bool Cfg::writeEntry(const QString &key, const QPen &value) {
  const QString full = _fullKey(key);
  _table().insert(full, QVariant::fromValue(value));
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QColor &value) {
  const QString full = _fullKey(key);
  _table().insert(full, QVariant::fromValue(value));
  return _table().contains(full);
}

bool Cfg::writeEntry(const QString &key, const QMainWindow &value) {
  return writeEntry(key, QString::fromLatin1(value.saveState().toBase64()));
}

bool Cfg::writeEntry(const QString &key, const QSplitter &value) {
  return writeEntry(key, QString::fromLatin1(value.saveState().toBase64()));
}

// --- readers ---------------------------------------------------------------

bool Cfg::readBool(const QString &key, bool def, bool *found) const {
  bool value = def;
  const bool ok = read(value, _fullKey(key), def);
  if (found) *found = ok;
  return value;
}

int Cfg::readNum(const QString &key, int def, bool *found) const {
  int value = def;
  const bool ok = read(value, _fullKey(key), def);
  if (found) *found = ok;
  return value;
}

double Cfg::readReal(const QString &key, double def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  bool ok = false;
  double value = 0;
  if (it != _table().constEnd()) value = it->toDouble(&ok);
  if (found) *found = ok;
  return ok ? value : def;
}

QString Cfg::readString(const QString &key, const QString &def, bool *found) const {
  QString value;
  const bool ok = read(value, _fullKey(key), def);
  if (found) *found = ok;
  return value;
}

QStringList Cfg::readStringList(const QString &key, const QStringList &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  const bool ok = it != _table().constEnd();
  if (found) *found = ok;
  return ok ? it->toStringList() : def;
}

QSize Cfg::readSize(const QString &key, const QSize &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  QSize value;
  if (it != _table().constEnd() && it->canConvert<QSize>()) value = it->toSize();
  const bool ok = value.isValid();
  if (found) *found = ok;
  return ok ? value : def;
}

QRect Cfg::readRect(const QString &key, const QRect &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  QRect value;
  if (it != _table().constEnd() && it->canConvert<QRect>()) value = it->toRect();
  const bool ok = value.isValid();
  if (found) *found = ok;
  return ok ? value : def;
}

// The font, main-window and splitter readers unscramble like readString, so
// their writers and readers agree whatever the crypt switch.
QFont Cfg::readFont(const QString &key, const QFont &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  QFont value;
  const bool ok = it != _table().constEnd() && value.fromString(plainText(it->toString()));
  if (found) *found = ok;
  return ok ? value : def;
}

QPen Cfg::readPen(const QString &key, const QPen &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  const bool ok = it != _table().constEnd();
  if (found) *found = ok;
  return ok ? it->value<QPen>() : def;
}

QColor Cfg::readColor(const QString &key, const QColor &def, bool *found) const {
  const auto it = _table().constFind(_fullKey(key));
  QColor value;
  if (it != _table().constEnd() && it->canConvert<QColor>()) value = it->value<QColor>();
  const bool ok = value.isValid();
  if (found) *found = ok;
  return ok ? value : def;
}

bool Cfg::readMainWindow(const QString &key, QMainWindow &window) const {
  const auto it = _table().constFind(_fullKey(key));
  if (it == _table().constEnd()) return false;
  return window.restoreState(QByteArray::fromBase64(plainText(it->toString()).toLatin1()));
}

bool Cfg::readSplitter(const QString &key, QSplitter &splitter) const {
  const auto it = _table().constFind(_fullKey(key));
  if (it == _table().constEnd()) return false;
  return splitter.restoreState(QByteArray::fromBase64(plainText(it->toString()).toLatin1()));
}

// --- static access ---------------------------------------------------------

bool Cfg::read(bool &out, const QString &key, bool def) {
  const auto it = _table().constFind(key);
  const bool ok = it != _table().constEnd();
  out = ok ? it->toBool() : def;
  return ok;
}

bool Cfg::read(int &out, const QString &key, int def) {
  const auto it = _table().constFind(key);
  int value = 0;
  const bool ok = it != _table().constEnd() && intOf(*it, &value);
  out = ok ? value : def;
  return ok;
}

bool Cfg::read(QString &out, const QString &key, const QString &def) {
  const auto it = _table().constFind(key);
  QString value;
  if (it != _table().constEnd()) value = plainText(textOf(*it));
  const bool ok = !value.isEmpty();
  out = ok ? value : def;
  return ok;
}

bool Cfg::write(const QString &key, const QString &value) {
  _table().insert(key, value);
  return _table().contains(key);
}

QStringList Cfg::keys() { return _table().keys(); }

QVariant Cfg::value(const QString &fullKey) { return _table().value(fullKey); }

void Cfg::clear() { _table().clear(); }

bool Cfg::hasLoaded() { return sLoaded; }

// --- files -----------------------------------------------------------------

bool Cfg::save(const QString &fileName) {
  Nub::debug("%s => %s", "fileName", fileName.toUtf8().constData());
  if (fileName.isEmpty()) return Nub::warn("%s", trCfg("Empty filename!").constData());

  // A file that loaded only partly holds more than the table: keep it.
  const QString canonical = QFileInfo(fileName).canonicalFilePath();
  if (!canonical.isEmpty() && partlyLoaded().contains(canonical)) {
    if (!keepOriginal(fileName)) {
      return Nub::warn(trCfg("Can't write configuration-file '%s'!").constData(),
                       native(backupName(fileName)).constData());
    }
    partlyLoaded().remove(canonical);
  }

  // The previous file stays untouched until the new one is complete.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    return Nub::warn(trCfg("Can't write configuration-file '%s'!").constData(),
                     native(fileName).constData());
  }

  QList<CfgFile::Entry> entries;
  const QMap<QString, QVariant> &table = _table();
  entries.reserve(table.size());
  for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
    CfgFile::Entry entry;
    if (NUB_CHECK_WARN(!CfgFile::fromVariant(it.key(), it.value(), &entry))) continue;
    entries.append(entry);
  }

  const CfgFile::Header header = CfgFile::headerAt(QDateTime::currentDateTime());
  if (!CfgFile::write(file, header, entries) || !file.commit()) {
    file.cancelWriting();
    return Nub::warn(trCfg("Can't write configuration-file '%s'!").constData(),
                     native(fileName).constData());
  }
  Nub::info(trCfg("Configurationfile '%s' written.").constData(), native(fileName).constData());
  return true;
}

bool Cfg::load(const QString &fileName, bool warnIfMissing) {
  Nub::debug("%s => %s", "fileName", fileName.toUtf8().constData());
  if (fileName.isEmpty()) return Nub::warn("%s", trCfg("Empty filename!").constData());

  if (!QFileInfo::exists(fileName)) {
    if (warnIfMissing) {
      Nub::warn(trCfg("The configuration-file '%s' does not exist!").constData(),
                native(fileName).constData());
    }
    return false;
  }

  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    return Nub::warn(trCfg("Can't load configuration-file '%s'!").constData(),
                     native(fileName).constData());
  }

  QMap<QString, QVariant> &table = _table();
  const CfgFile::Contents contents = CfgFile::read(file);
  if (contents.status == CfgFile::S_ReadError) {
    return Nub::warn(trCfg("Can't load configuration-file '%s'!").constData(),
                     native(fileName).constData());
  }
  if (contents.status == CfgFile::S_BadMagic) {
    return Nub::warn("%s", trCfg("The internal format of the configuration is invalid!").constData());
  }

  const QDateTime written = CfgFile::written(contents.header);
  Nub::info(trCfg("Loading configuration-file '%s' (version: %d, date: %s)").constData(),
            native(fileName).constData(), int(contents.header.version),
            written.toString(Qt::TextDate).toUtf8().constData());

  // A load replaces the whole table; a repeated key keeps its last value.
  table.clear();
  for (const CfgFile::Entry &entry : contents.entries) table.insert(entry.key, CfgFile::toVariant(entry));

  // Whatever was read before damage stays; the rest of the file is skipped,
  // and kept beside it by the first save over it.
  const QString canonical = QFileInfo(fileName).canonicalFilePath();
  if (contents.status != CfgFile::S_Ok && contents.status != CfgFile::S_TrailingData) {
    partlyLoaded().insert(canonical);
    Nub::warn(trCfg("The configuration-file '%s' is damaged (%s); only the entries before "
                    "the damage were loaded! Before a save replaces it, the original is kept "
                    "as '%s'.").constData(),
              native(fileName).constData(), contents.damage.toUtf8().constData(),
              native(backupName(fileName)).constData());
  } else {
    partlyLoaded().remove(canonical);
  }

  Nub::info("%s", trCfg("Configurationfile loaded.").constData());
  sLoaded = true;
  return true;
}

QString Cfg::selfInfo() {
  const QMap<QString, QVariant> &table = _table();
  if (table.isEmpty()) {
    return QCoreApplication::translate("Ux::Cfg", "<b>No configuration-settings available!</b>");
  }
  QString html = QCoreApplication::translate(
      "Ux::Cfg",
      "<table border=1><tr><th><b>Key</b></th><th><b>Type</b></th><th><b>Value</b></th></tr>");
  const QString row = QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>");
  for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
    html += row.arg(it.key(), QString::fromLatin1(it.value().typeName()), textOf(it.value()));
  }
  html += QStringLiteral("</table>");
  return html;
}

}  // namespace Ux
