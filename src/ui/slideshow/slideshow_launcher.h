#pragma once

#include "catalog/wall_paras.h"
#include "ui/media/media_commands.h"
#include "ui/slideshow/style_source.h"

#include <filesystem>
#include <vector>

class QWidget;

namespace paperkit {

/// Opens the slideshow. The main window and the rotation list dialog call this; tests of those
/// windows hand in a fake.
class SlideshowLauncher {
public:
    virtual ~SlideshowLauncher() = default;
    /// Shows the pictures full screen, in this order, and returns when the slideshow has closed.
    /// An empty list shows nothing.
    virtual void ShowPictures(const std::vector<std::filesystem::path>& pictures,
                              QWidget* parent = nullptr) = 0;
};

/// The real slideshow, TFmShowImage, with the windows' settings.
class FmShowImageLauncher final : public SlideshowLauncher {
public:
    /// `paras` (the windows' settings, read at each showing) and `media` must outlive it.
    FmShowImageLauncher(const TWallParas& paras, MediaCommands& media);

    void ShowPictures(const std::vector<std::filesystem::path>& pictures,
                      QWidget* parent = nullptr) override;

private:
    const TWallParas& m_paras;
    MediaCommands& m_media;
    // one generator for the whole run: each showing goes on with the sequence
    FixedStyleSource m_styles;
};

} // namespace paperkit
