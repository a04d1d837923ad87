#include "socket/CommMemoryPort.h"

#include <cstring>

#include "platform/Socket.h"
#include "stream/TextStream.h"

uint32_t CommMemoryPort::ReadAll(void* bytes, long count) {
    if (!open_) return platform::kWsaNotSocket;
    if (count < 0) count = 0;
    const size_t n = static_cast<size_t>(count);
    if (input_.size() - position_ < n) {
        position_ = input_.size();
        return platform::kWsaConnectionReset;
    }
    if (n) memcpy(bytes, input_.data() + position_, n);
    position_ += n;
    return 0;
}

uint32_t CommMemoryPort::Send(const void* bytes, long count) {
    if (!open_) return platform::kWsaNotSocket;
    if (count > 0) sent_.append(static_cast<const char*>(bytes), static_cast<size_t>(count));
    return 0;
}

uint32_t CommMemoryPort::IsIdle(bool* idle) {
    if (!open_) return platform::kWsaNotSocket;
    if (idle) *idle = false;
    return 0;
}

bool CommMemoryPort::HasNoData() {
    return false;
}

void CommMemoryPort::Dump(otwstream& out) {
    out.WriteText(" memory");
}
