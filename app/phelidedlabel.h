#ifndef PHELIDEDLABEL_H
#define PHELIDEDLABEL_H

#include <QLabel>

// A one-line label for long paths: narrower than its text, it shows the text
// cut in the middle, so both the start and the file name stay readable, and
// the whole text as its tool tip. text() is always the whole text.
class PhElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit PhElidedLabel(QWidget *parent = nullptr);

  void setFullText(const QString &text);
  // What the label shows at its current width.
  QString shownText() const;
  bool isElided() const { return shownText() != text(); }

 protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

 private:
  void _updateToolTip();
};

#endif  // PHELIDEDLABEL_H
