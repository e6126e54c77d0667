// The handler std::terminate calls when an exception escapes or cannot be
// thrown. The runtime's default one prints the exception's demangled type to
// standard error, which a windowed program does not have, and in doing so
// links in the whole C++ name demangler (about 45 KB of this small program).
// Defining it here replaces that default: it ends the process the same way,
// through abort(), without the message nobody could read.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
