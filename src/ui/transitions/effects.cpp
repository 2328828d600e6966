#include "ui/transitions/effects.h"

#include "ui/transitions/fixed_random.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <tuple>
#include <vector>

namespace paperkit {
namespace {

enum class Family {
    Wipe,
    SoftWipe,
    Slide,
    Push,
    Squeeze,
    Blinds,
    DiagonalBlinds,
    Comb,
    Checkerboard,
    RandomBlocks,
    Dissolve,
    RandomBars,
    Iris,
    CornerIris,
    Clock,
    Fan,
    Wedge,
    Windmill,
    Zoom,
    ZoomBlend,
    RotateIn,
    SpinOut,
    Spiral,
    Snake,
    BarnDoor,
    BarnPush,
    FadeThrough,
    Crossfade,
};

struct Effect {
    Family family;
    int a = 0;
    int b = 0;
    int c = 0;
    QString name;
};

struct Direction {
    int dx;
    int dy;
    const char* name;
};

// The first four are the axes; the soft wipes and squeezes use only those.
constexpr Direction kDirections[8] = {
    {1, 0, "right"},      {-1, 0, "left"},      {0, 1, "down"},      {0, -1, "up"},
    {1, 1, "down-right"}, {-1, 1, "down-left"}, {1, -1, "up-right"}, {-1, -1, "up-left"},
};

const char* const kShapes[] = {"circle", "diamond", "star", "box", "cross", "hexagon"};
const char* const kCorners[] = {"top-left", "top-right", "bottom-left", "bottom-right"};
const char* const kEdges[] = {"top", "bottom", "left", "right"};
const char* const kClockStarts[] = {"12", "3", "6", "9"};
const char* const kZoomOrigins[] = {"centre",      "top-left",     "top-right",
                                    "bottom-left", "bottom-right", "top",
                                    "bottom",      "left",         "right"};
constexpr int kZoomOut = 9;

std::vector<Effect> BuildTable() {
    std::vector<Effect> t;
    auto add = [&t](Family f, int a, int b, int c, const QString& name) {
        t.push_back({f, a, b, c, name});
    };
    for (int d = 0; d < 8; ++d)
        add(Family::Wipe, d, 0, 0, QStringLiteral("Wipe %1").arg(kDirections[d].name));
    for (int d = 0; d < 4; ++d)
        add(Family::SoftWipe, d, 0, 0, QStringLiteral("Soft wipe %1").arg(kDirections[d].name));
    for (int d = 0; d < 8; ++d)
        add(Family::Slide, d, 0, 0, QStringLiteral("Slide %1").arg(kDirections[d].name));
    for (int d = 0; d < 8; ++d)
        add(Family::Push, d, 0, 0, QStringLiteral("Push %1").arg(kDirections[d].name));
    for (int d = 0; d < 4; ++d)
        add(Family::Squeeze, d, 0, 0, QStringLiteral("Squeeze %1").arg(kDirections[d].name));
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int n : {4, 6, 8, 10, 12, 16, 20, 24})
            for (int back = 0; back < 2; ++back)
                add(Family::Blinds, vertical, n, back,
                    QStringLiteral("%1 blinds %2 %3")
                        .arg(vertical ? "Vertical" : "Horizontal")
                        .arg(n)
                        .arg(vertical ? (back ? "leftward" : "rightward")
                                      : (back ? "upward" : "downward")));
    for (int n : {8, 16})
        for (int slant = 0; slant < 2; ++slant)
            add(Family::DiagonalBlinds, n, slant, 0,
                QStringLiteral("Diagonal blinds %1 %2").arg(n).arg(slant ? "rising" : "falling"));
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int n : {4, 8, 16})
            add(Family::Comb, vertical, n, 0,
                QStringLiteral("%1 comb %2").arg(vertical ? "Vertical" : "Horizontal").arg(n));
    for (int down = 0; down < 2; ++down)
        for (int n : {4, 6, 8, 10, 12})
            add(Family::Checkerboard, n, down, 0,
                QStringLiteral("Checkerboard %1 %2").arg(n).arg(down ? "down" : "across"));
    for (int size : {16, 24, 32, 48, 64, 96})
        add(Family::RandomBlocks, size, 0, 0, QStringLiteral("Random blocks %1").arg(size));
    for (int grain : {1, 2, 4})
        add(Family::Dissolve, grain, 0, 0, QStringLiteral("Dissolve %1").arg(grain));
    for (int vertical = 0; vertical < 2; ++vertical)
        for (int thick : {1, 4})
            add(Family::RandomBars, vertical, thick, 0,
                QStringLiteral("Random %1 bars %2")
                    .arg(vertical ? "vertical" : "horizontal")
                    .arg(thick));
    for (int shape = 0; shape < 6; ++shape)
        for (int out = 0; out < 2; ++out)
            add(Family::Iris, shape, out, 0,
                QStringLiteral("Iris %1 %2").arg(kShapes[shape]).arg(out ? "out" : "in"));
    for (int corner = 0; corner < 4; ++corner)
        add(Family::CornerIris, corner, 0, 0,
            QStringLiteral("Circle from %1").arg(kCorners[corner]));
    for (int start = 0; start < 4; ++start)
        for (int ccw = 0; ccw < 2; ++ccw)
            add(Family::Clock, start, ccw, 0,
                QStringLiteral("Clock wipe from %1 o'clock %2")
                    .arg(kClockStarts[start])
                    .arg(ccw ? "anticlockwise" : "clockwise"));
    for (int edge = 0; edge < 4; ++edge)
        add(Family::Fan, edge, 0, 0, QStringLiteral("Fan from %1").arg(kEdges[edge]));
    for (int edge = 0; edge < 2; ++edge)
        add(Family::Wedge, edge, 0, 0, QStringLiteral("Wedge from %1").arg(kEdges[edge]));
    for (int ccw = 0; ccw < 2; ++ccw)
        add(Family::Windmill, ccw, 0, 0,
            QStringLiteral("Windmill %1").arg(ccw ? "anticlockwise" : "clockwise"));
    for (int origin = 0; origin < 9; ++origin)
        add(Family::Zoom, origin, 0, 0,
            QStringLiteral("Zoom in from %1").arg(kZoomOrigins[origin]));
    add(Family::Zoom, kZoomOut, 0, 0, QStringLiteral("Zoom out to centre"));
    add(Family::ZoomBlend, 0, 0, 0, QStringLiteral("Zoom in and fade"));
    add(Family::ZoomBlend, 1, 0, 0, QStringLiteral("Zoom out and fade"));
    for (int ccw = 0; ccw < 2; ++ccw)
        add(Family::RotateIn, ccw, 0, 0,
            QStringLiteral("Spin in %1").arg(ccw ? "anticlockwise" : "clockwise"));
    for (int ccw = 0; ccw < 2; ++ccw)
        add(Family::SpinOut, ccw, 0, 0,
            QStringLiteral("Spin out %1").arg(ccw ? "anticlockwise" : "clockwise"));
    for (int across : {8, 16})
        for (int ccw = 0; ccw < 2; ++ccw)
            for (int outward = 0; outward < 2; ++outward)
                add(Family::Spiral, across, ccw, outward,
                    QStringLiteral("Spiral %1 %2 %3")
                        .arg(across)
                        .arg(ccw ? "anticlockwise" : "clockwise")
                        .arg(outward ? "outward" : "inward"));
    for (int columns = 0; columns < 2; ++columns)
        for (int across : {10, 20})
            add(Family::Snake, columns, across, 0,
                QStringLiteral("Snake by %1 %2").arg(columns ? "columns" : "rows").arg(across));
    const char* const barnAxes[] = {"vertical", "horizontal", "falling diagonal",
                                    "rising diagonal"};
    for (int axis = 0; axis < 4; ++axis)
        for (int close = 0; close < 2; ++close)
            add(Family::BarnDoor, axis, close, 0,
                QStringLiteral("Barn doors %1 %2")
                    .arg(barnAxes[axis])
                    .arg(close ? "close" : "open"));
    for (int axis = 0; axis < 2; ++axis)
        for (int close = 0; close < 2; ++close)
            add(Family::BarnPush, axis, close, 0,
                QStringLiteral("Split push %1 %2")
                    .arg(barnAxes[axis])
                    .arg(close ? "close" : "open"));
    add(Family::FadeThrough, 0, 0, 0, QStringLiteral("Fade through black"));
    add(Family::FadeThrough, 1, 0, 0, QStringLiteral("Fade through white"));
    add(Family::Crossfade, 0, 0, 0, QStringLiteral("Crossfade"));
    return t;
}

