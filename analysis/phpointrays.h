#ifndef PHPOINTRAYS_H
#define PHPOINTRAYS_H

class PhObjectPoint;

// What the link-count label shows for an object point, and how many of
// those rays BAX eliminated: for a point its image points in every image,
// for a projection centre its image's adjusted and not-adjusted points.
struct PhPointRays {
  int rays = 0;
  int eliminated = 0;

  static PhPointRays of(const PhObjectPoint &point);
};

#endif  // PHPOINTRAYS_H
