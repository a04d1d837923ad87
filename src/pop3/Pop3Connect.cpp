#include <cstdint>

#include "platform/Clock.h"
#include "platform/Thread.h"
#include "socket/CommAbort.h"
#include "socket/CommSocket.h"
#include "socket/CommTlsPort.h"
#include "pop3/Pop3Check.h"

namespace {

// Waits for a connect while the worker is not aborted and the time lasts.
class MailboxConnectWaiter : public ConnectWaiter {
  public:
    MailboxConnectWaiter(platform::Thread* worker, uint32_t timeoutMs)
        : worker_(worker), start_(platform::TickCount()), timeout_(timeoutMs) {}
    bool KeepWaiting() override {
        if (worker_ && worker_->IsAbortRequested()) return false;
        return timeout_ == 0 || platform::TickCount() - start_ < timeout_;
    }

  private:
    platform::Thread* worker_;
    uint32_t start_;
    uint32_t timeout_;
};

}  // namespace

uint32_t CheckMailbox(const char* host, uint16_t port, const char* user, const char* password,
                      const StrList& knownIds, EMailList& messages, const Pop3Options& options) {
    messages.Clear();
    CommSocket socket;
    socket.SetLineTimeout(options.replyTimeoutMs);
    // For the whole dialogue an abort of the worker closes the connection,
    // and the call blocked on it returns at once.
    SetDoAbortCommPort abortHook(socket, options.worker);
    if (options.worker && options.worker->IsAbortRequested()) return kCommCancelled;
    MailboxConnectWaiter waiter(options.worker, options.replyTimeoutMs);
    if (uint32_t err = socket.Connect(host, port, options.worker, &waiter)) {
        const bool aborted = options.worker && options.worker->IsAbortRequested();
        return err == kCommCancelled && !aborted ? platform::kWsaTimedOut : err;
    }
    CommTlsPort connection(socket);
    connection.SetLineTimeout(options.replyTimeoutMs);
    if (options.implicitTls || port == kPop3TlsPort) {
        if (uint32_t err = connection.StartTls(host, options.pins)) return err;
        if (options.security) *options.security = kMailTls;
        return RunPop3Dialogue(connection, user, password, knownIds, messages, nullptr,
                               options.refusal, options.largestListing);
    }
    Pop3Stls stls;
    stls.mode = options.stls;
    stls.upgrade = [&] { return connection.StartTls(host, options.pins); };
    uint32_t result = RunPop3Dialogue(connection, user, password, knownIds, messages, &stls,
                                      options.refusal, options.largestListing);
    if (options.security && (result == 0 || stls.upgraded))
        *options.security = stls.upgraded ? kMailStls : kMailPlain;
    return result;
}
