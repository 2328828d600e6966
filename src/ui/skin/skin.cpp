#include "ui/skin/skin.h"

#include "ui/skin/skin_style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace paperkit {
namespace {

// Blue lists and menus, light buttons and pages. Sizes are device-independent pixels, so the look
// scales whole at 2x. A menu item is 17 pixels of text and 2 of padding above and below: 21, the
// height SkinStyle gives items wherever the style sheet does not draw them.
constexpr const char* kSheet = R"(
QPushButton {
    color: #14325c;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e3edf8);
    border: 1px solid #8fb0d8;
    border-radius: 3px;
    padding: 3px 10px;
    min-height: 17px;
}
QPushButton:hover { background: #f2f8ff; border-color: #4f86c6; }
QPushButton:pressed { background: #d2e3f6; }
QPushButton:focus { border-color: #2f6db5; }
QPushButton:disabled { color: #9aa7b6; background: #f1f3f6; border-color: #c9d3de; }
QTableView, QListView, QTreeView {
    background: #ffffff;
    color: #0a2a66;
    gridline-color: #d4e1f1;
    border: 1px solid #8fb0d8;
    selection-background-color: #3d7fd1;
    selection-color: #ffffff;
}
QMenu {
    background: #f7fbff;
    color: #0a2a66;
    border: 1px solid #4f86c6;
}
QMenu::item { padding: 2px 24px 2px 22px; height: 17px; }
QMenu::item:selected { background: #3d7fd1; color: #ffffff; }
QMenu::item:disabled { color: #9aa7b6; }
QMenu::separator { height: 1px; background: #b7cbe4; margin: 3px 4px; }
QTabWidget::pane { border: 1px solid #8fb0d8; background: #ffffff; top: -1px; }
QTabBar::tab {
    color: #14325c;
    background: #e3edf8;
    border: 1px solid #8fb0d8;
    padding: 4px 14px;
    margin-right: 2px;
}
QTabBar::tab:selected { background: #ffffff; border-bottom-color: #ffffff; font-weight: bold; }
QGroupBox { border: 1px solid #8fb0d8; margin-top: 8px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #14325c; }
)";

} // namespace

void ApplySkin(QApplication& app) {
    app.setStyle(new SkinStyle);
    QFont font;
    // The Song faces first where they exist; otherwise whichever CJK face the desktop has.
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC")});
    font.setPixelSize(12);
    app.setFont(font);

    // A selection stays as visible in a list that lost the focus as in one that has it.
    QPalette palette = app.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    app.setPalette(palette);
    app.setStyleSheet(QString::fromLatin1(kSheet));
}

} // namespace paperkit
