#include "library/LibraryFile.h"

#include <algorithm>
#include <limits>

namespace {

// Texts, pictures and lists that cannot be read whole end up empty, as the reader of a
// file that ends early has nothing to put there.
void readText(vt::ByteReader& r, std::string& text)
{
    if (!r.str(text))
        text.clear();
}

// Where the pictures of a library being read go.
using Storage = vt::BulkAllocator<std::uint8_t>;

void readPicture(vt::ByteReader& r, KyPicture& picture, const Storage& storage)
{
    std::uint32_t size = 0;
    const std::uint8_t* bytes = r.u32(size) ? r.next(size) : nullptr;
    if (bytes)
        picture = KyPicture(bytes, bytes + size, storage);
    else
        picture.clear();
}

// Reads up to `count` entries with `readOne`, keeping those read whole. Nothing is reserved
// for the count: each entry takes bytes of the data, so the list never outgrows it.
template <typename Entry, typename ReadOne>
std::vector<Entry> readEntries(vt::ByteReader& r, ReadOne readOne)
{
    std::uint32_t count = 0;
    r.u32(count);
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < count && r.ok(); ++i) {
        Entry entry;
        readOne(entry);
        if (r.ok())
            entries.push_back(std::move(entry));
    }
    return entries;
}

void writeShutter(vt::ByteWriter& w, const KyShutter& s)
{
    w.boolean(s.active);
    w.i32(s.channel);
    w.u8(s.onValue);
    w.u8(s.offValue);
}

void readShutter(vt::ByteReader& r, KyShutter& s)
{
    r.boolean(s.active);
    r.i32(s.channel);
    r.u8(s.onValue);
    r.u8(s.offValue);
}

void writeDimmer(vt::ByteWriter& w, const KyDimmer& d)
{
    writeShutter(w, d);
    w.str(d.name);
    w.u8(d.minValue);
    w.u8(d.maxValue);
    w.boolean(d.invert);
}

void readDimmer(vt::ByteReader& r, KyDimmer& d)
{
    readShutter(r, d);
    readText(r, d.name);
    r.u8(d.minValue);
    r.u8(d.maxValue);
    r.boolean(d.invert);
}

void writeChValue(vt::ByteWriter& w, const KyChValue& list)
{
    w.u32(static_cast<std::uint32_t>(list.values.size()));
    for (const auto& [channel, value] : list.values) {
        w.i32(channel);
        w.u8(value);
    }
    w.boolean(list.active);
}

void readChValue(vt::ByteReader& r, KyChValue& list)
{
    using Pair = std::pair<std::int32_t, std::uint8_t>;
    auto pairs = readEntries<Pair>(r, [&](Pair& p) {
        r.i32(p.first);
        r.u8(p.second);
    });
    list.values.clear();
    // The first occurrence of a channel wins.
    list.values.insert(pairs.begin(), pairs.end());
    r.boolean(list.active);
}

void writePanTilt(vt::ByteWriter& w, const KyPanTilt& p)
{
    w.boolean(p.active);
    w.boolean(p.mode8bit);
    w.i32(p.panFineChannel);
    w.i32(p.panChannel);
    w.i32(p.tiltFineChannel);
    w.i32(p.tiltChannel);
    writeDimmer(w, p.control1);
    writeDimmer(w, p.control2);
}

void readPanTilt(vt::ByteReader& r, KyPanTilt& p)
{
    r.boolean(p.active);
    r.boolean(p.mode8bit);
    r.i32(p.panFineChannel);
    r.i32(p.panChannel);
    r.i32(p.tiltFineChannel);
    r.i32(p.tiltChannel);
    readDimmer(r, p.control1);
    readDimmer(r, p.control2);
}

void writeSlot(vt::ByteWriter& w, const KyIcon& slot)
{
    w.str(slot.name);
    w.bytes(slot.picture);
    w.i32(slot.value);
}

void readSlot(vt::ByteReader& r, KyIcon& slot, const Storage& storage)
{
    readText(r, slot.name);
    readPicture(r, slot.picture, storage);
    r.i32(slot.value);
}

