#include "publish/demo_pictures.h"

#include "publish/work_queue.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

enum class Art { Mountains, Coast, Snow, Circles, Ribbons, Facets, Stars, Nebula, Planets, Aurora };

struct DemoAlbum {
    const char* Folder;
    const char* Title;
    const char* Remark;
    const char* PicturePrefix;
    Art Kind;
    int Hue;
    int Pictures;
};

struct DemoCategory {
    const char* Folder;
    const char* Title;
    const char* Remark;
    std::vector<DemoAlbum> Albums;
};

const std::vector<DemoCategory>& DemoCatalog() {
    static const std::vector<DemoCategory> catalog = {
        {"landscapes",
         "风景 Landscapes",
         "山川、海岸与雪原。 Mountains, coasts and snowfields.",
         {
             {"misty-mountains", "晨雾群山 Misty Mountains",
              "清晨的薄雾笼罩着层层山峦。 Ridge after ridge in the morning mist.", "群山",
              Art::Mountains, 210, 8},
             {"sunset-coast", "落日海岸 Sunset Coast",
              "夕阳沉入大海，天空燃成橙红。 The sun sinks into the sea and the sky burns orange.",
              "sunset", Art::Coast, 20, 7},
             {"snowfields", "雪原 Snowfields",
              "寂静的雪原，远山如黛。 A silent snowfield under distant blue hills.", "雪原",
              Art::Snow, 200, 6},
             {"autumn-hills", "秋山 Autumn Hills",
              "层林尽染的秋日山丘。 Hills dressed in the colours of autumn.", "autumn hill",
              Art::Mountains, 30, 9},
         }},
        {"abstract",
         "抽象 Abstract",
         "光、色彩与几何。 Light, colour and geometry.",
         {
             {"light-ribbons", "流光 Light Ribbons",
              "柔和的光带在黑暗中流动。 Soft ribbons of light flowing through the dark.", "流光",
              Art::Ribbons, 280, 8},
             {"circles", "圆舞 Dancing Circles",
              "半透明的圆彼此交叠。 Translucent circles overlapping one another.", "circles",
              Art::Circles, 170, 10},
             {"facets", "棱面 Facets",
              "三角形拼成的晶体表面。 A crystal surface made of triangles.", "棱面", Art::Facets,
              330, 6},
         }},
        {"night-sky",
         "星空 Night Sky",
         "银河、星云与遥远的行星。 Galaxies, nebulae and distant planets.",
         {
             {"starfields", "繁星 Starfields",
              "晴朗夜空中的万千星辰。 Countless stars on a clear night.", "繁星", Art::Stars, 230,
              7},
             {"nebulae", "星云 Nebulae", "色彩斑斓的宇宙云团。 Colourful clouds of cosmic gas.",
              "nebula", Art::Nebula, 300, 8},
             {"planets", "行星 Planets", "环带行星悬于星海。 Ringed worlds hanging in the stars.",
              "行星", Art::Planets, 40, 6},
             {"aurora", "极光 Aurora",
              "北方夜空中舞动的极光。 The northern lights dancing across the sky.", "aurora",
              Art::Aurora, 140, 9},
         }},
    };
    return catalog;
}

using Rng = std::mt19937;

double Uniform(Rng& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

QColor Hsv(int hue, double s, double v, double a = 1.0) {
    return QColor::fromHsvF(static_cast<float>(((hue % 360) + 360) % 360 / 360.0),
                            static_cast<float>(std::clamp(s, 0.0, 1.0)),
                            static_cast<float>(std::clamp(v, 0.0, 1.0)),
                            static_cast<float>(std::clamp(a, 0.0, 1.0)));
}

void SkyGradient(QPainter& p, int w, int h, QColor top, QColor horizon) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, horizon);
    p.fillRect(0, 0, w, h, g);
}

