#include "app/event_loop.h"
#include "app/headless_mediator.h"
#include "app/progress_printer.h"
#include "catalog/main_setup_files.h"
#include "platform/maximized_window.h"
#include "rotation/wall_rotation.h"
#include "support/globals.h"
#include "testsupport/fake_wallpaper_setter.h"
#include "testsupport/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace paperkit {
namespace {

class FakeProbe : public MaximizedWindowProbe {
public:
    bool IsMaximizedWindowShowing() override { return maximized; }
    bool maximized = false;
};

class HeadlessMediatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReceiveFolder = m_dir / "Receive" / "";
        std::filesystem::create_directories(ReceiveFolder);
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            test::WriteFile(m_dir / "pictures" / name, "\xFF\xD8 picture");
        auto entry = std::make_unique<TWallPaper>();
        entry->Type = '0';
        entry->Id = (m_dir / "pictures").string();
        entry->HasSub = 'N';
        m_main.WallPapers.Add(std::move(entry));
        m_rotation.LoadWallFiles(m_main);
        m_mediator.Fill(m_events);
    }

    test::TempDir m_dir;
    EventLoop m_loop;
    TMainSetupFiles m_main;
    test::FakeWallpaperSetter m_setter;
    TWallRotation m_rotation{m_setter};
    FakeProbe m_probe;
    std::ostringstream m_out;
    ProgressPrinter m_progress{m_out, false};
    HeadlessMediator m_mediator{m_loop, m_main, m_rotation, m_probe, m_progress};
    CoordinatorEvents m_events;

    void TearDown() override { ReceiveFolder.clear(); }
};

TEST_F(HeadlessMediatorTest, RestoreAppliesTheStoredPosition) {
    m_rotation.SetPosition(1);
    m_events.OnWallpaperRestore();
    ASSERT_EQ(m_setter.applied.size(), 1u);
    EXPECT_EQ(m_setter.applied[0], m_rotation.Files().Get(1)->FileName);
}

TEST_F(HeadlessMediatorTest, LostPositionRestoresOnlyWhileChanging) {
    m_events.OnPositionLost();
    EXPECT_TRUE(m_setter.applied.empty());
    m_main.WallParas.Change = true;
    m_events.OnPositionLost();
    EXPECT_EQ(m_setter.applied.size(), 1u);
}

TEST_F(HeadlessMediatorTest, TimerFollowsTheSettings) {
    struct Case {
        bool change;
        int hour, minute, second;
        long seconds;
    };
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    for (const Case c : {Case{false, 0, 5, 0, 0}, Case{true, 0, 1, 30, 90},
                         Case{true, 1, 0, 0, 3600}, Case{true, 0, 0, 0, 0},
                         // Damaged settings: each value is held to the dialog's range, so nothing
                         // overflows and nothing wraps round to a change on every pass.
                         Case{true, kMax, 0, 0, 24 * 3600}, Case{true, -1, 0, 3601, 59},
                         Case{true, 0, 90, -5, 59 * 60}, Case{true, kMin, kMin, kMin, 0},
                         Case{true, kMax, kMax, kMax, 24 * 3600 + 59 * 60 + 59}}) {
        m_main.WallParas.Change = c.change;
        m_main.WallParas.Hour = c.hour;
        m_main.WallParas.Minute = c.minute;
        m_main.WallParas.Second = c.second;
        m_events.OnSettingsChanged();
        EXPECT_EQ(m_mediator.TimerSeconds(), c.seconds)
            << c.hour << ":" << c.minute << ":" << c.second;
    }
    m_main.WallParas = {};
    m_main.WallParas.Change = true;
    m_main.WallParas.Second = 7;
    m_events.OnCatalogLoaded();
    EXPECT_EQ(m_mediator.TimerSeconds(), 7);
}

TEST_F(HeadlessMediatorTest, TickSkipsWhileAWindowIsMaximized) {
    m_probe.maximized = true;
    m_mediator.ChangeTick();
    EXPECT_TRUE(m_setter.applied.empty());
    m_probe.maximized = false;
    m_mediator.ChangeTick();
    EXPECT_EQ(m_setter.applied.size(), 1u);
}

TEST_F(HeadlessMediatorTest, ImageEventsReportTheAlbumsProgress) {
    auto subject = std::make_unique<TWallSubject>();
    subject->Id = 7;
    subject->Desc = "海边";
    for (int no = 1; no <= 2; ++no) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        subject->Images.Add(std::move(image));
    }
    m_main.Subjects.Add(std::move(subject));
    m_main.Subjects.FindImage(7, 1)->Downloaded = true;
    m_events.OnImageDownloaded("1", 7, 1);
    m_events.OnImageDownloaded("2", 7, 1); // not in the downloads list
    EXPECT_EQ(m_out.str(), "海边: 1/2 pictures\n");
}

} // namespace
} // namespace paperkit
