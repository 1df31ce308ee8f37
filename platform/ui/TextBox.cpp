#include "TextBox.h"

#include <limits>

namespace platform {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // The line edit's own limit of 32767 characters would cut a long stored text without a word.
    setMaxLength(std::numeric_limits<int>::max());
}

} // namespace platform
