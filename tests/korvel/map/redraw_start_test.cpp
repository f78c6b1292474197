#include "korvel/map/redraw_start.h"

#include <gtest/gtest.h>

namespace {

LayerState drawnAndTicked()
{
    return { { true, true }, false };
}

RedrawItems threeImagesThreeLayersTwoBlocks()
{
    RedrawItems items;
    items.images.assign(3, drawnAndTicked());
    items.gisLayers.assign(3, drawnAndTicked());
    BlockState block;
    block.boundary = drawnAndTicked();
    block.guidance = RowState { true, true };
    block.flights = { { true, true }, { false, false } };
    items.blocks.assign(2, block);
    return items;
}

TEST(RedrawStart, NothingChangedDrawsNothing)
{
    const RedrawItems items = threeImagesThreeLayersTwoBlocks();
    EXPECT_EQ(redrawStart(items, false, false), 9) << "past the last of the 8 items";
    EXPECT_FALSE(somethingSwitchedOff(items));
    EXPECT_EQ(redrawStart(RedrawItems(), false, false), 1) << "with nothing loaded the scan ends at 0 + 1";
}

TEST(RedrawStart, AFullRedrawOrARemovedLayerStartsAtTheBottom)
{
    const RedrawItems items = threeImagesThreeLayersTwoBlocks();
    EXPECT_EQ(redrawStart(items, true, false), 1);
    EXPECT_EQ(redrawStart(items, false, true), 1);
}

TEST(RedrawStart, ANewlyTickedRowStartsAtItsPosition)
{
    RedrawItems items = threeImagesThreeLayersTwoBlocks();
    items.gisLayers[1].row = { false, true }; // GIS list position 2
    EXPECT_EQ(redrawStart(items, false, false), 5) << "three images, then the second layer";

    RedrawItems flights = threeImagesThreeLayersTwoBlocks();
    flights.blocks[1].flights[1] = { false, true };
    EXPECT_EQ(redrawStart(flights, false, false), 8) << "a block counts as one position";
}

TEST(RedrawStart, ARedrawFlagStartsAtItsItem)
{
    RedrawItems items = threeImagesThreeLayersTwoBlocks();
    items.images[2].redraw = true;
    items.blocks[0].boundary.redraw = true;
    EXPECT_EQ(redrawStart(items, false, false), 3) << "the lowest change wins";
}

TEST(RedrawStart, AnythingSwitchedOffClearsAndDrawsAll)
{
    RedrawItems items = threeImagesThreeLayersTwoBlocks();
    items.gisLayers[2].row = { true, false };
    EXPECT_TRUE(somethingSwitchedOff(items));
    EXPECT_EQ(redrawStart(items, false, false), 1);

    RedrawItems subRow = threeImagesThreeLayersTwoBlocks();
    subRow.blocks[1].guidance = RowState { true, false };
    EXPECT_TRUE(somethingSwitchedOff(subRow));
    EXPECT_EQ(redrawStart(subRow, false, false), 1);

    RedrawItems neverDrawn = threeImagesThreeLayersTwoBlocks();
    neverDrawn.blocks[0].flights[1] = { false, false };
    EXPECT_FALSE(somethingSwitchedOff(neverDrawn)) << "unticked and not drawn is no change";
}

} // namespace
