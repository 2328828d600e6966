// The settings dialog offscreen: what it loads, what OK stores and in which order, the spin edits,
// the pages and the music buttons.
#include "accessible_names.h"
#include "dialog_fakes.h"
#include "rotation/file_index.h"
#include "support/globals.h"
#include "testsupport/qtest_main.h"
#include "ui/setup/setup_rules.h"
#include "ui/setup/spin_edit.h"
#include "ui/setup/tfm_setup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <memory>

namespace paperkit {

using test::FakeAutostart;
using test::MemorySettingsStore;
using test::RecordingMedia;

namespace {

constexpr std::string_view kDesktop = "Control Panel\\Desktop";

std::filesystem::path DataHome() {
    return std::filesystem::path(qEnvironmentVariable("XDG_DATA_HOME").toStdString());
}

} // namespace

class TFmSetupTest : public QObject {
    Q_OBJECT

    TWallParas paras;
    CommandLines commands;
    MemorySettingsStore store;
    FakeAutostart autoRun;
    RecordingMedia media;
    int reapplied = 0;
    std::string styleWhenReapplied; // "tile/style" as stored when the wallpaper is re-applied
    std::vector<QString> errors;
    QString chosenFolder;

    std::unique_ptr<TFmSetup> Make() {
        SetupSide side{paras,           commands, store, autoRun, media, "/opt/paperkit/paperkit",
                       "/opt/paperkit", {},       {},    {},      {}};
        side.ReapplyWallpaper = [this] {
            ++reapplied;
            styleWhenReapplied = Stored("TileWallpaper") + "/" + Stored("WallpaperStyle");
        };
        side.ChooseFolder = [this](QWidget*) { return chosenFolder; };
        side.ChooseMusicFile = [](QWidget*) { return QStringLiteral("/music/a.mp3"); };
        side.ShowError = [this](QWidget*, const QString& text) { errors.push_back(text); };
        return std::make_unique<TFmSetup>(side);
    }

    void SetStyle(const char* tile, const char* style) {
        store.values.clear();
        if (tile)
            store.WriteString(Hive::CurrentUser, kDesktop, "TileWallpaper", tile);
        if (style)
            store.WriteString(Hive::CurrentUser, kDesktop, "WallpaperStyle", style);
    }
    std::string Stored(const char* name) {
        return store.ReadString(Hive::CurrentUser, kDesktop, name).value_or("(none)");
    }

private slots:
    void init() {
        ReceiveFolder = DataHome() / "Receive";
        std::filesystem::create_directories(ReceiveFolder);
        WriteDownloadDir("");
        paras = TWallParas();
        paras.Hour = 1;
        paras.Minute = 2;
        paras.Second = 3;
        paras.Interval = 5;
        paras.MusicType = '1';
        paras.DownloadPath = "/data/Download/";
        commands.clear();
        store.values.clear();
        autoRun = FakeAutostart();
        media.sent.clear();
        reapplied = 0;
        styleWhenReapplied.clear();
        errors.clear();
    }

    void styleLoadsAndIsWrittenBack_data() {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("written");
        QTest::newRow("stretch") << "0"
                                 << "2" << 1 << "0/2";
        QTest::newRow("tile") << "1"
                              << "0" << 2 << "1/0";
        QTest::newRow("centre") << "0"
                                << "0" << 0 << "0/0";
        QTest::newRow("tile and stretch mixed") << "1"
                                                << "2" << 0 << "0/0";
        QTest::newRow("missing") << ""
                                 << "" << 0 << "0/0";
        QTest::newRow("padded") << " 0"
                                << "2" << 0 << "0/0";
    }
    void styleLoadsAndIsWrittenBack() {
        QFETCH(QString, tile);
        QFETCH(QString, style);
        QFETCH(int, item);
        QFETCH(QString, written);
        if (tile.isEmpty())
            SetStyle(nullptr, nullptr);
        else
            SetStyle(tile.toStdString().c_str(), style.toStdString().c_str());
        auto dialog = Make();
        QCOMPARE(dialog->RdgWallPaperStyle->checkedId(), item);
        dialog->BtnOk->click();
        QCOMPARE(QString::fromStdString(Stored("TileWallpaper") + "/" + Stored("WallpaperStyle")),
                 written);
        QCOMPARE(reapplied, 1);
        // the new style is stored before the wallpaper is applied again, so it shows at once
        QCOMPARE(QString::fromStdString(styleWhenReapplied), written);
    }

