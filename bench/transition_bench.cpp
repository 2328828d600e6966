// Frame time of every transition effect at 1920x1080, and the slideshow's memory with 1,000
// pictures in its path list. Goals: each effect's median frame within 8 ms (room for 60 frames a
// second); pictures loaded one at a time, resident memory under 150 MB.
#include "support/globals.h"
#include "ui/slideshow/fm_show_image.h"
#include "ui/transitions/effects.h"
#include "ui/transitions/transition_image.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

using namespace paperkit;

namespace {

constexpr QSize kFrameSize(1920, 1080);
constexpr int kFramesPerRun = 60; // one second of frames, progress 0 to 1

QImage TestPicture(QColor a, QColor b) {
    QImage image(kFrameSize, kFrameFormat);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, kFrameSize.width(), kFrameSize.height());
    gradient.setColorAt(0, a);
    gradient.setColorAt(1, b);
    painter.fillRect(image.rect(), gradient);
    return image;
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void BM_EffectFrame(benchmark::State& state) {
    const int style = static_cast<int>(state.range(0));
    static const QImage from = TestPicture(Qt::darkBlue, Qt::yellow);
    static const QImage to = TestPicture(Qt::darkRed, Qt::cyan);
    QImage frame(kFrameSize, kFrameFormat);
    // wall time, and the thread's processor time: on a machine shared with other work the wall
    // time also counts the waits for a processor
    std::vector<double> ms, cpuMs;
    int i = 0;
    for (auto _ : state) {
        const double progress = double(i++ % (kFramesPerRun + 1)) / kFramesPerRun;
        const double cpuStart = ThreadCpuMs();
        const auto start = std::chrono::steady_clock::now();
        RenderEffect(style, from, to, progress, frame);
        benchmark::DoNotOptimize(frame.constBits());
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cpuMs.push_back(ThreadCpuMs() - cpuStart);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["worst_ms"] = ms.back();
    state.counters["cpu_median_ms"] = cpuMs[cpuMs.size() / 2];
    state.counters["cpu_worst_ms"] = cpuMs.back();
    state.SetLabel(EffectName(style).toStdString());
}
BENCHMARK(BM_EffectFrame)->DenseRange(1, kEffectCount)->Iterations(3 * (kFramesPerRun + 1));

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    return -1;
}

class ManualTimer final : public SlideshowTimer {
public:
    void SetEnabled(bool on) override { m_on = on; }
    bool Enabled() const override { return m_on; }
    void Tick() { Fire(); }

private:
    bool m_on = false;
};

class NoMedia final : public MediaCommands {
public:
    MediaReply Send(const std::string&) override { return {true, "playing"}; }
};

// Steps a slideshow through 1,000 full-size pictures (twenty files under a thousand names),
// each brought in by an effect that runs a little before the next step stops it.
void BM_SlideshowThousandPictures(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList paths;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int i = 0; i < 20; ++i)
        TestPicture(colours[i % 5], colours[(i + 2) % 5])
            .save(dir.filePath(QString("base%1.jpg").arg(i)), "jpeg", 85);
    for (int i = 0; i < 1000; ++i) {
        const QString path = dir.filePath(QString("picture%1.jpg").arg(i, 4, 10, QChar('0')));
        QFile::link(dir.filePath(QString("base%1.jpg").arg(i % 20)), path);
        paths << path;
    }
    TWallParas paras;
    paras.Interval = 0; // every tick is a step
    paras.SpecialStyle = true;
    paras.PlayRecycle = true;
    NoMedia media;
    FixedStyleSource styles;
    long baseKb = StatusKb("VmRSS:");
    for (auto _ : state) {
        auto timer = std::make_unique<ManualTimer>();
        ManualTimer* clock = timer.get();
        TFmShowImage form(paras, SlideshowServices{media, styles, std::move(timer),
                                                   QRect(QPoint(0, 0), kFrameSize)});
        form.Paths() = paths;
        form.show();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 1; i < 1000; ++i) {
            clock->Tick(); // countdown 0: below 0 on each tick
            QCoreApplication::processEvents();
        }
        state.counters["ms_per_step"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count() /
            999;
        state.counters["last_index"] = form.Index();
        state.counters["rss_mb"] = StatusKb("VmRSS:") / 1024.0;
        form.done(0);
    }
    state.counters["rss_before_mb"] = baseKb / 1024.0;
    state.counters["peak_rss_mb"] = StatusKb("VmHWM:") / 1024.0;
}
BENCHMARK(BM_SlideshowThousandPictures)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ProgramFolder = QDir::currentPath().toStdString();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
