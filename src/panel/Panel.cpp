#include "panel/Panel.h"

#include "cue/Dmx_space.h"
#include "cue/Seque.h"

#include <utility>

namespace {

template <class Pages>
void unlightPages(Pages& pages)
{
    for (auto& page : pages)
        for (auto& button : page)
            button.unlight();
}

// Lights the pressed button alone in its group, or darkens the group when it was lit.
template <class Pages>
KyToggle toggleIn(Pages& pages, KyButton& pressed)
{
    if (pressed.id == 0)
        return {};
    const bool wasLit = pressed.lit;
    unlightPages(pages);
    if (wasLit)
        return {KyToggle::NoneSelected, 0};
    pressed.light();
    return {KyToggle::Selected, pressed.id};
}

template <std::size_t... I>
std::array<KySeqButtons, sizeof...(I)> columnsFor(const KySeque& store, std::index_sequence<I...>)
{
    return {((void)I, KySeqButtons(store))...};
}

} // namespace

void KyButton::write(vt::ByteWriter& w) const
{
    w.boolean(flash);
    w.i32(musicPulses);
    w.i32(id);
}

bool KyButton::read(vt::ByteReader& r)
{
    bool f = false;
    std::int32_t pulses = 0, assigned = 0;
    if (!r.boolean(f) || !r.i32(pulses) || !r.i32(assigned))
        return false;
    flash = f;
    musicPulses = pulses;
    id = assigned;
    return true;
}

KySeqButtons::Captions KySeqButtons::refresh()
{
    Captions captions;
    for (int k = 0; k < kButtons; ++k) {
        KyButton& b = button(k);
        if (const KySequence* sequence = store_->findSequence(b.id)) {
            captions[std::size_t(k)] = sequence->name;
        } else {
            b.id = 0;
            captions[std::size_t(k)] = kMissingCaption;
        }
    }
    return captions;
}

void KySeqButtons::unlightAll()
{
    unlightPages(pages);
}

KyToggle KySeqButtons::toggle(int k)
{
    return toggleIn(pages, button(k));
}

void KySeqButtons::assign(int k, const KySequence* sequence)
{
    KyButton& b = button(k);
    b.id = sequence ? sequence->id : 0;
    b.flash = false;
    b.musicPulses = 0;
}

KyCueButtons::Captions KyCueButtons::refresh()
{
    Captions captions;
    for (int k = 0; k < kButtons; ++k) {
        KyButton& b = button(k);
        if (const KyCue* cue = store_->findCue(b.id)) {
            captions[std::size_t(k)] = cue->name;
            if (b.shownLit() && cue->id != dmx_->liveCue().id)
                unlightAll();
        } else {
            b.id = 0;
            captions[std::size_t(k)] = kMissingCaption;
        }
    }
    return captions;
}

void KyCueButtons::unlightAll()
{
    unlightPages(pages);
}

KyToggle KyCueButtons::toggle(int k)
{
    return toggleIn(pages, button(k));
}

void KyCueButtons::assign(int k, const KyCue* cue)
{
    button(k).id = cue ? cue->id : 0;
}

KyPanel::KyPanel(KySeque& store, const KyDmxSpace& dmx)
    : cueButtons(store, dmx), seqButtons(columnsFor(store, std::make_index_sequence<kZones>())), store_(store)
{
}

std::vector<KyPanel::SequenceEntry> KyPanel::sequenceEntries() const
{
    std::vector<SequenceEntry> entries;
    entries.reserve(kZones * KySeqButtons::kPages * KySeqButtons::kButtons);
    for (const auto& column : seqButtons)
        for (const auto& page : column.pages)
            for (const auto& b : page)
                entries.push_back({store_.findSequence(b.id) ? b.id : 0, b.musicPulses});
    return entries;
}

std::vector<std::int32_t> KyPanel::cueEntries() const
{
    std::vector<std::int32_t> ids;
    ids.reserve(KyCueButtons::kPages * KyCueButtons::kButtons);
    for (const auto& page : cueButtons.pages)
        for (const auto& b : page)
            ids.push_back(b.id);
    return ids;
}

vt::Bytes KyPanel::toBytes() const
{
    vt::ByteWriter w;
    for (const auto& page : cueButtons.pages)
        for (const auto& b : page)
            b.write(w);
    for (const auto& column : seqButtons)
        for (const auto& page : column.pages)
            for (const auto& b : page)
                b.write(w);
    return w.take();
}

vt::LoadStatus KyPanel::fromBytes(std::span<const std::uint8_t> data)
{
    vt::ByteReader r(data);
    // Buttons past the end of a short file are empty.
    auto readInto = [&](auto& pages) {
        for (auto& page : pages)
            for (auto& b : page) {
                b = KyButton();
                b.read(r);
            }
    };
    readInto(cueButtons.pages);
    cueButtons.page = 0;
    for (auto& column : seqButtons) {
        readInto(column.pages);
        column.page = 0;
    }
    return r.ok() && r.atEnd() ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

vt::LoadStatus KyPanel::load(const std::string& path)
{
    return vt::loadFile(path, [&](std::span<const std::uint8_t> data) { return fromBytes(data); });
}

bool KyPanel::save(const std::string& path, std::string* error) const
{
    return vt::writeFileAtomically(path, toBytes(), error);
}
