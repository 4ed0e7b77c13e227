#include "functions/Fdimmers.h"

#include "functions/PDimmerControl.h"

#include <QGridLayout>

TDimmerRowForm::TDimmerRowForm(const KyFunctionModel& model, KyFunction function, const char* caption,
                               std::size_t count, BlockAt blockAt, Placement placement, QWidget* parent)
    : TFunctionForm(model, function, parent), blockAt_(blockAt), placement_(placement), grid_(new QGridLayout(this))
{
    setWindowTitle(tr(caption));
    useUpdateTimer();
    auto sameType = [this] { return sameTypeSelection(); };
    for (std::size_t i = 0; i < count; ++i) {
        auto* control = new KyDimmerControl(this);
        control->setObjectName(QStringLiteral("Control%1").arg(i + 1));
        control->hide();
        control->driveTargets(model, sameType, [blockAt, i](const KyDevice& t) { return blockAt(t, i); });
        connect(control, &KyDimmerControl::applied, this, &TDimmerRowForm::refresh);
        connect(control, &KyDimmerControl::released, this, &TDimmerRowForm::refresh);
        controls_.push_back(control);
    }
}

void TDimmerRowForm::configure(const KyClubDevice& reference)
{
    int placed = 0;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        KyDimmerControl* control = controls_[i];
        const KyDimmer* block = blockAt_(*reference.deviceType, i);
        control->bindBlock(block, reference.startAddress);
        grid_->removeWidget(control);
        const bool keepsPlace = placement_ == Placement::ByIndex && block;
        QSizePolicy policy = control->sizePolicy();
        policy.setRetainSizeWhenHidden(keepsPlace);
        control->setSizePolicy(policy);
        if (!keepsPlace && !control->isBound())
            continue;
        const int slot = keepsPlace ? static_cast<int>(i) : placed++;
        grid_->addWidget(control, slot / kPerRow, slot % kPerRow);
    }
}

void TDimmerRowForm::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice&)
{
    for (KyDimmerControl* control : controls_) {
        control->refreshFromUniverse(snapshot);
        control->enable(!snapshot.previewRunning);
    }
}

namespace {

const KyDimmer* opticAt(const KyDevice& type, std::size_t i)
{
    const KyDimmer* optics[4] = {&type.optic.optic1, &type.optic.optic2, &type.optic.optic3, &type.optic.optic4};
    return optics[i];
}

const KyDimmer* dimmAt(const KyDevice& type, std::size_t i)
{
    return i < type.dimmers.dimmCount() ? &type.dimmers.dimmAt(i) : nullptr;
}

} // namespace

TOpticForm::TOpticForm(const KyFunctionModel& model, QWidget* parent)
    : TDimmerRowForm(model, KyFunction::Optic, QT_TRANSLATE_NOOP("TDimmerRowForm", "Optyka"), 4, opticAt, Placement::Packed, parent)
{
}

TDimmersForm::TDimmersForm(const KyFunctionModel& model, QWidget* parent)
    : TDimmerRowForm(model, KyFunction::Dimmers, QT_TRANSLATE_NOOP("TDimmerRowForm", "Dimmery"), KyDimmers::maxDimms, dimmAt, Placement::ByIndex, parent)
{
}
