#include "phimagelist.h"

#include <QHash>
#include <algorithm>

#include "nubmsg.h"
#include "phimage.h"

namespace {

QHash<int, PhImage *> &imageIndex() {
  static QHash<int, PhImage *> index;
  return index;
}

}  // namespace

PhImageList::PhImageList() = default;

PhImageList::~PhImageList() {
  Nub::debug("~PhImageList");
  clear();
}

void PhImageList::append(PhImage *image) {
  if (!image) return;
  imageIndex().insert(image->imageId(), image);
  mImages.push_back(image);
}

void PhImageList::clear() {
  imageIndex().clear();
  std::vector<PhImage *> images;
  images.swap(mImages);
  for (PhImage *image : images) delete image;
}

void PhImageList::sort() {
  std::stable_sort(mImages.begin(), mImages.end(), [](const PhImage *a, const PhImage *b) {
    return a->imageId() < b->imageId();
  });
}

int PhImageList::indexOf(const PhImage *image) const {
  const auto it = std::find(mImages.begin(), mImages.end(), image);
  return it == mImages.end() ? -1 : int(it - mImages.begin());
}

PhImage *PhImageList::image(int iImageId) { return imageIndex().value(iImageId, nullptr); }

bool PhImageList::hasImage(int iImageId) { return imageIndex().contains(iImageId); }

void PhImageList::forgetImage(const PhImage *image) {
  QHash<int, PhImage *> &index = imageIndex();
  const auto it = index.constFind(image->imageId());
  if (it != index.constEnd() && it.value() == image) index.remove(image->imageId());
}
