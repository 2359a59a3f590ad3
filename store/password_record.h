// One 128-byte record of the password file, as stored (scrambled) or plain.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kavo {

constexpr std::size_t kRecordBytes = 128;

using PasswordRecord = std::array<std::uint8_t, kRecordBytes>;

} // namespace kavo
