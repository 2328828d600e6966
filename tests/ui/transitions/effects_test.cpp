#include "testsupport/qtest_main.h"
#include "ui/transitions/effects.h"

#include <QSet>

using namespace paperkit;

namespace {

// Two pictures that differ at every pixel, with structure in both directions so that a shifted
// or mirrored copy cannot pass for the original. Odd sizes catch rounding at the edges.
QImage OldPicture(QSize size) {
    QImage image(size, kFrameFormat);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(220, (x * 7) % 200, (y * 5) % 200));
    return image;
}

QImage NewPicture(QSize size) {
    QImage image(size, kFrameFormat);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(10, (y * 3) % 250, (x * 11) % 250));
    return image;
}

QImage Frame(int style, const QImage& from, const QImage& to, double progress) {
    QImage frame(to.size(), kFrameFormat);
    frame.fill(Qt::magenta);
    RenderEffect(style, from, to, progress, frame);
    return frame;
}

int Differing(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

bool IsFade(int style) {
    return EffectName(style).startsWith(QLatin1String("Fade through"));
}

} // namespace

class EffectsTest : public QObject {
    Q_OBJECT

private slots:
    void NamesAreDistinctAndOnlyForTheNumberedEffects() {
        QSet<QString> names;
        for (int style = 1; style <= kEffectCount; ++style) {
            QVERIFY2(!EffectName(style).isEmpty(), qPrintable(QString::number(style)));
            names.insert(EffectName(style));
        }
        QCOMPARE(names.size(), kEffectCount);
        QVERIFY(EffectName(0).isEmpty());
        QVERIFY(EffectName(kEffectCount + 1).isEmpty());
        QVERIFY(EffectName(-1).isEmpty());
    }

    void EveryEffectRunsFromTheOldPictureToTheNew_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("size");
        for (int style = 1; style <= kEffectCount; ++style) {
            const QByteArray name = EffectName(style).toUtf8();
            QTest::newRow(QByteArray::number(style) + " " + name) << style << QSize(161, 101);
            QTest::newRow(QByteArray::number(style) + " tall " + name) << style << QSize(67, 129);
        }
    }

    void EveryEffectRunsFromTheOldPictureToTheNew() {
        QFETCH(int, style);
        QFETCH(QSize, size);
        const QImage from = OldPicture(size), to = NewPicture(size);
        QCOMPARE(Differing(Frame(style, from, to, 0.0), from), 0);
        QCOMPARE(Differing(Frame(style, from, to, 1.0), to), 0);

        const QImage half = Frame(style, from, to, 0.5);
        const int pixels = size.width() * size.height();
        if (IsFade(style)) {
            // halfway through a fade is the colour alone
            const QRgb colour = half.pixel(0, 0);
            QVERIFY(colour == qRgb(0, 0, 0) || colour == qRgb(255, 255, 255));
            QImage solid(size, kFrameFormat);
            solid.fill(colour);
            QCOMPARE(Differing(half, solid), 0);
        } else {
            // a real mix: well away from both ends, not a frame that barely moved
            QVERIFY2(Differing(half, from) > pixels / 10, "halfway frame is still the old picture");
            QVERIFY2(Differing(half, to) > pixels / 10, "halfway frame is already the new picture");
        }
        // nothing of the frame's former content is left anywhere
        for (double progress : {0.1, 0.37, 0.5, 0.81})
            QCOMPARE(Frame(style, from, to, progress).pixelColor(0, 0) == QColor(Qt::magenta),
                     false);
    }

    void ProgressOutsideTheRangeIsHeldAtItsEnds() {
        const QSize size(40, 30);
        const QImage from = OldPicture(size), to = NewPicture(size);
        QCOMPARE(Frame(1, from, to, -3), from);
        QCOMPARE(Frame(1, from, to, 7), to);
        QCOMPARE(Frame(1, from, to, std::nan("")), from);
    }

    void MismatchedPicturesOrUnknownStylesShowTheNewPicture() {
        const QSize size(40, 30);
        const QImage from = OldPicture(size), to = NewPicture(size);
        QCOMPARE(Frame(0, from, to, 0.5), to);
        QCOMPARE(Frame(kEffectCount + 1, from, to, 0.5), to);
        QCOMPARE(Frame(5, OldPicture(QSize(20, 30)), to, 0.5), to);
        QCOMPARE(Frame(5, from.convertToFormat(QImage::Format_ARGB32), to, 0.5), to);
        // nothing usable at all: black, never stale memory
        QImage frame(size, kFrameFormat);
        frame.fill(Qt::magenta);
        RenderEffect(3, QImage(), QImage(), 0.5, frame);
        QCOMPARE(frame.pixelColor(10, 10), QColor(Qt::black));
    }
};

PAPERKIT_QTEST_MAIN(EffectsTest)
#include "effects_test.moc"