const std::vector<Effect>& Table() {
    static const std::vector<Effect> table = BuildTable();
    return table;
}

// --- the cell effects: each cell of a grid has a rank; a cell shows the new picture once the
// progress passes its rank. Their frames are copied row by row, which stays fast for the
// pixel-sized cells of the dissolve.

constexpr std::uint32_t kRankScale = 65536;

struct RankGrid {
    int cellW = 1;
    int cellH = 1;
    int cols = 0;
    int rows = 0;
    std::vector<std::uint16_t> rank;
};

bool IsCellFamily(Family f) {
    return f == Family::RandomBlocks || f == Family::Dissolve || f == Family::RandomBars ||
           f == Family::Spiral || f == Family::Snake;
}

// Cells in the order they turn, from outside in, clockwise from the top-left corner.
std::vector<int> SpiralOrder(int cols, int rows) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(cols) * rows);
    int left = 0, top = 0, right = cols - 1, bottom = rows - 1;
    while (left <= right && top <= bottom) {
        for (int x = left; x <= right; ++x)
            order.push_back(top * cols + x);
        for (int y = top + 1; y <= bottom; ++y)
            order.push_back(y * cols + right);
        if (top < bottom)
            for (int x = right - 1; x >= left; --x)
                order.push_back(bottom * cols + x);
        if (left < right)
            for (int y = bottom - 1; y > top; --y)
                order.push_back(y * cols + left);
        ++left, ++top, --right, --bottom;
    }
    return order;
}

