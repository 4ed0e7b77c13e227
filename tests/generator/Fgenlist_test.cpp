// The generator list window and the divide window, driven through their buttons.

#include "common/Fname.h"
#include "common/PFileChooser.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PTrackBar.h"
#include "generator/Fdivide.h"
#include "generator/Fgenlist.h"
#include "support/ModalAnswerer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

class GenListFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir* dir = nullptr;
    ModalAnswerer* answerer = nullptr;
    // The path the next file question answers, and the questions asked.
    QString nextFile;
    QList<vt::FileRequest> requests;

    std::string listPath() const { return dir->filePath(QStringLiteral("generators.vt2")).toStdString(); }
    QString file(const char* name) const { return dir->filePath(QLatin1String(name)); }

    // Figures named in cp1250, as the model keeps them, with records that tell them apart.
    static KyGenList figures(std::initializer_list<QString> names)
    {
        KyGenList list;
        int amplitude = 10;
        for (const QString& name : names) {
            KyPanTiltGen figure{vt::toCp1250(name), {}, {}};
            figure.pan.amplitude = amplitude++;
            figure.tilt.phaseFlip = 1;
            list.append(figure);
        }
        return list;
    }

    static std::size_t figuresIn(const std::string& path)
    {
        KyGenList saved;
        saved.load(path);
        return saved.size();
    }

    static void writeBytes(const QString& path, const std::string& bytes)
    {
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }

