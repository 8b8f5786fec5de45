#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/loose.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

// Held cubes by the definition itself, applied until nothing changes: slow, plainly right.
std::vector<bool> heldByRepeatedSweeps(const CellGrid& grid, int n) {
    auto index = [n](int c, int r, int l) { return (size_t(c) * n + r) * n + (l - 1); };
    std::vector<bool> held(size_t(n) * n * n);
    for (bool changed = true; changed;) {
        changed = false;
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                for (int l = 1; l <= n; ++l) {
                    if (held[index(c, r, l)] || grid.at(c, r, l).colour == 0.0f) continue;
                    bool h = r == 0;
                    if (c > 0) h = h || held[index(c - 1, r, l)];
                    if (c + 1 < n) h = h || held[index(c + 1, r, l)];
                    if (r > 0) h = h || held[index(c, r - 1, l)];
                    if (r + 1 < n) h = h || held[index(c, r + 1, l)];
                    if (l > 1) h = h || held[index(c, r, l - 1)];
                    if (l < n) h = h || held[index(c, r, l + 1)];
                    if (h) held[index(c, r, l)] = changed = true;
                }
    }
    return held;
}

}  // namespace

TEST(Loose, AgreesWithTheDefinitionOnRandomDesigns) {
    for (int n : {2, 3, 7, 20}) {
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            SceneModel scene(n);
            scene.random(seed, 0.1 * seed);
            const LooseCubes loose = looseCubes(*scene.grid, n);
            const std::vector<bool> held = heldByRepeatedSweeps(*scene.grid, n);
            int count = 0;
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    for (int l = 1; l <= n; ++l) {
                        const bool cube = scene.grid->at(c, r, l).colour != 0.0f;
                        const bool expected = cube && !held[(size_t(c) * n + r) * n + (l - 1)];
                        ASSERT_EQ(loose.at(c, r, l), expected) << n << " " << seed << " at " << c << "," << r << "," << l;
                        count += expected;
                    }
            EXPECT_EQ(loose.count, count);
        }
    }
}

// A tower and a bridge stand; an island in the air falls; a cube held only through a layer
// that is cut away from the view still stands, since the real model has that layer.
TEST(Loose, TowerBridgeIslandAndACutAwayLayer) {
    SceneModel scene(7);
    scene.random(1, 0.0);  // empty
    auto put = [&](int c, int r, int l) { scene.grid->at(c, r, l).colour = 2.0f; };
    for (int r = 0; r < 5; ++r) put(0, r, 1);                 // a tower
    for (int c = 0; c < 5; ++c) put(c, 4, 1);                 // a bridge from its top ...
    for (int r = 0; r < 4; ++r) put(4, r, 1);                 // ... to a second tower
    put(2, 2, 4), put(3, 2, 4), put(3, 3, 4);                 // an island of three in the air
    put(6, 0, 1), put(6, 1, 1), put(6, 1, 2), put(6, 2, 2);   // held through layer 1 only
    const LooseCubes loose = looseCubes(*scene.grid, 7);
    EXPECT_EQ(loose.count, 3);
    EXPECT_TRUE(loose.at(2, 2, 4) && loose.at(3, 2, 4) && loose.at(3, 3, 4));
    EXPECT_FALSE(loose.at(6, 2, 2));
    EXPECT_EQ(loose.countFrom(2), 3);
    EXPECT_EQ(loose.countFrom(5), 0);
}
