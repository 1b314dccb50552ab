#include "phwildcard.h"

bool PhWildcard::matches(QStringView text, QStringView pattern) {
  // Greedy with one backtrack point: the last '*' seen absorbs one more
  // character whenever the rest fails. Linear in practice, never exponential.
  qsizetype t = 0;
  qsizetype p = 0;
  qsizetype starP = -1;
  qsizetype starT = 0;
  const qsizetype n = text.size();
  const qsizetype m = pattern.size();
  while (t < n) {
    if (p < m && pattern[p] == QLatin1Char('*')) {
      starP = p++;
      starT = t;
    } else if (p < m && (pattern[p] == QLatin1Char('?') || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (starP >= 0) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < m && pattern[p] == QLatin1Char('*')) ++p;
  return p == m;
}
