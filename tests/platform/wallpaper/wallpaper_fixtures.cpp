#include "wallpaper_fixtures.h"

#include "testsupport/temp_dir.h"

#include <QPainter>
#include <QString>
#include <cstdlib>

namespace paperkit::test {

QImage QuadrantImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = width / 2, h = height / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, width - w, h, Qt::green);
    painter.fillRect(0, h, w, height - h, Qt::blue);
    painter.fillRect(w, h, width - w, height - h, Qt::white);
    painter.end();
    return image;
}

void WriteQuadrantPicture(const std::filesystem::path& path, const char* format) {
    std::filesystem::create_directories(path.parent_path());
    QuadrantImage().save(QString::fromStdString(path.string()), format, 100);
}

void WriteGif(const std::filesystem::path& path) {
    static const unsigned char kGif[] = {'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01,
                                         0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                         0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                         0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(kGif), sizeof kGif));
}

ScopedEnv::~ScopedEnv() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->had)
            setenv(it->name.c_str(), it->value.c_str(), 1);
        else
            unsetenv(it->name.c_str());
    }
}

void ScopedEnv::Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    m_saved.push_back({name, old != nullptr, old ? old : ""});
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

} // namespace paperkit::test
