#include "support/jpeg.h"

#include <fstream>
#include <string_view>

namespace paperkit {

// The placeholder picture, compiled in from assets/bad_picture.jpg.
extern const std::string_view BadPictureJpeg;

bool IsJpegFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char signature[2] = {};
    return in.read(signature, 2) && signature[0] == '\xFF' && signature[1] == '\xD8';
}

bool WriteBadPicture(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(BadPictureJpeg.data(), static_cast<std::streamsize>(BadPictureJpeg.size()));
    out.close();
    return !out.fail();
}

} // namespace paperkit
