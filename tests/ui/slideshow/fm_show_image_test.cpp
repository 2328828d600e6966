#include "support/globals.h"
#include "testsupport/qtest_main.h"
#include "ui/slideshow/fm_show_image.h"
#include "ui/slideshow/slideshow_launcher.h"
#include "ui/transitions/transition_image.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <deque>

using namespace paperkit;

namespace {

// Ticks only when told: Advance(ms) fires every 500 ms that pass while it is on, and switching
// it off and on starts a new period, as a real timer does.
class FakeTimer final : public SlideshowTimer {
public:
    void SetEnabled(bool on) override {
        if (!on)
            m_phaseMs = 0;
        m_on = on;
    }
    bool Enabled() const override { return m_on; }
    void Advance(int ms) {
        for (int i = 0; i < ms && m_on; ++i)
            if (++m_phaseMs == kIntervalMs) {
                m_phaseMs = 0;
                Fire();
            }
    }

private:
    bool m_on = false;
    int m_phaseMs = 0;
};

class FakeMedia final : public MediaCommands {
public:
    MediaReply Send(const std::string& command) override {
        sent.push_back(command);
        if (command.rfind("STATUS", 0) == 0)
            return {true, status};
        return {true, {}};
    }
    int Count(const std::string& command) const {
        return static_cast<int>(std::count(sent.begin(), sent.end(), command));
    }
    std::vector<std::string> sent;
    std::string status = "playing";
};

class ScriptedStyles final : public StyleSource {
public:
    int Next() override {
        const int style = styles.empty() ? 7 : styles.front();
        if (!styles.empty())
            styles.pop_front();
        ++drawn;
        return style;
    }
    std::deque<int> styles;
    int drawn = 0;
};

const QRect kScreen(0, 0, 1280, 1024);

} // namespace

class FmShowImageTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TWallParas m_paras;
    FakeMedia m_media;
    ScriptedStyles m_styles;
    FakeTimer* m_timer = nullptr;
    std::unique_ptr<TFmShowImage> m_form;

    QString Picture(const QString& name, QSize size, QColor colour) {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path)) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            image.save(path);
        }
        return path;
    }

    QStringList Album(int count) {
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << Picture(QString("p%1.png").arg(i), QSize(320, 240), colours[i % 5]);
        return paths;
    }

    TFmShowImage& Open(const QStringList& paths) {
        auto timer = std::make_unique<FakeTimer>();
        m_timer = timer.get();
        m_form = std::make_unique<TFmShowImage>(
            m_paras, SlideshowServices{m_media, m_styles, std::move(timer), kScreen});
        m_form->Paths() = paths;
        m_form->show();
        return *m_form;
    }

    QAction* Item(const char* name) { return m_form->findChild<QAction*>(name); }

    void Click(const char* name) { Item(name)->trigger(); }

