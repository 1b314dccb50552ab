#include "phinfotexts.h"

#include "uxapp.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("PhInfoTexts", text); }

struct Release {
  const char *version;
  const char *date;
  QStringList features;
};

QList<Release> releases() {
  return {
      {"1.0.5", "January 12, 2006",
       {tr("Search tab: select object points by point code"),
        tr("Keyboard toggles for every point type in all viewers"),
        tr("Viewer placements are saved and restored with the preferences")}},
      {"1.0.4", "November 3, 2005",
       {tr("Sigma ellipses and sigma texts in the object viewers"),
        tr("Rejected observation axes drawn in their own style")}},
      {"1.0.3", "September 8, 2005",
       {tr("Search tab: select object points by ID range, pattern, image, links, residuals, "
           "sigmas and blunder state")}},
      {"1.0.2", "July 14, 2005",
       {tr("Object viewers for the XY, XZ and YZ planes with rubber-band selection"),
        tr("Connections from selected projection centres to their object points")}},
      {"1.0.1", "May 30, 2005",
       {tr("Image viewer with residual vectors, blunders and the largest residual"),
        tr("Image table and image information pages")}},
      {"1.0.0", "April 13, 2005",
       {tr("First release: reads BAX projects and shows images, object points and project "
           "information")}},
  };
}

}  // namespace

QString splashText() {
  return tr("<h2>%1</h2><h3>Graphical Analysis Tool for BAXB Adjustment Results</h3>"
            "<h3>Version: %2</h3><h3>Made by %3</h3><h3>and %4</h3><br><br>"
            "<p>This program is provided as is, without warranty of any kind. "
            "It only reads the files of a bundle adjustment and never changes them.</p>")
      .arg(Ux::App::info(QStringLiteral("name")), Ux::App::info(QStringLiteral("version")),
           Ux::App::info(QStringLiteral("author1")), Ux::App::info(QStringLiteral("author2")));
}

QString historyText() {
  QString text = tr("<br><center><h2>History since creation of program at %1</h2><table border=2>"
                    "<tr bgcolor=\"#3b589a\"><td><b>Version</b></td><td><b>Date</b></td>"
                    "<td><b>Features</b></td></tr>")
                     .arg(Ux::App::info(QStringLiteral("dateCreation")));
  for (const Release &release : releases()) {
    text += QStringLiteral("<tr><td>") + QString::fromLatin1(release.version) +
            QStringLiteral("</td><td>") + tr(release.date) + QStringLiteral("</td><td><ul>");
    for (const QString &feature : release.features) text += QStringLiteral("<li>") + feature;
    text += QStringLiteral("</ul></td></tr>");
  }
  return text + QStringLiteral("</table></center>");
}

QString supportText() {
  auto info = [](const char *key) { return Ux::App::info(QString::fromLatin1(key)); };
  return tr("<br><center><h2>For more information, please contact:</h2><br><h2>%1</h2>"
            "<h2>Phone: %2<br>Fax: %3<br>E-Mail: <font color=\"#0000ff\"><u>%4</u></font></h2>"
            "<h2>or</h2><h2>%5</h2>"
            "<h2>Phone: %6<br>Fax: %7<br>E-Mail: <font color=\"#0000ff\"><u>%8</u></font></h2></center>")
      .arg(info("author1"), info("author1Tel"), info("author1Fax"), info("author1Email"),
           info("author2"), info("author2Tel"), info("author2Fax"), info("author2Email"));
}

void registerInformation(const QString &appName) {
  using Ux::App;
  App::setInfo(QStringLiteral("version"), QStringLiteral("1.0.5"));
  App::setInfo(QStringLiteral("dateLastChange"), tr("January 12, 2006"));
  App::setInfo(QStringLiteral("dateCreation"), tr("April 13, 2005"));
  App::setInfo(QStringLiteral("author1"), tr("Tessella Development Team"));
  App::setInfo(QStringLiteral("author1Email"), QStringLiteral("development@tessella.example.org"));
  App::setInfo(QStringLiteral("author1Tel"), QStringLiteral("+00 000 000 0100"));
  App::setInfo(QStringLiteral("author1Fax"), QStringLiteral("+00 000 000 0199"));
  App::setInfo(QStringLiteral("author2"), tr("Tessella User Support"));
  App::setInfo(QStringLiteral("author2Email"), QStringLiteral("support@tessella.example.org"));
  App::setInfo(QStringLiteral("author2Tel"), QStringLiteral("+00 000 000 0200"));
  App::setInfo(QStringLiteral("author2Fax"), QStringLiteral("+00 000 000 0299"));
  App::setInfo(QStringLiteral("name"), appName);
  App::setInfo(QStringLiteral("history"), historyText());
  App::setInfo(QStringLiteral("nameLong"),
               tr("%1 Version %2").arg(appName, App::info(QStringLiteral("version"))));
  App::setInfo(QStringLiteral("support"), supportText());
}
