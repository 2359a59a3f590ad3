// What a right-click in the list does, by the copy method setting.
#pragma once

#include <cstdint>

namespace kavo {

enum class RightClickAction { Nothing, CopyWindow, StartIdPhase };

// 0: toolbar buttons only; 1: also the small copy window; 2: also a direct start of the ID
// phase. Any other value acts as 0.
inline RightClickAction rightClickAction(std::int32_t copyMethod) {
    switch (copyMethod) {
    case 1:
        return RightClickAction::CopyWindow;
    case 2:
        return RightClickAction::StartIdPhase;
    default:
        return RightClickAction::Nothing;
    }
}

} // namespace kavo
