#pragma once
// What one edit did to a list of shared objects (the library's device types, the installed
// devices): the members it added and took out, where they stood, and the contents it changed.
// A change holds only those. Undone or made again, it refuses (changing nothing) when a member
// it takes out or edits is no longer in the list, one it puts back is there already, one it
// puts back is no longer `fits` (a device whose type was erased), or one it takes out may not
// `leave` (a type that a device was installed of since).

#include "common/Change.h"

#include <algorithm>
#include <concepts>
#include <functional>
#include <memory>
#include <vector>

template <class T>
class KyListChange final : public KyChange {
public:
    using Item = std::shared_ptr<T>;
    using List = std::vector<Item>;
    using Fits = std::function<bool(const T&)>;
    // The list before an edit, with the members' contents when `since` is to compare them.
    struct Snapshot {
        List members;
        std::vector<T> contents;
    };

    static Snapshot take(const List& list, bool withContents)
    {
        Snapshot snapshot{list, {}};
        if (withContents)
            for (const Item& item : list)
                snapshot.contents.push_back(*item);
        return snapshot;
    }

    // What the list became since `before`; null when nothing changed.
    static std::unique_ptr<KyChange> since(List& list, const Snapshot& before, Fits fits = {}, Fits leave = {})
    {
        auto change = std::unique_ptr<KyListChange>(new KyListChange(list, std::move(fits), std::move(leave)));
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!contains(before.members, list[i]))
                change->added_.push_back({list[i], i});
        for (std::size_t i = 0; i < before.members.size(); ++i) {
            const Item& item = before.members[i];
            if (!contains(list, item))
                change->removed_.push_back({item, i});
            else if constexpr (std::equality_comparable<T>)
                if (i < before.contents.size() && !(before.contents[i] == *item))
                    change->edits_.push_back({item, before.contents[i], *item});
        }
        if (change->added_.empty() && change->removed_.empty() && change->edits_.empty())
            return nullptr;
        return change;
    }

    // The member's contents were exchanged for others; `before` holds what they were.
    static std::unique_ptr<KyChange> exchanged(List& list, Item item, T before)
    {
        auto change = std::unique_ptr<KyListChange>(new KyListChange(list, {}, {}));
        T after = *item;
        change->edits_.push_back({std::move(item), std::move(before), std::move(after)});
        return change;
    }

    bool undo() override { return apply(added_, removed_, &Edit::before); }
    bool redo() override { return apply(removed_, added_, &Edit::after); }

private:
    struct Placed {
        Item item;
        std::size_t index;
    };
    struct Edit {
        Item item;
        T before, after;
    };

    KyListChange(List& list, Fits fits, Fits leave) : list_(list), fits_(std::move(fits)), leave_(std::move(leave)) {}

    static bool contains(const List& list, const Item& item) { return std::ranges::find(list, item) != list.end(); }

    bool apply(const std::vector<Placed>& out, const std::vector<Placed>& in, T Edit::*contents)
    {
        const auto present = [&](const Placed& p) { return contains(list_, p.item); };
        const auto leaving = [&](const Placed& p) { return present(p) && (!leave_ || leave_(*p.item)); };
        const auto welcome = [&](const Placed& p) { return !present(p) && (!fits_ || fits_(*p.item)); };
        const bool editable = std::ranges::all_of(edits_, [&](const Edit& e) { return contains(list_, e.item); });
        if (!editable || !std::ranges::all_of(out, leaving) || !std::ranges::all_of(in, welcome))
            return false;
        for (const Placed& p : out)
            list_.erase(std::ranges::find(list_, p.item));
        // Ascending places, so each goes back where it stood among those before it.
        for (const Placed& p : in)
            list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(std::min(p.index, list_.size())), p.item);
        for (const Edit& e : edits_)
            *e.item = e.*contents;
        return true;
    }

    List& list_;
    Fits fits_, leave_;
    std::vector<Placed> added_, removed_;
    std::vector<Edit> edits_;
};