void Glow(QPainter& p, QPointF centre, double radius, QColor colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    QColor edge = colour;
    edge.setAlpha(0);
    g.setColorAt(1, edge);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

// A ridge line by midpoint displacement: rough at large scale, fine at small.
std::vector<double> Ridge(Rng& rng, int points, double roughness) {
    std::vector<double> y(static_cast<std::size_t>(points), 0.0);
    y.front() = Uniform(rng, -1, 1);
    y.back() = Uniform(rng, -1, 1);
    double amp = 1.0;
    for (int step = points - 1; step > 1; step /= 2) {
        for (int i = step / 2; i < points - 1; i += step) {
            const auto lo = static_cast<std::size_t>(i - step / 2);
            const auto hi = static_cast<std::size_t>(std::min(i + step / 2, points - 1));
            y[static_cast<std::size_t>(i)] = (y[lo] + y[hi]) / 2 + Uniform(rng, -amp, amp);
        }
        amp *= roughness;
    }
    return y;
}

void RidgeLayer(QPainter& p, Rng& rng, int w, int h, double base, double height, QColor colour) {
    constexpr int points = 129;
    const std::vector<double> ridge = Ridge(rng, points, 0.55);
    QPainterPath path;
    path.moveTo(0, h);
    for (int i = 0; i < points; ++i)
        path.lineTo(w * i / double(points - 1),
                    h * (base - height * ridge[static_cast<std::size_t>(i)]));
    path.lineTo(w, h);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void DrawMountains(QPainter& p, Rng& rng, int w, int h, int hue, bool snow) {
    SkyGradient(p, w, h, Hsv(hue, 0.55, snow ? 0.75 : 0.55), Hsv(hue + 25, 0.25, 1.0));
    Glow(p, {w * Uniform(rng, 0.2, 0.8), h * Uniform(rng, 0.2, 0.4)}, h * 0.25,
         Hsv(hue + 40, 0.3, 1.0, 0.9));
    const int layers = 5;
    for (int i = 0; i < layers; ++i) {
        const double t = i / double(layers - 1);
        const QColor c = snow ? Hsv(hue, 0.15 - 0.1 * t, 0.95 - 0.35 * t)
                              : Hsv(hue + int(20 * t), 0.3 + 0.4 * t, 0.85 - 0.6 * t);
        RidgeLayer(p, rng, w, h, 0.45 + 0.12 * i, 0.12 - 0.015 * i, c);
    }
}

void DrawCoast(QPainter& p, Rng& rng, int w, int h, int hue) {
    const int horizon = int(h * Uniform(rng, 0.5, 0.65));
    SkyGradient(p, w, horizon, Hsv(hue + 220, 0.5, 0.4), Hsv(hue, 0.8, 1.0));
    const QPointF sun(w * Uniform(rng, 0.3, 0.7), horizon - h * 0.08);
    Glow(p, sun, h * 0.35, Hsv(hue + 15, 0.7, 1.0, 0.8));
    p.setBrush(Hsv(hue + 30, 0.5, 1.0));
    p.drawEllipse(sun, h * 0.06, h * 0.06);
    QLinearGradient sea(0, horizon, 0, h);
    sea.setColorAt(0, Hsv(hue + 10, 0.6, 0.8));
    sea.setColorAt(1, Hsv(hue + 220, 0.6, 0.25));
    p.fillRect(0, horizon, w, h - horizon, sea);
    p.setPen(QPen(Hsv(hue + 30, 0.4, 1.0, 0.5), 2));
    for (int i = 0; i < 40; ++i) {
        const double y = horizon + (h - horizon) * std::pow(Uniform(rng, 0, 1), 1.6);
        const double len = w * Uniform(rng, 0.02, 0.12) * (1 + (y - horizon) / h);
        const double x = sun.x() + Uniform(rng, -1, 1) * (y - horizon) * 0.6;
        p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
    }
}

void DrawCircles(QPainter& p, Rng& rng, int w, int h, int hue) {
    SkyGradient(p, w, h, Hsv(hue, 0.6, 0.25), Hsv(hue + 60, 0.6, 0.1));
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    for (int i = 0; i < 60; ++i) {
        const double r = h * Uniform(rng, 0.03, 0.25);
        Glow(p, {Uniform(rng, 0, w), Uniform(rng, 0, h)}, r,
             Hsv(hue + int(Uniform(rng, -60, 60)), 0.7, 1.0, Uniform(rng, 0.2, 0.6)));
    }
}

void DrawRibbons(QPainter& p, Rng& rng, int w, int h, int hue) {
    SkyGradient(p, w, h, Hsv(hue, 0.5, 0.12), Hsv(hue + 40, 0.6, 0.05));
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setBrush(Qt::NoBrush);
    for (int band = 0; band < 6; ++band) {
        const int bandHue = hue + int(Uniform(rng, -50, 50));
        const double y0 = h * Uniform(rng, 0.2, 0.8);
        const double c1 = h * Uniform(rng, -0.3, 1.3), c2 = h * Uniform(rng, -0.3, 1.3);
        const double y1 = h * Uniform(rng, 0.2, 0.8);
        for (int strand = 0; strand < 24; ++strand) {
            const double d = (strand - 12) * h * 0.006;
            QPainterPath path(QPointF(-w * 0.1, y0 + d));
            path.cubicTo(w * 0.33, c1 + d * 3, w * 0.66, c2 - d * 3, w * 1.1, y1 + d);
            p.setPen(QPen(Hsv(bandHue + strand, 0.8, 0.9, 0.08), h * 0.004));
            p.drawPath(path);
        }
    }
}

void DrawFacets(QPainter& p, Rng& rng, int w, int h, int hue) {
    const int cols = 16, rows = 10;
    std::vector<QPointF> grid;
    for (int r = 0; r <= rows; ++r) {
        for (int c = 0; c <= cols; ++c) {
            const bool edge = r == 0 || c == 0 || r == rows || c == cols;
            const double jx = edge ? 0 : Uniform(rng, -0.35, 0.35);
            const double jy = edge ? 0 : Uniform(rng, -0.35, 0.35);
            grid.emplace_back(w * (c + jx) / cols, h * (r + jy) / rows);
        }
    }
    auto at = [&](int r, int c) { return grid[static_cast<std::size_t>(r * (cols + 1) + c)]; };
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const double light = 0.35 + 0.5 * (c + r) / double(cols + rows);
            for (int half = 0; half < 2; ++half) {
                QPolygonF tri;
                if (half == 0)
                    tri << at(r, c) << at(r, c + 1) << at(r + 1, c);
                else
                    tri << at(r, c + 1) << at(r + 1, c + 1) << at(r + 1, c);
                p.setBrush(
                    Hsv(hue + int(Uniform(rng, -25, 25)), 0.55, light + Uniform(rng, -0.12, 0.12)));
                p.drawPolygon(tri);
            }
        }
    }
}

