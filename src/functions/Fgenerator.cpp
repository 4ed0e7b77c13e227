#include "functions/Fgenerator.h"

#include "common/Fname.h"
#include "common/PToolWindow.h"
#include "common/PTrackBar.h"
#include "generator/Fdivide.h"
#include "generator/Fgenlist.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

bool hasPanTilt(const KyDevice& type)
{
    return type.panTilt.active;
}

} // namespace

TGeneratorForm::TGeneratorForm(const KyFunctionModel& model, KyGenList& genList, std::string genListPath,
                               QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags),
      model_(model), genList_(genList), genListPath_(std::move(genListPath)), updateTimer_(new QTimer(this))
{
    setWindowTitle(TGeneratorForm::tr("Generator"));
    save_ = new QPushButton(TGeneratorForm::tr("Zapisz generator"), this);
    save_->setObjectName(QStringLiteral("SaveButton"));
    save_->setToolTip(TGeneratorForm::tr("Zapisz generator"));
    choose_ = new QPushButton(TGeneratorForm::tr("Generatory"), this);
    choose_->setObjectName(QStringLiteral("ChooseButton"));
    choose_->setToolTip(TGeneratorForm::tr("Wybierz generator"));
    connect(save_, &QPushButton::clicked, this, &TGeneratorForm::SaveButtonClick);
    connect(choose_, &QPushButton::clicked, this, &TGeneratorForm::ChooseButtonClick);

    auto* top = new QHBoxLayout;
    top->addWidget(save_);
    top->addWidget(choose_);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildModifiers());
    auto* axes = new QHBoxLayout;
    axes->addWidget(buildAxis(KyAxis::Pan, TGeneratorForm::tr("Pan")));
    axes->addWidget(buildAxis(KyAxis::Tilt, TGeneratorForm::tr("Tilt")));
    layout->addLayout(axes);

    updateTimer_->setInterval(10);
    connect(updateTimer_, &QTimer::timeout, this, &TGeneratorForm::refresh);
}

KyGeneratorWindows TGeneratorForm::windows()
{
    return {this, [this](QWidget* owner) { return chooseFigure(genList_, genListPath_, owner); }, askPhaseOffset};
}

