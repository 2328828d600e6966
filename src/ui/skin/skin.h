#pragma once

class QApplication;

namespace paperkit {

/// Puts the program's common look on the application: a CJK font at 12 pixels, light buttons, a
/// blue list and menu style with menu items 21 pixels high, and buttons that take the focus when
/// pressed. Every window made afterwards wears it; the navigator panel paints itself.
void ApplySkin(QApplication& app);

/// The height of one popup menu item, in device-independent pixels.
inline constexpr int kMenuItemHeight = 21;

} // namespace paperkit
