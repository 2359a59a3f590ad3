// The four type radios of a dialog, as the real buttons 161 to 164.
#pragma once

#include <windows.h>

#include "dialogs/entry_type.h"

namespace kavo {

class DialogTypeRadios final : public TypeRadios {
  public:
    explicit DialogTypeRadios(HWND dialog) : dialog_(dialog) {}
    bool isChecked(int typeIndex) const override;
    void check(int typeIndex) override;

  private:
    HWND dialog_;
};

} // namespace kavo
