#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "phbaxrecord.h"
#include "phcamerareader.h"
#include "phexception.h"
#include "phfixture.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagereader.h"
#include "messagecapture.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phreadfailure.h"

using namespace PhFixture;

class TstPhImageReader : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void id9Field_data();
  void id9Field();
  void recordKinds_data();
  void recordKinds();
  void twoImagesWithTheirOrientations();
  void eliminatedPointsAreBlunders();
  void orientationsOutOfSequence_data();
  void orientationsOutOfSequence();
  void recordsOutsideCompleteImagesAreIgnored_data();
  void recordsOutsideCompleteImagesAreIgnored();
  void unopenableFiles_data();
  void unopenableFiles();

  void cameraFrame_data();
  void cameraFrame();
  void cameraWithoutImages();
  void unopenableCameraFile();

 private:
  // Reads the bytes as (i) and (e) files into mImages and mObjects.
  bool read(const QByteArray &image, const QByteArray &orientation,
            PhReadFailure *failure = nullptr);
  QString path(const char *name) const { return mDir.filePath(QLatin1String(name)); }

  QTemporaryDir mDir;
  PhImageList mImages;
  PhObjectList mObjects;
};

void TstPhImageReader::init() {
  QVERIFY(mDir.isValid());
  mImages.clear();
  mObjects.clear();
  phResetModel();
}

void TstPhImageReader::cleanup() {
  PhImage::clearPointIndex();
  mImages.clear();
  mObjects.clear();
}

bool TstPhImageReader::read(const QByteArray &image, const QByteArray &orientation,
                            PhReadFailure *failure) {
  writeFile(path("t.(i)"), image);
  writeFile(path("t.(e)"), orientation);
  return PhImageReader(mImages, mObjects).read(path("t.(i)"), path("t.(e)"), failure);
}

void TstPhImageReader::id9Field_data() {
  QTest::addColumn<QByteArray>("field");
  QTest::addColumn<int>("value");
  QTest::addRow("right-aligned") << QByteArray("      123") << 123;
  QTest::addRow("left-aligned") << QByteArray("123      ") << 123;
  QTest::addRow("end marker") << QByteArray("      -99") << -99;
  QTest::addRow("plus sign") << QByteArray("  +42    ") << 42;
  QTest::addRow("digits then letters") << QByteArray("  17abc99") << 17;
  QTest::addRow("inner blank ends it") << QByteArray("12 34    ") << 12;
  QTest::addRow("tab and newline skipped") << QByteArray("\t\n     7 ") << 7;
  QTest::addRow("leading zeros") << QByteArray("000000017") << 17;
  QTest::addRow("nine digits") << QByteArray("999999999") << 999999999;
  QTest::addRow("negative eight digits") << QByteArray("-12345678") << -12345678;
  QTest::addRow("blank") << QByteArray("         ") << 0;
  QTest::addRow("letters") << QByteArray("abc      ") << 0;
  QTest::addRow("sign without digits") << QByteArray("- 5      ") << 0;
  QTest::addRow("NUL bytes") << QByteArray("\0\0\0\0\0\0\0\0\0", 9) << 0;
  QTest::addRow("digit after the field") << QByteArray("        1") + "5" << 1;
}

void TstPhImageReader::id9Field() {
  QFETCH(QByteArray, field);
  QFETCH(int, value);
  QCOMPARE(PhBaxRecord::id9At(field.constData()), value);
}

