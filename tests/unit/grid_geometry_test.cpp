#include "core/grid_geometry.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(CellAt, CountsTheWholeSlotWithStrictBounds) {
    const struct {
        GridShape shape;
        double x, y;
        int expected;
    } cases[] = {
        {kBasicShape, 0, 0, 0},           {kBasicShape, 319, 19, 15},
        {kBasicShape, 320, 5, -1},        {kBasicShape, 5, 20, -1},
        {kBasicShape, -1, 5, -1},         {kBasicShape, 19.5, 5, 0},
        {kAdditionalShape, 250, 145, -1}, {kAdditionalShape, 239, 159, 123},
        {kAdditionalShape, 20, 20, 17},   {kSafetyShape, 0, 18, 0},
        {kSafetyShape, 0, 19, 16},        {kSafetyShape, 159, 265, 215},
        {kSafetyShape, 160, 265, -1},     {kSafetyShape, 5, 266, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CellAt(c.shape, c.x, c.y), c.expected)
            << c.shape.cellCount << " " << c.x << "," << c.y;
    }
}

TEST(PaletteKeyMove, WrapsAroundEachGridsRowsAndColumns) {
    const struct {
        GridShape shape;
        int from;
        GridKey key;
        int to;
    } cases[] = {
        {kBasicShape, 0, GridKey::Left, 15},       {kBasicShape, 15, GridKey::Right, 0},
        {kBasicShape, 4, GridKey::Up, 4},          {kBasicShape, 4, GridKey::Down, 4},
        {kAdditionalShape, 5, GridKey::Up, 117},   {kAdditionalShape, 14, GridKey::Up, 110},
        {kAdditionalShape, 117, GridKey::Down, 5}, {kAdditionalShape, 110, GridKey::Down, 14},
        {kAdditionalShape, 0, GridKey::Left, 123}, {kAdditionalShape, 123, GridKey::Right, 0},
        {kAdditionalShape, 40, GridKey::Down, 56}, {kSafetyShape, 3, GridKey::Up, 211},
        {kSafetyShape, 10, GridKey::Up, 202},      {kSafetyShape, 211, GridKey::Down, 3},
        {kSafetyShape, 202, GridKey::Down, 10},    {kSafetyShape, 0, GridKey::Left, 215},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaletteKeyMove(c.shape, std::int16_t(c.from), c.key), c.to)
            << c.shape.cellCount << " from " << c.from;
    }
}

TEST(FavoritesKeyMove, WrapsToTheRowsThatHaveACell) {
    const struct {
        int last, from;
        GridKey key;
        int to;
    } cases[] = {
        {20, 3, GridKey::Up, 19},    {20, 10, GridKey::Up, 10},  {20, 19, GridKey::Down, 3},
        {20, 10, GridKey::Down, 10}, {1, 0, GridKey::Left, 1},   {1, 1, GridKey::Right, 0},
        {1, 0, GridKey::Up, 0},      {1, 1, GridKey::Down, 1},   {0, 0, GridKey::Left, 0},
        {15, 3, GridKey::Up, 3},     {223, 5, GridKey::Up, 213}, {223, 213, GridKey::Down, 5},
        {16, 0, GridKey::Up, 16},    {16, 16, GridKey::Down, 0}, {16, 1, GridKey::Down, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FavoritesKeyMove(std::int16_t(c.from), std::int16_t(c.last), c.key), c.to)
            << "last " << c.last << " from " << c.from;
    }
}

}  // namespace
}  // namespace velmor
