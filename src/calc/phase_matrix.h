#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace calc {

// The phase diagram in matrix form, indexed [column][row]: [0][0] holds " Y/X", row 0 the
// composition texts, column 0 the Y texts, and every other cell a phase name or "E" (inside a
// two-phase field). Cells are stored as indices into a table of distinct texts, so a large grid
// costs four bytes a cell; text(c, r) gives the cell's text. An unwritten cell reads as "".
//
// Storage is row after row, so adding rows at the bottom (what the run does once per Y row) is an
// amortised append; adding columns copies the matrix and is meant for the few rows of the start.
// Texts keep their address until clear(): textOf() references and views into them stay valid.
//
// Beside the header texts the matrix keeps the numbers they show (compositions in row 0, Y values
// in column 0), so that readers such as the special point search and the region label need not
// parse the texts back. A writer gives the value its text shows, rounded as the text is, so that
// every figure derived from the numbers is the one the texts give.
class PhaseMatrix {
public:
    using TextId = uint32_t;
    static constexpr TextId kEmpty = 0;  // the id of ""

    PhaseMatrix();

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }

    // Changes the counts, keeping the cells inside both the old and the new size; new cells are "".
    void resize(int colCount, int rowCount);
    // Empties the matrix (0 x 0) and forgets the texts.
    void clear();

    // A cell outside the matrix reads as ""; writing one throws std::out_of_range (resize first).
    const std::string& text(int col, int row) const;
    void setText(int col, int row, std::string_view text);

    // A header cell with its number: composition of column `col` (row 0), Y of row `row` (column 0).
    void setColumnHeader(int col, std::string_view text, double x);
    void setRowHeader(int row, std::string_view text, double y);
    // The number of a header cell; NaN outside the matrix or when none was given.
    double columnValue(int col) const;
    double rowValue(int row) const;

    // The id of a text in the table, adding it when new. Ids stay valid until clear().
    TextId intern(std::string_view text);
    const std::string& textOf(TextId id) const { return texts_[id]; }
    // Cell access by id, for writers that intern their texts once; no check of the range.
    TextId cell(int col, int row) const { return cells_[index(col, row)]; }
    void setCell(int col, int row, TextId id) { cells_[index(col, row)] = id; }

    bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }

private:
    size_t index(int col, int row) const { return static_cast<size_t>(row) * cols_ + col; }

    int cols_ = 0;
    int rows_ = 0;
    std::vector<TextId> cells_;     // row-major: cells_[row * cols_ + col]
    std::vector<double> columnValues_;  // cols_ entries
    std::vector<double> rowValues_;     // rows_ entries
    std::deque<std::string> texts_;  // texts_[0] is ""; a deque keeps every text in place
    std::unordered_map<std::string_view, TextId> index_;  // views into texts_
};

// A header number written with a number picture ("0.########"), and the value that text shows.
struct HeaderText {
    std::string text;
    double value = 0;
};
HeaderText headerText(double v, std::string_view picture, char decimalSeparator);

}  // namespace calc