void writeWheel(vt::ByteWriter& w, const KyGobo& wheel)
{
    w.u32(static_cast<std::uint32_t>(wheel.slots.size()));
    for (const auto& slot : wheel.slots)
        writeSlot(w, slot);
    writeDimmer(w, wheel.wheel);
    writeDimmer(w, wheel.control1);
    writeDimmer(w, wheel.control2);
}

void readWheel(vt::ByteReader& r, KyGobo& wheel, const Storage& storage)
{
    wheel.slots = readEntries<KyIcon>(r, [&](KyIcon& slot) { readSlot(r, slot, storage); });
    readDimmer(r, wheel.wheel);
    readDimmer(r, wheel.control1);
    readDimmer(r, wheel.control2);
}

void writeMixer(vt::ByteWriter& w, const KyColorMixer& m)
{
    w.boolean(m.active);
    w.boolean(m.rgb);
    writeDimmer(w, m.component1);
    writeDimmer(w, m.component2);
    writeDimmer(w, m.component3);
}

void readMixer(vt::ByteReader& r, KyColorMixer& m)
{
    r.boolean(m.active);
    r.boolean(m.rgb);
    readDimmer(r, m.component1);
    readDimmer(r, m.component2);
    readDimmer(r, m.component3);
}

void writeOptic(vt::ByteWriter& w, const KyOptic& o)
{
    for (const KyDimmer* block : {&o.optic1, &o.optic2, &o.optic3, &o.optic4})
        writeDimmer(w, *block);
}

void readOptic(vt::ByteReader& r, KyOptic& o)
{
    for (KyDimmer* block : {&o.optic1, &o.optic2, &o.optic3, &o.optic4})
        readDimmer(r, *block);
}

void writeDimmers(vt::ByteWriter& w, const KyDimmers& pack)
{
    w.u32(static_cast<std::uint32_t>(pack.dimms.size()));
    for (const auto& entry : pack.dimms) {
        writeDimmer(w, entry);
        w.boolean(entry.isIntensity);
    }
}

void readDimmers(vt::ByteReader& r, KyDimmers& pack)
{
    pack.dimms = readEntries<KyDimm>(r, [&](KyDimm& entry) {
        readDimmer(r, entry);
        r.boolean(entry.isIntensity);
    });
}

void writeDescription(vt::ByteWriter& w, const std::vector<std::string>& lines)
{
    w.u32(static_cast<std::uint32_t>(lines.size()));
    for (const auto& line : lines)
        w.str(line);
}

void readDescription(vt::ByteReader& r, std::vector<std::string>& lines)
{
    lines = readEntries<std::string>(r, [&](std::string& line) { r.str(line); });
}

vt::LoadStatus statusAfter(const vt::ByteReader& r)
{
    // Bytes after the last record mean a count or length was damaged.
    return r.ok() && r.atEnd() ? vt::LoadStatus::Complete : vt::LoadStatus::Incomplete;
}

// A damaged last identifier must not let the library hand out an identifier it holds.
std::int32_t soundLastId(std::int32_t stored, const std::vector<std::shared_ptr<KyDevice>>& devices)
{
    std::int32_t highest = std::max(stored, 0);
    for (const auto& device : devices)
        highest = std::max(highest, device->id);
    return highest;
}

} // namespace

void writeDevice(vt::ByteWriter& w, const KyDevice& d)
{
    w.i32(d.id);
    w.str(d.name);
    writeDescription(w, d.description);
    w.bytes(d.icon);
    writeChValue(w, d.reset);
    writeShutter(w, d.shutter);
    writeDimmer(w, d.intensity);
    writeDimmer(w, d.strobe);
    writeChValue(w, d.blackout);
    writeChValue(w, d.lampOn);
    writeChValue(w, d.lampOff);
    writePanTilt(w, d.panTilt);
    writeWheel(w, d.color1);
    writeMixer(w, d.color2);
    writeWheel(w, d.gobo1);
    writeWheel(w, d.gobo2);
    writeWheel(w, d.effect1);
    writeWheel(w, d.effect2);
    writeOptic(w, d.optic);
    writeDimmers(w, d.dimmers);
}

