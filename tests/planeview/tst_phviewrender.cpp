// Both views drawn through render() onto other paint devices: into an image
// it gives the screen's pixels, into SVG and PDF files well-formed drawings;
// and the drawing settings handed over in one call, held in range.

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>
#include <memory>

#include "phimage.h"
#include "phimagelist.h"
#include "phcolourmap.h"
#include "phimageview.h"
#include "phobjectlist.h"
#include "phobjectpoint.h"
#include "phobjectview.h"
#include "phviewpicture.h"
#include "tessellatest.h"
#include "viewtestutil.h"

namespace {

constexpr int ImageId = 7001;
// Of the image's points: this one's ID is looked for in the SVG text.
constexpr int MarkedId = 4711;

// A small project: one image whose points are also object points on a
// 100 x 50 plane, every tenth a blunder, with residuals, sigmas and links;
// its projection centre is an object point too.
struct Project {
  PhImageList images;
  PhObjectList objects;
  PhImage *image = new PhImage;

  Project() {
    PhImage::clearPointIndex();
    image->setImageId(ImageId);
    image->setProjectionCentre(ImageId, 50.0, 25.0, 30.0, 0.0f, 0.0f, 0.0f);
    images.append(image);
    for (int k = 0; k < 60; ++k) {
      const int id = k == 0 ? MarkedId : 100 + k;
      const double x = 5.0 + (k % 10) * 10.0;
      const double y = 5.0 + (k / 10) * 8.0;
      const bool accepted = k % 10 != 3;
      const float rx = float((k % 7) - 3) * 0.02f;
      const float ry = float((k % 5) - 2) * 0.03f;
      const int code = (k % 3) * 100 + 100;
      image->addPoint(id, accepted, float(x), float(y), rx, ry, 1.0f);
      image->point(id)->setCode(code);
      auto *point = new PhObjectPoint;
      point->setPointId(id);
      point->setCode(code);
      point->setAccepted(accepted);
      point->setAdjustedValues(x, y, 1.0, 0.3f + 0.01f * k, 0.2f, 0.1f);
      point->setObservedAxis(0, x, rx, 0.05f, k % 4 != 1);
      point->setObservedAxis(1, y, ry, 0.05f, true);
      point->setSelected(k % 2 == 0);
      objects.append(point);
    }
    image->setMinX(0);
    image->setMinY(0);
    image->setMaxX(100);
    image->setMaxY(50);
    auto *centre = new PhObjectPoint;
    centre->setPointId(ImageId);
    centre->setCode(900);
    centre->setAdjustedValues(50.0, 25.0, 30.0, 0.1f, 0.1f, 0.1f);
    centre->setSelected(true);
    // Points that arrive selected are counted, the centre enters the image set.
    objects.append(centre);
  }
  ~Project() {
    objects.clear();
    images.clear();
    PhImage::clearPointIndex();
  }
};

// The settings both views share, with every decoration on.
void decorate(PhZoomView &view) {
  view.setTextFont(ViewTest::testFont());
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) {
    view.setPointSymbol(t, t % 3);
    view.setPointColor(t, QColor::fromHsv(t * 50, 255, 200));
    view.setPointSize(t, 7 + t);
  }
  view.setBlunderColor(Qt::red);
  view.setShowBlunders(true);
  view.setShowPointIds(true);
  view.setShowLinkCount(true);
  view.setResidualsOn(VM_Graphical, true);
  view.setResidualScale(40);
}

// A shown view of the project, of either kind, zoomed and scrolled; without
// lines, no residual vectors, sigma ellipses or connections.
std::unique_ptr<PhZoomView> shownView(const QString &kind, Project &p, int zoom, const QPoint &at,
                                      bool bLines = true) {
  std::unique_ptr<PhZoomView> view;
  if (kind == QLatin1String("image")) {
    auto *image = new PhImageView;
    view.reset(image);
    decorate(*image);
    image->setResidualsOn(VM_Textual, true);
    if (!ViewTest::showView(image, QSize(640, 420))) return nullptr;
    image->setImage(p.image);
  } else {
    auto *object = new PhObjectView(PhGlobal::PL_XY);
    view.reset(object);
    decorate(*object);
    object->setShowImageIds(true);
    object->setShowConnections(true);
    object->setLinkLineType(PhGlobal::LT_Dash);
    object->setSigmasOn(VM_Graphical, true);
    object->setSigmasOn(VM_Textual, true);
    object->setMarkColor(Qt::yellow);
    if (!ViewTest::showView(object, QSize(640, 420))) return nullptr;
    object->setData(&p.objects, true);
  }
  if (!bLines) {
    view->setResidualsOn(VM_Graphical, false);
    if (auto *object = qobject_cast<PhObjectView *>(view.get())) {
      object->setSigmasOn(VM_Graphical, false);
      object->setShowConnections(false);
    }
  }
  view->slotZoom(zoom);
  view->setContentsPos(at.x(), at.y());
  return view;
}

