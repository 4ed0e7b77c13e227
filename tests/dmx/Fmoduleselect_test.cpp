// The module-selection window and the main window's side of the module link, over virtual modules.

#include "app/Fmain.h"
#include "dmx/Fmoduleselect.h"
#include "support/ModalAnswerer.h"
#include "support/ModuleSimProcess.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class ModuleSelectTest : public QObject {
    Q_OBJECT

    static StartOptions optionsWith(const TempFolder& folder, std::vector<std::filesystem::path> ports)
    {
        StartOptions o;
        o.dataDirectory = (folder / "show").string();
        std::filesystem::create_directories(o.dataDirectory);
        for (const auto& p : ports)
            o.ports.push_back(p.string());
        return o;
    }

private slots:
    void formListsTheModulesAndOkTakesTheChoice()
    {
        TModuleForm form({"SIM-A", "\xA3\xF3\x64\x9F"}); // the second name is "Łódź" in cp1250
        QCOMPARE(form.windowTitle(), QStringLiteral("Wybór modułu DMX"));
        auto labels = form.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front()->text(), QStringLiteral("Wybierz moduł DMX"));
        QCOMPARE(form.okButton()->text(), QStringLiteral("OK"));
        QCOMPARE(form.moduleList()->count(), 2);
        QCOMPARE(form.moduleList()->itemText(0), QStringLiteral("SIM-A"));
        QCOMPARE(form.moduleList()->itemText(1), QStringLiteral("Łódź"));
        QCOMPARE(form.moduleList()->currentIndex(), 0);
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));

        QTimer::singleShot(0, &form, [&] {
            form.moduleList()->setCurrentIndex(1);
            QTest::mouseClick(form.okButton(), Qt::LeftButton);
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QCOMPARE(form.selectedModule(), 1);
    }

    void onlyOkLeavesTheForm()
    {
        TModuleForm form({"SIM-A", "SIM-B"});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.okButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.selectedModule(), 0);
    }

    void startWithoutAModuleWarnsOnce()
    {
        TempFolder folder;
        ModalAnswerer answerer;
        TMainForm form(optionsWith(folder, {}));
        QCOMPARE(answerer.seen, QStringList{QStringLiteral("BRAK MODUŁU DMX")});
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: brak modułu DMX"));
        QTest::qWait(200);
        QCOMPARE(answerer.seen.size(), 1);
    }

    void oneModuleIsFollowedByTheCaption()
    {
        TempFolder folder;
        auto frames = folder / "frames";
        ModuleSimProcess sim(folder / "dmx", {"--name", "SIM-A", "--frames", frames.string()});
        ModalAnswerer answerer;
        TMainForm form(optionsWith(folder, {sim.link()}));
        QVERIFY(answerer.seen.isEmpty());
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: SIM-A"));
        QTRY_VERIFY(framesIn(frames).size() >= 3);

        QCOMPARE(QString::fromStdString(sim.command("unplug")), QStringLiteral("unplugged"));
        QTRY_COMPARE(form.windowTitle(), QStringLiteral("Vantorel: brak modułu DMX"));
        sim.command("plug");
        QTRY_COMPARE(form.windowTitle(), QStringLiteral("Vantorel: SIM-A"));

        // Declining to close stops output for a moment and then resumes it on the same port.
        answerer.expectMessage("No");
        QVERIFY(!form.close());
        auto sent = framesIn(frames).size();
        QTRY_VERIFY(framesIn(frames).size() >= sent + 3);
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: SIM-A"));
    }

    void severalModulesAreOfferedInListOrder()
    {
        TempFolder folder;
        ModuleSimProcess first(folder / "dmx-a", {"--name", "SIM-A"});
        ModuleSimProcess second(folder / "dmx-b", {"--name", "SIM-B"});
        ModalAnswerer answerer;
        QStringList offered;
        answerer.onDialog([&](QDialog* dialog) {
            auto* chooser = qobject_cast<TModuleForm*>(dialog);
            if (!chooser)
                return dialog->reject();
            for (int i = 0; i < chooser->moduleList()->count(); ++i)
                offered << chooser->moduleList()->itemText(i);
            chooser->moduleList()->setCurrentIndex(1);
            chooser->okButton()->click();
        });
        TMainForm form(optionsWith(folder, {first.link(), second.link()}));
        QCOMPARE(offered, (QStringList{QStringLiteral("SIM-A"), QStringLiteral("SIM-B")}));
        QCOMPARE(form.windowTitle(), QStringLiteral("Vantorel: SIM-B"));
        QVERIFY(answerer.seen.isEmpty());
    }
};

QTEST_MAIN(ModuleSelectTest)
#include "Fmoduleselect_test.moc"
