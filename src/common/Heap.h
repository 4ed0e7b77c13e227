#pragma once
// How the program keeps the memory it frees.

namespace vt {

// The window thread paints the same large buffers frame after frame (a page's clip alone runs to
// megabytes while the light preview repaints its halos). Left to its defaults, the allocator maps
// such a buffer on its own, hands it back when it is freed and faults it in again page by page
// on the next frame, which costs more than the painting itself. Kept, it is reused. Call once,
// before the first window.
void keepFreedMemory();

} // namespace vt
