#pragma once
// Below 100 % the lens's source spans a large part of the screen, and
// reading the screen is what such a redraw costs. So the saver keeps a copy
// of the desktop and reads only some of its rows again at each redraw: rows
// the source has never covered at once (the lens never shows what was not
// read), and of the others a budget, the longest unread first, so that every
// row of the source is fresh again within a few redraws.

#include <cstdint>
#include <vector>

namespace zoomorb::saver {

struct RowSpan {
    int32_t first;
    int32_t end;  // the row after the last
};

class MirrorRows {
public:
    // A copy of `rowCount` rows of which none has been read yet.
    void Forget(int32_t rowCount);
    // The rows of [top, end) to read now, in runs of neighbouring rows: every
    // row never read, and up to `budget` others, the longest unread first.
    // They count as read from now on.
    std::vector<RowSpan> RowsToRead(int32_t top, int32_t end, int32_t budget);

private:
    // The redraw at which each row was last read; 0 for never.
    std::vector<uint32_t> readAt_;
    uint32_t redraw_ = 0;
};

}  // namespace zoomorb::saver
