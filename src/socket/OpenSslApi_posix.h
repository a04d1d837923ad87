#pragma once
// The OpenSSL functions the TLS session calls, from libssl (and the libcrypto
// it depends on) opened with the first handshake (see
// platform/SharedLibrary.h). The header macros this build used stand for
// the functions behind them: SSL_ctrl, SSL_CTX_ctrl and CRYPTO_free.
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

// clang-format off
#define OV_OPENSSL_FUNCTIONS(X) \
    X(TLS_client_method) \
    X(SSL_CTX_new) \
    X(SSL_CTX_free) \
    X(SSL_CTX_ctrl) \
    X(SSL_CTX_set_default_verify_paths) \
    X(SSL_CTX_set_verify) \
    X(SSL_new) \
    X(SSL_free) \
    X(SSL_ctrl) \
    X(SSL_set_bio) \
    X(SSL_set_connect_state) \
    X(SSL_do_handshake) \
    X(SSL_is_init_finished) \
    X(SSL_read) \
    X(SSL_write) \
    X(SSL_pending) \
    X(SSL_get_error) \
    X(SSL_shutdown) \
    X(SSL_get1_peer_certificate) \
    X(SSL_get_verify_result) \
    X(BIO_new) \
    X(BIO_free) \
    X(BIO_s_mem) \
    X(BIO_read) \
    X(BIO_write) \
    X(BIO_ctrl_pending) \
    X(ERR_clear_error) \
    X(EVP_sha256) \
    X(CRYPTO_free) \
    X(i2d_X509) \
    X(X509_free) \
    X(X509_digest) \
    X(X509_cmp_current_time) \
    X(X509_get0_notBefore) \
    X(X509_get0_notAfter) \
    X(X509_check_host) \
    X(X509_check_ip_asc) \
    X(a2i_IPADDRESS) \
    X(ASN1_OCTET_STRING_free)
// clang-format on

struct OpenSslApi {
#define OV_OPENSSL_POINTER(name) decltype(&::name) name;
    OV_OPENSSL_FUNCTIONS(OV_OPENSSL_POINTER)
#undef OV_OPENSSL_POINTER
};

// The functions, or null when the libraries cannot be loaded.
const OpenSslApi* OpenSsl();
