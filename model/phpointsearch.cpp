#include "phpointsearch.h"

#include <QCoreApplication>

#include "nubmsg.h"
#include "uxmsg.h"
#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagerefs.h"
#include "phobjectpoint.h"
#include "phwildcard.h"

namespace {

QString translated(const char *text) { return QCoreApplication::translate("PhPointSearch", text); }


// The decimal text of an ID, as QString::number writes it, without an
// allocation per point.
class IdText {
 public:
  explicit IdText(int id) {
    unsigned int v = id < 0 ? 0u - unsigned(id) : unsigned(id);
    do {
      mChars[--mBegin] = char16_t(u'0' + v % 10);
      v /= 10;
    } while (v);
    if (id < 0) mChars[--mBegin] = u'-';
  }
  QStringView view() const { return QStringView(mChars + mBegin, Size - mBegin); }

 private:
  static constexpr int Size = 12;
  char16_t mChars[Size];
  int mBegin = Size;
};

}  // namespace

PhPointSearch::PhPointSearch(int iSearchMode, const QString &strPar1, const QString &strPar2,
                             bool bUsePattern)
    : mMode(iSearchMode), mPar1(strPar1), mPar2(strPar2) {
  switch (mMode) {
    case PhGlobal::SEARCH_PointId:
    case PhGlobal::SEARCH_ImageId:
      mPattern = bUsePattern;
      mValid = mPattern || readRange(true);
      break;
    case PhGlobal::SEARCH_Links:
      mValid = readRange(true);
      break;
    case PhGlobal::SEARCH_Residuals:
    case PhGlobal::SEARCH_Sigmas:
      mValid = readRange(false);
      break;
    case PhGlobal::SEARCH_Blunder:
    case PhGlobal::SEARCH_PointCode:
      mValid = true;
      break;
    default:
      Ux::warn(translated("Illegal Search-Mode (%1)!").arg(QString::number(mMode)));
      break;
  }
}

bool PhPointSearch::entersImageSet() const { return mMode != PhGlobal::SEARCH_PointId; }

bool PhPointSearch::readBound(const QString &text, bool bInteger, double &value) const {
  bool ok = false;
  if (bInteger)
    value = text.toInt(&ok, 10);
  else
    value = double(text.toFloat(&ok));
  if (!ok)
    Ux::warn(translated("Can't decode number from '%1'!").arg(text));
  return ok;
}

bool PhPointSearch::readRange(bool bInteger) {
  const QString s1 = mPar1.trimmed();
  const QString s2 = mPar2.trimmed();
  if (!s2.isEmpty()) {
    if (!readBound(s2, bInteger, mMax)) return false;
    mHasMax = true;
  }
  if (!s1.isEmpty()) {
    if (!readBound(s1, bInteger, mMin)) return false;
  } else if (!s2.isEmpty()) {
    mHasMin = false;
  }
  return true;
}

bool PhPointSearch::matches(const PhObjectPoint *point) {
  if (!mValid) return false;
  const bool centre = point->isProjectionCentre();
  const int id = point->pointId();
  switch (mMode) {
    case PhGlobal::SEARCH_PointId:
    case PhGlobal::SEARCH_ImageId:
      // Point IDs never find projection centres, image IDs nothing else.
      if (centre != (mMode == PhGlobal::SEARCH_ImageId)) return false;
      return mPattern ? PhWildcard::matches(IdText(id).view(), mPar1) : inRange(id);
    case PhGlobal::SEARCH_Links:
      // The number the link-count label shows.
      return inRange(centre ? PhImage::adjustedPointCount(id) : PhImage::numberOfLinks(id));
    case PhGlobal::SEARCH_Residuals:
      if (point->code() <= 100) return false;
      for (int axis = 0; axis < 3; ++axis)
        if (inRange(point->observedResidual(axis))) return true;
      return false;
    case PhGlobal::SEARCH_Sigmas:
      if (!point->isAccepted()) return false;
      for (int axis = 0; axis < 3; ++axis)
        if (inRange(point->adjustedSigma(axis))) return true;
      return false;
    case PhGlobal::SEARCH_Blunder: {
      if (!point->isAccepted()) return true;
      if (centre) {
        const PhImage *image = PhImageList::image(id);
        if (!image) {
          if (!mMissingImageReported)
            Ux::warn(translated("PhObjectView::selectPoints: no image for for imageID found!"));
          mMissingImageReported = true;
          return false;
        }
        if (image->notAdjustedCount() < 1) return false;
        Nub::debug("image %d has eliminated points", id);
        return true;
      }
      // The links carry each image's point: no look-up per ray.
      const PhImageRefs rays = PhImage::imagesOfPoint(id);
      for (auto it = rays.begin(); it != rays.end(); ++it) {
        const PhImagePoint *imagePoint = it.point();
        if (imagePoint && !imagePoint->adjustStatus()) return true;
      }
      return false;
    }
    case PhGlobal::SEARCH_PointCode: {
      // One character a type index; '1' selects the type.
      const int t = PhGlobal::pointTypeOfCode(point->code());
      return t < mPar1.size() && mPar1.at(t) == QLatin1Char('1');
    }
    default:
      return false;
  }
}
