// Replaces libstdc++'s default terminate handler, which prints the escaping
// exception's demangled type to stderr: a program without a console has
// nobody to read it, and the demangler alone is a sixth of the program.
// Linked as an object of each program (not from a library), so that the
// linker takes this definition before it looks into libstdc++.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
