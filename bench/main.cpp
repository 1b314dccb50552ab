// tessella-bench: writes simulated BAX projects of the given sizes and times
// what a user waits for: reading a project to a ready model and closing it,
// the model's heap, filling and sorting the project view's lists, drawing,
// rubber band, selection and search in an object view, drawing an image view,
// and opening a project to the first painted object view. Every figure is the
// median of --repeat runs in this one process.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "baxsimulator.h"
#include "benchanalysis.h"
#include "benchchild.h"
#include "benchheap.h"
#include "benchtable.h"
#include "nubmsg.h"
#include "phbaxfile.h"
#include "phbaxrecord.h"
#include "phglobal.h"
#include "phimage.h"
#include "phimagelist.h"
#include "phimagelistmodel.h"
#include "phimagereader.h"
#include "phimageview.h"
#include "phobjectlist.h"
#include "phobjectlistmodel.h"
#include "phobjectpoint.h"
#include "phobjectreader.h"
#include "phobjectview.h"
#include "phprojectdata.h"
#include "phprojectinit.h"
#include "phprojectreader.h"

namespace {

int gRepeat = 5;
bool gReadOnly = false;
int gViewSide = 2000;  // object view, pixels
int gWarnings = 0;

void benchMessages(Nub::MsgTypeE type, const char *text) {
  // Infos of every read would drown the table; warnings and worse are shown.
  if (!(type & (Nub::MsgWarn | Nub::MsgFatal | Nub::MsgWarnDlg | Nub::MsgFatalDlg))) return;
  ++gWarnings;
  std::fprintf(stderr, "message: %s\n", text);
}
void benchProgress(int, int) {}

double median(std::vector<double> v) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Median milliseconds of `run`, called gRepeat times; `prepare` runs untimed
// before each call.
double timeMs(const std::function<void()> &run, const std::function<void()> &prepare = {}) {
  std::vector<double> ms;
  for (int r = 0; r < gRepeat; ++r) {
    if (prepare) prepare();
    QElapsedTimer t;
    t.start();
    run();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  return median(ms);
}

QString sizeName(qint64 n) {
  if (n >= 1000000 && n % 100000 == 0) return QStringLiteral("%1M").arg(double(n) / 1e6);
  if (n >= 1000 && n % 1000 == 0) return QStringLiteral("%1k").arg(n / 1000);
  return QString::number(n);
}

qint64 fileBytes(const BaxSimResult &r) {
  qint64 n = 0;
  for (const QString &f : {r.projectFile, r.imageFile, r.orientationFile, r.objectFile,
                           r.observationFile, r.cameraFile})
    n += QFileInfo(f).size();
  return n;
}

// Decoding every field of every record of the four result files as the
// readers do, into a sum, without building a model: the speed of parsing
// alone. Returns the bytes decoded.
qint64 parseRecords(const BaxSimResult &r, double *sink) {
  using namespace PhBaxRecord;
  struct FileLayout {
    QString path;
    int size;
    int idAt;
    int firstDouble;
    int doubles;
  };
  const FileLayout files[] = {
      {r.imageFile, PhImageReader::ImageRecordSize, 2, 12, 5},
      {r.orientationFile, PhImageReader::OrientationRecordSize, 2, 22, 6},
      {r.objectFile, PhObjectReader::ObjectRecordSize, 2, 12, 6},
      {r.observationFile, PhObjectReader::ObservationRecordSize, 4, 14, 3},
  };
  qint64 bytes = 0;
  double sum = 0.0;
  for (const FileLayout &f : files) {
    PhBaxFile file(f.size);
    if (!file.open(f.path)) continue;
    const qint64 n = file.recordCount();
    for (qint64 i = 0; i < n; ++i) {
      const char *rec = file.record(i);
      sum += int16At(rec) + id9At(rec + f.idAt);
      for (int d = 0; d < f.doubles; ++d) sum += doubleAt(rec + f.firstDouble + 8 * d);
    }
    bytes += n * f.size;
  }
  *sink += sum;
  return bytes;
}

// The model as the main window holds it.
struct Model {
  PhImageList images;
  PhObjectList objects;
  std::unique_ptr<PhProjectData> project;

  double completeMs = 0.0;  // of the last read

  bool read(const QString &file) {
    if (!PhProjectReader(images, objects, project, nullptr).read(file)) return false;
    QElapsedTimer t;
    t.start();
    PhProjectInit::complete(images, objects, project.get());
    completeMs = double(t.nsecsElapsed()) / 1e6;
    return true;
  }
  // As the main window closes a project.
  void close() {
    PhImage::clearPointIndex();
    images.clear();
    objects.clear();
  }
};

// The project view's list: a tree view with uniform rows on a model.
template <class M>
struct ListView {
  M model;
  QTreeView view;
  ListView() {
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setSortingEnabled(false);
    view.setModel(&model);
    view.resize(400, 800);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) std::fprintf(stderr, "tessella-bench: list view not shown\n");
  }
  // The rows laid out and the visible ones painted.
  void layOut() {
    view.doItemsLayout();
    view.viewport()->repaint();
  }
};

void mouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, modifiers);
  QApplication::sendEvent(w, &event);
}

