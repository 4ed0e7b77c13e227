#include "ShowJson.h"

#include "common/Ini.h"
#include "cue/CueFile.h"
#include "cue/Seque.h"
#include "generator/GenList.h"
#include "library/Library.h"
#include "panel/Panel.h"

#include <algorithm>

// ---- Device types

template <class Io>
void describe(Io& io, Member<Io, KyShutter> s)
{
    io("active", s.active);
    io("channel", s.channel);
    io("onValue", s.onValue);
    io("offValue", s.offValue);
}

template <class Io>
void describe(Io& io, Member<Io, KyDimmer> d)
{
    describe<Io>(io, static_cast<Member<Io, KyShutter>>(d));
    io("name", d.name);
    io("minValue", d.minValue);
    io("maxValue", d.maxValue);
    io("invert", d.invert);
}

template <class Io>
void describe(Io& io, Member<Io, KyDimm> d)
{
    describe<Io>(io, static_cast<Member<Io, KyDimmer>>(d));
    io("isIntensity", d.isIntensity);
}

template <class Io>
void describe(Io& io, Member<Io, KyChValue> list)
{
    io("values", list.values);
    io("active", list.active);
}

template <class Io>
void describe(Io& io, Member<Io, KyPanTilt> p)
{
    io("active", p.active);
    io("mode8bit", p.mode8bit);
    io("panFineChannel", p.panFineChannel);
    io("panChannel", p.panChannel);
    io("tiltFineChannel", p.tiltFineChannel);
    io("tiltChannel", p.tiltChannel);
    io("control1", p.control1);
    io("control2", p.control2);
}

template <class Io>
void describe(Io& io, Member<Io, KyIcon> slot)
{
    io("name", slot.name);
    io("picture", slot.picture);
    io("value", slot.value);
}

template <class Io>
void describe(Io& io, Member<Io, KyGobo> wheel)
{
    io("slots", wheel.slots);
    io("wheel", wheel.wheel);
    io("control1", wheel.control1);
    io("control2", wheel.control2);
}

template <class Io>
void describe(Io& io, Member<Io, KyColorMixer> m)
{
    io("active", m.active);
    io("rgb", m.rgb);
    io("component1", m.component1);
    io("component2", m.component2);
    io("component3", m.component3);
}

template <class Io>
void describe(Io& io, Member<Io, KyOptic> o)
{
    io("optic1", o.optic1);
    io("optic2", o.optic2);
    io("optic3", o.optic3);
    io("optic4", o.optic4);
}

template <class Io>
void describe(Io& io, Member<Io, KyDimmers> pack)
{
    io("dimms", pack.dimms);
}

template <class Io>
void describe(Io& io, Member<Io, KyDevice> d)
{
    io("id", d.id);
    io("name", d.name);
    io("description", d.description);
    io("icon", d.icon);
    io("reset", d.reset);
    io("shutter", d.shutter);
    io("intensity", d.intensity);
    io("strobe", d.strobe);
    io("blackout", d.blackout);
    io("lampOn", d.lampOn);
    io("lampOff", d.lampOff);
    io("panTilt", d.panTilt);
    io("color1", d.color1);
    io("color2", d.color2);
    io("gobo1", d.gobo1);
    io("gobo2", d.gobo2);
    io("effect1", d.effect1);
    io("effect2", d.effect2);
    io("optic", d.optic);
    io("dimmers", d.dimmers);
}

template <class Io>
void describe(Io& io, Member<Io, KyLibrary> library)
{
    io("lastId", library.lastId);
    io("devices", library.devices);
}

// ---- Installation

template <class Io>
void describe(Io& io, Member<Io, KyClubDevice> d)
{
    io("typeId", d.typeId);
    io("startAddress", d.startAddress);
    io("name", d.name);
    io("panInverted", d.panInverted);
    io("tiltInverted", d.tiltInverted);
    io("panTiltSwapped", d.panTiltSwapped);
    io("iconLeft", d.iconLeft);
    io("iconTop", d.iconTop);
    io("page", d.page);
}

template <class Io>
void describe(Io& io, Member<Io, KyClub> club)
{
    io("clubDevices", club.clubDevices);
}

// ---- Generators

template <class Io>
void describe(Io& io, Member<Io, KyGenerator> g)
{
    io("enabled", g.enabled);
    io("masterDirection", g.masterDirection);
    io("speedModifier", g.speedModifier);
    io("amplitudeModifier", g.amplitudeModifier);
    io("phaseModifier", g.phaseModifier);
    io("direction", g.direction);
    io("phaseFlip", g.phaseFlip);
    io("amplitude", g.amplitude);
    io("speed", g.speed);
    io("phase", g.phase);
}

template <class Io>
void describe(Io& io, Member<Io, KyPanTiltGen> figure)
{
    io("name", figure.name);
    io("pan", figure.pan);
    io("tilt", figure.tilt);
}

