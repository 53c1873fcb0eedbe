#include "logic/Exception.h"

namespace quillfen {

Exception::Exception(const std::string& message)
    : message_(std::make_shared<const std::string>(message)) {}

const char* Exception::what() const noexcept { return message_->c_str(); }

}  // namespace quillfen
