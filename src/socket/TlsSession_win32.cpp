// The TLS session of the Windows build: Schannel through SSPI, so that the
// program needs no library of its own. The raw bytes go through the
// transport; the server's certificate is validated by hand (the system's
// chain engine and SSL policy), so that every fault gets its own code.
#define SECURITY_WIN32
#include <windows.h>
#include <wincrypt.h>
#include <security.h>
#include <schannel.h>

#include <cstring>

#include "platform/Socket.h"
#include "socket/TlsTrust.h"

namespace {

constexpr long kRawChunk = 16 * 1024;
constexpr DWORD kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                ISC_REQ_MANUAL_CRED_VALIDATION;
// Policy checks to leave out (wininet's SECURITY_FLAG_... values).
constexpr DWORD kIgnoreUnknownCa = 0x00000100;
constexpr DWORD kIgnoreWrongUsage = 0x00000200;
constexpr DWORD kIgnoreNameInvalid = 0x00001000;
constexpr DWORD kIgnoreDateInvalid = 0x00002000;
// CALG_SHA_256, which the headers hide below Windows XP SP3 (where
// hashing with it fails and the fingerprint stays empty).
constexpr ALG_ID kSha256 = 0x0000800C;

std::wstring Wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, &w[0], n);
    w.resize(wcslen(w.c_str()));
    return w;
}

// The SSL policy's verdict on a chain for host with some checks left out.
DWORD PolicyError(PCCERT_CHAIN_CONTEXT chain, const std::wstring& host, DWORD ignored) {
    HTTPSPolicyCallbackData https;
    memset(&https, 0, sizeof https);
    https.cbStruct = sizeof https;
    https.dwAuthType = AUTHTYPE_SERVER;
    https.fdwChecks = ignored;
    https.pwszServerName = const_cast<wchar_t*>(host.c_str());
    CERT_CHAIN_POLICY_PARA para;
    memset(&para, 0, sizeof para);
    para.cbSize = sizeof para;
    para.pvExtraPolicyPara = &https;
    CERT_CHAIN_POLICY_STATUS status;
    memset(&status, 0, sizeof status);
    status.cbSize = sizeof status;
    if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &para, &status))
        return static_cast<DWORD>(CERT_E_CHAINING);
    return status.dwError;
}

// An IPv4 host is compared with the certificate's IP address entries.
bool NamesAddress(PCCERT_CONTEXT cert, uint32_t address) {
    PCERT_EXTENSION ext = CertFindExtension(szOID_SUBJECT_ALT_NAME2, cert->pCertInfo->cExtension,
                                            cert->pCertInfo->rgExtension);
    if (!ext) return false;
    CERT_ALT_NAME_INFO* names = nullptr;
    DWORD size = 0;
    if (!CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, ext->Value.pbData,
                             ext->Value.cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &names, &size))
        return false;
    bool found = false;
    for (DWORD i = 0; i < names->cAltEntry && !found; ++i) {
        const CERT_ALT_NAME_ENTRY& e = names->rgAltEntry[i];
        found = e.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS && e.IPAddress.cbData == 4 &&
                memcmp(e.IPAddress.pbData, &address, 4) == 0;
    }
    LocalFree(names);
    return found;
}

std::string Sha256Fingerprint(PCCERT_CONTEXT cert) {
    BYTE hash[32];
    DWORD length = sizeof hash;
    if (!CryptHashCertificate(0, kSha256, 0, cert->pbCertEncoded, cert->cbCertEncoded, hash,
                              &length))
        return std::string();
    return FingerprintText(hash, length);
}

class SchannelSession : public TlsSession {
  public:
    explicit SchannelSession(TlsTransport& transport) : transport_(transport) {
        SecInvalidateHandle(&credentials_);
        SecInvalidateHandle(&context_);
    }
    ~SchannelSession() override {
        if (SecIsValidHandle(&context_)) DeleteSecurityContext(&context_);
        if (SecIsValidHandle(&credentials_)) FreeCredentialsHandle(&credentials_);
    }

    uint32_t Handshake(const char* host) override;
    const TlsPeer& Peer() const override { return peer_; }
    uint32_t Receive(std::string& plain) override;
    bool HasBuffered() const override { return !incoming_.empty(); }
    uint32_t Send(const void* bytes, long count) override;
    void Shutdown() override;

  private:
    // Feeds the server's handshake records to the context until it is
    // complete; 0 or an error code.
    uint32_t Negotiate();
    uint32_t ReceiveMore();
    // Sends and frees a token the package made.
    uint32_t SendToken(SecBuffer& token);
    void DescribePeer();

