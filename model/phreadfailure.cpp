#include "phreadfailure.h"

PhReadFailure::PhReadFailure(KindE kind, FileE file, const QString &strPath,
                             const QString &strText, int iErrorNumber)
    : mKind(kind), mFile(file), mPath(strPath), mText(strText), mErrorNumber(iErrorNumber) {}
