#include <QRandomGenerator>
#include <QtTest>

#include <vector>

#include "phcovermask.h"
#include "tessellatest.h"

// The mask against a plain grid of flags, across word boundaries and edges.
class TestPhCoverMask : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void matchesPlainGrid_data();
  void matchesPlainGrid();
};

void TestPhCoverMask::matchesPlainGrid_data() {
  QTest::addColumn<QRect>("area");
  QTest::addRow("one word wide") << QRect(0, 0, 40, 30);
  QTest::addRow("exactly 64") << QRect(10, 5, 64, 20);
  QTest::addRow("several words, offset") << QRect(-37, 211, 300, 25);
  QTest::addRow("one column") << QRect(3, 3, 1, 200);
}

void TestPhCoverMask::matchesPlainGrid() {
  QFETCH(QRect, area);
  PhCoverMask mask;
  mask.reset(area);
  std::vector<char> grid(std::size_t(area.width()) * std::size_t(area.height()), 0);
  auto at = [&](int x, int y) -> char & {
    return grid[std::size_t(y - area.top()) * std::size_t(area.width()) + std::size_t(x - area.left())];
  };
  auto plainCovers = [&](const QRect &box) {
    const QRect r = box & area;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        if (!at(x, y)) return false;
    return true;
  };
  QRandomGenerator random(11);
  auto coord = [&](int from, int length) { return from - 80 + int(random.bounded(length + 160)); };
  int agreedTrue = 0;
  int agreedFalse = 0;
  for (int step = 0; step < 3000; ++step) {
    // Runs partly outside the area as well.
    const int y = coord(area.top(), area.height());
    const int x0 = coord(area.left(), area.width());
    const int x1 = x0 + int(random.bounded(150));
    mask.addRun(y, x0, x1);
    if (y >= area.top() && y <= area.bottom())
      for (int x = std::max(x0, area.left()); x <= std::min(x1, area.right()); ++x) at(x, y) = 1;
    for (int k = 0; k < 3; ++k) {
      const QRect box(coord(area.left(), area.width()), coord(area.top(), area.height()),
                      1 + int(random.bounded(140)), 1 + int(random.bounded(12)));
      const bool expected = plainCovers(box);
      QCOMPARE(mask.covers(box), expected);
      ++(expected ? agreedTrue : agreedFalse);
    }
  }
  // Both answers were asked for.
  QVERIFY(agreedTrue > 50);
  QVERIFY(agreedFalse > 50);
}

TESSELLA_TEST_MAIN(TestPhCoverMask)
#include "tst_phcovermask.moc"
