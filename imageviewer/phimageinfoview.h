#ifndef PHIMAGEINFOVIEW_H
#define PHIMAGEINFOVIEW_H

#include <QWidget>

class PhImage;
class QLabel;

// The info page of an image viewer: the image's ID, camera, number of
// points and its projection centre with the sigmas.
class PhImageInfoView : public QWidget {
  Q_OBJECT

 public:
  explicit PhImageInfoView(QWidget *parent = nullptr);
  ~PhImageInfoView() override;

  // Fills the page from the image; null empties it.
  void fill(const PhImage *image);

  // The value labels: 0 image ID, 1 camera ID, 2 number of points, 3..5 X, Y,
  // Z of the projection centre, 6..8 their sigmas.
  QLabel *value(int i) const;

 private:
  void setValue(int i, const QString &text);

  static constexpr int ValueCount = 9;
  QLabel *mValues[ValueCount] = {};
};

#endif  // PHIMAGEINFOVIEW_H
