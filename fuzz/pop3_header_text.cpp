// Header values from arbitrary bytes: encoded-words and Content-Type charsets.
#include <cstddef>
#include <cstdint>
#include <string>

#include "retrieval/MailDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    bool decoded = false;
    AStr result = DecodeHeaderText(text.c_str(), &decoded);
    AStr charset;
    MailCharset(text.c_str(), &charset);
    KoiToCp1251InPlace(result);
    return 0;
}
