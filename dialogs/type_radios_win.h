// The four type radios of a dialog, as the real buttons 161 to 164.
#pragma once

#include <windows.h>

#include "dialogs/entry_type.h"

namespace kavo {

class DialogTypeRadios final : public TypeRadios {
  public:
    // The dialog's handle is read at each call, so the object can exist before the dialog.
    explicit DialogTypeRadios(const HWND& dialog) : dialog_(dialog) {}
    bool isChecked(int typeIndex) const override;
    void check(int typeIndex) override;

  private:
    const HWND& dialog_;
};

} // namespace kavo
