// At start: one message when the data folder will not keep the data; KAVO then goes on as ever.
#pragma once

#include <string>

namespace kavo {

void warnAboutDataFolder(const std::wstring& dataDirectory);

} // namespace kavo
