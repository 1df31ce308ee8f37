#pragma once

#include "platform/runtime/Variant.h"

#include <QString>
#include <vector>

namespace drawing {

// The cells of one block of a ruled table, indexed (column, row) from 0: numbers, texts or nothing
// (Empty). Texts are captions in the label markup, except those set as plain text: a text of the user's
// data (a record name, a comment) is drawn exactly as typed, "{" and all.
class Zellenfeld {
public:
    Zellenfeld() = default;
    Zellenfeld(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // Cell (column, row); raises "subscript out of range" (9) outside the array. Writing a cell through
    // here keeps its plain-text mark.
    platform::Variant& operator()(int column, int row);
    const platform::Variant& operator()(int column, int row) const;

    // Sets a cell to a text of the user's data and marks it: it is never read as markup, and a table cuts it
    // at its column's width.
    void setKlartext(int column, int row, const QString& text);
    // True when the cell was set as plain text.
    bool klartext(int column, int row) const;

private:
    std::size_t index(int column, int row) const;

    int columns_ = 0;
    int rows_ = 0;
    std::vector<platform::Variant> cells_;
    std::vector<bool> plain_;
};

} // namespace drawing
