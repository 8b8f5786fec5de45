// The build sheet read back as a builder and a parser would: every tag closed in the order opened,
// one course per row up to the highest cube, each course's counts adding up to the running totals
// and those to the block's cubes, and every loose cube listed.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "model/build_sheet.h"
#include "model/loose.h"
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

TEST(BuildSheet, EveryCourseIsThereAndItsCountsAddUp) {
    static const std::regex course("Course ([0-9]+) of ([0-9]+) \\(row ([0-9]+)\\)");
    static const std::regex row("<tr><td>([a-z]+)</td><td>([0-9]+)</td><td>([0-9]+)</td></tr>");
    for (int n : {2, 5, 10, 20}) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            SceneModel scene(n);
            scene.random(seed, 0.15 * seed);
            const std::string html = buildSheetHtml(scene.state, *scene.grid, "");
            ASSERT_TRUE(tagsBalance(html)) << n << " " << seed;
            int cubes = 0, top = -1;
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    for (int l = 1; l <= n; ++l)
                        if (scene.grid->at(c, r, l).colour != 0.0f) ++cubes, top = std::max(top, r);
            // The courses, in order, each with its counts and the totals after it.
            int expected = 1, placed = 0, totals = 0;
            const auto first = std::sregex_iterator(html.begin(), html.end(), course);
            for (auto it = first; it != std::sregex_iterator(); ++it, ++expected) {
                EXPECT_EQ(std::stoi((*it)[1]), expected);
                EXPECT_EQ(std::stoi((*it)[2]), top + 1);
                const auto end = std::next(it) == std::sregex_iterator() ? html.end()
                                                                          : html.begin() + std::next(it)->position();
                totals = 0;
                for (auto r = std::sregex_iterator(html.begin() + it->position(), end, row);
                     r != std::sregex_iterator(); ++r) {
                    placed += std::stoi((*r)[2]);
                    totals += std::stoi((*r)[3]);
                }
                EXPECT_EQ(totals, placed) << "course " << expected;
            }
            EXPECT_EQ(expected - 1, top + 1) << n << " " << seed;
            EXPECT_EQ(placed, cubes);
            const LooseCubes loose = looseCubes(*scene.grid, n);
            if (loose.count > 0) {
                EXPECT_NE(html.find("Loose cubes: " + std::to_string(loose.count) + "<"), std::string::npos);
            }
            size_t listed = 0;
            for (size_t at = html.find("<tr><td>loose cube</td><td>column"); at != std::string::npos;
                 at = html.find("<tr><td>loose cube</td><td>column", at + 1))
                ++listed;
            EXPECT_EQ(listed, size_t(loose.count));
        }
    }
    // An empty block: the sheet says so and lists no course.
    SceneModel empty(4);
    empty.forEachCell([](int, int, int, GridCell& cell) { cell.colour = 0.0f; });
    const std::string html = buildSheetHtml(empty.state, *empty.grid, "");
    EXPECT_NE(html.find("The block holds no cubes."), std::string::npos);
    EXPECT_EQ(html.find("Course "), std::string::npos);
}
