#ifndef PHBALLS_H
#define PHBALLS_H

class QPixmap;

// The 14 x 14 balls that mark accepted points (green) and blunders (red) in
// the project view's object list and the image viewers' tables; built once
// on first use and kept for the run. Null when one could not be built.
const QPixmap *phRedBall();
const QPixmap *phGreenBall();

#endif  // PHBALLS_H
