// A read-only IStream over bytes the caller keeps alive, for ImageList_Read.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstring>
#include <string_view>

namespace quillfen {

// Lives on the caller's stack for the length of one call that reads from it; the
// reference count is kept for the protocol but never frees anything. The platform's
// memory stream lives in shlwapi, which would be one more library to load at start-up.
class MemoryStream final : public IStream {
public:
    explicit MemoryStream(std::string_view bytes) noexcept : bytes_(bytes) {}
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                   ULARGE_INTEGER* position) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;

    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override {
        return STG_E_ACCESSDENIED;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                     ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override;

private:
    std::string_view bytes_;
    ULONGLONG position_ = 0;
    ULONG references_ = 1;
};

inline HRESULT MemoryStream::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(ISequentialStream)) ||
        IsEqualIID(iid, __uuidof(IStream))) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

inline HRESULT MemoryStream::Read(void* buffer, ULONG size, ULONG* read) {
    if (!buffer) return STG_E_INVALIDPOINTER;
    const ULONGLONG left = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const ULONG count = left < size ? static_cast<ULONG>(left) : size;
    if (count) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (read) *read = count;
    // Like the platform's streams: a short read is S_FALSE, not an error.
    return count == size ? S_OK : S_FALSE;
}

inline HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    LONGLONG base = 0;
    switch (origin) {
        case STREAM_SEEK_SET:
            break;
        case STREAM_SEEK_CUR:
            base = static_cast<LONGLONG>(position_);
            break;
        case STREAM_SEEK_END:
            base = static_cast<LONGLONG>(bytes_.size());
            break;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    const LONGLONG target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    position_ = static_cast<ULONGLONG>(target);
    if (position) position->QuadPart = position_;
    return S_OK;
}

inline HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_.size();
    stat->grfMode = STGM_READ;
    return S_OK;
}

inline HRESULT MemoryStream::Clone(IStream** clone) {
    // A clone would outlive the caller's stack frame; none of the readers asks for one.
    if (clone) *clone = nullptr;
    return E_NOTIMPL;
}

}  // namespace quillfen
