#include "catalogues/QtCategoryIcons.h"

#include <QImage>

#include "catalogues/Icons.h"
#include "catalogues/QtIconArt.h"

namespace kal::catalogues {

std::optional<QPixmap> DecodeIconBitmap(const std::string& bytes) {
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) ||
      image.isNull())
    return std::nullopt;
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (row[x] == key) row[x] = qRgba(0, 0, 0, 0);
  }
  if (image.width() != kIconSize || image.height() != kIconSize)
    image = image.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return QPixmap::fromImage(image);
}

bool IsIconBitmap(const std::string& bytes) {
  QImage image;
  return image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) &&
         !image.isNull();
}

CategoryIcons::CategoryIcons() {
  for (int n = 1; n <= kBuiltInIconCount; ++n) images_[n] = BuiltInIconPixmap(n);
}

void CategoryIcons::Load(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
                         const std::vector<std::string>& category_lines) {
  images_.clear();
  for (int n = 1; n <= kBuiltInIconCount; ++n) images_[n] = BuiltInIconPixmap(n);
  for (const IconFile& file : IconLoadPlan(fs, category_folder, category_lines)) {
    platform::ReadResult read = fs.Read(file.path);
    std::optional<QPixmap> image;
    if (read.ok()) image = DecodeIconBitmap(read.bytes);
    if (!image) {
      dialogs.Error(IconReadErrorMessage(file.path), kIconReadErrorCaption);
      continue;
    }
    images_[file.number] = *image;
  }
}

QPixmap CategoryIcons::Image(int number) const {
  auto it = images_.find(number);
  return it != images_.end() ? it->second : QPixmap();
}

}  // namespace kal::catalogues
