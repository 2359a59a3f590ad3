#include "lock/input_method_win.h"

#include "win/system_library_win.h"

#include <imm.h>

namespace kavo {

void detachInputMethod(HWND control) {
    // IMM32 comes in with the first password field, not at start. Where it cannot be loaded
    // there is no input method to take away.
    auto* associate =
        systemFunction<decltype(ImmAssociateContext)>(L"imm32.dll", "ImmAssociateContext");
    if (associate != nullptr) {
        // The context it had is the thread's default one, which is not ours to destroy.
        associate(control, nullptr);
    }
}

} // namespace kavo