std::shared_ptr<const RankGrid> BuildGrid(int style, const Effect& e, int w, int h) {
    auto grid = std::make_shared<RankGrid>();
    switch (e.family) {
    case Family::RandomBlocks:
        grid->cellW = grid->cellH = e.a;
        break;
    case Family::Dissolve:
        grid->cellW = grid->cellH = e.a;
        break;
    case Family::RandomBars:
        grid->cellW = e.a ? e.b : w;
        grid->cellH = e.a ? h : e.b;
        break;
    case Family::Spiral:
        grid->cellW = grid->cellH = std::max(1, (w + e.a - 1) / e.a);
        break;
    case Family::Snake:
        grid->cellW = grid->cellH = std::max(1, (w + e.b - 1) / e.b);
        break;
    default:
        break;
    }
    grid->cols = (w + grid->cellW - 1) / grid->cellW;
    grid->rows = (h + grid->cellH - 1) / grid->cellH;
    const int n = grid->cols * grid->rows;
    std::vector<int> order;
    if (e.family == Family::Spiral) {
        order = SpiralOrder(grid->cols, grid->rows);
        if (e.b) // anticlockwise: the mirror image
            for (int& cell : order)
                cell = (cell / grid->cols) * grid->cols + (grid->cols - 1 - cell % grid->cols);
        if (e.c)
            std::reverse(order.begin(), order.end());
    } else if (e.family == Family::Snake) {
        const int lines = e.a ? grid->cols : grid->rows;
        const int along = e.a ? grid->rows : grid->cols;
        for (int i = 0; i < lines; ++i)
            for (int j = 0; j < along; ++j) {
                const int k = (i % 2) ? along - 1 - j : j;
                order.push_back(e.a ? k * grid->cols + i : i * grid->cols + k);
            }
    } else {
        order.resize(n);
        std::iota(order.begin(), order.end(), 0);
        FixedRandom random(FixedRandom::kSeed + static_cast<std::uint64_t>(style));
        for (int i = n - 1; i > 0; --i)
            std::swap(order[i], order[random.Below(i + 1)]);
    }
    grid->rank.resize(n);
    for (int i = 0; i < n; ++i)
        grid->rank[order[i]] =
            static_cast<std::uint16_t>(static_cast<std::uint64_t>(i) * kRankScale / n);
    return grid;
}

std::shared_ptr<const RankGrid> GridFor(int style, const Effect& e, int w, int h) {
    static std::mutex mutex;
    static std::map<std::tuple<int, int, int>, std::shared_ptr<const RankGrid>> cache;
    const auto key = std::make_tuple(style, w, h);
    {
        std::lock_guard lock(mutex);
        if (auto it = cache.find(key); it != cache.end())
            return it->second;
    }
    auto grid = BuildGrid(style, e, w, h);
    std::lock_guard lock(mutex);
    // a slideshow uses one or two frame sizes; this only keeps a long run from piling up grids
    if (cache.size() >= 32)
        cache.clear();
    cache.emplace(key, grid);
    return grid;
}

