#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QWidget>

namespace paperkit::test {

/// What is wrong with the accessible names of the controls inside ROOT: a control a person can
/// reach without a name (a button's text counts as its name), or two controls sharing one, which a
/// screen reader (and a desktop test) cannot tell apart. Empty when all is well.
inline QString AccessibleNameFaults(const QWidget& root) {
    QString faults;
    QMap<QString, QString> owners; // name -> object name of the control holding it
    for (QWidget* w : root.findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        // the parts of a compound control: a spin box's edit, a view's headers and corner button
        if (qobject_cast<QAbstractSpinBox*>(parent) || qobject_cast<QComboBox*>(parent) ||
            qobject_cast<QHeaderView*>(w) ||
            (parent && qobject_cast<QAbstractItemView*>(parent->parentWidget())) ||
            qobject_cast<QAbstractItemView*>(parent))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w) &&
            !qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QComboBox*>(w))
            continue;
        const QString name =
            w->accessibleName().isEmpty() && button ? button->text() : w->accessibleName();
        if (name.isEmpty())
            faults += QStringLiteral("%1 has no name; ").arg(w->objectName());
        else if (owners.contains(name))
            faults += QStringLiteral("%1 and %2 share \"%3\"; ")
                          .arg(owners.value(name), w->objectName(), name);
        else
            owners.insert(name, w->objectName());
    }
    return faults;
}

} // namespace paperkit::test
