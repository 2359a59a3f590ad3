#include "app/session_rules.h"

namespace kavo {

SessionEndAnswer sessionEndAnswer(bool unsavedChanges, bool modalBoxOpen) {
    if (!unsavedChanges) {
        return SessionEndAnswer::Allow;
    }
    return modalBoxOpen ? SessionEndAnswer::Refuse : SessionEndAnswer::Ask;
}

} // namespace kavo
