#include "platform/desktop_placement.h"

#include <windows.h>

namespace paperkit {

namespace {

/// The desktop's icon view: the "Progman" window, its first child, that child's first child.
HWND IconView() {
    HWND progman = FindWindowW(L"Progman", nullptr);
    HWND first = progman ? GetWindow(progman, GW_CHILD) : nullptr;
    return first ? GetWindow(first, GW_CHILD) : nullptr;
}

class WindowsPlacement final : public DesktopPlacement {
public:
    void KeepOnDesktop(NativeWindow native, const std::string&) override {
        // The window class is fixed when the window is registered; only the parent is ours to set.
        auto window = reinterpret_cast<HWND>(native);
        if (HWND view = IconView())
            SetParent(window, view);
        SetWindowLongPtrW(window, GWL_EXSTYLE,
                          GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    }
};

} // namespace

std::unique_ptr<DesktopPlacement> CreateDesktopPlacement() {
    return std::make_unique<WindowsPlacement>();
}

} // namespace paperkit
