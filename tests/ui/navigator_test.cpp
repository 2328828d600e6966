// The panel and its backdrop with fake rotation targets: what the user's clicks, the timer and
// the hotkeys do, and the backdrop's place.
#include "catalog/main_setup_files.h"
#include "platform/maximized_window.h"
#include "rotation/file_index.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/qtest_main.h"
#include "ui/bitmap_region.h"
#include "ui/navigator/fm_bk.h"
#include "ui/navigator/fm_navigator.h"
#include "ui/navigator/navigator_logic.h"
#include "ui/navigator/picture_button.h"
#include "ui/svg_picture.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>

namespace paperkit {

namespace {

std::filesystem::path SandboxRoot() {
    return std::filesystem::path(qEnvironmentVariable("XDG_DATA_HOME").toStdString());
}

class FakeProbe final : public MaximizedWindowProbe {
public:
    bool IsMaximizedWindowShowing() override { return maximized; }
    bool maximized = false;
};

/// A catalog of one local folder with three pictures, and the panel over it.
struct PanelFixture {
    PanelFixture() {
        ReceiveFolder = SandboxRoot() / "Receive";
        std::filesystem::create_directories(ReceiveFolder);
        const auto folder = SandboxRoot() / "Pictures";
        std::filesystem::create_directories(folder);
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            std::ofstream(folder / name) << "x";
        auto paper = std::make_unique<TWallPaper>();
        paper->Type = '0';
        paper->Id = folder.string();
        paper->Name = "假期";
        paper->HasSub = 'N';
        main.WallPapers.Add(std::move(paper));
        rotation.LoadWallFiles(main);
        backdrop = std::make_unique<TFmBk>(ScreenSize{1280, 1024}, nullptr);
        navigator = std::make_unique<TFmNavigator>(
            *backdrop, NavigatorSide{main, rotation, commands, setter, probe}, nullptr);
    }

    test::FakeWallpaperSetter setter;
    FakeProbe probe;
    TWallRotation rotation{setter};
    TMainSetupFiles main;
    CommandLines commands;
    std::unique_ptr<TFmBk> backdrop;
    std::unique_ptr<TFmNavigator> navigator;
};

} // namespace

class NavigatorTest : public QObject {
    Q_OBJECT
private slots:
    void picturesAreNamedByTheirHints() {
        PanelFixture f;
        const struct {
            const char* name;
            const char* hint;
            QPoint pos;
        } cases[] = {
            {"ImgPopup", "壁纸列表", {8, 5}},           {"ImgMove", "主界面", {278, 6}},
            {"ImgPriorTitle", "上一个专辑", {92, 30}},  {"ImgPrior", "上一张壁纸", {116, 30}},
            {"ImgPlay", "停止壁纸自动更换", {140, 30}}, {"ImgPlay2", "壁纸自动更换", {140, 30}},
            {"ImgNext", "下一张壁纸", {164, 30}},       {"ImgNextTitle", "下一个专辑", {188, 30}},
        };
        for (const auto& c : cases) {
            TPictureButton& button = f.navigator->Picture(c.name);
            QCOMPARE(button.accessibleName(), QString::fromUtf8(c.hint));
            QCOMPARE(button.toolTip(), QString::fromUtf8(c.hint));
            QCOMPARE(button.geometry(), QRect(c.pos, QSize(19, 19)));
        }
        QCOMPARE(f.navigator->size(), QSize(304, 52));
        QCOMPARE(f.navigator->windowTitle(), QStringLiteral("FmNavigator"));
        QCOMPARE(f.navigator->PutInfo().accessibleName(), QString::fromUtf8(kHomeCaption));
    }

