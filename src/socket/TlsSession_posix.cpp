// The TLS session of the portable build: OpenSSL over memory buffers, the
// raw bytes carried by the transport.
#include "socket/OpenSslApi_posix.h"
#include "socket/TlsTrust.h"

namespace {

constexpr long kRawChunk = 16 * 1024;

bool IsIpAddress(const OpenSslApi& api, const char* host) {
    ASN1_OCTET_STRING* address = host ? api.a2i_IPADDRESS(host) : nullptr;
    if (!address) return false;
    api.ASN1_OCTET_STRING_free(address);
    return true;
}

class OpenSslSession : public TlsSession {
  public:
    explicit OpenSslSession(TlsTransport& transport) : transport_(transport), api_(OpenSsl()) {}
    ~OpenSslSession() override {
        if (ssl_) api_->SSL_free(ssl_);  // frees both buffers too
        if (context_) api_->SSL_CTX_free(context_);
    }

    uint32_t Handshake(const char* host) override;
    const TlsPeer& Peer() const override { return peer_; }
    uint32_t Receive(std::string& plain) override;
    bool HasBuffered() const override {
        return ssl_ && (api_->SSL_pending(ssl_) > 0 || api_->BIO_ctrl_pending(in_) > 0);
    }
    uint32_t Send(const void* bytes, long count) override;
    void Shutdown() override;

  private:
    // Sends what the library has written into its outgoing buffer.
    uint32_t Flush();
    // After a call that returned rc: 0 to repeat it (more raw bytes were
    // read or written), else the code that ends it.
    uint32_t Pump(int rc);
    void DescribePeer(const char* host);

    TlsTransport& transport_;
    const OpenSslApi* api_;  // null when OpenSSL cannot be loaded
    SSL_CTX* context_ = nullptr;
    SSL* ssl_ = nullptr;
    BIO* in_ = nullptr;   // raw bytes received, owned by ssl_
    BIO* out_ = nullptr;  // raw bytes to send, owned by ssl_
    TlsPeer peer_;
};

uint32_t OpenSslSession::Flush() {
    char chunk[kRawChunk];
    for (;;) {
        int n = api_->BIO_read(out_, chunk, sizeof chunk);
        if (n <= 0) return 0;
        if (uint32_t err = transport_.SendRaw(chunk, n)) return err;
    }
}

uint32_t OpenSslSession::Pump(int rc) {
    if (uint32_t err = Flush()) return err;
    switch (api_->SSL_get_error(ssl_, rc)) {
        case SSL_ERROR_WANT_WRITE:
            return 0;
        case SSL_ERROR_WANT_READ: {
            char chunk[kRawChunk];
            long received = 0;
            if (uint32_t err = transport_.ReceiveRaw(chunk, sizeof chunk, &received)) return err;
            api_->BIO_write(in_, chunk, static_cast<int>(received));
            return 0;
        }
        case SSL_ERROR_ZERO_RETURN:
            return 10054;  // the server closed the secure channel
        default:
            api_->ERR_clear_error();
            return kTlsHandshakeFailed;
    }
}

uint32_t OpenSslSession::Handshake(const char* host) {
    if (!api_) return kTlsUnavailable;
    context_ = api_->SSL_CTX_new(api_->TLS_client_method());
    if (!context_) return kTlsUnavailable;
    api_->SSL_CTX_ctrl(context_, SSL_CTRL_SET_MIN_PROTO_VERSION, TLS1_2_VERSION, nullptr);
    api_->SSL_CTX_set_default_verify_paths(context_);
    // The chain is verified during the handshake but never ends it: the
    // check judges the outcome itself, so that a pinned certificate passes
    // and every other fault gets its own text.
    api_->SSL_CTX_set_verify(context_, SSL_VERIFY_NONE, nullptr);
    ssl_ = api_->SSL_new(context_);
    in_ = api_->BIO_new(api_->BIO_s_mem());
    out_ = api_->BIO_new(api_->BIO_s_mem());
    if (!ssl_ || !in_ || !out_) {
        if (in_) api_->BIO_free(in_);
        if (out_) api_->BIO_free(out_);
        in_ = out_ = nullptr;
        return kTlsUnavailable;
    }
    api_->SSL_set_bio(ssl_, in_, out_);
    api_->SSL_set_connect_state(ssl_);
    if (host && *host && !IsIpAddress(*api_, host))
        api_->SSL_ctrl(ssl_, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                       const_cast<char*>(host));
    for (;;) {
        int rc = api_->SSL_do_handshake(ssl_);
        if (rc == 1) break;
        if (uint32_t err = Pump(rc))
            return err == 10054 ? static_cast<uint32_t>(kTlsHandshakeFailed) : err;
    }
    if (uint32_t err = Flush()) return err;
    DescribePeer(host);
    return peer_.certificate.empty() ? static_cast<uint32_t>(kTlsCertRejected) : 0u;
}

void OpenSslSession::DescribePeer(const char* host) {
    X509* cert = api_->SSL_get1_peer_certificate(ssl_);
    if (!cert) return;
    unsigned char* der = nullptr;
    int length = api_->i2d_X509(cert, &der);
    if (length > 0) peer_.certificate.assign(der, der + length);
    api_->CRYPTO_free(der, OPENSSL_FILE, OPENSSL_LINE);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned digestLength = 0;
    if (api_->X509_digest(cert, api_->EVP_sha256(), digest, &digestLength))
        peer_.fingerprint = FingerprintText(digest, digestLength);

    peer_.outsideDates = api_->X509_cmp_current_time(api_->X509_get0_notBefore(cert)) >= 0 ||
                         api_->X509_cmp_current_time(api_->X509_get0_notAfter(cert)) <= 0;
    const char* name = host ? host : "";
    peer_.hostMatches = IsIpAddress(*api_, name)
                            ? api_->X509_check_ip_asc(cert, name, 0) == 1
                            : api_->X509_check_host(cert, name, 0, 0, nullptr) == 1;
    switch (api_->SSL_get_verify_result(ssl_)) {
        case X509_V_OK:
        case X509_V_ERR_CERT_HAS_EXPIRED:
        case X509_V_ERR_CERT_NOT_YET_VALID:
            peer_.trusted = true;
            break;
        case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
            peer_.trusted = false;
            break;
        default:
            peer_.trusted = true;
            peer_.otherFault = true;
            break;
    }
    api_->X509_free(cert);
}

uint32_t OpenSslSession::Receive(std::string& plain) {
    char chunk[kRawChunk];
    for (;;) {
        int n = api_->SSL_read(ssl_, chunk, sizeof chunk);
        if (n > 0) {
            plain.append(chunk, static_cast<size_t>(n));
            return 0;
        }
        if (uint32_t err = Pump(n)) return err;
    }
}

uint32_t OpenSslSession::Send(const void* bytes, long count) {
    const char* p = static_cast<const char*>(bytes);
    while (count > 0) {
        int n = api_->SSL_write(ssl_, p, static_cast<int>(count));
        if (n > 0) {
            p += n;
            count -= n;
            continue;
        }
        if (uint32_t err = Pump(n)) return err;
    }
    return Flush();
}

void OpenSslSession::Shutdown() {
    if (!ssl_ || !api_->SSL_is_init_finished(ssl_)) return;
    api_->SSL_shutdown(ssl_);
    Flush();
}

}  // namespace

std::unique_ptr<TlsSession> NewTlsSession(TlsTransport& transport) {
    return std::unique_ptr<TlsSession>(new OpenSslSession(transport));
}
