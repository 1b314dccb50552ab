#ifndef PHWILDCARD_H
#define PHWILDCARD_H

#include <QString>

// Whole-text matching of the search patterns: '*' matches any run of
// characters (also none), '?' exactly one, every other character itself.
class PhWildcard {
 public:
  static bool matches(const QString &text, const QString &pattern);
};

#endif  // PHWILDCARD_H
