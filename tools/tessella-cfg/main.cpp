// tessella-cfg: shows a configuration file as JSON and makes one from JSON.

#include "cfgdump.h"
#include "cfgmake.h"
#include "uxcfgfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

using Ux::CfgFile;

namespace {

constexpr int EXIT_USAGE = 1;
constexpr int EXIT_BAD_FILE = 2;

QString tr(const char *text) { return QCoreApplication::translate("tessella-cfg", text); }

const char *usageLine() { return "usage: tessella-cfg dump FILE | make JSONFILE OUTFILE | --help\n"; }

void printHelp() {
  const QString help = tr(
      "usage: tessella-cfg dump FILE\n"
      "       tessella-cfg make JSONFILE OUTFILE\n"
      "\n"
      "dump  prints the configuration file FILE as JSON on standard output:\n"
      "        {\"magic\": 9998, \"version\": 100, \"written\": \"<local date-time, ISO 8601>\",\n"
      "         \"entries\": [{\"key\": \"...\", \"type\": \"<kind>\", \"value\": ...}, ...]}\n"
      "      with the entries in file order. Kinds and values:\n"
      "        Invalid     null\n"
      "        Map         an array of [key, {\"type\": \"<kind>\", \"value\": ...}] pairs,\n"
      "                    in file order\n"
      "        List        an array of {\"type\": \"<kind>\", \"value\": ...}\n"
      "        Int, UInt, LongLong, ULongLong\n"
      "                    a whole number, exact to the last digit\n"
      "        Bool        true or false\n"
      "        Double      a number; \"nan\", \"inf\", \"-inf\", \"-0.0\" or \"0x\" and 16 hex\n"
      "                    digits (the raw bits of any other NaN) where JSON has no number\n"
      "        String      a string exactly as stored (scrambled values keep their marker);\n"
      "                    null for a null string, in keys and string lists too\n"
      "        StringList  an array of strings\n"
      "        Rect        [left, top, right, bottom]\n"
      "        Size        [width, height]\n"
      "        Point       [x, y]\n"
      "        Color       \"#AARRGGBB\"\n"
      "        Pen         {\"style\": <stored style|cap|join byte>, \"width\": n,\n"
      "                     \"color\": \"#AARRGGBB\"}\n"
      "        Date        \"YYYY-MM-DD\", or {\"julianDay\": n} outside the years 1 to 9999\n"
      "        Time        \"hh:mm:ss.zzz\"\n"
      "        DateTime    \"YYYY-MM-DDThh:mm:ss.zzz\", or {\"julianDay\": n, \"msecs\": n}\n"
      "                    outside the years 1 to 9999\n"
      "        ByteArray   the bytes in base64; null for a null byte array\n"
      "      Lists and maps nest at most 64 levels deep. A \"written\" date-time that is\n"
      "      not a valid one is shown as {\"julianDay\": n, \"msecs\": n}.\n"
      "make  writes OUTFILE from JSON of that form, entries in the given order; so make\n"
      "      of a dump gives back the same bytes. \"magic\" (9998 only), \"version\" (default\n"
      "      100) and \"written\" (default: now) may be left out; a colour may also be\n"
      "      \"#RRGGBB\". OUTFILE is replaced only when it is written completely.\n"
      "\n"
      "Exit codes: 0 success; 1 wrong arguments (a usage line on standard error);\n"
      "2 a file that cannot be read or written, a damaged or foreign configuration file,\n"
      "or JSON that does not describe one (one line on standard error).\n");
  fputs(help.toUtf8().constData(), stdout);
}

int failure(const QString &text) {
  fprintf(stderr, "tessella-cfg: %s\n", text.simplified().toUtf8().constData());
  return EXIT_BAD_FILE;
}

int dump(const QString &fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    return failure(tr("cannot open '%1': %2").arg(fileName, file.errorString()));
  }
  const CfgFile::Contents contents = CfgFile::read(file);
  switch (contents.status) {
    case CfgFile::S_Ok:
      break;
    case CfgFile::S_BadMagic:
      return failure(tr("'%1' is not a configuration file: %2").arg(fileName, contents.damage));
    case CfgFile::S_ReadError:
      return failure(tr("cannot read '%1': %2").arg(fileName, file.errorString()));
    default:
      return failure(tr("'%1' is damaged: %2").arg(fileName, contents.damage));
  }
  const QByteArray json = CfgDump::toJson(contents);
  if (fwrite(json.constData(), 1, size_t(json.size()), stdout) != size_t(json.size()) ||
      fflush(stdout) != 0) {
    return failure(tr("cannot write to standard output"));
  }
  return 0;
}

int make(const QString &jsonName, const QString &outName) {
  QFile jsonFile(jsonName);
  if (!jsonFile.open(QIODevice::ReadOnly)) {
    return failure(tr("cannot open '%1': %2").arg(jsonName, jsonFile.errorString()));
  }
  const QByteArray json = jsonFile.readAll();
  if (jsonFile.error() != QFileDevice::NoError) {
    return failure(tr("cannot read '%1': %2").arg(jsonName, jsonFile.errorString()));
  }

  CfgFile::Header header;
  QList<CfgFile::Entry> entries;
  QString error;
  if (!CfgMake::fromJson(json, &header, &entries, &error)) {
    return failure(QStringLiteral("'%1': %2").arg(jsonName, error));
  }

  // The previous OUTFILE survives any failure.
  QSaveFile out(outName);
  if (!out.open(QIODevice::WriteOnly) || !CfgFile::write(out, header, entries) || !out.commit()) {
    const QString reason = out.errorString();
    out.cancelWriting();
    return failure(tr("cannot write '%1': %2").arg(outName, reason));
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
    printHelp();
    return 0;
  }
  if (args.size() == 2 && args.first() == QLatin1String("dump")) return dump(args.at(1));
  if (args.size() == 3 && args.first() == QLatin1String("make")) return make(args.at(1), args.at(2));
  fputs(usageLine(), stderr);
  return EXIT_USAGE;
}
