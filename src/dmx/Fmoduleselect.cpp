#include "dmx/Fmoduleselect.h"

#include "common/Cp1250.h"
#include "common/PTranslation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

TModuleForm::TModuleForm(const std::vector<std::string>& names, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(TModuleForm::tr("Wybór modułu DMX"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(TModuleForm::tr("Wybierz moduł DMX"), this));
    moduleList_ = new QComboBox(this);
    for (const auto& name : names)
        moduleList_->addItem(QString::fromStdString(vt::cp1250ToUtf8(name)));
    moduleList_->setCurrentIndex(names.empty() ? -1 : 0);
    layout->addWidget(moduleList_);
    okButton_ = new QPushButton(TModuleForm::tr("OK"), this);
    okButton_->setDefault(true);
    layout->addWidget(okButton_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(okButton_, &QPushButton::clicked, this, &TModuleForm::OkButtonClick);
}

void TModuleForm::OkButtonClick()
{
    selectedModule_ = moduleList_->currentIndex();
    accept();
}

void TModuleForm::closeEvent(QCloseEvent* event)
{
    if (result() == Accepted)
        event->accept();
    else
        event->ignore();
}

void TModuleChooser::noModule()
{
    QMessageBox::warning(parent_, TModuleForm::tr("Ostrzeżenie"), TModuleForm::tr("BRAK MODUŁU DMX"), QMessageBox::Ok);
}

void TModuleChooser::noAccess(const std::string& portPath)
{
    QMessageBox::warning(parent_, TModuleForm::tr("Ostrzeżenie"), vt::coreText(noAccessMessage(portPath)),
                         QMessageBox::Ok);
}

int TModuleChooser::choose(const std::vector<std::string>& names)
{
    TModuleForm form(names, parent_);
    form.exec();
    return form.selectedModule();
}
