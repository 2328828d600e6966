// The common look's behaviour that windows rely on.
#include "testsupport/qtest_main.h"
#include "ui/skin/skin.h"

#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace paperkit {

class SkinTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ApplySkin(*qApp); }

    void menuItemsAre21PixelsHigh() {
        QMenu menu;
        QAction* first = menu.addAction(QStringLiteral("下载该专辑"));
        menu.addSeparator();
        QAction* last = menu.addAction(QStringLiteral("重新或继续下载该专辑"));
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.actionGeometry(first).height(), kMenuItemHeight);
        QCOMPARE(menu.actionGeometry(last).height(), kMenuItemHeight);
        menu.close();
    }

    void theCJKFontAt12Pixels() {
        QCOMPARE(QApplication::font().pixelSize(), 12);
        QVERIFY(QFontMetrics(QApplication::font()).inFont(QChar(0x4E0B))); // 下
    }

    void aClickCommitsTheEditBeforeTheHandlerRuns() {
        QWidget window;
        auto* spin = new QSpinBox(&window);
        spin->setRange(20, 50);
        spin->setValue(30);
        spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        auto* button = new QPushButton(QStringLiteral("确定"), &window);
        button->setFocusPolicy(Qt::NoFocus); // the skin gives every button the focus on a click
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(button);
        int seen = -1;
        QObject::connect(button, &QPushButton::clicked, [&] { seen = spin->value(); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("3"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(seen, 20);
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::SkinTest)
#include "skin_test.moc"