// The rectangle drawn into a device of its size.
QImage renderedImage(PhZoomView &view, const QRect &contents, const QColor &fill) {
  QImage image(contents.size(), QImage::Format_RGB32);
  image.fill(fill);
  QPainter painter(&image);
  view.render(&painter, contents);
  return image;
}

// The whole drawing of a shown view of the kind, at 100 %, written into a
// file in memory by `write`.
QByteArray drawnFile(const QString &kind,
                     const std::function<void(QBuffer &, PhZoomView &, const QRect &)> &write) {
  Project p;
  const std::unique_ptr<PhZoomView> view = shownView(kind, p, 100, QPoint(0, 0));
  QBuffer buffer;
  if (!view || !buffer.open(QIODevice::WriteOnly)) return QByteArray();
  write(buffer, *view, QRect(0, 0, view->contentsWidth(), view->contentsHeight()));
  return buffer.data();
}

}  // namespace

class TestPhViewRender : public QObject {
  Q_OBJECT

 private slots:
  void init() { TessellaTest::beginTest(); }
  void cleanup() { TessellaTest::endTest(); }

  void imageEqualsScreen_data();
  void imageEqualsScreen();
  void svgHoldsTheDrawing_data();
  void svgHoldsTheDrawing();
  void pdfHasOnePage_data();
  void pdfHasOnePage();
  void drawSettingsHeldAndShown();
  void fittedPictureEqualsScreen_data();
  void fittedPictureEqualsScreen();
  void printedOnOnePage();
  void legendWhenColouredByValue_data();
  void legendWhenColouredByValue();
  void svgHoldsOneShapePerPoint_data();
  void svgHoldsOneShapePerPoint();
};

void TestPhViewRender::imageEqualsScreen_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<int>("zoom");
  QTest::addColumn<QPoint>("at");
  QTest::addColumn<bool>("lines");
  const QString image = QStringLiteral("image");
  const QString object = QStringLiteral("object");
  QTest::addRow("image view, whole") << image << 100 << QPoint(0, 0) << true;
  QTest::addRow("image view, zoomed") << image << 300 << QPoint(400, 250) << true;
  QTest::addRow("image view, no lines, a part") << image << 300 << QPoint(400, 250) << false;
  QTest::addRow("object view, whole") << object << 100 << QPoint(0, 0) << true;
  QTest::addRow("object view, zoomed") << object << 300 << QPoint(400, 250) << true;
  QTest::addRow("object view, no lines, a part") << object << 300 << QPoint(400, 250) << false;
}

void TestPhViewRender::imageEqualsScreen() {
  QFETCH(QString, kind);
  QFETCH(int, zoom);
  QFETCH(QPoint, at);
  QFETCH(bool, lines);
  Project p;
  const std::unique_ptr<PhZoomView> view = shownView(kind, p, zoom, at, lines);
  QVERIFY(view);
  QCOMPARE(QPoint(view->contentsX(), view->contentsY()), at);
  // The kept drawing, with its sprites written into the pixels directly.
  const QImage screen = ViewTest::render(view.get());
  QWidget *viewport = view->viewport();
  const QColor outside = viewport->palette().color(viewport->backgroundRole());
  const QRect visible = view->visibleContentsRect();
  QCOMPARE(renderedImage(*view, visible, outside), screen);
  if (!lines) {
    // A part lands at the device's origin. (Where a line crosses the part's
    // edge the raster engine may step it a pixel aside: no lines here.)
    const QRect part(visible.topLeft() + QPoint(37, 23), QSize(251, 163));
    QCOMPARE(renderedImage(*view, part, outside), screen.copy(part.translated(-visible.topLeft())));
  }
}

void TestPhViewRender::svgHoldsTheDrawing_data() {
  QTest::addColumn<QString>("kind");
  QTest::addRow("image view") << QStringLiteral("image");
  QTest::addRow("object view") << QStringLiteral("object");
}

void TestPhViewRender::svgHoldsTheDrawing() {
  QFETCH(QString, kind);
  const QByteArray file = drawnFile(kind, [](QBuffer &buffer, PhZoomView &view, const QRect &contents) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(contents.size());
    svg.setViewBox(QRect(QPoint(0, 0), contents.size()));
    QPainter painter(&svg);
    view.render(&painter, contents);
  });
  QXmlStreamReader xml(file);
  QHash<QString, int> elements;
  QString texts;
  bool inText = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      ++elements[xml.name().toString()];
      inText = xml.name() == QLatin1String("text");
    } else if (xml.isCharacters() && inText) {
      texts += xml.text().toString() + QLatin1Char(' ');
    }
  }
  QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
  QCOMPARE(elements.value(QStringLiteral("svg")), 1);
  // Symbols (shapes of their own), lines and labels.
  QVERIFY2(elements.value(QStringLiteral("ellipse")) + elements.value(QStringLiteral("circle")) +
                   elements.value(QStringLiteral("polygon")) + elements.value(QStringLiteral("path")) >
               60,
           qPrintable(QStringList(elements.keys()).join(QLatin1Char(','))));
  QVERIFY(elements.value(QStringLiteral("polyline")) + elements.value(QStringLiteral("path")) > 0);
  QVERIFY(elements.value(QStringLiteral("text")) > 0);
  QVERIFY2(texts.contains(QString::number(MarkedId)), qPrintable(texts.left(200)));
}

