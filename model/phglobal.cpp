#include "phglobal.h"

#include <QCoreApplication>

namespace {

QString tableName(const char *const table[], int size, int value) {
  if (value < 0 || value >= size) return QStringLiteral("ERROR!");
  return QCoreApplication::translate("PhGlobal", table[value]);
}

}  // namespace

QString PhGlobal::pointTypeName(int iType, bool bAccel) {
  static const char *const withAccel[] = {
      QT_TRANSLATE_NOOP("PhGlobal", "&New Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "&Vertical Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "&Horizontal Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "Horiz. &+ Vert. Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "&Projection Centre"),
      QT_TRANSLATE_NOOP("PhGlobal", "Observed P&roj. Centre"),
      QT_TRANSLATE_NOOP("PhGlobal", "&Lonely Image Point")};
  static const char *const plain[] = {
      QT_TRANSLATE_NOOP("PhGlobal", "New Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "Vertical Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "Horizontal Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "Horiz. + Vert. Control Point"),
      QT_TRANSLATE_NOOP("PhGlobal", "Projection Centre"),
      QT_TRANSLATE_NOOP("PhGlobal", "Observed Proj. Centre"),
      QT_TRANSLATE_NOOP("PhGlobal", "Lonely Image Point")};
  return tableName(bAccel ? withAccel : plain, PointTypeCount, iType);
}

QString PhGlobal::symbolTypeName(int iType) {
  static const char *const names[] = {QT_TRANSLATE_NOOP("PhGlobal", "Circle"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "Triangle"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "Cross")};
  return tableName(names, 3, iType);
}

QString PhGlobal::lineTypeName(int iType) {
  static const char *const names[] = {QT_TRANSLATE_NOOP("PhGlobal", "Solid Line"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "Dash Line"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "Dot Line")};
  return tableName(names, 3, iType);
}

QString PhGlobal::planeName(int iPlane) {
  static const char *const names[] = {QT_TRANSLATE_NOOP("PhGlobal", "XY"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "XZ"),
                                      QT_TRANSLATE_NOOP("PhGlobal", "YZ")};
  return tableName(names, 3, iPlane);
}

QString PhGlobal::selectionModeName(int iMode) {
  static const char *const names[] = {
      QT_TRANSLATE_NOOP("PhGlobal", "Erase e&xisting Selection"),
      QT_TRANSLATE_NOOP("PhGlobal", "&Add to existing Selection")};
  return tableName(names, 2, iMode);
}

PhGlobal::PointTypeE PhGlobal::pointTypeOfCode(int iCode) {
  switch (iCode) {
    case 200: return PT_VerticalControl;
    case 300: return PT_HorizontalControl;
    case 500: return PT_FullControl;
    case 900: return PT_ProjectionCentre;
    case 901: return PT_ObservedProjectionCentre;
    case LonelyCode: return PT_LonelyImagePoint;
    default: return PT_NewPoint;
  }
}

int PhGlobal::horizontalAxis(int iPlane) {
  switch (iPlane) {
    case PL_XY: return 0;
    case PL_XZ: return 0;
    case PL_YZ: return 1;
    default: return -1;
  }
}

int PhGlobal::verticalAxis(int iPlane) {
  switch (iPlane) {
    case PL_XY: return 1;
    case PL_XZ: return 2;
    case PL_YZ: return 2;
    default: return -1;
  }
}
