// Vantorel: a DMX lighting controller for clubs and small stages.

#include "app/DataPaths.h"
#include "app/Fmain.h"
#include "app/ShowFolder.h"
#include "common/Heap.h"
#include "common/PTranslation.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    // Before the toolkit, which needs a display: --help, --version and a refused line do not.
    StartOptions options;
    options.listSystemPorts = true;
    std::string error;
    if (!parseStartOptions(argc, argv, options, error)) {
        std::cerr << "vantorel: " << error << '\n' << startUsage();
        return 2;
    }
    if (options.helpRequested || options.versionRequested) {
        std::cout << (options.helpRequested ? startUsage() : "vantorel " VANTOREL_VERSION "\n");
        return 0;
    }

    vt::keepFreedMemory();
    // The toolkit reads its own options (-style, -platform ...), which the parse let pass.
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vantorel"));
    application.setApplicationVersion(QStringLiteral(VANTOREL_VERSION));
    application.setDesktopFileName(QStringLiteral("vantorel"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vantorel.svg")));

    // The windows' language, Qt's own texts included; after the command line, which speaks
    // English throughout, Qt's parts of it included.
    vt::installLanguage(vt::chosenLanguage(QString::fromStdString(options.language)));
    try {
        auto userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        settleDataDirectory(options, executableDirectory(), QFile::encodeName(userData).toStdString());
        TMainForm mainForm(options);
        if (mainForm.closed()) // a signal during a start-up question
            return 0;
        mainForm.showMaximized();
        return application.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vantorel"), QString::fromUtf8(e.what()));
        return 1;
    }
}
