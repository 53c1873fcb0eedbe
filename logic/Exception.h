// The base of the program's errors, shared by the logic and the window code.
#pragma once

#include <exception>
#include <memory>
#include <string>

namespace quillfen {

// Base of the program's errors. The message is shared between copies, so copying an
// exception (as throwing does) never allocates and never throws.
class Exception : public std::exception {
public:
    explicit Exception(const std::string& message);
    const char* what() const noexcept override;  // the message, as given

private:
    std::shared_ptr<const std::string> message_;
};

}  // namespace quillfen
