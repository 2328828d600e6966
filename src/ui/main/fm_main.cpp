#include "ui/main/fm_main.h"

#include <QLabel>
#include <QVBoxLayout>

namespace paperkit {

TFmMain::TFmMain() {
    setAttribute(Qt::WA_DeleteOnClose); // the next request makes a new one
    setWindowTitle(QStringLiteral("青鸾画屏 v2011c.12rc9"));
    setFixedSize(766, 584);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("青鸾画屏"), this);
    note->setAlignment(Qt::AlignCenter);
    note->setAccessibleName(note->text());
    layout->addWidget(note);
}

} // namespace paperkit
