#ifndef PHIMAGEVIEWER_H
#define PHIMAGEVIEWER_H

#include "phviewerwindow.h"

class PhImage;
struct PhDrawSettings;
class PhImageInfoView;
class PhImageList;
class PhImageTableView;
class PhImageView;
class QComboBox;
class QKeyEvent;
class QLabel;
class QTabWidget;

// The window in which the user inspects the images of the project one at a
// time: the graphic, the table of its points and a page of facts, with
// navigation through the image list, zoom, modes and the request to select
// the image's points in the object viewers. All image viewers are kept in
// one program-wide list in creation order.
class PhImageViewer : public PhViewerWindow {
  Q_OBJECT

 public:
  // Without an image list: the controls stay disabled.
  explicit PhImageViewer(QWidget *parent = nullptr);
  // Over the list (not owned), showing the image with that ID, or the first.
  PhImageViewer(PhImageList *list, QWidget *parent, int iImage);
  ~PhImageViewer() override;

  // Replaces the list and shows the image with that ID (the first when it is
  // not there; `found` tells which); true when an image is shown.
  bool setImageList(PhImageList *list, int iImage, bool *found = nullptr);
  PhImage *currentImage() const;
  // -1 without an image.
  int currentImageId() const;
  bool hasImage() const { return currentImage() != nullptr; }

  // Reads the image viewer's settings into the view; repaints when asked.
  void applyPrefs(bool bRepaint);
  // The stored settings an image view draws with, over `settings`.
  static void readPrefs(PhDrawSettings &settings);

  PhImageView *imageView() const { return mView; }
  PhImageTableView *tableView() const { return mTable; }
  PhImageInfoView *infoView() const { return mInfo; }
  QTabWidget *tabs() const { return mTabs; }
  QComboBox *imageComboBox() const { return mCombo; }
  QLabel *statusLabel(int i) const { return i >= 0 && i < 3 ? mStatus[i] : nullptr; }

  // The living image viewers in creation order.
  static QList<PhImageViewer *> viewers();
  static void applyPrefsToAll();
  // Only the colouring, density and scale bar as stored (PhColourPrefs), so
  // that the toggles of this session stay.
  static void applyColourPrefsToAll();
  static void deleteAllViewers();
  // True hides the status bars and top tool bars of all image viewers.
  static void hideInterfaces(bool bHide);
  static void saveViewerPlacements();

  void setInterfaceHidden(bool bHide) override;

 public slots:
  void slotSetImage(int iImage);
  void slotSetImage(const QString &strImage);
  void slotNavFirst();
  void slotNavPrev();
  void slotNavNext();
  void slotNavLast();
  void slotZoomed(int iPercent);

 signals:
  void sigRequestImagePreferences();
  void sigRequestSelection(PhImage *image);

 private slots:
  void _slotRequestSelection(bool bOn);

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  enum NavE { NAV_First = 0, NAV_Prev = 1, NAV_Next = 2, NAV_Last = 3 };

  void _initClass();
  void _buildNavigationBar();
  void _buildExtrasBar();
  void _fillComboBox();
  void _showImage();
  void _updateNavigation();
  void _navigate(int iDirection);
  void _askForImage();
  // Position of the first image with that ID in the list; -1 when none.
  int _findImage(int iImage) const;

  PhImageList *mList = nullptr;
  // Position of the current image in the list; -1 without one.
  int mPos = -1;
  bool mRequestSelection = false;
  PhImageInfoView *mInfo = nullptr;
  PhImageView *mView = nullptr;
  PhImageTableView *mTable = nullptr;
  QTabWidget *mTabs = nullptr;
  QAction *mNav[4] = {};
  QComboBox *mCombo = nullptr;
  QLabel *mStatus[3] = {};
};

#endif  // PHIMAGEVIEWER_H
