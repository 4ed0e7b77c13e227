// The module programming window over the virtual module, with the main window's own tick:
// the queries on opening, the selection, programming, reading back and the failures.

#include "ModuleShow.h"

#include "app/Fmain.h"
#include "common/Files.h"
#include "common/PFileChooser.h"
#include "common/PStringGrid.h"
#include "cue/CueFile.h"
#include "library/LibraryFile.h"
#include "module/Fdmxmodule.h"
#include "sequence/SequenceFile.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <memory>

namespace {

constexpr int kJobTimeoutMs = 30000;

// A head with 16-bit pan/tilt, three sequences, two cues and a panel with one sequence
// button and one cue button, written as the program writes its files.
void writeShow(const std::filesystem::path& dir)
{
    std::filesystem::create_directories(dir);
    KyShow show(DataPaths::in(dir.string()));
    KyDevice head;
    head.name = "Glowica";
    head.panTilt = {true, false, 2, 1, 4, 3, {}, {}};
    head.intensity.active = true;
    head.intensity.channel = 5;
    show.library.addDevice(head);
    KyClubDevice device(show.library.deviceAt(0));
    show.library.club.addClubDevice(device);

    KyScene moving = sceneWith({{0, 128}, {2, 64}, {4, 255}}, 40);
    moving.setStatus(0, KyChStatus{128, 0, 1, 0, 2});
    moving.setStatus(2, KyChStatus{64, 0, 2, 0, 2});
    moving.generatorFor(0).enabled = moving.generatorFor(2).enabled = 1;
    for (const auto& scenes : {vt::BulkVector<KyScene>{moving, sceneWith({{4, 0}, {300, 7}})},
                               vt::BulkVector<KyScene>{sceneWith({{10, 1}}), sceneWith({{10, 2}}), sceneWith({{10, 3}})},
                               vt::BulkVector<KyScene>{sceneWith({{20, 200}})}}) {
        KySequence sequence;
        sequence.scenes = scenes;
        sequence.name = "Sekwencja " + std::to_string(show.seque.sequenceCount() + 1);
        sequence.fade = show.seque.sequenceCount() == 1;
        show.seque.addSequence(sequence);
    }
    KyCue pokaz;
    pokaz.name = "Pokaz";
    pokaz.zoneEngine(0) = KySeqEngine(show.seque.sharedSequenceAt(0));
    pokaz.zoneEngine(3) = KySeqEngine(show.seque.sharedSequenceAt(1));
    show.seque.addCue(pokaz);
    KyCue wolno;
    wolno.name = "Wolno";
    wolno.generatorSpeed = 0.5;
    wolno.zoneEngine(1) = KySeqEngine(show.seque.sharedSequenceAt(2));
    show.seque.addCue(wolno);
    show.panel.seqButtons[2].pages[0][0] = {false, false, 4, 3};
    show.panel.cueButtons.pages[0][0].id = 2;
    show.saveAtExit();
    show.saveLibrary();
}

StartOptions optionsFor(const std::filesystem::path& dir, const ModuleSimProcess* sim)
{
    StartOptions o;
    o.dataDirectory = dir.string();
    if (sim)
        o.ports.push_back(sim->link().string());
    return o;
}

std::unique_ptr<TDmxModuleForm> moduleFormOf(TMainForm& main)
{
    KyShow& show = main.show();
    const KyModuleWindowModel model{show.seque, show.panel, show.library.club, show.zoneNames, show.usb,
                                    show.showLock()};
    auto form = std::make_unique<TDmxModuleForm>(
        model, main.timer(), [&main](TMMTimer& sender) { main.MMTimerMMTimer(sender); }, &main);
    form->show();
    return form;
}

std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool isMemoryRequest(const std::string& line)
{
    return line.starts_with("read") || line.starts_with("write") || line.starts_with("erase") || line == "status";
}

// The module's requests whose first word is `word`.
std::vector<std::string> requestsNamed(const std::vector<std::string>& log, const std::string& word)
{
    std::vector<std::string> found;
    for (const auto& line : log)
        if (line.starts_with(word))
            found.push_back(line);
    return found;
}

// No frame between the first and the last of a job's requests, and frames again after it.
bool framesPausedForJobOnly(const std::vector<std::string>& log, std::size_t from)
{
    auto first = std::find_if(log.begin() + std::ptrdiff_t(from), log.end(), isMemoryRequest);
    auto last = std::find_if(log.rbegin(), log.rend(), isMemoryRequest).base();
    return first != log.end() && std::find(first, last, "frame") == last &&
           std::find(last, log.end(), "frame") != log.end();
}

} // namespace

class DmxModuleFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> folder;
    ModalAnswerer* answerer = nullptr;
    QString nextFile;

    std::filesystem::path showDir() const { return *folder / "show"; }
    std::filesystem::path logFile() const { return *folder / "log"; }

    std::unique_ptr<ModuleSimProcess> startModule(const std::string& serial, std::vector<std::string> options = {})
    {
        options.insert(options.end(), {"--serial", serial, "--name", "KLUB", "--log", logFile().string()});
        return std::make_unique<ModuleSimProcess>(*folder / "dmx", std::move(options));
    }

    std::size_t requestCount(const std::string& word) const { return requestsNamed(framesIn(logFile()), word).size(); }

    // The bar's fill from 0 to 1 at every change of its value.
    static std::shared_ptr<std::vector<double>> recordFill(QProgressBar* bar)
    {
        auto fills = std::make_shared<std::vector<double>>();
        QObject::connect(bar, &QProgressBar::valueChanged, bar, [bar, fills](int value) {
            fills->push_back(bar->maximum() > 0 ? double(value) / bar->maximum() : 0.0);
        });
        return fills;
    }

    // Rises to full, never back.
    static bool fillsUp(const std::vector<double>& fills)
    {
        return !fills.empty() && fills.back() == 1.0 && std::is_sorted(fills.begin(), fills.end());
    }

    static void waitForJob(TDmxModuleForm& form)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!form.jobRunning(), kJobTimeoutMs);
    }

    static void select(TDmxModuleForm& form, std::initializer_list<int> rows)
    {
        for (int row : rows) {
            form.availableGrid()->setCurrentCell(row, 1);
            QTest::mouseClick(form.cueButton(), Qt::LeftButton);
        }
    }

    static QStringList column(TPStringGrid* grid, int c)
    {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts << grid->text(row, c);
        return texts;
    }

