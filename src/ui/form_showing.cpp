#include "ui/form_showing.h"

#include <QApplication>
#include <QWidget>
#include <cstring>

namespace paperkit {

QWidget* ShowingForm(const char* className) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        const char* name = window->metaObject()->className();
        if (const char* colon = std::strrchr(name, ':'))
            name = colon + 1;
        if (std::strcmp(name, className) == 0)
            return window;
    }
    return nullptr;
}

} // namespace paperkit