const QString kRead = QStringLiteral("read project to ready model");
const QString kParse = QStringLiteral("read speed (file bytes / read time)");
const QString kHeap = QStringLiteral("model heap per image point");
const QString kBytesImage = QStringLiteral("model bytes per image point");
const QString kBytesObject = QStringLiteral("model bytes per object point");
const QString kClose = QStringLiteral("close project");
const QString kHeapLeft = QStringLiteral("heap left after close");
const QString kFillImages = QStringLiteral("fill image list + layout");
const QString kFillObjects = QStringLiteral("fill object list + layout");
const QString kSort[3] = {QStringLiteral("sort object list by Point-ID"),
                          QStringLiteral("sort object list by Point-Type"),
                          QStringLiteral("sort object list by Blunder")};
const QString kFull = QStringLiteral("object view full repaint 100 %");
const QString kZoom = QStringLiteral("object view repaint 1000 %");
const QString kAllLabels = QStringLiteral("object view full repaint 100 %, all selected, labels");
const QString kStrip = QStringLiteral("object view 10 % strip");
const QString kBand = QStringLiteral("rubber-band mouse move");
const QString kRect = QStringLiteral("rectangle selection");
const QString kSearch[7] = {QStringLiteral("search point ID pattern"),
                            QStringLiteral("search image ID range"),
                            QStringLiteral("search links"),
                            QStringLiteral("search residuals"),
                            QStringLiteral("search sigmas"),
                            QStringLiteral("search blunders"),
                            QStringLiteral("search point code")};
const QString kImageView = QStringLiteral("image view repaint, labels+vectors");
const QString kOpen = QStringLiteral("open project to painted object view");
const QString kMs = QStringLiteral("ms");

// Filling the two lists and sorting the object list by each column.
void benchLists(BenchTable &table, const PhImageList *images, const PhObjectList &objects) {
  if (images) {
    ListView<PhImageListModel> list;
    table.add(kFillImages, kMs, QStringLiteral("-"), timeMs([&] {
      list.model.fill(images);
      list.layOut();
    }, [&] { list.model.clear(); }));
    list.model.clear();
  }
  ListView<PhObjectListModel> list;
  table.add(kFillObjects, kMs, QStringLiteral("< 50 at 1 M object points"), timeMs([&] {
    list.model.fill(&objects);
    list.layOut();
  }, [&] { list.model.clear(); }));
  list.model.fill(&objects);
  list.layOut();
  for (int column = 0; column < 3; ++column) {
    bool descending = false;
    // Alternating order, so every run really reorders.
    table.add(kSort[column], kMs, QStringLiteral("-"), timeMs([&] {
      list.view.sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
      list.layOut();
      descending = !descending;
    }));
  }
  list.model.clear();
}

