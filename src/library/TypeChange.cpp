#include "library/TypeChange.h"

#include "library/LibraryFile.h"

std::unique_ptr<KyChange> KyTypeChange::between(KyDevice& working, const KyDevice& before)
{
    if (deviceToBytes(working) == deviceToBytes(before))
        return nullptr;
    return std::unique_ptr<KyChange>(new KyTypeChange(working, before));
}

KyTypeChange::KyTypeChange(KyDevice& working, KyDevice before)
    : working_(working), before_(std::move(before)), after_(working)
{
}

bool KyTypeChange::undo()
{
    working_ = before_;
    return true;
}

bool KyTypeChange::redo()
{
    working_ = after_;
    return true;
}