namespace {

bool readDeviceInto(vt::ByteReader& r, KyDevice& d, const Storage& storage)
{
    r.i32(d.id);
    readText(r, d.name);
    readDescription(r, d.description);
    readPicture(r, d.icon, storage);
    readChValue(r, d.reset);
    readShutter(r, d.shutter);
    readDimmer(r, d.intensity);
    readDimmer(r, d.strobe);
    readChValue(r, d.blackout);
    readChValue(r, d.lampOn);
    readChValue(r, d.lampOff);
    readPanTilt(r, d.panTilt);
    readWheel(r, d.color1, storage);
    readMixer(r, d.color2);
    readWheel(r, d.gobo1, storage);
    readWheel(r, d.gobo2, storage);
    readWheel(r, d.effect1, storage);
    readWheel(r, d.effect2, storage);
    readOptic(r, d.optic);
    readDimmers(r, d.dimmers);
    return r.ok();
}

} // namespace

bool readDevice(vt::ByteReader& r, KyDevice& d)
{
    return readDeviceInto(r, d, {});
}

vt::Bytes libraryToBytes(const KyLibrary& library)
{
    vt::ByteWriter w;
    w.i32(library.lastId);
    w.u32(static_cast<std::uint32_t>(library.devices.size()));
    for (const auto& device : library.devices)
        writeDevice(w, *device);
    return w.take();
}

namespace {

vt::LoadStatus readLibrary(vt::ByteReader& r, KyLibrary& library)
{
    std::int32_t lastId = 0;
    std::uint32_t count = 0;
    r.i32(lastId);
    r.u32(count);
    std::vector<std::shared_ptr<KyDevice>> devices;
    // The types and their pictures in one arena, which about the size of the file holds;
    // it goes with the last of them.
    const vt::BulkAllocator<KyDevice> storage(vt::BulkArena::make(r.remaining() * 2 + (std::size_t(1) << 20)));
    // While the data lasts every record takes hundreds of bytes; after it ends, each
    // remaining record is a default type, up to the padding limit.
    for (std::uint32_t i = 0; i < count && (r.ok() || devices.size() < maxPaddedLibrary); ++i) {
        auto device = std::allocate_shared<KyDevice>(storage);
        readDeviceInto(r, *device, storage);
        devices.push_back(std::move(device));
    }
    library.lastId = soundLastId(lastId, devices);
    library.devices = std::move(devices);
    return statusAfter(r);
}

} // namespace

vt::LoadStatus libraryFromBytes(std::span<const std::uint8_t> data, KyLibrary& library)
{
    vt::ByteReader r(data);
    return readLibrary(r, library);
}

// The pictures make the library the second largest file: read part by part, never held whole.
vt::LoadStatus loadLibrary(KyLibrary& library, const std::string& path)
{
    return vt::loadFileInParts(path, [&](vt::ByteReader& r) { return readLibrary(r, library); });
}

bool saveLibrary(const KyLibrary& library, const std::string& path, std::string* error)
{
    return vt::writeFileAtomically(path, libraryToBytes(library), error);
}

vt::Bytes deviceToBytes(const KyDevice& device)
{
    vt::ByteWriter w;
    writeDevice(w, device);
    return w.take();
}

vt::LoadStatus deviceFromBytes(std::span<const std::uint8_t> data, KyDevice& device)
{
    vt::ByteReader r(data);
    readDevice(r, device);
    return statusAfter(r);
}

vt::LoadStatus loadDeviceFile(KyDevice& device, const std::string& path)
{
    vt::Bytes data;
    switch (vt::readWholeFile(path, data)) {
    case vt::ReadResult::Ok:
        return deviceFromBytes(data, device);
    case vt::ReadResult::Missing:
        return vt::LoadStatus::Missing;
    case vt::ReadResult::Unreadable:
        break;
    }
    return vt::LoadStatus::Incomplete;
}

bool saveDeviceFile(const KyDevice& device, const std::string& path, std::string* error)
{
    return vt::writeFileAtomically(path, deviceToBytes(device), error);
}
