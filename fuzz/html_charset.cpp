// Content-Type values, character references and encoding detection over
// arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "html/CharRef.h"
#include "html/Charset.h"
#include "html/CharsetDetect.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    std::string text(bytes, size);

    AStr media, name, boundary;
    int code = -1;
    ParseContentType(text.c_str(), &media, &code, &name, &boundary);
    if (code < 0 || code >= kCharsetCodeCount) std::abort();

    std::vector<char> out(size + 1);
    size_t n = DecodeEntities(out.data(), out.size(), bytes, size);
    if (n > size || out[n] != 0) std::abort();
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != '&') continue;
        int used = -1;
        DecodeCharRef(bytes + i, size - i, &used);
        if (used < 0 || static_cast<size_t>(used) > size - i) std::abort();
    }

    CharsetGuess guess;
    guess.Feed(bytes, size / 2);
    guess.Feed(bytes + size / 2, size - size / 2);
    int result = guess.Result();
    if (result < 1 || result > 3) std::abort();

    imwstream in(data, static_cast<long>(size));
    DetectCharset(in, &code, 3);
    if (in.Tell() != 0 || code < 0 || code > 3) std::abort();

    ConvertCharset(2, &text[0], size);
    ConvertCharset(3, &text[0], size);
    return 0;
}
