#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// The place of a control in a control array (several controls of one name told apart by their Index).
class ControlArrayMember {
public:
    // The position in the control array; raises "object not an array" (343) for a control outside one.
    std::int16_t Index() const;
    void setIndex(std::int16_t index) { index_ = index; }
    bool inControlArray() const { return index_.has_value(); }

private:
    std::optional<std::int16_t> index_;
};

} // namespace platform
