// The main window offscreen over a small catalog: what it draws, what the mouse does and the
// command line of each action.
#include "album_fixture.h"
#include "testsupport/qtest_main.h"
#include "ui/mainwindow/album_list_model.h"
#include "ui/mainwindow/main_controls.h"
#include "ui/mainwindow/main_window_rules.h"
#include "ui/mainwindow/tfm_main.h"
#include "ui/skin/skin.h"

#include <QAction>
#include <QBuffer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <memory>

namespace paperkit {

using test::AlbumFixture;

namespace {

bool IsSilver(QRgb pixel) {
    return pixel == qRgb(192, 192, 192);
}
bool IsWhite(QRgb pixel) {
    return pixel == qRgb(255, 255, 255);
}
/// Text pixels are blue, whatever the smoothing made of their edges.
bool IsBlueInk(QRgb pixel) {
    return qBlue(pixel) > 150 && qRed(pixel) < 120 && qGreen(pixel) < 120;
}

int CountInk(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += IsBlueInk(image.pixel(x, y)) ? 1 : 0;
    return ink;
}

} // namespace

class TFmMainTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AlbumFixture> fx;
    CommandLines commands;
    QPointer<TFmMain> window;
    std::vector<std::string> questions;
    bool answer = true;
    std::vector<std::string> chosenFiles;
    std::vector<std::vector<std::filesystem::path>> slideshows;
    std::vector<std::string> opened;
    int random = 0;

    TFmMainServices Services() {
        TFmMainServices services;
        services.Language = TLanguage(2052);
        services.Screen = {1024, 768, 1024, 768};
        services.AskYesNo = [this](const std::string& q) {
            questions.push_back(q);
            return answer;
        };
        services.ChooseFiles = [this](QWidget*, const QString& filter) {
            m_filter = filter;
            return chosenFiles;
        };
        services.ShowSlideshow = [this](const std::vector<std::filesystem::path>& paths) {
            slideshows.push_back(paths);
        };
        services.OpenUrl = [this](const std::string& url) { opened.push_back(url); };
        services.Random = [this](int) { return random; };
        return services;
    }

    TFmMain& Open() {
        window = new TFmMain(fx->Setup, commands, Services());
        window->show();
        return *window;
    }

    /// The point of a row's column at x in the list's own coordinates.
    static QPoint RowPoint(QTableView* list, int row, int x) {
        return QPoint(x, list->rowViewportPosition(row) + list->rowHeight(row) / 2);
    }

    static void Press(QTableView* list, int row, int x) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowPoint(list, row, x));
    }

    void GoToDownloads() { window->PageMain->setCurrentIndex(1); }

    QString m_filter;

