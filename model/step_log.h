#pragma once
// A sequence of bytes that grows at its end and is dropped from either end, held in pages of a
// fixed size, so that the memory it holds follows the bytes it keeps: at most two pages more.
// Bytes are named by their offset from the first byte ever appended.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>

namespace kadro {

class StepLog {
public:
    static constexpr size_t kPageBytes = size_t{64} << 10;

    size_t begin() const { return begin_; }
    size_t end() const { return end_; }
    size_t size() const { return end_ - begin_; }
    // Memory the pages hold.
    size_t heldBytes() const { return pages_.size() * kPageBytes; }

    void append(const uint8_t* bytes, size_t count);
    // Copies count bytes from offset `at` (within begin()..end()) to `out`.
    void copyOut(size_t at, size_t count, uint8_t* out) const;
    // Drops the first count bytes, or the bytes from `at` on; pages no byte is left on are freed.
    void dropFront(size_t count);
    void dropFrom(size_t at);
    void clear() { dropFrom(begin_); }

private:
    void freeUnused();

    std::deque<std::unique_ptr<uint8_t[]>> pages_;
    size_t firstPage_ = 0;  // the page number of pages_.front()
    size_t begin_ = 0;
    size_t end_ = 0;
};

}  // namespace kadro
