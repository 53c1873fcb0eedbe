// The program's terminate handler. The runtime's default one prints the demangled type
// of an uncaught exception to stderr, which a GUI program does not have; defining it
// here also keeps the demangler (some 45 KB) out of the executable. Every handler's
// exceptions are caught before they reach a window procedure, so this only runs on a
// broken noexcept promise.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
