#include "functions/Fpantilt.h"

#include "common/PTrackBar.h"
#include "functions/PDimmerControl.h"
#include "functions/PTrackPad.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPadMax = 65535;
constexpr int kPadCentre = 32767;

bool hasPanTilt(const KyDevice& type)
{
    return type.panTilt.active;
}

QLineEdit* makeValueBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFixedWidth(44);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QToolButton* toolButton(const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(28, 28);
    return button;
}

} // namespace

TPanTiltForm::TPanTiltForm(const KyFunctionModel& model, KyGenList& genList, QWidget* parent)
    : TFunctionForm(model, KyFunction::PanTilt, parent), genList_(genList)
{
    setWindowTitle(TPanTiltForm::tr("Pan Tilt"));
    pad_ = new TPTrackPad(this);
    pad_->setObjectName(QStringLiteral("Pad"));
    pad_->setMaxX(kPadMax);
    pad_->setMaxY(kPadMax);
    pad_->set_nMeshX(14);
    pad_->set_nMeshY(14);
    pad_->setCrossWidth(1);
    pad_->setCrossColor(Qt::white);
    pad_->setMeshColor(QColor(96, 96, 96));
    pad_->setColor(QColor(40, 40, 40));
    pad_->setFixedSize(280, 280);
    connect(pad_, &TPTrackPad::changed, this, &TPanTiltForm::applyPad);

    auto* top = new QHBoxLayout;
    top->addWidget(pad_, 0, Qt::AlignTop);
    top->addWidget(buildPositionControls(), 0, Qt::AlignTop);
    top->addWidget(buildControllers(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildGeneratorGroup());
    useUpdateTimer();
}

QWidget* TPanTiltForm::buildPositionControls()
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);

    auto* resolutions = new QHBoxLayout;
    auto* group = new QButtonGroup(box);
    for (std::size_t i = 0; i < kResolutions.size(); ++i) {
        auto* button = new QPushButton(QString::number(kResolutions[i]), box);
        button->setObjectName(QStringLiteral("Resolution%1").arg(kResolutions[i]));
        button->setCheckable(true);
        button->setFixedWidth(36);
        group->addButton(button);
        connect(button, &QPushButton::clicked, this, [this, i] { setResolution(kResolutions[i]); });
        resolutions->addWidget(button);
        resolutionButtons_[i] = button;
    }
    column->addLayout(resolutions);

    auto* values = new QGridLayout;
    fineLabel_ = new QLabel(TPanTiltForm::tr("16 bit"), box);
    values->addWidget(new QLabel(TPanTiltForm::tr("8 bit"), box), 0, 1);
    values->addWidget(fineLabel_, 0, 2);
    values->addWidget(new QLabel(TPanTiltForm::tr("Pan"), box), 1, 0);
    values->addWidget(new QLabel(TPanTiltForm::tr("Tilt"), box), 2, 0);
    const char* names[4] = {"PanCoarse", "PanFine", "TiltCoarse", "TiltFine"};
    for (int i = 0; i < 4; ++i) {
        valueBoxes_[static_cast<std::size_t>(i)] = makeValueBox(names[i], box);
        values->addWidget(valueBoxes_[static_cast<std::size_t>(i)], 1 + i / 2, 1 + i % 2);
    }
    column->addLayout(values);

    auto* cross = new QGridLayout;
    const struct {
        KyPadArrow arrow;
        Qt::ArrowType type;
        const char* name;
        int row, col;
    } arrows[] = {{KyPadArrow::Up, Qt::UpArrow, "UpButton", 0, 1},
                  {KyPadArrow::Down, Qt::DownArrow, "DownButton", 2, 1},
                  {KyPadArrow::Left, Qt::LeftArrow, "LeftButton", 1, 0},
                  {KyPadArrow::Right, Qt::RightArrow, "RightButton", 1, 2}};
    for (const auto& a : arrows) {
        QToolButton* button = toolButton(a.name, box);
        button->setArrowType(a.type);
        connect(button, &QToolButton::clicked, this, [this, arrow = a.arrow] { moveByArrow(arrow); });
        cross->addWidget(button, a.row, a.col);
        arrows_[static_cast<std::size_t>(a.arrow)] = button;
    }
    centre_ = toolButton("CentreButton", box);
    centre_->setText(QStringLiteral("+"));
    connect(centre_, &QToolButton::clicked, this, &TPanTiltForm::centre);
    cross->addWidget(centre_, 1, 1);
    column->addLayout(cross);

    hold_ = new QPushButton(TPanTiltForm::tr("Auto"), box);
    hold_->setObjectName(QStringLiteral("HoldButton"));
    hold_->setCheckable(true);
    connect(hold_, &QPushButton::clicked, this, &TPanTiltForm::holdClicked);
    column->addWidget(hold_);
    column->addStretch();
    return box;
}

