#ifndef PROGRAMTEST_H
#define PROGRAMTEST_H

// The test main of tests that run the main window: the program's own
// application object with its log and configuration places and its
// information texts, kept alive when a window closes.
//
//   TESSELLA_PROGRAM_TEST_MAIN(TestSomething)

#include <QtTest>

#include "phinfotexts.h"
#include "uxapp.h"

#define TESSELLA_PROGRAM_TEST_MAIN(TestObject)                                                        \
  int main(int argc, char **argv) {                                                                \
    Ux::App app("Tessella", argc, argv);                                                           \
    app.setQuitOnLastWindowClosed(false);                                                          \
    if (!app.init(true, QStringLiteral("log"), QStringLiteral(".log"), QStringLiteral("cfg"),      \
                  QStringLiteral(".cfg")))                                                         \
      return 3;                                                                                    \
    registerInformation(QStringLiteral("Tessella"));                                               \
    TestObject test;                                                                               \
    return QTest::qExec(&test, argc, argv);                                                        \
  }

#endif  // PROGRAMTEST_H