    void manualStepsApplyAndRestartTheTimer() {
        PanelFixture f;
        f.main.WallParas.Change = true;
        f.main.WallParas.Second = 15;
        f.navigator->SetTimerFromParas();
        QVERIFY(f.navigator->Timer().isActive());
        QCOMPARE(f.navigator->Timer().interval(), 15000);

        f.probe.maximized = true; // a maximized window holds back only the timer
        f.navigator->Picture("ImgNext").click();
        QCOMPARE(f.setter.applied.size(), size_t(1));
        QCOMPARE(f.rotation.Position(), 1);
        QVERIFY(f.navigator->Timer().isActive());
        QCOMPARE(f.navigator->PutInfo().Caption(), QStringLiteral("假期"));
        QCOMPARE(f.backdrop->Caption(), QStringLiteral("假期"));
        QVERIFY(f.navigator->PutInfo().Link().isEmpty());

        f.navigator->TimerTimer();
        QCOMPARE(f.setter.applied.size(), size_t(1));
        f.probe.maximized = false;
        f.navigator->TimerTimer();
        QCOMPARE(f.setter.applied.size(), size_t(2));
        QCOMPARE(f.rotation.Position(), 2);

        f.navigator->Picture("ImgPrior").click();
        QCOMPARE(f.rotation.Position(), 1);
        f.navigator->HotkeyPressed(TFmNavigator::HotkeyNext);
        QCOMPARE(f.rotation.Position(), 2);
        f.navigator->HotkeyPressed(TFmNavigator::HotkeyClear);
        QCOMPARE(f.setter.clears, 1);
        QCOMPARE(f.rotation.Position(), 2);
    }

    void timerFollowsTheSettings() {
        PanelFixture f;
        QVERIFY(!f.navigator->Timer().isActive()); // off until the catalog is loaded
        f.main.WallParas.Change = true;
        f.navigator->SetTimerFromParas(); // 0, 0, 0: no ticks
        QVERIFY(!f.navigator->Timer().isActive());
        QVERIFY(f.navigator->Picture("ImgPlay").isVisibleTo(f.navigator.get()));
        f.main.WallParas.Hour = 24;
        f.navigator->SetTimerFromParas();
        QCOMPARE(f.navigator->Timer().interval(), 86'400'000);
        QVERIFY(f.navigator->Timer().isActive());

        // Start/stop flips the setting, the pictures on both windows and the timer, and has the
        // coordinator store the settings.
        f.navigator->Picture("ImgPlay").click();
        QVERIFY(!f.main.WallParas.Change);
        QVERIFY(!f.navigator->Timer().isActive());
        QVERIFY(f.navigator->Picture("ImgPlay2").isVisibleTo(f.navigator.get()));
        QVERIFY(!f.navigator->Picture("ImgPlay").isVisibleTo(f.navigator.get()));
        QVERIFY(f.backdrop->PlayShown());
        f.navigator->Picture("ImgPlay2").click();
        QVERIFY(f.main.WallParas.Change);
        QVERIFY(f.navigator->Timer().isActive());
        QVERIFY(!f.backdrop->PlayShown());
        QCOMPARE(f.commands.size(), size_t(2));
        QCOMPARE(f.commands.front(), std::string("SetupToDownloadFiles"));
    }

    void emptyListChangesNothing() {
        PanelFixture f;
        f.main.WallPapers.Clear();
        f.rotation.LoadWallFiles(f.main);
        f.navigator->ImgNextClick();
        f.navigator->ImgNextTitleClick();
        f.navigator->ImgPopupClick();
        QVERIFY(f.setter.applied.empty());
        QVERIFY(f.navigator->PopMenuTitle().actions().isEmpty());
        QCOMPARE(f.navigator->PutInfo().Caption(), QString::fromUtf8(kHomeCaption));
        QCOMPARE(f.navigator->PutInfo().Link(), QString::fromUtf8(kHomePage));
        f.navigator->PopMenuTitle().close();
    }

    void albumMenuJumpsToItsAlbum() {
        PanelFixture f;
        f.navigator->ImgPopupClick();
        const auto actions = f.navigator->PopMenuTitle().actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->text(), QStringLiteral("[本地壁纸]假期"));
        f.navigator->PopMenuTitle().close();
        f.navigator->Picture("ImgNext").click();
        actions[0]->trigger();
        QCOMPARE(f.rotation.Position(), 0);
        QCOMPARE(f.setter.applied.size(), size_t(2));
        f.navigator->MenuTitleItemClick(99); // a tag outside the list does nothing
        QCOMPARE(f.setter.applied.size(), size_t(2));
    }

