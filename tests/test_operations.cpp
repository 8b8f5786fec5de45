#include <gtest/gtest.h>

#include <array>
#include <random>

#include "model/operations.h"

using namespace kadro;

namespace {

Design randomDesign(int size, uint32_t seed, double chance = 0.3) {
    std::mt19937 random(seed);
    std::bernoulli_distribution filled(chance);
    std::uniform_int_distribution<int> colour(1, 5);
    Design design;
    design.size = size;
    for (int i = 0; i < size * size * size; ++i) design.codes[i] = filled(random) ? uint8_t(colour(random)) : 0;
    return design;
}

size_t indexOf(int n, int c, int r, int l) { return (size_t(c) * n + r) * n + (l - 1); }

std::array<int, 6> counts(const Design& design) {
    std::array<int, 6> counts{};
    for (int i = 0; i < design.size * design.size * design.size; ++i) ++counts[design.codes[i]];
    return counts;
}

bool same(const Design& a, const Design& b) { return a.size == b.size && a.codes == b.codes; }

const Turn kTurns[] = {Turn::RightToFront, Turn::LeftToFront, Turn::TopToFront,
                            Turn::BottomToFront, Turn::Flip};

}  // namespace

// Turning a model must never lose, add or recolour a cube, and the turns must undo each other.
TEST(Operations, TurnsTipsAndFlipsAreRotationsThatKeepEveryCube) {
    for (int n : {2, 3, 7, 20}) {
        const Design design = randomDesign(n, 100 + n);
        for (Turn turn : kTurns) {
            Design four = design;
            for (int i = 0; i < 4; ++i) {
                four = turned(four, turn);
                EXPECT_EQ(counts(four), counts(design)) << "size " << n;
            }
            EXPECT_TRUE(same(four, design)) << "four times, size " << n;
        }
        EXPECT_TRUE(same(turned(turned(design, Turn::RightToFront), Turn::LeftToFront), design));
        EXPECT_TRUE(same(turned(turned(design, Turn::TopToFront), Turn::BottomToFront), design));
        EXPECT_TRUE(same(turned(turned(design, Turn::Flip), Turn::Flip), design));
        EXPECT_FALSE(same(turned(design, Turn::RightToFront), design)) << "size " << n;
    }
}

// One marked cube lands exactly where each mapping says.
TEST(Operations, EachMappingMovesAMarkedCubeWhereItSays) {
    const int n = 7, c = 1, r = 2, l = 4;
    Design design;
    design.size = n;
    design.codes[indexOf(n, c, r, l)] = 5;
    auto at = [&](const Design& d, int column, int row, int layer) { return d.codes[indexOf(n, column, row, layer)]; };
    EXPECT_EQ(at(turned(design, Turn::RightToFront), l - 1, r, n - c), 5);
    EXPECT_EQ(at(turned(design, Turn::LeftToFront), n - l, r, c + 1), 5);
    EXPECT_EQ(at(turned(design, Turn::TopToFront), c, l - 1, n - r), 5);
    EXPECT_EQ(at(turned(design, Turn::BottomToFront), c, n - l, r + 1), 5);
    EXPECT_EQ(at(turned(design, Turn::Flip), n - 1 - c, r, l), 5);
    EXPECT_EQ(at(*shifted(design, Side::Right), c + 1, r, l), 5);
    EXPECT_EQ(at(*shifted(design, Side::Bottom), c, r - 1, l), 5);
    EXPECT_EQ(at(*shifted(design, Side::Back), c, r, l + 1), 5);
    EXPECT_EQ(at(*shifted(design, Side::Front), c, r, l - 1), 5);
    const Design copied = layerCopied(design, l, l + 1);
    EXPECT_EQ(at(copied, c, r, l + 1), 5);
    EXPECT_EQ(at(copied, c, r, l), 5);
    EXPECT_EQ(at(layerCopied(design, l - 1, l), c, r, l), 0);  // empty cells are copied too
}

// A shift that would push a cube out is refused; one that would not is undone by its opposite
// and keeps every cube.
TEST(Operations, ShiftsMoveOrRefuseAndNeverLoseACube) {
    const std::pair<Side, Side> opposites[] = {{Side::Left, Side::Right}, {Side::Bottom, Side::Top}, {Side::Back, Side::Front}};
    for (int n : {2, 3, 7, 20}) {
        for (uint32_t seed = 0; seed < 20; ++seed) {
            const Design design = randomDesign(n, seed, seed % 2 ? 0.02 : 0.3);
            for (auto [one, other] : opposites) {
                for (auto [side, back] : {std::pair{one, other}, std::pair{other, one}}) {
                    const std::optional<Design> moved = shifted(design, side);
                    if (!moved) continue;
                    EXPECT_EQ(counts(*moved), counts(design));
                    const std::optional<Design> again = shifted(*moved, back);
                    ASSERT_TRUE(again);
                    EXPECT_TRUE(same(*again, design)) << "size " << n << ", seed " << seed;
                }
            }
        }
        Design corner;
        corner.size = n;
        corner.codes[indexOf(n, n - 1, 0, 1)] = 3;  // against the right side, the bottom and the front
        EXPECT_FALSE(shifted(corner, Side::Right));
        EXPECT_FALSE(shifted(corner, Side::Bottom));
        EXPECT_FALSE(shifted(corner, Side::Front));
        EXPECT_TRUE(shifted(corner, Side::Left));
    }
}

TEST(Operations, ASwapAddsTheOldColoursCubesToTheNewOnes) {
    const Design design = randomDesign(7, 9);
    const Design swapped = recoloured(design, 5, 3);
    EXPECT_EQ(counts(swapped)[3], counts(design)[3] + counts(design)[5]);
    EXPECT_EQ(counts(swapped)[5], 0);
    EXPECT_EQ(counts(swapped)[0], counts(design)[0]);
}