void RenderCells(const RankGrid& grid, const QImage& from, const QImage& to, double progress,
                 QImage& frame) {
    const int w = frame.width(), h = frame.height();
    const auto threshold = static_cast<std::uint32_t>(progress * kRankScale);
    for (int y = 0; y < h; ++y) {
        const std::uint16_t* ranks =
            grid.rank.data() + static_cast<std::size_t>(y / grid.cellH) * grid.cols;
        const auto* oldLine = reinterpret_cast<const std::uint32_t*>(from.constScanLine(y));
        const auto* newLine = reinterpret_cast<const std::uint32_t*>(to.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(frame.scanLine(y));
        if (grid.cellW == 1) {
            // without a branch, so that the compiler can do many pixels at once
            for (int x = 0; x < w; ++x) {
                const std::uint32_t take = 0u - static_cast<std::uint32_t>(ranks[x] < threshold);
                out[x] = (newLine[x] & take) | (oldLine[x] & ~take);
            }
            continue;
        }
        // copy runs of cells that take the same picture
        int runStart = 0;
        const std::uint32_t* runSource = ranks[0] < threshold ? newLine : oldLine;
        for (int cx = 1; cx <= grid.cols; ++cx) {
            const std::uint32_t* source =
                cx == grid.cols ? nullptr : (ranks[cx] < threshold ? newLine : oldLine);
            if (source == runSource)
                continue;
            const int x0 = runStart * grid.cellW;
            const int x1 = std::min(w, cx * grid.cellW);
            std::memcpy(out + x0, runSource + x0, static_cast<std::size_t>(x1 - x0) * 4);
            runStart = cx;
            runSource = source;
        }
    }
}

// --- the diagonal effects: bands of u = x + y (or its mirror image) show one picture over the
// other. Copied row by row; a painted path with edge smoothing took up to half a second a frame
// for the sixteen diagonal blinds at 1920x1080.

struct Band {
    double from; // u at the band's start
    double to;   // u past its end
};

void RenderBands(const QImage& base, const QImage& over, const std::vector<Band>& bands,
                 bool mirrored, QImage& frame) {
    const int w = frame.width(), h = frame.height();
    const auto rowBytes = static_cast<std::size_t>(w) * 4;
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(frame.scanLine(y));
        const auto* overLine = reinterpret_cast<const std::uint32_t*>(over.constScanLine(y));
        std::memcpy(out, base.constScanLine(y), rowBytes);
        for (const Band& band : bands) {
            // a pixel belongs to the band when the u of its centre, x + y + 1, lies in it
            int x0 = static_cast<int>(std::ceil(band.from - y - 1));
            int x1 = static_cast<int>(std::ceil(band.to - y - 1));
            x0 = std::clamp(x0, 0, w);
            x1 = std::clamp(x1, 0, w);
            if (x1 <= x0)
                continue;
            if (mirrored)
                std::tie(x0, x1) = std::make_pair(w - x1, w - x0);
            std::memcpy(out + x0, overLine + x0, static_cast<std::size_t>(x1 - x0) * 4);
        }
    }
}

bool IsDiagonal(const Effect& e) {
    return (e.family == Family::Wipe && e.a >= 4) || e.family == Family::DiagonalBlinds ||
           (e.family == Family::BarnDoor && e.a >= 2);
}

void RenderDiagonal(const Effect& e, const QImage& from, const QImage& to, double p,
                    QImage& frame) {
    const int w = frame.width(), h = frame.height();
    std::vector<Band> bands;
    if (e.family == Family::Wipe) {
        // the edge runs from the corner the wipe starts at; mirror the others onto down-right
        const Direction& d = kDirections[e.a];
        const double t = p * (w + h + 4);
        if (d.dy > 0) {
            bands.push_back({-1, t});
            RenderBands(from, to, bands, d.dx < 0, frame);
        } else {
            // upwards: the new picture fills u from the far end, w + h - t onwards
            bands.push_back({w + h - t, w + h + 4.0});
            RenderBands(from, to, bands, d.dx > 0, frame);
        }
        return;
    }
    if (e.family == Family::DiagonalBlinds) {
        const double band = double(w + h) / e.a;
        for (int i = 0; i < e.a; ++i)
            if (p > 0)
                bands.push_back({i * band - (i == 0 ? 1 : 0),
                                 i * band + p * band + (i == e.a - 1 ? 4 * p : 0)});
        RenderBands(from, to, bands, e.b != 0, frame);
        return;
    }
    // barn doors along a diagonal: the middle band opens (new inside) or closes (old inside)
    const double s = e.b ? 1 - p : p;
    const double middle = (w + h) / 2.0, half = s * ((w + h) / 2.0 + 3);
    if (s > 0)
        bands.push_back({middle - half, middle + half});
    RenderBands(e.b ? to : from, e.b ? from : to, bands, e.a == 3, frame);
}