void TestPhViewRender::pdfHasOnePage_data() { svgHoldsTheDrawing_data(); }

void TestPhViewRender::pdfHasOnePage() {
  QFETCH(QString, kind);
  auto pdfOf = [&](bool bDraw) {
    return drawnFile(kind, [bDraw](QBuffer &buffer, PhZoomView &view, const QRect &contents) {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(96);
      pdf.setPageSize(QPageSize(QSizeF(contents.size()), QPageSize::Point));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      QPainter painter(&pdf);
      if (bDraw) view.render(&painter, contents);
    });
  };
  const QByteArray data = pdfOf(true);
  QVERIFY(data.startsWith("%PDF-"));
  QCOMPARE(QString::fromLatin1(data).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))), 1);
  // The drawing is on it: far more than on the blank page.
  QVERIFY(data.size() > pdfOf(false).size() + 2000);
}

void TestPhViewRender::drawSettingsHeldAndShown() {
  Project p;
  PhImageView view;
  view.setTextFont(ViewTest::testFont());
  QVERIFY(ViewTest::showView(&view, QSize(640, 420)));
  view.setImage(p.image);
  const QPoint point = ViewTest::pixelOf(5.0, 5.0);
  QCOMPARE(ViewTest::at(ViewTest::render(&view), &view, point), QColor(Qt::black));

  PhDrawSettings settings = view.drawSettings();
  settings.colour[0] = Qt::blue;
  settings.symbol[0] = 9;
  settings.size[0] = -4;
  settings.size[1] = 100000;
  settings.pointOn[1] = false;
  settings.blunderSize = -3;
  settings.largestSize = 500;
  settings.markSize = -1;
  settings.residualScale = 0.0f;
  settings.background = Qt::darkCyan;
  view.setDrawSettings(settings, false);
  // Held as the setters hold them.
  QCOMPARE(view.pointSymbol(0), int(PhGlobal::SYM_Circle));
  QCOMPARE(view.pointSize(0), 1);
  QCOMPARE(view.pointSize(1), PhDrawSettings::MaxSymbolSize);
  QCOMPARE(view.blunderSize(), 0);
  QCOMPARE(view.largestResidualSize(), PhDrawSettings::MaxExtraSize);
  QCOMPARE(view.drawSettings().markSize, 0);
  QCOMPARE(view.residualScale(), 1.0f);
  // Shown at the next repaint, with the symbols made anew.
  const QImage image = ViewTest::render(&view);
  QCOMPARE(ViewTest::at(image, &view, point), QColor(Qt::blue));
  QCOMPARE(ViewTest::at(image, &view, 5, 5), QColor(Qt::darkCyan));
}

void TestPhViewRender::fittedPictureEqualsScreen_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("image view") << "image";
  QTest::newRow("object view") << "object";
}

// The picture of a given size is what the view shows in a viewport of that
// size, zoomed to fit.
void TestPhViewRender::fittedPictureEqualsScreen() {
  QFETCH(QString, kind);
  Project p;
  const std::unique_ptr<PhZoomView> view = shownView(kind, p, 100, QPoint(0, 0));
  QVERIFY(view);
  const QSize size = view->viewport()->size();
  const int zoom = PhViewPicture::zoomToFit(*view, size);
  QVERIFY(view->contentsWidth() <= size.width() && view->contentsHeight() <= size.height());
  // One step more would not fit.
  view->slotZoom(zoom + 1);
  QVERIFY(view->contentsWidth() > size.width() || view->contentsHeight() > size.height());
  const QImage picture = PhViewPicture::image(*view, size);
  QCOMPARE(view->zoom(), zoom);
  QCOMPARE(picture, ViewTest::screen(view.get()));
}

// Printing goes through the same painting onto the printer's page; a PDF
// printer shows it as one page with the drawing on it.
void TestPhViewRender::printedOnOnePage() {
  Project p;
  const std::unique_ptr<PhZoomView> view = shownView(QStringLiteral("object"), p, 100, QPoint(0, 0));
  QVERIFY(view);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("view.pdf")));
  QVERIFY(PhViewPicture::print(*view, printer));
  QFile file(printer.outputFileName());
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray pdf = file.readAll();
  QVERIFY(pdf.startsWith("%PDF-"));
  QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), qsizetype(1));
  QVERIFY(pdf.size() > 5000);
}

