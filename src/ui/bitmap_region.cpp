#include "ui/bitmap_region.h"

#include <vector>

namespace paperkit {

QRegion BitmapToRegion(const QImage& picture, QRgb key) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    // Runs along rows, one pixel high, come out in the band order setRects asks for; the
    // pixels kept are the same as by columns.
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && line[x] == key)
                ++x;
            const int start = x;
            while (x < image.width() && line[x] != key)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

QRegion ShapeOf(const QImage& picture) {
    if (picture.isNull())
        return {};
    return BitmapToRegion(picture, picture.convertToFormat(QImage::Format_ARGB32).pixel(0, 0));
}

} // namespace paperkit
