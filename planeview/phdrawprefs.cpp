#include "phdrawprefs.h"

#include <QString>

#include "phdrawsettings.h"
#include "uxcfg.h"

void PhDrawPrefs::readViewer(const QString &group, PhDrawSettings &settings) {
  const Ux::Cfg cfg(group);
  settings.background = cfg.readColor(QStringLiteral("BG_Color"), QColor(Qt::white));
  settings.textFont = cfg.readFont(QStringLiteral("TextFont"), QFont(QStringLiteral("Arial"), 8));
  settings.showBlunders = cfg.readBool(QStringLiteral("BlundersOn"), false);
  settings.residualScale = float(cfg.readNum(QStringLiteral("Scale"), 1000));
  readPoints(settings);
}

void PhDrawPrefs::readPoints(PhDrawSettings &settings) {
  const Ux::Cfg cfg(QStringLiteral("Points"));
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    settings.pointOn[t] = cfg.readBool(QStringLiteral("PointOn_%1").arg(t), true);
    settings.symbol[t] = cfg.readNum(QStringLiteral("PointSymbol_%1").arg(t), PhGlobal::SYM_Circle);
    settings.colour[t] = cfg.readColor(QStringLiteral("PointColor_%1").arg(t), QColor(Qt::black));
    settings.size[t] = cfg.readNum(QStringLiteral("PointSize_%1").arg(t), 7);
  }
  settings.blunderColour = cfg.readColor(QStringLiteral("BlunderColor"), QColor(Qt::red));
  settings.blunderSize = cfg.readNum(QStringLiteral("BlunderSize"), 2);
}

void PhDrawPrefs::readMarks(PhDrawSettings &settings) {
  const Ux::Cfg cfg(QStringLiteral("Points"));
  settings.markColour = cfg.readColor(QStringLiteral("MarkColor"), QColor(Qt::yellow));
  settings.markSize = cfg.readNum(QStringLiteral("MarkSize"), 2);
}