    void spinTextIsBroughtIntoRange_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::addColumn<int>("value");
        QTest::newRow("hours 99") << "99" << 0 << 24 << 24;
        QTest::newRow("in range") << "7" << 0 << 24 << 7;
        QTest::newRow("below") << "-3" << 0 << 59 << 0;
        QTest::newRow("interval below") << "1" << 2 << 30 << 2;
        QTest::newRow("not a number") << "abc" << 2 << 30 << 2;
        QTest::newRow("empty") << "" << 0 << 59 << 0;
        QTest::newRow("huge") << "99999999999999999999" << 0 << 24 << 24;
        QTest::newRow("blanks") << " 12 " << 0 << 24 << 12;
    }
    void spinTextIsBroughtIntoRange() {
        QFETCH(QString, text);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        QFETCH(int, value);
        QCOMPARE(SpinValueFromText(text.toStdString(), lowest, highest), value);

        TSpinEdit edit(lowest, highest);
        edit.setValue(highest == 24 ? 3 : lowest + 1);
        edit.show();
        edit.setFocus();
        edit.lineEdit()->selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClicks(&edit, text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &out);
        QCOMPARE(edit.value(), value);
        QCOMPARE(edit.text(), QString::number(value));
    }

    void hoursTypedAsNinetyNineAreStoredAsTwentyFour() {
        auto dialog = Make();
        dialog->EdtChangeHour->lineEdit()->setText(QStringLiteral("99"));
        dialog->BtnOk->click();
        QCOMPARE(paras.Hour, 24);
    }

    void okStoresEveryValueAsTheControlsHoldThem() {
        auto dialog = Make();
        dialog->ChbChangeWall->setChecked(true);
        dialog->EdtChangeHour->setValue(0);
        dialog->EdtChangeMinute->setValue(0);
        dialog->EdtChangeSecond->setValue(3); // below the label's 5 seconds, stored as it is
        dialog->EdtInterval->setValue(12);
        dialog->ChbSpecialStyle->setChecked(true);
        dialog->ChbRecycle->setChecked(true);
        dialog->ChbPlayMusic->setChecked(true);
        dialog->RbMusicDefine->setChecked(true);
        dialog->EdtMusicDefine->setText(QStringLiteral("/music/一.mp3"));
        paras.Option = "keep";
        dialog->BtnOk->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(paras.Change);
        QCOMPARE(paras.Hour * 10000 + paras.Minute * 100 + paras.Second, 3);
        QCOMPARE(paras.Interval, 12);
        QVERIFY(paras.SpecialStyle && paras.PlayRecycle && paras.PlayMusic);
        QCOMPARE(paras.MusicType, '2');
        QCOMPARE(paras.MusicFile, std::string("/music/一.mp3"));
        QCOMPARE(paras.Option, std::string("keep"));
        QCOMPARE(commands, CommandLines{"SetupToDownloadFiles"});
    }

    void cancelWritesNothing() {
        SetStyle("1", "0");
        auto dialog = Make();
        dialog->RdgWallPaperStyle->button(0)->setChecked(true);
        dialog->EdtChangeHour->setValue(9);
        dialog->ChbAutoRun->setChecked(true);
        dialog->BtnCancel->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(paras.Hour, 1);
        QCOMPARE(Stored("TileWallpaper"), std::string("1"));
        QVERIFY(!autoRun.enabled);
        QVERIFY(commands.empty());
        QCOMPARE(reapplied, 0);
        QCOMPARE(media.sent, std::vector<std::string>{"CLOSE bkfilename"});
    }

