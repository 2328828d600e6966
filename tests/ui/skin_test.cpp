// The common look's behaviour that windows rely on.
#include "testsupport/qtest_main.h"
#include "ui/skin/modal_button.h"
#include "ui/skin/skin.h"

#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
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

    void dialogButtonsSetTheResultBeforeTheirHandler() {
        struct Case {
            int result;
            bool throws;
            bool keepOpen;
            int expected;
        };
        const Case cases[] = {
            {QDialog::Accepted, false, false, QDialog::Accepted},
            {QDialog::Rejected, false, false, QDialog::Rejected},
            {QDialog::Accepted, true, false, QDialog::Accepted}, // a failing handler keeps it
            {QDialog::Accepted, false, true, 7},                 // the handler keeps it open
            {kModalNone, false, false, 7},                       // a button without a result
        };
        for (const Case& c : cases) {
            QDialog dialog;
            auto* spin = new QSpinBox(&dialog);
            spin->setRange(20, 50);
            spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
            auto* button = new QPushButton(QStringLiteral("确定"), &dialog);
            button->move(0, 40);
            int seenResult = -1;
            int seenValue = -1;
            ConnectModalButton(button, &dialog, c.result, [&] {
                seenResult = dialog.result();
                seenValue = spin->value();
                if (c.keepOpen)
                    dialog.setResult(kModalNone);
                if (c.throws)
                    throw std::runtime_error("handler failed");
            });
            QTimer::singleShot(0, &dialog, [&] {
                spin->setFocus();
                spin->selectAll();
                QTest::keyClicks(spin, QStringLiteral("3"));
                QTest::mouseClick(button, Qt::LeftButton);
                if (dialog.isVisible())
                    dialog.done(7);
            });
            QCOMPARE(dialog.exec(), c.expected);
            QCOMPARE(seenResult, c.result);
            QCOMPARE(seenValue, 20);
        }
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::SkinTest)
#include "skin_test.moc"