// An object list of n points built in code: mixed types and IDs, a few rejected,
// spread evenly over a square.
void syntheticObjects(PhObjectList &list, int n) {
  QRandomGenerator random(42);
  // No projection centres: there are no images to go with them.
  static const int codes[] = {100, 100, 100, 101, 101, 200, 300, 500};
  list.reserve(n);
  for (int i = 0; i < n; ++i) {
    PhObjectPoint p;
    p.setPointId(int(random.bounded(1, 100000000)));
    p.setCode(codes[random.bounded(8)]);
    p.setAccepted(random.bounded(100) != 0);
    p.setAdjustedValues(random.bounded(1000.0), random.bounded(1000.0), random.bounded(10.0), 0.1f,
                        0.1f, 0.1f);
    // A quarter observed, so that residual vectors and texts have something to show.
    if (i % 4 == 0)
      for (int axis = 0; axis < 3; ++axis)
        p.setObservedAxis(axis, p.adjustedCoord(axis), float(random.bounded(1.0) - 0.5), 0.1f, true);
    list.append(std::move(p));
  }
}

void benchObjectView(BenchTable &table, PhObjectList &objects, const PhImageList &images) {
  PhObjectView view(PhGlobal::PL_XY);
  view.resize(gViewSide, gViewSide);
  view.show();
  if (!QTest::qWaitForWindowExposed(&view)) std::fprintf(stderr, "tessella-bench: object view not shown\n");
  view.setData(&objects, true);
  QApplication::processEvents();
  const QSize viewport = view.viewport()->size();
  table.add(QStringLiteral("  object view viewport"), QStringLiteral("pixels"), QString(),
            double(viewport.width()) * viewport.height());
  const double full = timeMs([&] { view.repaintContents(); });
  table.add(kFull, kMs, QStringLiteral("<= 100 at 1 M"), full);

  // A strip of a tenth of the drawing's height through its middle.
  const int h = view.contentsHeight();
  const QRect strip(0, h / 2 - h / 20, view.contentsWidth(), h / 10);
  table.add(kStrip, kMs, QStringLiteral("<= 10"), timeMs([&] { view.repaintContents(strip); }));

  {
    // The worst a repaint at 100 % meets: every point selected, with its ID,
    // link count, residual vector and connections.
    std::vector<int> all(std::size_t(objects.count()));
    std::iota(all.begin(), all.end(), 0);
    objects.selection().selectIndices(all, false);
    view.setShowPointIds(true);
    view.setShowLinkCount(true);
    view.setResidualsOn(VM_Graphical, true);
    view.setShowConnections(true);
    QApplication::processEvents();
    const double labelled = timeMs([&] { view.repaintContents(); });
    table.add(kAllLabels, kMs, QStringLiteral("<= 10 x full repaint"), labelled);
    table.add(QStringLiteral("  the same over the full repaint"), QStringLiteral("times"), QStringLiteral("<= 10"),
              labelled / full);
    // A project's connections draw a line for every observation of a
    // selected point: apart, what the labels cost.
    view.setShowConnections(false);
    QApplication::processEvents();
    table.add(QStringLiteral("  the same without connections"), kMs, QString(), timeMs([&] { view.repaintContents(); }));
    view.setShowPointIds(false);
    view.setShowLinkCount(false);
    view.setResidualsOn(VM_Graphical, false);
    view.setShowConnections(false);
    view.slotDeselectPoints();
    QApplication::processEvents();
  }

  view.slotZoom(1000);
  view.setContentsPos((view.contentsWidth() - viewport.width()) / 2,
                      (view.contentsHeight() - viewport.height()) / 2);
  QApplication::processEvents();
  table.add(kZoom, kMs, QStringLiteral("<= 2"), timeMs([&] { view.repaintContents(); }));
  {
    // What any repaint of the whole window costs before a single point: the
    // kept image filled with the background and copied to the window's.
    QImage layer(viewport, QImage::Format_RGB32);
    QImage window(viewport, QImage::Format_RGB32);
    table.add(QStringLiteral("  filling and copying the pixels alone"), kMs, QString(), timeMs([&] {
                QPainter fill(&layer);
                fill.fillRect(layer.rect(), Qt::white);
                fill.end();
                QPainter copy(&window);
                copy.drawImage(0, 0, layer);
              }));
  }
  view.slotZoom(100);
  view.setContentsPos(0, 0);
  QApplication::processEvents();
  view.repaintContents();

  // Rubber band: a selection drag over most of the drawing, one move at a time.
  QWidget *vp = view.viewport();
  view.slotSetMode(PhZoomView::MODE_Selection);
  const QPoint origin = view.contentsToViewport(QPoint(60, 60));
  mouse(vp, QEvent::MouseButtonPress, origin, Qt::LeftButton);
  mouse(vp, QEvent::MouseMove, origin + QPoint(300, 300), Qt::LeftButton);
  QApplication::processEvents();
  int step = 0;
  table.add(kBand, kMs, QStringLiteral("<= 1.5 at any N"), timeMs([&] {
    const int d = 300 + (step++ % 2 ? 7 : -7);
    mouse(vp, QEvent::MouseMove, origin + QPoint(d, d + 3), Qt::LeftButton);
    QApplication::processEvents();
  }));
  mouse(vp, QEvent::MouseButtonRelease, origin + QPoint(300, 300), Qt::NoButton);
  view.slotDeselectPoints();
  QApplication::processEvents();

  // A band of 1 % of the drawing's area in its middle: the release selects.
  const int side = qMax(PhZoomView::MinBand + 1, qMin(view.contentsWidth(), h) / 10);
  const QPoint centre = view.contentsToViewport(QPoint(view.contentsWidth() / 2, h / 2));
  int selected = 0;
  table.add(kRect, kMs, QStringLiteral("<= 1"), timeMs([&] {
    mouse(vp, QEvent::MouseButtonRelease, centre + QPoint(side / 2, side / 2), Qt::NoButton);
    selected = objects.selectedCount();
  }, [&] {
    view.slotDeselectPoints();
    QApplication::processEvents();
    mouse(vp, QEvent::MouseButtonPress, centre - QPoint(side / 2, side / 2), Qt::LeftButton);
    mouse(vp, QEvent::MouseMove, centre + QPoint(side / 2, side / 2), Qt::LeftButton);
  }));
  table.add(QStringLiteral("  points in the rectangle"), QStringLiteral("points"), QString(), selected);
  QApplication::processEvents();

  // Each search mode over the whole list.
  const int firstImage = images.isEmpty() ? 0 : images.first()->imageId();
  const struct {
    QString par1, par2;
    bool pattern;
  } searches[7] = {
      {QStringLiteral("*7"), QString(), true},
      {QString::number(firstImage), QString::number(firstImage + 10), false},
      {QStringLiteral("5"), QString(), false},
      {QStringLiteral("0.02"), QString(), false},
      {QStringLiteral("0.05"), QStringLiteral("1"), false},
      {QString(), QString(), false},
      {QStringLiteral("200"), QStringLiteral("500"), false},
  };
  for (int mode = 0; mode < 7; ++mode) {
    table.add(kSearch[mode], kMs, mode == 0 ? QStringLiteral("linear, small constant") : QString(),
              timeMs([&] {
                view.selectPoints(PhGlobal::SEL_EraseExisting, mode, searches[mode].par1,
                                  searches[mode].par2, searches[mode].pattern);
              }, [&] { QApplication::processEvents(); }));
  }
  view.slotDeselectPoints();
  QApplication::processEvents();
}

