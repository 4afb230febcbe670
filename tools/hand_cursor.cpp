#include "hand_cursor.h"

#include <stdexcept>
#include <string>

namespace zoomorb::pictures {

namespace {

// Drawn by hand, pixel by pixel: at this size and colour depth a rendered
// shape would come out blotchy.
//   . transparent   B black   W white   g light grey   d dark grey
const char* const kHand[32] = {
    "................................",
    "...........BBB..................",
    "..........BWWgB.................",
    "..........BWWgB.................",
    "..........BWWgB.................",
    "..........BWWgB.................",
    "..........BWWgB.................",
    "..........BWWgBBBB..............",
    "..........BWWgBWWgB.............",
    "..........BWWgBWWgBBBB..........",
    "..........BWWgBWWgBWWgB.........",
    "..........BWWgBWWgBWWgBBB.......",
    "..........BWWgBWWgBWWgBWgB......",
    ".....BBB..BWWgBWWgBWWgBWgB......",
    "....BWWgB.BWWgBWWgBWWgBWgB......",
    "....BWWWgBBWWWgWWWgWWWgWgB......",
    ".....BWWWgBWWWWWWWWWWWWWgB......",
    ".....BWWWWgWWWWWWWWWWWWWgB......",
    "......BWWWWWWWWWWWWWWWWWgB......",
    "......BWWWWWWWWWWWWWWWWWgB......",
    ".......BWWWWWWWWWWWWWWWgB.......",
    "........BWWWWWWWWWWWWWWgB.......",
    "........BWWWWWWWWWWWWWgB........",
    ".........BWWWWWWWWWWWWgB........",
    ".........BWWWWWWWWWWWWgB........",
    ".........BBBBBBBBBBBBBBB........",
    ".........BddddddddddddgB........",
    ".........BdggggggggggdgB........",
    ".........BddddddddddddgB........",
    ".........BBBBBBBBBBBBBBB........",
    "................................",
    "................................",
};

// The sixteen colours every display of the time could show.
constexpr std::array<Rgb, 16> kStandardPalette = {{
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},  {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

uint8_t PaletteIndex(char code) {
    switch (code) {
        case 'B': return 0;
        case 'g': return 7;
        case 'd': return 8;
        case 'W': return 15;
    }
    throw std::logic_error(std::string("unknown colour code in the hand: ") + code);
}

}  // namespace

Cursor16 DrawHandCursor() {
    Cursor16 cursor;
    cursor.width = cursor.height = 32;
    cursor.palette = kStandardPalette;
    cursor.hotX = kHandHotX;
    cursor.hotY = kHandHotY;
    for (const char* row : kHand) {
        if (std::string(row).size() != 32) throw std::logic_error("every row of the hand is 32 pixels");
        for (int x = 0; x < 32; ++x) {
            bool clear = row[x] == '.';
            cursor.transparent.push_back(clear);
            cursor.indices.push_back(clear ? 0 : PaletteIndex(row[x]));
        }
    }
    return cursor;
}

}  // namespace zoomorb::pictures
