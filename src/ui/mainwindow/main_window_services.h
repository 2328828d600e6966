#pragma once

#include "catalog/size_table.h"
#include "support/language.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace paperkit {

/// What the main window calls out to. Any seam may stay empty: its button then does nothing (a
/// question left unanswered counts as No). Tests fill them with fakes so that nothing blocks.
struct TFmMainServices {
    /// The full-screen slideshow over these pictures, modal.
    std::function<void(const std::vector<std::filesystem::path>& paths)> ShowSlideshow;
    /// The category presets dialog, modal.
    std::function<void(QWidget* parent)> ShowCategorySetup;
    /// The rotation list dialog, modal; true when it closed with OK.
    std::function<bool(QWidget* parent)> ShowWallPaperList;
    /// The settings dialog, modal.
    std::function<void(QWidget* parent)> ShowSetup;
    /// A Yes/No question titled with the product name; true for Yes.
    std::function<bool(const std::string& question)> AskYesNo;
    /// Opens a link with the desktop's default handler.
    std::function<void(const std::string& url)> OpenUrl;
    /// Lets the user choose existing files, several at once, with this filter; empty when the
    /// user cancelled.
    std::function<std::vector<std::string>(QWidget* parent, const QString& filter)> ChooseFiles;
    /// A random number from 0 to bound - 1.
    std::function<int(int bound)> Random;
    /// The screen that picture sizes are chosen for.
    ScreenGeometry Screen;
    /// The interface texts that belong to no window.
    TLanguage Language;
};

/// The services of the desktop: message boxes, the file dialog, the desktop's link handler, the
/// primary screen. The dialogs' seams stay empty until their windows are given.
TFmMainServices DesktopMainServices();

} // namespace paperkit
