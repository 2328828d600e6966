#include "platform/desktop_placement.h"

#include <windows.h>

namespace paperkit {

namespace {

/// The window holding the desktop's icons ("SHELLDLL_DefView"): a child of "Progman", or, once
/// the shell has drawn an animated or changing wallpaper, of one of its "WorkerW" windows.
HWND ShellView() {
    if (HWND progman = FindWindowW(L"Progman", nullptr))
        if (HWND view = FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr))
            return view;
    HWND view = nullptr;
    EnumWindows(
        [](HWND top, LPARAM found) -> BOOL {
            HWND child = FindWindowExW(top, nullptr, L"SHELLDLL_DefView", nullptr);
            if (!child)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&view));
    return view;
}

/// The desktop's icon view: the shell view's list of icons, or the shell view itself.
HWND IconView() {
    HWND view = ShellView();
    if (!view)
        return nullptr;
    HWND icons = FindWindowExW(view, nullptr, L"SysListView32", nullptr);
    return icons ? icons : view;
}

class WindowsPlacement final : public DesktopPlacement {
public:
    void KeepOnDesktop(NativeWindow native, const std::string&) override {
        // The window class is fixed when the window is registered; only the parent is ours to set.
        auto window = reinterpret_cast<HWND>(native);
        if (!window || !IsWindow(window))
            return;
        // A tool window has no taskbar button, unless it also asks for one. The taskbar reads
        // the style when a window is shown, so a visible window is shown once more.
        const bool visible = IsWindowVisible(window) != FALSE;
        if (visible)
            ShowWindow(window, SW_HIDE);
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
        SetWindowLongPtrW(window, GWL_EXSTYLE,
                          (style & ~LONG_PTR{WS_EX_APPWINDOW}) | WS_EX_TOOLWINDOW);
        // As a child of the icon view the window stays under every application window and on
        // every virtual desktop; without a shell it is at least put at the bottom now.
        if (HWND view = IconView())
            SetParent(window, view);
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (visible)
            ShowWindow(window, SW_SHOWNOACTIVATE);
    }
};

} // namespace

std::unique_ptr<DesktopPlacement> CreateDesktopPlacement() {
    return std::make_unique<WindowsPlacement>();
}

} // namespace paperkit
