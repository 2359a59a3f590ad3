// What a right-click in the list does, by the copy method setting.
#pragma once

#include "settings/settings_record.h"

#include <cstdint>

namespace kavo {

enum class RightClickAction { Nothing, CopyWindow, StartIdPhase };

// 0: toolbar buttons only; 1: also the small copy window; 2: also a direct start of the ID
// phase. Any other value acts as 0.
inline RightClickAction rightClickAction(CopyMethod copyMethod) {
    switch (copyMethod) {
    case CopyMethod::SmallWindow:
        return RightClickAction::CopyWindow;
    case CopyMethod::ListClick:
        return RightClickAction::StartIdPhase;
    case CopyMethod::ToolbarOnly:
        break;
    }
    return RightClickAction::Nothing;
}

} // namespace kavo
