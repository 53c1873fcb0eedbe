#include "ui/MemoryStream.h"

#include <cstring>

namespace quillfen {

HRESULT MemoryStream::QueryInterface(REFIID iid, void** object) {
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

HRESULT MemoryStream::Read(void* buffer, ULONG size, ULONG* read) {
    if (!buffer) return STG_E_INVALIDPOINTER;
    const ULONGLONG left = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const ULONG count = left < size ? static_cast<ULONG>(left) : size;
    if (count) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    if (read) *read = count;
    // Like the platform's streams: a short read is S_FALSE, not an error.
    return count == size ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
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

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_.size();
    stat->grfMode = STGM_READ;
    return S_OK;
}

HRESULT MemoryStream::Clone(IStream** clone) {
    // A clone would outlive the caller's stack frame; none of the readers asks for one.
    if (clone) *clone = nullptr;
    return E_NOTIMPL;
}

}  // namespace quillfen
