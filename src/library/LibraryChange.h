#pragma once
// An edit of the library's list of types. The identifier counter goes back with it while no
// identifier was handed out since, so that every edit taken back leaves the file as it was;
// made again, an edit that handed out identifiers refuses once others were handed out since.

#include "common/ListChange.h"
#include "library/Library.h"

#include <memory>

class KyLibraryChange final : public KyChange {
public:
    using Snapshot = KyListChange<KyDevice>::Snapshot;

    struct Before {
        Snapshot types;
        std::int32_t lastId;
    };
    static Before take(const KyLibrary& library);
    // Null when the list did not change.
    static std::unique_ptr<KyChange> since(KyLibrary& library, const Before& before);

    bool undo() override;
    bool redo() override;

private:
    KyLibraryChange(KyLibrary& library, std::unique_ptr<KyChange> types, std::int32_t before);

    KyLibrary& library_;
    std::unique_ptr<KyChange> types_;
    std::int32_t lastIdBefore_, lastIdAfter_;
};
