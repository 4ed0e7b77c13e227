// Vantorel: a DMX lighting controller for clubs and small stages.

#include "app/DataPaths.h"
#include "app/Fmain.h"
#include "app/ShowFolder.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    // Takes the toolkit's own options (-style, -platform ...) out of argv.
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vantorel"));
    application.setApplicationVersion(QStringLiteral(VANTOREL_VERSION));
    application.setDesktopFileName(QStringLiteral("vantorel"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vantorel.svg")));

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
    try {
        auto userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        settleDataDirectory(options, executableDirectory(), QFile::encodeName(userData).toStdString());
        TMainForm mainForm(options);
        mainForm.showMaximized();
        return application.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vantorel"), QString::fromUtf8(e.what()));
        return 1;
    }
}
