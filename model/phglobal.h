#ifndef PHGLOBAL_H
#define PHGLOBAL_H

#include <QObject>
#include <QString>

// The shared vocabulary of the program: point, symbol and line types, view
// planes, selection and search modes, with their display names.
class PhGlobal {
  Q_GADGET

 public:
  enum PointTypeE {
    PT_NewPoint = 0,
    PT_VerticalControl = 1,
    PT_HorizontalControl = 2,
    PT_FullControl = 3,
    PT_ProjectionCentre = 4,
    PT_ObservedProjectionCentre = 5,
    PT_LonelyImagePoint = 6
  };
  Q_ENUM(PointTypeE)
  static constexpr int PointTypeCount = 7;

  enum SymbolTypeE { SYM_Circle = 0, SYM_Triangle = 1, SYM_Cross = 2 };
  Q_ENUM(SymbolTypeE)

  enum LineTypeE { LT_Solid = 0, LT_Dash = 1, LT_Dot = 2 };
  Q_ENUM(LineTypeE)

  enum PlaneE { PL_XY = 0, PL_XZ = 1, PL_YZ = 2 };
  Q_ENUM(PlaneE)

  enum SelectionModeE { SEL_EraseExisting = 0, SEL_AddToExisting = 1 };
  Q_ENUM(SelectionModeE)

  // The order of the search tab's group boxes.
  enum SearchModeE {
    SEARCH_PointId = 0,
    SEARCH_ImageId = 1,
    SEARCH_Links = 2,
    SEARCH_Residuals = 3,
    SEARCH_Sigmas = 4,
    SEARCH_Blunder = 5,
    SEARCH_PointCode = 6
  };
  Q_ENUM(SearchModeE)

  // BAX code of an image point that has no object point.
  static constexpr int LonelyCode = -1;

  // Each name function gives "ERROR!" for a value outside its table.
  static QString pointTypeName(int iType, bool bAccel);
  static QString symbolTypeName(int iType);
  static QString lineTypeName(int iType);
  static QString planeName(int iPlane);
  static QString selectionModeName(int iMode);

  static PointTypeE pointTypeOfCode(int iCode);

  // Axis index (0 = X, 1 = Y, 2 = Z) on a plane's horizontal and vertical
  // axis: X and Y for XY, X and Z for XZ, Y and Z for YZ; -1 for an invalid plane.
  static int horizontalAxis(int iPlane);
  static int verticalAxis(int iPlane);
};

#endif  // PHGLOBAL_H
