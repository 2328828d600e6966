#include "app/headless_mediator.h"

#include "app/change_interval.h"
#include "app/event_loop.h"
#include "app/progress_printer.h"
#include "catalog/main_setup_files.h"
#include "platform/maximized_window.h"
#include "rotation/wall_rotation.h"

#include <chrono>

namespace paperkit {

HeadlessMediator::HeadlessMediator(EventLoop& loop, TMainSetupFiles& mainSetupFiles,
                                   TWallRotation& rotation, MaximizedWindowProbe& probe,
                                   ProgressPrinter& progress)
    : m_loop(loop), m_main(mainSetupFiles), m_rotation(rotation), m_probe(probe),
      m_progress(progress) {}

HeadlessMediator::~HeadlessMediator() {
    if (m_timer)
        m_loop.StopTimer(m_timer);
}

void HeadlessMediator::Fill(CoordinatorEvents& events) {
    events.OnCatalogLoaded = [this] { SetTimerFromParas(); };
    events.OnSettingsChanged = [this] { SetTimerFromParas(); };
    events.OnSubjectDownloaded = [this](const std::string& kind, int id) {
        ReportSubject(kind, id);
    };
    events.OnImageDownloaded = [this](const std::string& kind, int id, int) {
        ReportImage(kind, id);
    };
    events.OnCatalogChanged = [this] {
        m_progress.Note("Catalog updated: " + std::to_string(m_main.Subjects.Count()) +
                        " latest albums");
    };
    events.OnWallpaperRestore = [this] { m_rotation.ShowWallpaper(); };
    events.OnPositionLost = [this] {
        if (m_main.WallParas.Change)
            m_rotation.ShowWallpaper();
    };
    events.OnDownloadsChanged = [this] {
        if (const auto* last = m_main.DSubjects.Get(m_main.DSubjects.Count() - 1))
            m_progress.Note("Taken in: " + last->Desc);
    };
}

void HeadlessMediator::SetTimerFromParas() {
    if (m_timer)
        m_loop.StopTimer(m_timer);
    m_timer = 0;
    m_timerSeconds = 0;
    const auto interval = ChangeInterval(m_main.WallParas);
    if (interval.count() <= 0)
        return;
    m_timerSeconds = static_cast<long>(interval.count() / 1000);
    m_timer = m_loop.StartTimer(interval, [this] { ChangeTick(); });
}

void HeadlessMediator::ChangeTick() {
    if (m_probe.IsMaximizedWindowShowing())
        return;
    m_rotation.NextWallpaper();
}

void HeadlessMediator::ReportSubject(const std::string& kind, int id) {
    const auto& list = kind == "2" ? m_main.DSubjects : m_main.Subjects;
    int done = 0;
    for (const auto& subject : list)
        done += subject.Downloaded ? 1 : 0;
    const auto* subject = list.Find(id);
    if (!subject)
        return;
    const std::string what = kind == "2" ? "Download covers" : "Covers";
    m_progress.Show("covers" + kind,
                    what + ": " + std::to_string(done) + "/" + std::to_string(list.Count()),
                    done == list.Count());
}

void HeadlessMediator::ReportImage(const std::string& kind, int id) {
    const auto& list = kind == "2" ? m_main.DSubjects : m_main.Subjects;
    const auto* subject = list.Find(id);
    if (!subject)
        return;
    int done = 0;
    for (const auto& image : subject->Images)
        done += image.Downloaded ? 1 : 0;
    const int total = subject->Images.Count();
    m_progress.Show(kind + ":" + std::to_string(id),
                    subject->Desc + ": " + std::to_string(done) + "/" + std::to_string(total) +
                        " pictures",
                    done == total);
}

} // namespace paperkit
