#include "model/loose.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace kadro {

int LooseCubes::countFrom(int firstLayer) const {
    int n = 0;
    for (int c = 0; c < size; ++c)
        for (int r = 0; r < size; ++r)
            for (int l = firstLayer < 1 ? 1 : firstLayer; l <= size; ++l) n += at(c, r, l);
    return n;
}

// A flood from every cube of the bottom row through shared faces; what it does not reach is loose.
LooseCubes looseCubes(const CellGrid& grid, int size) {
    LooseCubes result;
    result.size = size;
    const auto index = [size](int c, int r, int l) { return blockIndex(size, c, r, l); };
    std::array<uint8_t, kMaxSize * kMaxSize * kMaxSize> held{};
    std::array<uint16_t, kMaxSize * kMaxSize * kMaxSize> queue{};  // cells to visit, as indices
    size_t head = 0, tail = 0;
    for (int c = 0; c < size; ++c)
        for (int l = 1; l <= size; ++l)
            if (grid.at(c, 0, l).colour != 0.0f) {
                held[index(c, 0, l)] = 1;
                queue[tail++] = static_cast<uint16_t>(index(c, 0, l));
            }
    while (head < tail) {
        const int at = queue[head++];
        const int c = at / (size * size), r = at / size % size, l = at % size + 1;
        const int next[6][3] = {{c - 1, r, l}, {c + 1, r, l}, {c, r - 1, l},
                                {c, r + 1, l}, {c, r, l - 1}, {c, r, l + 1}};
        for (const auto& [nc, nr, nl] : next) {
            if (nc < 0 || nc >= size || nr < 0 || nr >= size || nl < 1 || nl > size) continue;
            const size_t i = index(nc, nr, nl);
            if (held[i] || grid.at(nc, nr, nl).colour == 0.0f) continue;
            held[i] = 1;
            queue[tail++] = static_cast<uint16_t>(i);
        }
    }
    for (int c = 0; c < size; ++c)
        for (int r = 0; r < size; ++r)
            for (int l = 1; l <= size; ++l) {
                const size_t i = index(c, r, l);
                if (grid.at(c, r, l).colour != 0.0f && !held[i]) {
                    result.loose[i] = 1;
                    ++result.count;
                }
            }
    return result;
}

std::vector<LooseGroup> looseGroups(const CellGrid& grid, const LooseCubes& loose) {
    const int size = loose.size;
    const auto inside = [size](int c, int r, int l) {
        return c >= 0 && c < size && r >= 0 && r < size && l >= 1 && l <= size;
    };
    const auto filled = [&](int c, int r, int l) {
        return inside(c, r, l) && grid.at(c, r, l).colour != 0.0f;
    };
    std::array<int16_t, kMaxSize * kMaxSize * kMaxSize> group{};  // 1 + the group's number
    std::vector<LooseGroup> groups;
    for (int c = 0; c < size; ++c)
        for (int r = 0; r < size; ++r)
            for (int l = 1; l <= size; ++l) {
                if (!loose.at(c, r, l) || group[blockIndex(size, c, r, l)]) continue;
                LooseGroup found{{}, LooseGroup::Reason::TouchesNothing, r, r};
                const auto number = static_cast<int16_t>(groups.size() + 1);
                std::vector<LooseGroup::Cell> queue{{c, r, l}};
                group[blockIndex(size, c, r, l)] = number;
                for (size_t head = 0; head < queue.size(); ++head) {
                    const LooseGroup::Cell at = queue[head];
                    const int next[6][3] = {{at.column - 1, at.row, at.layer}, {at.column + 1, at.row, at.layer},
                                            {at.column, at.row - 1, at.layer}, {at.column, at.row + 1, at.layer},
                                            {at.column, at.row, at.layer - 1}, {at.column, at.row, at.layer + 1}};
                    for (const auto& [nc, nr, nl] : next) {
                        if (!filled(nc, nr, nl)) continue;
                        int16_t& mark = group[blockIndex(size, nc, nr, nl)];
                        if (mark) continue;
                        mark = number;
                        queue.push_back({nc, nr, nl});
                    }
                }
                // Why: what its cubes touch along edges and corners only (faces join them to
                // nothing but each other).
                bool onHeld = false, onLoose = false;
                for (const LooseGroup::Cell& at : queue) {
                    found.lowestRow = std::min(found.lowestRow, at.row);
                    found.highestRow = std::max(found.highestRow, at.row);
                    for (int dc = -1; dc <= 1; ++dc)
                        for (int dr = -1; dr <= 1; ++dr)
                            for (int dl = -1; dl <= 1; ++dl) {
                                if (std::abs(dc) + std::abs(dr) + std::abs(dl) < 2) continue;
                                const int nc = at.column + dc, nr = at.row + dr, nl = at.layer + dl;
                                if (!filled(nc, nr, nl)) continue;
                                if (!loose.at(nc, nr, nl)) {
                                    onHeld = true;
                                } else if (group[blockIndex(size, nc, nr, nl)] != number) {
                                    onLoose = true;
                                }
                            }
                }
                found.reason = onHeld    ? LooseGroup::Reason::RestsOnHeldAlongEdges
                               : onLoose ? LooseGroup::Reason::TouchesLooseAlongEdges
                                         : LooseGroup::Reason::TouchesNothing;
                std::sort(queue.begin(), queue.end(), [](const auto& a, const auto& b) {
                    return std::tie(a.column, a.row, a.layer) < std::tie(b.column, b.row, b.layer);
                });
                found.cells = std::move(queue);
                groups.push_back(std::move(found));
            }
    return groups;
}

const char* looseReason(LooseGroup::Reason reason) {
    switch (reason) {
        case LooseGroup::Reason::RestsOnHeldAlongEdges:
            return "rests on held cubes only along edges or corners";
        case LooseGroup::Reason::TouchesLooseAlongEdges:
            return "touches other loose cubes only along edges or corners";
        case LooseGroup::Reason::TouchesNothing:
            return "touches no other cube";
    }
    return "";
}

}  // namespace kadro
