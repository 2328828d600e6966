#pragma once

#include <functional>

class QAbstractButton;
class QDialog;

namespace paperkit {

/// The result of a button that does not close its dialog.
inline constexpr int kModalNone = -1;

/// Wires a dialog's button the way every button of our dialogs behaves. The click has already
/// taken the focus (the skin sees to that), so an edit being left has committed and a spin edit
/// has clamped its value. Then the dialog's result becomes the button's own (QDialog::Accepted,
/// QDialog::Rejected, or kModalNone), then the handler runs. A handler that throws is stopped
/// there and does not undo the result. Once the handler is done, a result other than kModalNone
/// closes the dialog with it; the handler keeps the dialog open by setting kModalNone.
void ConnectModalButton(QAbstractButton* button, QDialog* dialog, int result,
                        std::function<void()> handler = {});

} // namespace paperkit
