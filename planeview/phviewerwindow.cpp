#include "phviewerwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>

#include "nubmsg.h"
#include "phviewpicture.h"
#include "phzoomview.h"
#include "uxcfg.h"
#include "uxmsg.h"

PhViewerWindow::PhViewerWindow(QWidget *parent) : QMainWindow(nullptr) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Small icons leave the room to the drawing.
  setIconSize(QSize(16, 16));
  if (auto *area = qobject_cast<QMdiArea *>(parent)) {
    mFrame = new QMdiSubWindow;
    mFrame->setAttribute(Qt::WA_DeleteOnClose);
    mFrame->setWidget(this);
    area->addSubWindow(mFrame);
    // A viewer deleted on its own takes its empty window along; one deleted
    // with its window changes nothing (the window drops what it was sent).
    connect(this, &QObject::destroyed, mFrame, &QObject::deleteLater);
  } else if (parent) {
    setParent(parent, windowFlags());
  }
}

PhViewerWindow::~PhViewerWindow() = default;

void PhViewerWindow::setViewerIcon(const QIcon &icon) {
  setWindowIcon(icon);
  if (mFrame) mFrame->setWindowIcon(icon);
}

QWidget *PhViewerWindow::frame() {
  if (mFrame) return mFrame;
  return this;
}

const QWidget *PhViewerWindow::frame() const {
  if (mFrame) return mFrame;
  return this;
}

void PhViewerWindow::setInterfaceHidden(bool bHide) {
  for (QToolBar *bar : mBars) bar->setVisible(!bHide);
}

void PhViewerWindow::writePlacement(Ux::Cfg &cfg, int iNumber, const char *tag) const {
  cfg.writeEntry(QStringLiteral("Viewer_%1").arg(iNumber), *this);
  const QRect rect = frame()->geometry();
  Nub::debug("%s_GEO_%d: (%d, %d, %d, %d)", tag, iNumber, rect.x(), rect.y(), rect.width(), rect.height());
  cfg.writeEntry(QStringLiteral("Geometry_%1").arg(iNumber), rect);
}

QToolBar *PhViewerWindow::addBarWithMenu(const QString &barTitle, const QString &menuTitle, QMenu **menu) {
  auto *bar = new QToolBar(barTitle, this);
  // The name keys the bar in the saved layout.
  bar->setObjectName(barTitle);
  addToolBar(Qt::TopToolBarArea, bar);
  mBars.append(bar);
  *menu = menuBar()->addMenu(menuTitle);
  return bar;
}

void PhViewerWindow::addKeyOf(QAction *action) {
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QWidget::addAction(action);
}

QAction *PhViewerWindow::addBoth(QToolBar *bar, QMenu *menu, const QIcon &icon, const QString &text,
                                 const QKeySequence &key) {
  auto *action = new QAction(icon, text, this);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    addKeyOf(action);
  }
  if (bar) bar->addAction(action);
  if (menu) menu->addAction(action);
  return action;
}

void PhViewerWindow::buildFileBar(PhZoomView *view) {
  QMenu *menu = nullptr;
  QToolBar *bar = addBarWithMenu(tr("File"), tr("&File"), &menu);
  if (view) {
    QAction *exportView = menu->addAction(tr("&Export View..."));
    exportView->setObjectName(QStringLiteral("exportView"));
    connect(exportView, &QAction::triggered, this, [this, view]() { this->exportView(view); });
    QAction *print = menu->addAction(tr("&Print..."));
    print->setObjectName(QStringLiteral("printView"));
    connect(print, &QAction::triggered, this, [this, view]() { printView(view); });
    menu->addSeparator();
  }
  QAction *close = addBoth(bar, menu, icon("close"), tr("&Close"), QKeySequence());
  connect(close, &QAction::triggered, this, [this]() { frame()->close(); });
}

void PhViewerWindow::exportView(PhZoomView *view) {
  if (!view->hasData()) return;
  Ux::Cfg cfg(QStringLiteral("Analysis"));
  const QString folder = cfg.readString(QStringLiteral("ExportFolder"), QString());
  QString selected;
  QString file = QFileDialog::getSaveFileName(
      this, tr("Export View"), folder,
      tr("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"), &selected);
  if (file.isEmpty()) return;
  if (PhViewPicture::formatOf(file) == PhViewPicture::FMT_Unknown) {
    // The chosen filter's suffix when the name has none of the three.
    const int star = selected.indexOf(QLatin1String("*."));
    file += star >= 0 ? selected.mid(star + 1, 4) : QStringLiteral(".png");
  }
  cfg.writeEntry(QStringLiteral("ExportFolder"), QFileInfo(file).absolutePath());
  QString error;
  if (PhViewPicture::writeVisible(*view, file, &error))
    Ux::status(tr("View exported to '%1'.").arg(file));
  else
    Ux::warn(error);
}

void PhViewerWindow::printView(PhZoomView *view) {
  if (!view->hasData()) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PhViewPicture::print(*view, printer)) Ux::warn(tr("Can't print the view."));
}

