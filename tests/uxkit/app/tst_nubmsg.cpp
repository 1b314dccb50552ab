#include "messagecapture.h"
#include "nubmath.h"
#include "nubplatform.h"
#include "nubtext.h"
#include "stderrcapture.h"

#include <QProcess>
#include <QtTest>
#include <cmath>
#include <cstring>

namespace {
QList<QPair<int, int>> gProgressCalls;
void recordProgress(int current, int total) { gProgressCalls.append({current, total}); }
}  // namespace

class TestNubMsg : public QObject {
  Q_OBJECT

 private slots:
  void eachFunctionSendsItsType_data();
  void eachFunctionSendsItsType();
  void msgServesBitsInOrderWithOneText();
  void msgWithDebugBitAloneCallsNothing();
  void debugNeverReachesTheHandler();
  void warnReturnsFalse();
  void nullHandlerRestoresStandardError_data();
  void nullHandlerRestoresStandardError();
  void longMessagesAreCutToTheBuffer();
  void fatalEndsTheProcessWithStatusOne();
  void checkFormWarnsAndLeaves();
  void progressWithoutHandlerPrints();
  void progressHandlerGetsStoredTotal();
  void asciiConversions();
  void testFlagSharesBits();
  void endianOfThisMachine();
  void platformNames();
  void mathConstants();
  void mathClamps_data();
  void mathClamps();
};

void TestNubMsg::eachFunctionSendsItsType_data() {
  QTest::addColumn<int>("which");
  QTest::addColumn<unsigned>("type");
  QTest::addRow("info") << 0 << unsigned(Nub::MsgInfo);
  QTest::addRow("note") << 1 << unsigned(Nub::MsgNote);
  QTest::addRow("warn") << 2 << unsigned(Nub::MsgWarn);
  QTest::addRow("log") << 3 << unsigned(Nub::MsgLog);
  QTest::addRow("status") << 4 << unsigned(Nub::MsgStatus);
  QTest::addRow("infoDlg") << 5 << unsigned(Nub::MsgInfoDlg);
  QTest::addRow("warnDlg") << 6 << unsigned(Nub::MsgWarnDlg);
}

void TestNubMsg::eachFunctionSendsItsType() {
  QFETCH(int, which);
  QFETCH(unsigned, type);
  MessageCapture capture;
  const char *data = "a %s b";  // user data never acts as a format
  switch (which) {
    case 0: Nub::info("x %d %s", 7, data); break;
    case 1: Nub::note("x %d %s", 7, data); break;
    case 2: Nub::warn("x %d %s", 7, data); break;
    case 3: Nub::log("x %d %s", 7, data); break;
    case 4: Nub::status("x %d %s", 7, data); break;
    case 5: Nub::infoDlg("x %d %s", 7, data); break;
    case 6: Nub::warnDlg("x %d %s", 7, data); break;
  }
  QCOMPARE(capture.count(), 1);
  QCOMPARE(capture.all().first().first, type);
  QCOMPARE(capture.all().first().second, QStringLiteral("x 7 a %s b"));
}

void TestNubMsg::msgServesBitsInOrderWithOneText() {
  MessageCapture capture;
  Nub::msg(Nub::MsgLog | Nub::MsgInfo | Nub::MsgWarnDlg | Nub::MsgNote, "same %d", 3);
  QCOMPARE(capture.count(), 4);
  const unsigned expected[] = {Nub::MsgInfo, Nub::MsgNote, Nub::MsgLog, Nub::MsgWarnDlg};
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(capture.all().at(i).first, expected[i]);
    QCOMPARE(capture.all().at(i).second, QStringLiteral("same 3"));
  }
}

void TestNubMsg::msgWithDebugBitAloneCallsNothing() {
  MessageCapture capture;
  Nub::msg(Nub::MsgDebug, "nothing");
  QCOMPARE(capture.count(), 0);
}

void TestNubMsg::debugNeverReachesTheHandler() {
  MessageCapture capture;
  Nub::debug("%s => %s", "x", "1");
  QCOMPARE(capture.count(), 0);
}

void TestNubMsg::warnReturnsFalse() {
  {
    MessageCapture capture;
    QVERIFY(!Nub::warn("handled"));
  }
  StderrCapture err;
  QVERIFY(!Nub::warn("unhandled"));
}

