#include "Zellenfeld.h"

#include "platform/runtime/VbError.h"

#include <algorithm>

namespace drawing {

Zellenfeld::Zellenfeld(int columns, int rows)
    : columns_(std::max(columns, 0)), rows_(std::max(rows, 0)),
      cells_(std::size_t(columns_) * std::size_t(rows_)), plain_(cells_.size(), false) {}

std::size_t Zellenfeld::index(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        throw platform::VbError::subscriptOutOfRange();
    return std::size_t(row) * std::size_t(columns_) + std::size_t(column);
}

platform::Variant& Zellenfeld::operator()(int column, int row) {
    return cells_[index(column, row)];
}

const platform::Variant& Zellenfeld::operator()(int column, int row) const {
    return cells_[index(column, row)];
}

void Zellenfeld::setKlartext(int column, int row, const QString& text) {
    const std::size_t i = index(column, row);
    cells_[i] = platform::Variant(text);
    plain_[i] = true;
}

bool Zellenfeld::klartext(int column, int row) const {
    return plain_[index(column, row)];
}

} // namespace drawing
