#pragma once

#include <QSpinBox>

namespace paperkit {

/// A spin edit that takes any typed text and, when it loses the focus (or `Commit` is called),
/// brings it into its bounds; text that is not a number reads as the lower bound.
class TSpinEdit final : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int lowest, int highest, QWidget* parent = nullptr);

    /// The edit the text is typed into.
    using QSpinBox::lineEdit;

    /// Takes the typed text as the value now.
    void Commit();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace paperkit
