#include "mirror_rows.h"

#include <algorithm>

namespace zoomorb::saver {
namespace {

void AddRow(std::vector<RowSpan>& spans, int32_t row) {
    if (!spans.empty() && spans.back().end == row)
        ++spans.back().end;
    else
        spans.push_back(RowSpan{row, row + 1});
}

}  // namespace

void MirrorRows::Forget(int32_t rowCount) {
    readAt_.assign(static_cast<size_t>(std::max(rowCount, 0)), 0);
    redraw_ = 0;
}

std::vector<RowSpan> MirrorRows::RowsToRead(int32_t top, int32_t end, int32_t budget) {
    std::vector<RowSpan> spans;
    top = std::max(top, 0);
    end = std::min(end, static_cast<int32_t>(readAt_.size()));
    if (top >= end) return spans;
    ++redraw_;
    for (int32_t row = top; row < end; ++row) {
        if (readAt_[row] != 0) continue;
        readAt_[row] = redraw_;
        AddRow(spans, row);
    }
    // From the longest unread row on, downwards and round to the top, so that
    // the rows read again stay in long runs from one redraw to the next.
    const auto oldest = std::min_element(readAt_.begin() + top, readAt_.begin() + end);
    const int32_t start = static_cast<int32_t>(oldest - readAt_.begin());
    const int32_t rows = end - top;
    for (int32_t i = 0; i < rows && budget > 0; ++i) {
        const int32_t row = top + (start - top + i) % rows;
        if (readAt_[row] == redraw_) continue;
        readAt_[row] = redraw_;
        AddRow(spans, row);
        --budget;
    }
    return spans;
}

}  // namespace zoomorb::saver
