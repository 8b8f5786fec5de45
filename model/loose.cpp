#include "model/loose.h"

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

}  // namespace kadro
