#include <gtest/gtest.h>

#include "model/parts_list.h"
#include "scenes.h"

using namespace kadro;
using kadro::testing::SceneModel;

// A cut-away view must not shorten an order unnoticed: the whole block is counted beside it.
TEST(PartsList, CountsTheVisibleAndTheWholeBlockAsATable) {
    SceneModel scene(4);
    scene.stripes();
    scene.grid->at(5, 0, 1).colour = 5.0f;  // beyond the size: in neither column
    scene.state.currentLayer = 3;
    const PartsList list = partsList(scene.state, *scene.grid);
    int visible = 0, whole = 0;
    for (int i = 0; i < kColourCount; ++i) visible += list.visible[i], whole += list.whole[i];
    EXPECT_EQ(visible, 4 * 4 * 2);
    EXPECT_EQ(whole, 4 * 4 * 4);
    EXPECT_EQ(partsListText(list),
              "KADRO parts list, size 4 x 4 x 4, layers 3 to 4 visible\n"
              "colour\tvisible\twhole block\n"
              "yellow\t" + std::to_string(list.visible[0]) + "\t" + std::to_string(list.whole[0]) + "\n"
              "lime\t" + std::to_string(list.visible[1]) + "\t" + std::to_string(list.whole[1]) + "\n"
              "aqua\t" + std::to_string(list.visible[2]) + "\t" + std::to_string(list.whole[2]) + "\n"
              "fuchsia\t" + std::to_string(list.visible[3]) + "\t" + std::to_string(list.whole[3]) + "\n"
              "red\t" + std::to_string(list.visible[4]) + "\t" + std::to_string(list.whole[4]) + "\n"
              "total\t32\t64\n"
              "loose cubes\t0\t0\n");
    const std::string html = partsListHtml(list);
    EXPECT_NE(html.find("<tr><td>fuchsia</td><td align=\"right\" style=\"text-align:right\">" + std::to_string(list.visible[3]) + "</td>"), std::string::npos);
    EXPECT_NE(html.find("<tr><th>total</th><th align=\"right\" style=\"text-align:right\">32</th><th align=\"right\" style=\"text-align:right\">64</th></tr>"), std::string::npos);
    // Cubes in the air: one behind the cut (visible), one in a layer cut away (counted whole).
    SceneModel air(4);
    air.random(1, 0.0);
    air.state.currentLayer = 3;
    air.grid->at(0, 0, 1).colour = 1.0f;  // on the bottom row: held
    air.grid->at(2, 2, 1).colour = 2.0f;
    air.grid->at(1, 3, 4).colour = 3.0f;
    EXPECT_NE(partsListText(partsList(air.state, *air.grid)).find("total\t1\t3\nloose cubes\t1\t2\n"), std::string::npos);
    scene.state.currentLayer = 4;
    EXPECT_NE(partsListText(partsList(scene.state, *scene.grid)).find("size 4 x 4 x 4, layer 4 visible\n"), std::string::npos);
}