void benchImageView(BenchTable &table, Model &m) {
  // The image whose point count is nearest 1000.
  PhImage *image = nullptr;
  for (PhImage *i : m.images)
    if (!image || qAbs(i->pointCount() - 1000) < qAbs(image->pointCount() - 1000)) image = i;
  if (!image) return;
  PhImageView view;
  view.resize(1000, 1000);
  view.show();
  if (!QTest::qWaitForWindowExposed(&view)) std::fprintf(stderr, "tessella-bench: image view not shown\n");
  view.setImage(image);
  view.setShowPointIds(true);
  view.setShowLinkCount(true);
  view.setShowBlunders(true);
  view.setResidualsOn(VM_Graphical, true);
  QApplication::processEvents();
  table.add(kImageView, kMs, QStringLiteral("<= 2 at 1000 points"),
            timeMs([&] { view.repaintContents(); }));
  // What the labels and the vectors cost.
  view.setShowPointIds(false);
  view.setShowLinkCount(false);
  table.add(QStringLiteral("  the same without labels"), kMs, QString(), timeMs([&] { view.repaintContents(); }));
  view.setResidualsOn(VM_Graphical, false);
  table.add(QStringLiteral("  the same, symbols only"), kMs, QString(), timeMs([&] { view.repaintContents(); }));
  table.add(QStringLiteral("  points in that image"), QStringLiteral("points"), QString(),
            image->pointCount());
}

