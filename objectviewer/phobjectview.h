#ifndef PHOBJECTVIEW_H
#define PHOBJECTVIEW_H

#include <QHash>

#include <vector>

#include "phcovermask.h"
#include "phdensitymap.h"
#include "phpointgrid.h"
#include "phvaluesteps.h"
#include "phselection.h"
#include "phzoomview.h"

class PhImage;
class PhObjectList;
class PhObjectPoint;

// The object points and projection centres projected onto one plane, with a
// selection: points are selected by a dragged rectangle, by a search or as
// the points of an image, and only selected points get labels, residuals,
// sigmas and connection lines. The selection belongs to the list; the view
// hands it its requests and repaints when it is told of a change.
//
// Drawing visits only the points that the exposed rectangle can show: their
// pixels are computed once per layout and indexed by a grid, and the
// selected points (whose labels and lines reach anywhere) are known apart.
class PhObjectView : public PhZoomView, private PhSelectionObserver {
  Q_OBJECT

 public:
  // Context-menu item ids.
  enum PopIdE {
    POP_Zoom100 = 0,
    POP_PointIds = 1,
    POP_ImageIds = 2,
    POP_Blunders = 3,
    POP_ResidualsGraphical = 4,
    POP_ResidualsTextual = 5,
    POP_SigmasGraphical = 6,
    POP_SigmasTextual = 7,
    POP_LinkCount = 8,
    POP_Deselect = 9,
    POP_Connections = 10
  };

  explicit PhObjectView(int iPlane, QWidget *parent = nullptr);
  ~PhObjectView() override;

  int plane() const { return mPlane; }
  // Shows the list (not owned) on the plane. Always true.
  bool setData(PhObjectList *list, bool bSigmasComputed);
  PhObjectList *objectList() const { return mList; }
  bool sigmasComputed() const { return mSigmasComputed; }
  bool hasData() const override;

  // Selects by a search (PhGlobal::SelectionModeE, PhGlobal::SearchModeE;
  // taken as int, so that any value arriving is answered); never throws.
  void selectPoints(int iSelectionMode, int iSearchMode, const QString &strPar1,
                    const QString &strPar2, bool bUsePattern);
  // Selects the points measured in the image and its projection centre.
  void selectImagePoints(PhImage *image, bool bEraseExisting);
  // Projection centres whose images get connection lines, by image ID.
  const QHash<int, PhObjectPoint *> &imageSet() const;

  // 0 solid, 1 dash, 2 dot; any other value draws solid.
  void setLinkLineType(int iType);
  int linkLineType() const { return drawSettings().linkLineType; }
  void setShowImageIds(bool bOn);
  bool hasImageIdsOn() const { return drawSettings().showImageIds; }
  void setShowConnections(bool bOn);
  bool hasConnectionsOn() const { return drawSettings().showConnections; }
  // Residual text and sigma text exclude each other.
  void setResidualsOn(ViewModeE mode, bool bOn) override;
  void setSigmasOn(ViewModeE mode, bool bOn);
  bool hasSigmasOn(ViewModeE mode) const;

  // How many points the last paint of a piece left out because later
  // symbols bury all they would draw.
  int lastPaintLeftOut() const { return mLeftOut; }

  // Also the selection mark ("MarkColor", yellow, "MarkSize") and the link
  // line type ("Links/LinkLineType").
  void applyPointPrefs() override;
  // Those two, the object view's own preferences, into the settings.
  static void readOwnPrefs(PhDrawSettings &settings);

 public slots:
  void slotToggleImageIds();
  void slotToggleResiduals(ViewModeE mode) override;
  void slotToggleSigmas(ViewModeE mode);
  void slotToggleShowConnections();
  void slotDeselectPoints();

 private slots:
  void _slotHandleContextMenu(int iPopId);

