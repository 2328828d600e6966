#pragma once

#include "app/down_http_thread.h"
#include "ui/mediator/window_seams.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>

class QSystemTrayIcon;

namespace paperkit {

class DesktopPlacement;
class GlobalHotkeys;
class MaximizedWindowProbe;
class TFmBk;
class TLinkLabel;
class TPictureButton;
class TWallRotation;
class WallpaperSetter;
struct TMainSetupFiles;

/// What of the program the panel works on; all of it outlives the panel.
struct NavigatorSide {
    TMainSetupFiles& MainSetupFiles;
    TWallRotation& Rotation;
    CommandLines& CommandList;
    WallpaperSetter& Setter;
    MaximizedWindowProbe& Probe;
};

/// The navigator panel: the picture buttons, the info line, the change timer, the tray icon and
/// the hotkeys. It lies over its backdrop and moves with it.
class TFmNavigator final : public QWidget, public NavigatorSeam {
    Q_OBJECT
public:
    /// The hotkeys' ids, in the order they are registered.
    enum Hotkey { HotkeyPrior = 0, HotkeyNext = 1, HotkeyClear = 2 };

    /// `placement` may be nullptr. The backdrop outlives the panel.
    TFmNavigator(TFmBk& backdrop, NavigatorSide side, DesktopPlacement* placement);
    ~TFmNavigator() override;

    void SetTimerFromParas() override;
    void ShowWallInfo() override;

    void ImgPriorTitleClick();
    void ImgPriorClick();
    void ImgNextClick();
    void ImgNextTitleClick();
    void ImgPlayClick();
    void ImgPopupClick();
    void MenuTitleItemClick(int tag);
    void ClearWallpaper();
    /// One tick of the change timer.
    void TimerTimer();
    /// Shows or hides the panel and the backdrop together.
    void SetPanelsVisible(bool visible);
    /// A registered hotkey was pressed.
    void HotkeyPressed(int id);

    /// The main-window button and menu item.
    std::function<void()> OnOpenMainWindow;
    /// `MenuExit`.
    std::function<void()> OnExit;

    /// Adds the tray icon, or, where there is no tray, offers its menu on the panel.
    void AddTrayIcon(const QString& tip);
    void RemoveTrayIcon();
    /// Registers Ctrl+Alt+P, N and C; a key another program holds is left out quietly.
    void RegisterHotkeys(GlobalHotkeys& hotkeys);
    void UnregisterHotkeys();
    /// Stops the change timer for good (shutdown).
    void StopTimer() { m_timer.stop(); }

    const QTimer& Timer() const { return m_timer; }
    QMenu& PopupMenu1() { return m_popupMenu; }
    QMenu& PopMenuTitle() { return m_popMenuTitle; }
    QSystemTrayIcon* TrayIcon() const { return m_tray; }
    TLinkLabel& PutInfo() const { return *m_putInfo; }
    TPictureButton& Picture(const char* name) const { return *m_pictures.at(name); }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Step(void (TWallRotation::*step)());
    void RestartTimer();
    void ShowPlay(bool shown);
    void BuildPopupMenu1();

    TFmBk& m_backdrop;
    NavigatorSide m_side;
    DesktopPlacement* m_placement;
    QTimer m_timer;
    QMenu m_popupMenu;
    QMenu m_popMenuTitle;
    QAction* m_menuNavigator = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    bool m_menuOnPanel = false;
    GlobalHotkeys* m_hotkeys = nullptr;
    TLinkLabel* m_putInfo = nullptr;
    std::map<std::string, TPictureButton*> m_pictures;
    // Where a drag began, on the screen, and the panel's and backdrop's places then. The move
    // follows the pointer's screen position: positions within the panel shift while the window
    // manager is still placing it, and would make the panel stutter or lag behind.
    QPoint m_dragFrom;
    QPoint m_panelFrom;
    QPoint m_backdropFrom;
};

} // namespace paperkit
