#pragma once

#include <QImage>
#include <QString>

namespace paperkit {

/// Effects are numbered 1 to kEffectCount; style 0 shows the new picture at once.
inline constexpr int kEffectCount = 172;

/// The effect's name, distinct for every effect; empty outside 1..kEffectCount.
QString EffectName(int style);

/// The frame format every effect reads and writes.
inline constexpr QImage::Format kFrameFormat = QImage::Format_RGB32;

/// Draws the frame of effect `style` at `progress` (0 shows `from`, 1 shows `to`) into `frame`.
/// All three images are kFrameFormat and of one size, in device pixels; otherwise, or for a style
/// outside 1..kEffectCount, the frame shows `to`. Pure and safe on any thread: it touches nothing
/// but its arguments, a shared cache of the patterns of the block effects and a scratch picture
/// of the calling thread's own.
void RenderEffect(int style, const QImage& from, const QImage& to, double progress, QImage& frame);

} // namespace paperkit
