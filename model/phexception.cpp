#include "phexception.h"

PhException::PhException(int iErrorNumber, const char *message)
    : mErrorNumber(iErrorNumber), mMessage(QString::fromUtf8(message)) {}

PhException::PhException(int iErrorNumber, const QString &strMessage)
    : mErrorNumber(iErrorNumber), mMessage(strMessage) {}
