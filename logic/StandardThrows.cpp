// The standard library's own error helpers, for the static Windows build.
//
// The containers and strings report impossible requests (a size past max_size(), a position
// past the end) through these helpers. The runtime's versions all live in one object file
// whose unwind entries keep every helper, and with them the reference-counted string class
// and the standard exception classes, in the program (about 50 KB). Defined here, the
// program's versions take their place: the messages are the library's own, thrown as the
// program's Exception, which every handler of the program catches as std::exception.
// The formatting helper passes its format text as the message, unformatted.
#include <exception>
#include <new>
#include <typeinfo>

#include "logic/Exception.h"

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { throw quillfen::Exception(message); }
void __throw_domain_error(const char* message) { throw quillfen::Exception(message); }
void __throw_invalid_argument(const char* message) { throw quillfen::Exception(message); }
void __throw_length_error(const char* message) { throw quillfen::Exception(message); }
void __throw_out_of_range(const char* message) { throw quillfen::Exception(message); }
void __throw_out_of_range_fmt(const char* format, ...) { throw quillfen::Exception(format); }
void __throw_runtime_error(const char* message) { throw quillfen::Exception(message); }
void __throw_range_error(const char* message) { throw quillfen::Exception(message); }
void __throw_overflow_error(const char* message) { throw quillfen::Exception(message); }
void __throw_underflow_error(const char* message) { throw quillfen::Exception(message); }

}  // namespace std
