// Header values from arbitrary bytes: encoded-words, raw header text in
// each charset and Content-Type charsets.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pop3/MailDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    bool decoded = false;
    AStr result = DecodeHeaderText(text.c_str(), &decoded);
    AStr charset;
    MailCharset(text.c_str(), &charset);
    KoiToCp1251InPlace(result);
    for (const char* name : {"", "koi8-r", "utf-8", "iso-8859-2", "windows-1251", "x-unknown"}) {
        AStr raw(text.c_str());
        DecodeRawHeader(raw, AStr(name));
    }
    return 0;
}
