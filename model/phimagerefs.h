#ifndef PHIMAGEREFS_H
#define PHIMAGEREFS_H

#include <iterator>

class PhImage;
class PhImagePoint;

// The images that contain one point ID, in the order they received it: a view
// into the class-wide point index (PhImage::imagesOfPoint). A null view means
// that the index has no list for the ID. It stays valid until the model
// changes (a point added to any image, an image destroyed, the index cleared).
class PhImageRefs {
 public:
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = PhImage *;
    using difference_type = int;
    using pointer = PhImage *const *;
    using reference = PhImage *;

    const_iterator() = default;
    PhImage *operator*() const;
    // The image's point with the ID, without a look-up.
    PhImagePoint *point() const;
    const_iterator &operator++();
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const const_iterator &other) const { return mLink == other.mLink; }
    bool operator!=(const const_iterator &other) const { return mLink != other.mLink; }

   private:
    friend class PhImageRefs;
    const_iterator(int iLink, int iLeft) : mLink(iLeft > 0 ? iLink : -1), mLeft(iLeft) {}
    int mLink = -1;
    int mLeft = 0;  // links from this one to the end of the ring
  };

  PhImageRefs() = default;

  bool isNull() const { return mHead < 0; }
  explicit operator bool() const { return !isNull(); }
  int count() const { return mCount; }
  bool isEmpty() const { return mCount == 0; }
  PhImage *first() const;
  bool contains(const PhImage *image) const;

  const_iterator begin() const { return const_iterator(mHead, mCount); }
  const_iterator end() const { return const_iterator(-1, 0); }

 private:
  friend class PhPointIndex;
  PhImageRefs(int iHead, int iCount) : mHead(iHead), mCount(iCount) {}

  int mHead = -1;
  int mCount = 0;
};

#endif  // PHIMAGEREFS_H
