#ifndef PHFIXTURE_H
#define PHFIXTURE_H

#include <QByteArray>
#include <QString>

// Byte-exact BAX records for tests, and a writer of small projects.
namespace PhFixture {

// A nine-character ID field, right-aligned like BAX writes it.
QByteArray id9(int id);

QByteArray imageRecord(int status, const QByteArray &id9Field, double d1, double d2, double d3,
                       double d4, double d5);
QByteArray imageHeader(int imageId);
QByteArray imagePoint(int status, int pointId, double x, double y, double residualX,
                      double residualY, double weight = 1.5);
QByteArray imageEnd();

QByteArray orientation(int imageId, int cameraId, double x0, double y0, double z0,
                       double varianceX0 = 0.04, double varianceY0 = 0.09,
                       double varianceZ0 = 0.16);

QByteArray objectRecord(int code, int id, double d1, double d2, double d3, double d4, double d5,
                        double d6);
QByteArray objectProject(double sigma0, double redundancy, double inversion);
QByteArray objectPoint(int code, int id, double x, double y, double z, double varianceX = 0.01,
                       double varianceY = 0.04, double varianceZ = 0.09);

QByteArray observation(int component, int status, int id, double value, double residual,
                       double sigma);

// The first 9 bytes are the ID text as given (padded with blanks).
QByteArray camera(const QByteArray &idText, double c22, double c23, double c24, double c25);

bool writeFile(const QString &path, const QByteArray &bytes);

// A project of four files (and a camera file when given) in one directory,
// with a project file naming them relative to it.
struct Project {
  QByteArray image;
  QByteArray orientation;
  QByteArray object;
  QByteArray observation;
  QByteArray camera;  // written only when not empty

  // Writes <dir>/<base>.(p) and the data files; returns the project path.
  QString write(const QString &dir, const QString &base = QStringLiteral("blk")) const;
};

// A small consistent project: `images` images (IDs 10, 11, ...) of camera 7,
// each observing the object points 100 .. 100 + pointsPerImage - 1 and one
// lonely point 5000 + i. Point 100 is a full control point (code 500)
// observed in X, Y, Z, point 101 a vertical one (200), the rest new points
// (100). Point 100 of image 10 is a blunder.
Project smallProject(int images, int pointsPerImage);

}  // namespace PhFixture

// The class-wide state of the model put back: the image point index and the
// image table.
void phResetModel();

#endif  // PHFIXTURE_H
