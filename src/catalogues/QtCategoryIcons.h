// The category icon images by number (0 the empty icon, 1..5 built in or overridden, 6..99 user
// bitmaps), and the decoding of the "Klcat*.bmp" files.
#pragma once

#include <QPixmap>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

// A 16x16 icon from the bytes of a bitmap file, its bottom-left pixel's colour made transparent;
// nothing when the bytes are not an image.
std::optional<QPixmap> DecodeIconBitmap(const std::string& bytes);
// Whether the bytes decode as an image (the check the icon list uses before copying a file).
bool IsIconBitmap(const std::string& bytes);

class CategoryIcons {
 public:
  CategoryIcons();

  // Rebuilds the images for the category lines: the built-in icons, their overrides, and the
  // bitmaps of the numbers the categories use. A bitmap that cannot be read is reported with its
  // path and " Read Error" ("ERROR") and skipped; loading goes on.
  void Load(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& category_folder,
            const std::vector<std::string>& category_lines);

  // The image of a number; a null pixmap for 0 and for numbers without an image.
  QPixmap Image(int number) const;
  bool Has(int number) const { return images_.count(number) > 0; }

 private:
  std::map<int, QPixmap> images_;
};

}  // namespace kal::catalogues
