#include <gtest/gtest.h>

#include <string>

#include "model/design_text.h"
#include "model/history.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

// The design's codes as the cells of a grid take them, as a paste does.
void paintInto(const Design& design, CellGrid& grid) {
    size_t i = 0;
    forEachCell(design.block(), grid, [&](GridCell& cell) { cell.colour = design.codes[i++]; });
}

const char* const kHouse =
    "KADRO design\n"
    "size 3\n"
    "layer 1\n"
    "RRR\n"
    "Y.Y\n"
    "YYY\n"
    "layer 2\n"
    "RRR\n"
    "Y.Y\n"
    "YYY\n"
    "layer 3\n"
    "...\n"
    "...\n"
    "..F\n";

}  // namespace

// Random designs at every size, with cells beyond the size that must stay out of the text: the
// text read back gives every colour of the block, and written again the same text.
TEST(DesignText, RandomDesignsAtEverySizeComeBackExactly) {
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        SceneModel scene(size);
        scene.random(static_cast<uint32_t>(size), 0.6);
        const std::string text = designText(scene.state, *scene.grid);
        const DesignReading reading = readDesign(text);
        ASSERT_TRUE(reading.ok) << "size " << size << ": " << reading.error;
        ASSERT_EQ(reading.design.size, size);
        SceneModel copy(size);
        paintInto(reading.design, *copy.grid);
        for (int column = 0; column < kGridSide; ++column)
            for (int row = 0; row < kGridSide; ++row)
                for (int layer = 0; layer < kGridSide; ++layer) {
                    const bool inBlock = column < size && row < size && layer >= 1 && layer <= size;
                    ASSERT_EQ(copy.grid->at(column, row, layer).colour,
                              inBlock ? scene.grid->at(column, row, layer).colour : 0.0f)
                        << "size " << size << " cell " << column << ", " << row << ", " << layer;
                }
        EXPECT_EQ(designText(copy.state, *copy.grid), text) << "size " << size;
    }
}

// Rows from the top, columns from the left, layers from the front; every layer, cut away or not.
TEST(DesignText, ASmallDesignIsWrittenExactly) {
    SceneModel scene(3);
    for (int column = 0; column < 3; ++column) {
        for (int layer = 1; layer <= 2; ++layer) {
            scene.grid->at(column, 2, layer).colour = 5.0f;
            scene.grid->at(column, 0, layer).colour = 1.0f;
            if (column != 1) scene.grid->at(column, 1, layer).colour = 1.0f;
        }
    }
    scene.grid->at(2, 0, 3).colour = 4.0f;
    scene.grid->at(3, 0, 1).colour = 2.0f;  // beyond the size
    scene.state.currentLayer = 3;
    EXPECT_EQ(designText(scene.state, *scene.grid), kHouse);
}

TEST(DesignText, ToleratesLineEndsBlanksEmptyLinesLowerCaseAndTextAround) {
    const DesignReading plain = readDesign(kHouse);
    ASSERT_TRUE(plain.ok) << plain.error;
    const std::string forms[] = {
        "KADRO parts list, size 3\ncolour\tvisible\n\n" + std::string(kHouse) + "\nThanks, see you\nsize 9\n",
        "KADRO design\r\nsize 3\r\nlayer 1\r\nRRR\r\nY.Y\r\nYYY\r\nlayer 2\r\nRRR\r\nY.Y\r\nYYY\r\nlayer 3\r\n...\r\n"
        "...\r\n..F",
        "  KADRO design \t\n\nsize 3  \n\nlayer 1\t\nrrr \ny.y\nyyy\n\n\nlayer 2\nRrR\nY.y\nYYY\nlayer 3\n...\n...\n..f\n",
    };
    for (const std::string& text : forms) {
        const DesignReading reading = readDesign(text);
        ASSERT_TRUE(reading.ok) << reading.error << " in\n" << text;
        EXPECT_EQ(reading.design.size, 3);
        EXPECT_EQ(reading.design.codes, plain.design.codes) << text;
    }
}