 protected:
  bool contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const override;
  void layoutChanged() override;
  bool hasSelectionMode() const override { return true; }
  void selectInBand(const QRect &band, bool bAdd) override;
  void buildContextMenu(QMenu *menu) override;
  void handleContextMenu(int iPopId) override;
  void drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) override;

 private:
  void selectionChanged(const PhSelectionChange &change) override;
  void selectionGone() override;
  void ensureLayout();
  bool decorationsOn() const;
  int reachMargin() const;
  // Calls f(index, pixel) in list order for every point whose pixel lies in
  // `reach` and, when asked, for every selected point.
  template <class F>
  void forEachCandidate(const QRect &reach, bool bAllSelected, F f);
  void sortCandidates(int n);
  // What of a point to draw where later points bury some of it.
  struct Parts {
    // The number characters (PhPointPainter::shownNumberGlyphs()).
    quint32 glyphs = ~0u;
    bool symbol = true;
    // Residual vector and sigma ellipse.
    bool lines = true;
    // >= 0: the link count, already looked up.
    int links = -1;
  };
  // `iStep` >= 0: the symbol in that step of the colour map.
  void drawPoint(PhPointPainter &paint, int i, const QPoint &pos, int iStep, const Parts &parts);
  void drawPoint(PhPointPainter &paint, int i, const QPoint &pos, int iStep = -1);
  // The kept layout's points that the exposed rectangle can show, with the
  // buried ones left out; stepOf(i) gives a point's colour step or -1.
  template <class Step>
  void drawIndexed(PhPointPainter &paint, Step stepOf);
  // The counts per pixel in place of the symbols, then the selected points.
  template <class Step>
  void drawDensity(PhPointPainter &paint, QPainter *painter, Step stepOf);
  // The legends and the scale bar, over the points.
  void drawOverlays(PhPointPainter &paint);
  // Whether the layout's points crowd (see PhDensityMap).
  bool crowded();
  int largestSymbol() const;
  // Where a selected point's symbol, labels and lines may reach, relative
  // to its pixel, as a few rectangles; false when that has no bound (connection lines, values that are
  // no numbers, texts of numbers, reaches too long to be worth testing).
  struct Reach {
    QRect part[3];
    int count = 0;
    // Which part holds the ID and which the link count; -1 for none.
    int idPart = -1;
    int linkPart = -1;
  };
  bool decorationReach(const PhPointPainter &paint, Reach &reach);
  // Characters of the longest ID or link-count label of the list, found once.
  int labelChars(bool bLinks);
  // The largest horizontal or vertical residual (or sigma) on the plane, in
  // plane units; NaN when some value is no finite number. Found once per list.
  double largestValue(bool bSigma);
  // Drops from mDrawList, back to front, every point whose pixels all get
  // covered by opaque symbols drawn after it, and of the others the symbols
  // and number characters so covered.
  void dropHidden(PhPointPainter &paint, const Reach &reach);
  // The box of the residual vector and sigma ellipse drawn round a selected
  // point at `pos`; null when it gets neither.
  QRect linesOf(const PhObjectPoint *point, const QPoint &pos, const PhPointPainter &paint) const;
  // The number labels a selected point gets, and their pen.
  struct Numbers {
    bool showId = false;
    bool showLinks = false;
    int links = 0;
    const QPen *pen = nullptr;
  };
  Numbers numbersOf(const PhObjectPoint *point, const PhPointPainter &paint, int iLinks = -1) const;

  const int mPlane;
  PhObjectList *mList = nullptr;
  bool mSigmasComputed = false;

  // Pixel of every point for the current layout, and the grid over them.
  std::vector<QPoint> mPos;
  // Per point what its symbol needs: the type index, and the bits
  // StyleBlunder and StyleSelected; so unselected points draw without
  // reading the points themselves.
  std::vector<quint8> mStyle;
  bool mLayoutValid = false;
  PhPointGrid mGrid;
  // The points a draw visits, with their pixels, and room to sort them.
  struct Candidate {
    int index;
    QPoint pos;
  };
  std::vector<Candidate> mCandidates;
  std::vector<Candidate> mSortBuffer;
  // The points of one paint with labels, in list order; index -1 once
  // dropped, and what of each shows.
  struct DrawItem {
    int index;
    QPoint pos;
    Parts parts;
  };
  std::vector<DrawItem> mDrawList;
  PhCoverMask mCover;
  PhValueSteps mValueSteps;
  PhDensityMap mDensity;
  int mLeftOut = 0;
  // largestValue() for residuals [0] and sigmas [1].
  double mLargest[2] = {0.0, 0.0};
  bool mLargestValid[2] = {false, false};
  int mLabelChars[2] = {1, 1};
  bool mLabelCharsValid = false;
};

#endif  // PHOBJECTVIEW_H
