#pragma once

#include "platform/screen.h"

#include <QWidget>

namespace paperkit {

class DesktopPlacement;

/// The backdrop under the navigator panel: the same pictures and info line at a stronger
/// opacity, taking no input. It keeps the panel's place: read from "fileindex.ini" when it is
/// made, written back when it goes.
class TFmBk final : public QWidget {
    Q_OBJECT
public:
    /// `placement` may be nullptr (no desktop to sit on) and must outlive the window.
    TFmBk(ScreenSize screen, DesktopPlacement* placement);
    ~TFmBk() override;

    void SetCaption(const QString& caption);
    QString Caption() const { return m_caption; }
    /// Shows `ImgPlay2` (start) over `ImgPlay` (stop).
    void SetPlayShown(bool shown);
    bool PlayShown() const { return m_playShown; }
    /// Cuts the window to its picture (SetFormRegion).
    void Reshape();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    DesktopPlacement* m_placement;
    QString m_caption;
    bool m_playShown = false;
};

/// Cuts a window to the part of its own rendered picture that differs from the top-left pixel.
void SetFormRegion(QWidget& window);

/// Puts a shown window on the desktop: below the others, on every workspace, with no taskbar
/// entry, and with opacity where a compositor can show it.
void PlaceOnDesktop(QWidget& window, DesktopPlacement* placement, const char* className,
                    int opacity);

} // namespace paperkit
