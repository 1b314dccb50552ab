#ifndef PHINFOTEXTS_H
#define PHINFOTEXTS_H

#include <QString>

// The program's fixed information pages, built from the information keys
// at call time.
QString splashText();
QString historyText();
QString supportText();

// Registers every information key, in the order in which later keys read
// earlier ones.
void registerInformation(const QString &appName);

#endif  // PHINFOTEXTS_H
