#include "picture_tree.h"

#include "testsupport/temp_dir.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace paperkit::test {

namespace fs = std::filesystem;

void WritePicture(const fs::path& file, int width, int height, unsigned colour) {
    fs::create_directories(file.parent_path());
    const bool png = file.extension() == ".png";
    QImage image(width, height, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(QColor::fromRgb(colour));
    if (png) {
        for (int x = 0; x < width / 2; ++x)
            image.setPixelColor(x, 0, QColor(0, 0, 0, 0));
    }
    image.save(QString::fromStdString(file.string()), png ? "PNG" : "JPG");
}

void WritePictureTree(const fs::path& root) {
    WriteFile(root / "nature" / "info.txt", "自然 Nature\nHills and sea.\n");
    WriteFile(root / "nature" / "hills" / "info.txt",
              "\xEF\xBB\xBF山丘 Hills\n\n绿色的山丘。\nGreen hills.\n");
    WritePicture(root / "nature" / "hills" / "a.jpg", 320, 200, 0x228833);
    WritePicture(root / "nature" / "hills" / "b.jpg", 200, 320, 0x116622);
    WritePicture(root / "nature" / "hills" / "山 水.png", 300, 300, 0x44aa55);
    WriteFile(root / "nature" / "hills" / "山 水.txt", "山水画\n水墨 ink\n");
    WritePicture(root / "nature" / "sea" / "c.jpg", 320, 240, 0x2244cc);
    WritePicture(root / "nature" / "sea" / "d.png", 320, 240, 0x3355dd);
    WritePicture(root / "city" / "night" / "e.jpg", 320, 240, 0x111122);
}

} // namespace paperkit::test
