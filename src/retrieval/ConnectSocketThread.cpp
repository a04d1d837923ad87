#include "retrieval/ConnectSocketThread.h"

int32_t ConnectSocketThread::Run() {
    if (platform::SocketConnect(socket_, address_) == 0) return 0;
    uint32_t err = platform::SocketLastError();
    return static_cast<int32_t>(err ? err : platform::kWsaNotSocket);
}
