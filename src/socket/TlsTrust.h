#pragma once
// Which server certificates the mailbox check accepts: the system's trust
// store with the host name, or a certificate the user accepted explicitly
// for one host by its SHA-256 fingerprint.
#include <cstdint>
#include <string>
#include <vector>

#include "socket/TlsSession.h"

// One explicitly accepted certificate.
struct TlsPin {
    std::string host;         // lower-cased
    std::string fingerprint;  // 64 upper-case hex digits, no separators
};

// Reads "host:fingerprint" pairs separated by ";", "," or white space; the
// fingerprint's hex digits may be of either case and split by ":". Pairs
// that are not of that form are skipped.
std::vector<TlsPin> ParseTlsPins(const char* text);
// A digest as the sessions report fingerprints: upper-case hex pairs
// joined by ":".
std::string FingerprintText(const unsigned char* digest, size_t length);
// The fingerprint in the form the pins keep: hex digits only, upper case.
std::string PinForm(const std::string& fingerprint);

// 0 when the certificate is acceptable for host, else the code of what is
// wrong with it, first the dates, then the name, then the issuer. A pinned
// certificate of the host is accepted as it is.
uint32_t JudgeCertificate(const TlsPeer& peer, const char* host, const std::vector<TlsPin>& pins);
