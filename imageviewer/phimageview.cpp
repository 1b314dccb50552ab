#include "phimageview.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phimage.h"
#include "phpointpainter.h"
#include "phround.h"

PhImageView::PhImageView(QWidget *parent) : PhZoomView(parent) {
  Nub::debug("PhImageView");
  mFramePen = QPen(Qt::black, 0);
  mOutlinePen = QPen(Qt::lightGray, 0);
}

PhImageView::~PhImageView() { Nub::debug("~PhImageView"); }

bool PhImageView::setImage(PhImage *image) {
  cancelDrag();
  mImage = image;
  if (mImage)
    calculateResize();
  else
    resizeContents(0, 0);
  updateContents();
  return true;
}

bool PhImageView::contentsExtent(double &minH, double &maxH, double &minV, double &maxV) const {
  if (!mImage) return false;
  minH = mImage->minX();
  maxH = mImage->maxX();
  minV = mImage->minY();
  maxV = mImage->maxY();
  return minH <= maxH && minV <= maxV;
}

void PhImageView::setLargestResidualColor(const QColor &colour) {
  setSymbolColour(&PhDrawSettings::largestColour, colour);
}

void PhImageView::setLargestResidualSize(int iSize) { setSymbolExtra(&PhDrawSettings::largestSize, iSize); }

void PhImageView::spritesChanged() { mSpritesValid = false; }

void PhImageView::prepareSprites() {
  if (mSpritesValid) return;
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    buildSprite(mSprites[t][0], t, false, -1, QColor());
    buildSprite(mSprites[t][1], t, true, -1, QColor());
    // The ring takes the type's size as set, without the odd rule.
    const int d = pointSize(t) + 2 * largestResidualSize();
    mLargestRing[t].clear();
    mLargestRing[t].addRing(largestResidualColor(), -(d / 2), -(d / 2), d);
  }
  mSpritesValid = true;
}