template <class Io>
void describe(Io& io, Member<Io, KyGenList> list)
{
    std::vector<KyPanTiltGen> figures;
    if constexpr (Io::writes) {
        for (std::size_t i = 0; i < list.size(); ++i)
            figures.push_back(list.at(i));
        io("figures", figures);
    } else {
        io("figures", figures);
        list = KyGenList();
        for (const auto& figure : figures)
            list.append(figure);
    }
}

// ---- Scenes and sequences

template <class Io>
void describe(Io& io, Member<Io, KyChStatus> s)
{
    io("value", s.value);
    io("kind", s.kind);
    io("pairRole", s.pairRole);
    io("fineChannel", s.fineChannel);
    io("pairChannel", s.pairChannel);
}

template <class Io>
void describe(Io& io, Member<Io, KyScene> scene)
{
    io("sceneTime", scene.sceneTime);
    if constexpr (Io::writes) {
        io("channels", KyScene::ChannelMap(scene.channels()));
        io("generators", KyScene::GeneratorMap(scene.generators()));
    } else {
        KyScene::ChannelMap channels;
        KyScene::GeneratorMap generators;
        io("channels", channels);
        // Without generator entries every channel gets the default one, as recording gives it.
        if (io.has("generators"))
            io("generators", generators);
        else
            for (const auto& entry : channels)
                generators[entry.first] = KyGenerator();
        scene.assign(channels, generators);
    }
}

template <class Io>
void describe(Io& io, Member<Io, KySequence> seq)
{
    io("id", seq.id);
    io("name", seq.name);
    io("fade", seq.fade);
    io("scenes", seq.scenes);
}

// ---- Cues

// What the file keeps of a zone.
template <class Io>
void describe(Io& io, Member<Io, KySeqEngProp> zone)
{
    io("sequenceId", zone.sequenceId);
    io("speed", zone.speed);
    io("beatsPerStep", zone.beatsPerStep);
    io("active", zone.active);
    io("music", zone.music);
}

KySeqEngProp propertiesOf(const KySeqEngine& engine)
{
    KySeqEngProp props;
    props.sequenceId = engine.sequenceId;
    props.speed = engine.speed;
    props.beatsPerStep = static_cast<std::int32_t>(engine.beatsPerStep);
    props.active = engine.active;
    props.music = engine.music;
    return props;
}

// Reading leaves the zones in `zoneProps`, for binding once the cue is whole.
template <class Io>
void describe(Io& io, Member<Io, KyCue> cue)
{
    io("id", cue.id);
    io("name", cue.name);
    io("speed", cue.speed);
    io("generatorAmplitude", cue.generatorAmplitude);
    io("generatorSpeed", cue.generatorSpeed);
    if constexpr (Io::writes) {
        std::array<KySeqEngProp, KyCue::kZones> zones;
        std::transform(cue.zones.begin(), cue.zones.end(), zones.begin(), propertiesOf);
        io("zones", zones);
    } else {
        io("zones", cue.zoneProps);
    }
}

// ---- Panel

template <class Io>
void describe(Io& io, Member<Io, KyButton> b)
{
    io("flash", b.flash);
    io("musicPulses", b.musicPulses);
    io("id", b.id);
}

template <class Io>
void describe(Io& io, Member<Io, KySeqButtons> column)
{
    io("pages", column.pages);
}

template <class Io>
void describe(Io& io, Member<Io, KyCueButtons> block)
{
    io("pages", block.pages);
}

template <class Io>
void describe(Io& io, Member<Io, KyPanel> panel)
{
    io("cueButtons", panel.cueButtons);
    io("seqButtons", panel.seqButtons);
}

// ---- Files

namespace {

// A counter below an id it handed out would hand that id out again.
template <class Ids>
void refuseCounterBelow(std::int32_t counter, const Ids& ids, const std::string& path)
{
    for (std::int32_t id : ids)
        if (id > counter)
            throw Refused(path, "below the id " + std::to_string(id) + " already handed out");
}

std::string iniTextOf(std::string_view text, const std::vector<std::string>& pageNames, const ZoneNames& zoneNames)
{
    vt::IniFile ini(text);
    writeConfiguration(ini, pageNames, zoneNames);
    return ini.text();
}

void refuseLineBreaks(const std::string& name, const std::string& path)
{
    if (name.find_first_of("\r\n") != std::string::npos)
        throw Refused(path, "a line break, which the configuration file cannot keep");
}

} // namespace

Json configurationToJson(const std::vector<std::string>& pageNames, const ZoneNames& zoneNames,
                         std::string_view fileText)
{
    Json out = Json::object();
    out["pageNames"] = toJson(pageNames);
    out["zoneNames"] = toJson(zoneNames);
    if (iniTextOf("", pageNames, zoneNames) != fileText)
        out["iniText"] = toJson(std::string(fileText));
    return out;
}

