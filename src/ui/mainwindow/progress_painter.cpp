#include "ui/mainwindow/progress_painter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <charconv>

namespace paperkit {
namespace {

const QColor kSilver(192, 192, 192);

/// Sub-item text as a number; 0 when missing or not a number.
int SubItemValue(const std::vector<std::string>& subItems, std::size_t at) {
    if (subItems.size() < 3)
        return 0;
    const std::string& text = subItems[at];
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

/// The pixels from (x1, y1) up to but not including (x2, y2).
QRect Span(int x1, int y1, int x2, int y2) {
    return QRect(x1, y1, x2 - x1, y2 - y1);
}

} // namespace

void PaintProgressColumn(QPainter& painter, int left, int width, int top, bool download,
                         const std::vector<std::string>& subItems) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::blue);
    const QFontMetrics metrics(painter.font());
    if (!download) {
        painter.drawText(QPoint(left + 10, top + 3 + metrics.ascent()),
                         QCoreApplication::translate("paperkit::TFmMain", "下载"));
        painter.restore();
        return;
    }
    const int total = SubItemValue(subItems, 1);
    const int done = SubItemValue(subItems, 2);
    if (total <= 0) {
        painter.fillRect(Span(left + 1, top + 6, left + 1 + width, top + 14), Qt::white);
        painter.restore();
        return;
    }
    painter.fillRect(Span(left + 1, top, left + width, top + 15), Qt::white);
    // A frame of one silver pixel around white, as a filled outer and inner rectangle so that no
    // pen geometry is involved.
    const QRect frame = Span(left + 1, top + 6, left + width, top + 14);
    painter.fillRect(frame, kSilver);
    painter.fillRect(frame.adjusted(1, 1, -1, -1), Qt::white);
    if (done > 0) {
        // More pictures done than there are (a damaged count) still ends at the frame.
        const long long right =
            left + static_cast<long long>(width) * std::min(done, total) / total;
        painter.fillRect(Span(left + 2, top + 7, static_cast<int>(right), top + 13), kSilver);
    }
    if (done < total) {
        const QString text = QString::number(done) + QLatin1Char('/') + QString::number(total);
        const int x = left + 2 + (width - metrics.horizontalAdvance(text)) / 2;
        painter.drawText(QPoint(x, top + 4 + metrics.ascent()), text);
    }
    painter.restore();
}

} // namespace paperkit