// A program beside this one, or empty when it was not built.
QString sibling(const char *name) {
  const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
  return QFileInfo(path).isExecutable() ? path : QString();
}

// tessella-report on the project as a child process: wall time and peak
// resident set, medians.
bool benchReport(BenchTable &table, const QString &projectFile) {
  const QString tool = sibling("tessella-report");
  if (tool.isEmpty()) return true;
  std::vector<double> wall, peak;
  for (int r = 0; r < gRepeat; ++r) {
    const BenchChild::Result run = BenchChild::run(tool, {projectFile});
    if (!run.ok) {
      std::fprintf(stderr, "tessella-bench: tessella-report failed on %s\n", qPrintable(projectFile));
      return false;
    }
    wall.push_back(run.wallMs);
    peak.push_back(run.peakMiB);
  }
  table.add(QStringLiteral("tessella-report run (child process)"), kMs, QStringLiteral("<= 500 on 3.25 M"),
            median(wall));
  table.add(QStringLiteral("  the report's peak resident set"), QStringLiteral("MiB"),
            QStringLiteral("<= 200 on 3.25 M"), median(peak));

  // The adjustment report beside it: tables, charts and the views drawn
  // into an HTML and a PDF file.
  QTemporaryDir out;
  wall.clear();
  peak.clear();
  for (int r = 0; r < gRepeat && out.isValid(); ++r) {
    const BenchChild::Result run =
        BenchChild::run(tool, {projectFile, QStringLiteral("--html"), out.filePath(QStringLiteral("r.html")),
                               QStringLiteral("--pdf"), out.filePath(QStringLiteral("r.pdf"))});
    if (!run.ok) {
      std::fprintf(stderr, "tessella-bench: tessella-report --html --pdf failed on %s\n", qPrintable(projectFile));
      return false;
    }
    wall.push_back(run.wallMs);
    peak.push_back(run.peakMiB);
  }
  table.add(QStringLiteral("tessella-report --html --pdf (child process)"), kMs, QString(), median(wall));
  table.add(QStringLiteral("  its peak resident set"), QStringLiteral("MiB"), QString(), median(peak));
  table.add(QStringLiteral("  HTML file"), QStringLiteral("KiB"), QString(),
            QFileInfo(out.filePath(QStringLiteral("r.html"))).size() / 1024.0);
  table.add(QStringLiteral("  PDF file"), QStringLiteral("KiB"), QString(),
            QFileInfo(out.filePath(QStringLiteral("r.pdf"))).size() / 1024.0);
  return true;
}

// The program started on the project until its window with the viewers is
// painted and grabbed (screenshot mode), less the same start without a
// project: what opening, painting and closing the project add.
bool benchProgram(BenchTable &table, const QString &projectFile, const QString &dataDir) {
  const QString program = sibling("tessella");
  if (program.isEmpty()) return true;
  const QString home = QDir(dataDir).filePath(QStringLiteral("program-home"));
  QDir().mkpath(home);
  const QStringList env{QStringLiteral("HOME=") + home, QStringLiteral("QT_QPA_PLATFORM=offscreen")};
  const QString picture = QDir(home).filePath(QStringLiteral("shot.png"));
  std::vector<double> empty, opened, peak;
  for (int r = 0; r < gRepeat; ++r) {
    const BenchChild::Result without = BenchChild::run(program, {QStringLiteral("--screenshot"), picture}, env);
    const BenchChild::Result with =
        BenchChild::run(program, {QStringLiteral("--screenshot"), picture, projectFile}, env);
    if (!without.ok || !with.ok) {
      std::fprintf(stderr, "tessella-bench: the program failed on %s\n", qPrintable(projectFile));
      return false;
    }
    empty.push_back(without.wallMs);
    opened.push_back(with.wallMs);
    peak.push_back(with.peakMiB);
  }
  table.add(QStringLiteral("program: open, paint, close the project"), kMs,
            QStringLiteral("<= 1000 open + 50 close"), median(opened) - median(empty));
  table.add(QStringLiteral("  the program's start and end alone"), kMs, QString(), median(empty));
  table.add(QStringLiteral("  the program's peak resident set"), QStringLiteral("MiB"), QString(),
            median(peak));
  return true;
}