private slots:
    void init()
    {
        folder = std::make_unique<TempFolder>();
        writeShow(showDir());
        answerer = new ModalAnswerer(this);
        vt::setFileChooser([this](QWidget*, const vt::FileRequest& request) {
            if (request.filter != QStringLiteral("Programy sterownika DMX (*.sav)") || request.defaultSuffix != "sav")
                return QString();
            return nextFile;
        });
    }

    void cleanup()
    {
        vt::setFileChooser({});
        delete answerer;
        folder.reset();
    }

    void actionOpensTheWindowModally()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto* action = main.findChild<QAction*>(QStringLiteral("DmxModuleAction"));
        QVERIFY(action && action->isEnabled());
        QString title, serial;
        bool modal = false;
        answerer->onDialog([&](QDialog* dialog) {
            if (auto* form = qobject_cast<TDmxModuleForm*>(dialog)) {
                title = form->windowTitle();
                serial = form->serialLabel()->text();
                modal = form->isModal();
            }
            dialog->reject();
        });
        action->trigger();
        QCOMPARE(title, QStringLiteral("Moduł DMX"));
        QCOMPARE(serial, QStringLiteral("SIMULATOR-12-001"));
        QVERIFY(modal);
        // The queries took the tick over and gave it back.
        const std::size_t seen = framesIn(logFile()).size();
        QTRY_VERIFY(framesIn(logFile()).size() > seen + 2);
        QCOMPARE(framesIn(logFile()).back(), std::string("frame"));
        QCOMPARE(main.timer().Interval(), 50);
    }

    void programmingThenReadingGivesTheImageBack_data()
    {
        QTest::addColumn<int>("generation");
        QTest::addColumn<QString>("programmed");
        QTest::addColumn<QString>("read");
        QTest::newRow("generation 12") << 12 << QStringLiteral("Programowanie zakończone: zapisano 22 bloki.")
                                       << QStringLiteral("Odczyt zakończony: odczytano 22 bloki.");
        QTest::newRow("generation 11") << 11 << QStringLiteral("Programowanie zakończone: zapisano 18 bloków.")
                                       << QStringLiteral("Odczyt zakończony: odczytano 251 bloków.");
    }

    void programmingThenReadingGivesTheImageBack()
    {
        QFETCH(int, generation);
        QFETCH(QString, programmed);
        QFETCH(QString, read);
        auto sim = startModule("SIMULATOR-" + std::to_string(generation) + "-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        QCOMPARE(form->serialLabel()->text(), QStringLiteral("SIMULATOR-%1-001").arg(generation));
        QCOMPARE(form->versionLabel()->text(), QStringLiteral("SIM 1.0"));
        QCOMPARE(form->generationLabel()->text(), QString::number(generation));
        QCOMPARE(form->identifierEdit()->text(), QStringLiteral("KLUB"));
        QCOMPARE(column(form->availableGrid(), 1), (QStringList{"Pokaz", "Wolno"}));

        select(*form, {1, 0});
        QTest::mouseClick(form->panelButton(), Qt::LeftButton);
        QCOMPARE(column(form->selectedGrid(), 1), (QStringList{"Wolno", "Pokaz", "Wolno"}));
        QCOMPARE(column(form->selectedGrid(), 0), (QStringList{"0", "1", "2"}));
        form->identifierEdit()->setText(QStringLiteral("PROGRAM"));
        form->serialInputCheck()->setChecked(true);

        const std::size_t before = framesIn(logFile()).size();
        auto fills = recordFill(form->progressBar());
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        QVERIFY(form->jobRunning());
        QVERIFY(!form->readButton()->isEnabled());
        QCOMPARE(form->progressBar()->value(), 0);
        waitForJob(*form);
        QVERIFY(answerer->seen.isEmpty());
        QVERIFY(fillsUp(*fills));
        QTRY_VERIFY(framesPausedForJobOnly(framesIn(logFile()), before));
        QCOMPARE(main.timer().Interval(), 50);
        QTRY_COMPARE(main.windowTitle(), QStringLiteral("Vantorel: PROGRAM"));

        KyImageSettings settings;
        settings.firmwareGeneration = generation;
        settings.identifier = "PROGRAM";
        settings.serialInput = true;
        const KyShow& show = main.show();
        const KyModuleImage expected = buildImage(form->dataSet(), show.library.club, show.zoneNames, settings);
        QCOMPARE(expected.refusal, KyImageRefusal::None);
        QCOMPARE(form->transferLine()->text(), programmed);
        QVERIFY(form->imageNote()->isHidden());

        const auto readBack = *folder / "read.sav";
        nextFile = QString::fromStdString(readBack.string());
        const std::size_t beforeRead = framesIn(logFile()).size();
        fills->clear();
        QTest::mouseClick(form->readButton(), Qt::LeftButton);
        QVERIFY(form->transferLine()->text().isEmpty());
        QCOMPARE(form->progressBar()->value(), 0);
        waitForJob(*form);
        QVERIFY(fillsUp(*fills));
        QVERIFY(answerer->seen.isEmpty());
        QTRY_VERIFY(framesPausedForJobOnly(framesIn(logFile()), beforeRead));
        const std::string file = fileBytes(readBack);
        const std::string image(expected.bytes.begin(), expected.bytes.end());
        if (generation < 12) {
            QCOMPARE(file.size(), std::size_t(251 * 256));
            QCOMPARE(requestsNamed(framesIn(logFile()), "read").size(), std::size_t(252));
            QVERIFY(file.substr(0, image.size()) == image);
        } else {
            QCOMPARE(file.size(), image.size());
            QVERIFY(file == image);
        }
        QCOMPARE(form->transferLine()->text(), read);
        QCOMPARE(form->progressBar()->value(), form->progressBar()->maximum());
        QVERIFY(form->programButton()->isEnabled());
    }

    void threeBlockImageGoesOutFromBlockZeroTwice()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        vt::Bytes saved(3 * 256, 0x5A);
        saved[219] = 1;
        saved[220] = 3;
        saved[221] = saved[222] = saved[223] = 0;
        const auto path = *folder / "three.sav";
        QVERIFY(vt::writeFileAtomically(path.string(), saved));
        nextFile = QString::fromStdString(path.string());
        QTest::mouseClick(form->programFileButton(), Qt::LeftButton);
        waitForJob(*form);
        QVERIFY(answerer->seen.isEmpty());
        const auto log = framesIn(logFile());
        QCOMPARE(requestsNamed(log, "erase"), std::vector<std::string>{"erase 0"});
        QCOMPARE(requestsNamed(log, "write"),
                 (std::vector<std::string>{"write 0", "write 0", "write 1", "write 2", "write 3"}));
        QCOMPARE(form->transferLine()->text(), QStringLiteral("Programowanie z pliku zakończone: zapisano 3 bloki."));
        QCOMPARE(form->progressBar()->value(), 3);
        QCOMPARE(form->progressBar()->maximum(), 3);
    }

    // An erase the module never finishes: pulling the plug ends it with the error at once,
    // and the window can be closed.
    void unplugDuringAnEraseLetsTheWindowClose()
    {
        auto sim = startModule("SIMULATOR-12-001", {"--erase-polls", "100000"});
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        select(*form, {0});
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        QTRY_VERIFY(requestCount("status") > 5);
        QVERIFY(!form->close());

        answerer->expectMessage(QStringLiteral("OK"));
        QElapsedTimer sinceUnplug;
        QCOMPARE(sim->command("unplug"), std::string("unplugged"));
        sinceUnplug.start();
        QTRY_VERIFY_WITH_TIMEOUT(!form->jobRunning(), 1000);
        QVERIFY(form->close());
        QVERIFY2(sinceUnplug.elapsed() < 1000, QByteArray::number(sinceUnplug.elapsed()));
        QCOMPARE(answerer->seen, QStringList{QStringLiteral("Błąd odczytu z modułu DMX")});
        QVERIFY(form->transferLine()->text().isEmpty());
        QCOMPARE(form->progressBar()->value(), 0);
        QCOMPARE(requestCount("write"), std::size_t(0));
    }

    // The module answering late never holds the window's thread up: the show lock is not
    // held while the answer is awaited. Late is twice the transfer pace, and well inside the
    // 40 ms a request waits for its answer, so that a loaded machine does not make it missing.
    void theWindowKeepsRunningWhileTheModuleErases()
    {
        auto sim = startModule("SIMULATOR-12-001", {"--erase-polls", "80", "--reply-delay-ms", "20"});
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        select(*form, {0});
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QTimer beat;
        beat.setTimerType(Qt::PreciseTimer);
        beat.setInterval(2);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        QTRY_VERIFY(requestCount("status") > 0);
        const std::size_t pollsBefore = requestCount("status");
        clock.start();
        beat.start();
        QTest::qWait(800); // of 80 polls of 20 ms or more
        beat.stop();
        longest = std::max(longest, clock.elapsed() - last);
        QVERIFY2(longest < 50, QByteArray::number(longest));
        QVERIFY(requestCount("status") >= pollsBefore + 10);
        waitForJob(*form);
        QVERIFY2(answerer->seen.isEmpty(), qPrintable(answerer->seen.join(QLatin1Char('\n'))));
    }

    // A zone whose list outgrows the module panel's: the image still goes out, and the
    // window says what was left out.
    void cutZoneListIsShown()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        {
            KyShow& show = main.show();
            std::lock_guard lock(show.showLock());
            for (int i = 0; i < 50; ++i) {
                KySequence sequence;
                sequence.scenes = {sceneWith({{30, 1}})};
                sequence.name = "Dodatkowa";
                show.seque.addSequence(sequence);
                const std::int32_t id = show.seque.sequenceAt(show.seque.sequenceCount() - 1).id;
                show.panel.seqButtons[0].pages[std::size_t(i / 5)][std::size_t(i % 5)] = {false, false, 0, id};
            }
            show.zoneNames[0] = "Scena";
        }
        auto form = moduleFormOf(main);
        select(*form, {0}); // "Pokaz" plays a sequence in the first zone
        QTest::mouseClick(form->panelButton(), Qt::LeftButton);
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        QVERIFY(form->imageNote()->isVisible());
        QCOMPARE(form->imageNote()->text(), QStringLiteral("Strefa „Scena”: lista mieści 50 sekwencji, pominięto 1 sekwencję."));
        waitForJob(*form);
        QVERIFY(answerer->seen.isEmpty());
        QVERIFY(form->transferLine()->text().startsWith(QStringLiteral("Programowanie zakończone")));
    }

    void unpluggedModuleEndsTheJobAndTheTickReturns()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        nextFile = QString::fromStdString((*folder / "read.sav").string());
        // Erased flash claims 0xFFFF blocks: a read long enough to pull the plug in.
        QTest::mouseClick(form->readButton(), Qt::LeftButton);
        QTRY_VERIFY(requestsNamed(framesIn(logFile()), "read").size() > 20);
        QVERIFY(!form->close());
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QVERIFY(form->progressBar()->value() > 0);

        answerer->expectMessage(QStringLiteral("OK"));
        QCOMPARE(sim->command("unplug"), std::string("unplugged"));
        waitForJob(*form);
        QTRY_COMPARE(answerer->seen, QStringList{QStringLiteral("Błąd odczytu z modułu DMX")});
        QVERIFY(!std::filesystem::exists(*folder / "read.sav"));
        QCOMPARE(main.timer().Interval(), 50);
        QTRY_COMPARE(main.windowTitle(), QStringLiteral("Vantorel: brak modułu DMX"));

        auto frames = [&] { return requestsNamed(framesIn(logFile()), "frame").size(); };
        const std::size_t before = frames();
        QCOMPARE(sim->command("plug"), sim->link().string());
        QTRY_VERIFY_WITH_TIMEOUT(frames() > before + 2, 5000);
        QTRY_COMPARE(main.windowTitle(), QStringLiteral("Vantorel: KLUB"));
        QVERIFY(form->close());
    }

    void refusedImageSendsNothing()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        {
            std::lock_guard lock(main.show().showLock());
            for (auto& page : main.show().panel.cueButtons.pages)
                for (auto& button : page)
                    button.id = 1;
        }
        auto form = moduleFormOf(main);
        QTest::mouseClick(form->panelButton(), Qt::LeftButton);
        QCOMPARE(form->dataSet().cues.size(), std::size_t(200));
        answerer->expectMessage(QStringLiteral("OK"));
        answerer->expectMessage(QStringLiteral("OK"));
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        QCOMPARE(answerer->seen, (QStringList{QStringLiteral("Zbyt duża liczba CUE"), QStringLiteral("BRAK PAMIĘCI")}));
        QVERIFY(!form->jobRunning());
        QVERIFY(form->programButton()->isEnabled());
        for (const auto& line : framesIn(logFile()))
            QVERIFY2(!isMemoryRequest(line), line.c_str());
    }

    void savedImageShortOfItsClaimIsRefused()
    {
        auto sim = startModule("SIMULATOR-12-001");
        TMainForm main(optionsFor(showDir(), sim.get()));
        auto form = moduleFormOf(main);
        vt::Bytes claimsThree(2 * 256, 0);
        claimsThree[219] = 1;
        claimsThree[220] = 3;
        vt::Bytes olderLayout(2 * 256, 0);
        for (const vt::Bytes& bytes : {claimsThree, olderLayout}) {
            const auto path = *folder / "bad.sav";
            QVERIFY(vt::writeFileAtomically(path.string(), bytes));
            nextFile = QString::fromStdString(path.string());
            answerer->expectMessage(QStringLiteral("OK"));
            QTest::mouseClick(form->programFileButton(), Qt::LeftButton);
            QCOMPARE(answerer->seen.takeLast(), QStringLiteral("Stara wersja pliku"));
            QVERIFY(!form->jobRunning());
        }
        for (const auto& line : framesIn(logFile()))
            QVERIFY2(!isMemoryRequest(line), line.c_str());
    }

    // Without a generation from the serial number the window says which one it takes.
    void unknownGenerationIsShownAsAssumed()
    {
        {
            auto sim = startModule("NO-NUMBER");
            TMainForm main(optionsFor(showDir(), sim.get()));
            auto form = moduleFormOf(main);
            QCOMPARE(form->serialLabel()->text(), QStringLiteral("NO-NUMBER"));
            QCOMPARE(form->generationLabel()->text(), QStringLiteral("12 (założona)"));
        }
        TMainForm main(optionsFor(showDir(), nullptr));
        QCOMPARE(answerer->seen.takeLast(), QStringLiteral("BRAK MODUŁU DMX"));
        auto form = moduleFormOf(main);
        for (QLabel* label : {form->serialLabel(), form->versionLabel()})
            QCOMPARE(label->text(), QStringLiteral("Brak."));
        QCOMPARE(form->identifierEdit()->text(), QStringLiteral("Brak."));
        QCOMPARE(form->generationLabel()->text(), QStringLiteral("12 (założona)"));
        QVERIFY(!form->generationLabel()->toolTip().isEmpty());

        answerer->expectMessage(QStringLiteral("OK"));
        QTest::mouseClick(form->programButton(), Qt::LeftButton);
        waitForJob(*form);
        QCOMPARE(answerer->seen.takeLast(), QStringLiteral("Błąd odczytu z modułu DMX"));
    }

    void selectionButtonsMoveTheCurrentCue()
    {
        TMainForm main(optionsFor(showDir(), nullptr));
        auto form = moduleFormOf(main);
        select(*form, {0, 1, 1});
        form->selectedGrid()->setCurrentCell(0, 1);
        QTest::mouseClick(form->downButton(), Qt::LeftButton);
        QCOMPARE(column(form->selectedGrid(), 1), (QStringList{"Wolno", "Pokaz", "Wolno"}));
        QCOMPARE(form->selectedGrid()->currentRow(), 1);
        QTest::mouseClick(form->upButton(), Qt::LeftButton);
        QTest::mouseClick(form->upButton(), Qt::LeftButton);
        QCOMPARE(column(form->selectedGrid(), 1), (QStringList{"Pokaz", "Wolno", "Wolno"}));
        QCOMPARE(form->selectedGrid()->currentRow(), 0);
        QTest::mouseClick(form->removeButton(), Qt::LeftButton);
        QCOMPARE(column(form->selectedGrid(), 1), (QStringList{"Wolno", "Wolno"}));
        // The sequences of the removed cue stay until the next "Cue".
        QCOMPARE(form->dataSet().sequences.size(), std::size_t(3));
        QTest::mouseClick(form->removeButton(), Qt::LeftButton);
        QTest::mouseClick(form->removeButton(), Qt::LeftButton);
        QTest::mouseClick(form->removeButton(), Qt::LeftButton);
        QVERIFY(form->dataSet().cues.empty());
        QCOMPARE(column(form->selectedGrid(), 1), QStringList{QString()});
    }
};

QTEST_MAIN(DmxModuleFormTest)
#include "Fdmxmodule_test.moc"