void TstPhImageReader::recordKinds_data() {
  // A record between a header of image 1 and point 5 + end: what it is.
  QTest::addColumn<QByteArray>("record");
  QTest::addColumn<int>("images");
  QTest::addColumn<int>("points");  // of the first image
  const double nearOne = std::nextafter(1.0, 2.0);
  const double tiny = 1e-300;
  QTest::addRow("point") << imagePoint(0, 7, 1, 2, 0, 0) << 1 << 2;
  QTest::addRow("status 1 with header values") << imageRecord(1, id9(7), 1, 1, 1, 1, 1) << 1 << 2;
  QTest::addRow("d1 off by one ulp") << imageRecord(0, id9(7), nearOne, 1, 1, 1, 1) << 1 << 2;
  QTest::addRow("d5 off by one ulp") << imageRecord(0, id9(7), 1, 1, 1, 1, nearOne) << 1 << 2;
  // A second header: the first image is cut off and dropped, image 7 completes.
  QTest::addRow("header") << imageHeader(7) << 1 << 1;
  // An end with any d1 completes image 1 early; point 5 and the end record
  // then belong to no image.
  QTest::addRow("end with d1 = 5") << imageEnd() << 1 << 0;
  QTest::addRow("end with d1 = 1") << imageRecord(0, id9(-99), 1, 0, 0, 0, 0) << 1 << 0;
  QTest::addRow("end with negative zero")
      << imageRecord(0, id9(-99), 0, -0.0, 0, 0, 0) << 1 << 0;
  QTest::addRow("end-like with tiny d2") << imageRecord(0, id9(-99), 0, tiny, 0, 0, 0) << 1 << 2;
  QTest::addRow("end-like with ID -98") << imageRecord(0, id9(-98), 0, 0, 0, 0, 0) << 1 << 2;
  QTest::addRow("end-like with status 2") << imageRecord(2, id9(-99), 0, 0, 0, 0, 0) << 1 << 2;
}

void TstPhImageReader::recordKinds() {
  QFETCH(QByteArray, record);
  QFETCH(int, images);
  QFETCH(int, points);
  MessageCapture capture;
  const QByteArray image = imageHeader(1) + record + imagePoint(0, 5, 3, 4, 0, 0) + imageEnd();
  const int firstId = record == imageHeader(7) ? 7 : 1;
  QVERIFY(read(image, orientation(firstId, 3, 0, 0, 0)));
  QCOMPARE(mImages.count(), images);
  QCOMPARE(mImages.first()->pointCount(), points);
  QCOMPARE(mImages.first()->imageId(), firstId);
}

void TstPhImageReader::twoImagesWithTheirOrientations() {
  MessageCapture capture;
  QByteArray image = imageHeader(21);
  image += imagePoint(0, 101, -10, 5, 0.001, 0.002, 2.5);
  image += imagePoint(0, 102, 20, -5, 0.003, 0.004);
  image += imagePoint(0, 103, 30, 15, 0.0, 0.0);
  image += imageEnd();
  image += imageHeader(20);
  image += imagePoint(0, 101, -11, 6, 0.0, 0.0);
  image += imagePoint(0, 104, 21, -6, 0.0, 0.0);
  image += imagePoint(0, 105, 31, 16, 0.0, 0.0);
  image += imageEnd();
  const QByteArray orient = orientation(21, 12, 4512345.125, 5612345.25, 1500.5, 0.04, 0.09, 0.16) +
                            orientation(20, 13, 4512000.0, 5612000.0, 1490.0, 1.0, 4.0, 9.0);
  QVERIFY(read(image, orient));
  QVERIFY(capture.warnings().isEmpty());

  QCOMPARE(mImages.count(), 2);
  const PhImage *first = mImages.at(0);
  QCOMPARE(first->imageId(), 21);  // file order until the project is initialised
  QCOMPARE(first->cameraId(), 12);
  QCOMPARE(mImages.at(1)->cameraId(), 13);
  QCOMPARE(first->pointCount() + mImages.at(1)->pointCount(), 6);
  const PhImagePoint *p = first->point(101);
  QVERIFY(p);
  QCOMPARE(p->x(), -10.0f);
  QCOMPARE(p->residualY(), 0.002f);
  QCOMPARE(p->weight(), 2.5f);
  QCOMPARE(p->code(), -1);
  QVERIFY(p->adjustStatus());
  QCOMPARE(first->minX(), -10.0f);
  QCOMPARE(first->maxY(), 15.0f);
  QCOMPARE(first->largestResidualPointId(), 102);

  const PhObjectCoord &centre = first->projectionCentre();
  QCOMPARE(centre.id(), 21L);
  QCOMPARE(centre.f(0), 4512345.125);
  QCOMPARE(centre.f(1), 5612345.25);
  QCOMPARE(centre.f(2), 1500.5);
  QCOMPARE(float(centre.f(3)), 0.2f);
  QCOMPARE(float(centre.f(5)), 0.4f);

  QCOMPARE(mObjects.count(), 2);
  for (int i = 0; i < 2; ++i) {
    const PhObjectPoint *pc = mObjects.at(i);
    QCOMPARE(pc->pointId(), mImages.at(i)->imageId());
    QCOMPARE(pc->code(), 900);
    QVERIFY(pc->isAccepted());
    QVERIFY(!pc->hasObservedX() && !pc->hasObservedY() && !pc->hasObservedZ());
    QCOMPARE(pc->observedResidual(0), 0.0f);
    QVERIFY(!pc->observation().b(0));
  }
  QCOMPARE(mObjects.at(1)->adjustedSigma(2), 3.0f);
  QCOMPARE(mObjects.minX(), 4512000.0);
  QCOMPARE(mObjects.maxX(), 4512345.125);
  QCOMPARE(PhImage::numberOfLinks(101), 2);
  QCOMPARE(PhImageList::image(20), mImages.at(1));
}

