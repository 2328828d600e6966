#include "testsupport/qtest_main.h"
#include "ui/media/media_command_text.h"
#include "ui/media/qt_media_commands.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

using namespace paperkit;

namespace {

// A mono 16-bit PCM tone of the given length.
QByteArray Wave(double seconds) {
    const int rate = 22050;
    const int samples = static_cast<int>(seconds * rate);
    QByteArray data(44 + samples * 2, '\0');
    auto put32 = [&data](int at, quint32 v) { qToLittleEndian(v, data.data() + at); };
    auto put16 = [&data](int at, quint16 v) { qToLittleEndian(v, data.data() + at); };
    data.replace(0, 4, "RIFF");
    put32(4, 36 + samples * 2);
    data.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    data.replace(36, 4, "data");
    put32(40, samples * 2);
    for (int i = 0; i < samples; ++i)
        put16(44 + 2 * i, static_cast<quint16>(static_cast<qint16>(
                              8000 * std::sin(2 * M_PI * 440 * i / double(rate)))));
    return data;
}

} // namespace

class MediaCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

private slots:
    void CommandTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("verb");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("fromStart");
        using V = MediaCommand::Verb;
        QTest::newRow("open") << "OPEN \"/a b/默认.wma\" ALIAS bkfilename" << true << int(V::Open)
                              << "bkfilename"
                              << "/a b/默认.wma" << false;
        QTest::newRow("play from 0")
            << "PLAY bkfilename FROM 0" << true << int(V::Play) << "bkfilename"
            << "" << true;
        QTest::newRow("play on") << "play BkFileName" << true << int(V::Play) << "bkfilename"
                                 << "" << false;
        QTest::newRow("stop") << "STOP bkfilename" << true << int(V::Stop) << "bkfilename"
                              << "" << false;
        QTest::newRow("status") << "STATUS bkfilename MODE" << true << int(V::Status)
                                << "bkfilename"
                                << "" << false;
        QTest::newRow("close") << "CLOSE bkfilename" << true << int(V::Close) << "bkfilename"
                               << "" << false;
        for (const char* bad :
             {"", "PLAY", "OPEN file.wma ALIAS", "OPEN \"x.wma ALIAS a", "OPEN \"\" ALIAS a",
              "PLAY a FROM 5", "STATUS a LENGTH", "SEEK a TO 0", "STOP a now"})
            QTest::newRow(bad) << bad << false << 0 << ""
                               << "" << false;
    }
    void CommandTexts() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto command = ParseMediaCommand(text.toStdString());
        QCOMPARE(command.has_value(), valid);
        if (!valid)
            return;
        QFETCH(int, verb);
        QFETCH(QString, alias);
        QFETCH(QString, file);
        QFETCH(bool, fromStart);
        QCOMPARE(int(command->verb), verb);
        QCOMPARE(QString::fromStdString(command->alias), alias);
        QCOMPARE(QString::fromStdString(command->file), file);
        QCOMPARE(command->fromStart, fromStart);
    }

    void PlaysToTheEndAndAgainFromTheStart() {
        const QString file = Write("tone.wav", Wave(0.4));
        QtMediaCommands media;
        const std::string open = "OPEN \"" + file.toStdString() + "\" ALIAS bkfilename";
        QVERIFY(media.Send(open).ok);
        QVERIFY2(!media.Send(open).ok, "a second OPEN of an open alias fails");
        QVERIFY(media.Send("PLAY bkfilename FROM 0").ok);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS bkfilename MODE").text, std::string("playing"),
                                  5000);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS bkfilename MODE").text, std::string("stopped"),
                                  10000);
        QVERIFY(media.Send("PLAY bkfilename FROM 0").ok);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS bkfilename MODE").text, std::string("playing"),
                                  5000);
        QVERIFY(media.Send("CLOSE bkfilename").ok);
        QVERIFY(!media.Send("STATUS bkfilename MODE").ok);
        QVERIFY2(media.Send(open).ok, "the alias is free again once closed");
    }

    void StopKeepsThePlaceForPlay() {
        const QString file = Write("long.wav", Wave(6));
        QtMediaCommands media;
        QVERIFY(media.Send("OPEN \"" + file.toStdString() + "\" ALIAS music").ok);
        QVERIFY(media.Send("PLAY music FROM 0").ok);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS music MODE").text, std::string("playing"),
                                  5000);
        QTest::qWait(300);
        QVERIFY(media.Send("STOP music").ok);
        QCOMPARE(media.Send("STATUS music MODE").text, std::string("stopped"));
        QVERIFY(media.Send("PLAY music").ok);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS music MODE").text, std::string("playing"),
                                  5000);
    }

    void TheDefaultMusicIsOursShortAndPlays() {
        const QString file = QStringLiteral(PAPERKIT_DEFAULT_MUSIC);
        if (file.isEmpty())
            QSKIP("default.wma is not made without sox and ffmpeg");
        const QFileInfo info(file);
        QVERIFY(info.isFile());
        QVERIFY(info.size() > 10 * 1024);
        QVERIFY(info.size() < 1024 * 1024);
        QFile head(file);
        QVERIFY(head.open(QIODevice::ReadOnly));
        // the ASF header object every WMA file starts with
        QCOMPARE(head.read(4).toHex(), QByteArray("3026b275"));
        QtMediaCommands media;
        QVERIFY(media.Send("OPEN \"" + file.toStdString() + "\" ALIAS bkfilename").ok);
        QVERIFY(media.Send("PLAY bkfilename FROM 0").ok);
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS bkfilename MODE").text, std::string("playing"),
                                  5000);
        QTest::qWait(500);
        QCOMPARE(media.Send("STATUS bkfilename MODE").text, std::string("playing"));
    }

    void FilesThatCannotBePlayedFailQuietly() {
        QtMediaCommands media;
        QVERIFY(!media.Send("OPEN \"/nonexistent/x.wma\" ALIAS bkfilename").ok);
        QVERIFY(!media.Send("PLAY bkfilename FROM 0").ok);
        QVERIFY(!media.Send("STATUS bkfilename MODE").ok);
        QVERIFY(!media.Send("CLOSE bkfilename").ok);
        QVERIFY(!media.Send("SEEK bkfilename TO 0").ok);

        const QString junk = Write("junk.wma", QByteArray(4096, 'x'));
        QVERIFY(media.Send("OPEN \"" + junk.toStdString() + "\" ALIAS bkfilename").ok);
        media.Send("PLAY bkfilename FROM 0");
        // once the player has given up on it the alias says so, and never "playing"
        QTRY_COMPARE_WITH_TIMEOUT(media.Send("STATUS bkfilename MODE").text,
                                  std::string("not ready"), 10000);
        QVERIFY(!media.Send("PLAY bkfilename FROM 0").ok);
        QVERIFY(media.Send("CLOSE bkfilename").ok);
    }
};

PAPERKIT_QTEST_MAIN(MediaCommandsTest)
#include "media_commands_test.moc"
