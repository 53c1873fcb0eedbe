// The program's texts from the string table, and its words for the framework's failures.
#pragma once

#include <windows.h>

#include <string>

#include "ui/framework/Failure.h"

namespace quillfen {

// A text of the string table; throws when it is missing.
std::string LoadText(UINT id);

// The error box's words for a failure the framework reports (see SetFailureWords).
std::string FailureWordsOfProgram(Failure failure);

}  // namespace quillfen