void TstPhImageReader::eliminatedPointsAreBlunders() {
  MessageCapture capture;
  const QByteArray image = imageHeader(1) + imagePoint(1, 7, 0, 0, 5, 5) +
                           imagePoint(-3, 8, 0, 0, 9, 9) + imagePoint(0, 9, 0, 0, 0.3, 0.4) +
                           imagePoint(1, 6, 0, 0, 0, 0) + imagePoint(0, 6, 2, 0, 0, 0) +
                           imageEnd() + imageHeader(2) + imagePoint(0, 6, 0, 0, 0, 0) + imageEnd();
  QVERIFY(read(image, orientation(1, 1, 0, 0, 0) + orientation(2, 1, 0, 0, 0)));
  const PhImage *img = mImages.first();
  QVERIFY(!img->point(7)->adjustStatus());
  QVERIFY(!img->point(8)->adjustStatus());
  // Point 6 came twice: the second record replaced the eliminated first.
  QCOMPARE(img->pointCount(), 4);
  QVERIFY(img->point(6)->adjustStatus());
  QCOMPARE(img->point(6)->x(), 2.0f);
  QCOMPARE(PhImage::numberOfLinks(6), 2);
  QCOMPARE(img->notAdjustedCount(), 2);
  QCOMPARE(img->largestResidualPointId(), 9);
  QCOMPARE(img->largestResidual(), 0.5f);
}

void TstPhImageReader::orientationsOutOfSequence_data() {
  QTest::addColumn<QByteArray>("orientations");
  QTest::addRow("other order") << orientation(2, 1, 0, 0, 0) + orientation(1, 1, 0, 0, 0);
  QTest::addRow("second missing") << orientation(1, 1, 0, 0, 0);
  QTest::addRow("none") << QByteArray();
  QTest::addRow("second cut short") << orientation(1, 1, 0, 0, 0) + orientation(2, 1, 0, 0, 0).left(69);
}

void TstPhImageReader::orientationsOutOfSequence() {
  QFETCH(QByteArray, orientations);
  MessageCapture capture;
  const QByteArray image = imageHeader(1) + imagePoint(0, 5, 0, 0, 0, 0) + imageEnd() +
                           imageHeader(2) + imagePoint(0, 6, 0, 0, 0, 0) + imageEnd();
  try {
    read(image, orientations);
    QFAIL("no exception");
  } catch (const PhException &e) {
    QCOMPARE(e.errorNumber(), 60868);
    QCOMPARE(e.message(),
             QStringLiteral("Tessella::ReadImageFiles: Sequences in files (i) and (e) don't fit!"));
  }
}