private slots:
    void init()
    {
        dir = new QTemporaryDir;
        answerer = new ModalAnswerer;
        nextFile.clear();
        requests.clear();
        vt::setFileChooser([this](QWidget*, const vt::FileRequest& request) {
            requests << request;
            return nextFile;
        });
    }
    void cleanup()
    {
        vt::setFileChooser({});
        delete answerer;
        delete dir;
    }

    void listShowsNumberedFiguresAndChoosesOne()
    {
        KyGenList list = figures({"koło", "ósemka"});
        TGenListForm form(list, listPath(), nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Lista gen."));
        TPStringGrid* grid = form.figureGrid();
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString());
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Nazwa"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->text(1, 0), QStringLiteral("2"));
        QCOMPARE(grid->text(1, 1), QStringLiteral("ósemka"));
        QCOMPARE(form.importButton()->toolTip(), QStringLiteral("Importuj generator"));
        QCOMPARE(form.exportButton()->toolTip(), QStringLiteral("Exportuj generator"));

        grid->setCurrentCell(1, 1);
        QTest::mouseClick(form.loadButton(), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.chosen(), std::optional<int>(1));

        TGenListForm byDoubleClick(list, listPath(), nullptr);
        byDoubleClick.show();
        TPStringGrid* other = byDoubleClick.figureGrid();
        const QRect cell = other->visualItemRect(other->item(0, 1));
        QTest::mouseClick(other->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(other->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(byDoubleClick.chosen(), std::optional<int>(0));
        QVERIFY(!byDoubleClick.isVisible());

        KyGenList empty;
        TGenListForm none(empty, listPath(), nullptr);
        QCOMPARE(none.figureGrid()->rowCount(), 1);
        QCOMPARE(none.figureGrid()->text(0, 0), QString());
        QTest::mouseClick(none.loadButton(), Qt::LeftButton);
        QTest::mouseClick(none.eraseButton(), Qt::LeftButton);
        QTest::mouseClick(none.exportButton(), Qt::LeftButton);
        QVERIFY(!none.chosen().has_value());
        QVERIFY(answerer->seen.isEmpty());
        QVERIFY(requests.isEmpty());
    }

    void renameTakesTheNameDialogsAnswer()
    {
        KyGenList list = figures({"a", "b"});
        TGenListForm form(list, listPath(), nullptr);
        form.figureGrid()->setCurrentCell(1, 1);
        answerer->onDialog([](QDialog* dialog) {
            auto* name = qobject_cast<TNameForm*>(dialog);
            QVERIFY(name);
            QCOMPARE(name->nameEdit()->text(), QStringLiteral("b"));
            name->nameEdit()->setText(QStringLiteral("Spirala"));
            name->okButton()->click();
        });
        QTest::mouseClick(form.renameButton(), Qt::LeftButton);
        QCOMPARE(list.at(1).name, "Spirala");
        QCOMPARE(form.figureGrid()->text(1, 1), QStringLiteral("Spirala"));
    }

    // The list file is written after the question whatever the answer; a failed write says
    // which file.
    void deleteAsksAndAlwaysWritesTheList()
    {
        KyGenList list = figures({"a", "b", "c"});
        TGenListForm form(list, listPath(), nullptr);
        form.figureGrid()->setCurrentCell(1, 1);
        answerer->expectMessage(QStringLiteral("Cancel"));
        QTest::mouseClick(form.eraseButton(), Qt::LeftButton);
        QCOMPARE(answerer->seen, QStringList{QStringLiteral("Na pewno chcesz wykasowac generator")});
        QCOMPARE(list.size(), std::size_t(3));
        QCOMPARE(figuresIn(listPath()), std::size_t(3));

        answerer->expectMessage(QStringLiteral("OK"));
        QTest::mouseClick(form.eraseButton(), Qt::LeftButton);
        QCOMPARE(list.size(), std::size_t(2));
        QCOMPARE(list.at(1).name, "c");
        QCOMPARE(form.figureGrid()->text(1, 1), QStringLiteral("c"));
        QCOMPARE(figuresIn(listPath()), std::size_t(2));

        TGenListForm unwritable(list, dir->filePath(QStringLiteral("missing/generators.vt2")).toStdString(), nullptr);
        answerer->seen.clear();
        answerer->expectMessage(QStringLiteral("OK"));
        QTest::mouseClick(unwritable.eraseButton(), Qt::LeftButton);
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(answerer->seen.size(), 2);
        QVERIFY(answerer->seen[1].startsWith(QStringLiteral("Nie można zapisać pliku generators.vt2: ")));

        // Without a path (its file could not be read at start-up) the list stays off the disk.
        list.append(KyPanTiltGen{});
        TGenListForm offDisk(list, {}, nullptr);
        answerer->seen.clear();
        answerer->expectMessage(QStringLiteral("OK"));
        QTest::mouseClick(offDisk.eraseButton(), Qt::LeftButton);
        QCOMPARE(list.size(), std::size_t(1));
        QCOMPARE(answerer->seen.size(), 1);
    }

    void exportThenImportGivesTheFigureBack()
    {
        KyGenList list = figures({"a", "koło"});
        TGenListForm form(list, listPath(), nullptr);
        form.figureGrid()->setCurrentCell(1, 1);
        nextFile = file("figura.vtg");
        QTest::mouseClick(form.exportButton(), Qt::LeftButton);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].mode, QFileDialog::AcceptSave);
        QCOMPARE(requests[0].filter, QStringLiteral("generator (*.vtg)"));
        QCOMPARE(requests[0].proposedName, QStringLiteral("koło"));
        QCOMPARE(figuresIn(nextFile.toStdString()), std::size_t(1));

        QTest::mouseClick(form.importButton(), Qt::LeftButton);
        QCOMPARE(requests[1].mode, QFileDialog::AcceptOpen);
        QCOMPARE(requests[1].filter, QStringLiteral("generator (*.vtg)"));
        QCOMPARE(list.size(), std::size_t(3));
        QCOMPARE(vt::fromCp1250(list.at(2).name), QStringLiteral("koło"));
        QVERIFY(list.at(2).pan.sameStoredFields(list.at(1).pan));
        QVERIFY(list.at(2).tilt.sameStoredFields(list.at(1).tilt));
        QCOMPARE(form.figureGrid()->rowCount(), 3);
        QCOMPARE(form.figureGrid()->currentRow(), 2);

        // Of a file of three figures only the first comes in.
        QVERIFY(figures({"x", "y", "z"}).save(file("three.vtg").toStdString()));
        nextFile = file("three.vtg");
        QTest::mouseClick(form.importButton(), Qt::LeftButton);
        QCOMPARE(list.size(), std::size_t(4));
        QCOMPARE(list.at(3).name, "x");
        QVERIFY(answerer->seen.isEmpty());
    }

    void importOfAnotherFormatShowsTheReadersMessage()
    {
        KyGenList list = figures({"a"});
        TGenListForm form(list, listPath(), nullptr);
        const struct {
            const char* bytes;
            std::size_t size;
            QString message;
        } cases[] = {
            {"vt2 genX\1\0\0\0\0\0\0\0", 16, QStringLiteral("unsupported 'generators.vt2' file format")},
            {"vt2 gen\0\2\0\0\0\0\0\0\0", 16, QStringLiteral("KyGenList::load: unsupported file format")},
        };
        for (const auto& c : cases) {
            writeBytes(file("bad.vtg"), std::string(c.bytes, c.size));
            nextFile = file("bad.vtg");
            answerer->seen.clear();
            QTest::mouseClick(form.importButton(), Qt::LeftButton);
            QCOMPARE(answerer->seen, QStringList{c.message});
            QCOMPARE(list.size(), std::size_t(1));
            QCOMPARE(form.figureGrid()->rowCount(), 1);
        }
    }

    void divideProposesAShareOfAFullTurn()
    {
        TDivideForm form(4, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Podziel efekt"));
        QCOMPARE(form.countEdit()->text(), QStringLiteral("4"));
        QCOMPARE(form.offset(), 90);
        QCOMPARE(form.delayBar()->caption(), QStringLiteral("90"));
        QCOMPARE(form.delayBar()->toolTip(), QStringLiteral("Opóźnienie globalne"));
        // Tall enough to write the offset above the knob, never under it.
        QVERIFY(form.delayBar()->height() >=
                form.delayBar()->fontMetrics().height() + form.delayBar()->sliderSize());

        const struct {
            const char* typed;
            int offset;
        } cases[] = {{"7", 51}, {"3", 120}, {"0", 0}, {"", 0}, {"360", 0}, {"1234", 2}};
        for (const auto& c : cases) {
            form.countEdit()->clear();
            QTest::keyClicks(form.countEdit(), QLatin1String(c.typed));
            QCOMPARE(form.offset(), c.offset);
            QCOMPARE(form.delayBar()->caption(), QString::number(c.offset));
        }

        form.delayBar()->setPosition(200);
        QCOMPARE(form.countEdit()->text(), QString());
        QCOMPARE(form.delayBar()->caption(), QStringLiteral("200"));

        answerer->onDialog([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        QCOMPARE(askPhaseOffset(nullptr, 2), std::nullopt);
        answerer->onDialog([](QDialog* dialog) {
            auto* divide = qobject_cast<TDivideForm*>(dialog);
            QVERIFY(divide);
            divide->applyButton()->click();
        });
        QCOMPARE(askPhaseOffset(nullptr, 2), std::optional<int>(180));
    }
};

QTEST_MAIN(GenListFormTest)
#include "Fgenlist_test.moc"
