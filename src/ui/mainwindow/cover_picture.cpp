#include "ui/mainwindow/cover_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace paperkit {

QImage LoadCoverPicture(const std::filesystem::path& file) {
    QFile input(QString::fromStdString(file.string()));
    // Covers are small; a file far beyond any cover is not one.
    if (!input.open(QIODevice::ReadOnly) || input.size() > 16 * 1024 * 1024)
        return {};
    QByteArray bytes = input.readAll();
    // The JPEG decoder fills a picture cut short with grey and calls it a success; a whole JPEG
    // file ends with its end-of-image marker.
    if (bytes.startsWith("\xFF\xD8")) {
        while (!bytes.isEmpty() && (bytes.back() == '\0' || bytes.back() == '\n' ||
                                    bytes.back() == '\r' || bytes.back() == ' '))
            bytes.chop(1);
        if (!bytes.endsWith("\xFF\xD9"))
            return {};
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage BlankCover() {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace paperkit
