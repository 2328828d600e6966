#include "publish/picture_encoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QString>

namespace paperkit {

namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QImage CoverAndCrop(const QImage& image, PixelSize size) {
    const QImage scaled = image.scaled(size.Width, size.Height, Qt::KeepAspectRatioByExpanding,
                                       Qt::SmoothTransformation);
    const int x = (scaled.width() - size.Width) / 2;
    const int y = (scaled.height() - size.Height) / 2;
    return scaled.copy(x, y, size.Width, size.Height);
}

} // namespace

std::vector<std::string> EncodeJpegSizes(const std::filesystem::path& source,
                                         const std::vector<PixelSize>& sizes, std::string& error) {
    QImageReader reader(ToQString(source));
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString().toStdString();
        return {};
    }
    // JPEG has no alpha: flatten onto white rather than whatever the transparent pixels hold.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
        painter.end();
        image = flat;
    } else {
        image = image.convertToFormat(QImage::Format_RGB32);
    }

    std::vector<std::string> out;
    out.reserve(sizes.size());
    for (PixelSize size : sizes) {
        if (size.Width <= 0 || size.Height <= 0) {
            error = "invalid target size";
            return {};
        }
        const QImage fitted = CoverAndCrop(image, size);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(PublishJpegQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(fitted)) {
            error = writer.errorString().toStdString();
            return {};
        }
        out.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return out;
}

PixelSize PictureSize(const std::filesystem::path& file) {
    QImageReader reader(ToQString(file));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid())
        return {};
    return {size.width(), size.height()};
}

} // namespace paperkit
