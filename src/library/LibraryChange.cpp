#include "library/LibraryChange.h"

KyLibraryChange::Before KyLibraryChange::take(const KyLibrary& library)
{
    return {KyListChange<KyDevice>::take(library.devices, false), library.lastId};
}

std::unique_ptr<KyChange> KyLibraryChange::since(KyLibrary& library, const Before& before)
{
    // A type leaves the list only while nothing installed is of it, as the library window asks.
    auto types = KyListChange<KyDevice>::since(library.devices, before.types, {}, [&library](const KyDevice& type) {
        return library.club.countOfType(type) == 0;
    });
    if (!types)
        return nullptr;
    return std::unique_ptr<KyChange>(new KyLibraryChange(library, std::move(types), before.lastId));
}

KyLibraryChange::KyLibraryChange(KyLibrary& library, std::unique_ptr<KyChange> types, std::int32_t before)
    : library_(library), types_(std::move(types)), lastIdBefore_(before), lastIdAfter_(library.lastId)
{
}

bool KyLibraryChange::undo()
{
    if (!types_->undo())
        return false;
    if (library_.lastId == lastIdAfter_)
        library_.lastId = lastIdBefore_;
    return true;
}

bool KyLibraryChange::redo()
{
    const bool handsOut = lastIdAfter_ != lastIdBefore_;
    if ((handsOut && library_.lastId != lastIdBefore_) || !types_->redo())
        return false;
    if (handsOut)
        library_.lastId = lastIdAfter_;
    return true;
}
