#include "ui/setup/spin_edit.h"

#include "ui/setup/setup_rules.h"

#include <QLineEdit>

namespace paperkit {

TSpinEdit::TSpinEdit(int lowest, int highest, QWidget* parent) : QSpinBox(parent) {
    setRange(lowest, highest);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void TSpinEdit::Commit() {
    const int value = SpinValueFromText(lineEdit()->text().toStdString(), minimum(), maximum());
    setValue(value);
    // setValue leaves the text alone when the value did not change
    lineEdit()->setText(textFromValue(value));
}

QValidator::State TSpinEdit::validate(QString& input, int& pos) const {
    // Anything may be typed; leaving the edit brings it into range.
    const QValidator::State state = QSpinBox::validate(input, pos);
    return state == QValidator::Acceptable ? state : QValidator::Intermediate;
}

void TSpinEdit::fixup(QString& input) const {
    input = textFromValue(SpinValueFromText(input.toStdString(), minimum(), maximum()));
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    Commit();
    QSpinBox::focusOutEvent(event);
}

} // namespace paperkit
