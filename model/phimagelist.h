#ifndef PHIMAGELIST_H
#define PHIMAGELIST_H

#include <vector>

class PhImage;

// The ordered images of a project; owns them. Class-wide it keeps an index
// from image ID to image, filled by `append` and emptied by `clear`.
class PhImageList {
 public:
  PhImageList();
  ~PhImageList();
  PhImageList(const PhImageList &) = delete;
  PhImageList &operator=(const PhImageList &) = delete;

  // Takes ownership; enters the image into the class-wide index under its ID
  // (replacing an earlier entry), then appends it. Null is ignored.
  void append(PhImage *image);
  // Empties the class-wide image index, then deletes all images.
  void clear();
  // By ascending image ID; equal IDs keep their order.
  void sort();

  int count() const { return int(mImages.size()); }
  bool isEmpty() const { return mImages.empty(); }
  PhImage *first() const { return mImages.empty() ? nullptr : mImages.front(); }
  PhImage *at(int i) const { return mImages[std::size_t(i)]; }
  int indexOf(const PhImage *image) const;
  std::vector<PhImage *>::const_iterator begin() const { return mImages.begin(); }
  std::vector<PhImage *>::const_iterator end() const { return mImages.end(); }

  static PhImage *image(int iImageId);
  static bool hasImage(int iImageId);

 private:
  friend class PhImage;
  // A destroyed image leaves the class-wide index.
  static void forgetImage(const PhImage *image);

  std::vector<PhImage *> mImages;
};

#endif  // PHIMAGELIST_H
