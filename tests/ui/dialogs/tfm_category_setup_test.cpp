// The category presets dialog offscreen: the check list, the two buttons, OK and Cancel, and a
// refill while it is open.
#include "accessible_names.h"
#include "testsupport/qtest_main.h"
#include "ui/categories/tfm_category_setup.h"
#include "ui/form_showing.h"

#include <QPushButton>
#include <QTableWidget>
#include <memory>

namespace paperkit {

namespace {

void AddCategory(TWallCategorys& list, int id, const char* desc, bool preset) {
    auto category = std::make_unique<TWallCategory>();
    category->Id = id;
    category->Desc = desc;
    category->Preset = preset;
    list.Add(std::move(category));
}

QString Presets(const TWallCategorys& list) {
    QString marks;
    for (const TWallCategory& c : list)
        marks += c.Preset ? QLatin1Char('x') : QLatin1Char('.');
    return marks;
}

QString Ticks(const TFmCategorySetup& dialog) {
    QString marks;
    for (int i = 0; i < dialog.EntryCount(); ++i)
        marks += dialog.Entry(i)->checkState() == Qt::Checked ? QLatin1Char('x') : QLatin1Char('.');
    return marks;
}

} // namespace

class TFmCategorySetupTest : public QObject {
    Q_OBJECT

    TWallCategorys categorys;
    CommandLines commands;

private slots:
    void init() {
        categorys.Clear();
        commands.clear();
        AddCategory(categorys, 3, "风景", true);
        AddCategory(categorys, 5, "动物", false);
        AddCategory(categorys, 9, "名车", false);
    }

    void showsEachCategoryInTwoColumns() {
        TFmCategorySetup dialog(categorys, commands);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("类别预设"));
        QCOMPARE(dialog.EntryCount(), 3);
        QCOMPARE(dialog.Entry(1)->text(), QStringLiteral("动物"));
        QCOMPARE(Ticks(dialog), QStringLiteral("x.."));
        QCOMPARE(dialog.Category(2), categorys.Get(2));
        QVERIFY(!dialog.Category(3));
        // the second entry sits beside the first, the third below it
        const QRect first = dialog.ListBox->visualItemRect(dialog.Entry(0));
        const QRect second = dialog.ListBox->visualItemRect(dialog.Entry(1));
        const QRect third = dialog.ListBox->visualItemRect(dialog.Entry(2));
        QCOMPARE(second.top(), first.top());
        QVERIFY(second.left() > first.right());
        QCOMPARE(third.left(), first.left());
        QCOMPARE(third.top() - first.top(), 16);
        QCOMPARE(ShowingFormAs<CategorySetupSeam>("TFmCategorySetup"),
                 static_cast<CategorySetupSeam*>(&dialog));
    }

    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("presets");
        QTest::addColumn<int>("lines");
        QTest::newRow("select all, OK") << "BtnSelectAll"
                                        << "BtnOk"
                                        << "xxx" << 1;
        QTest::newRow("select none, OK") << "BtnNotSelectAll"
                                         << "BtnOk"
                                         << "..." << 1;
        QTest::newRow("select all, Cancel") << "BtnSelectAll"
                                            << "BtnCancel"
                                            << "x.." << 0;
        QTest::newRow("select none, Cancel") << "BtnNotSelectAll"
                                             << "BtnCancel"
                                             << "x.." << 0;
    }
    void buttons() {
        QFETCH(QString, button);
        QFETCH(QString, closing);
        QFETCH(QString, presets);
        QFETCH(int, lines);
        TFmCategorySetup dialog(categorys, commands);
        dialog.findChild<QPushButton*>(button)->click();
        // neither button touches the catalog by itself
        QCOMPARE(Presets(categorys), QStringLiteral("x.."));
        dialog.findChild<QPushButton*>(closing)->click();
        QCOMPARE(Presets(categorys), presets);
        QCOMPARE(int(commands.size()), lines);
        if (lines)
            QCOMPARE(commands.front(), std::string("CategorySetup"));
    }

    void okWritesSingleTicks() {
        TFmCategorySetup dialog(categorys, commands);
        dialog.Entry(0)->setCheckState(Qt::Unchecked);
        dialog.Entry(2)->setCheckState(Qt::Checked);
        dialog.BtnOk->click();
        QCOMPARE(Presets(categorys), QStringLiteral("..x"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void emptyCatalogStillSendsTheCommand() {
        categorys.Clear();
        TFmCategorySetup dialog(categorys, commands);
        QCOMPARE(dialog.EntryCount(), 0);
        dialog.BtnSelectAll->click();
        dialog.BtnOk->click();
        QCOMPARE(commands, CommandLines{"CategorySetup"});
    }

    void refillShowsEachCategoryOnceWithTheStoredFlags() {
        TFmCategorySetup dialog(categorys, commands);
        dialog.BtnSelectAll->click();
        // the catalog is loaded anew: new records, one more category
        TWallCategorys loaded;
        loaded.Assign(categorys);
        AddCategory(loaded, 11, "美女", true);
        categorys.Assign(loaded);
        dialog.FillCategories();
        QCOMPARE(dialog.EntryCount(), 4);
        QCOMPARE(Ticks(dialog), QStringLiteral("x..x"));
        QCOMPARE(dialog.Category(3), categorys.Get(3));
        dialog.BtnOk->click();
        QCOMPARE(Presets(categorys), QStringLiteral("x..x"));
    }

    void aReloadWithoutRefillWritesOnlyThroughEntriesStillInTheCatalog() {
        TFmCategorySetup dialog(categorys, commands);
        dialog.BtnSelectAll->click();
        // the records are replaced; freed memory may come back for the new ones
        categorys.Clear();
        AddCategory(categorys, 7, "花卉", false);
        AddCategory(categorys, 8, "卡通", false);
        QVERIFY(!dialog.Category(0) && !dialog.Category(1) && !dialog.Category(2));
        dialog.BtnOk->click();
        QCOMPARE(Presets(categorys), QStringLiteral(".."));
        QCOMPARE(commands.size(), std::size_t(1));
    }

    void everyControlHasAnAccessibleNameOfItsOwn() {
        TFmCategorySetup dialog(categorys, commands);
        const QString faults = test::AccessibleNameFaults(dialog);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
    }
};

} // namespace paperkit

PAPERKIT_QTEST_MAIN(paperkit::TFmCategorySetupTest)
#include "tfm_category_setup_test.moc"
