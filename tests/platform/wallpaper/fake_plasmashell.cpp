// A stand-in for the Plasma shell on a private session bus: it owns org.kde.plasmashell, answers
// org.kde.PlasmaShell.evaluateScript on /PlasmaShell and appends each script to a log. While the
// file "<log>.locked" exists it answers as Plasma does with locked widgets. It writes the bus
// address to the ready file once it can be called, and ends when its standard input closes.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

class FakeShell : public QDBusVirtualObject {
public:
    explicit FakeShell(QString log) : m_log(std::move(log)) {}

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != "org.kde.PlasmaShell" || message.member() != "evaluateScript")
            return false;
        // Written out before the answer, so the caller finds it as soon as its call returns.
        QFile log(m_log);
        if (log.open(QIODevice::Append)) {
            log.write(message.arguments().value(0).toString().toUtf8());
            log.write("\n--\n");
            log.close();
        }
        if (QFile::exists(m_log + ".locked"))
            connection.send(message.createErrorReply("org.freedesktop.DBus.Error.Failed",
                                                     "Widgets are locked"));
        else
            connection.send(message.createReply(QString()));
        return true;
    }

private:
    QString m_log;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    FakeShell shell(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject("/PlasmaShell", &shell) ||
        !bus.registerService("org.kde.plasmashell"))
        return 1;

    const QString ready = QString::fromLocal8Bit(argv[2]);
    QFile file(ready + ".part");
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(qgetenv("DBUS_SESSION_BUS_ADDRESS"));
    file.close();
    QFile::rename(ready + ".part", ready);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}
