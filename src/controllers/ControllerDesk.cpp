#include "controllers/ControllerDesk.h"

#include "common/PTrackBar.h"
#include "panel/DeskActions.h"

#include <QAction>

#include <cmath>

namespace {

constexpr int kCueButtons = KyCueButtons::kPages * KyCueButtons::kButtons;
constexpr int kSeqButtons = KySeqButtons::kPages * KySeqButtons::kButtons;

// The buttons in the order of the lit states: cue buttons page by page, then each zone's.
KyControlAction buttonAt(int i)
{
    if (i < kCueButtons)
        return {KyControlAction::CueButton, 0, std::int8_t(i / KyCueButtons::kButtons),
                std::int8_t(i % KyCueButtons::kButtons)};
    i -= kCueButtons;
    const int inZone = i % kSeqButtons;
    return {KyControlAction::ZoneButton, std::int8_t(i / kSeqButtons), std::int8_t(inZone / KySeqButtons::kButtons),
            std::int8_t(inZone % KySeqButtons::kButtons)};
}

bool shownLit(const KyPanel& panel, const KyControlAction& button)
{
    if (button.kind == KyControlAction::CueButton)
        return panel.cueButtons.pages[std::size_t(button.page)][std::size_t(button.button)].shownLit();
    return panel.seqButtons[std::size_t(button.zone)].pages[std::size_t(button.page)][std::size_t(button.button)].shownLit();
}

void moveBar(TPTrackBar* bar, float value, void (TDeskActions::*set)(int), TDeskActions& desk)
{
    if (bar)
        (desk.*set)(bar->min() + int(std::lround(std::clamp(value, 0.0f, 1.0f) * float(bar->max() - bar->min()))));
}

} // namespace

TControllerDesk::TControllerDesk(TDeskActions& desk, QObject* parent)
    : QObject(parent), desk_(desk),
      queue_([this] { QMetaObject::invokeMethod(this, &TControllerDesk::drain, Qt::QueuedConnection); }), osc_(queue_),
      midi_(queue_), lit_(std::size_t(kCueButtons + KyPanel::kZones * kSeqButtons), false)
{
    connect(&desk_, &TDeskActions::cueBlockChanged, this, &TControllerDesk::feedback);
    connect(&desk_, &TDeskActions::liveCueReplaced, this, &TControllerDesk::feedback);
    connect(&desk_, &TDeskActions::columnChanged, this, &TControllerDesk::feedback);
}

void TControllerDesk::drain()
{
    for (const KyInputEvent& event : queue_.take())
        if (learning_)
            emit moved(event.input);
        else if (auto action = actionFor(event.input))
            run(*action, event.value);
    feedback();
}

std::optional<KyControlAction> TControllerDesk::actionFor(const KyInputId& input) const
{
    if (const KyControlAction* mapped = map_.find(input))
        return *mapped;
    if (input.kind == KyInputId::Osc)
        return oscAction(input.address);
    return std::nullopt;
}

void TControllerDesk::run(const KyControlAction& action, float value)
{
    const TDeskControls& controls = desk_.controls();
    switch (action.kind) {
    case KyControlAction::CueSpeed:
        return moveBar(controls.cueSpeed, value, &TDeskActions::setCueSpeed, desk_);
    case KyControlAction::GeneratorSpeed:
        return moveBar(controls.generatorSpeed, value, &TDeskActions::setGeneratorSpeed, desk_);
    case KyControlAction::GeneratorAmplitude:
        return moveBar(controls.generatorAmplitude, value, &TDeskActions::setGeneratorAmplitude, desk_);
    default:
        press(action, value >= 0.5f);
    }
}

// A button of another page than the one shown is pressed there, and the shown page stays.
void TControllerDesk::press(const KyControlAction& action, bool down)
{
    const KyPanel& panel = desk_.panel();
    const bool panelOnly = action.kind <= KyControlAction::Stop || action.kind >= KyControlAction::NextCue;
    if (panelOnly && !desk_.panelAvailable())
        return;
    const TDeskControls& controls = desk_.controls();
    if (action.kind == KyControlAction::ZoneButton) {
        const int shown = panel.seqButtons[std::size_t(action.zone)].page;
        desk_.showZonePage(action.zone, action.page);
        down ? desk_.pressSeqButton(action.zone, action.button) : desk_.releaseSeqButton(action.zone, action.button);
        desk_.showZonePage(action.zone, shown);
        return;
    }
    if (action.kind == KyControlAction::Blackout)
        return desk_.setBlackout(down);
    if (!down)
        return;
    switch (action.kind) {
    case KyControlAction::CueButton: {
        const int shown = panel.cueButtons.page;
        desk_.showCuePage(action.page);
        desk_.pressCueButton(action.button);
        desk_.showCuePage(shown);
        break;
    }
    case KyControlAction::CuePage:
        return desk_.showCuePage(action.page);
    case KyControlAction::Start:
        return desk_.start();
    case KyControlAction::Pause:
        return desk_.pause();
    case KyControlAction::Stop:
        return desk_.stop();
    case KyControlAction::BlackoutToggle:
        return desk_.setBlackout(!(controls.blackout && controls.blackout->isChecked()));
    case KyControlAction::ManualOff:
        return desk_.manualOff();
    case KyControlAction::Music:
        return desk_.setMusic(!(controls.music && controls.music->isChecked()));
    case KyControlAction::Tap:
        return desk_.tap();
    case KyControlAction::NextCue:
        return desk_.stepCue(1);
    case KyControlAction::PreviousCue:
        return desk_.stepCue(-1);
    default:
        break;
    }
}

void TControllerDesk::feedback()
{
    for (std::size_t i = 0; i < lit_.size(); ++i) {
        const KyControlAction button = buttonAt(int(i));
        const bool lit = shownLit(desk_.panel(), button);
        if (lit != lit_[i]) {
            lit_[i] = lit;
            sendLit(button, lit);
        }
    }
}

void TControllerDesk::sendLit(const KyControlAction& action, bool lit)
{
    osc_.sendToSenders(std::string(kOscRoot) + actionText(action), lit ? 1 : 0);
    for (const KyMapping& mapping : map_.mappings())
        if (mapping.input.kind == KyInputId::Note && mapping.action == action)
            midi_.sendNote(mapping.input.channel, mapping.input.number, lit ? 127 : 0);
}
