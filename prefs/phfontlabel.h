#ifndef PHFONTLABEL_H
#define PHFONTLABEL_H

#include <QFont>
#include <QString>

// The text a font label shows: "family [style] size".
QString phFontLabelText(const QFont &font);

// The viewers' default text font: Arial, 8 points.
QFont phDefaultTextFont();

#endif  // PHFONTLABEL_H