void TstPhImageReader::recordsOutsideCompleteImagesAreIgnored_data() {
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<QList<int>>("imageIds");
  QTest::addColumn<int>("ignored");
  const QByteArray one = imageHeader(1) + imagePoint(0, 5, 0, 0, 0, 0) + imageEnd();
  QTest::addRow("points before the first header")
      << imagePoint(0, 7, 0, 0, 0, 0) + imagePoint(0, 8, 0, 0, 0, 0) + one << QList<int>{1} << 2;
  QTest::addRow("end without header") << imageEnd() + one + imageEnd() << QList<int>{1} << 2;
  QTest::addRow("header cut off by a header")
      << imageHeader(9) + imagePoint(0, 7, 0, 0, 0, 0) + one << QList<int>{1} << 2;
  QTest::addRow("image without end at the end of the file")
      << one + imageHeader(2) + imagePoint(0, 7, 0, 0, 0, 0) << QList<int>{1} << 2;
  QTest::addRow("last record cut short") << one + imageHeader(2).left(51) << QList<int>{1} << 0;
  QTest::addRow("end record cut short")
      << one + imageHeader(2) + imageEnd().left(30) << QList<int>{1} << 1;
  QTest::addRow("empty image") << imageHeader(1) + imageEnd() << QList<int>{1} << 0;
  QTest::addRow("empty file") << QByteArray() << QList<int>{} << 0;
  QTest::addRow("shorter than a record") << QByteArray("BAX") << QList<int>{} << 0;
}

void TstPhImageReader::recordsOutsideCompleteImagesAreIgnored() {
  QFETCH(QByteArray, image);
  QFETCH(QList<int>, imageIds);
  QFETCH(int, ignored);
  MessageCapture capture;
  QVERIFY(read(image, orientation(1, 1, 0, 0, 0) + orientation(2, 1, 0, 0, 0)));
  QList<int> ids;
  for (const PhImage *img : mImages) ids << img->imageId();
  QCOMPARE(ids, imageIds);
  QCOMPARE(mObjects.count(), imageIds.count());
  // Points of dropped images are in no image's list.
  QCOMPARE(PhImage::numberOfLinks(7), 0);
  QCOMPARE(capture.warnings().count(), ignored > 0 ? 1 : 0);
  if (ignored > 0)
    QVERIFY(capture.warnings().first().startsWith(QString::number(ignored) + QLatin1String(" records")));
}

void TstPhImageReader::unopenableFiles_data() {
  QTest::addColumn<bool>("imageMissing");
  QTest::addColumn<int>("file");
  QTest::addRow("image file") << true << int(PhReadFailure::FILE_Image);
  QTest::addRow("orientation file") << false << int(PhReadFailure::FILE_Orientation);
}

void TstPhImageReader::unopenableFiles() {
  QFETCH(bool, imageMissing);
  QFETCH(int, file);
  writeFile(path("ok.(i)"), imageHeader(1) + imageEnd());
  writeFile(path("ok.(e)"), orientation(1, 1, 0, 0, 0));
  const QString image = imageMissing ? path("missing.(i)") : path("ok.(i)");
  const QString orient = imageMissing ? path("ok.(e)") : mDir.path();  // a directory
  PhReadFailure failure;
  QVERIFY(!PhImageReader(mImages, mObjects).read(image, orient, &failure));
  QCOMPARE(failure.kind(), PhReadFailure::RF_CannotOpen);
  QCOMPARE(int(failure.file()), file);
  const QString failed = imageMissing ? image : orient;
  QCOMPARE(failure.path(), failed);
  QCOMPARE(failure.text(), QStringLiteral("Could not open file\n") + failed + QStringLiteral("\n\n"));
  QCOMPARE(mImages.count(), 0);
}

