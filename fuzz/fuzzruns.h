#ifndef FUZZRUNS_H
#define FUZZRUNS_H

#include <QByteArray>
#include <QList>

// One run of a reader on fuzzed bytes, with the checks of its outcome: a
// clean failure (the reader's own message or exception) or a model that
// holds together. Any other outcome aborts.
namespace Fuzz {

void runImageFiles(const QByteArray &imageBytes, const QByteArray &orientationBytes);
void runObjectFiles(const QByteArray &objectBytes, const QByteArray &observationBytes);
void runCameraFile(const QByteArray &cameraBytes);
// Pieces: image, orientation, object, observation and camera file, read
// through the fixed project file.
void runProject(const QList<QByteArray> &pieces);
// The project file's text, parsed, then read with the fixed result files
// when every name it gives stays inside the scratch folder.
void runProjectFile(const QByteArray &projectBytes);
void runIniFile(const QByteArray &iniBytes);
void runCfgFile(const QByteArray &cfgBytes);

}  // namespace Fuzz

#endif  // FUZZRUNS_H