private slots:
    void initTestCase() { ApplySkin(*qApp); }

    void init() {
        fx = std::make_unique<AlbumFixture>();
        commands.clear();
        questions.clear();
        chosenFiles.clear();
        slideshows.clear();
        opened.clear();
        answer = true;
        random = 0;
    }

    void cleanup() {
        delete window.data();
        fx.reset();
    }

    void windowFrame() {
        TFmMain& w = Open();
        QCOMPARE(w.size(), QSize(766, 584));
        QCOMPARE(w.windowTitle(), QStringLiteral("青鸾画屏 v2011c.12rc9"));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.PageMain->tabText(0), QStringLiteral("最新更新"));
        QCOMPARE(w.PageMain->tabText(1), QStringLiteral("我的下载"));
        QCOMPARE(w.ListTitle->columnWidth(0), 355);
        QCOMPARE(w.ListTitle->columnWidth(1), 44);
        // every control the user can reach has a name a screen reader can say
        for (QWidget* child : w.findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(child) || qobject_cast<QTableView*>(child) ||
                qobject_cast<QRadioButton*>(child) || qobject_cast<QGroupBox*>(child) ||
                qobject_cast<TUrlLabel*>(child) || qobject_cast<TCoverButton*>(child))
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
        }
    }

    void progressColumnPixels() {
        auto& part = fx->AddNew(AlbumFixture::MakeAlbum(1, 40, 12));
        part.Download = true;
        auto& full = fx->AddNew(AlbumFixture::MakeAlbum(2, 40, 40));
        full.Download = true;
        fx->AddNew(AlbumFixture::MakeAlbum(3, 40, 0)); // not downloaded
        auto& empty = fx->AddNew(AlbumFixture::MakeAlbum(4, 0, 0));
        empty.Download = true;
        TFmMain& w = Open();
        w.ListTitle->clearSelection();
        const QImage shot =
            w.ListTitle->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int L = 355, W = 44;
        const auto top = [&](int row) { return w.ListTitle->rowViewportPosition(row); };

        // 12/40: frame, bar up to L + 44 * 12 / 40 = L + 13 (exclusive), text over it
        int T = top(0);
        QVERIFY(IsSilver(shot.pixel(L + 1, T + 6)));
        QVERIFY(IsSilver(shot.pixel(L + 1, T + 13)));
        QVERIFY(IsWhite(shot.pixel(L + 1, T + 5)));
        QVERIFY(IsWhite(shot.pixel(L + 2, T + 2)));
        // The text lies over the bar: its smoothed edges blend with what is under them, so the
        // bar is silver or ink up to its end and never silver after it.
        const int barEnd = L + W * 12 / 40; // exclusive
        for (int y = T + 7; y <= T + 12; ++y) {
            for (int x = L + 2; x < barEnd; ++x)
                QVERIFY2(!IsWhite(shot.pixel(x, y)), qPrintable(QString::number(x)));
            for (int x = barEnd; x < L + W - 2; ++x)
                QVERIFY2(!IsSilver(shot.pixel(x, y)), qPrintable(QString::number(x)));
        }
        QVERIFY(IsSilver(shot.pixel(L + 3, T + 9)));
        QVERIFY(IsWhite(shot.pixel(L + W - 3, T + 9)));
        QVERIFY(CountInk(shot, QRect(L + 2, T + 2, W - 3, 14)) > 10);

        // 40/40: the whole frame filled and no text
        T = top(1);
        for (int x = L + 2; x < L + W - 1; ++x)
            QVERIFY2(IsSilver(shot.pixel(x, T + 9)), qPrintable(QString::number(x)));
        QCOMPARE(CountInk(shot, QRect(L + 1, T, W - 2, 16)), 0);

        // not downloaded: "下载" from L + 10, nothing silver
        T = top(2);
        QVERIFY(CountInk(shot, QRect(L + 10, T + 3, 26, 13)) > 10);
        QCOMPARE(CountInk(shot, QRect(L + 1, T, 8, 16)), 0);
        for (int x = L + 1; x < L + W - 1; ++x)
            QVERIFY(!IsSilver(shot.pixel(x, T + 9)));

        // no pictures: an empty column
        T = top(3);
        for (int y = T; y < T + 16; ++y)
            for (int x = L + 1; x < L + W - 1; ++x)
                QVERIFY(IsWhite(shot.pixel(x, y)));

        // a selected row keeps its column 2 readable: blue on white, the selection in column 1
        w.ListTitle->selectRow(2);
        const QImage selected =
            w.ListTitle->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        T = top(2);
        QVERIFY(IsWhite(selected.pixel(L + 4, T + 9)));
        QVERIFY(CountInk(selected, QRect(L + 10, T + 3, 26, 13)) > 10);
        QVERIFY(!IsWhite(selected.pixel(100, T + 9)));
    }

    void mouseZones() {
        auto& fresh = fx->AddNew(AlbumFixture::MakeAlbum(1, 4, 0));
        auto& complete = fx->AddNew(AlbumFixture::MakeAlbum(2, 3, 3));
        complete.Download = true;
        complete.Size = 0;
        auto& other = fx->AddNew(AlbumFixture::MakeAlbum(3, 3, 0));
        TFmMain& w = Open();
        QTableView* list = w.ListTitle;

        Press(list, 1, 370); // complete: "nothing"
        Press(list, 1, 6);
        QCOMPARE(w.SelectedRow('1'), 1);
        QVERIFY(commands.empty());
        QVERIFY(complete.Download);

        Press(list, 0, 370); // "下载" ticks it
        QVERIFY(fresh.Download);
        QCOMPARE(fresh.Size, 0);
        QVERIFY(fresh.InWallList);
        QCOMPARE(commands.back(), std::string("SubjectSetupSize:1"));
        Press(list, 0, 370); // already on: nothing more
        QCOMPARE(commands.size(), std::size_t(1));
        Press(list, 0, 6); // the arrow switches it off again
        QVERIFY(!fresh.Download);
        QCOMPARE(fresh.Size, -1);
        QVERIFY(!fresh.InWallList);
        QCOMPARE(commands.back(), std::string("SubjectSetupSize:1"));

        Press(list, 2, 18); // the monitor: into the rotation, no size chosen
        QVERIFY(other.Download);
        QVERIFY(other.InWallList);
        QCOMPARE(other.Size, -1);
        QCOMPARE(w.Model('1').Item(2)->StateIndex, 0);
        QCOMPARE(commands.back(), std::string("SubjectSetup:3"));
        QVERIFY(fx->Setup.WallPapers.Find('1', "3"));

        commands.clear();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(370, 300)); // no row
        QVERIFY(commands.empty());
        QCOMPARE(w.SelectedRow('1'), 2);
    }

    void commandLines() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(21, 2, 0));
        auto& down = fx->AddDown(AlbumFixture::MakeAlbum(31, 2, 0, "1024x768,1280x800"));
        down.Size = 0;
        down.Download = true;
        TFmMain& w = Open();

        w.ToggleDownload(0);
        QCOMPARE(commands.back(), std::string("SubjectSetupSize:21"));
        w.ToggleWallPaper(0);
        QCOMPARE(commands.back(), std::string("SubjectSetup:21"));
        album.Size = 0;
        w.MenuReDownloadClick();
        QCOMPARE(commands.back(), std::string("SubjectSetupSize:21"));
        QTest::mouseClick(w.BtnCheckNew, Qt::LeftButton);
        QCOMPARE(commands.back(), std::string("CheckNew"));

        GoToDownloads();
        w.ToggleDownload(0);
        QCOMPARE(commands.back(), std::string("DSubjectSetupSize:31"));
        w.ToggleWallPaper(0);
        QCOMPARE(commands.back(), std::string("DSubjectSetup:31"));
        // the size group of the album: "不下载", then its sizes; a click sends the size command
        auto radios = w.RdgSize->findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 3);
        QTest::mouseClick(radios[2], Qt::LeftButton, {}, QPoint(6, radios[2]->height() / 2));
        QCOMPARE(commands.back(), std::string("DSubjectSetupSize:31"));
        QCOMPARE(down.Size, SizeIndex("1280x800"));
        w.MenuReDownloadClick();
        QCOMPARE(commands.back(), std::string("DSubjectSetupSize:31"));

        // guide files: only those that exist, in one line
        const auto first = DownloadFolder / "a.pkd";
        const auto second = DownloadFolder / "b 二.pkd";
        test::WriteFile(first, "x");
        test::WriteFile(second, "y");
        chosenFiles = {first.string(), (DownloadFolder / "gone.pkd").string(), second.string()};
        QTest::mouseClick(w.BtnOpenPkd, Qt::LeftButton);
        QCOMPARE(m_filter, QStringLiteral("Pkd files (*.pkd)"));
        QCOMPARE(commands.back(),
                 "WebDownload:" + first.string() + "\r\n" + second.string() + "\r\n");
        const auto before = commands.size();
        chosenFiles.clear();
        QTest::mouseClick(w.BtnOpenPkd, Qt::LeftButton);
        QCOMPARE(commands.size(), before);

        w.MenuDeleteClick();
        QCOMPARE(commands.back(), std::string("DSubjectDelete:31"));
        QCOMPARE(questions.back(), std::string("您确认删除该壁纸吗？"));
        QCOMPARE(fx->Setup.DSubjects.Count(), 0);
        QVERIFY(!fx->Setup.WallPapers.Find('2', "31"));
    }

    void sizeGroupLayout() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 2, 0, "1024x768,1280x800,1440x900"));
        album.Size = SizeIndex("1280x800");
        album.Download = true;
        fx->AddNew(AlbumFixture::MakeAlbum(2, 2, 0, "1024x768"));
        TFmMain& w = Open();
        auto radios = w.RdgSize->findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 4);
        QCOMPARE(w.RdgSize->height(), 65);
        QCOMPARE(radios[0]->text(), QStringLiteral("不下载"));
        QVERIFY(radios[2]->isChecked());          // the album's own size
        QVERIFY(radios[2]->x() > radios[0]->x()); // two columns
        QVERIFY(commands.empty());                // filling the group sends nothing

        Press(w.ListTitle, 1, 100);
        radios = w.RdgSize->findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 2);
        QCOMPARE(w.RdgSize->height(), 65);
        QVERIFY(radios[0]->isChecked());
        QVERIFY(commands.empty());
    }

    void strayCommasAndUnknownSizes() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 2, 0, "1024x768,,800x601, "));
        TFmMain& w = Open();
        auto radios = w.RdgSize->findChildren<QRadioButton*>();
        QCOMPARE(radios.size(), 3); // "不下载", 1024x768 and 800x601: no empty items
        QCOMPARE(radios[2]->text(), QStringLiteral("800x601"));
        QTest::mouseClick(radios[2], Qt::LeftButton, {}, QPoint(6, radios[2]->height() / 2));
        QVERIFY(!album.Download); // a size the program does not know is never downloaded
        QCOMPARE(album.Size, -1);
        QVERIFY(commands.empty());
        radios = w.RdgSize->findChildren<QRadioButton*>();
        QVERIFY(radios[0]->isChecked());
    }

    void noDownloadLeavesTheRotation() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 3, 3, "1024x768,1280x800"));
        album.Download = true;
        album.Size = 0;
        TFmMain& w = Open();
        w.ToggleWallPaper(0);
        QVERIFY(album.InWallList);
        auto radios = w.RdgSize->findChildren<QRadioButton*>();
        QTest::mouseClick(radios[0], Qt::LeftButton, {}, QPoint(6, radios[0]->height() / 2));
        QVERIFY(!album.InWallList);
        QVERIFY(!album.Download);
        QCOMPARE(fx->Setup.WallPapers.Count(), 0);
        for (const TWallImage& image : album.Images)
            QVERIFY(!image.Downloaded);
        QCOMPARE(w.Model('1').Item(0)->SubItems[2], std::string("0"));
    }

    void selectionAfterDelete() {
        for (int id : {1, 2, 3})
            fx->AddDown(AlbumFixture::MakeAlbum(id, 1, 0));
        TFmMain& w = Open();
        GoToDownloads();
        Press(w.ListDownloadSubject, 2, 100);
        answer = false;
        w.MenuDeleteClick();
        QCOMPARE(fx->Setup.DSubjects.Count(), 3);
        QVERIFY(commands.empty());

        answer = true;
        w.MenuDeleteClick(); // the last one: the new last is selected
        QCOMPARE(w.SelectedRow('2'), 1);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑2"));
        Press(w.ListDownloadSubject, 0, 100);
        w.MenuDeleteClick(); // the first: the next one moves into its place
        QCOMPARE(w.SelectedRow('2'), 0);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑2"));
        w.MenuDeleteClick(); // the only one: the details are cleared
        QCOMPARE(w.SelectedRow('2'), -1);
        QCOMPARE(w.PutTitleCaption->text(), QString());
        QCOMPARE(w.PutCounts->text(), QStringLiteral("图片总数："));
        QVERIFY(!w.BtnPreview->isEnabled());
        QVERIFY(!w.PutURL->isEnabled());
        QCOMPARE(commands,
                 (CommandLines{"DSubjectDelete:3", "DSubjectDelete:1", "DSubjectDelete:2"}));
        w.MenuDeleteClick(); // nothing selected: nothing happens
        QCOMPARE(commands.size(), std::size_t(3));

        // on the latest updates there is no delete
        fx->AddNew(AlbumFixture::MakeAlbum(9, 1, 0));
        w.RefreshLists();
        w.PageMain->setCurrentIndex(0);
        w.MenuDeleteClick();
        QCOMPARE(fx->Setup.Subjects.Count(), 1);
    }

    void popupMenuEnabling() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 2, 0));
        fx->AddDown(AlbumFixture::MakeAlbum(2, 2, 2));
        TFmMain& w = Open();
        QVERIFY(w.PopupMenuPopup());
        QVERIFY(w.MenuDownload->isVisible() && w.MenuDownload->isEnabled());
        QVERIFY(w.MenuToWallPaper->isEnabled());
        QVERIFY(!w.MenuDelete->isVisible());
        QVERIFY(w.MenuReDownload->isVisible());

        w.ToggleWallPaper(0);
        QVERIFY(album.Download);
        w.PopupMenuPopup();
        QVERIFY(!w.MenuDownload->isEnabled());
        QVERIFY(!w.MenuToWallPaper->isEnabled());

        GoToDownloads();
        w.PopupMenuPopup();
        QVERIFY(w.MenuDelete->isVisible());
        QVERIFY(!w.MenuDownload->isEnabled()); // complete
        w.ListDownloadSubject->clearSelection();
        QVERIFY(!w.PopupMenuPopup());
        for (QAction* action : w.PopupMenu->actions())
            QVERIFY(!action->isVisible());
    }

    void ads() {
        {
            TFmMain& w = Open();
            QCOMPARE(w.PutAd->text(), QString::fromUtf8(kDefaultAdText));
            QVERIFY(!w.TimerAd->isActive());
            QTest::mouseClick(w.PutAd, Qt::LeftButton);
            QCOMPARE(opened.back(), std::string(kHomePage));
            delete window.data();
        }
        for (const char* text : {"广告一", "广告二", "广告三"}) {
            auto ad = std::make_unique<TWallAd>();
            ad->Text = text;
            ad->URL = std::string("http://ads.example/") + text;
            fx->Setup.WallAds.Add(std::move(ad));
        }
        fx->Setup.WallAds.Interval = 7;
        random = 2;
        TFmMain& w = Open();
        QCOMPARE(w.AdIndex(), 2);
        QCOMPARE(w.PutAd->text(), QStringLiteral("广告三"));
        QVERIFY(w.TimerAd->isActive());
        QCOMPARE(w.TimerAd->interval(), 7000);
        w.TimerAdTimer();
        QCOMPARE(w.PutAd->text(), QStringLiteral("广告一"));
        w.PutAd->SetLink("   ");
        const auto before = opened.size();
        QTest::mouseClick(w.PutAd, Qt::LeftButton);
        QCOMPARE(opened.size(), before);
    }

    void refreshKeepsFirstSelectedAndEventsRedrawOnlyTheirRow() {
        for (int id : {1, 2, 3})
            fx->AddNew(AlbumFixture::MakeAlbum(id, 4, 0)).Download = true;
        TFmMain& w = Open();
        Press(w.ListTitle, 2, 100);
        w.RefreshLists();
        QCOMPARE(w.SelectedRow('1'), 0);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑1"));

        QSignalSpy changed(&w.Model('1'), &QAbstractItemModel::dataChanged);
        fx->Setup.Subjects.FindImage(2, 3)->Downloaded = true;
        w.OnImageDownloaded('1', 2, 3);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 1);
        QCOMPARE(changed[0][1].toModelIndex().row(), 1);
        QCOMPARE(w.Model('1').Item(1)->SubItems[2], std::string("1"));
        QCOMPARE(
            w.Model('1').data(w.Model('1').index(1, 0), Qt::AccessibleDescriptionRole).toString(),
            QStringLiteral("下载 1/4"));
        w.OnImageDownloaded('1', 2, 99); // no such picture
        w.OnImageDownloaded('2', 2, 3);  // not in that list
        QCOMPARE(changed.size(), 1);

        // a cover only redraws its album when it is the selected one
        w.OnSubjectDownloaded('1', 3);
        QCOMPARE(changed.size(), 1);
        w.OnSubjectDownloaded('1', 1);
        QCOMPARE(changed.size(), 2);
    }

    void showLastDownload() {
        fx->AddNew(AlbumFixture::MakeAlbum(1, 1, 0));
        TFmMain& w = Open();
        fx->AddDown(AlbumFixture::MakeAlbum(5, 1, 0));
        fx->AddDown(AlbumFixture::MakeAlbum(6, 1, 0));
        w.ShowLastDownload();
        QCOMPARE(w.PageMain->currentWidget(), w.SheetDownload);
        QCOMPARE(w.SelectedRow('2'), 1);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑6"));
        QVERIFY(w.isVisible());
    }

    void coverPictures() {
        auto& good = fx->AddNew(AlbumFixture::MakeAlbum(1, 1, 0));
        auto& cut = fx->AddNew(AlbumFixture::MakeAlbum(2, 1, 0));
        auto& junk = fx->AddNew(AlbumFixture::MakeAlbum(3, 1, 0));
        QImage red(160, 120, QImage::Format_RGB32);
        red.fill(Qt::red);
        QByteArray jpeg;
        {
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            red.save(&buffer, "JPG");
        }
        test::WriteFile(*NewSubjectFile(good), std::string(jpeg.constData(), jpeg.size()));
        test::WriteFile(*NewSubjectFile(cut), std::string(jpeg.constData(), jpeg.size() / 2));
        test::WriteFile(*NewSubjectFile(junk), "not a picture at all");
        for (TWallSubject* album : {&good, &cut, &junk})
            album->Downloaded = true;
        TFmMain& w = Open();
        const auto centre = [&] { return w.ImgTitle->Picture().pixelColor(80, 60); };
        QVERIFY(centre().red() > 200 && centre().green() < 60);
        for (int row : {1, 2}) {
            Press(w.ListTitle, row, 100);
            QCOMPARE(centre(), QColor(Qt::white));
        }
    }

    void slideshowAndLinks() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 3, 0));
        album.Size = 0;
        AlbumFixture::WritePicture(*album.Images.Get(1), '1');
        album.Images.Get(1)->Downloaded = true;
        fx->AddNew(AlbumFixture::MakeAlbum(2, 2, 0));
        TFmMain& w = Open();
        QTest::mouseClick(w.ImgTitle, Qt::LeftButton);
        QCOMPARE(slideshows.size(), std::size_t(1));
        QCOMPARE(slideshows[0].size(), std::size_t(1));
        QTest::mouseClick(w.BtnPreview, Qt::LeftButton);
        QCOMPARE(slideshows.size(), std::size_t(2));
        w.MenuPreview->trigger();
        QCOMPARE(slideshows.size(), std::size_t(3));
        QTest::mouseClick(w.PutURL, Qt::LeftButton);
        QCOMPARE(opened.back(), std::string("http://example.org/album/1"));
        Press(w.ListTitle, 1, 100); // nothing on disk: no slideshow
        QTest::mouseClick(w.BtnPreview, Qt::LeftButton);
        QCOMPARE(slideshows.size(), std::size_t(3));
    }

    void serverTextsAreNotMarkup() {
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 1, 0));
        album.Desc = "<b>粗</b>";
        album.Remark = "<img src=\"/etc/passwd\">";
        TFmMain& w = Open();
        QCOMPARE(w.PutTitleCaption->textFormat(), Qt::PlainText);
        QCOMPARE(w.PutTitleRemark->textFormat(), Qt::PlainText);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("<b>粗</b>"));
    }

    void dialogSeamsAndTheOtherPage() {
        int categories = 0, setups = 0, lists = 0;
        bool listOk = false;
        auto services = Services();
        services.ShowCategorySetup = [&](QWidget*) { ++categories; };
        services.ShowSetup = [&](QWidget*) { ++setups; };
        services.ShowWallPaperList = [&](QWidget*) {
            ++lists;
            return listOk;
        };
        auto& album = fx->AddNew(AlbumFixture::MakeAlbum(1, 2, 0));
        fx->AddDown(AlbumFixture::MakeAlbum(2, 2, 0));
        window = new TFmMain(fx->Setup, commands, services);
        window->show();
        TFmMain& w = *window;
        QTest::mouseClick(w.BtnCategory, Qt::LeftButton);
        QTest::mouseClick(w.BtnSetup, Qt::LeftButton);
        QCOMPARE(categories, 1);
        QCOMPARE(setups, 1);

        // the rotation list changed elsewhere: the state pictures follow only after OK
        album.InWallList = true;
        QTest::mouseClick(w.BtnWallPaperList, Qt::LeftButton);
        QCOMPARE(w.Model('1').Item(0)->StateIndex, 3);
        listOk = true;
        QTest::mouseClick(w.BtnWallPaperList, Qt::LeftButton);
        QCOMPARE(lists, 2);
        QCOMPARE(w.Model('1').Item(0)->StateIndex, 2);
        QVERIFY(commands.empty());

        // a cover of the page not shown redraws its row but leaves the details alone
        GoToDownloads();
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑2"));
        w.OnSubjectDownloaded('1', 1);
        QCOMPARE(w.PutTitleCaption->text(), QStringLiteral("专辑2"));
    }

    void closingFreesTheWindow() {
        TFmMain& w = Open();
        QTest::mouseClick(w.BtnExit, Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::TFmMainTest)
#include "tfm_main_test.moc"
