// The standard library's error raisers, as the string and container code of
// both programs calls them. libstdc++'s own bring std::logic_error and its
// family, and with them a second, reference-counted string implementation:
// half of the copier, a sixth of the unpacker. These throw what the programs
// report just the same: an exception whose what() is the library's message.
// Linked as an object of each program, so the linker takes them before it
// looks into libstdc++; should the library still need its own, the link
// fails on the duplicates.
#include <exception>
#include <new>
#include <typeinfo>

namespace {

class StandardLibraryError : public std::exception {
 public:
  explicit StandardLibraryError(const char* message) : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;
};

}  // namespace

namespace std {

void __throw_bad_exception() { throw std::bad_exception(); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_bad_cast() { throw std::bad_cast(); }
void __throw_bad_typeid() { throw std::bad_typeid(); }
void __throw_logic_error(const char* message) { throw StandardLibraryError(message); }
void __throw_domain_error(const char* message) { throw StandardLibraryError(message); }
void __throw_invalid_argument(const char* message) { throw StandardLibraryError(message); }
void __throw_length_error(const char* message) { throw StandardLibraryError(message); }
void __throw_out_of_range(const char* message) { throw StandardLibraryError(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw StandardLibraryError(format); }
void __throw_runtime_error(const char* message) { throw StandardLibraryError(message); }
void __throw_range_error(const char* message) { throw StandardLibraryError(message); }
void __throw_overflow_error(const char* message) { throw StandardLibraryError(message); }
void __throw_underflow_error(const char* message) { throw StandardLibraryError(message); }

}  // namespace std