void DrawStars(QPainter& p, Rng& rng, int w, int h, int count) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double r = std::pow(Uniform(rng, 0, 1), 6) * h * 0.004 + 0.6;
        p.setBrush(QColor::fromHsvF(static_cast<float>(Uniform(rng, 0.5, 0.7)),
                                    static_cast<float>(Uniform(rng, 0, 0.3)), 1.0f,
                                    static_cast<float>(Uniform(rng, 0.4, 1.0))));
        p.drawEllipse(QPointF(Uniform(rng, 0, w), Uniform(rng, 0, h)), r, r);
    }
}

void DrawNightSky(QPainter& p, Rng& rng, int w, int h, int hue, Art kind) {
    SkyGradient(p, w, h, Hsv(hue, 0.7, 0.08), Hsv(hue + 20, 0.6, 0.25));
    if (kind == Art::Nebula) {
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        for (int i = 0; i < 25; ++i)
            Glow(p, {w * Uniform(rng, 0.1, 0.9), h * Uniform(rng, 0.1, 0.9)},
                 h * Uniform(rng, 0.1, 0.45),
                 Hsv(hue + int(Uniform(rng, -70, 70)), 0.8, 0.9, Uniform(rng, 0.15, 0.35)));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    if (kind == Art::Stars) {
        // A band of dense stars across the sky.
        p.save();
        p.translate(w / 2.0, h / 2.0);
        p.rotate(Uniform(rng, -35, 35));
        Glow(p, {0, 0}, w * 0.45, Hsv(hue + 20, 0.2, 0.6, 0.25));
        p.restore();
    }
    DrawStars(p, rng, w, h, kind == Art::Stars ? 2500 : 900);
    if (kind == Art::Aurora) {
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        for (int curtain = 0; curtain < 3; ++curtain) {
            const std::vector<double> wave = Ridge(rng, 65, 0.6);
            const double base = h * Uniform(rng, 0.3, 0.55);
            for (int i = 0; i < 64; ++i) {
                const double x = w * i / 64.0;
                const double top = base + h * 0.12 * wave[static_cast<std::size_t>(i)];
                QLinearGradient g(0, top - h * 0.3, 0, top);
                g.setColorAt(0, Hsv(hue + 120, 0.8, 0.6, 0));
                g.setColorAt(1, Hsv(hue + int(curtain * 15), 0.8, 0.9, 0.35));
                p.fillRect(QRectF(x, top - h * 0.3, w / 64.0 + 1, h * 0.3), g);
            }
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        RidgeLayer(p, rng, w, h, 0.9, 0.05, QColor(5, 8, 12));
    }
    if (kind == Art::Planets) {
        const QPointF c(w * Uniform(rng, 0.3, 0.7), h * Uniform(rng, 0.35, 0.65));
        const double r = h * Uniform(rng, 0.12, 0.25);
        const int planetHue = hue + int(Uniform(rng, -40, 40));
        QRadialGradient body(c - QPointF(r * 0.4, r * 0.4), r * 1.4);
        body.setColorAt(0, Hsv(planetHue, 0.4, 1.0));
        body.setColorAt(1, Hsv(planetHue, 0.8, 0.15));
        const double tilt = Uniform(rng, -25, 25);
        const QPen ringPen(Hsv(planetHue + 20, 0.3, 0.9, 0.7), r * 0.08);
        const QRectF ring(-r * 2, -r * 0.45, r * 4, r * 0.9);
        // The far half of the ring passes behind the planet, the near half in front of it.
        auto drawRing = [&](int startDegrees) {
            p.save();
            p.translate(c);
            p.rotate(tilt);
            p.setBrush(Qt::NoBrush);
            p.setPen(ringPen);
            p.drawArc(ring, startDegrees * 16, 180 * 16);
            p.restore();
        };
        drawRing(0);
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(c, r, r);
        drawRing(180);
    }
}

QImage DrawPicture(const DemoAlbum& album, int index, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    Rng rng(static_cast<Rng::result_type>(album.Hue * 1009 + index * 7919 + int(album.Kind)));
    const int hue = album.Hue + int(Uniform(rng, -20, 20));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (album.Kind) {
    case Art::Mountains:
        DrawMountains(p, rng, w, h, hue, false);
        break;
    case Art::Snow:
        DrawMountains(p, rng, w, h, hue, true);
        break;
    case Art::Coast:
        DrawCoast(p, rng, w, h, hue);
        break;
    case Art::Circles:
        DrawCircles(p, rng, w, h, hue);
        break;
    case Art::Ribbons:
        DrawRibbons(p, rng, w, h, hue);
        break;
    case Art::Facets:
        DrawFacets(p, rng, w, h, hue);
        break;
    case Art::Stars:
    case Art::Nebula:
    case Art::Planets:
    case Art::Aurora:
        DrawNightSky(p, rng, w, h, hue, album.Kind);
        break;
    }
    p.end();
    return image;
}

bool WriteInfo(const fs::path& file, const char* title, const char* remark, std::string& error) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << title << '\n' << remark << '\n';
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

bool GenerateDemoPictures(const fs::path& folder, const DemoPictureOptions& options,
                          DemoPictureSummary& summary, std::string& error) {
    summary = {};
    if (options.Width <= 0 || options.Height <= 0) {
        error = "invalid picture size";
        return false;
    }
    struct Job {
        const DemoAlbum* Album;
        int Index;
        fs::path File;
    };
    std::vector<Job> jobs;
    for (const DemoCategory& category : DemoCatalog()) {
        const fs::path categoryDir = folder / category.Folder;
        std::error_code ec;
        fs::create_directories(categoryDir, ec);
        if (!WriteInfo(categoryDir / "info.txt", category.Title, category.Remark, error))
            return false;
        ++summary.Categories;
        for (const DemoAlbum& album : category.Albums) {
            const fs::path albumDir = categoryDir / album.Folder;
            fs::create_directories(albumDir, ec);
            if (!WriteInfo(albumDir / "info.txt", album.Title, album.Remark, error))
                return false;
            ++summary.Albums;
            for (int i = 1; i <= album.Pictures; ++i) {
                jobs.push_back(
                    {&album, i,
                     albumDir / (std::string(album.PicturePrefix) + " " + TwoDigits(i) + ".jpg")});
            }
        }
    }

    std::vector<std::string> failures(jobs.size());
    RunInParallel(jobs.size(), options.Jobs, [&](std::size_t i) {
        const Job& job = jobs[i];
        const QImage image = DrawPicture(*job.Album, job.Index, options.Width, options.Height);
        if (!image.save(QString::fromStdString(job.File.string()), "JPG", 90))
            failures[i] = "cannot write " + job.File.string();
    });
    for (const std::string& failure : failures) {
        if (!failure.empty()) {
            error = failure;
            return false;
        }
    }
    summary.Pictures = static_cast<int>(jobs.size());
    return true;
}

} // namespace paperkit
