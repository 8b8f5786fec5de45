#pragma once
// The test program's own operator new: it counts every allocation, so a test can tell that a
// call made none, and while armed fails every allocation of at least failFrom bytes, as one may
// when memory runs out. Include it in one source file of a test program.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace kadro::testing {
inline std::atomic<long> allocations{0};
inline std::atomic<size_t> failFrom{0};
}  // namespace kadro::testing

// GCC takes the replaced operators' malloc and free for a mismatch with new and delete.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++kadro::testing::allocations;
    const size_t limit = kadro::testing::failFrom;
    if (limit != 0 && size >= limit) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
// The array forms too: the sanitizers' runtime takes them over, else they call the ones above.
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop
