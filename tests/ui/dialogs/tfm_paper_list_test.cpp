// The rotation list dialog and the local folder dialog offscreen: captions, moves and removals
// with their selection rules, OK and Cancel, preview paths, an added folder and a refill.
#include "accessible_names.h"
#include "rotation/local_paths.h"
#include "support/globals.h"
#include "testsupport/qtest_main.h"
#include "ui/form_showing.h"
#include "ui/paperlist/paper_list_rules.h"
#include "ui/paperlist/tfm_paper_list.h"
#include "ui/paperlist/tfm_self_path.h"
#include "ui/slideshow/slideshow_launcher.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <fstream>
#include <memory>

namespace paperkit {

namespace {

namespace fs = std::filesystem;

fs::path DataHome() {
    return fs::path(qEnvironmentVariable("XDG_DATA_HOME").toStdString());
}

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
}

class RecordingSlideshow : public SlideshowLauncher {
public:
    std::vector<std::vector<fs::path>> shown;
    void ShowPictures(const std::vector<fs::path>& pictures, QWidget*) override {
        shown.push_back(pictures);
    }
};

void AddPaper(TWallPapers& list, char type, const std::string& id, const std::string& name,
              char hasSub = 'N') {
    auto paper = std::make_unique<TWallPaper>();
    paper->Type = type;
    paper->Id = id;
    paper->Name = name;
    paper->HasSub = hasSub;
    list.Add(std::move(paper));
}

TWallSubject& AddAlbum(TWallSubjects& list, int id, int images) {
    auto album = std::make_unique<TWallSubject>();
    album->Id = id;
    album->LocalPath = "a" + std::to_string(id) + "/";
    TWallSubject& added = *album;
    list.Add(std::move(album));
    for (int no = 1; no <= images; ++no) {
        auto image = std::make_unique<TWallImage>();
        image->No = no;
        image->FileName = std::to_string(no) + ".jpg";
        added.Images.Add(std::move(image));
    }
    return added;
}

QString Captions(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts.join(QLatin1Char('|'));
}

QString Names(const TWallPapers& list) {
    QStringList texts;
    for (const TWallPaper& p : list)
        texts << QString::fromStdString(p.Name);
    return texts.join(QLatin1Char('|'));
}

} // namespace

class TFmPaperListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainSetupFiles> setup;
    CommandLines commands;
    RecordingSlideshow slideshow;
    std::optional<LocalFolderChoice> choice;

    std::unique_ptr<TFmPaperList> Make() {
        return std::make_unique<TFmPaperList>(*setup, commands, slideshow,
                                              [this](QWidget*) { return choice; });
    }