// --- the painted effects

void DrawPart(QPainter& p, const QImage& picture, const QRect& r) {
    if (r.width() > 0 && r.height() > 0)
        p.drawImage(r.topLeft(), picture, r);
}

void FillPath(QPainter& p, const QPainterPath& path, const QImage& picture) {
    const QRectF bounds = path.boundingRect();
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(picture));
    p.drawPath(path);
    p.restore();
}

// The span [s0, s1) measured from the edge the axis direction d starts at.
QRect SpanRect(int d, int s0, int s1, int w, int h) {
    if (s1 <= s0)
        return {};
    switch (d) {
    case 0:
        return QRect(s0, 0, s1 - s0, h);
    case 1:
        return QRect(w - s1, 0, s1 - s0, h);
    case 2:
        return QRect(0, s0, w, s1 - s0);
    default:
        return QRect(0, h - s1, w, s1 - s0);
    }
}

QPainterPath PolygonPath(const QPolygonF& polygon) {
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

QPolygonF RegularPolygon(QPointF centre, int corners, double outer, double inner) {
    QPolygonF polygon;
    const int points = inner > 0 ? corners * 2 : corners;
    for (int i = 0; i < points; ++i) {
        const double radius = (inner > 0 && i % 2) ? inner : outer;
        const double angle = -M_PI / 2 + i * 2 * M_PI / points;
        polygon << QPointF(centre.x() + radius * std::cos(angle),
                           centre.y() + radius * std::sin(angle));
    }
    return polygon;
}

// An iris shape about the centre; scale 1 covers the whole frame with a margin.
QPainterPath IrisShape(int shape, double s, int w, int h) {
    const QPointF c(w / 2.0, h / 2.0);
    const double r = std::hypot(w, h) / 2 + 3;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (s <= 0)
        return path;
    switch (shape) {
    case 0:
        path.addEllipse(c, s * r, s * r);
        break;
    case 1: {
        const double d = s * ((w + h) / 2.0 + 3);
        path = PolygonPath(QPolygonF({QPointF(c.x(), c.y() - d), QPointF(c.x() + d, c.y()),
                                      QPointF(c.x(), c.y() + d), QPointF(c.x() - d, c.y())}));
        break;
    }
    case 2: // the inner corners reach the frame's corners at full size
        path = PolygonPath(RegularPolygon(c, 5, s * 2.1 * r, s * 1.05 * r));
        break;
    case 3:
        path.addRect(QRectF(c.x() - s * (w / 2.0 + 2), c.y() - s * (h / 2.0 + 2),
                            2 * s * (w / 2.0 + 2), 2 * s * (h / 2.0 + 2)));
        break;
    case 4: { // the arms reach the edges at half size and widen after
        const double hw = w / 2.0 + 2, hh = h / 2.0 + 2, longer = std::min(1.0, 2 * s);
        path.addRect(QRectF(c.x() - longer * hw, c.y() - s * hh, 2 * longer * hw, 2 * s * hh));
        path.addRect(QRectF(c.x() - s * hw, c.y() - longer * hh, 2 * s * hw, 2 * longer * hh));
        break;
    }
    default:
        path = PolygonPath(RegularPolygon(c, 6, s * r / std::cos(M_PI / 6), 0));
        break;
    }
    return path;
}

QPainterPath Pie(QPointF centre, double radius, double startAngle, double sweep) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(centre);
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), startAngle,
               sweep);
    path.closeSubpath();
    return path;
}

QRectF ScaledAbout(QPointF origin, double s, int w, int h) {
    return QRectF(origin.x() * (1 - s), origin.y() * (1 - s), w * s, h * s);
}