// The left and right buttons in the grid's first row; the bars and their labels go below.
std::array<QToolButton*, 2> TGeneratorForm::addDirectionButtons(QGridLayout* grid, QWidget* box, const char* name)
{
    std::array<QToolButton*, 2> buttons{};
    auto* group = new QButtonGroup(box);
    auto* row = new QHBoxLayout;
    for (std::uint8_t direction : {0, 1}) {
        auto* b = new QToolButton(box);
        b->setObjectName(QLatin1String(name) + (direction ? QStringLiteral("Right") : QStringLiteral("Left")));
        b->setArrowType(direction ? Qt::RightArrow : Qt::LeftArrow);
        b->setCheckable(true);
        b->setChecked(direction == 1);
        group->addButton(b);
        row->addWidget(b);
        buttons[direction] = b;
    }
    row->addStretch();
    grid->addLayout(row, 0, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return buttons;
}

TPTrackBar* TGeneratorForm::addBar(QWidget* box, const char* caption, int min, int max, int start, QLabel*& label)
{
    auto* bar = new TPTrackBar(box);
    bar->setIsVertical(false);
    bar->setMin(min);
    bar->setMax(max);
    bar->setPositionSilently(start);
    bar->setCaption(tr(caption));
    bar->fitCaptionAboveKnob();
    bar->setMinimumWidth(200);
    label = new QLabel(QString::number(start), box);
    label->setMinimumWidth(32);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return bar;
}

QWidget* TGeneratorForm::buildModifiers()
{
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    masterDirection_ = addDirectionButtons(grid, box, "MasterDirection");
    for (std::uint8_t direction : {0, 1})
        connect(masterDirection_[direction], &QToolButton::clicked, this, [this, direction] {
            editHeads([direction](KyDmxSpace& dmx, const KyDevices& d) { setAxisMasterDirection(dmx, d, direction); });
        });
    const struct {
        const char* caption;
        int min, max, start;
        void (*edit)(KyDmxSpace&, const KyDevices&, int);
    } bars[3] = {{QT_TRANSLATE_NOOP("TGeneratorForm", "AMPLITUDA"), 0, 100, 100, setAmplitudeModifiers},
                 {QT_TRANSLATE_NOOP("TGeneratorForm", "PRĘDKOŚĆ"), -100, 100, 0, setSpeedModifiers},
                 {QT_TRANSLATE_NOOP("TGeneratorForm", "FAZA"), 0, 359, 0, setPhaseModifiers}};
    for (std::size_t i = 0; i < 3; ++i) {
        TPTrackBar* bar = addBar(box, bars[i].caption, bars[i].min, bars[i].max, bars[i].start, modifierLabels_[i]);
        bar->setObjectName(QStringLiteral("Modifier%1Bar").arg(i));
        connect(bar, &TPTrackBar::changed, this, [this, bar, edit = bars[i].edit] {
            const int position = bar->position();
            editHeads([edit, position](KyDmxSpace& dmx, const KyDevices& d) { edit(dmx, d, position); });
        });
        modifierBars_[i] = bar;
        const int row = 1 + static_cast<int>(i);
        grid->addWidget(bar, row, 0);
        grid->addWidget(modifierLabels_[i], row, 1);
    }
    return box;
}

QWidget* TGeneratorForm::buildAxis(KyAxis axis, const QString& caption)
{
    auto* box = new QGroupBox(caption, this);
    auto* grid = new QGridLayout(box);
    AxisControls& controls = axes_[index(axis)];
    controls.direction = addDirectionButtons(grid, box, axis == KyAxis::Pan ? "PanDirection" : "TiltDirection");
    for (std::uint8_t direction : {0, 1})
        connect(controls.direction[direction], &QToolButton::clicked, this,
                [this, axis, direction] { editAxisBar(axis, setAxisDirection, direction); });
    const struct {
        const char* caption;
        int min, max, start;
        KyAxisEdit edit;
    } bars[3] = {{QT_TRANSLATE_NOOP("TGeneratorForm", "AMPLITUDA"), 0, 128, 128, setAxisAmplitude},
                 {QT_TRANSLATE_NOOP("TGeneratorForm", "PRĘDKOŚĆ"), 1, 255, 255, setAxisSpeed},
                 {QT_TRANSLATE_NOOP("TGeneratorForm", "FAZA"), 0, 359, 0, setAxisPhase}};
    for (std::size_t i = 0; i < 3; ++i) {
        TPTrackBar* bar = addBar(box, bars[i].caption, bars[i].min, bars[i].max, bars[i].start, controls.labels[i]);
        bar->setObjectName(caption + QStringLiteral("%1Bar").arg(i));
        connect(bar, &TPTrackBar::changed, this,
                [this, axis, bar, edit = bars[i].edit] { editAxisBar(axis, edit, bar->position()); });
        controls.bars[i] = bar;
        const int row = 1 + static_cast<int>(i);
        grid->addWidget(bar, row, 0);
        grid->addWidget(controls.labels[i], row, 1);
    }
    return box;
}

KyDevices TGeneratorForm::heads() const
{
    return selectionWith(model_.icons, hasPanTilt);
}

void TGeneratorForm::editHeads(const std::function<void(KyDmxSpace&, const KyDevices&)>& edit)
{
    const KyDevices devices = heads();
    if (!devices.empty()) {
        std::lock_guard lock(model_.showLock);
        edit(model_.dmx, devices);
    }
    refresh();
}

void TGeneratorForm::editAxisBar(KyAxis axis, KyAxisEdit edit, int value)
{
    editHeads([axis, edit, value](KyDmxSpace& dmx, const KyDevices& d) { editAxis(dmx, d, axis, edit, value); });
}

bool TGeneratorForm::canEdit() const
{
    if (model_.icons.selection().empty())
        return false;
    std::lock_guard lock(model_.showLock);
    return recordedScene(model_.dmx) != nullptr;
}

// The figure of the first selected head, which need not be the one the window shows.
void TGeneratorForm::SaveButtonClick()
{
    if (!canEdit())
        return;
    const std::optional<std::string> name = askForName(this, {});
    if (!name)
        return;
    const KyDevices selection = model_.icons.selectedDevices();
    if (selection.empty())
        return;
    std::optional<KyPanTiltGen> figure;
    {
        std::lock_guard lock(model_.showLock);
        figure = axisRecords(model_.dmx, *selection.front());
    }
    if (!figure)
        return;
    figure->name = *name;
    genList_.append(*figure);
}

// The list window runs without the show lock; the figure is copied out before the edit.
void TGeneratorForm::ChooseButtonClick()
{
    if (!canEdit())
        return;
    const std::optional<int> chosen = chooseFigure(genList_, genListPath_, this);
    if (!chosen || *chosen < 0 || static_cast<std::size_t>(*chosen) >= genList_.size())
        return;
    const KyPanTiltGen figure = genList_.at(static_cast<std::size_t>(*chosen));
    editHeads([&figure](KyDmxSpace& dmx, const KyDevices& d) { loadFigure(dmx, d, figure); });
}

void TGeneratorForm::refresh()
{
    const auto reference = model_.icons.referenceDevice();
    std::optional<KyPanTiltGen> records;
    if (reference) {
        std::lock_guard lock(model_.showLock);
        records = axisRecords(model_.dmx, *reference);
    }
    if (records) {
        shown_ = *records;
        setWindowTitle(functionWindowTitle(*reference));
    }
    showRecords(shown_);
    for (std::size_t i = 0; i < 3; ++i) {
        modifierLabels_[i]->setText(QString::number(modifierBars_[i]->position()));
        for (AxisControls& controls : axes_)
            controls.labels[i]->setText(QString::number(controls.bars[i]->position()));
    }
}

void TGeneratorForm::showRecords(const KyPanTiltGen& records)
{
    const KyGenerator& pan = records.pan;
    masterDirection_[pan.masterDirection == 1 ? 1 : 0]->setChecked(true);
    modifierBars_[Amplitude]->setPositionSilently(pan.amplitudeModifier);
    modifierBars_[Speed]->setPositionSilently(speedPositionFor(pan.speedModifier));
    modifierBars_[Phase]->setPositionSilently(pan.phaseModifier);
    for (KyAxis axis : {KyAxis::Pan, KyAxis::Tilt}) {
        const KyAxisView view = axisView(axis == KyAxis::Pan ? records.pan : records.tilt);
        AxisControls& controls = axes_[index(axis)];
        controls.direction[view.direction ? 1 : 0]->setChecked(true);
        controls.bars[Amplitude]->setPositionSilently(view.amplitude);
        controls.bars[Speed]->setPositionSilently(view.speed);
        controls.bars[Phase]->setPositionSilently(view.phase);
    }
}

void TGeneratorForm::showEvent(QShowEvent* event)
{
    refresh();
    updateTimer_->start();
    QWidget::showEvent(event);
}

void TGeneratorForm::hideEvent(QHideEvent* event)
{
    updateTimer_->stop();
    QWidget::hideEvent(event);
}
