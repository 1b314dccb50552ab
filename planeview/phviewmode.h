#ifndef PHVIEWMODE_H
#define PHVIEWMODE_H

#include <QMetaType>

// Whether residuals and sigmas are drawn as graphics or written as text.
enum ViewModeE { VM_Graphical = 0, VM_Textual = 1 };

Q_DECLARE_METATYPE(ViewModeE)

#endif  // PHVIEWMODE_H
