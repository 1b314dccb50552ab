#ifndef PHPROJECTINFO_H
#define PHPROJECTINFO_H

#include "phelidedlabel.h"

#include <QScrollArea>
#include <array>

class PhProjectData;
class QLabel;

// The "Info" tab: the files and global results of the open project.
class ProjectInfo : public QScrollArea {
  Q_OBJECT

 public:
  static constexpr int RowCount = 11;

  explicit ProjectInfo(QWidget *parent = nullptr);
  ~ProjectInfo() override;

  void setProjectData(const PhProjectData &data, int iImages, int iObjectPoints);

  QLabel *caption(int iRow) const { return mCaptions[iRow]; }
  PhElidedLabel *value(int iRow) const { return mValues[iRow]; }

 private:
  std::array<QLabel *, RowCount> mCaptions{};
  std::array<PhElidedLabel *, RowCount> mValues{};
};

#endif  // PHPROJECTINFO_H