void TestNubMsg::nullHandlerRestoresStandardError_data() {
  QTest::addColumn<int>("which");
  QTest::addColumn<QByteArray>("line");
  QTest::addRow("info") << 0 << QByteArray("text\n");
  QTest::addRow("note") << 1 << QByteArray("Notice: text\n");
  QTest::addRow("warn") << 2 << QByteArray("Warning: text\n");
  QTest::addRow("log") << 3 << QByteArray("Log: text\n");
  QTest::addRow("status") << 4 << QByteArray("State: text\n");
  QTest::addRow("infoDlg") << 5 << QByteArray("Info: text\n");
  QTest::addRow("warnDlg") << 6 << QByteArray("Warning: text\n");
  QTest::addRow("debug") << 7 << QByteArray();
}

void TestNubMsg::nullHandlerRestoresStandardError() {
  QFETCH(int, which);
  QFETCH(QByteArray, line);
  Nub::MsgHandler previous = Nub::installMsgHandler(nullptr);
  StderrCapture err;
  switch (which) {
    case 0: Nub::info("text"); break;
    case 1: Nub::note("text"); break;
    case 2: Nub::warn("text"); break;
    case 3: Nub::log("text"); break;
    case 4: Nub::status("text"); break;
    case 5: Nub::infoDlg("text"); break;
    case 6: Nub::warnDlg("text"); break;
    case 7: Nub::debug("text"); break;
  }
  const QByteArray got = err.text();
  Nub::installMsgHandler(previous);
  QCOMPARE(got, line);
}

void TestNubMsg::longMessagesAreCutToTheBuffer() {
  MessageCapture capture;
  const QByteArray big(20000, 'x');
  Nub::info("%s", big.constData());
  QCOMPARE(Nub::maxMsgSize(), 8196);
  QCOMPARE(capture.all().first().second.size(), 8195);
}

void TestNubMsg::fatalEndsTheProcessWithStatusOne() {
  if (qEnvironmentVariableIsSet("NUB_FATAL_CHILD")) {
    Nub::fatal("going %s", "down");
  }
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("NUB_FATAL_CHILD"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("fatalEndsTheProcessWithStatusOne")});
  QVERIFY(child.waitForFinished(30000));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 1);
  QVERIFY(child.readAllStandardError().contains("Fatal error: going down\n"));
}

namespace {
bool checkedOperation(int *value) {
  NUB_CHECK_RETURN(value == nullptr, false);
  *value = 1;
  return true;
}
}  // namespace

void TestNubMsg::checkFormWarnsAndLeaves() {
  MessageCapture capture;
  QVERIFY(!checkedOperation(nullptr));
  QCOMPARE(capture.texts(Nub::MsgWarn).size(), 1);
  const QString text = capture.texts(Nub::MsgWarn).first();
  QVERIFY2(text.startsWith(QStringLiteral(">>> ERR: 'value == nullptr' in tests/uxkit/app/tst_nubmsg.cpp (")),
           qPrintable(text));
  QVERIFY(text.endsWith(QStringLiteral(") <<<")));
  int v = 0;
  capture.clear();
  QVERIFY(checkedOperation(&v));
  QCOMPARE(capture.count(), 0);
}

void TestNubMsg::progressWithoutHandlerPrints() {
  Nub::ProgressHandler previous = Nub::installProgressHandler(nullptr);
  QByteArray got;
  {
    StderrCapture err;
    Nub::progress(3, -1);  // before any total: of 100
    Nub::progress(0, 20);
    Nub::progress(5, -1);
    Nub::progress(-1, -1);
    got = err.text();
  }
  Nub::installProgressHandler(previous);
  QCOMPARE(got, QByteArray("Progress:   3/100\nProgress:   0/ 20\nProgress:   5/ 20\n"));
}

void TestNubMsg::progressHandlerGetsStoredTotal() {
  gProgressCalls.clear();
  Nub::ProgressHandler previous = Nub::installProgressHandler(recordProgress);
  Nub::progress(0, 7);
  Nub::progress(2, -1);
  Nub::progress(-1, -1);
  QVERIFY(Nub::installProgressHandler(previous) == &recordProgress);
  const QList<QPair<int, int>> expected = {{0, 7}, {2, 7}, {-1, 7}};
  QCOMPARE(gProgressCalls, expected);
}