std::string configurationFromJson(const Json& j, std::vector<std::string>& pageNames, ZoneNames& zoneNames)
{
    std::vector<std::string> pages{"Strona 1"};
    ZoneNames zones;
    for (std::size_t i = 0; i < zones.size(); ++i)
        zones[i] = std::to_string(i + 1);
    std::string iniText;
    JsonReader r(j, "configuration");
    r("pageNames", pages);
    r("zoneNames", zones);
    r("iniText", iniText);
    r.refuseUnknownMembers();
    if (pages.empty() || pages.size() > std::size_t(maxPages))
        throw Refused("configuration.pageNames", "from 1 to " + std::to_string(maxPages) + " pages");
    for (std::size_t i = 0; i < pages.size(); ++i)
        refuseLineBreaks(pages[i], indexPath("configuration.pageNames", i));
    for (std::size_t i = 0; i < zones.size(); ++i)
        refuseLineBreaks(zones[i], indexPath("configuration.zoneNames", i));
    pageNames = pages;
    zoneNames = zones;
    if (r.has("iniText")) {
        // The file as it was, when it holds these very names.
        std::vector<std::string> heldPages;
        ZoneNames heldZones;
        readConfiguration(vt::IniFile(iniText), heldPages, heldZones);
        if (heldPages == pages && heldZones == zones)
            return iniText;
    }
    return iniTextOf(iniText, pages, zones);
}

Json deviceToJson(const KyDevice& device)
{
    return toJson(device);
}

Json libraryToJson(const KyLibrary& library)
{
    return toJson(library);
}

void libraryFromJson(const Json& j, KyLibrary& library)
{
    library.lastId = 0;
    library.devices.clear();
    fromJson(j, library, "library");
    std::vector<std::int32_t> ids;
    for (const auto& device : library.devices)
        ids.push_back(device->id);
    refuseCounterBelow(library.lastId, ids, "library.lastId");
}

Json clubToJson(const KyClub& club)
{
    return toJson(club);
}

void clubFromJson(const Json& j, KyClub& club, const std::vector<std::shared_ptr<KyDevice>>& types)
{
    club.clubDevices.clear();
    fromJson(j, club, "club");
    for (std::size_t i = 0; i < club.clubDevices.size(); ++i) {
        KyClubDevice& device = *club.clubDevices[i];
        auto type = std::find_if(types.begin(), types.end(), [&](const auto& t) { return t->id == device.typeId; });
        if (type == types.end())
            throw Refused(indexPath("club.clubDevices", i) + ".typeId",
                          "no device type " + std::to_string(device.typeId) + " in the library");
        device.deviceType = *type;
    }
}

Json genListToJson(const KyGenList& list)
{
    return toJson(list);
}

void genListFromJson(const Json& j, KyGenList& list)
{
    fromJson(j, list, "generators");
}

Json sequencesToJson(const KySeque& store)
{
    JsonWriter w;
    w("nextSequenceId", store.nextSequenceId);
    w("sequences", store.sequences());
    return w.take();
}

void sequencesFromJson(const Json& j, KySeque& store)
{
    std::int32_t next = 0;
    KySeque::SequenceList sequences;
    JsonReader r(j, "sequences");
    r("nextSequenceId", next);
    r("sequences", sequences);
    r.refuseUnknownMembers();
    std::vector<std::int32_t> ids;
    for (std::size_t i = 0; i < sequences.size(); ++i) {
        // The file's reader leaves out a sequence without an id.
        if (sequences[i]->id == 0)
            throw Refused(indexPath("sequences.sequences", i) + ".id", "a stored sequence needs an id");
        ids.push_back(sequences[i]->id);
    }
    refuseCounterBelow(next, ids, "sequences.nextSequenceId");
    store.nextSequenceId = next;
    store.replaceSequences(std::move(sequences));
}

Json cuesToJson(const KySeque& store)
{
    JsonWriter w;
    w("nextCueId", store.nextCueId);
    w("cues", store.cues());
    return w.take();
}

void cuesFromJson(const Json& j, KySeque& store)
{
    std::int32_t next = 0;
    std::vector<KyCue> cues;
    JsonReader r(j, "cues");
    r("nextCueId", next);
    r("cues", cues);
    r.refuseUnknownMembers();
    std::vector<std::int32_t> ids;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        for (std::size_t z = 0; z < cues[i].zoneProps.size(); ++z) {
            const std::int32_t id = cues[i].zoneProps[z].sequenceId;
            if (id != 0 && !store.findSequence(id))
                throw Refused(indexPath(indexPath("cues.cues", i) + ".zones", z) + ".sequenceId",
                              "no stored sequence " + std::to_string(id));
        }
        bindZones(cues[i], store);
        ids.push_back(cues[i].id);
    }
    refuseCounterBelow(next, ids, "cues.nextCueId");
    store.nextCueId = next;
    store.replaceCues(std::move(cues));
}

Json panelToJson(const KyPanel& panel)
{
    return toJson(panel);
}

void panelFromJson(const Json& j, KyPanel& panel)
{
    auto clear = [](auto& pages) {
        for (auto& page : pages)
            for (auto& b : page)
                b = KyButton();
    };
    clear(panel.cueButtons.pages);
    for (auto& column : panel.seqButtons)
        clear(column.pages);
    fromJson(j, panel, "panel");
}
