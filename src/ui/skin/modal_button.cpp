#include "ui/skin/modal_button.h"

#include <QAbstractButton>
#include <QDialog>
#include <QPointer>
#include <exception>

namespace paperkit {

void ConnectModalButton(QAbstractButton* button, QDialog* dialog, int result,
                        std::function<void()> handler) {
    QObject::connect(button, &QAbstractButton::clicked, dialog,
                     [dialog = QPointer<QDialog>(dialog), result, handler = std::move(handler)] {
                         if (!dialog)
                             return;
                         dialog->setResult(result);
                         if (handler) {
                             try {
                                 handler();
                             } catch (const std::exception&) {
                                 // The user's choice stands; what failed is the handler's part.
                             } catch (...) {
                             }
                         }
                         if (dialog && dialog->result() != kModalNone)
                             dialog->done(dialog->result());
                     });
}

} // namespace paperkit
