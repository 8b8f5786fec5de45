#include "model/step_log.h"

#include <algorithm>
#include <cstring>

namespace kadro {

void StepLog::append(const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const size_t page = end_ / kPageBytes;
        if (pages_.empty()) firstPage_ = page;
        if (page >= firstPage_ + pages_.size())
            pages_.push_back(std::make_unique<uint8_t[]>(kPageBytes));
        const size_t within = end_ % kPageBytes;
        const size_t part = std::min(count, kPageBytes - within);
        std::memcpy(pages_[page - firstPage_].get() + within, bytes, part);
        bytes += part;
        count -= part;
        end_ += part;
    }
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
    if (begin_ == end_) {
        pages_.clear();
        return;
    }
    while (firstPage_ < begin_ / kPageBytes) {
        pages_.pop_front();
        ++firstPage_;
    }
    while (firstPage_ + pages_.size() - 1 > (end_ - 1) / kPageBytes) pages_.pop_back();
}

}  // namespace kadro
