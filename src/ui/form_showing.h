#pragma once

class QWidget;

namespace paperkit {

/// The program's visible top-level window of this class (its name without namespace, such as
/// "TFmMain"); nullptr when there is none. A window that is not showing does not count.
QWidget* ShowingForm(const char* className);

/// True when a window of this class exists and is visible.
inline bool IsFormShowing(const char* className) {
    return ShowingForm(className) != nullptr;
}

/// The showing window of this class as the interface `Seam` it implements; nullptr when none
/// is showing or it does not implement the interface.
template <typename Seam> Seam* ShowingFormAs(const char* className);

} // namespace paperkit

#include <QWidget>

template <typename Seam> Seam* paperkit::ShowingFormAs(const char* className) {
    return dynamic_cast<Seam*>(ShowingForm(className));
}
