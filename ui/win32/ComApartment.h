// The user-interface thread's COM apartment. A screen reader's calls into the program's
// accessible objects are marshalled into it: without one, every answer to WM_GETOBJECT
// fails. The system may put the thread into an apartment on its own (an input method
// does, and Wine does when the first window is made), but nothing promises that.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace quillfen {

// Joins a single-threaded apartment for the life of the object, which must live on the
// thread that makes the windows and outlast the last of them.
class ComApartment {
public:
    // S_FALSE (already in one) counts as joined and is left again in the same way; a
    // thread already in the multithreaded apartment (RPC_E_CHANGED_MODE) stays there.
    ComApartment() noexcept
        : joined_(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ComApartment(ComApartment&& other) noexcept : joined_(std::exchange(other.joined_, false)) {}
    ComApartment& operator=(ComApartment&&) = delete;
    ~ComApartment() {
        if (joined_) ::CoUninitialize();
    }
    bool joined() const noexcept { return joined_; }

private:
    bool joined_;
};

}  // namespace quillfen
