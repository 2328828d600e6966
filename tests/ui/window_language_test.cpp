// The windows in both languages: the same window built under the Chinese choice shows the source
// texts, under the English choice the built-in translation, accessible names included; and in
// English nothing in the main window or the settings dialog is cut off at their default sizes.
#include "album_fixture.h"
#include "dialogs/dialog_fakes.h"
#include "testsupport/qtest_main.h"
#include "ui/categories/tfm_category_setup.h"
#include "ui/mainwindow/tfm_main.h"
#include "ui/paperlist/tfm_self_path.h"
#include "ui/setup/tfm_setup.h"
#include "ui/skin/skin.h"
#include "ui/translations/interface_language.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTableView>
#include <memory>
#include <utility>

namespace paperkit {

using test::AlbumFixture;
using test::FakeAutostart;
using test::MemorySettingsStore;
using test::RecordingMedia;

namespace {

/// The visible labels and buttons of the window narrower than their text needs, with both widths.
QStringList CutOff(QWidget& window) {
    QStringList cut;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->wordWrap())
                continue; // a wrapping label gives its text more lines, not more width
            text = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            text = button->text();
        } else {
            continue;
        }
        if (text.isEmpty())
            continue;
        const int needed = widget->sizeHint().width();
        if (widget->width() < needed)
            cut << QStringLiteral("%1 \"%2\": %3 < %4")
                       .arg(widget->objectName(), text)
                       .arg(widget->width())
                       .arg(needed);
    }
    return cut;
}

} // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

    TWallParas paras;
    CommandLines commands;
    MemorySettingsStore store;
    FakeAutostart autoRun;
    RecordingMedia media;

    std::unique_ptr<TFmSetup> MakeSetup() {
        SetupSide side{paras,           commands, store, autoRun, media, "/opt/paperkit/paperkit",
                       "/opt/paperkit", {},       {},    {},      {}};
        return std::make_unique<TFmSetup>(side);
    }

    std::unique_ptr<TFmMain> MakeMain(AlbumFixture& fx) {
        TFmMainServices services;
        services.Language = TLanguage(1033);
        services.Screen = {1024, 768, 1024, 768};
        return std::make_unique<TFmMain>(fx.Setup, commands, std::move(services));
    }

private slots:
    void initTestCase() { ApplySkin(*qApp); }
    void cleanup() { UseEnglishTexts(*qApp, false); }

    void TheSettingsDialogInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts"); // title, OK, first page, autostart, music file path
        QTest::newRow("Chinese") << false
                                 << QStringList{"青鸾画屏设置", "确定", "基本设置",
                                                "启动 Windows 时自动启动青鸾画屏",
                                                "自定义音乐文件路径"};
        QTest::newRow("English") << true
                                 << QStringList{"PaperKit Settings", "OK", "General",
                                                "Start PaperKit when I log in", "Music file path"};
    }
    void TheSettingsDialogInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        QVERIFY(UseEnglishTexts(*qApp, english));
        const auto dialog = MakeSetup();
        QCOMPARE(dialog->windowTitle(), texts[0]);
        QCOMPARE(dialog->BtnOk->text(), texts[1]);
        QCOMPARE(dialog->BtnOk->accessibleName(), texts[1]);
        QCOMPARE(dialog->List->item(0)->text(), texts[2]);
        QCOMPARE(dialog->ChbAutoRun->text(), texts[3]);
        QCOMPARE(dialog->ChbAutoRun->accessibleName(), texts[3]);
        QCOMPARE(dialog->EdtMusicDefine->accessibleName(), texts[4]);
    }

    void TheMainWindowInBothLanguages_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("texts"); // first tab, settings button, ad, row state
        QTest::newRow("Chinese") << false
                                 << QStringList{"最新更新", "设置",
                                                "领先的桌面壁纸管理工具：青鸾画屏", "下载 "};
        QTest::newRow("English") << true
                                 << QStringList{"Latest updates", "Settings",
                                                "PaperKit: the leading desktop wallpaper manager",
                                                "Downloading "};
    }
    void TheMainWindowInBothLanguages() {
        QFETCH(bool, english);
        QFETCH(QStringList, texts);
        QVERIFY(UseEnglishTexts(*qApp, english));
        AlbumFixture fx;
        fx.AddNew(AlbumFixture::MakeAlbum(1, 40, 12)).Download = true;
        const auto window = MakeMain(fx);
        QCOMPARE(window->PageMain->tabText(0), texts[0]);
        QCOMPARE(window->BtnSetup->text(), texts[1]);
        QCOMPARE(window->BtnSetup->accessibleName(), texts[1]);
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("PutAd"))->text(), texts[2]);
        const QModelIndex state = window->ListTitle->model()->index(0, 0);
        QVERIFY2(state.data(Qt::AccessibleDescriptionRole).toString().startsWith(texts[3]),
                 qPrintable(state.data(Qt::AccessibleDescriptionRole).toString()));
    }

    void NothingIsCutOffInEnglish() {
        QVERIFY(UseEnglishTexts(*qApp, true));
        AlbumFixture fx;
        fx.AddNew(AlbumFixture::MakeAlbum(1, 40, 12, "1024x768,1280x800,1600x1200"));
        const auto window = MakeMain(fx);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (int page : {0, 1}) {
            window->PageMain->setCurrentIndex(page);
            const QStringList cut = CutOff(*window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        }

        const auto dialog = MakeSetup();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        for (int page = 0; page < dialog->List->count(); ++page) {
            dialog->List->setCurrentRow(page);
            QCoreApplication::processEvents();
            const QStringList cut = CutOff(*dialog);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        }
        // The settings dialog grows for the English texts only as far as a small screen allows.
        QVERIFY2(dialog->width() <= 800, qPrintable(QString::number(dialog->width())));
    }

    // The smaller dialogs are laid out: they grow for their English, and still fit a small screen.
    void TheOtherDialogsHoldTheirEnglish() {
        QVERIFY(UseEnglishTexts(*qApp, true));
        AlbumFixture fx;
        TFmCategorySetup categories(fx.Setup.Categorys, commands);
        TFmSelfPath folder;
        const std::pair<QDialog*, QString> dialogs[] = {
            {&categories, QStringLiteral("Album categories")},
            {&folder, QStringLiteral("Add a local folder")}};
        for (const auto& [dialog, title] : dialogs) {
            QCOMPARE(dialog->windowTitle(), title);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            const QStringList cut = CutOff(*dialog);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
            QVERIFY2(dialog->width() <= 800, qPrintable(QString::number(dialog->width())));
            dialog->hide();
        }
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::WindowLanguageTest)
#include "window_language_test.moc"
