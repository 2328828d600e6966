#pragma once

#include <QImage>
#include <QString>

namespace paperkit {

/// The largest picture, in megabytes of decoded pixels, that the program decodes. A header that
/// claims more (a 30000x30000 picture is 3.4 GB) is refused before any memory is taken.
inline constexpr int kPictureAllocationLimitMb = 512;

/// Sets Qt's image allocation limit to kPictureAllocationLimitMb. Called before any picture is
/// read; calling it again is harmless.
void SetPictureAllocationLimit();

/// Reads a JPEG, BMP or PNG picture. A file of any other kind (GIF among them), a damaged or cut
/// off file, or one too large to decode gives a null image and the reason in `error`.
QImage ReadPictureFile(const QString& file, QString* error = nullptr);

/// True when the JPEG data has an end-of-image marker after its first scan; a file cut off in
/// transfer has none. Markers inside the header segments (an embedded thumbnail) do not count.
bool JpegHasEnd(const QByteArray& data);

} // namespace paperkit