void TstPhImageReader::cameraFrame_data() {
  QTest::addColumn<QByteArray>("camera");
  QTest::addColumn<bool>("framed");
  QTest::addColumn<bool>("noNumberWarning");
  const QByteArray frame = camera(" 12", -115.5, 114.0, 230.0, 228.0);
  QTest::addRow("blank before the ID") << frame << true << false;
  QTest::addRow("plain ID") << camera("12", -115.5, 114.0, 230.0, 228.0) << true << false;
  QTest::addRow("ID ended by NUL")
      << camera(QByteArray("12\0\0\0\0\0\0\0", 9), -115.5, 114.0, 230.0, 228.0) << true << false;
  QTest::addRow("other camera") << camera("13", -115.5, 114.0, 230.0, 228.0) << false << false;
  QTest::addRow("letters after the ID") << camera("12a", -115.5, 114.0, 230.0, 228.0) << false
                                        << true;
  QTest::addRow("blank ID") << camera("", -115.5, 114.0, 230.0, 228.0) << false << true;
  QTest::addRow("record cut short") << frame.left(209) << false << true;
  QTest::addRow("empty file") << QByteArray() << false << true;
}

void TstPhImageReader::cameraFrame() {
  QFETCH(QByteArray, camera);
  QFETCH(bool, framed);
  QFETCH(bool, noNumberWarning);
  MessageCapture capture;
  const QByteArray image = imageHeader(1) + imagePoint(0, 5, -3, -4, 0, 0) +
                           imagePoint(0, 6, 3, 4, 0, 0) + imageEnd() + imageHeader(2) +
                           imagePoint(0, 5, 1, 1, 0, 0) + imageEnd();
  // Only the first image's camera is compared; every image gets the frame.
  QVERIFY(read(image, orientation(1, 12, 0, 0, 0) + orientation(2, 99, 0, 0, 0)));
  writeFile(path("c.cam"), camera);
  capture.clear();
  PhReadFailure failure;
  QVERIFY(PhCameraReader(mImages).read(path("c.cam"), &failure));
  QVERIFY(!failure.isFailure());
  QCOMPARE(capture.count(Nub::MsgWarn, QStringLiteral("is no number")), noNumberWarning ? 1 : 0);
  if (noNumberWarning)
    QCOMPARE(capture.warnings().first(),
             QStringLiteral("Camera ID in '%1' is no number! Can't compare with Camera ID of images.")
                 .arg(path("c.cam")));
  else
    QVERIFY(capture.warnings().isEmpty());
  const PhImage *first = mImages.at(0);
  const PhImage *second = mImages.at(1);
  if (framed) {
    for (const PhImage *img : {first, second}) {
      QCOMPARE(img->minX(), -115.5f);
      QCOMPARE(img->minY(), -114.0f);
      QCOMPARE(img->maxX(), 114.5f);
      QCOMPARE(img->maxY(), 114.0f);
    }
  } else {
    QCOMPARE(first->minX(), -3.0f);
    QCOMPARE(first->maxY(), 4.0f);
    QCOMPARE(second->maxX(), 1.0f);
  }
}

void TstPhImageReader::cameraWithoutImages() {
  MessageCapture capture;
  writeFile(path("c.cam"), camera("12", 0, 0, 1, 1));
  QVERIFY(PhCameraReader(mImages).read(path("c.cam"), nullptr));
  QCOMPARE(capture.warnings(), QStringList{QStringLiteral("No image loaded to extract camera ID from.")});
}

void TstPhImageReader::unopenableCameraFile() {
  PhReadFailure failure;
  QVERIFY(!PhCameraReader(mImages).read(path("none.cam"), &failure));
  QCOMPARE(failure.kind(), PhReadFailure::RF_CannotOpen);
  QCOMPARE(failure.file(), PhReadFailure::FILE_Camera);
}

QTEST_GUILESS_MAIN(TstPhImageReader)
#include "tst_phimagereader.moc"