// Each refusal names the line, as the user's editor numbers it, and says why in one sentence.
TEST(DesignText, RefusesEverythingElseSayingWhy) {
    const std::string house = kHouse;
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = house;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "The clipboard holds no KADRO design."},
        {"kadro design\nsize 3\n", "The clipboard holds no KADRO design."},
        {"KADRO design\n\n", "The design's size line is missing."},
        {replaced("size 3", "size 25"), "Line 2: the size is 2 to 20, not 25."},
        {replaced("size 3", "size 1"), "Line 2: the size is 2 to 20, not 1."},
        {replaced("size 3", "size -3"), "Line 2: the size is 2 to 20, not -3."},
        {replaced("size 3", "size 99999999999999999999"), "Line 2: the size is 2 to 20, not 99999999999999999999."},
        {replaced("size 3", "size three"), "Line 2: 'size three' is not a size line such as 'size 5'."},
        {replaced("size 3", "Size 3"), "Line 2: 'Size 3' is not a size line such as 'size 5'."},
        {replaced("Y.Y\nYYY\nlayer 2", "Y.YY\nYYY\nlayer 2"), "Line 5: 4 cells, 3 expected."},
        {replaced("..F", "F"), "Line 14: 1 cell, 3 expected."},
        {replaced("RRR\nY.Y\nYYY\nlayer 2", "RRR\nYQY\nYYY\nlayer 2"), "Line 5: 'Q' is not one of . Y L A F R."},
        {replaced("..F", ".\xC3\xA9."), "Line 14: '\xC3\xA9' is not one of . Y L A F R."},
        {replaced("..F", ". F"), "Line 14: ' ' is not one of . Y L A F R."},
        {replaced("..F", ".\x01F"), "Line 14: '?' is not one of . Y L A F R."},
        {replaced("layer 2\n", "layer 3\n"), "Line 7: 'layer 2' expected, found 'layer 3'."},
        {replaced("YYY\nlayer 2", "YYY\nYYY\nlayer 2"), "Line 7: 'layer 2' expected, found 'YYY'."},
        {replaced("Y.Y\nYYY\nlayer 2", "Y.Y\nlayer 2"), "Line 6: layer 1 has 2 rows, 3 expected."},
        {house.substr(0, house.find("layer 3")), "Layer 3 is missing."},
        {house.substr(0, house.find("..F")), "Layer 3 has 2 rows, 3 expected."},
        {std::string(kMaxDesignTextBytes + 1, '\n'), "The clipboard text is over 1 MiB, too long for a KADRO design."},
    };
    for (const auto& c : cases) {
        const DesignReading reading = readDesign(c.text);
        EXPECT_FALSE(reading.ok) << c.error;
        EXPECT_EQ(reading.error, c.error) << "in\n" << c.text.substr(0, 400);
    }
    // A long line is quoted short.
    const DesignReading longLine = readDesign("KADRO design\n" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(longLine.error, "Line 2: 'xxxxxxxxxxxxxxxxxxxxxxxx...' is not a size line such as 'size 5'.");
}

// A paste is one step: undo gives back every colour before it, redo the design again.
TEST(DesignText, APasteIsOneUndoStep) {
    SceneModel scene(3);
    scene.random(7, 0.5);
    const std::vector<float> before = kadro::testing::coloursOf(*scene.grid);
    const DesignReading reading = readDesign(kHouse);
    ASSERT_TRUE(reading.ok);
    EditHistory history;
    EXPECT_TRUE(history.paint(reading.design.block(), *scene.grid, reading.design.codes.data()));
    EXPECT_EQ(designText(scene.state, *scene.grid), kHouse);
    const std::vector<float> pasted = kadro::testing::coloursOf(*scene.grid);
    EXPECT_FALSE(history.paint(reading.design.block(), *scene.grid, reading.design.codes.data()));  // nothing changes
    EXPECT_EQ(history.undoSteps(), 1u);
    EXPECT_TRUE(history.undo(*scene.grid));
    EXPECT_EQ(kadro::testing::coloursOf(*scene.grid), before);
    EXPECT_TRUE(history.redo(*scene.grid));
    EXPECT_EQ(kadro::testing::coloursOf(*scene.grid), pasted);
}
