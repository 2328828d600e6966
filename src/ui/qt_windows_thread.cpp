#include "ui/qt_windows_thread.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace paperkit {

QtWindowsThread::QtWindowsThread() = default;

void QtWindowsThread::RunSync(const std::function<void()>& work) {
    if (QThread::currentThread() == m_context.thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(
        &m_context, [&work] { work(); }, Qt::BlockingQueuedConnection);
}

void QtWindowsThread::Post(std::function<void()> work) {
    QMetaObject::invokeMethod(&m_context, std::move(work), Qt::QueuedConnection);
}

void QtWindowsThread::ServeUntil(const std::function<bool()>& done) {
    if (done())
        return;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(10);
    loop.exec();
}

} // namespace paperkit
