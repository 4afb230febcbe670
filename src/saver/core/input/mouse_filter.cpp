#include "saver/core/input/mouse_filter.h"

namespace zoomorb::saver {

bool MouseFilter::Passes(const MouseInput& input) {
    const auto bit = static_cast<uint8_t>(1u << static_cast<unsigned>(input.button));
    switch (input.action) {
        case MouseAction::Release: {
            const bool pressSwallowed = (swallowedPresses_ & bit) != 0;
            swallowedPresses_ = static_cast<uint8_t>(swallowedPresses_ & ~bit);
            return !pressSwallowed;
        }
        case MouseAction::Press:
            if (input.overOurDialog) return true;
            swallowedPresses_ = static_cast<uint8_t>(swallowedPresses_ | bit);
            return false;
        case MouseAction::Other:
            break;
    }
    return input.overOurDialog;
}

}  // namespace zoomorb::saver