    TlsTransport& transport_;
    CredHandle credentials_;
    CtxtHandle context_;
    std::string host_;
    std::string incoming_;  // raw bytes received and not yet used
    SecPkgContext_StreamSizes sizes_{};
    TlsPeer peer_;
};

// The end of the connection in the middle of a handshake is a failed handshake.
uint32_t HandshakeError(uint32_t err) {
    return err == platform::kWsaConnectionReset ? static_cast<uint32_t>(kTlsHandshakeFailed) : err;
}

uint32_t SchannelSession::ReceiveMore() {
    char chunk[kRawChunk];
    long received = 0;
    if (uint32_t err = transport_.ReceiveRaw(chunk, sizeof chunk, &received)) return err;
    incoming_.append(chunk, static_cast<size_t>(received));
    return 0;
}

uint32_t SchannelSession::SendToken(SecBuffer& token) {
    uint32_t err = 0;
    if (token.pvBuffer && token.cbBuffer)
        err = transport_.SendRaw(token.pvBuffer, static_cast<long>(token.cbBuffer));
    if (token.pvBuffer) FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    token.cbBuffer = 0;
    return err;
}

uint32_t SchannelSession::Handshake(const char* host) {
    host_ = host ? host : "";
    SCHANNEL_CRED cred;
    memset(&cred, 0, sizeof cred);
    cred.dwVersion = SCHANNEL_CRED_VERSION;
    cred.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp expiry;
    if (AcquireCredentialsHandleA(nullptr, const_cast<char*>(UNISP_NAME_A), SECPKG_CRED_OUTBOUND,
                                  nullptr, &cred, nullptr, nullptr, &credentials_,
                                  &expiry) != SEC_E_OK) {
        SecInvalidateHandle(&credentials_);
        return kTlsUnavailable;
    }
    SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
    DWORD flags = 0;
    SECURITY_STATUS status = InitializeSecurityContextA(
        &credentials_, nullptr, const_cast<char*>(host_.c_str()), kContextFlags, 0, 0, nullptr, 0,
        &context_, &outDesc, &flags, &expiry);
    if (status != SEC_I_CONTINUE_NEEDED) {
        if (out.pvBuffer) FreeContextBuffer(out.pvBuffer);
        return kTlsHandshakeFailed;
    }
    if (uint32_t err = SendToken(out)) return err;
    if (uint32_t err = Negotiate()) return err;
    if (QueryContextAttributesA(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK)
        return kTlsHandshakeFailed;
    DescribePeer();
    return peer_.certificate.empty() ? static_cast<uint32_t>(kTlsCertRejected) : 0u;
}

uint32_t SchannelSession::Negotiate() {
    for (;;) {
        if (incoming_.empty())
            if (uint32_t err = ReceiveMore()) return HandshakeError(err);
        SecBuffer in[2] = {
            {static_cast<unsigned long>(incoming_.size()), SECBUFFER_TOKEN, &incoming_[0]},
            {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc = {SECBUFFER_VERSION, 2, in};
        SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
        DWORD flags = 0;
        TimeStamp expiry;
        SECURITY_STATUS status = InitializeSecurityContextA(
            &credentials_, &context_, const_cast<char*>(host_.c_str()), kContextFlags, 0, 0,
            &inDesc, 0, nullptr, &outDesc, &flags, &expiry);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            if (out.pvBuffer) FreeContextBuffer(out.pvBuffer);
            if (uint32_t err = ReceiveMore()) return HandshakeError(err);
            continue;
        }
        uint32_t sent = SendToken(out);  // also the alert of a failure
        if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0 &&
            in[1].cbBuffer <= incoming_.size())
            incoming_.erase(0, incoming_.size() - in[1].cbBuffer);
        else
            incoming_.clear();
        if (status == SEC_E_OK) return sent;
        if (status != SEC_I_CONTINUE_NEEDED) return kTlsHandshakeFailed;
        if (sent) return sent;
    }
}

void SchannelSession::DescribePeer() {
    PCCERT_CONTEXT cert = nullptr;
    if (QueryContextAttributesA(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &cert) != SEC_E_OK ||
        !cert)
        return;
    peer_.certificate.assign(cert->pbCertEncoded, cert->pbCertEncoded + cert->cbCertEncoded);
    peer_.fingerprint = Sha256Fingerprint(cert);
    peer_.outsideDates = CertVerifyTimeValidity(nullptr, cert->pCertInfo) != 0;

    CERT_CHAIN_PARA chainPara;
    memset(&chainPara, 0, sizeof chainPara);
    chainPara.cbSize = sizeof chainPara;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (CertGetCertificateChain(nullptr, cert, nullptr, cert->hCertStore, &chainPara, 0, nullptr,
                                &chain) &&
        chain) {
        const std::wstring host = Wide(host_.c_str());
        const uint32_t address = platform::ParseDottedAddress(host_.c_str());
        if (address != platform::kNoAddress)
            peer_.hostMatches = NamesAddress(cert, address);
        else
            peer_.hostMatches =
                PolicyError(chain, host,
                            kIgnoreUnknownCa | kIgnoreDateInvalid | kIgnoreWrongUsage) !=
                static_cast<DWORD>(CERT_E_CN_NO_MATCH);
        DWORD trust = PolicyError(chain, host, kIgnoreDateInvalid | kIgnoreNameInvalid);
        peer_.trusted = trust != static_cast<DWORD>(CERT_E_UNTRUSTEDROOT) &&
                        trust != static_cast<DWORD>(CERT_E_CHAINING);
        peer_.otherFault = peer_.trusted && trust != 0;
        CertFreeCertificateChain(chain);
    }
    CertFreeCertificateContext(cert);
}

uint32_t SchannelSession::Receive(std::string& plain) {
    const size_t before = plain.size();
    for (;;) {
        if (!incoming_.empty()) {
            SecBuffer buffers[4] = {
                {static_cast<unsigned long>(incoming_.size()), SECBUFFER_DATA, &incoming_[0]},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr},
                {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
            SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
            if (status == SEC_E_OK || status == SEC_I_RENEGOTIATE) {
                std::string extra;
                for (SecBuffer& b : buffers) {
                    if (b.BufferType == SECBUFFER_DATA && b.cbBuffer)
                        plain.append(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
                    if (b.BufferType == SECBUFFER_EXTRA && b.cbBuffer)
                        extra.assign(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
                }
                incoming_.swap(extra);
                // Records after the handshake (new tickets of TLS 1.3) go
                // back to the context.
                if (status == SEC_I_RENEGOTIATE)
                    if (uint32_t err = Negotiate()) return err;
                if (plain.size() > before) return 0;
                continue;
            }
            if (status == SEC_I_CONTEXT_EXPIRED) return platform::kWsaConnectionReset;
            if (status != SEC_E_INCOMPLETE_MESSAGE) return kTlsHandshakeFailed;
        }
        if (uint32_t err = ReceiveMore()) return err;
    }
}

uint32_t SchannelSession::Send(const void* bytes, long count) {
    const char* p = static_cast<const char*>(bytes);
    std::vector<char> record;
    while (count > 0) {
        unsigned long n = static_cast<unsigned long>(count);
        if (n > sizes_.cbMaximumMessage) n = sizes_.cbMaximumMessage;
        record.assign(sizes_.cbHeader + n + sizes_.cbTrailer, 0);
        memcpy(record.data() + sizes_.cbHeader, p, n);
        SecBuffer buffers[4] = {
            {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
            {n, SECBUFFER_DATA, record.data() + sizes_.cbHeader},
            {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + n},
            {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
        if (EncryptMessage(&context_, 0, &desc, 0) != SEC_E_OK) return kTlsHandshakeFailed;
        long total =
            static_cast<long>(buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer);
        if (uint32_t err = transport_.SendRaw(record.data(), total)) return err;
        p += n;
        count -= static_cast<long>(n);
    }
    return 0;
}

void SchannelSession::Shutdown() {
    if (!SecIsValidHandle(&context_)) return;
    DWORD type = SCHANNEL_SHUTDOWN;
    SecBuffer token = {sizeof type, SECBUFFER_TOKEN, &type};
    SecBufferDesc tokenDesc = {SECBUFFER_VERSION, 1, &token};
    if (ApplyControlToken(&context_, &tokenDesc) != SEC_E_OK) return;
    SecBuffer out = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, &out};
    DWORD flags = 0;
    TimeStamp expiry;
    SECURITY_STATUS status = InitializeSecurityContextA(
        &credentials_, &context_, const_cast<char*>(host_.c_str()), kContextFlags, 0, 0, nullptr, 0,
        nullptr, &outDesc, &flags, &expiry);
    if (status == SEC_E_OK || status == SEC_I_CONTEXT_EXPIRED)
        SendToken(out);
    else if (out.pvBuffer)
        FreeContextBuffer(out.pvBuffer);
}

}  // namespace

std::unique_ptr<TlsSession> NewTlsSession(TlsTransport& transport) {
    return std::unique_ptr<TlsSession>(new SchannelSession(transport));
}