    void downloadFolder_data() {
        QTest::addColumn<QString>("pending");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("new folder gets its separator") << ""
                                                       << "/pics/new"
                                                       << "/pics/new/"
                                                       << "/pics/new/";
        QTest::newRow("new folder with separator") << ""
                                                   << "/pics/new/"
                                                   << "/pics/new/"
                                                   << "/pics/new/";
        QTest::newRow("current folder withdraws a pending move") << "/pics/old/"
                                                                 << "/data/Download"
                                                                 << "/data/Download/"
                                                                 << "";
        QTest::newRow("blank keeps the current folder") << "/pics/old/"
                                                        << "  "
                                                        << "  "
                                                        << "";
        QTest::newRow("quotes") << ""
                                << "\"/pics/a\"b"
                                << "\"/pics/a\"b/"
                                << "\"/pics/a\"b/";
        // One value per line in the position index: refused with a notice, the pending move kept.
        QTest::newRow("newline") << "/pics/old/"
                                 << "/pics/a\nb"
                                 << "/pics/a\nb/"
                                 << "/pics/old/";
    }
    void downloadFolder() {
        QFETCH(QString, pending);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        WriteDownloadDir(pending.toStdString());
        auto dialog = Make();
        QCOMPARE(dialog->EdtDownloadPath->text(),
                 pending.isEmpty() ? QStringLiteral("/data/Download/") : pending);
        dialog->EdtDownloadPath->setText(typed);
        dialog->BtnOk->click();
        QCOMPARE(dialog->EdtDownloadPath->text(), shown);
        QCOMPARE(QString::fromStdString(ReadDownloadDir()), stored);
        QCOMPARE(errors.size(), std::size_t(typed.contains(QLatin1Char('\n')) ? 1 : 0));
        QCOMPARE(commands.size(), std::size_t(1));
        QCOMPARE(paras.DownloadPath, std::string("/data/Download/")); // moves at the next start
    }

    void browsingPutsTheFolderWithoutSeparator() {
        auto dialog = Make();
        chosenFolder = QStringLiteral("/pics/chosen/");
        dialog->BtnDownloadPath->click();
        QCOMPARE(dialog->EdtDownloadPath->text(), QStringLiteral("/pics/chosen"));
        chosenFolder.clear();
        dialog->BtnDownloadPath->click();
        QCOMPARE(dialog->EdtDownloadPath->text(), QStringLiteral("/pics/chosen"));
    }

    void autostart_data() {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("after");
        QTest::newRow("switched on") << false << true << false << true;
        QTest::newRow("switched off") << true << false << false << false;
        QTest::newRow("cannot be written") << false << true << true << false;
    }
    void autostart() {
        QFETCH(bool, before);
        QFETCH(bool, ticked);
        QFETCH(bool, refuse);
        QFETCH(bool, after);
        autoRun.enabled = before;
        autoRun.refuse = refuse;
        SetStyle("1", "0");
        auto dialog = Make();
        QCOMPARE(dialog->ChbAutoRun->isChecked(), before);
        dialog->ChbAutoRun->setChecked(ticked);
        dialog->EdtChangeHour->setValue(7);
        dialog->EdtDownloadPath->setText(QStringLiteral("/elsewhere"));
        dialog->BtnOk->click();
        QCOMPARE(autoRun.enabled, after);
        // The dialog closes with OK either way.
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        if (refuse) {
            // The rest of OK is skipped: style, folder, settings and command.
            QCOMPARE(errors.size(), std::size_t(1));
            QCOMPARE(Stored("TileWallpaper"), std::string("1"));
            QCOMPARE(reapplied, 0);
            QCOMPARE(ReadDownloadDir(), std::string());
            QCOMPARE(paras.Hour, 1);
            QVERIFY(commands.empty());
        } else {
            QVERIFY(errors.empty());
            QCOMPARE(paras.Hour, 7);
            QCOMPARE(commands.size(), std::size_t(1));
            if (after)
                QCOMPARE(autoRun.program, std::string("/opt/paperkit/paperkit"));
        }
    }

