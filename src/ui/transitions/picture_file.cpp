#include "ui/transitions/picture_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace paperkit {

namespace {

// Pictures larger than this on disk are not pictures a wallpaper album holds.
constexpr qint64 kMaxFileBytes = 256ll * 1024 * 1024;

QImage Fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return {};
}

} // namespace

void SetPictureAllocationLimit() {
    QImageReader::setAllocationLimit(kPictureAllocationLimitMb);
}

bool JpegHasEnd(const QByteArray& data) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype size = data.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return false;
    // walk the header segments by their lengths up to the first start of scan
    qsizetype i = 2;
    while (true) {
        while (i < size && bytes[i] == 0xFF && i + 1 < size && bytes[i + 1] == 0xFF)
            ++i; // fill bytes
        if (i + 4 > size || bytes[i] != 0xFF)
            return false;
        const unsigned char marker = bytes[i + 1];
        const qsizetype length = (qsizetype(bytes[i + 2]) << 8) | bytes[i + 3];
        if (length < 2)
            return false;
        i += 2 + length;
        if (marker == 0xDA)
            break;
    }
    for (qsizetype j = size - 2; j >= i; --j)
        if (bytes[j] == 0xFF && bytes[j + 1] == 0xD9)
            return true;
    return false;
}

QImage ReadPictureFile(const QString& file, QString* error) {
    SetPictureAllocationLimit();
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("cannot open the file"));
    if (input.size() > kMaxFileBytes)
        return Fail(error, QStringLiteral("the file is too large"));
    const QByteArray data = input.readAll();
    if (data.isEmpty())
        return Fail(error, QStringLiteral("the file is empty"));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "bmp" && format != "png")
        return Fail(error, QStringLiteral("not a JPEG, BMP or PNG picture"));
    if (format == "jpeg" && !JpegHasEnd(data))
        return Fail(error, QStringLiteral("the JPEG data is cut off"));
    const QSize size = reader.size();
    if (!size.isValid() ||
        qint64(size.width()) * size.height() * 4 > qint64(kPictureAllocationLimitMb) * 1024 * 1024)
        return Fail(error, QStringLiteral("the picture is too large"));
    QImage picture = reader.read();
    if (picture.isNull())
        return Fail(error, reader.errorString());
    return picture;
}

} // namespace paperkit
