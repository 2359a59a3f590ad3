#include "lock/input_method_win.h"

#include <imm.h>

namespace kavo {

void detachInputMethod(HWND control) {
    // The context it had is the thread's default one, which is not ours to destroy.
    ImmAssociateContext(control, nullptr);
}

} // namespace kavo
