// What std::terminate calls in KAVO.exe as MinGW builds it. The C++ runtime's default handler
// writes the exception's demangled type to the standard error stream, which a window program
// does not have; it also links the name demangler and printf's number formatting into the
// executable, a fifth of its size. Defining the handler here keeps those out; aborting at once
// shows the user exactly the same.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