void TestNubMsg::asciiConversions() {
  QCOMPARE(QByteArray(Nub::ascii(true)), QByteArray("TRUE"));
  QCOMPARE(QByteArray(Nub::ascii(false)), QByteArray("FALSE"));
  QCOMPARE(QByteArray(Nub::ascii(7ul)), QByteArray("7"));
  QCOMPARE(QByteArray(Nub::ascii(0.5)), QByteArray("0.500000"));
  QCOMPARE(QByteArray(Nub::ascii(0.25f)), QByteArray("0.250000"));
  const char *same = "as is";
  QCOMPARE(Nub::ascii(same), same);
  QVERIFY(Nub::text(nullptr) == nullptr);
  QCOMPARE(QByteArray(Nub::text("%d-%s", 4, "x")), QByteArray("4-x"));
  QCOMPARE(Nub::maxTextSize(), 8196);
}

void TestNubMsg::testFlagSharesBits() {
  QVERIFY(Nub::testFlag(6, 2));
  QVERIFY(!Nub::testFlag(4, 3));
  QVERIFY(!Nub::testFlag(0, 0));
}

void TestNubMsg::endianOfThisMachine() {
  MessageCapture capture;
  QCOMPARE(Nub::endian(), Nub::EndianLittle);  // every target machine is little-endian
  QCOMPARE(QByteArray(Nub::endianTxt()), QByteArray("Little Endian"));
  QCOMPARE(QByteArray(Nub::endianTxt(1)), QByteArray("Big Endian"));
  QCOMPARE(QByteArray(Nub::endianTxt(9)), QByteArray("Unbekannt !"));
  QCOMPARE(capture.count(), 0);
}

void TestNubMsg::platformNames() {
  QVERIFY(Nub::currentUserName() && std::strlen(Nub::currentUserName()) > 0);
  QVERIFY(Nub::computerName() && std::strlen(Nub::computerName()) > 0);
  QCOMPARE(QByteArray(Nub::version()), QByteArray("1.0.0"));
  MessageCapture capture;
  Nub::niy("Export");
  Nub::niy();
  QCOMPARE(capture.texts(Nub::MsgInfo),
           QStringList({QStringLiteral("Export: This functionality is not implemented yet!"),
                        QStringLiteral("This functionality is not implemented yet!")}));
}

void TestNubMsg::mathConstants() {
  using M = Nub::Math;
  quint32 bits;
  std::memcpy(&bits, &M::PI, 4);
  QCOMPARE(bits, 0x40490FDBu);
  std::memcpy(&bits, &M::ZERO_TOLERANCE, 4);
  QCOMPARE(bits, 0x358637BDu);
  QCOMPARE(M::TWO_PI, 6.28318548f);
  QCOMPARE(M::HALF_PI, 1.57079637f);
  QCOMPARE(M::INV_PI, 0.318309873f);
  QCOMPARE(M::DEG_TO_RAD, 0.0174532924f);
  QCOMPARE(M::RAD_TO_DEG, 57.2957764f);
  QCOMPARE(M::GRA_TO_RAD, 0.0157079641f);
  QCOMPARE(M::RAD_TO_GRA, 63.6619759f);
  QCOMPARE(M::EPSILON, std::ldexp(1.0f, -23));
  QCOMPARE(M::MIN_FLT, 1.17549435e-38f);
  QCOMPARE(M::MAX_REAL, M::MAX_FLT);
  QCOMPARE(M::MIN_INT, -2147483647 - 1);
  QVERIFY(M::realIsFloat() && !M::realIsDouble());
}

void TestNubMsg::mathClamps_data() {
  using M = Nub::Math;
  QTest::addColumn<float>("got");
  QTest::addColumn<float>("expected");
  QTest::addRow("arcSin above 1") << M::arcSin(1.5f) << M::HALF_PI;
  QTest::addRow("arcSin below -1") << M::arcSin(-3.0f) << -M::HALF_PI;
  QTest::addRow("arcCos below -1") << M::arcCos(-2.0f) << M::PI;
  QTest::addRow("arcCos above 1") << M::arcCos(1.0f) << 0.0f;
  QTest::addRow("sign of -0") << M::sign(-0.0f) << 0.0f;
  QTest::addRow("sign negative") << M::sign(-2.0f) << -1.0f;
  QTest::addRow("sign positive") << M::sign(0.1f) << 1.0f;
  QTest::addRow("gradians") << M::radToGra(M::PI) << 200.0f;
  QTest::addRow("degrees") << M::radToDeg(M::HALF_PI) << 90.0f;
  QTest::addRow("invSqrt") << M::invSqrt(4.0f) << 0.5f;
  QTest::addRow("arcTan2") << M::arcTan2(1.0f, 0.0f) << M::HALF_PI;
}

void TestNubMsg::mathClamps() {
  QFETCH(float, got);
  QFETCH(float, expected);
  QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestNubMsg)
#include "tst_nubmsg.moc"
