#ifndef PHIMAGE_H
#define PHIMAGE_H

#include <cstddef>

#include "phidslots.h"
#include "phimagepoint.h"
#include "phimagerefs.h"
#include "phobjectcoord.h"

// One image of the project with its measured points. The points are kept in
// the order they were first added (a point added again under the same ID
// replaces the earlier one in its place), in a range of one class-wide store
// of all image points; a table to find them by ID is made on first demand.
// Class-wide, a point index knows for every point ID the images that contain
// it. Pointers to points stay valid until the next point is added to any image.
class PhImage {
 public:
  // Image-point coordinates in millimetres.
  PhImage();
  explicit PhImage(bool bMm);
  ~PhImage();
  PhImage(const PhImage &) = delete;
  PhImage &operator=(const PhImage &) = delete;

  // Stores the point (replacing one with the same ID), lists the image in
  // the point index, grows the extents and keeps the largest residual of the
  // adjusted points and the number of eliminated ones. Always true.
  bool addPoint(int iPointId, bool bAdjust, float x, float y, float residualX, float residualY,
                float weight);
  // Room for that many points, when the count is known in advance.
  void reservePoints(int count);
  // addPoint for each of `count` points in turn, with the index entries of
  // the IDs ahead asked for while the earlier ones are linked.
  void addPoints(const PhImagePoint *points, int count);

  PhImagePoint *point(int iPointId);
  const PhImagePoint *point(int iPointId) const;
  bool hasPoint(int iPointId) const;
  int pointCount() const { return mCount; }
  int notAdjustedCount() const { return mNotAdjustedCount; }

  // The point at a position of the table, 0 .. pointCount() - 1.
  PhImagePoint *pointAt(int i);
  const PhImagePoint *pointAt(int i) const;
  // The points in the order of the image's point table.
  const PhImagePoint *begin() const;
  const PhImagePoint *end() const { return begin() + mCount; }

  int imageId() const { return mImageId; }
  void setImageId(int iImageId) { mImageId = iImageId; }
  int cameraId() const { return mCameraId; }
  void setCameraId(int iCameraId) { mCameraId = iCameraId; }
  const PhObjectCoord &projectionCentre() const { return mProjectionCentre; }
  void setProjectionCentre(long iId, double x0, double y0, double z0, float sigmaX0,
                           float sigmaY0, float sigmaZ0);
  bool flag() const { return mFlag; }
  void setFlag(bool bFlag) { mFlag = bFlag; }
  bool coordinatesInMm() const { return mMm; }

  // The image frame. Without a camera file it is the extent of the points:
  // minimum starts at the largest float, maximum at minus the largest float.
  float minX() const { return mMinX; }
  float minY() const { return mMinY; }
  float maxX() const { return mMaxX; }
  float maxY() const { return mMaxY; }
  void setMinX(float value) { mMinX = value; }
  void setMinY(float value) { mMinY = value; }
  void setMaxX(float value) { mMaxX = value; }
  void setMaxY(float value) { mMaxY = value; }

  // Starts at Nub::Math::MIN_FLT and the point ID -1.
  float largestResidual() const { return mLargestResidual; }
  int largestResidualPointId() const { return mLargestResidualPointId; }

  // The projection centre's coordinate on the plane's axes; 0 for an invalid plane.
  double projectionCentreHorizontal(int iPlane) const;
  double projectionCentreVertical(int iPlane) const;

  // The images that contain the ID, in the order they received it; null
  // when no image does.
  static PhImageRefs imagesOfPoint(int iPointId);
  static int numberOfLinks(int iPointId);
  static void clearPointIndex();
  // Points minus eliminated points of the image with that ID in the image
  // list's index; 0 when there is none.
  static int adjustedPointCount(int iImageId);
  // Room for that many more points in the class-wide store.
  static void reservePointIndex(int count);
  // Room for that many more point IDs in the class-wide index.
  static void reservePointIds(int count);
  // Bytes held by the class-wide store of image points with their links,
  // and by the table of point IDs.
  static std::size_t pointStoreBytes();
  static std::size_t pointIdTableBytes();

 private:
  int findPosition(int iPointId) const;
  // Extents, largest residual and eliminated count of a point just added.
  void account(const PhImagePoint &point);
  void makeTable() const;

  int mImageId = -1;
  int mCameraId = -1;
  PhObjectCoord mProjectionCentre;
  bool mFlag = false;
  bool mMm = true;
  int mNotAdjustedCount = 0;
  // The range in the store.
  int mBegin = -1;
  int mCount = 0;
  int mCapacity = 0;
  int mRangeIndex = -1;
  // Position by ID, made on first demand: a reader that adds an image's
  // points in one go finds repeated IDs through the point index instead.
  mutable PhIdSlots mSlots;
  mutable bool mHasTable = false;
  float mMinX;
  float mMinY;
  float mMaxX;
  float mMaxY;
  float mLargestResidual;
  int mLargestResidualPointId = -1;
  // Registry slot in the point index; the index epoch of this image's last
  // link (its links are gone once the index was cleared after it); the run
  // in which it linked its first point.
  int mIndexSlot = -1;
  unsigned mLinkEpoch = 0;
  unsigned mFirstRun = 0;
};

#endif  // PHIMAGE_H
