#include "framework/RowHeights.h"

void RowHeights::Reset(size_t rows, int height) {
    Assign(std::vector<int>(rows, height));
}

void RowHeights::Assign(const std::vector<int>& heights) {
    heights_ = heights;
    size_t rows = heights.size();
    tree_.assign(rows + 1, 0);
    total_ = 0;
    for (size_t i = 1; i <= rows; ++i) {
        tree_[i] += heights[i - 1];
        total_ += heights[i - 1];
        size_t up = i + (i & (~i + 1));
        if (up <= rows) tree_[up] += tree_[i];
    }
    topBit_ = 1;
    while (topBit_ * 2 <= rows) topBit_ *= 2;
}

void RowHeights::SetHeight(size_t row, int height) {
    int delta = height - heights_[row];
    if (!delta) return;
    heights_[row] = height;
    total_ += delta;
    for (size_t i = row + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
}

int RowHeights::Top(size_t row) const {
    int sum = 0;
    for (size_t i = row; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
}

size_t RowHeights::RowAt(int y) const {
    if (y < 0) return 0;
    if (y >= total_) return heights_.size();
    // Largest prefix of rows whose heights sum to at most y.
    size_t pos = 0;
    for (size_t step = topBit_; step; step /= 2) {
        size_t next = pos + step;
        if (next < tree_.size() && tree_[next] <= y) {
            pos = next;
            y -= tree_[next];
        }
    }
    return pos;
}