void PhImageView::drawContents(QPainter *painter, int clipx, int clipy, int clipw, int cliph) {
  if (!mImage) return;
  const QRect exposed(clipx, clipy, clipw, cliph);
  const QFontMetrics metrics(textFont());
  painter->setPen(mFramePen);
  painter->setFont(textFont());
  painter->fillRect(exposed, backgroundColor());
  const double vectorScale = residualScale();
  const double s = scale();

  painter->setBrush(Qt::NoBrush);
  painter->setPen(mOutlinePen);
  painter->drawRect(0, 0, contentsWidth() - 1, contentsHeight() - 1);
  double minH = 0.0;
  double maxH = 0.0;
  double minV = 0.0;
  double maxV = 0.0;
  if (contentsExtent(minH, maxH, minV, maxV)) {
    // The frame passes through the pixels of the extent's corners.
    painter->setPen(mFramePen);
    painter->drawRect(Margin, Margin, contentsWidth() - 2 * Margin, contentsHeight() - 2 * Margin);
  }
  prepareSprites();

  const bool vectors = hasResidualsOn(VM_Graphical);
  const bool texts = hasResidualsOn(VM_Textual);
  const bool ids = hasPointIdsOn();
  const bool links = hasLinkCountOn();
  const bool blunders = hasBlundersOn();
  const PhPointPainter::Labels labels(metrics);
  const QByteArray formatX = tr("X: %.3f").toUtf8();
  const QByteArray formatY = tr("Y: %.3f").toUtf8();
  QString text;
  if (ids || links) mNumberLabels.setFont(textFont(), painter->device());
  const bool fastNumbers = (ids || links) && mNumberLabels.isUsable();

  for (const PhImagePoint &point : *mImage) {
    const int t = typeIndex(point.code());
    if (!pointOn(t)) continue;
    const int size = symbolSize(t);
    const bool adjusted = point.adjustStatus();
    int outer = size;
    if (!adjusted) {
      if (!blunders) continue;
      outer = size + 2 * blunderSize();
    }
    const QPoint pos = toContents(point.x(), point.y());
    const int px = pos.x();
    const int py = pos.y();
    const int outerHalf = outer / 2;
    if (QRect(px - outerHalf, py - outerHalf, outer, outer).intersects(exposed))
      drawSprite(painter, mSprites[t][adjusted ? 0 : 1], exposed, px, py);

    const QPen &vectorPen = adjusted ? typePen(t) : blunderPen();
    if (vectors) {
      painter->setPen(vectorPen);
      const QPoint end(phRound(px + point.residualX() * vectorScale * s),
                       phRound(py - point.residualY() * vectorScale * s));
      PhPointPainter::drawLine(painter, pos, end, exposed);
    }
    const int labelX = PhPointPainter::Labels::x(px, outer);
    if (texts) {
      painter->setPen(vectors ? vectorPen : typePen(t));
      const int first = labels.textBaseline(py, 0);
      const int second = labels.textBaseline(py, 1);
      text = QString::asprintf(formatX.constData(), double(point.residualX()));
      if (PhPointPainter::labelMayShow(exposed, labelX, first, int(text.size()), metrics))
        painter->drawText(labelX, first, text);
      text = QString::asprintf(formatY.constData(), double(point.residualY()));
      if (PhPointPainter::labelMayShow(exposed, labelX, second, int(text.size()), metrics))
        painter->drawText(labelX, second, text);
    }
    if (fastNumbers) {
      // Both labels in one glyph run: the same pen, nothing drawn between.
      bool queued = false;
      if (ids && PhPointPainter::labelMayShow(exposed, labelX, labels.idBaseline(py),
                                              PhNumberLabels::length(point.pointId()), metrics)) {
        mNumberLabels.add(point.pointId(), labelX, labels.idBaseline(py));
        queued = true;
      }
      if (links) {
        const int count = PhImage::numberOfLinks(point.pointId());
        if (PhPointPainter::labelMayShow(exposed, labelX, labels.linkBaseline(py),
                                         PhNumberLabels::length(count), metrics)) {
          mNumberLabels.add(count, labelX, labels.linkBaseline(py));
          queued = true;
        }
      }
      if (queued) {
        painter->setPen(typePen(t));
        mNumberLabels.draw(painter);
      }
      continue;
    }
    if (ids) {
      text = QString::number(point.pointId());
      if (PhPointPainter::labelMayShow(exposed, labelX, labels.idBaseline(py), int(text.size()), metrics)) {
        painter->setPen(typePen(t));
        painter->drawText(labelX, labels.idBaseline(py), text);
      }
    }
    if (links) {
      text = QString::number(PhImage::numberOfLinks(point.pointId()));
      if (PhPointPainter::labelMayShow(exposed, labelX, labels.linkBaseline(py), int(text.size()), metrics)) {
        painter->setPen(typePen(t));
        painter->drawText(labelX, labels.linkBaseline(py), text);
      }
    }
  }

  // The largest residual is marked whatever its point's type switch, status or position.
  const PhImagePoint *largest = mImage->point(mImage->largestResidualPointId());
  if (largest) {
    const int t = typeIndex(largest->code());
    const QPoint pos = toContents(largest->x(), largest->y());
    drawSprite(painter, mLargestRing[t], exposed, pos.x(), pos.y());
    if (vectors && !texts) {
      const int d = pointSize(t) + 2 * largestResidualSize();
      const int labelX = PhPointPainter::Labels::x(pos.x(), d);
      painter->setPen(typePen(t));
      painter->setFont(textFont());
      painter->drawText(labelX, labels.textBaseline(pos.y(), 0),
                        QString::asprintf(formatX.constData(), double(largest->residualX())));
      painter->drawText(labelX, labels.textBaseline(pos.y(), 1),
                        QString::asprintf(formatY.constData(), double(largest->residualY())));
    }
  }
}

void PhImageView::buildContextMenu(QMenu *menu) {
  addZoomItem(menu, POP_Zoom100);
  addSharedItem(menu, ITEM_PointIds, POP_PointIds);
  addSharedItem(menu, ITEM_LinkCount, POP_LinkCount);
  addResidualsMenu(menu, POP_ResidualsGraphical, POP_ResidualsTextual);
  addSharedItem(menu, ITEM_Blunders, POP_Blunders);
}

void PhImageView::handleContextMenu(int iPopId) { _slotHandleContextMenu(iPopId); }

void PhImageView::_slotHandleContextMenu(int iPopId) {
  switch (iPopId) {
    case POP_Zoom100: slotZoom(100); break;
    case POP_PointIds: slotTogglePointIds(); break;
    case POP_ResidualsGraphical: slotToggleResiduals(VM_Graphical); break;
    case POP_ResidualsTextual: slotToggleResiduals(VM_Textual); break;
    case POP_Blunders: slotToggleBlunders(); break;
    case POP_LinkCount: slotToggleShowLinkCount(); break;
    default:
      Ux::warn(tr("Invalid case: %1!").arg(QString::number(iPopId)));
      break;
  }
}
