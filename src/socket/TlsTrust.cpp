#include "socket/TlsTrust.h"

#include <cctype>
#include <cstring>

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// One "host:fingerprint" word; false when it is not of that form.
bool ParsePin(const std::string& word, TlsPin* pin) {
    size_t colon = word.find(':');
    if (colon == 0 || colon == std::string::npos) return false;
    pin->host = Lower(word.substr(0, colon));
    pin->fingerprint = PinForm(word.substr(colon + 1));
    if (pin->fingerprint.size() != 64) return false;
    for (size_t i = colon + 1; i < word.size(); ++i)
        if (word[i] != ':' && !std::isxdigit(static_cast<unsigned char>(word[i]))) return false;
    return true;
}

}  // namespace

std::string FingerprintText(const unsigned char* digest, size_t length) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        if (i) text += ':';
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 15];
    }
    return text;
}

std::string PinForm(const std::string& fingerprint) {
    std::string out;
    for (char c : fingerprint)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<TlsPin> ParseTlsPins(const char* text) {
    std::vector<TlsPin> pins;
    if (!text) return pins;
    const char* p = text;
    while (*p) {
        size_t n = strcspn(p, ";, \t\r\n");
        TlsPin pin;
        if (n && ParsePin(std::string(p, n), &pin)) pins.push_back(pin);
        p += n;
        if (*p) ++p;
    }
    return pins;
}

uint32_t JudgeCertificate(const TlsPeer& peer, const char* host, const std::vector<TlsPin>& pins) {
    const std::string name = Lower(host ? host : "");
    const std::string fingerprint = PinForm(peer.fingerprint);
    for (const TlsPin& pin : pins)
        if (pin.host == name && !fingerprint.empty() && pin.fingerprint == fingerprint) return 0;
    if (peer.outsideDates) return kTlsCertExpired;
    if (!peer.hostMatches) return kTlsCertWrongHost;
    if (!peer.trusted) return kTlsCertUnknownIssuer;
    if (peer.otherFault) return kTlsCertRejected;
    return 0;
}
