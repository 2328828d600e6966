#include "ui/slideshow/slideshow_launcher.h"

#include "ui/slideshow/fm_show_image.h"

namespace paperkit {

FmShowImageLauncher::FmShowImageLauncher(const TWallParas& paras, MediaCommands& media)
    : m_paras(paras), m_media(media) {}

void FmShowImageLauncher::ShowPictures(const std::vector<std::filesystem::path>& pictures,
                                       QWidget* parent) {
    if (pictures.empty())
        return;
    TFmShowImage form(m_paras, SlideshowServices{m_media, m_styles, nullptr, {}}, parent);
    for (const auto& picture : pictures) {
        const auto text = picture.u8string();
        form.Paths().append(QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                                              static_cast<qsizetype>(text.size())));
    }
    form.exec();
}

} // namespace paperkit
