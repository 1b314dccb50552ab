#ifndef PHSPLASHPICTURE_H
#define PHSPLASHPICTURE_H

class QPixmap;

// The program's splash picture, 758 x 380 pixels: a tessellated border in
// twelve colours around a light field that carries the splash text.
QPixmap phSplashPicture();

#endif  // PHSPLASHPICTURE_H
