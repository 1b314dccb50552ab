#include "phdensitymap.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "phcolourmap.h"

bool PhDensityMap::crowded(const std::vector<QPoint> &positions, const QSize &contents, int symbolSize) {
  const double area = double(contents.width()) * contents.height();
  const double covered = double(positions.size()) * symbolSize * symbolSize;
  if (positions.size() < 2 || area <= 0.0 || covered <= area) return false;
  if (!mValid) {
    // The most points on one pixel, once per layout: the pixels sorted.
    mValid = true;
    mMost = 1;
    std::vector<quint64> keys;
    keys.reserve(positions.size());
    for (const QPoint &p : positions) keys.push_back((quint64(quint32(p.y())) << 32) | quint32(p.x()));
    std::sort(keys.begin(), keys.end());
    int run = 1;
    for (std::size_t i = 1; i < keys.size(); ++i) {
      run = keys[i] == keys[i - 1] ? run + 1 : 1;
      mMost = std::max(mMost, run);
    }
  }
  return mMost > 1;
}

double PhDensityMap::position(int count, int most) {
  if (most <= 1) return 1.0;
  return std::clamp(std::log(double(count)) / std::log(double(most)), 0.0, 1.0);
}

void PhDensityMap::begin(const QRect &exposed) {
  mArea = exposed;
  mCounts.assign(std::size_t(std::max(0, exposed.width())) * std::size_t(std::max(0, exposed.height())), 0u);
}

void PhDensityMap::end(QPainter *painter) {
  if (mArea.isEmpty()) return;
  if (mImage.size() != mArea.size()) mImage = QImage(mArea.size(), QImage::Format_ARGB32_Premultiplied);
  // One colour per count, looked up once.
  std::vector<QRgb> colour(std::size_t(std::min(mMost, 4096)) + 1, 0u);
  for (std::size_t c = 1; c < colour.size(); ++c) colour[c] = PhColourMap::at(position(int(c), mMost)).rgba();
  const int w = mArea.width();
  for (int y = 0; y < mArea.height(); ++y) {
    QRgb *line = reinterpret_cast<QRgb *>(mImage.scanLine(y));
    const quint32 *count = mCounts.data() + std::size_t(y) * std::size_t(w);
    for (int x = 0; x < w; ++x) {
      const quint32 c = count[x];
      line[x] = c == 0 ? 0u : c < colour.size() ? colour[c] : PhColourMap::at(position(int(c), mMost)).rgba();
    }
  }
  painter->drawImage(mArea.topLeft(), mImage);
}
