#include "model/step_log.h"

#include <algorithm>
#include <cstring>

namespace kadro {

void StepLog::reserve(size_t at, size_t count) {
    if (count == 0) return;
    const size_t lastPage = (at + count - 1) / kPageBytes;
    if (pages_.empty()) firstPage_ = at / kPageBytes;
    while (firstPage_ + pages_.size() <= lastPage)
        pages_.push_back(std::make_unique<uint8_t[]>(kPageBytes));
    reservedEnd_ = std::max(reservedEnd_, at + count);
}

void StepLog::append(const uint8_t* bytes, size_t count) {
    reserve(end_, count);
    while (count > 0) {
        const size_t page = end_ / kPageBytes;
        const size_t within = end_ % kPageBytes;
        const size_t part = std::min(count, kPageBytes - within);
        std::memcpy(pages_[page - firstPage_].get() + within, bytes, part);
        bytes += part;
        count -= part;
        end_ += part;
    }
    reservedEnd_ = 0;
}

void StepLog::copyOut(size_t at, size_t count, uint8_t* out) const {
    while (count > 0) {
        const size_t within = at % kPageBytes;
        const size_t part = std::min(count, kPageBytes - within);
        std::memcpy(out, pages_[at / kPageBytes - firstPage_].get() + within, part);
        out += part;
        count -= part;
        at += part;
    }
}

void StepLog::dropFront(size_t count) {
    begin_ += std::min(count, size());
    freeUnused();
}

void StepLog::dropFrom(size_t at) {
    end_ = std::clamp(at, begin_, end_);
    freeUnused();
}

void StepLog::freeUnused() {
    const size_t kept = std::max(end_, reservedEnd_);
    if (begin_ == kept) {
        pages_.clear();
        return;
    }
    while (!pages_.empty() && firstPage_ < begin_ / kPageBytes) {
        pages_.pop_front();
        ++firstPage_;
    }
    while (!pages_.empty() && firstPage_ + pages_.size() - 1 > (kept - 1) / kPageBytes)
        pages_.pop_back();
}

}  // namespace kadro