bool benchSize(BenchTable &table, const BaxSimOptions &options, const QString &column,
               const QString &dataDir) {
  const QString folder = QDir(dataDir).filePath(column);
  BaxSimResult result;
  QString error;
  QElapsedTimer t;
  t.start();
  if (!BaxSimulator::write(options, folder, &result, &error)) {
    std::fprintf(stderr, "tessella-bench: %s\n", qPrintable(error));
    return false;
  }
  std::fprintf(stderr, "tessella-bench: %s written in %.1f s: %lld image points, %lld object points, %lld images\n",
               qPrintable(folder), double(t.elapsed()) / 1000.0, result.imagePoints,
               result.objectPoints, result.images);
  // The camera file lies in the simulated installation.
  qputenv("windir", QFile::encodeName(folder));

  table.addSize(column, result.imagePoints);
  table.add(QStringLiteral("image points"), QStringLiteral("count"), QString(), double(result.imagePoints));
  table.add(QStringLiteral("object points"), QStringLiteral("count"), QString(), double(result.objectPoints));
  table.add(QStringLiteral("images"), QStringLiteral("count"), QString(), double(result.images));
  const qint64 bytes = fileBytes(result);
  table.add(QStringLiteral("file bytes"), QStringLiteral("MB"), QString(), double(bytes) / 1e6);

  // Read and close, with the heap the model takes.
  Model m;
  std::vector<double> readMs, completeMs, closeMs, heap, left;
  double bytesPerImagePoint = 0.0;
  double bytesPerObjectPoint = 0.0;
  bool ok = true;
  for (int r = 0; r < gRepeat && ok; ++r) {
    const std::int64_t before = BenchHeap::inUse();
    QElapsedTimer timer;
    timer.start();
    ok = m.read(result.projectFile);
    readMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    completeMs.push_back(m.completeMs);
    heap.push_back(double(BenchHeap::inUse() - before));
    // What the model holds, by what it holds it for: the store of image
    // points with their links; the object points with their list order and
    // the table of point IDs.
    bytesPerImagePoint = double(PhImage::pointStoreBytes()) / double(result.imagePoints);
    bytesPerObjectPoint = double(m.objects.memoryBytes() + PhImage::pointIdTableBytes()) /
                          double(qMax(1, m.objects.count()));
    timer.restart();
    m.close();
    closeMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    left.push_back(double(BenchHeap::inUse() - before));
  }
  if (!ok) {
    std::fprintf(stderr, "tessella-bench: the project %s was not read\n", qPrintable(result.projectFile));
    return false;
  }
  const double readTime = median(readMs);
  table.add(kRead, kMs, QStringLiteral("< 150 at 1 M, < 450 at 3 M"), readTime);
  const double completeTime = median(completeMs);
  table.add(QStringLiteral("  of which the readers"), kMs, QString(), readTime - completeTime);
  table.add(QStringLiteral("  of which the completion"), kMs, QString(), completeTime);
  table.add(kParse, QStringLiteral("GB/s"), QStringLiteral(">= 1.5"), double(bytes) / 1e6 / readTime);
  table.add(QStringLiteral("  readers alone"), QStringLiteral("GB/s"), QString(),
            double(bytes) / 1e6 / (readTime - completeTime));
  double sink = 0.0;
  qint64 parsedBytes = 0;
  const double parseTime = timeMs([&] { parsedBytes = parseRecords(result, &sink); });
  table.add(QStringLiteral("  parsing the records alone"), QStringLiteral("GB/s"), QString(),
            double(parsedBytes) / 1e6 / parseTime);
  if (sink == 1.2345e300) std::fprintf(stderr, "\n");  // keeps the sum alive
  table.add(kHeap, QStringLiteral("bytes"), QStringLiteral("<= 64"), median(heap) / double(result.imagePoints));
  table.add(kBytesImage, QStringLiteral("bytes"), QStringLiteral("<= 32"), bytesPerImagePoint);
  table.add(kBytesObject, QStringLiteral("bytes"), QStringLiteral("<= 80"), bytesPerObjectPoint);
  table.add(kClose, kMs, QStringLiteral("<= 20 at 1 M"), median(closeMs));
  table.add(kHeapLeft, QStringLiteral("bytes"), QString(), median(left));

  if (!benchReport(table, result.projectFile)) return false;
  if (gReadOnly) return true;
  if (!benchProgram(table, result.projectFile, dataDir)) return false;
  m.read(result.projectFile);
  benchLists(table, &m.images, m.objects);
  benchObjectView(table, m.objects, m.images);
  benchImageView(table, m);
  benchAnalysis(table, m.images, m.objects, gRepeat);
  m.close();

  // Opening to the first painted object view, as the main window does it.
  std::vector<double> openMs;
  for (int r = 0; r < gRepeat; ++r) {
    QElapsedTimer timer;
    timer.start();
    {
      m.read(result.projectFile);
      ListView<PhImageListModel> images;
      ListView<PhObjectListModel> objects;
      images.model.fill(&m.images);
      objects.model.fill(&m.objects);
      images.layOut();
      objects.layOut();
      PhObjectView view(PhGlobal::PL_XY);
      view.resize(gViewSide, gViewSide);
      view.show();
      if (!QTest::qWaitForWindowExposed(&view)) ok = false;
      view.setData(&m.objects, true);
      view.repaintContents();
      openMs.push_back(double(timer.nsecsElapsed()) / 1e6);
      images.model.clear();
      objects.model.clear();
    }
    m.close();
  }
  table.add(kOpen, kMs, QStringLiteral("<= 300 at 1 M"), median(openMs));
  if (!ok) std::fprintf(stderr, "tessella-bench: a window was not shown\n");
  return ok;
}

}  // namespace

