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

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vantorel"));
    application.setDesktopFileName(QStringLiteral("vantorel"));
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/vantorel.svg")));
    try {
        StartOptions options;
        options.listSystemPorts = true;
        std::string error;
        if (!parseStartOptions(argc, argv, options, error))
            throw std::runtime_error(error);
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
