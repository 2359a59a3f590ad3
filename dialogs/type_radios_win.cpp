#include "dialogs/type_radios_win.h"

#include "resources/resource.h"

namespace kavo {

bool DialogTypeRadios::isChecked(int typeIndex) const {
    return IsDlgButtonChecked(dialog_, IDC_RADIO_BUTTON + typeIndex) == BST_CHECKED;
}

void DialogTypeRadios::check(int typeIndex) {
    CheckRadioButton(dialog_, IDC_RADIO_BUTTON, IDC_RADIO_CTRL_V_TIME,
                     IDC_RADIO_BUTTON + typeIndex);
}

} // namespace kavo