void PhViewerWindow::buildZoomBar(PhZoomView *view) {
  QMenu *menu = nullptr;
  QToolBar *bar = addBarWithMenu(tr("Zooming"), tr("&Zooming"), &menu);
  mZoomIn = addBoth(bar, menu, icon("zoomin"), tr("Zoom &in"), QKeySequence(Qt::Key_Plus));
  connect(mZoomIn, &QAction::triggered, view, &PhZoomView::slotZoomPlus);

  mZoomSpin = new QSpinBox(bar);
  mZoomSpin->setRange(PhZoomView::MinZoom, PhZoomView::MaxZoom);
  mZoomSpin->setSuffix(QStringLiteral(" %"));
  mZoomSpin->setValue(view->zoom());
  // A typed value counts once it is complete, not at every digit.
  mZoomSpin->setKeyboardTracking(false);
  mZoomSpin->setToolTip(tr("Zoom"));
  bar->addWidget(mZoomSpin);
  connect(mZoomSpin, &QSpinBox::valueChanged, view, &PhZoomView::slotZoom);

  mZoomOut = addBoth(bar, menu, icon("zoomout"), tr("Zoom &out"), QKeySequence(Qt::Key_Minus));
  connect(mZoomOut, &QAction::triggered, view, &PhZoomView::slotZoomMinus);

  mZoomFit = addBoth(bar, menu, icon("zoomfit"), tr("Zoom to &Fit"), QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(mZoomFit, &QAction::triggered, view, &PhZoomView::slotZoomToFit);
  mOpenFitted = menu->addAction(tr("Open Fitted"));
  mOpenFitted->setCheckable(true);
  mOpenFitted->setChecked(opensFitted());
  connect(mOpenFitted, &QAction::triggered, this, [](bool bOn) { setOpensFitted(bOn); });
  // Another viewer may have changed the switch since.
  connect(menu, &QMenu::aboutToShow, this, [this]() { mOpenFitted->setChecked(opensFitted()); });

  QMenu *fixed = menu->addMenu(tr("&Fixed Zoom"));
  for (int percent : {400, 200, 100, 75, 50, 25}) {
    const bool hundred = percent == 100;
    QAction *action = addBoth(nullptr, fixed, hundred ? QIcon(QStringLiteral(":/planeview/zoom.png")) : QIcon(),
                              tr("%1 %").arg(percent), hundred ? QKeySequence(Qt::Key_F3) : QKeySequence());
    connect(action, &QAction::triggered, view, [view, percent]() { view->slotZoom(percent); });
    mFixedZooms.append(action);
  }

  view->setKeepFitted(opensFitted());
}

namespace {

const QString &analysisGroup() {
  static const QString group = QStringLiteral("Analysis");
  return group;
}

const QString &openFittedKey() {
  static const QString key = QStringLiteral("OpenFitted");
  return key;
}

}  // namespace

bool PhViewerWindow::opensFitted() { return Ux::Cfg(analysisGroup()).readBool(openFittedKey(), false); }

void PhViewerWindow::setOpensFitted(bool bOn) { Ux::Cfg(analysisGroup()).writeEntry(openFittedKey(), bOn ? 1 : 0); }

QActionGroup *PhViewerWindow::addModeGroup(QToolBar *bar, QMenu *menu, PhZoomView *view, const QStringList &texts,
                                           const QList<QIcon> &icons) {
  auto *group = new QActionGroup(this);
  group->setExclusive(true);
  for (int mode = 0; mode < texts.size(); ++mode) {
    QAction *action = addBoth(bar, menu, icons.value(mode), texts.at(mode), QKeySequence());
    action->setCheckable(true);
    action->setChecked(mode == 0);
    group->addAction(action);
    connect(action, &QAction::toggled, view, [view, mode](bool bOn) {
      if (bOn) view->slotSetMode(mode);
    });
  }
  return group;
}

void PhViewerWindow::updateZoomControls(int iPercent, bool bHasData) {
  if (!mZoomIn) return;
  if (!bHasData) {
    mZoomIn->setEnabled(false);
    mZoomOut->setEnabled(false);
    mZoomFit->setEnabled(false);
    for (QAction *action : mFixedZooms) action->setEnabled(false);
    mZoomSpin->setEnabled(false);
    return;
  }
  mZoomIn->setEnabled(iPercent < PhZoomView::MaxZoom);
  mZoomOut->setEnabled(iPercent > PhZoomView::MinZoom);
  mZoomFit->setEnabled(true);
  for (QAction *action : mFixedZooms) action->setEnabled(true);
  mZoomSpin->setEnabled(true);
  // The view ignores the value it already has.
  mZoomSpin->setValue(iPercent);
}

QIcon PhViewerWindow::icon(const char *name) {
  return QIcon(QStringLiteral(":/planeview/%1.png").arg(QLatin1String(name)));
}

QList<PhViewerWindow::KeyRule> PhViewerWindow::sharedKeys(PhZoomView *view) {
  return {{Qt::Key_B, KeyRule::KEY_PlainOnly, [view](ViewModeE) { view->slotToggleBlunders(); }},
          {Qt::Key_L, KeyRule::KEY_PlainOnly, [view](ViewModeE) { view->slotToggleShowLinkCount(); }},
          {Qt::Key_P, KeyRule::KEY_PlainOnly, [view](ViewModeE) { view->slotTogglePointIds(); }}};
}

bool PhViewerWindow::handleKey(QKeyEvent *event, const QList<KeyRule> &map) {
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  for (const KeyRule &rule : map) {
    if (rule.key != event->key()) continue;
    switch (rule.modifiers) {
      case KeyRule::KEY_PlainOnly:
        // With modifiers these belong to the main window (Shift+L, Shift+P).
        if (modifiers != Qt::NoModifier) {
          event->ignore();
          return true;
        }
        event->accept();
        rule.action(VM_Graphical);
        return true;
      case KeyRule::KEY_ShiftTextual:
        event->accept();
        rule.action(modifiers == Qt::ShiftModifier ? VM_Textual : VM_Graphical);
        return true;
      case KeyRule::KEY_ShiftTextualOnly:
        event->accept();
        if (modifiers == Qt::ShiftModifier)
          rule.action(VM_Textual);
        else if (modifiers == Qt::NoModifier)
          rule.action(VM_Graphical);
        return true;
    }
  }
  return false;
}