void DrawScaled(QPainter& p, const QRectF& target, const QImage& picture) {
    if (target.width() > 0 && target.height() > 0)
        p.drawImage(target, picture);
}

// The picture turned by `degrees` and scaled by `s` about the frame's centre.
void DrawTurned(QPainter& p, const QImage& picture, double degrees, double s) {
    if (s <= 0)
        return;
    const QPointF c(picture.width() / 2.0, picture.height() / 2.0);
    p.save();
    p.translate(c);
    p.rotate(degrees);
    p.scale(s, s);
    p.translate(-c);
    p.drawImage(0, 0, picture);
    p.restore();
}

QPointF ZoomOrigin(int origin, int w, int h) {
    switch (origin) {
    case 1:
        return {0, 0};
    case 2:
        return {double(w), 0};
    case 3:
        return {0, double(h)};
    case 4:
        return {double(w), double(h)};
    case 5:
        return {w / 2.0, 0};
    case 6:
        return {w / 2.0, double(h)};
    case 7:
        return {0, h / 2.0};
    case 8:
        return {double(w), h / 2.0};
    default:
        return {w / 2.0, h / 2.0};
    }
}

void Paint(const Effect& e, const QImage& from, const QImage& to, double p, QImage& frame) {
    const int w = frame.width(), h = frame.height();
    QPainter painter(&frame);
    switch (e.family) {
    case Family::Wipe: { // along an axis; the diagonal ones are copied by rows
        const int len = kDirections[e.a].dx ? w : h;
        painter.drawImage(0, 0, from);
        DrawPart(painter, to, SpanRect(e.a, 0, qRound(p * len), w, h));
        break;
    }
    case Family::SoftWipe: {
        const int len = kDirections[e.a].dx ? w : h;
        const int band = std::max(16, len / 6);
        const int lead = qRound(p * (len + band));
        painter.drawImage(0, 0, from);
        DrawPart(painter, to, SpanRect(e.a, 0, std::clamp(lead - band, 0, len), w, h));
        constexpr int kSteps = 16;
        for (int k = 0; k < kSteps; ++k) {
            const int s0 = std::clamp(lead - band + k * band / kSteps, 0, len);
            const int s1 = std::clamp(lead - band + (k + 1) * band / kSteps, 0, len);
            if (s1 <= s0)
                continue;
            painter.setOpacity(1.0 - (k + 0.5) / kSteps);
            DrawPart(painter, to, SpanRect(e.a, s0, s1, w, h));
        }
        break;
    }
    case Family::Slide: {
        const Direction& d = kDirections[e.a];
        painter.drawImage(0, 0, from);
        painter.drawImage(QPoint(qRound(-(1 - p) * d.dx * w), qRound(-(1 - p) * d.dy * h)), to);
        break;
    }
    case Family::Push: {
        const Direction& d = kDirections[e.a];
        const QPoint old(qRound(p * d.dx * w), qRound(p * d.dy * h));
        painter.fillRect(frame.rect(), Qt::black);
        painter.drawImage(old, from);
        painter.drawImage(old - QPoint(d.dx * w, d.dy * h), to);
        break;
    }
    case Family::Squeeze: {
        const int len = kDirections[e.a].dx ? w : h;
        const int t = qRound(p * len);
        DrawScaled(painter, SpanRect(e.a, t, len, w, h), from);
        DrawScaled(painter, SpanRect(e.a, 0, t, w, h), to);
        break;
    }
    case Family::Blinds: {
        painter.drawImage(0, 0, from);
        const int length = e.a ? w : h;
        for (int i = 0; i < e.b; ++i) {
            const int b0 = i * length / e.b, b1 = (i + 1) * length / e.b;
            const int len = qRound(p * (b1 - b0));
            if (len <= 0)
                continue;
            const int s0 = e.c ? b1 - len : b0;
            DrawPart(painter, to, e.a ? QRect(s0, 0, len, h) : QRect(0, s0, w, len));
        }
        break;
    }
    case Family::Comb: {
        painter.drawImage(0, 0, from);
        const int length = e.a ? w : h, span = e.a ? h : w;
        for (int i = 0; i < e.b; ++i) {
            const int b0 = i * length / e.b, b1 = (i + 1) * length / e.b;
            const int offset = qRound((1 - p) * span) * (i % 2 ? 1 : -1);
            if (e.a)
                painter.drawImage(QPoint(b0, offset), to, QRect(b0, 0, b1 - b0, h));
            else
                painter.drawImage(QPoint(offset, b0), to, QRect(0, b0, w, b1 - b0));
        }
        break;
    }
    case Family::Checkerboard: {
        painter.drawImage(0, 0, from);
        const int cell = (w + e.a - 1) / e.a;
        const int rows = (h + cell - 1) / cell;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < e.a; ++c) {
                const double local = std::clamp(2 * p - ((r + c) & 1), 0.0, 1.0);
                const int x0 = c * cell, y0 = r * cell;
                const int cw = std::min(cell, w - x0), ch = std::min(cell, h - y0);
                DrawPart(painter, to,
                         e.b ? QRect(x0, y0, cw, qRound(local * ch))
                             : QRect(x0, y0, qRound(local * cw), ch));
            }
        break;
    }
    case Family::Iris:
        if (e.b) {
            painter.drawImage(0, 0, from);
            FillPath(painter, IrisShape(e.a, p, w, h), to);
        } else {
            painter.drawImage(0, 0, to);
            FillPath(painter, IrisShape(e.a, 1 - p, w, h), from);
        }
        break;
    case Family::CornerIris: {
        painter.drawImage(0, 0, from);
        const QPointF corner(e.a % 2 ? w : 0, e.a / 2 ? h : 0);
        const double radius = p * (std::hypot(w, h) + 3);
        QPainterPath path;
        if (radius > 0)
            path.addEllipse(corner, radius, radius);
        FillPath(painter, path, to);
        break;
    }
    case Family::Clock: {
        painter.drawImage(0, 0, from);
        const double starts[] = {90, 0, 270, 180};
        const double r = std::hypot(w, h) / 2 + 3;
        FillPath(painter, Pie(QPointF(w / 2.0, h / 2.0), r, starts[e.a], p * 360 * (e.b ? 1 : -1)),
                 to);
        break;
    }
    case Family::Fan: {
        painter.drawImage(0, 0, from);
        const QPointF centres[] = {
            {w / 2.0, 0}, {w / 2.0, double(h)}, {0, h / 2.0}, {double(w), h / 2.0}};
        const double starts[] = {180, 0, 90, 90};
        const double turns[] = {1, 1, -1, 1};
        FillPath(painter,
                 Pie(centres[e.a], std::hypot(w, h) + 3, starts[e.a], p * 180 * turns[e.a]), to);
        break;
    }
    case Family::Wedge: {
        painter.drawImage(0, 0, from);
        const QPointF c(w / 2.0, h / 2.0);
        const double r = std::hypot(w, h) / 2 + 3, start = e.a ? 270 : 90;
        // one pie opening both ways: two pies would leave a seam along their shared edge
        FillPath(painter, Pie(c, r, start - p * 180, 2 * p * 180), to);
        break;
    }
    case Family::Windmill: {
        painter.drawImage(0, 0, from);
        const QPointF c(w / 2.0, h / 2.0);
        const double r = std::hypot(w, h) / 2 + 3;
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        if (p > 0)
            for (double start : {90.0, 0.0, 270.0, 180.0})
                path.addPath(Pie(c, r, start, p * 90 * (e.a ? 1 : -1)));
        FillPath(painter, path, to);
        break;
    }
    case Family::Zoom:
        if (e.a == kZoomOut) {
            painter.drawImage(0, 0, to);
            DrawScaled(painter, ScaledAbout(QPointF(w / 2.0, h / 2.0), 1 - p, w, h), from);
        } else {
            painter.drawImage(0, 0, from);
            DrawScaled(painter, ScaledAbout(ZoomOrigin(e.a, w, h), p, w, h), to);
        }
        break;
    case Family::ZoomBlend: {
        const QPointF c(w / 2.0, h / 2.0);
        const bool in = e.a == 0;
        painter.drawImage(0, 0, in ? from : to);
        const double opacity = in ? p : 1 - p;
        const QRect target = ScaledAbout(c, in ? 0.5 + 0.5 * p : 1 + 0.5 * p, w, h).toRect();
        const QRect area = target & frame.rect();
        if (opacity > 0 && !area.isEmpty()) {
            // scaled first, then blended 1:1: one pass that does both is three times slower
            static thread_local QImage scratch;
            if (scratch.size() != frame.size())
                scratch = QImage(frame.size(), kFrameFormat);
            {
                QPainter scaled(&scratch);
                scaled.setClipRect(area);
                scaled.drawImage(target, in ? to : from);
            }
            painter.setOpacity(opacity);
            painter.drawImage(area.topLeft(), scratch, area);
        }
        break;
    }
    case Family::RotateIn:
        painter.drawImage(0, 0, from);
        DrawTurned(painter, to, (1 - p) * 360 * (e.a ? -1 : 1), p);
        break;
    case Family::SpinOut:
        painter.drawImage(0, 0, to);
        DrawTurned(painter, from, p * 360 * (e.a ? -1 : 1), 1 - p);
        break;
    case Family::BarnDoor: {              // along an axis; the diagonal ones are copied by rows
        const double s = e.b ? 1 - p : p; // the width of the middle band
        painter.drawImage(0, 0, e.b ? to : from);
        const int len = e.a ? h : w;
        const int s0 = qRound(len / 2.0 - s * len / 2.0), s1 = qRound(len / 2.0 + s * len / 2.0);
        DrawPart(painter, e.b ? from : to,
                 e.a ? QRect(0, s0, w, s1 - s0) : QRect(s0, 0, s1 - s0, h));
        break;
    }
    case Family::BarnPush: {
        const int len = e.a ? h : w;
        const int half = len / 2;
        auto drawHalves = [&](const QImage& picture, int shiftFirst, int shiftSecond) {
            if (e.a) {
                painter.drawImage(QPoint(0, shiftFirst), picture, QRect(0, 0, w, half));
                painter.drawImage(QPoint(0, half + shiftSecond), picture,
                                  QRect(0, half, w, h - half));
            } else {
                painter.drawImage(QPoint(shiftFirst, 0), picture, QRect(0, 0, half, h));
                painter.drawImage(QPoint(half + shiftSecond, 0), picture,
                                  QRect(half, 0, w - half, h));
            }
        };
        if (e.b) { // the new halves close in over the old picture
            painter.drawImage(0, 0, from);
            drawHalves(to, -qRound((1 - p) * half), qRound((1 - p) * (len - half)));
        } else { // the old halves part to show the new one
            painter.drawImage(0, 0, to);
            drawHalves(from, -qRound(p * half), qRound(p * (len - half)));
        }
        break;
    }
    case Family::FadeThrough: {
        const bool first = p < 0.5;
        painter.drawImage(0, 0, first ? from : to);
        const double veil = first ? 2 * p : 2 * (1 - p);
        if (veil > 0) {
            painter.setOpacity(veil);
            painter.fillRect(frame.rect(), e.a ? Qt::white : Qt::black);
        }
        break;
    }
    case Family::Crossfade:
        painter.drawImage(0, 0, from);
        if (p > 0) {
            painter.setOpacity(p);
            painter.drawImage(0, 0, to);
        }
        break;
    default:
        painter.drawImage(0, 0, to);
        break;
    }
}

