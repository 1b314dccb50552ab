#ifndef PHNUMBERTEXT_H
#define PHNUMBERTEXT_H

#include <QList>
#include <QString>

// A translated label with numbers at its places %1 and %2 ("X: %1 ± %2"),
// cut at them once, so that filling it for a point writes into a kept string
// and allocates nothing once that string has room.
class PhNumberText {
 public:
  PhNumberText() = default;
  explicit PhNumberText(const QString &format);

  // The text with the values, three decimals each, into `out`.
  void fill(QString &out, double a, double b = 0.0) const;
  // The decimal text of the value into `out`.
  static void fillInteger(QString &out, int value);

 private:
  // Literal, place, literal, place, ...: the places hold 0 for %1, 1 for %2.
  QList<QString> mLiterals;
  QList<int> mPlaces;
};

#endif  // PHNUMBERTEXT_H
