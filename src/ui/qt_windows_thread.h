#pragma once

#include "app/windows_thread.h"

#include <QObject>

namespace paperkit {

/// The windows' thread of the windowed program: Qt's main thread. Work from the coordinator
/// arrives as queued calls on an object that lives there.
class QtWindowsThread final : public WindowsThread {
public:
    /// Binds to the thread that creates it, which must be the thread running Qt's event loop.
    QtWindowsThread();

    void RunSync(const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
    void ServeUntil(const std::function<bool()>& done) override;

private:
    QObject m_context;
};

} // namespace paperkit
