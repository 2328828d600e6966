#include "testsupport/qtest_main.h"
#include "ui/transitions/effects.h"
#include "ui/transitions/picture_file.h"
#include "ui/transitions/transition_image.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <thread>

using namespace paperkit;

namespace {

QImage Solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void Write(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

// A BMP header that claims 30000x30000 pixels and holds none.
QByteArray HugeBmp() {
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 30000);
    put32(22, 30000);
    b[26] = 1;
    b[28] = 24;
    return b;
}

// A real JPEG whose frame header is changed to claim 30000x30000 pixels.
QByteArray HugeJpeg() {
    QByteArray b = Encoded(Solid(QSize(16, 16), Qt::red), "jpeg");
    const int sof = b.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return {};
    for (int at : {sof + 5, sof + 7}) {
        b[at] = char(30000 >> 8);
        b[at + 1] = char(30000 & 0xFF);
    }
    return b;
}

} // namespace

class TransitionImageTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString File(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void StylesBeyondTheLastEffectAreRefused() {
        TTransitionImage image;
        QVERIFY(image.SetStyle(kEffectCount));
        QVERIFY(!image.SetStyle(kEffectCount + 1));
        QVERIFY(!image.SetStyle(-1));
        QCOMPARE(image.Style(), kEffectCount);
        QVERIFY(image.SetStyle(0));
    }

    void ReadsJpegBmpAndPng_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("jpeg") << QByteArray("jpeg");
        QTest::newRow("bmp") << QByteArray("bmp");
        QTest::newRow("png") << QByteArray("png");
    }
    void ReadsJpegBmpAndPng() {
        QFETCH(QByteArray, format);
        const QString file = File("good." + format);
        Write(file, Encoded(Solid(QSize(30, 20), Qt::blue), format));
        TTransitionImage image;
        QVERIFY(image.LoadPicture(file));
        QCOMPARE(image.PictureSize(), QSize(30, 20));
    }

    void UnreadableFilesAreReportedAndLeaveNoPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = Encoded(Solid(QSize(64, 64), Qt::green), "jpeg");
        const QByteArray png = Encoded(Solid(QSize(64, 64), Qt::green), "png");
        QTest::newRow("zero bytes") << QByteArray();
        QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() * 2 / 3);
        QTest::newRow("truncated png") << png.left(png.size() / 2);
        QTest::newRow("gif") << Encoded(Solid(QSize(8, 8), Qt::red), "gif");
        QTest::newRow("huge bmp header") << HugeBmp();
        QTest::newRow("huge jpeg header") << HugeJpeg();
        QTest::newRow("text") << QByteArray("not a picture at all");
    }
    void UnreadableFilesAreReportedAndLeaveNoPicture() {
        QFETCH(QByteArray, bytes);
        const QString file = File("bad.jpg");
        Write(file, bytes);
        TTransitionImage image;
        QString error;
        QVERIFY(!image.LoadPicture(file, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(image.PictureSize().isEmpty());
        QVERIFY(!image.LoadPicture(File("missing.jpg")));
    }

    void JpegEndIsLookedForAfterTheHeaders() {
        const QByteArray jpeg = Encoded(Solid(QSize(32, 32), Qt::red), "jpeg");
        QVERIFY(JpegHasEnd(jpeg));
        // a thumbnail's end marker in a header segment does not make a cut-off picture whole
        QByteArray app1("\xFF\xE1\x00\x06\xFF\xD9\x00\x00", 8);
        QByteArray cut = jpeg.left(2) + app1 + jpeg.mid(2, jpeg.size() / 2);
        QVERIFY(!JpegHasEnd(cut));
        QVERIFY(JpegHasEnd(jpeg.left(2) + app1 + jpeg.mid(2)));
        QVERIFY(!JpegHasEnd(QByteArray("\xFF\xD8\xFF", 3)));
    }

    void StyleZeroShowsThePictureAtOnceLaidOut() {
        const QString file = File("small.png");
        Write(file, Encoded(Solid(QSize(40, 20), Qt::red), "png"));
        QWidget parent;
        parent.resize(100, 60);
        TTransitionImage image(&parent);
        image.SetFillParent(true);
        parent.show();
        QCOMPARE(image.size(), QSize(100, 60));
        QVERIFY(image.LoadPicture(file));
        image.Execute();
        QVERIFY(!image.Busy());
        const qreal ratio = image.devicePixelRatioF();
        const QImage centred = image.CurrentFrame();
        QCOMPARE(centred.size(), (QSizeF(100, 60) * ratio).toSize());
        QCOMPARE(centred.pixelColor(QPointF(50 * ratio, 30 * ratio).toPoint()), QColor(Qt::red));
        QCOMPARE(centred.pixelColor(QPointF(10 * ratio, 30 * ratio).toPoint()), QColor(Qt::black));

        image.SetStretch(true);
        image.Execute();
        QCOMPARE(image.CurrentFrame().pixelColor(QPointF(2 * ratio, 2 * ratio).toPoint()),
                 QColor(Qt::red));

        image.SetStretch(false);
        image.SetCenter(false);
        image.Execute();
        QCOMPARE(image.CurrentFrame().pixelColor(QPointF(2 * ratio, 2 * ratio).toPoint()),
                 QColor(Qt::red));
        QCOMPARE(image.CurrentFrame().pixelColor(QPointF(50 * ratio, 30 * ratio).toPoint()),
                 QColor(Qt::black));

        parent.resize(120, 80);
        QCOMPARE(image.size(), QSize(120, 80));
        image.SetBounds(QRect(5, 5, 30, 30));
        parent.resize(200, 200);
        QCOMPARE(image.geometry(), QRect(5, 5, 30, 30));

        image.ClearPicture();
        image.Execute();
        QCOMPARE(image.CurrentFrame().pixelColor(0, 0), QColor(Qt::black));
    }

    void AnEffectRunsOnItsOwnAndEndsOnTheNewPicture() {
        const QString file = File("blue.png");
        Write(file, Encoded(Solid(QSize(80, 50), Qt::blue), "png"));
        QWidget parent;
        parent.resize(80, 50);
        TTransitionImage image(&parent);
        image.SetFillParent(true);
        image.SetStretch(true);
        image.SetDuration(300);
        QVERIFY(image.SetStyle(kEffectCount)); // the crossfade
        QVERIFY(image.LoadPicture(file));
        QSignalSpy finished(&image, &TTransitionImage::finished);
        image.Execute();
        QVERIFY(image.Busy());
        QTRY_VERIFY_WITH_TIMEOUT(!image.Busy(), 5000);
        QTRY_COMPARE(finished.count(), 1);
        const QImage last = image.CurrentFrame();
        QCOMPARE(last.pixelColor(last.width() / 2, last.height() / 2), QColor(Qt::blue));
    }

    void StopFromAnotherThreadEndsTheEffect() {
        const QString file = File("green.png");
        Write(file, Encoded(Solid(QSize(64, 64), Qt::green), "png"));
        auto parent = std::make_unique<QWidget>();
        parent->resize(64, 64);
        auto* image = new TTransitionImage(parent.get());
        image->SetFillParent(true);
        image->SetStretch(true);
        image->SetDuration(60000);
        for (int style : {3, 60, 90}) {
            QVERIFY(image->SetStyle(style));
            QVERIFY(image->LoadPicture(file));
            image->Execute();
            QVERIFY(image->Busy());
            std::thread other([image] { image->Stop(); });
            other.join();
            QVERIFY(!image->Busy());
            QCOMPARE(image->CurrentFrame().pixelColor(32, 32), QColor(Qt::green));
        }
        // destroyed while an effect runs: the destructor ends it
        image->Execute();
        QVERIFY(image->Busy());
        parent.reset();
    }

    void ClickIsReported() {
        TTransitionImage image;
        image.resize(50, 50);
        QSignalSpy clicked(&image, &TTransitionImage::clicked);
        QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicked.count(), 1);
    }
};

PAPERKIT_QTEST_MAIN(TransitionImageTest)
#include "transition_image_test.moc"
