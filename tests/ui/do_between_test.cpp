// The windows' mediator against stand-in windows that carry the real windows' class names.
#include "catalog/main_setup_files.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/qtest_main.h"
#include "ui/mediator/ask_yes_no.h"
#include "ui/mediator/do_between.h"

#include <QWidget>
#include <filesystem>
#include <fstream>

namespace fake {

using namespace paperkit;

/// Records what the mediator asks of the main window.
class TFmMain final : public QWidget, public MainWindowSeam {
    Q_OBJECT
public:
    void RefreshLists() override { calls << "RefreshLists"; }
    std::optional<int> SelectedAlbum(AlbumList list) const override {
        return list == AlbumList::Latest ? selectedLatest : selectedDownload;
    }
    void RefreshItem(AlbumList list, int id) override {
        calls << QString("RefreshItem %1 %2").arg(list == AlbumList::Latest ? 1 : 2).arg(id);
    }
    void ShowSubjectInfo(AlbumList list) override {
        calls << QString("ShowSubjectInfo %1").arg(list == AlbumList::Latest ? 1 : 2);
    }
    void ShowNewestDownload() override { calls << "ShowNewestDownload"; }

    QStringList calls;
    std::optional<int> selectedLatest;
    std::optional<int> selectedDownload;
};

class TFmCategorySetup final : public QWidget, public CategorySetupSeam {
    Q_OBJECT
public:
    void FillCategories() override { ++fills; }
    int fills = 0;
};

class TFmPaperList final : public QWidget, public PaperListSeam {
    Q_OBJECT
public:
    void FillList() override { ++fills; }
    int fills = 0;
};

class Navigator final : public NavigatorSeam {
public:
    void SetTimerFromParas() override { ++timerSets; }
    void ShowWallInfo() override { ++infoShows; }
    int timerSets = 0;
    int infoShows = 0;
};

} // namespace fake

namespace paperkit {

namespace {

struct MediatorFixture {
    MediatorFixture() {
        ReceiveFolder = std::filesystem::path(qEnvironmentVariable("XDG_DATA_HOME").toStdString());
        std::filesystem::create_directories(ReceiveFolder);
        for (int id : {1, 2}) {
            auto album = std::make_unique<TWallSubject>();
            album->Id = id;
            auto image = std::make_unique<TWallImage>();
            image->No = 5;
            album->Images.Add(std::move(image));
            (id == 1 ? main.Subjects : main.DSubjects).Add(std::move(album));
        }
        const auto picture = ReceiveFolder / "p.jpg";
        std::ofstream(picture) << "x";
        auto paper = std::make_unique<TWallPaper>();
        paper->Type = '0';
        paper->Id = ReceiveFolder.string();
        main.WallPapers.Add(std::move(paper));
        rotation.LoadWallFiles(main);
        mediator.SetNavigator(&navigator);
        mediator.Fill(events);
    }

    test::FakeWallpaperSetter setter;
    TWallRotation rotation{setter};
    TMainSetupFiles main;
    fake::Navigator navigator;
    TDoBetween mediator{main, rotation};
    CoordinatorEvents events;
};

} // namespace

class DoBetweenTest : public QObject {
    Q_OBJECT
private slots:
    void closedWindowsAreLeftAlone() {
        MediatorFixture f;
        fake::TFmMain hidden; // exists, but is not showing
        Raise(f.events.OnSubjectDownloaded, std::string("1"), 1);
        Raise(f.events.OnImageDownloaded, std::string("2"), 2, 5);
        Raise(f.events.OnCatalogChanged);
        Raise(f.events.OnCatalogLoaded);
        QVERIFY(hidden.calls.isEmpty());
        QCOMPARE(f.navigator.timerSets, 1);
    }

    void subjectRedrawsOnlyTheSelectedAlbum() {
        MediatorFixture f;
        fake::TFmMain main;
        main.show();
        main.selectedLatest = 7;
        Raise(f.events.OnSubjectDownloaded, std::string("1"), 1);
        QVERIFY(main.calls.isEmpty());
        main.selectedLatest = 1;
        Raise(f.events.OnSubjectDownloaded, std::string("1"), 1);
        Raise(f.events.OnSubjectDownloaded, std::string("2"), 1); // not among the downloads
        main.selectedDownload = 2;
        Raise(f.events.OnSubjectDownloaded, std::string("2"), 2);
        QCOMPARE(main.calls, QStringList({"RefreshItem 1 1", "ShowSubjectInfo 1", "RefreshItem 2 2",
                                          "ShowSubjectInfo 2"}));
    }

    void imageRedrawsItsAlbumSelectedOrNot() {
        MediatorFixture f;
        fake::TFmMain main;
        main.show();
        Raise(f.events.OnImageDownloaded, std::string("2"), 2, 5);
        Raise(f.events.OnImageDownloaded, std::string("2"), 2, 6); // no such picture
        Raise(f.events.OnImageDownloaded, std::string("1"), 2, 5); // wrong list
        QCOMPARE(main.calls, QStringList({"RefreshItem 2 2"}));
    }

    void catalogEventsRefillTheShowingDialogs() {
        MediatorFixture f;
        fake::TFmMain main;
        fake::TFmCategorySetup presets;
        fake::TFmPaperList list;
        main.show();
        presets.show();
        list.show();
        Raise(f.events.OnCatalogLoaded);
        Raise(f.events.OnCatalogChanged);
        Raise(f.events.OnSettingsChanged);
        QCOMPARE(main.calls, QStringList({"RefreshLists", "RefreshLists"}));
        QCOMPARE(presets.fills, 1);
        QCOMPARE(list.fills, 1);
        QCOMPARE(f.navigator.timerSets, 2);
    }

    void restoreAppliesAndPositionLostFollowsChange() {
        MediatorFixture f;
        Raise(f.events.OnWallpaperRestore);
        QCOMPARE(f.setter.applied.size(), size_t(1));
        QCOMPARE(f.navigator.infoShows, 1);
        Raise(f.events.OnPositionLost); // automatic change is off
        QCOMPARE(f.setter.applied.size(), size_t(1));
        f.main.WallParas.Change = true;
        Raise(f.events.OnPositionLost);
        QCOMPARE(f.setter.applied.size(), size_t(2));
        QCOMPARE(f.navigator.infoShows, 2);
    }

    void downloadsChangedOpensTheMainWindowOnTheNewestDownload() {
        MediatorFixture f;
        fake::TFmMain* made = nullptr;
        f.mediator.SetMainWindowMaker([&made] {
            made = new fake::TFmMain;
            made->setAttribute(Qt::WA_DeleteOnClose);
            return made;
        });
        Raise(f.events.OnDownloadsChanged);
        QVERIFY(made);
        QVERIFY(made->isVisible());
        QCOMPARE(made->calls, QStringList({"ShowNewestDownload"}));

        fake::TFmMain* first = made;
        made = nullptr;
        Raise(f.events.OnDownloadsChanged); // one is showing: it is refreshed, none is made
        QVERIFY(!made);
        QCOMPARE(first->calls,
                 QStringList({"ShowNewestDownload", "RefreshLists", "ShowNewestDownload"}));
        first->close();
    }

    void askYesNo() {
        QCOMPARE(AskYesNo(""), kAnswerNo);
        SetNextAskYesNoAnswer(kAnswerYes);
        QCOMPARE(AskYesNo("您确认删除该壁纸吗？"), kAnswerYes);
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::DoBetweenTest)
#include "do_between_test.moc"