int main(int argc, char *argv[]) {
  // Started only to start and measure another program: nothing else loads.
  if (argc >= 3 && std::strcmp(argv[1], BenchChild::StarterOption) == 0)
    return BenchChild::measure(argv + 2);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tessella-bench"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Times reading, closing, listing and drawing of simulated BAX projects."));
  parser.addHelpOption();
  const QCommandLineOption sizesOption(QStringLiteral("sizes"),
                                       QStringLiteral("Image points per project, comma-separated."),
                                       QStringLiteral("n,..."), QStringLiteral("100000,1000000,3000000"));
  const QCommandLineOption repeatOption(QStringLiteral("repeat"), QStringLiteral("Runs per figure (median)."),
                                        QStringLiteral("n"), QStringLiteral("5"));
  const QCommandLineOption objectsOption(
      QStringLiteral("list-points"), QStringLiteral("Object points of the list built in code (0: none)."),
      QStringLiteral("n"), QStringLiteral("1000000"));
  const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Also write the table as JSON."),
                                      QStringLiteral("file"));
  const QCommandLineOption dataOption(
      QStringLiteral("data"), QStringLiteral("Folder for the projects (default: a temporary one)."),
      QStringLiteral("folder"));
  const QCommandLineOption readOption(QStringLiteral("read-only"),
                                      QStringLiteral("Only read and close the projects (for profiling)."));
  const QCommandLineOption viewOption(QStringLiteral("view-size"),
                                     QStringLiteral("Side of the object view window in pixels."),
                                     QStringLiteral("pixels"), QStringLiteral("2000"));
  const QCommandLineOption shapeOption(
      QStringLiteral("shape"),
      QStringLiteral("Blocks of strips x images per strip x points per image, comma-separated "
                     "(e.g. 12x40x6800), measured after the sizes."),
      QStringLiteral("SxIxP,..."));
  parser.addOption(shapeOption);
  parser.addOptions({sizesOption, repeatOption, objectsOption, jsonOption, dataOption, readOption, viewOption});
  parser.process(app);

  bool ok = false;
  gRepeat = parser.value(repeatOption).toInt(&ok);
  if (!ok || gRepeat < 1 || gRepeat > 1000) {
    std::fprintf(stderr, "tessella-bench: --repeat wants a number from 1 to 1000\n");
    return 2;
  }
  std::vector<qint64> sizes;
  for (const QString &s : parser.value(sizesOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const qint64 n = s.trimmed().toLongLong(&ok);
    if (!ok || n < 1000 || n > 100000000) {
      std::fprintf(stderr, "tessella-bench: size '%s' is not from 1000 to 100000000\n", qPrintable(s));
      return 2;
    }
    sizes.push_back(n);
  }
  struct Shape {
    int strips, images, points;
  };
  std::vector<Shape> shapes;
  for (const QString &s : parser.value(shapeOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    const QStringList parts = s.trimmed().split(QLatin1Char('x'));
    bool okStrips = false, okImages = false, okPoints = false;
    const Shape shape{parts.value(0).toInt(&okStrips), parts.value(1).toInt(&okImages),
                      parts.value(2).toInt(&okPoints)};
    if (parts.size() != 3 || !okStrips || !okImages || !okPoints || shape.strips < 1 ||
        shape.strips > 99 || shape.images < 1 || shape.images > 9999 || shape.points < 10 ||
        shape.points > 100000) {
      std::fprintf(stderr, "tessella-bench: shape '%s' is not STRIPSxIMAGESxPOINTS (1-99, 1-9999, 10-100000)\n",
                   qPrintable(s));
      return 2;
    }
    shapes.push_back(shape);
  }
  const int listPoints = parser.value(objectsOption).toInt(&ok);
  if (!ok || listPoints < 0 || listPoints > 50000000) {
    std::fprintf(stderr, "tessella-bench: --list-points wants a number from 0 to 50000000\n");
    return 2;
  }

  gReadOnly = parser.isSet(readOption);
  gViewSide = parser.value(viewOption).toInt(&ok);
  if (!ok || gViewSide < 200 || gViewSide > 8000) {
    std::fprintf(stderr, "tessella-bench: --view-size wants a number from 200 to 8000\n");
    return 2;
  }
  Nub::installMsgHandler(benchMessages);
  Nub::installProgressHandler(benchProgress);

  QTemporaryDir temporary;
  QString dataDir = parser.value(dataOption);
  if (dataDir.isEmpty()) {
    if (!temporary.isValid()) {
      std::fprintf(stderr, "tessella-bench: no temporary folder: %s\n", qPrintable(temporary.errorString()));
      return 1;
    }
    dataDir = temporary.path();
  }

  BenchTable table;
  for (qint64 n : sizes) {
    // Strong overlaps: about 6.6 image points per object point.
    BaxSimOptions options;
    options.name = QStringLiteral("bench");
    options.targetImagePoints = n;
    options.forwardOverlap = 0.8;
    options.sideOverlap = 0.4;
    if (!benchSize(table, options, sizeName(n), dataDir)) return 1;
  }
  for (const Shape &shape : shapes) {
    // The simulator's usual overlaps (60 %, 30 %): about 3 image points per object point.
    BaxSimOptions options;
    options.name = QStringLiteral("bench");
    options.strips = shape.strips;
    options.imagesPerStrip = shape.images;
    options.pointsPerImage = shape.points;
    if (!benchSize(table, options, QStringLiteral("%1x%2x%3").arg(shape.strips).arg(shape.images).arg(shape.points),
                   dataDir))
      return 1;
  }
  if (listPoints > 0) {
    PhObjectList objects;
    syntheticObjects(objects, listPoints);
    table.addSize(sizeName(listPoints) + QStringLiteral(" list"), 0);
    table.add(QStringLiteral("object points"), QStringLiteral("count"), QString(), listPoints);
    benchLists(table, nullptr, objects);
    benchObjectView(table, objects, PhImageList());
  }
  table.addNote(QStringLiteral("Medians of %1 runs; sizes are simulated image points, the last column an "
                               "object list built in code.").arg(gRepeat));
  if (gWarnings > 0) table.addNote(QStringLiteral("%1 warnings while measuring (see above).").arg(gWarnings));
  std::fflush(stderr);
  std::fputs(qPrintable(table.text()), stdout);
  if (parser.isSet(jsonOption)) {
    QString error;
    if (!table.writeJson(parser.value(jsonOption), &error)) {
      std::fprintf(stderr, "tessella-bench: %s: %s\n", qPrintable(parser.value(jsonOption)), qPrintable(error));
      return 1;
    }
  }
  return gWarnings > 0 ? 1 : 0;
}
