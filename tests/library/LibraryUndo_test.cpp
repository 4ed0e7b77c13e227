// Taking back and making again edits of the library's types and of the installation, judged
// by the bytes of the files they would be written to.

#include "common/ListChange.h"
#include "library/Library.h"
#include "library/LibraryChange.h"
#include "library/LibraryFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using TypeChange = KyListChange<KyDevice>;
using DeviceChange = KyListChange<KyClubDevice>;

struct UndoRig {
    KyLibrary library;

    UndoRig()
    {
        for (const char* name : {"Spot", "Wash"}) {
            KyDevice type;
            type.name = name;
            library.addDevice(type);
        }
        KyClubDevice device(library.deviceAt(0));
        device.startAddress = 5;
        library.club.addClubDevice(device);
    }
    // Runs an edit of the types and keeps what it changed.
    std::unique_ptr<KyChange> typeEdit(const std::function<void()>& edit)
    {
        const auto before = KyLibraryChange::take(library);
        edit();
        return KyLibraryChange::since(library, before);
    }
    std::unique_ptr<KyChange> installationEdit(const std::function<void()>& edit)
    {
        const auto before = DeviceChange::take(library.club.clubDevices, true);
        edit();
        return DeviceChange::since(library.club.clubDevices, before, [this](const KyClubDevice& d) {
            return std::ranges::find(library.devices, d.deviceType) != library.devices.end();
        });
    }
    vt::Bytes files() const
    {
        vt::Bytes bytes = libraryToBytes(library);
        const vt::Bytes club = library.club.toBytes();
        bytes.insert(bytes.end(), club.begin(), club.end());
        return bytes;
    }
};

} // namespace

TEST(LibraryUndo, EditsTakenBackGiveTheOriginalBytesAndMadeAgainTheEditedOnes)
{
    UndoRig rig;
    const vt::Bytes original = rig.files();
    std::vector<std::unique_ptr<KyChange>> changes;
    changes.push_back(rig.typeEdit([&] { rig.library.addDevice(*rig.library.deviceAt(1)); })); // a copy
    changes.push_back(rig.typeEdit([&] { rig.library.eraseDevice(1); }));
    {
        const auto type = rig.library.deviceAt(0);
        KyDevice before = *type;
        type->name = "Spot 575";
        changes.push_back(TypeChange::exchanged(rig.library.devices, type, before));
    }
    changes.push_back(rig.installationEdit([&] {
        KyClubDevice device(rig.library.deviceAt(1));
        device.startAddress = 40;
        rig.library.club.addClubDevice(device);
    }));
    changes.push_back(rig.installationEdit([&] {
        rig.library.club.clubDeviceAt(0)->iconLeft = 300; // an icon dragged
        rig.library.club.clubDeviceAt(0)->page = 2;
    }));
    changes.push_back(rig.installationEdit([&] { rig.library.club.eraseClubDevice(0); }));
    for (const auto& change : changes)
        ASSERT_NE(change, nullptr);
    const vt::Bytes edited = rig.files();

    for (auto c = changes.rbegin(); c != changes.rend(); ++c)
        ASSERT_TRUE((*c)->undo());
    EXPECT_EQ(rig.files(), original);
    for (const auto& change : changes)
        ASSERT_TRUE(change->redo());
    EXPECT_EQ(rig.files(), edited);
    EXPECT_EQ(rig.installationEdit([] {}), nullptr);

    // A type added after the first edits were taken back holds the next identifier, and the
    // addition taken back before it cannot be made again.
    ASSERT_TRUE(changes.back()->undo());
    for (auto c = changes.rbegin() + 1; c != changes.rend(); ++c)
        ASSERT_TRUE((*c)->undo());
    rig.library.addDevice(KyDevice{});
    EXPECT_EQ(rig.library.devices.back()->id, 3);
    EXPECT_FALSE(changes.front()->redo());
}

TEST(LibraryUndo, AChangeWhoseTargetIsGoneIsRefusedAndChangesNothing)
{
    UndoRig rig;
    // The installed device's type is erased after the device was: it cannot come back.
    const auto uninstall = rig.installationEdit([&] { rig.library.club.eraseClubDevice(0); });
    const auto eraseType = rig.typeEdit([&] { rig.library.eraseDevice(0); });
    const vt::Bytes before = rig.files();
    EXPECT_FALSE(uninstall->undo());
    EXPECT_EQ(rig.files(), before);

    // A type added, then erased by another way: taking the addition back finds nothing.
    const auto add = rig.typeEdit([&] { rig.library.addDevice(KyDevice{}); });
    rig.library.eraseDevice(rig.library.deviceCount() - 1);
    EXPECT_FALSE(add->undo());

    // An edited type that is gone.
    const auto type = rig.library.deviceAt(0);
    const auto renamed = TypeChange::exchanged(rig.library.devices, type, *type);
    rig.library.eraseDevice(0);
    EXPECT_FALSE(renamed->undo());

    // The erased type comes back, and then the device of it may too.
    ASSERT_TRUE(eraseType->undo());
    EXPECT_TRUE(uninstall->undo());
    EXPECT_EQ(rig.library.club.clubDeviceCount(), 1u);

    // Now that a device is of it again, the type may not be erased once more, nor may an added
    // type leave once a device of it was installed.
    const vt::Bytes installed = rig.files();
    EXPECT_FALSE(eraseType->redo());
    EXPECT_EQ(rig.files(), installed);
    const auto addWash = rig.typeEdit([&] { rig.library.addDevice(KyDevice{}); });
    rig.library.club.addClubDevice(KyClubDevice(rig.library.deviceAt(rig.library.deviceCount() - 1)));
    EXPECT_FALSE(addWash->undo());
}
