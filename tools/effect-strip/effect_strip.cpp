// Draws two scenes of our own and saves a few transition effects caught halfway between them, as
// PNG pictures for the README.
//   effect_strip OUTPUT_FOLDER STYLE...
#include "ui/transitions/effects.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

using namespace paperkit;

namespace {

constexpr QSize kSize(320, 180);

// Dusk: a sky gradient, a low sun and two ranges of hills.
QImage Dusk() {
    QImage image(kSize, kFrameFormat);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, QColor(40, 30, 90));
    sky.setColorAt(0.7, QColor(240, 120, 80));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(255, 220, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(220, 120), 28, 28);
    QPainterPath far;
    far.moveTo(0, 130);
    far.cubicTo(80, 95, 160, 150, 320, 110);
    far.lineTo(320, 180);
    far.lineTo(0, 180);
    p.setBrush(QColor(90, 50, 90));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 160);
    near.cubicTo(100, 130, 200, 175, 320, 145);
    near.lineTo(320, 180);
    near.lineTo(0, 180);
    p.setBrush(QColor(40, 25, 50));
    p.drawPath(near);
    return image;
}

// Noon by the sea: blue sky, clouds, water with stripes of light.
QImage Sea() {
    QImage image(kSize, kFrameFormat);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0, QColor(60, 140, 230));
    sky.setColorAt(1, QColor(180, 220, 250));
    p.fillRect(QRect(0, 0, 320, 100), sky);
    QLinearGradient sea(0, 100, 0, 180);
    sea.setColorAt(0, QColor(20, 110, 160));
    sea.setColorAt(1, QColor(10, 50, 90));
    p.fillRect(QRect(0, 100, 320, 80), sea);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    for (QPointF c :
         {QPointF(70, 40), QPointF(95, 35), QPointF(120, 42), QPointF(230, 60), QPointF(252, 55)})
        p.drawEllipse(c, 22, 13);
    p.setBrush(QColor(255, 255, 255, 90));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(30 + i * 48, 112 + i * 10, 40, 3));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: effect_strip OUTPUT_FOLDER STYLE...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QImage from = Dusk(), to = Sea();
    for (int i = 2; i < argc; ++i) {
        const int style = std::atoi(argv[i]);
        QImage frame(kSize, kFrameFormat);
        RenderEffect(style, from, to, 0.5, frame);
        const QString file = out.filePath(QString("effect-%1.png").arg(style, 3, 10, QChar('0')));
        if (!frame.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%d\t%s\t%s\n", style, qPrintable(EffectName(style)), qPrintable(file));
    }
    return 0;
}