private slots:
    void init() {
        m_paras = TWallParas();
        m_paras.Interval = 3;
        m_paras.SpecialStyle = false;
        m_paras.PlayRecycle = false;
        m_paras.PlayMusic = false;
        m_paras.MusicType = '2';
        m_paras.MusicFile = "/music/mine.mp3";
        m_media = FakeMedia();
        m_styles = ScriptedStyles();
        ProgramFolder = m_dir.path().toStdString();
    }
    void cleanup() { m_form.reset(); }

    void CoversTheScreenBlackWithTheMenuInOrder() {
        TFmShowImage& form = Open(Album(2));
        QCOMPARE(form.geometry(), kScreen);
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(form.Image()->focusPolicy(), Qt::NoFocus);
        QStringList items;
        for (QAction* action : form.findChild<QMenu*>("PopupMenu")->actions())
            items << (action->isSeparator() ? "-"
                                            : action->objectName() + " " + action->text() +
                                                  (action->isCheckable() ? " [x]" : ""));
        QCOMPARE(items, QStringList({"MenuFirst 第一张", "MenuPrior 前一张", "MenuNext 后一张",
                                     "MenuLast 最后一张", "-", "MenuAutoPlay 自动放映 [x]",
                                     "MenuPlayReCycle 循环播放 [x]", "MenuMusic 播放背景音乐 [x]",
                                     "-", "MenuClose 关闭"}));
        QVERIFY(Item("MenuAutoPlay")->isChecked());
        QVERIFY(m_timer->Enabled());
    }

    void TheMenuKeyOpensTheMenu() {
        TFmShowImage& form = Open(Album(2));
        auto* menu = form.findChild<QMenu*>("PopupMenu");
        QVERIFY(!menu->isVisible());
        QTest::keyClick(&form, Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    void IntervalThreeShowsEachPictureThreeAndAHalfSeconds() {
        TFmShowImage& form = Open(Album(3));
        m_timer->Advance(3499);
        QCOMPARE(form.Index(), 0);
        m_timer->Advance(1);
        QCOMPARE(form.Index(), 1);
        // read again at every step
        m_paras.Interval = 2;
        m_timer->Advance(3499);
        QCOMPARE(form.Index(), 1);
        m_timer->Advance(1);
        QCOMPARE(form.Index(), 2);
        m_timer->Advance(2499);
        QVERIFY(form.isVisible());
    }

    void AtTheEndLoopReturnsToTheFirstAndNoLoopCloses_data() {
        QTest::addColumn<bool>("loop");
        QTest::newRow("loop") << true;
        QTest::newRow("no loop") << false;
    }
    void AtTheEndLoopReturnsToTheFirstAndNoLoopCloses() {
        QFETCH(bool, loop);
        m_paras.PlayRecycle = loop;
        TFmShowImage& form = Open(Album(2));
        m_timer->Advance(2 * 3500);
        QCOMPARE(form.isVisible(), loop);
        QCOMPARE(m_timer->Enabled(), loop);
        if (loop)
            QCOMPARE(form.Index(), 0);
    }

    void AClickOnTheLastPictureWithoutLoopClosesAtOnce() {
        TFmShowImage& form = Open(Album(3));
        QTest::mouseClick(form.Image(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Index(), 1);
        Click("MenuLast");
        QCOMPARE(form.Index(), 2);
        QVERIFY(!Item("MenuNext")->isEnabled());
        QTest::mouseClick(form.Image(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form.isVisible());
        QCOMPARE(form.Index(), 2);
    }

    void ManualStepsKeepTheCountdownAndFollowAutoPlay() {
        m_paras.PlayRecycle = true;
        TFmShowImage& form = Open(Album(4));
        QVERIFY(!Item("MenuPrior")->isEnabled());
        Click("MenuPrior");
        QCOMPARE(form.Index(), 0);
        m_timer->Advance(1000);
        QCOMPARE(form.Countdown(), 4);
        Click("MenuNext");
        QCOMPARE(form.Index(), 1);
        QCOMPARE(form.Countdown(), 4);
        QVERIFY(Item("MenuPrior")->isEnabled());
        Click("MenuLast");
        QVERIFY(!Item("MenuNext")->isEnabled());
        // the item is off on the last picture; a click on the picture goes round with loop on
        QTest::mouseClick(form.Image(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Index(), 0);
        Click("MenuLast");
        Click("MenuPrior");
        QCOMPARE(form.Index(), 2);
        Click("MenuFirst");
        QCOMPARE(form.Index(), 0);

        Click("MenuAutoPlay"); // off: no automatic steps, and manual steps leave the timer off
        QVERIFY(!m_timer->Enabled());
        Click("MenuNext");
        QVERIFY(!m_timer->Enabled());
        m_timer->Advance(60000);
        QCOMPARE(form.Index(), 1);
        Click("MenuAutoPlay");
        QVERIFY(m_timer->Enabled());
    }

    void LargePicturesAreFittedAndSmallOnesShownAtTheirOwnSize() {
        const QString large = Picture("large.png", QSize(3000, 2000), Qt::red);
        const QString small = Picture("small.png", QSize(800, 600), Qt::green);
        TFmShowImage& form = Open({large, small});
        QCOMPARE(form.Image()->geometry(), QRect(0, 85, 1280, 853));
        QVERIFY(form.Image()->Stretch());
        Click("MenuNext");
        QCOMPARE(form.Image()->geometry(), kScreen);
        QVERIFY(!form.Image()->Stretch());
        const QImage frame = form.Image()->CurrentFrame();
        const qreal ratio = form.Image()->devicePixelRatioF();
        auto at = [&](int x, int y) { return frame.pixelColor(QPoint(x, y) * ratio); };
        QCOMPARE(at(240, 212), QColor(Qt::green));
        QCOMPARE(at(1039, 811), QColor(Qt::green));
        QCOMPARE(at(239, 212), QColor(Qt::black));
        QCOMPARE(at(1040, 811), QColor(Qt::black));
        QCOMPARE(at(240, 211), QColor(Qt::black));
    }

    void StylesComeFromTheGeneratorOnlyWithSpecialStyle_data() {
        QTest::addColumn<bool>("special");
        QTest::newRow("effects") << true;
        QTest::newRow("no effects") << false;
    }
    void StylesComeFromTheGeneratorOnlyWithSpecialStyle() {
        QFETCH(bool, special);
        m_paras.SpecialStyle = special;
        m_styles.styles = {12, 0, 171};
        TFmShowImage& form = Open(Album(3));
        QList<int> styles{form.Image()->Style()};
        Click("MenuNext");
        styles << form.Image()->Style();
        Click("MenuNext");
        styles << form.Image()->Style();
        QCOMPARE(styles, special ? QList<int>({12, 0, 171}) : QList<int>({0, 0, 0}));
        QCOMPARE(m_styles.drawn, special ? 3 : 0);
    }

    void TheProgramsGeneratorDrawsTheSameStylesEveryRun() {
        FixedStyleSource first, second;
        QList<int> a, b;
        QSet<int> seen;
        for (int i = 0; i < 2000; ++i) {
            a << first.Next();
            b << second.Next();
            seen.insert(a.back());
        }
        QCOMPARE(a, b);
        QCOMPARE(seen.size(), 172);
        QCOMPARE(*std::min_element(a.begin(), a.end()), 0);
        QCOMPARE(*std::max_element(a.begin(), a.end()), 171);
    }

    void PicturesThatCannotBeLoadedShowBlackAndTheShowGoesOn() {
        const QString empty = m_dir.filePath("empty.jpg");
        QFile(empty).open(QIODevice::WriteOnly);
        QImage gifPicture(64, 64, QImage::Format_RGB32);
        gifPicture.fill(Qt::white);
        const QString gif = m_dir.filePath("picture.gif");
        gifPicture.save(gif, "gif");
        m_paras.SpecialStyle = true;
        TFmShowImage& form = Open({Album(1)[0], empty, gif, m_dir.filePath("missing.jpg")});
        for (int i = 1; i <= 3; ++i) {
            m_timer->Advance(3500);
            QCOMPARE(form.Index(), i);
            if (form.Image()->Busy())
                form.Image()->Stop();
            const QImage frame = form.Image()->CurrentFrame();
            QCOMPARE(frame.pixelColor(frame.width() / 2, frame.height() / 2), QColor(Qt::black));
        }
        QCOMPARE(m_styles.drawn, 1);
        m_timer->Advance(3500);
        QVERIFY(!form.isVisible());
    }

    void MusicStopsAndResumesWithItsMenuItem() {
        m_paras.PlayMusic = true;
        TFmShowImage& form = Open(Album(2));
        QCOMPARE(m_media.sent,
                 std::vector<std::string>(
                     {"OPEN \"/music/mine.mp3\" ALIAS bkfilename", "PLAY bkfilename FROM 0"}));
        QVERIFY(form.MusicOpened());
        m_media.sent.clear();
        Click("MenuMusic");
        Click("MenuMusic");
        QCOMPARE(m_media.sent, std::vector<std::string>({"STOP bkfilename", "PLAY bkfilename"}));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(m_media.sent.back(), std::string("CLOSE bkfilename"));
        QVERIFY(!m_timer->Enabled());
    }

    void MusicOffAtTheStartOpensWhenCheckedAndClosesOnce() {
        TFmShowImage& form = Open(Album(2));
        QVERIFY(m_media.sent.empty());
        m_timer->Advance(2000);
        QVERIFY2(m_media.sent.empty(), "no status asked while the music is off");
        Click("MenuMusic");
        QCOMPARE(m_media.sent,
                 std::vector<std::string>(
                     {"OPEN \"/music/mine.mp3\" ALIAS bkfilename", "PLAY bkfilename FROM 0"}));
        Click("MenuClose");
        QVERIFY(!form.isVisible());
        QCOMPARE(m_media.Count("CLOSE bkfilename"), 1);
        form.close();
        QCOMPARE(m_media.Count("CLOSE bkfilename"), 1);
    }

    void MusicLoopsOnlyWhileAutomaticPlayIsOn() {
        m_paras.PlayMusic = true;
        Open(Album(2));
        m_timer->Advance(500);
        QCOMPARE(m_media.Count("STATUS bkfilename MODE"), 1);
        QCOMPARE(m_media.Count("PLAY bkfilename FROM 0"), 1);
        m_media.status = "stopped";
        m_timer->Advance(500);
        QCOMPARE(m_media.Count("PLAY bkfilename FROM 0"), 2);
        Click("MenuAutoPlay");
        m_timer->Advance(5000);
        QCOMPARE(m_media.Count("STATUS bkfilename MODE"), 2);
        QCOMPARE(m_media.Count("PLAY bkfilename FROM 0"), 2);
    }

    void DefaultMusicComesFromTheProgramFolderWhateverTheFileSays() {
        m_paras.PlayMusic = true;
        m_paras.MusicType = '1';
        TFmShowImage& form = Open(Album(1));
        const QString expected = m_dir.filePath("default.wma");
        QCOMPARE(form.MusicFile(), expected);
        QCOMPARE(m_media.sent.front(), "OPEN \"" + expected.toStdString() + "\" ALIAS bkfilename");
    }

    void MenuChangesLastOnlyForTheShowing() {
        m_paras.PlayRecycle = true;
        m_paras.PlayMusic = true;
        Open(Album(2));
        Click("MenuPlayReCycle");
        Click("MenuMusic");
        Click("MenuAutoPlay");
        QVERIFY(m_paras.PlayRecycle);
        QVERIFY(m_paras.PlayMusic);
        m_form.reset();
        TFmShowImage& again = Open(Album(2));
        QVERIFY(again.findChild<QAction*>("MenuPlayReCycle")->isChecked());
        QVERIFY(again.findChild<QAction*>("MenuMusic")->isChecked());
        QVERIFY(again.findChild<QAction*>("MenuAutoPlay")->isChecked());
    }

    void AnEmptyListClosesAtOnce() {
        TFmShowImage& form = Open({});
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(m_media.sent.empty());
    }

    void TheLauncherShowsNothingForAnEmptyList() {
        FmShowImageLauncher launcher(m_paras, m_media);
        launcher.ShowPictures({}); // would block in its modal loop if it showed anything
        QVERIFY(m_media.sent.empty());
    }

    void TheLauncherShowsThePicturesModallyUntilClosed() {
        m_paras.PlayMusic = true;
        FmShowImageLauncher launcher(m_paras, m_media);
        const QStringList album = Album(2);
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<TFmShowImage*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QCOMPARE(form->Paths().size(), 2);
            QTest::keyClick(form, Qt::Key_Escape);
        });
        launcher.ShowPictures({album[0].toStdString(), album[1].toStdString()});
        QCOMPARE(m_media.sent.back(), std::string("CLOSE bkfilename"));
    }
};

PAPERKIT_QTEST_MAIN(FmShowImageTest)
#include "fm_show_image_test.moc"
