#pragma once
// Bulk storage for what a large file is read into: one region of memory mapped for the
// purpose and backed by huge pages where the system has them, so that the hundreds of
// thousands of small blocks of a loaded show cost a few dozen page faults instead of tens of
// thousands, and go back to the system in one piece.
//
// Containers reach an arena through a BulkAllocator, which holds it by a shared pointer: the
// arena lives as long as any block taken from it, and is unmapped when the last container of
// a loaded file is gone. A copy of such a container is made on the heap (the copy of a
// stored sequence an editor works on does not hold the show's arena), a container assigned to
// keeps its own storage, and a moved one takes its storage along.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace vt {

class BulkArena {
public:
    // Reserves `capacity` bytes of address space; memory is taken from the system only as the
    // blocks are handed out. Beyond the capacity blocks come from the heap.
    static std::shared_ptr<BulkArena> make(std::size_t capacity);
    ~BulkArena();
    BulkArena(const BulkArena&) = delete;
    BulkArena& operator=(const BulkArena&) = delete;

    // Any thread may allocate; giving back frees only the blocks the heap gave (the region
    // goes whole).
    void* allocate(std::size_t bytes, std::size_t alignment);
    void deallocate(void* p, std::size_t alignment);
    bool contains(const void* p) const;
    // The bytes of the region handed out so far.
    std::size_t used() const { return used_.load(std::memory_order_relaxed); }

    // The arenas of the process that are still mapped.
    static std::size_t liveCount();

private:
    BulkArena(void* base, std::size_t mapped, std::uint8_t* region, std::size_t capacity);

    void* base_;
    std::size_t mapped_;
    std::uint8_t* region_;
    std::size_t capacity_;
    std::atomic<std::size_t> used_{0};
};

// An allocator that takes blocks from an arena, or from the heap when it has none (as a
// default-made one).
template <class T>
class BulkAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::false_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    BulkAllocator() noexcept = default;
    explicit BulkAllocator(std::shared_ptr<BulkArena> arena) noexcept : arena_(std::move(arena)) {}
    template <class U>
    BulkAllocator(const BulkAllocator<U>& other) noexcept : arena_(other.arena())
    {
    }

    T* allocate(std::size_t n)
    {
        if (!arena_)
            return std::allocator<T>().allocate(n);
        return static_cast<T*>(arena_->allocate(n * sizeof(T), alignof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (!arena_)
            std::allocator<T>().deallocate(p, n);
        else
            arena_->deallocate(p, alignof(T));
    }
    // Copies go to the heap.
    BulkAllocator select_on_container_copy_construction() const { return {}; }

    const std::shared_ptr<BulkArena>& arena() const { return arena_; }
    template <class U>
    friend bool operator==(const BulkAllocator& a, const BulkAllocator<U>& b) noexcept
    {
        return a.arena_ == b.arena();
    }

private:
    std::shared_ptr<BulkArena> arena_;
};

template <class T>
using BulkVector = std::vector<T, BulkAllocator<T>>;

} // namespace vt
