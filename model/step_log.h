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

    // Makes sure that count bytes can be appended from offset `at` (begin() <= at <= end())
    // without allocating, whatever is dropped from `at` on first. Throws std::bad_alloc, and then
    // nothing has changed.
    void reserve(size_t at, size_t count);
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
    size_t reservedEnd_ = 0;  // pages up to here stay until the next append
};

// Numbers in a ring of fixed capacity, allocated once: added at the back, taken from the front
// or the back, never more than the capacity.
class StepSizes {
public:
    explicit StepSizes(size_t capacity)
        : values_(std::make_unique<uint32_t[]>(capacity)), capacity_(capacity) {}
    size_t size() const { return size_; }
    uint32_t operator[](size_t i) const { return values_[(first_ + i) % capacity_]; }
    uint32_t front() const { return (*this)[0]; }
    // Callers keep within the capacity and take only what is there.
    void push_back(uint32_t value) { values_[(first_ + size_++) % capacity_] = value; }
    void pop_front() { first_ = (first_ + 1) % capacity_, --size_; }
    void shrink(size_t size) { size_ = size < size_ ? size : size_; }
    void clear() { first_ = size_ = 0; }

private:
    std::unique_ptr<uint32_t[]> values_;
    size_t capacity_;
    size_t first_ = 0;
    size_t size_ = 0;
};

}  // namespace kadro
