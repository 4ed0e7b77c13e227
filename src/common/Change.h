#pragma once
// One edit of the show that can be taken back and made again. Both run under the show lock,
// on the window thread, like the edit itself. Either returns false, changing nothing, when
// what the edit changed is gone (erased or replaced meanwhile): the change is then dropped.

class KyChange {
public:
    virtual ~KyChange() = default;
    virtual bool undo() = 0;
    virtual bool redo() = 0;
};
