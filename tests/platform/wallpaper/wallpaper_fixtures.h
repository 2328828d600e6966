#pragma once

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace paperkit::test {

/// A picture in four coloured quadrants: red top left, green top right, blue bottom left, white
/// bottom right, so that centred, stretched and tiled layouts show apart.
QImage QuadrantImage(int width = 100, int height = 80);

/// Writes the quadrant picture in this Qt format ("BMP", "JPG", "PNG").
void WriteQuadrantPicture(const std::filesystem::path& path, const char* format);

/// A one-pixel red GIF (Qt reads GIF but does not write it).
void WriteGif(const std::filesystem::path& path);

/// Environment variables set for the life of the object and restored afterwards.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    /// nullptr unsets the variable.
    void Set(const char* name, const char* value);

private:
    struct Saved {
        std::string name;
        bool had;
        std::string value;
    };
    std::vector<Saved> m_saved;
};

} // namespace paperkit::test
