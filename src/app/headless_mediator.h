#pragma once

#include "app/coordinator_events.h"

namespace paperkit {

class EventLoop;
class MaximizedWindowProbe;
class ProgressPrinter;
class TWallRotation;
struct TMainSetupFiles;

/// The mediator of the program without windows: it does what needs no window. It restores the
/// wallpaper when the rotation is ready, keeps the change timer in step with the settings, and
/// reports download progress. Lives in the windows' thread.
class HeadlessMediator {
public:
    /// Everything handed in must outlive the mediator.
    HeadlessMediator(EventLoop& loop, TMainSetupFiles& mainSetupFiles, TWallRotation& rotation,
                     MaximizedWindowProbe& probe, ProgressPrinter& progress);
    ~HeadlessMediator();
    HeadlessMediator(const HeadlessMediator&) = delete;
    HeadlessMediator& operator=(const HeadlessMediator&) = delete;

    /// Fills every slot with this mediator's handlers.
    void Fill(CoordinatorEvents& events);

    /// Restarts the change timer from `Change`, `Hour`, `Minute` and `Second` of the settings:
    /// stopped when the change is off or the interval is 0.
    void SetTimerFromParas();
    /// One tick of the change timer: the next wallpaper, unless a maximized window would hide it.
    void ChangeTick();
    /// The running timer's interval in seconds; 0 when it is stopped.
    long TimerSeconds() const { return m_timerSeconds; }

private:
    void ReportSubject(const std::string& kind, int id);
    void ReportImage(const std::string& kind, int id);

    EventLoop& m_loop;
    TMainSetupFiles& m_main;
    TWallRotation& m_rotation;
    MaximizedWindowProbe& m_probe;
    ProgressPrinter& m_progress;
    int m_timer = 0;
    long m_timerSeconds = 0;
};

} // namespace paperkit
