#pragma once

#include "ui/mediator/window_seams.h"

#include <QWidget>

namespace paperkit {

/// The main window. For now it is only its frame: the right title and size, found and driven by
/// the mediator like the full window will be.
class TFmMain final : public QWidget, public MainWindowSeam {
    Q_OBJECT
public:
    TFmMain();

    void RefreshLists() override {}
    std::optional<int> SelectedAlbum(AlbumList) const override { return std::nullopt; }
    void RefreshItem(AlbumList, int) override {}
    void ShowSubjectInfo(AlbumList) override {}
    void ShowNewestDownload() override {}
};

} // namespace paperkit
