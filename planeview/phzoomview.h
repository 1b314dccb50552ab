#ifndef PHZOOMVIEW_H
#define PHZOOMVIEW_H

#include <QColor>
#include <QFont>
#include <QList>
#include <QPen>

#include "phbandtool.h"
#include "phdrawsettings.h"
#include "phglobal.h"
#include "phpainttools.h"
#include "phpantool.h"
#include "phplanetransform.h"
#include "phpointpainter.h"
#include "phscrollview.h"
#include "phviewmode.h"

class QAction;
class QContextMenuEvent;
class QIcon;
class QMenu;
class QMouseEvent;
class QPainter;
class QResizeEvent;
class QShowEvent;
class QWheelEvent;

// What the image view and the object view share: the layout of a plane
// extent in the contents through a PhPlaneTransform, zoom to a dragged
// rectangle, scroll mode, the rubber band, the drawing settings per point type
// with their symbol sprites, and the context-menu mechanics.
class PhZoomView : public PhScrollView {
  Q_OBJECT

 public:
  static constexpr int Margin = PhPlaneTransform::Margin;
  static constexpr int BaseSize = PhPlaneTransform::BaseSize;
  static constexpr int MinZoom = PhPlaneTransform::MinZoom;
  static constexpr int MaxZoom = PhPlaneTransform::MaxZoom;
  static constexpr int ZoomStep = PhPlaneTransform::ZoomStep;
  // The legend of colouring by value sits this far into the top-left margin.
  static constexpr int LegendInset = 4;
  // A rubber band narrower and lower than this is refused.
  static constexpr int MinBand = 20;

  enum ModeE { MODE_Zoom = 0, MODE_Scroll = 1, MODE_Selection = 2 };

  explicit PhZoomView(QWidget *parent = nullptr);
  ~PhZoomView() override;

  // Whether there is something to show; without it mouse, zoom and toggles do nothing.
  virtual bool hasData() const = 0;

  int zoom() const { return mTransform.zoom(); }
  double scale() const { return mTransform.scale(); }
  // The layout as last run.
  const PhPlaneTransform &transform() const { return mTransform; }
  int mode() const { return mMode; }
  // The rubber band of a zoom or selection drag (invalid when none).
  QRect rubberBand() const { return mBandTool.band(); }
  // A zoom, selection or scroll drag is under way.
  bool isDragging() const { return mPanTool.isActive() || mBandTool.isActive(); }
  // Ends a drag that will not get its release: the band goes from the
  // screen and the next drag starts afresh.
  void cancelDrag();

  // The largest zoom at which the whole contents fit into `size`.
  int fitZoom(const QSize &size) const;

  // Pixel of a point with plane coordinates (h, v).
  QPoint toContents(double h, double v) const { return mTransform.toContents(h, v); }

  // Runs the layout of the current extent and zoom; resizes the contents
  // only when their size changes.
  void calculateResize();

  // Drawing settings. Setters store and take effect at the next repaint;
  // the toggles go through them too.
  const PhDrawSettings &drawSettings() const { return mSettings; }
  // All settings at once, held in range as the setters hold them; the
  // pens and sprites are made anew once, and the view repaints when asked.
  void setDrawSettings(const PhDrawSettings &settings, bool bRepaint = true);
  void setBackgroundColor(const QColor &colour);
  QColor backgroundColor() const { return mSettings.background; }
  void setTextFont(const QFont &font);
  QFont textFont() const { return mSettings.textFont; }
  void setPointOn(int iType, bool bOn);
  bool pointOn(int iType) const;
  void setPointSymbol(int iType, int iSymbol);
  int pointSymbol(int iType) const;
  void setPointColor(int iType, const QColor &colour);
  QColor pointColor(int iType) const;
  void setPointSize(int iType, int iSize);
  int pointSize(int iType) const;
  // The disc under selected points.
  void setMarkColor(const QColor &colour);
  QColor markColor() const { return mSettings.markColour; }
  void setMarkSize(int iSize);
  int markSize() const { return mSettings.markSize; }
  void setBlunderColor(const QColor &colour);
  QColor blunderColor() const { return mSettings.blunderColour; }
  void setBlunderSize(int iSize);
  int blunderSize() const { return mSettings.blunderSize; }
  // A scale of exactly 0 is drawn, and kept, as 1.
  void setResidualScale(float scale);
  float residualScale() const { return mSettings.residualScale; }
  void setShowPointIds(bool bOn);
  bool hasPointIdsOn() const { return mSettings.showPointIds; }
  void setShowBlunders(bool bOn);
  bool hasBlundersOn() const { return mSettings.showBlunders; }
  void setShowLinkCount(bool bOn);
  bool hasLinkCountOn() const { return mSettings.showLinks; }
  virtual void setResidualsOn(ViewModeE mode, bool bOn);
  bool hasResidualsOn(ViewModeE mode) const;

  // Reads the per-type and blunder settings of the group "Points".
  virtual void applyPointPrefs();

  // Draws the contents rectangle with its top-left corner at the painter's
  // origin, through the same drawing as the screen but onto any device (an
  // image, a printer, a PDF or SVG file): the sprites are painted.
  void render(QPainter *painter, const QRect &contents);

