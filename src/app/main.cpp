// Vantorel: a DMX lighting controller for clubs and small stages.

#include "app/Fmain.h"
#include "common/PTranslation.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Vantorel"));
    vt::installQtPolish();
    try {
        StartOptions options;
        options.listSystemPorts = true;
        std::string error;
        if (!parseStartOptions(argc, argv, options, error))
            throw std::runtime_error(error);
        TMainForm mainForm(options);
        mainForm.showMaximized();
        return application.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Vantorel"), QString::fromUtf8(e.what()));
        return 1;
    }
}
