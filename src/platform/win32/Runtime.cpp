// The C++ runtime's error paths, for a program without exceptions: a string grown past its
// limit or memory exhausted ends the process, as an uncaught exception would. Defined here so
// that the library's versions, which bring its whole exception and name-demangling machinery
// (about a third of the executable), are never linked.
#include <cstdlib>
#include <new>

namespace std {

[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_invalid_argument(const char*) { std::abort(); }

}  // namespace std

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