void TestPhViewRender::legendWhenColouredByValue_data() {
  QTest::addColumn<QString>("kind");
  QTest::addRow("image view") << QStringLiteral("image");
  QTest::addRow("object view") << QStringLiteral("object");
}

void TestPhViewRender::legendWhenColouredByValue() {
  QFETCH(QString, kind);
  Project p;
  const std::unique_ptr<PhZoomView> view = shownView(kind, p, 100, QPoint(0, 0));
  QVERIFY(view);
  const int inset = PhZoomView::LegendInset;
  const QPoint inBar(inset + 64, inset + PhPointPainter::LegendHeight / 2);
  // Coloured by type, the default: the margin stays empty.
  QCOMPARE(ViewTest::at(ViewTest::screen(view.get()), view.get(), inBar), view->backgroundColor());
  PhDrawSettings settings = view->drawSettings();
  settings.colourBy = 1;
  settings.colourLow = -1.0;
  settings.colourHigh = 1.0;
  settings.colourUnit = QStringLiteral("mm");
  view->setDrawSettings(settings);
  const QImage shown = ViewTest::screen(view.get());
  QCOMPARE(ViewTest::at(shown, view.get(), inBar), PhColourMap::at(64.0 / (PhPointPainter::LegendWidth - 1)));
  // In the top margin, above the drawing.
  QVERIFY(inset + PhPointPainter::LegendHeight + 2 + QFontMetrics(view->textFont()).height() < PhZoomView::Margin);
  // The same in a drawing onto another device.
  const QImage drawn = renderedImage(*view, QRect(0, 0, 200, 40), Qt::white);
  QCOMPARE(QColor(drawn.pixel(inBar)), PhColourMap::at(64.0 / (PhPointPainter::LegendWidth - 1)));
}

void TestPhViewRender::svgHoldsOneShapePerPoint_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<int>("symbol");
  QTest::addColumn<QString>("element");
  for (const QString &kind : {QStringLiteral("image"), QStringLiteral("object")}) {
    QTest::addRow("%s view, circles", qPrintable(kind)) << kind << int(PhGlobal::SYM_Circle) << QStringLiteral("ellipse");
    // The generator writes polygons as paths.
    QTest::addRow("%s view, triangles", qPrintable(kind)) << kind << int(PhGlobal::SYM_Triangle)
                                                          << QStringLiteral("path");
    QTest::addRow("%s view, crosses", qPrintable(kind)) << kind << int(PhGlobal::SYM_Cross) << QStringLiteral("path");
  }
}

// A drawing kept as vectors holds each point's symbol as one shape, not as
// rows of pixels.
void TestPhViewRender::svgHoldsOneShapePerPoint() {
  QFETCH(QString, kind);
  QFETCH(int, symbol);
  QFETCH(QString, element);
  Project p;
  p.objects.deselectAll();
  const std::unique_ptr<PhZoomView> view = shownView(kind, p, 100, QPoint(0, 0), false);
  QVERIFY(view);
  PhDrawSettings settings = view->drawSettings();
  for (int t = 0; t < PhGlobal::PointTypeCount; ++t) settings.symbol[t] = symbol;
  settings.showBlunders = false;
  settings.showPointIds = settings.showLinks = false;
  settings.residualsOn[VM_Graphical] = settings.residualsOn[VM_Textual] = false;
  view->setDrawSettings(settings);
  // Hidden blunders are not drawn; the object view has the centre too.
  int drawn = 0;
  for (const PhImagePoint &point : *p.image) drawn += point.adjustStatus() ? 1 : 0;
  if (kind == QLatin1String("object")) ++drawn;
  // The image view rings its largest residual.
  const int rings = kind == QLatin1String("image") ? 1 : 0;
  QBuffer buffer;
  QVERIFY(buffer.open(QIODevice::WriteOnly));
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    const QRect contents(0, 0, view->contentsWidth(), view->contentsHeight());
    svg.setSize(contents.size());
    svg.setViewBox(QRect(QPoint(0, 0), contents.size()));
    QPainter painter(&svg);
    view->render(&painter, contents);
  }
  QXmlStreamReader xml(buffer.data());
  QHash<QString, int> elements;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) ++elements[xml.name().toString()];
  }
  QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
  const int ellipses = elements.value(QStringLiteral("ellipse")) + elements.value(QStringLiteral("circle"));
  if (element == QLatin1String("ellipse")) {
    QCOMPARE(ellipses, drawn + rings);
  } else {
    QCOMPARE(elements.value(element), drawn);
    QCOMPARE(ellipses, rings);
  }
}

TESSELLA_TEST_MAIN(TestPhViewRender)

#include "tst_phviewrender.moc"