QWidget* TPanTiltForm::buildControllers()
{
    controllers_ = new QWidget(this);
    controllers_->setObjectName(QStringLiteral("Controllers"));
    auto* row = new QHBoxLayout(controllers_);
    row->setContentsMargins(0, 0, 0, 0);
    const KyBlockOf blocks[2] = {[](const KyDevice& t) { return &t.panTilt.control1; },
                                 [](const KyDevice& t) { return &t.panTilt.control2; }};
    for (std::size_t i = 0; i < controllerControls_.size(); ++i) {
        auto* control = new KyDimmerControl(controllers_);
        control->setObjectName(QStringLiteral("Controller%1").arg(i + 1));
        control->driveTargets(model(), [this] { return sameTypeSelection(); }, blocks[i]);
        connect(control, &KyDimmerControl::applied, this, &TPanTiltForm::refresh);
        connect(control, &KyDimmerControl::released, this, &TPanTiltForm::refresh);
        row->addWidget(control);
        controllerControls_[i] = control;
    }
    return controllers_;
}

QGroupBox* TPanTiltForm::buildGeneratorGroup()
{
    generatorGroup_ = new QGroupBox(TPanTiltForm::tr("Generator"), this);
    auto* grid = new QGridLayout(generatorGroup_);
    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, generatorGroup_);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    loadFigure_ = button(TPanTiltForm::tr("Ładuj Generator"), "LoadFigureButton");
    divide_ = button(TPanTiltForm::tr("Podziel efekt"), "DivideButton");
    properties_ = button(TPanTiltForm::tr("Właściwości"), "PropertiesButton");
    properties_->setCheckable(true);
    generatorOn_ = button(TPanTiltForm::tr("ON"), "GeneratorOnButton");
    generatorOff_ = button(TPanTiltForm::tr("OFF"), "GeneratorOffButton");
    generatorOn_->setCheckable(true);
    generatorOff_->setCheckable(true);
    connect(loadFigure_, &QPushButton::clicked, this, &TPanTiltForm::loadFigureClicked);
    connect(divide_, &QPushButton::clicked, this, &TPanTiltForm::divideClicked);
    connect(properties_, &QPushButton::clicked, this, &TPanTiltForm::toggleGeneratorForm);
    connect(generatorOn_, &QPushButton::clicked, this,
            [this] { editGenerators([](KyDmxSpace& dmx, const KyDevices& d) { switchGenerators(dmx, d, true); }); });
    connect(generatorOff_, &QPushButton::clicked, this,
            [this] { editGenerators([](KyDmxSpace& dmx, const KyDevices& d) { switchGenerators(dmx, d, false); }); });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {loadFigure_, divide_, properties_, generatorOn_, generatorOff_})
        buttons->addWidget(b);
    for (std::uint8_t direction : {0, 1}) {
        QToolButton* b = toolButton(direction ? "MasterRightButton" : "MasterLeftButton", generatorGroup_);
        b->setArrowType(direction ? Qt::RightArrow : Qt::LeftArrow);
        b->setCheckable(true);
        connect(b, &QToolButton::clicked, this, [this, direction] {
            editGenerators([direction](KyDmxSpace& dmx, const KyDevices& d) { setMasterDirection(dmx, d, direction); });
        });
        buttons->addWidget(b);
        masterDirection_[direction] = b;
    }
    grid->addLayout(buttons, 0, 0, 1, 2);

    const struct {
        const char* caption;
        const char* name;
        int min, max;
        void (*edit)(KyDmxSpace&, const KyDevices&, int);
    } bars[3] = {{QT_TRANSLATE_NOOP("TPanTiltForm", "AMPLITUDA"), "AmplitudeBar", 0, 100, setAmplitudeModifiers},
                 {QT_TRANSLATE_NOOP("TPanTiltForm", "PRĘDKOŚĆ"), "SpeedBar", -100, 100, setSpeedModifiers},
                 {QT_TRANSLATE_NOOP("TPanTiltForm", "FAZA"), "PhaseBar", 0, 359, setPhaseModifiers}};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* bar = new TPTrackBar(generatorGroup_);
        bar->setObjectName(QLatin1String(bars[i].name));
        bar->setIsVertical(false);
        bar->setMin(bars[i].min);
        bar->setMax(bars[i].max);
        bar->setCaption(TPanTiltForm::tr(bars[i].caption));
        bar->fitCaptionAboveKnob();
        bar->setMinimumWidth(260);
        connect(bar, &TPTrackBar::changed, this, [this, bar, edit = bars[i].edit] {
            const int position = bar->position();
            editGenerators([edit, position](KyDmxSpace& dmx, const KyDevices& d) { edit(dmx, d, position); });
        });
        generatorBars_[i] = bar;
        generatorValues_[i] = makeValueBox(bars[i].name, generatorGroup_);
        generatorValues_[i]->setObjectName(QLatin1String(bars[i].name) + QStringLiteral("Value"));
        grid->addWidget(bar, 1 + static_cast<int>(i), 0);
        grid->addWidget(generatorValues_[i], 1 + static_cast<int>(i), 1);
    }
    return generatorGroup_;
}

