#pragma once

#include <QTimer>
#include <functional>

namespace paperkit {

/// The slideshow's clock: a tick every 500 ms while it is on. Tests hand in one they tick by hand.
class SlideshowTimer {
public:
    static constexpr int kIntervalMs = 500;

    virtual ~SlideshowTimer() = default;
    /// Switching on a timer that is on changes nothing; off and on again starts a new period.
    virtual void SetEnabled(bool on) = 0;
    virtual bool Enabled() const = 0;
    void SetHandler(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void Fire() {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};

/// The real clock, on a QTimer of the windows' thread.
class QtSlideshowTimer final : public SlideshowTimer {
public:
    QtSlideshowTimer() {
        m_timer.setInterval(kIntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Fire(); });
    }
    void SetEnabled(bool on) override {
        if (!on)
            m_timer.stop();
        else if (!m_timer.isActive())
            m_timer.start();
    }
    bool Enabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace paperkit
