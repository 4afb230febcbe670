#pragma once
// The walk that cuts a picture into the runs of pixels that are not of its
// key colour: the window's shape is the union of these runs, one pixel high
// each, so the key-coloured background is cut away.

#include <cstdint>
#include <functional>
#include <optional>

namespace zoomorb::pictures {

// A pixel's three bytes packed in the order they lie in memory:
// blue | green << 8 | red << 16 (the reverse of a COLORREF).
uint32_t PackedPixel(const uint8_t* pixel);

// Receives one maximal run of non-key pixels: its row counted from the top of
// the picture and the columns it covers, `start` to `end` exclusive.
using KeyRunVisitor = std::function<void(int32_t pictureRow, int32_t start, int32_t end)>;

// Walks a 24-bit bottom-up surface (rows of `bytesPerScanLine` bytes, the
// bottom picture row first in memory; the padding at the end of each row is
// never read) row by row in memory order, and each row left to right.
// `keyColour` is packed as PackedPixel packs; without one the key is the first
// pixel in memory, the bottom-left one of the picture, and a surface without
// pixels raises Subscript out of range. A key with bits above 23 set matches
// no pixel. A negative size, or rows too short for their pixels, raise
// Invalid procedure call. Returns the key used.
uint32_t WalkNonKeyRuns(const uint8_t* bits, int32_t width, int32_t height,
                        int32_t bytesPerScanLine, std::optional<uint32_t> keyColour,
                        const KeyRunVisitor& onRun);

}  // namespace zoomorb::pictures