private slots:
    void init() {
        DownloadFolder = DataHome() / "Download";
        setup = std::make_unique<TMainSetupFiles>();
        AddAlbum(setup->Subjects, 10, 3).InWallList = true;
        AddAlbum(setup->Subjects, 11, 1);
        AddAlbum(setup->DSubjects, 20, 2).InWallList = true;
        AddPaper(setup->WallPapers, '1', "10", "山水");
        AddPaper(setup->WallPapers, '2', "20", "海洋");
        AddPaper(setup->WallPapers, '0', "/pics", "本地");
        AddPaper(setup->WallPapers, 'x', "?", "其他");
        commands.clear();
        slideshow.shown.clear();
        choice.reset();
    }

    void fillShowsPrefixesAndSelectsTheFirst() {
        auto dialog = Make();
        QCOMPARE(Captions(*dialog->ListView),
                 QStringLiteral("[最新更新]山水|[我的下载]海洋|[本地壁纸]本地|其他"));
        QCOMPARE(dialog->ListView->currentRow(), 0);
        QCOMPARE(dialog->Record(3), setup->WallPapers.Get(3));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("当前壁纸更换列表"));
        setup->WallPapers.Clear();
        dialog->FillList();
        QCOMPARE(dialog->ListView->count(), 0);
        QCOMPARE(dialog->ListView->currentRow(), -1);
    }

    void movesAndRemovals_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("up on the first") << 0 << "BtnUp"
                                         << "山水|海洋|本地|其他" << 0;
        QTest::newRow("down on the last") << 3 << "BtnDown"
                                          << "山水|海洋|本地|其他" << 3;
        QTest::newRow("up") << 2 << "BtnUp"
                            << "山水|本地|海洋|其他" << 1;
        QTest::newRow("down") << 0 << "BtnDown"
                              << "海洋|山水|本地|其他" << 1;
        QTest::newRow("delete in the middle") << 1 << "BtnDelete"
                                              << "山水|本地|其他" << 1;
        QTest::newRow("delete the last") << 3 << "BtnDelete"
                                         << "山水|海洋|本地" << 2;
        QTest::newRow("down with none selected") << -1 << "BtnDown"
                                                 << "山水|海洋|本地|其他" << -1;
        QTest::newRow("delete with none selected") << -1 << "BtnDelete"
                                                   << "山水|海洋|本地|其他" << -1;
        QTest::newRow("clear all") << 1 << "BtnClearAll"
                                   << "" << -1;
    }
    void movesAndRemovals() {
        QFETCH(int, selected);
        QFETCH(QString, button);
        QFETCH(QString, order);
        QFETCH(int, selectedAfter);
        auto dialog = Make();
        if (selected < 0)
            dialog->ListView->clearSelection();
        else
            dialog->ListView->setCurrentRow(selected);
        dialog->findChild<QPushButton*>(button)->click();
        QStringList shown;
        for (int row = 0; row < dialog->ListView->count(); ++row)
            shown << QString::fromStdString(dialog->Record(row)->Name);
        QCOMPARE(shown.join(QLatin1Char('|')), order);
        if (selectedAfter >= 0)
            QCOMPARE(dialog->ListView->currentRow(), selectedAfter);
        else
            QVERIFY(dialog->ListView->selectedItems().isEmpty());
        // nothing reaches the catalog before OK
        QCOMPARE(Names(setup->WallPapers), QStringLiteral("山水|海洋|本地|其他"));
        QVERIFY(commands.empty());

        const TWallPaper* first = setup->WallPapers.Get(0);
        dialog->BtnOk->click();
        QCOMPARE(Names(setup->WallPapers), order);
        QCOMPARE(commands, CommandLines{"WallPaperSetup"});
        if (order.startsWith(QStringLiteral("山水")))
            QCOMPARE(setup->WallPapers.Get(0), first); // the same records, not copies
        QCOMPARE(setup->Subjects.Get(0)->InWallList, order.contains(QStringLiteral("山水")));
        QCOMPARE(setup->DSubjects.Get(0)->InWallList, order.contains(QStringLiteral("海洋")));
    }

    void deleteTheOnlyItemLeavesNothingSelected() {
        setup->WallPapers.Delete(3);
        setup->WallPapers.Delete(2);
        setup->WallPapers.Delete(1);
        auto dialog = Make();
        dialog->BtnDelete->click();
        QCOMPARE(dialog->ListView->count(), 0);
        QVERIFY(dialog->ListView->selectedItems().isEmpty());
    }

    void cancelForgetsMovesAndRemovals() {
        auto dialog = Make();
        dialog->BtnDown->click();
        dialog->BtnClearAll->click();
        dialog->BtnCancel->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(Names(setup->WallPapers), QStringLiteral("山水|海洋|本地|其他"));
        QVERIFY(commands.empty());
        QVERIFY(setup->Subjects.Get(0)->InWallList);
    }

    void okMarksAlbumsByTheirEntries() {
        AddPaper(setup->WallPapers, '1', "11", "新专辑");
        auto dialog = Make();
        dialog->BtnOk->click();
        QVERIFY(setup->Subjects.Get(0)->InWallList);
        QVERIFY(setup->Subjects.Get(1)->InWallList);
        QVERIFY(setup->DSubjects.Get(0)->InWallList);
    }

    void anAddedFolderStaysEvenAfterCancel() {
        choice = LocalFolderChoice{QStringLiteral("/home/u/图片"),
                                   QStringLiteral("我的\"图片\"\n二"), false};
        auto dialog = Make();
        dialog->BtnPath->click();
        // captioned as a refill would show it
        QCOMPARE(dialog->ListView->item(4)->text(), QStringLiteral("[本地壁纸]我的\"图片\"\n二"));
        QCOMPARE(commands, CommandLines{"WallPaperSetup"});
        QCOMPARE(setup->WallPapers.Count(), 5);
        const TWallPaper& added = *setup->WallPapers.Get(4);
        QCOMPARE(added.Type, '0');
        QCOMPARE(added.Id, std::string("/home/u/图片"));
        QCOMPARE(added.HasSub, 'N');
        dialog->BtnCancel->click();
        QCOMPARE(setup->WallPapers.Count(), 5);
        // a cancelled folder dialog adds nothing
        choice.reset();
        auto again = Make();
        again->BtnPath->click();
        QCOMPARE(setup->WallPapers.Count(), 5);
        QCOMPARE(commands.size(), std::size_t(1));
    }

    void aRefreshWhileOpenShowsEachEntryOnce() {
        auto dialog = Make();
        dialog->show();
        dialog->BtnDown->click();
        QCOMPARE(ShowingFormAs<PaperListSeam>("TFmPaperList"),
                 static_cast<PaperListSeam*>(dialog.get()));
        ShowingFormAs<PaperListSeam>("TFmPaperList")->FillList();
        ShowingFormAs<PaperListSeam>("TFmPaperList")->FillList();
        QCOMPARE(Captions(*dialog->ListView),
                 QStringLiteral("[最新更新]山水|[我的下载]海洋|[本地壁纸]本地|其他"));
    }

    void previewPaths() {
        TWallSubject& latest = *setup->Subjects.Get(0);
        latest.Images.Get(0)->Downloaded = true;
        latest.Images.Get(1)->Downloaded = true; // marked but missing on disk
        Touch(*NewImageFile(*latest.Images.Get(0)));
        Touch(*NewImageFile(*latest.Images.Get(2))); // on disk but not marked
        const fs::path folder = DataHome() / "local";
        Touch(folder / "a.JPG");
        Touch(folder / "b.gif");
        Touch(folder / "c.png");
        Touch(folder / "sub" / "d.bmp");
        setup->WallPapers.Get(2)->Id = folder.string();

        auto dialog = Make();
        dialog->ListView->setCurrentRow(0);
        dialog->BtnPreview->click();
        QCOMPARE(slideshow.shown.size(), std::size_t(1));
        QCOMPARE(slideshow.shown[0], std::vector<fs::path>{*NewImageFile(*latest.Images.Get(0))});

        // an album of the downloads whose pictures are all missing shows nothing
        dialog->ListView->setCurrentRow(1);
        dialog->BtnPreview->click();
        QCOMPARE(slideshow.shown.size(), std::size_t(1));

        const auto flat = PreviewPictures(*setup, *setup->WallPapers.Get(2));
        QCOMPARE(flat.size(), std::size_t(2));
        setup->WallPapers.Get(2)->HasSub = 'Y';
        QCOMPARE(PreviewPictures(*setup, *setup->WallPapers.Get(2)).size(), std::size_t(3));
        // a folder that has gone, an album no longer listed, an id that is no number
        fs::remove_all(folder);
        QVERIFY(PreviewPictures(*setup, *setup->WallPapers.Get(2)).empty());
        setup->WallPapers.Get(0)->Id = "99";
        QVERIFY(PreviewPictures(*setup, *setup->WallPapers.Get(0)).empty());
        setup->WallPapers.Get(0)->Id = "1x";
        QVERIFY(PreviewPictures(*setup, *setup->WallPapers.Get(0)).empty());
    }

    void selfPathFollowsTheSelection() {
        const fs::path folder = DataHome() / "pictures" / "夏天";
        fs::create_directories(folder);
        TFmSelfPath dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("增加本地壁纸目录"));
        QVERIFY(dialog.ChkSubDir->isChecked());
        QVERIFY(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(dialog.SelectedPath(), QDir::homePath());
        QVERIFY(dialog.BtnOk->isEnabled());
        const QString path = QString::fromStdString(folder.string());
        dialog.SelectPath(path);
        QTRY_COMPARE(dialog.SelectedPath(), path);
        QCOMPARE(dialog.EdtName->text(), path);
        QCOMPARE(dialog.PutPath->text(), path);
        dialog.EdtName->setText(QStringLiteral("夏"));
        dialog.ShellTreeView->setCurrentIndex(QModelIndex());
        QVERIFY(!dialog.BtnOk->isEnabled());
        QCOMPARE(dialog.EdtName->text(), QString());
    }

    void everyControlHasAnAccessibleNameOfItsOwn() {
        auto list = Make();
        TFmSelfPath folder;
        for (const QWidget* dialog :
             {static_cast<QWidget*>(list.get()), static_cast<QWidget*>(&folder)}) {
            const QString faults = test::AccessibleNameFaults(*dialog);
            QVERIFY2(faults.isEmpty(),
                     qPrintable(dialog->objectName() + QStringLiteral(": ") + faults));
        }
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::TFmPaperListTest)
#include "tfm_paper_list_test.moc"