  // With the fast paths off the view paints straight onto the widget,
  // shaping every point through the painter in list order: the reference
  // that the kept, indexed drawing must match pixel for pixel.
  void setFastDrawing(bool bOn);
  bool fastDrawing() const { return mFast; }

  // Keeps the contents fitted into the viewport while the view is shown and
  // its size changes, until the zoom is changed otherwise (a viewer opened
  // fitted, whose window gets its size in the workspace after it is made).
  void setKeepFitted(bool bOn);
  bool keepsFitted() const { return mKeepFitted; }

  // The context menu as last built (for the window and for tests).
  QMenu *contextMenu() const { return mMenu; }

 public slots:
  void slotZoomPlus();
  void slotZoomMinus();
  // The zoom steps and slotZoom keep the plane point at the viewport's centre.
  void slotZoom(int iPercent);
  // The largest zoom at which the whole contents fit, centred.
  void slotZoomToFit();
  virtual void slotSetMode(int iMode);
  virtual void slotToggleResiduals(ViewModeE mode);
  void slotTogglePointIds();
  void slotToggleBlunders();
  void slotToggleShowLinkCount();

 signals:
  void sigZoomChanged(int iPercent);

 protected:
  // The plane extent to lay out; false when there is none.
  virtual bool contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const = 0;
  // The layout (scale, contents size) changed.
  virtual void layoutChanged();
  // Whether mode 2 is a selection mode in this view.
  virtual bool hasSelectionMode() const { return false; }
  // A selection band was released over `band` (normalised, at least MinBand in one direction).
  virtual void selectInBand(const QRect &band, bool bAdd);
  // Fills the cleared context menu; only called with data.
  virtual void buildContextMenu(QMenu *menu) = 0;
  // One item of the context menu was chosen.
  virtual void handleContextMenu(int iPopId) = 0;

  QAction *addMenuItem(QMenu *menu, const QString &text, int iPopId);
  // The items both views' context menus have, with their texts and states:
  // "Zoom 100%" and a separator unless at 100 %; the toggles of the point
  // IDs, link counts and blunders; the "&Residuals" submenu.
  enum SharedItemE { ITEM_PointIds, ITEM_LinkCount, ITEM_Blunders };
  void addZoomItem(QMenu *menu, int iPopId);
  void addSharedItem(QMenu *menu, SharedItemE item, int iPopId);
  void addResidualsMenu(QMenu *menu, int iGraphicalId, int iTextualId);
  // A submenu whose items reach the same dispatcher.
  QMenu *addSubMenu(QMenu *menu, const QString &title);
  static QIcon zoomIcon();

  // The size a type's symbol is drawn with: triangles and crosses always odd.
  int symbolSize(int iType) const { return mSettings.symbolSize(iType); }
  // For the views' own setters.
  PhDrawSettings &settings() { return mSettings; }
  // A setting that the pens or the symbols are drawn with changed.
  void settingsChanged();
  // A mark's colour, or its width beyond the symbol (held within 0 to
  // MaxExtraSize), stored and the symbols made anew.
  void setSymbolColour(QColor PhDrawSettings::*field, const QColor &colour);
  void setSymbolExtra(int PhDrawSettings::*field, int iSize);
  // Point-type index of a BAX point code.
  static int typeIndex(int iCode);
  // The painter of one paint of `exposed`, with the tools made when a
  // setting changed since the last; it writes directly into the kept image
  // when the paint goes there.
  PhPointPainter pointPainter(QPainter *painter, const QRect &exposed);

  void drawContentsOverlay(QPainter *painter, const QRect &rect) override;
  void contentsMousePressEvent(QMouseEvent *event) override;
  void contentsMouseMoveEvent(QMouseEvent *event) override;
  void contentsMouseReleaseEvent(QMouseEvent *event) override;
  void contentsContextMenuEvent(QContextMenuEvent *event) override;
  void viewportResizeEvent(QResizeEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  // Ctrl+wheel zooms about the pointer; the plain wheel scrolls.
  void wheelEvent(QWheelEvent *event) override;
  void showEvent(QShowEvent *event) override;

 private:
  void layoutAt(int iPercent);
  // Zooms keeping the contents point `anchor` at viewport point `at`, or
  // with `bCentre` at the centre of the viewport the new contents leave.
  void zoomAbout(int iPercent, const QPoint &anchor, const QPoint &at, bool bCentre);
  void fitIfKept();
  void applyScrollCursor(int w, int h);
  void releaseBand(bool bZoom);
  void zoomToBand(const QRect &band);
  void clearContextMenu();

  PhPlaneTransform mTransform;
  int mMode = MODE_Zoom;
  // Scroll mode drags with the pan tool, zoom and selection mode with the band.
  PhPanTool mPanTool;
  PhBandTool mBandTool;
  bool mAddToSelection = false;
  bool mFast = true;
  bool mKeepFitted = false;
  // Wheel turns short of a notch (fine-grained wheels), kept for the next.
  int mWheelRest = 0;
  QMenu *mMenu = nullptr;
  QList<QMenu *> mSubMenus;
  QPen mBandPen;

  PhDrawSettings mSettings;
  // Made from the settings at the first paint after one changed.
  PhPaintTools mTools;
  bool mToolsValid = false;
};

#endif  // PHZOOMVIEW_H
