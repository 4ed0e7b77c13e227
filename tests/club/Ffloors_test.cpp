// The pages window over a page control and an installation of its own, and the main
// window's action that opens it.

#include "app/Fmain.h"
#include "club/Ffloors.h"
#include "club/PDevIcon.h"
#include "club/PIconPages.h"
#include "common/PText.h"
#include "support/ModalAnswerer.h"
#include "library/LibraryUiSupport.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

class FloorsFormTest : public QObject {
    Q_OBJECT
    std::unique_ptr<KyLibrary> library;
    std::unique_ptr<KyIcons> icons;
    std::unique_ptr<TPIconPages> pages;
    std::mutex lock;
    std::vector<std::string> pageNames;
    int pagesAdded = 0;
    ModalAnswerer* answerer = nullptr;

    // Pages with the given captions, and one device on each of the given pages.
    void setUp(const QStringList& captions, std::initializer_list<int> devicePages)
    {
        for (const QString& caption : captions) {
            pageNames.push_back(vt::toCp1250(caption));
            pages->addPage(caption);
        }
        for (int page : devicePages) {
            KyClubDevice device(library->deviceAt(0));
            device.page = page;
            library->club.addClubDevice(device);
        }
        icons->build(library->club, pageNames.size());
        pages->rebuildIcons();
    }

    std::unique_ptr<TFloorsForm> open()
    {
        return std::make_unique<TFloorsForm>(*pages, pageNames, library->club, lock, pagesAdded, nullptr);
    }

    QStringList tabs() const
    {
        QStringList out;
        for (int i = 0; i < pages->count(); ++i)
            out << pages->tabText(i);
        return out;
    }

    QStringList names() const
    {
        QStringList out;
        for (const auto& name : pageNames)
            out << vt::fromCp1250(name);
        return out;
    }

    QStringList rows(TPStringGrid* grid) const
    {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << grid->text(r, 0) + "|" + grid->text(r, 1) + "|" + grid->text(r, 2);
        return out;
    }

private slots:
    void init()
    {
        library = std::make_unique<KyLibrary>();
        library->addDevice(KyDevice());
        icons = std::make_unique<KyIcons>();
        pages = std::make_unique<TPIconPages>(*icons, lock);
        pageNames.clear();
        pagesAdded = 0;
        answerer = new ModalAnswerer(this);
    }
    void cleanup()
    {
        delete answerer;
        pages.reset();
    }

    void theGridListsThePagesAndSelectingARowActivatesItsPage()
    {
        setUp({"Strona 1", "Bar", "Taras"}, {0, 0, 2});
        pages->setCurrentIndex(2);
        auto form = open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Strony"));
        TPStringGrid* grid = form->pageGrid();
        QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Liczba urądz."));
        QCOMPARE(rows(grid), QStringList({"1|Strona 1|2", "2|Bar|0", "3|Taras|1"}));
        QCOMPARE(grid->currentRow(), 2);

        QVERIFY(showActive(form.get()));
        clickCell(grid, 1, TFloorsForm::Number);
        QCOMPARE(pages->currentIndex(), 1);
        // The device count cannot be selected.
        clickCell(grid, 0, TFloorsForm::DeviceCount);
        QCOMPARE(pages->currentIndex(), 1);
    }

    void renamingCommitsWithEnterOrAMoveAndEscapeRestores()
    {
        setUp({"Strona 1", "Bar", "Taras"}, {});
        auto form = open();
        QVERIFY(showActive(form.get()));
        TPStringGrid* grid = form->pageGrid();

        typeInCell(grid, 1, TFloorsForm::Name, "Scena Ł");
        QVERIFY(!grid->editing());
        QCOMPARE(tabs(), QStringList({"Strona 1", "Scena Ł", "Taras"}));
        QCOMPARE(names(), tabs());

        typeInCell(grid, 1, TFloorsForm::Name, "Inna", false);
        QTest::keyClick(grid->editor(), Qt::Key_Escape);
        QVERIFY(!grid->editing());
        QCOMPARE(grid->text(1, TFloorsForm::Name), QStringLiteral("Scena Ł"));
        QCOMPARE(tabs()[1], QStringLiteral("Scena Ł"));
        QCOMPARE(names(), tabs());

        // Enter starts editing too; choosing another cell takes the text and that page.
        clickCell(grid, 0, TFloorsForm::Name);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(grid->editing());
        grid->editor()->selectAll();
        typeText(grid->editor(), "Wejście");
        clickCell(grid, 2, TFloorsForm::Name);
        QCOMPARE(tabs(), QStringList({"Wejście", "Scena Ł", "Taras"}));
        QCOMPARE(names(), tabs());
        QCOMPARE(pages->currentIndex(), 2);
    }

