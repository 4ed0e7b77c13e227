#include "controllers/Fcontrollers.h"

#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "panel/DeskActions.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kMappingsKey = QStringLiteral("controllers/mappings");
const QString kOscKey = QStringLiteral("controllers/osc");
const QString kPortKey = QStringLiteral("controllers/oscPort");

QSettings userSettings()
{
    return QSettings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
}

// A 14-bit pair's value is the element, not either of its two controllers.
bool pairOf(const KyInputId& pair, const KyInputId& single)
{
    return pair.kind == KyInputId::Control14 && single.kind == KyInputId::Control && pair.channel == single.channel &&
           (single.number == pair.number || single.number == pair.number + 32);
}

} // namespace

TControllersForm::TControllersForm(TDeskActions& desk, std::optional<std::uint16_t> oscPort, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), controllers_(new TControllerDesk(desk, this))
{
    setObjectName(QStringLiteral("ControllersForm"));
    setWindowTitle(tr("Sterowniki"));
    const QSettings settings = userSettings();
    midi_ = new QLabel(this);
    midi_->setWordWrap(true);
    osc_ = new QCheckBox(tr("OSC przez UDP, port:"), this);
    port_ = new QSpinBox(this);
    port_->setRange(1, 65535);
    port_->setValue(oscPort.value_or(settings.value(kPortKey, KyOscInput::kDefaultPort).toInt()));
    osc_->setChecked(oscPort || settings.value(kOscKey, false).toBool());
    problem_ = new QLabel(this);
    table_ = new QTableWidget(0, 2, this);
    table_->setHorizontalHeaderLabels({tr("Wejście"), tr("Akcja")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    learn_ = new QPushButton(tr("Ucz"), this);
    learn_->setCheckable(true);
    remove_ = new QPushButton(tr("Usuń"), this);
    auto* exportButton = new QPushButton(tr("Eksportuj..."), this);
    auto* importButton = new QPushButton(tr("Importuj..."), this);
    hint_ = new QLabel(this);
    hint_->setWordWrap(true);

    auto* oscRow = new QHBoxLayout;
    oscRow->addWidget(osc_);
    oscRow->addWidget(port_);
    oscRow->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {learn_, remove_, exportButton, importButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(midi_);
    layout->addLayout(oscRow);
    layout->addWidget(problem_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    layout->addWidget(hint_);

    controllers_->map().read(settings.value(kMappingsKey).toString().toStdString());
    std::string error;
    KyMidiPort& port = controllers_->midi();
    midi_->setText(port.open(error) ? tr("Port MIDI „Vantorel” (%1): połącz z nim sterownik, np. programem aconnect.")
                                          .arg(QString::fromStdString(port.address()))
                                    : tr("Brak sekwencera MIDI (%1): sterowniki MIDI są niedostępne.")
                                          .arg(QString::fromLatin1(KyMidiPort::kDevice)));
    applyOsc();
    showMappings();

    connect(osc_, &QCheckBox::toggled, this, [this](bool on) {
        userSettings().setValue(kOscKey, on);
        applyOsc();
    });
    connect(port_, &QSpinBox::editingFinished, this, [this] {
        userSettings().setValue(kPortKey, port_->value());
        applyOsc();
    });
    connect(learn_, &QPushButton::toggled, this, [this](bool on) {
        learnedAction_.reset();
        learnedInput_.reset();
        controllers_->setLearning(on);
        hint_->setText(on ? tr("Kliknij element pulpitu i porusz elementem sterownika.") : QString());
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        controllers_->map().remove(std::size_t(table_->currentRow()));
        saveMappings();
    });
    connect(exportButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Eksportuj mapowania"), {}, {}, nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (!path.isEmpty() && !exportTo(path))
            hint_->setText(tr("Nie można zapisać pliku %1").arg(path));
    });
    connect(importButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Importuj mapowania"), {}, {}, nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (!path.isEmpty() && !importFrom(path))
            hint_->setText(tr("Nie można odczytać pliku %1").arg(path));
    });
    connect(&desk, &TDeskActions::acted, this, &TControllersForm::learnAction);
    connect(controllers_, &TControllerDesk::moved, this, &TControllersForm::learnInput);
    watchControls(desk.controls());
}

// The main window's own controls do not go through the desk's actions; their clicks are
// watched here.
void TControllersForm::watchControls(const TDeskControls& controls)
{
    auto watch = [this](QAction* action, KyControlAction::Kind kind) {
        if (action)
            connect(action, &QAction::triggered, this, [this, kind] { learnAction({kind}); });
    };
    watch(controls.blackout, KyControlAction::BlackoutToggle);
    watch(controls.manualOff, KyControlAction::ManualOff);
    watch(controls.music, KyControlAction::Music);
    watch(controls.tap, KyControlAction::Tap);
    auto watchBar = [this](TPTrackBar* bar, KyControlAction::Kind kind) {
        if (bar)
            connect(bar, &TPTrackBar::changed, this, [this, kind] { learnAction({kind}); });
    };
    watchBar(controls.cueSpeed, KyControlAction::CueSpeed);
    watchBar(controls.generatorSpeed, KyControlAction::GeneratorSpeed);
    watchBar(controls.generatorAmplitude, KyControlAction::GeneratorAmplitude);
}

void TControllersForm::learnAction(const KyControlAction& action)
{
    if (!learn_->isChecked() || learnedAction_)
        return;
    learnedAction_ = action;
    finishLearning();
}

void TControllersForm::learnInput(const KyInputId& input)
{
    if (!learn_->isChecked() || (learnedInput_ && pairOf(*learnedInput_, input)))
        return;
    if (!learnedInput_ || pairOf(input, *learnedInput_) || !learnedAction_)
        learnedInput_ = input;
    finishLearning();
}

void TControllersForm::finishLearning()
{
    if (!learnedAction_ || !learnedInput_)
        return;
    controllers_->map().set(*learnedInput_, *learnedAction_);
    saveMappings();
    learn_->setChecked(false);
}

void TControllersForm::applyOsc()
{
    KyOscInput& osc = controllers_->osc();
    osc.stop();
    problem_->clear();
    std::string error;
    if (osc_->isChecked() && !osc.start(std::uint16_t(port_->value()), error))
        problem_->setText(tr("Nie można otworzyć portu %1").arg(QString::fromStdString(error)));
}

void TControllersForm::saveMappings()
{
    userSettings().setValue(kMappingsKey, QString::fromStdString(controllers_->map().text()));
    showMappings();
}

void TControllersForm::showMappings()
{
    const auto& mappings = controllers_->map().mappings();
    table_->setRowCount(int(mappings.size()));
    for (std::size_t i = 0; i < mappings.size(); ++i) {
        table_->setItem(int(i), 0, new QTableWidgetItem(QString::fromStdString(inputText(mappings[i].input))));
        table_->setItem(int(i), 1, new QTableWidgetItem(QString::fromStdString(actionText(mappings[i].action))));
    }
}

bool TControllersForm::exportTo(const QString& path) const
{
    QFile file(path);
    const QByteArray text = QByteArray::fromStdString(controllers_->map().text());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

bool TControllersForm::importFrom(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    controllers_->map().read(file.read(1 << 20).toStdString());
    saveMappings();
    return true;
}

TControllersForm* installControllers(QMainWindow& mainWindow, TDeskActions& desk, std::optional<std::uint16_t> oscPort)
{
    desk.bindControls(deskControlsOf(mainWindow));
    auto* form = new TControllersForm(desk, oscPort, &mainWindow);
    vt::addToSystemMenu(mainWindow, form, QStringLiteral("ControllersAction"));
    return form;
}
