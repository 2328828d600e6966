#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace paperkit {

/// A picture control that changes from the picture it shows to a newly loaded one through one of
/// the numbered effects (effects.h). The frames are drawn on an animation thread of the control's
/// own; Busy() and Stop() may be called from any thread.
///
/// Loading a picture does not change what is shown: Execute() does, through the effect of the
/// current style, and style 0 shows the loaded picture at once.
class TTransitionImage : public QWidget {
    Q_OBJECT

public:
    /// About one second per effect.
    static constexpr int kDefaultDurationMs = 1000;

    explicit TTransitionImage(QWidget* parent = nullptr);
    ~TTransitionImage() override;

    /// Empties the loaded picture (the next Execute shows black).
    void ClearPicture();
    /// Loads a JPEG, BMP or PNG file. False, with the picture left empty and the reason in
    /// `error`, when the file cannot be read.
    bool LoadPicture(const QString& file, QString* error = nullptr);
    /// The loaded picture's own size; empty when there is none.
    QSize PictureSize() const { return m_picture.size(); }

    /// Stretch the picture over the control; off shows it at its own size.
    void SetStretch(bool on) { m_stretch = on; }
    bool Stretch() const { return m_stretch; }
    /// Centre an unstretched picture; off puts it at the top-left corner.
    void SetCenter(bool on) { m_center = on; }
    bool Center() const { return m_center; }
    /// Fill the parent and follow its size (on), or keep the bounds given (off).
    void SetFillParent(bool on);
    bool FillParent() const { return m_fillParent; }
    /// Frees the control from filling the parent and places it.
    void SetBounds(const QRect& bounds);

    /// Frames advance `step` frame periods at a time (1 draws every frame).
    void SetStep(int step) { m_step = std::max(1, step); }
    int Step() const { return m_step; }
    /// Extra milliseconds between frames.
    void SetDelay(int ms) { m_delayMs = std::max(0, ms); }
    int Delay() const { return m_delayMs; }
    void SetDuration(int ms) { m_durationMs = std::max(1, ms); }
    int Duration() const { return m_durationMs; }

    /// 0 (no effect) to kEffectCount; false, and the style unchanged, for any other number.
    bool SetStyle(int style);
    int Style() const { return m_style; }

    /// An effect is running.
    bool Busy() const { return m_busy.load(); }
    /// Starts the effect towards the loaded picture and returns at once. A running effect is
    /// stopped first.
    void Execute();
    /// Ends a running effect; the loaded picture is then shown. Safe from any thread.
    void Stop();

    /// What the control shows now, in device pixels.
    QImage CurrentFrame() const;

signals:
    void clicked();
    /// An effect has ended (also by Stop).
    void finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage Compose(const QSize& logical, qreal ratio) const;
    void Animate(int style, QImage from, QImage to, std::chrono::milliseconds duration,
                 std::chrono::milliseconds period);
    void ShowFrame(const QImage& frame);
    void RequestUpdate();

    QImage m_picture;
    bool m_stretch = false;
    bool m_center = true;
    bool m_fillParent = false;
    int m_step = 1;
    int m_delayMs = 0;
    int m_durationMs = kDefaultDurationMs;
    int m_style = 0;

    // The shown frame and where the control was when it was made; the animation thread
    // replaces it under the lock.
    mutable std::mutex m_frameLock;
    QImage m_front;
    QRect m_frontGeometry;

    std::mutex m_runLock;
    std::thread m_animation;
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_updatePending{false};
};

} // namespace paperkit
