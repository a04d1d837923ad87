// The network buffers over WinInet handles.
#include <windows.h>
#include <wininet.h>

#include <vector>

#include "http/UrlStream.h"

namespace {

HINTERNET Handle(InternetHandle h) {
    return static_cast<HINTERNET>(h);
}

long Failed(uint32_t* lastError) {
    *lastError = GetLastError();
    return -1;
}

}  // namespace

nwstreambuf::~nwstreambuf() {
    if (handle_) InternetCloseHandle(Handle(handle_));
}

long nwstreambuf::Read(void* bytes, long count) {
    if (!handle_ || !readable_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return Failed(&lastError_);
    }
    DWORD read = 0;
    if (!InternetReadFile(Handle(handle_), bytes, static_cast<DWORD>(count), &read))
        return Failed(&lastError_);
    return static_cast<long>(read);
}

long nwstreambuf::Write(const void* bytes, long count) {
    if (!handle_ || readable_) {
        SetLastError(ERROR_INVALID_HANDLE);
        return Failed(&lastError_);
    }
    DWORD written = 0;
    if (!InternetWriteFile(Handle(handle_), bytes, static_cast<DWORD>(count), &written))
        return Failed(&lastError_);
    return static_cast<long>(written);
}

long nwstreambuf::Seek(long offset, int origin) {
    DWORD pos = InternetSetFilePointer(Handle(handle_), offset, nullptr, static_cast<DWORD>(origin),
                                       context_);
    return pos == static_cast<DWORD>(-1) ? Failed(&lastError_) : static_cast<long>(pos);
}

uint32_t nwstreambuf::QueryUrl(AStr* url) {
    DWORD size = 0;
    if (!InternetQueryOptionA(Handle(handle_), INTERNET_OPTION_URL, nullptr, &size) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return GetLastError();
    std::vector<char> text(size + 1, 0);
    size = static_cast<DWORD>(text.size());
    if (!InternetQueryOptionA(Handle(handle_), INTERNET_OPTION_URL, text.data(), &size))
        return GetLastError();
    *url = text.data();
    return 0;
}

bool httpwstreambuf::QueryInfo(uint32_t query, AStr* text) {
    std::vector<char> buffer(80, 0);
    DWORD size = static_cast<DWORD>(buffer.size());
    BOOL ok = HttpQueryInfoA(Handle(handle_), query, buffer.data(), &size, nullptr);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        buffer.assign(size + 1, 0);
        size = static_cast<DWORD>(buffer.size());
        ok = HttpQueryInfoA(Handle(handle_), query, buffer.data(), &size, nullptr);
    }
    if (!ok) return false;
    *text = AStr(buffer.data(), size);
    return true;
}

bool httpwstreambuf::QueryLastModified(uint32_t* seconds) {
    SYSTEMTIME st;
    DWORD size = sizeof st;
    FILETIME ft;
    if (!HttpQueryInfoA(Handle(handle_), HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME, &st,
                        &size, nullptr) ||
        !SystemTimeToFileTime(&st, &ft))
        return false;
    uint64_t v = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    *seconds = static_cast<uint32_t>(v / 10000000ULL - 11644473600ULL);
    return true;
}