void TPanTiltForm::setGeneratorWindows(KyGeneratorWindows windows)
{
    windows_ = std::move(windows);
    refresh();
}

KyDevices TPanTiltForm::heads() const
{
    return selectionWith(hasPanTilt);
}

// The resolution is the 16-bit pad's mouse step and arrow step; 8-bit heads move by coarse steps.
void TPanTiltForm::setResolution(int resolution)
{
    auto device = reference();
    if (!device || device->deviceType->panTilt.mode8bit)
        return;
    resolution_ = resolution;
    pad_->setMouseStepX(resolution_);
    pad_->setMouseStepY(resolution_);
}

void TPanTiltForm::configure(const KyClubDevice& reference)
{
    const KyPanTilt& block = reference.deviceType->panTilt;
    const bool wide = !block.mode8bit;
    for (std::size_t i = 0; i < kResolutions.size(); ++i) {
        resolutionButtons_[i]->setEnabled(wide || i == 0);
        resolutionButtons_[i]->setChecked(wide ? kResolutions[i] == resolution_ : i == 0);
    }
    const int step = wide ? resolution_ : 256;
    pad_->setMouseStepX(step);
    pad_->setMouseStepY(step);
    fineLabel_->setEnabled(wide);
    for (bool tilt : {false, true}) {
        QLineEdit* fine = valueBox(tilt, true);
        fine->setEnabled(wide);
        if (!wide)
            fine->clear();
    }
    controllerControls_[0]->bindBlock(&block.control1, reference.startAddress);
    controllerControls_[1]->bindBlock(&block.control2, reference.startAddress);
    controllers_->setVisible(controllerControls_[0]->isBound() || controllerControls_[1]->isBound());
}

void TPanTiltForm::applyPad()
{
    const KyDevices devices = heads();
    {
        std::lock_guard lock(model().showLock);
        writePad(model().dmx, devices, {pad_->positionX(), pad_->positionY()});
    }
    refresh();
}

void TPanTiltForm::holdClicked(bool down)
{
    if (down) {
        applyPad();
        return;
    }
    const KyDevices devices = heads();
    {
        std::lock_guard lock(model().showLock);
        releasePanTilt(model().dmx, devices);
    }
    refresh();
}

void TPanTiltForm::moveByArrow(KyPadArrow arrow)
{
    auto device = reference();
    if (!device)
        return;
    KyPadPoint to = arrowTarget({pad_->positionX(), pad_->positionY()}, arrow, device->deviceType->panTilt.mode8bit,
                                resolution_);
    pad_->setPosition(to.x, to.y);
}

void TPanTiltForm::centre()
{
    pad_->setPositionX(kPadCentre);
    pad_->setPositionY(kPadCentre);
}

void TPanTiltForm::editGenerators(const std::function<void(KyDmxSpace&, const KyDevices&)>& edit)
{
    const KyDevices devices = heads();
    if (devices.empty())
        return;
    {
        std::lock_guard lock(model().showLock);
        edit(model().dmx, devices);
    }
    refresh();
}

void TPanTiltForm::toggleGeneratorForm()
{
    if (!windows_.generatorForm)
        return;
    if (windows_.generatorForm->isVisible())
        windows_.generatorForm->close();
    else
        windows_.generatorForm->show();
    properties_->setChecked(windows_.generatorForm->isVisible());
}

