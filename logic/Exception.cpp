#include "logic/Exception.h"

namespace quillfen {

// Shared from a unique_ptr rather than made with make_shared: without run-time type
// information, make_shared's deleter lookup links the C++ runtime's shared-pointer unit,
// about 2.5 KB of the executable with its table of locks, for nothing the program uses.
Exception::Exception(const std::string& message)
    : message_(std::make_unique<const std::string>(message)) {}

const char* Exception::what() const noexcept { return message_->c_str(); }

}  // namespace quillfen
