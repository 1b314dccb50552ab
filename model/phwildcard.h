#ifndef PHWILDCARD_H
#define PHWILDCARD_H

#include <QString>
#include <QStringView>

// Whole-text matching of the search patterns: '*' matches any run of
// characters (also none), '?' exactly one, every other character itself.
class PhWildcard {
 public:
  static bool matches(QStringView text, QStringView pattern);
};

#endif  // PHWILDCARD_H
