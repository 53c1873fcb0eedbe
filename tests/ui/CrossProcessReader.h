// The GUI test binary started again as a second process: a screen reader's stand-in that
// reads the windows of the process that started it.
#pragma once

namespace quillfen::testing {

// The first argument that makes the binary the reader.
constexpr char kReaderSwitch[] = "--read-accessibility";
// The reader's whole run; its exit code.
int RunAccessibilityReader(int argc, char** argv);

}  // namespace quillfen::testing