bool Fits(const QImage& picture, const QImage& frame) {
    return picture.size() == frame.size() && picture.format() == kFrameFormat &&
           picture.devicePixelRatio() == 1.0;
}

} // namespace

QString EffectName(int style) {
    if (style < 1 || style > kEffectCount)
        return {};
    return Table()[style - 1].name;
}

void RenderEffect(int style, const QImage& from, const QImage& to, double progress, QImage& frame) {
    static_assert(kEffectCount == 172);
    if (frame.isNull())
        return;
    if (!(progress >= 0)) // also NaN
        progress = 0;
    progress = std::min(progress, 1.0);
    const bool valid = style >= 1 && style <= static_cast<int>(Table().size()) &&
                       Fits(from, frame) && Fits(to, frame) && Fits(frame, frame);
    if (!valid) {
        if (Fits(to, frame))
            frame = to.copy();
        else
            frame.fill(Qt::black);
        return;
    }
    const Effect& e = Table()[style - 1];
    if (IsCellFamily(e.family))
        RenderCells(*GridFor(style, e, frame.width(), frame.height()), from, to, progress, frame);
    else if (IsDiagonal(e))
        RenderDiagonal(e, from, to, progress, frame);
    else
        Paint(e, from, to, progress, frame);
}

} // namespace paperkit
