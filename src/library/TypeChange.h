#pragma once
// An edit of the device editor's working copy of a type: the copy as it was and as it became.
// The working copy is the editor's own until "OK", so the change always finds its target.

#include "common/Change.h"
#include "library/Device.h"

#include <memory>

class KyTypeChange final : public KyChange {
public:
    // Null when `working` holds what `before` held, judged by the bytes of a type's file.
    static std::unique_ptr<KyChange> between(KyDevice& working, const KyDevice& before);

    bool undo() override;
    bool redo() override;

private:
    KyTypeChange(KyDevice& working, KyDevice before);

    KyDevice& working_;
    KyDevice before_, after_;
};
