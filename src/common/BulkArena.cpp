#include "common/BulkArena.h"

#include <sys/mman.h>

namespace vt {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::atomic<std::size_t> liveArenas{0};

std::size_t roundUp(std::size_t n, std::size_t to)
{
    return (n + to - 1) / to * to;
}

} // namespace

std::shared_ptr<BulkArena> BulkArena::make(std::size_t capacity)
{
    capacity = roundUp(capacity == 0 ? 1 : capacity, kHugePage);
    // One huge page more than asked, so that the region can start on a huge page's boundary.
    const std::size_t mapped = capacity + kHugePage;
    void* base = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED)
        return std::shared_ptr<BulkArena>(new BulkArena(nullptr, 0, nullptr, 0)); // the heap for everything
    auto* region = reinterpret_cast<std::uint8_t*>(roundUp(reinterpret_cast<std::uintptr_t>(base), kHugePage));
    madvise(region, capacity, MADV_HUGEPAGE); // a hint: without huge pages it still works
    return std::shared_ptr<BulkArena>(new BulkArena(base, mapped, region, capacity));
}

BulkArena::BulkArena(void* base, std::size_t mapped, std::uint8_t* region, std::size_t capacity)
    : base_(base), mapped_(mapped), region_(region), capacity_(capacity)
{
    ++liveArenas;
}

BulkArena::~BulkArena()
{
    if (base_)
        munmap(base_, mapped_);
    --liveArenas;
}

void* BulkArena::allocate(std::size_t bytes, std::size_t alignment)
{
    std::size_t start = used_.load(std::memory_order_relaxed);
    for (;;) {
        const std::size_t aligned = roundUp(start, alignment);
        if (aligned > capacity_ || bytes > capacity_ - aligned)
            return ::operator new(bytes, std::align_val_t(alignment));
        if (used_.compare_exchange_weak(start, aligned + bytes, std::memory_order_relaxed))
            return region_ + aligned;
    }
}

void BulkArena::deallocate(void* p, std::size_t alignment)
{
    if (!contains(p))
        ::operator delete(p, std::align_val_t(alignment));
}

bool BulkArena::contains(const void* p) const
{
    const auto at = reinterpret_cast<std::uintptr_t>(p), start = reinterpret_cast<std::uintptr_t>(region_);
    return at >= start && at - start < capacity_;
}

std::size_t BulkArena::liveCount()
{
    return liveArenas.load();
}

} // namespace vt