    void musicControlsFollowTheCheckBox() {
        paras.PlayMusic = false;
        paras.MusicType = '2';
        paras.MusicFile = "/music/b.wma";
        auto dialog = Make();
        const QList<QWidget*> music = {dialog->BtnPlayMusic,   dialog->BtnStopMusic,
                                       dialog->RbMusicSys,     dialog->RbMusicDefine,
                                       dialog->EdtMusicDefine, dialog->BtnMusicDefine};
        for (QWidget* w : music)
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        dialog->ChbPlayMusic->click();
        for (QWidget* w : music)
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        dialog->ChbPlayMusic->click();
        QVERIFY(!dialog->RbMusicDefine->isEnabled());
        dialog->BtnOk->click();
        // The greyed-out controls still give their values.
        QVERIFY(!paras.PlayMusic);
        QCOMPARE(paras.MusicType, '2');
        QCOMPARE(paras.MusicFile, std::string("/music/b.wma"));
    }

    void playAndStopSendTheMediaCommands_data() {
        QTest::addColumn<bool>("system");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("open");
        QTest::newRow("default music") << true << "/x.mp3"
                                       << "OPEN \"/opt/paperkit/default.wma\" ALIAS bkfilename";
        QTest::newRow("own file") << false << "/music/a b.mp3"
                                  << "OPEN \"/music/a b.mp3\" ALIAS bkfilename";
        QTest::newRow("own file empty") << false << ""
                                        << "OPEN \"\" ALIAS bkfilename";
    }
    void playAndStopSendTheMediaCommands() {
        QFETCH(bool, system);
        QFETCH(QString, file);
        QFETCH(QString, open);
        paras.PlayMusic = true;
        auto dialog = Make();
        (system ? dialog->RbMusicSys : dialog->RbMusicDefine)->setChecked(true);
        dialog->EdtMusicDefine->setText(file);
        dialog->BtnPlayMusic->click();
        dialog->BtnStopMusic->click();
        QCOMPARE(media.sent, (std::vector<std::string>{open.toStdString(), "PLAY bkfilename FROM 0",
                                                       "CLOSE bkfilename"}));
        dialog->BtnMusicDefine->click();
        QCOMPARE(dialog->EdtMusicDefine->text(), QStringLiteral("/music/a.mp3"));
    }

    void pagesShowOnlyTheSelectedPage() {
        auto dialog = Make();
        dialog->show();
        QCOMPARE(dialog->List->count(), 3);
        QCOMPARE(dialog->List->item(0)->text(), QStringLiteral("基本设置"));
        QCOMPARE(dialog->List->currentRow(), 1);
        QVERIFY(dialog->EdtChangeHour->isVisible());
        QVERIFY(!dialog->EdtDownloadPath->isVisible());
        dialog->List->setCurrentRow(0);
        QVERIFY(dialog->EdtDownloadPath->isVisible());
        QVERIFY(!dialog->EdtChangeHour->isVisible());
        dialog->List->setCurrentRow(2);
        QVERIFY(dialog->EdtInterval->isVisible());
        QVERIFY(!dialog->EdtDownloadPath->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("青鸾画屏设置"));
        QCOMPARE(dialog->size(), QSize(540, 294));
    }

    void everyControlHasAnAccessibleNameOfItsOwn() {
        auto dialog = Make();
        const QString faults = test::AccessibleNameFaults(*dialog);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::TFmSetupTest)
#include "tfm_setup_test.moc"