// The list window runs without the show lock; the figure is copied out before the edit.
void TPanTiltForm::loadFigureClicked()
{
    if (!windows_.chooseFigure)
        return;
    std::optional<int> chosen = windows_.chooseFigure(this);
    if (!chosen || *chosen < 0 || static_cast<std::size_t>(*chosen) >= genList_.size())
        return;
    const KyPanTiltGen figure = genList_.at(static_cast<std::size_t>(*chosen));
    editGenerators([&figure](KyDmxSpace& dmx, const KyDevices& d) { loadFigure(dmx, d, figure); });
}

void TPanTiltForm::divideClicked()
{
    const int count = static_cast<int>(heads().size());
    if (!windows_.askPhaseOffset || count == 0)
        return;
    std::optional<int> offset = windows_.askPhaseOffset(this, count);
    if (offset)
        editGenerators([offset](KyDmxSpace& dmx, const KyDevices& d) { divideEffect(dmx, d, *offset); });
}

void TPanTiltForm::copyUnderLock(const KyClubDevice& reference)
{
    view_ = generatorView(model().dmx, reference);
}

void TPanTiltForm::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference)
{
    const KyPanTiltChannels ch = panTiltChannels(reference);
    valueBox(false, false)->setText(QString::number(snapshot.value(ch.pan)));
    valueBox(true, false)->setText(QString::number(snapshot.value(ch.tilt)));
    if (ch.wide) {
        valueBox(false, true)->setText(QString::number(snapshot.value(ch.panFine)));
        valueBox(true, true)->setText(QString::number(snapshot.value(ch.tiltFine)));
    }
    const KyPadPoint shown = padPointOf(snapshot.universe, reference);
    pad_->setPositionSilently(shown.x, shown.y);
    showHoldState(hold_, ch.wide ? holdState(snapshot, {ch.panFine, ch.tiltFine}) : holdState(snapshot, {ch.pan, ch.tilt}));
    const bool manual = !snapshot.previewRunning;
    for (QWidget* w : {static_cast<QWidget*>(pad_), static_cast<QWidget*>(centre_), static_cast<QWidget*>(hold_)})
        w->setEnabled(manual);
    for (QToolButton* arrow : arrows_)
        arrow->setEnabled(manual);
    for (KyDimmerControl* control : controllerControls_) {
        control->refreshFromUniverse(snapshot);
        control->enable(manual);
    }
    showGenerators();
}

void TPanTiltForm::showGenerators()
{
    const bool editable = view_.editable;
    for (QWidget* w : std::initializer_list<QWidget*>{generatorOn_, generatorOff_, masterDirection_[0],
                                                      masterDirection_[1], generatorBars_[0], generatorBars_[1],
                                                      generatorBars_[2], generatorValues_[0], generatorValues_[1],
                                                      generatorValues_[2]})
        w->setEnabled(editable);
    properties_->setEnabled(editable && windows_.generatorForm);
    loadFigure_->setEnabled(editable && windows_.chooseFigure);
    divide_->setEnabled(editable && windows_.askPhaseOffset);
    generatorOn_->setChecked(view_.on);
    generatorOff_->setChecked(!view_.on);
    if (windows_.generatorForm) {
        if (!editable)
            windows_.generatorForm->hide();
        properties_->setChecked(windows_.generatorForm->isVisible());
    }
    if (!view_.pan)
        return;
    const KyGenerator& pan = *view_.pan;
    masterDirection_[1]->setChecked(pan.masterDirection == 1);
    masterDirection_[0]->setChecked(pan.masterDirection == 0);
    generatorBars_[0]->setPositionSilently(pan.amplitudeModifier);
    generatorBars_[1]->setPositionSilently(speedPositionFor(pan.speedModifier));
    generatorBars_[2]->setPositionSilently(pan.phaseModifier);
    for (std::size_t i = 0; i < 3; ++i)
        generatorValues_[i]->setText(QString::number(generatorBars_[i]->position()));
}

// Minimising the main window hides this one spontaneously: the generator window then goes
// and comes back with the window system, not closed by this window.
void TPanTiltForm::hideEvent(QHideEvent* event)
{
    if (windows_.generatorForm && !event->spontaneous())
        windows_.generatorForm->hide();
    TFunctionForm::hideEvent(event);
}

void TPanTiltForm::closeEvent(QCloseEvent* event)
{
    if (windows_.generatorForm)
        windows_.generatorForm->close();
    TFunctionForm::closeEvent(event);
}
