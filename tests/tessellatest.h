#ifndef TESSELLATEST_H
#define TESSELLATEST_H

// What the view tests share: one application object for the whole run, the
// class-wide state put back between test functions, and Qt warnings that a
// test does not expect counted as failures.
//
//   void init() { TessellaTest::beginTest(); }
//   void cleanup() { TessellaTest::endTest(); }
//   ...
//   TESSELLA_TEST_MAIN(TestSomething)
//   TESSELLA_TEST_MAIN_WITH_SETUP(TestSomething, prepareSomething)

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include "phimage.h"
#include "uxcfg.h"

namespace TessellaTest {

// The state a whole class keeps, which one test function must not leave to
// the next: the image point index and the configuration table.
inline void resetClassState() {
  PhImage::clearPointIndex();
  Ux::Cfg::clear();
}

// At the start of every test function: fresh class-wide state, and a Qt
// warning fails the test unless it asked for it with QTest::ignoreMessage.
// The offscreen platform's notes on what it cannot do are no fault of ours.
inline void beginTest() {
  resetClassState();
  QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support).*")));
}

// At the end of every test function: nothing of it left for the next.
inline void endTest() { resetClassState(); }

// The test main: the application object made once, then an optional set-up
// that needs it, then the test object.
template <typename TestObject>
int runTests(int argc, char **argv, const char *source, void (*setup)()) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  if (setup) setup();
  TestObject test;
  QTest::setMainSourcePath(source);
  return QTest::qExec(&test, argc, argv);
}

}  // namespace TessellaTest

#define TESSELLA_TEST_MAIN_WITH_SETUP(TestObject, setup)                         \
  int main(int argc, char **argv) {                                              \
    return TessellaTest::runTests<TestObject>(argc, argv, __FILE__, setup);      \
  }

#define TESSELLA_TEST_MAIN(TestObject) TESSELLA_TEST_MAIN_WITH_SETUP(TestObject, nullptr)

#endif  // TESSELLATEST_H