    // A name typed and left with Tab (the focus goes to the grid) or still being typed when
    // the window closes is taken, as leaving the grid takes it.
    void aNameLeftWithTabOrByClosingIsKept()
    {
        setUp({"Strona 1", "Bar"}, {});
        auto form = open();
        QVERIFY(showActive(form.get()));
        TPStringGrid* grid = form->pageGrid();
        typeInCell(grid, 1, TFloorsForm::Name, "Scena", false);
        QTest::keyClick(grid->editor(), Qt::Key_Tab);
        QVERIFY(!grid->editing());
        click(form->closeButton());
        QCOMPARE(names(), QStringList({"Strona 1", "Scena"}));
        QCOMPARE(tabs(), names());

        form = open();
        QVERIFY(showActive(form.get()));
        typeInCell(form->pageGrid(), 0, TFloorsForm::Name, "Wejście", false);
        form->close();
        QCOMPARE(names(), QStringList({"Wejście", "Scena"}));
        QCOMPARE(tabs(), names());
    }

    void addNamesNewPagesFromACounterUpToTenPages()
    {
        setUp({"Strona 1"}, {});
        auto form = open();
        QVERIFY(showActive(form.get()));
        click(form->addButton());
        QCOMPARE(tabs(), QStringList({"Strona 1", "Nowa Strona 1"}));
        QCOMPARE(names(), tabs());
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(form->pageGrid()->currentRow(), 1);

        for (int i = 0; i < 9; ++i)
            click(form->addButton());
        QCOMPARE(pages->count(), TFloorsForm::kMaxPages);
        QCOMPARE(tabs().last(), QStringLiteral("Nowa Strona 9"));
        QCOMPARE(pagesAdded, 9);
        QCOMPARE(form->pageGrid()->rowCount(), 10);
    }

    void eraseRenumbersTheDevicesOfLaterPages()
    {
        setUp({"P1", "P2", "P3", "P4"}, {0, 2, 3});
        pages->setCurrentIndex(1);
        auto form = open();
        QVERIFY(showActive(form.get()));
        click(form->eraseButton());
        QCOMPARE(tabs(), QStringList({"P1", "P3", "P4"}));
        QCOMPARE(names(), tabs());
        QCOMPARE(rows(form->pageGrid()), QStringList({"1|P1|1", "2|P3|1", "3|P4|1"}));
        const auto& devices = library->club.clubDevices;
        QCOMPARE(QList<int>({devices[0]->page, devices[1]->page, devices[2]->page}), QList<int>({0, 1, 2}));
        for (TPDevIcon* icon : pages->iconWidgets())
            QCOMPARE(icon->parentWidget(), pages->widget(devices[icon->index()]->page));
        QVERIFY(answerer->seen.isEmpty());
    }

    void eraseRefusesAPageWithDevicesAndTheLastPage()
    {
        setUp({"P1", "P2"}, {1});
        pages->setCurrentIndex(1);
        auto form = open();
        QVERIFY(showActive(form.get()));
        click(form->eraseButton());
        QCOMPARE(answerer->seen,
                 QStringList{"Nie można skasować strony, na której \nzainstalowane są urządzenia.\n"});
        QCOMPARE(tabs(), QStringList({"P1", "P2"}));

        clickCell(form->pageGrid(), 0, TFloorsForm::Name);
        click(form->eraseButton());
        QCOMPARE(tabs(), QStringList({"P2"}));
        QCOMPARE(library->club.clubDevices[0]->page, 0);
        click(form->eraseButton());
        QCOMPARE(tabs(), QStringList({"P2"}));
        QCOMPARE(answerer->seen.size(), 1);
    }

    void theMainWindowCountsAddedPagesOverItsWholeRun()
    {
        QTemporaryDir dir;
        StartOptions options;
        options.dataDirectory = dir.path().toStdString();
        TMainForm main(options);
        answerer->onDialog([](QDialog* dialog) {
            if (auto* floors = qobject_cast<TFloorsForm*>(dialog)) {
                floors->addButton()->click();
                floors->closeButton()->click();
            }
        });
        auto* action = main.findChild<QAction*>("FloorsAction");
        QVERIFY(action->isEnabled());
        action->trigger();
        action->trigger();
        QStringList shown;
        for (int i = 0; i < main.pageControl()->count(); ++i)
            shown << main.pageControl()->tabText(i);
        QCOMPARE(shown, QStringList({"Strona 1", "Nowa Strona 1", "Nowa Strona 2"}));
        QCOMPARE(main.show().pageNames, std::vector<std::string>({"Strona 1", "Nowa Strona 1", "Nowa Strona 2"}));
    }
};

QTEST_MAIN(FloorsFormTest)
#include "Ffloors_test.moc"
