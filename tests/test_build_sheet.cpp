// The build sheet read back as a builder and a parser would: every tag closed in the order opened,
// one course per row up to the highest cube, each course's counts adding up to the running totals
// and those to the block's cubes, and every loose cube listed.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "model/build_sheet.h"
#include "model/loose.h"
#include "model/palette.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

namespace {

// Whether every tag is closed in the order it was opened (<br> and <img> close themselves).
bool tagsBalance(const std::string& html) {
    std::vector<std::string> open;
    static const std::regex tag("<(/?)([a-z0-9]+)[^>]*>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), tag); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if (name == "br" || name == "img") continue;
        if ((*it)[1] == "") {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return false;
        } else {
            open.pop_back();
        }
    }
    return open.empty();
}

}  // namespace

TEST(BuildSheet, EveryCourseIsThereWithItsPictureAndItsCountsAddUp) {
    static const std::regex course("<th colspan=\"[0-9]+\">Course ([0-9]+) of ([0-9]+) \\(row ([0-9]+)\\)");
    static const std::regex name("<th align=\"right\" style=\"text-align:right\">([a-z ()!]+)</th>");
    static const std::regex number("<td align=\"right\" style=\"text-align:right\">([0-9]+)</td>");
    // The cells of a row of the course's counts, across: names, or the numbers of a labelled row.
    const auto across = [](const std::string& part, const std::string& label, const std::regex& cell) {
        std::vector<std::string> cells;
        const size_t from = part.find(label), to = part.find("</tr>", from);
        if (from == std::string::npos) return cells;
        const std::string row = part.substr(from, to - from);
        for (auto it = std::sregex_iterator(row.begin(), row.end(), cell); it != std::sregex_iterator(); ++it)
            cells.push_back((*it)[1]);
        return cells;
    };
    for (int n : {2, 5, 10, 20}) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            SceneModel scene(n);
            scene.random(seed, 0.15 * seed);
            const int courses = sheetCourses(*scene.grid, n);
            SheetPictures pictures{"data:model", {}};
            for (int r = 0; r < courses; ++r) pictures.courses.push_back("data:" + std::to_string(r));
            const std::string html = buildSheetHtml(scene.state, *scene.grid, pictures);
            ASSERT_TRUE(tagsBalance(html)) << n << " " << seed;
            int cubes = 0, top = -1;
            std::map<std::string, int> whole;
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    for (int l = 1; l <= n; ++l)
                        if (const PaletteEntry* entry = paletteEntryOf(scene.grid->at(c, r, l).colour))
                            ++cubes, top = std::max(top, r), ++whole[entry->name];
            EXPECT_EQ(courses, top + 1);
            // The courses, in order, each with its picture, the colours it uses, the totals after
            // it and what is still to place, down to nothing after the last.
            int expected = 1, placed = 0, left = cubes;
            const auto first = std::sregex_iterator(html.begin(), html.end(), course);
            for (auto it = first; it != std::sregex_iterator(); ++it, ++expected) {
                EXPECT_EQ(std::stoi((*it)[1]), expected);
                EXPECT_EQ(std::stoi((*it)[2]), courses);
                const auto end = std::next(it) == std::sregex_iterator() ? html.end()
                                                                          : html.begin() + std::next(it)->position();
                const std::string part(html.begin() + it->position(), end);
                if (part.find("no cubes in this course") == std::string::npos) {
                    EXPECT_NE(part.find("src=\"data:" + std::to_string(expected - 1) + "\""), std::string::npos);
                }
                left = 0;
                const std::vector<std::string> names = across(part, "<tr><th>cubes</th>", name),
                                               now = across(part, "<tr><td>this course</td>", number),
                                               after = across(part, "<tr><td>after this course</td>", number),
                                               rest = across(part, "<tr><td>still to place</td>", number);
                ASSERT_EQ(now.size(), names.size());
                ASSERT_EQ(after.size(), names.size());
                ASSERT_EQ(rest.size(), names.size());
                for (size_t i = 0; i < names.size(); ++i) {
                    if (names[i] == "loose cubes (!)") continue;
                    EXPECT_GT(std::stoi(now[i]), 0) << "a colour the course does not use";
                    placed += std::stoi(now[i]);
                    EXPECT_EQ(std::stoi(after[i]) + std::stoi(rest[i]), whole[names[i]]) << "course " << expected;
                    left += std::stoi(rest[i]);
                }
            }
            EXPECT_EQ(expected - 1, courses) << n << " " << seed;
            EXPECT_EQ(placed, cubes);
            EXPECT_EQ(left, 0);
            // The loose cubes, in groups that hold them all.
            const LooseCubes loose = looseCubes(*scene.grid, n);
            const std::vector<LooseGroup> groups = looseGroups(*scene.grid, loose);
            size_t inGroups = 0;
            for (const LooseGroup& group : groups) inGroups += group.cells.size();
            EXPECT_EQ(inGroups, size_t(loose.count));
            if (loose.count > 0) {
                EXPECT_NE(html.find("Loose cubes: " + std::to_string(loose.count) + " in "), std::string::npos);
            }
        }
    }
    // An empty block: the sheet says so and lists no course.
    SceneModel empty(4);
    empty.forEachCell([](int, int, int, GridCell& cell) { cell.colour = 0.0f; });
    const std::string html = buildSheetHtml(empty.state, *empty.grid, {});
    EXPECT_NE(html.find("The block holds no cubes."), std::string::npos);
    EXPECT_EQ(html.find("Course "), std::string::npos);
}

// Why a group is loose: the first that applies.
TEST(BuildSheet, LooseGroupsSayWhyTheyAreLoose) {
    SceneModel scene(6);
    scene.forEachCell([](int, int, int, GridCell& cell) { cell.colour = 0.0f; });
    const auto put = [&](int c, int r, int l) { scene.grid->at(c, r, l).colour = 1.0f; };
    put(0, 0, 1);                              // held
    put(1, 1, 1), put(1, 1, 2);                // a roof on it along an edge: one group of two
    put(2, 2, 1);                              // a step on the roof's edge
    put(4, 4, 4);                              // floating
    put(5, 0, 5), put(5, 1, 5), put(5, 2, 5);  // a held tower
    const LooseCubes loose = looseCubes(*scene.grid, 6);
    const std::vector<LooseGroup> groups = looseGroups(*scene.grid, loose);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].cells.size(), 2u);
    EXPECT_EQ(groups[0].reason, LooseGroup::Reason::RestsOnHeldAlongEdges);
    EXPECT_EQ(groups[1].reason, LooseGroup::Reason::TouchesLooseAlongEdges);
    EXPECT_EQ(groups[2].reason, LooseGroup::Reason::TouchesNothing);
    EXPECT_EQ(groups[2].lowestRow, 4);
    const std::string html = buildSheetHtml(scene.state, *scene.grid, {});
    EXPECT_NE(html.find("<td>touches no other cube</td><td>column 5, row 5, layer 4</td>"), std::string::npos);
}
