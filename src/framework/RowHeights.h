#pragma once
// Heights of the rows of a list that scrolls by pixels, kept as a Fenwick
// tree: the top of a row, the row at a height and the change of one row's
// height each cost O(log n), so a long list never walks all its rows.
#include <cstddef>
#include <vector>

class RowHeights {
  public:
    // Every row gets `height`; O(n).
    void Reset(size_t rows, int height);
    size_t Count() const { return heights_.size(); }
    int Height(size_t row) const { return heights_[row]; }
    // The rows get the given heights; O(n).
    void Assign(const std::vector<int>& heights);
    void SetHeight(size_t row, int height);
    // Sum of the heights of the rows before `row`.
    int Top(size_t row) const;
    int Total() const { return total_; }
    // The row that covers y (0 <= y < Total()); Count() when y is past the end.
    size_t RowAt(int y) const;

  private:
    std::vector<int> heights_;
    std::vector<int> tree_;  // 1-based Fenwick sums
    size_t topBit_ = 0;
    int total_ = 0;
};