    void menuNavigatorHidesBothWindows() {
        PanelFixture f;
        f.backdrop->show();
        f.navigator->show();
        QAction* item = f.navigator->PopupMenu1().findChild<QAction*>("MenuNavigator");
        QVERIFY(item);
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(!f.navigator->isVisible());
        QVERIFY(!f.backdrop->isVisible());
        f.navigator->ImgNextClick(); // a hidden panel still steps
        QCOMPARE(f.setter.applied.size(), size_t(1));
        item->trigger();
        QVERIFY(f.navigator->isVisible() && f.backdrop->isVisible());
        QStringList order;
        for (QAction* action : f.navigator->PopupMenu1().actions())
            order << action->objectName();
        QCOMPARE(order,
                 QStringList({"MenuSetup", "MenuNavigator", "MenuClearWallpaper", "MenuExit"}));
    }

    void withoutATrayThePanelOffersTheTrayMenu() {
        PanelFixture f; // offscreen: no tray
        f.navigator->AddTrayIcon(QStringLiteral("青鸾画屏"));
        f.navigator->AddTrayIcon(QStringLiteral("青鸾画屏"));
        QVERIFY(!f.navigator->TrayIcon());
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
        QApplication::sendEvent(f.navigator.get(), &event);
        QVERIFY(f.navigator->PopupMenu1().isVisible());
        f.navigator->PopupMenu1().close();
    }

    void backdropKeepsItsPlace() {
        ReceiveFolder = SandboxRoot() / "Receive";
        std::filesystem::create_directories(ReceiveFolder);
        std::filesystem::remove(ReceiveFolder / "fileindex.ini");
        {
            TFmBk backdrop(ScreenSize{1280, 1024}, nullptr);
            QCOMPARE(backdrop.pos(), QPoint(966, 912));
            QCOMPARE(backdrop.size(), QSize(304, 52));
            backdrop.move(40, 50);
        }
        const PanelPos stored = ReadPanelPos();
        QCOMPARE(stored.X, 40);
        QCOMPARE(stored.Y, 50);
        {
            TFmBk backdrop(ScreenSize{1280, 1024}, nullptr);
            QCOMPARE(backdrop.pos(), QPoint(40, 50));
        }
        std::ofstream(ReceiveFolder / "fileindex.ini") << "[WallParas]\nX=12abc\nY=\n";
        TFmBk damaged(ScreenSize{800, 600}, nullptr);
        QCOMPARE(damaged.pos(), QPoint(800 - 314, 600 - 112));
    }

    void shapeCutsTheKeyColour() {
        QImage picture(6, 4, QImage::Format_ARGB32);
        picture.fill(qRgb(255, 0, 255));
        picture.setPixel(2, 1, qRgb(1, 2, 3));
        picture.setPixel(3, 1, qRgb(1, 2, 3));
        picture.setPixel(5, 3, qRgb(255, 0, 254)); // one step off the key is kept
        const QRegion shape = ShapeOf(picture);
        QCOMPARE(shape, QRegion(2, 1, 2, 1) + QRegion(5, 3, 1, 1));
        QVERIFY(ShapeOf(QImage()).isEmpty());

        // The panel's own picture keeps its rounded body and drops its corners.
        PanelFixture f;
        SetFormRegion(*f.navigator);
        const QRegion panel = f.navigator->mask();
        QVERIFY(!panel.contains(QPoint(0, 0)));
        QVERIFY(!panel.contains(QPoint(303, 51)));
        QVERIFY(panel.contains(QPoint(152, 26)));
        QVERIFY(panel.contains(QPoint(0, 26)));
    }

    void picturesRenderAndMissingOnesFallBack() {
        InitPictures();
        for (const char* path :
             {":/navigator/pictures/next.svg", ":/pictures/tray.svg", "/no/such/picture.svg"}) {
            for (qreal ratio : {1.0, 2.0}) {
                const QImage image = RenderPicture(path, {19, 19}, ratio).toImage();
                QCOMPARE(image.size(), QSize(19, 19) * ratio);
                bool drawn = false;
                for (int y = 0; y < image.height() && !drawn; ++y)
                    for (int x = 0; x < image.width() && !drawn; ++x)
                        drawn = qAlpha(image.pixel(x, y)) > 0;
                QVERIFY2(drawn, path);
            }
        }
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::NavigatorTest)
#include "navigator_test.moc"
