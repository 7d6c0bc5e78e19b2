#pragma once

#include <atomic>

// Qt's event queue and QThread::wait() order one thread's writes before another's reads
// through means ThreadSanitizer cannot see. The writer releases an atomic before it hands
// over; an acquire load of it on the reading side shows the checker the same order. Only
// the checker needs it, so elsewhere the call is nothing.
namespace TsanOrder {

template <typename T> inline void acquire([[maybe_unused]] const std::atomic<T> &released)
{
#ifdef LUMORA_TSAN
    released.load(std::memory_order_acquire);
#endif
}

} // namespace TsanOrder
