// Where an installed or a portable copy keeps its show, and the demo show offered on the very
// first start, answered through the real message boxes.

#include "app/Fmain.h"
#include "app/ShowFolder.h"
#include "support/ModalAnswerer.h"

#include <QTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

class ShowFolderTest : public QObject {
    Q_OBJECT
    fs::path root;

    std::string bin() const { return (root / "bin").string(); }
    std::string user() const { return (root / "home" / ".local" / "share" / "Vantorel").string(); }

    // A copy laid out as `cmake --install` lays it out, with the demo show the build wrote.
    void install()
    {
        fs::create_directories(root / "share" / "vantorel");
        fs::copy(VANTOREL_DEMO_DIR, root / "share" / "vantorel" / "demo", fs::copy_options::recursive);
    }

    StartOptions settled(StartOptions options = {})
    {
        settleDataDirectory(options, bin(), user());
        return options;
    }

    static QString offer(const std::string& folder)
    {
        return QStringLiteral("To pierwsze uruchomienie programu.\nPokaz będzie zapisywany w folderze\n%1\n\n"
                              "Wczytać do niego pokaz przykładowy?")
            .arg(QString::fromStdString(folder));
    }

private slots:
    void init()
    {
        root = fs::temp_directory_path() / ("vt-showfolder-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
    }
    void cleanup() { fs::remove_all(root); }

    void givenFolderAndPortableCopyAskNothing()
    {
        install();
        ModalAnswerer answerer;
        StartOptions given;
        given.dataDirectory = (root / "show").string();
        QCOMPARE(settled(given).dataDirectory, given.dataDirectory);

        fs::remove_all(root / "share");
        QCOMPARE(settled().dataDirectory, bin());
        QVERIFY(answerer.seen.isEmpty());
        QVERIFY(!fs::exists(user()));
    }

    void installedCopyOffersTheDemoOnTheVeryFirstStartOnly()
    {
        install();
        ModalAnswerer answerer;
        answerer.expectMessage("Yes");
        StartOptions options = settled();
        QCOMPARE(options.dataDirectory, user());
        QCOMPARE(answerer.seen, QStringList{offer(user())});

        {
            TMainForm form(options);
            QCOMPARE(form.pageControl()->tabText(0), QStringLiteral("Scena"));
            QVERIFY(form.show().library.club.clubDeviceCount() > 0);
        }

        answerer.seen.clear();
        QCOMPARE(settled().dataDirectory, user());
        QVERIFY(answerer.seen.isEmpty());
    }

    void decliningTheDemoLeavesAnEmptyFolder()
    {
        install();
        ModalAnswerer answerer;
        answerer.expectMessage("No");
        QCOMPARE(settled().dataDirectory, user());
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY(fs::is_directory(user()));
        QVERIFY(fs::is_empty(user()));
    }

    void folderThatCannotBeMadeIsReported()
    {
        install();
        fs::create_directories(root / "home" / ".local");
        std::ofstream(root / "home" / ".local" / "share") << "a file where the folder should be";
        ModalAnswerer answerer;
        QCOMPARE(settled().dataDirectory, user());
        QCOMPARE(answerer.seen,
                 QStringList{QStringLiteral("Nie można utworzyć folderu danych %1.").arg(QString::fromStdString(user()))});
    }
};

QTEST_MAIN(ShowFolderTest)
#include "ShowFolder_test.moc"
