#include "common/BulkArena.h"

#include <gtest/gtest.h>

#include <numeric>

TEST(BulkArena, BlocksComeFromTheRegionAndCopiesFromTheHeap)
{
    const std::size_t before = vt::BulkArena::liveCount();
    std::weak_ptr<vt::BulkArena> watch;
    vt::BulkVector<int> moved;
    {
        auto arena = vt::BulkArena::make(1 << 16);
        watch = arena;
        vt::BulkVector<int> held(1000, vt::BulkAllocator<int>(arena));
        std::iota(held.begin(), held.end(), 0);
        EXPECT_TRUE(arena->contains(held.data()));
        EXPECT_GE(arena->used(), 1000 * sizeof(int));

        const vt::BulkVector<int> copy = held;
        EXPECT_FALSE(arena->contains(copy.data()));
        vt::BulkVector<int> assigned;
        assigned = copy;
        EXPECT_FALSE(arena->contains(assigned.data()));
        held = copy; // an arena's container keeps its storage when assigned to
        EXPECT_TRUE(arena->contains(held.data()));

        moved = std::move(held); // takes the arena along
        EXPECT_TRUE(arena->contains(moved.data()));
        EXPECT_EQ(vt::BulkArena::liveCount(), before + 1);
    }
    // The last container of the arena keeps it mapped, and unmaps it when it goes.
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(moved[999], 999);
    moved = vt::BulkVector<int>();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(vt::BulkArena::liveCount(), before);
}

TEST(BulkArena, BlocksBeyondTheCapacityComeFromTheHeap)
{
    auto arena = vt::BulkArena::make(1);
    const vt::BulkAllocator<std::uint64_t> storage(arena);
    vt::BulkVector<std::uint64_t> first(1000, storage), second(400000, 7, storage); // 2 MiB, then 3.2 MB
    EXPECT_TRUE(arena->contains(first.data()));
    EXPECT_FALSE(arena->contains(second.data()));
    EXPECT_EQ(second.back(), 7u);
    second.resize(800000, 8); // the heap block is given back when it grows
    EXPECT_EQ(second.back(), 8u);
}
