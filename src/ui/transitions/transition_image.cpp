#include "ui/transitions/transition_image.h"

#include "ui/transitions/effects.h"
#include "ui/transitions/picture_file.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace paperkit {

namespace {

constexpr std::chrono::milliseconds kFramePeriod{16};

QImage Opaque(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(kFrameFormat);
    // transparent parts show the control's black, as they would on screen
    QImage out(picture.size(), kFrameFormat);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(0, 0, picture);
    return out;
}

} // namespace

TTransitionImage::TTransitionImage(QWidget* parent) : QWidget(parent) {
    SetPictureAllocationLimit();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TTransitionImage::~TTransitionImage() {
    Stop();
}

void TTransitionImage::ClearPicture() {
    m_picture = QImage();
}

bool TTransitionImage::LoadPicture(const QString& file, QString* error) {
    const QImage picture = ReadPictureFile(file, error);
    m_picture = picture.isNull() ? QImage() : Opaque(picture);
    return !m_picture.isNull();
}

void TTransitionImage::SetFillParent(bool on) {
    m_fillParent = on;
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    if (on) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    } else {
        parent->removeEventFilter(this);
    }
}

void TTransitionImage::SetBounds(const QRect& bounds) {
    SetFillParent(false);
    setGeometry(bounds);
}

bool TTransitionImage::SetStyle(int style) {
    if (style < 0 || style > kEffectCount)
        return false;
    m_style = style;
    return true;
}

QImage TTransitionImage::Compose(const QSize& logical, qreal ratio) const {
    const QSize pixels = (QSizeF(logical) * ratio).toSize();
    QImage out(pixels, kFrameFormat);
    out.fill(Qt::black);
    if (m_picture.isNull() || out.isNull())
        return out;
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_stretch) {
        painter.drawImage(out.rect(), m_picture);
    } else {
        const QSize own = (QSizeF(m_picture.size()) * ratio).toSize();
        const QPoint at = m_center ? QPoint((pixels.width() - own.width()) / 2,
                                            (pixels.height() - own.height()) / 2)
                                   : QPoint(0, 0);
        painter.drawImage(QRect(at, own), m_picture);
    }
    return out;
}

void TTransitionImage::Execute() {
    Stop();
    const qreal ratio = devicePixelRatioF();
    QImage to = Compose(size(), ratio);
    QImage from(to.size(), kFrameFormat);
    from.fill(Qt::black);
    {
        std::lock_guard lock(m_frameLock);
        if (!m_front.isNull() && !from.isNull()) {
            // the old frame stays where it was on the parent while the control moves
            QPainter painter(&from);
            painter.drawImage((m_frontGeometry.topLeft() - geometry().topLeft()) * ratio, m_front);
        }
    }
    if (m_style == 0 || to.isNull()) {
        ShowFrame(to);
        return;
    }
    ShowFrame(from);
    std::lock_guard lock(m_runLock);
    m_stop = false;
    m_busy = true;
    // the settings go with the thread, so that changing them later races with nothing
    m_animation = std::thread(&TTransitionImage::Animate, this, m_style, std::move(from),
                              std::move(to), std::chrono::milliseconds(m_durationMs),
                              kFramePeriod * m_step + std::chrono::milliseconds(m_delayMs));
}

void TTransitionImage::Stop() {
    m_stop = true;
    // held while joining, so that a Stop from another thread returns only once the effect ended
    std::lock_guard lock(m_runLock);
    if (m_animation.joinable())
        m_animation.join();
}

void TTransitionImage::Animate(int style, QImage from, QImage to,
                               std::chrono::milliseconds duration,
                               std::chrono::milliseconds period) {
    using Clock = std::chrono::steady_clock;
    QImage frame(to.size(), kFrameFormat);
    // The first frame makes the block effects' pattern for this size (a dissolve's takes tens of
    // milliseconds at 1920x1080); the effect's time starts after it, so that no step is skipped.
    RenderEffect(style, from, to, 0, frame);
    const auto start = Clock::now();
    while (!m_stop) {
        const auto frameStart = Clock::now();
        const double progress = std::chrono::duration<double>(frameStart - start) / duration;
        if (progress >= 1)
            break;
        RenderEffect(style, from, to, progress, frame);
        {
            std::lock_guard lock(m_frameLock);
            std::swap(m_front, frame);
        }
        RequestUpdate();
        std::this_thread::sleep_until(frameStart + period);
    }
    {
        std::lock_guard lock(m_frameLock);
        m_front = std::move(to);
    }
    m_busy = false;
    RequestUpdate();
    QMetaObject::invokeMethod(
        this, [this] { emit finished(); }, Qt::QueuedConnection);
}

void TTransitionImage::ShowFrame(const QImage& frame) {
    {
        std::lock_guard lock(m_frameLock);
        m_front = frame;
        m_frontGeometry = geometry();
    }
    update();
}

void TTransitionImage::RequestUpdate() {
    if (!m_updatePending.exchange(true))
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_updatePending = false;
                update();
            },
            Qt::QueuedConnection);
}

QImage TTransitionImage::CurrentFrame() const {
    std::lock_guard lock(m_frameLock);
    return m_front;
}

void TTransitionImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    std::lock_guard lock(m_frameLock);
    if (m_front.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSizeF logical = QSizeF(m_front.size()) / ratio;
    painter.drawImage(QRectF(m_frontGeometry.topLeft() - geometry().topLeft(), logical), m_front);
}

void TTransitionImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

bool TTransitionImage::eventFilter(QObject* watched, QEvent* event) {
    if (m_fillParent && watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace paperkit
