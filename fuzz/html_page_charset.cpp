// The choice of a page's encoding, the conversions into UTF-8, references
// read as browsers read them and case-folded text, over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/CaseFold.h"
#include "framework/Utf8.h"
#include "html/Charset.h"
#include "html/HtmlDocument.h"
#include "html/PageCharset.h"
#include "html/RefDecode.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);

    size_t skip = 99;
    const int code = ChoosePageCharset(bytes, size, 0, &skip);
    if (code < 0 || code >= kCharsetCodeCount || skip > 3 || skip > size) std::abort();

    // Every conversion gives well-formed UTF-8 (UTF-8 itself is copied).
    for (int c = 0; c < kCharsetCodeCount; ++c) {
        std::string out;
        const bool converted = CharsetToUtf8(c, bytes, size, &out);
        if (converted && !CarriedAsUtf8(c)) std::abort();
        if (converted && c != kCharsetUtf8 && !utf8::IsValid(out.data(), out.size())) std::abort();
    }

    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != '&') continue;
        char out[8];
        int used = -1;
        const size_t n = DecodeReferenceUtf8(bytes + i, size - i, (i & 1) != 0, out, &used);
        if (used < 0 || static_cast<size_t>(used) > size - i || n > 8 || (n == 0) != (used == 0))
            std::abort();
        if (!utf8::IsValid(out, n)) std::abort();
    }
    AStr decoded = DecodeAttributeValue(bytes, size, true);
    AStr decoded1251 = DecodeAttributeValue(bytes, size, false);
    if (decoded1251.Length() > size) std::abort();

    std::vector<uint32_t> folded, offsets;
    casefold::FoldedText(bytes, size, &folded, &offsets);
    for (size_t i = 0; i < offsets.size(); ++i)
        if (offsets[i] >= size || (i && offsets[i] <= offsets[i - 1])) std::abort();

    // The whole road of a page: chosen, converted and built.
    HtmlDocument doc;
    imwstream in(data, static_cast<long>(size));
    BuildDocument(doc, in, "http://host/", 0, 1);
    return 0;
}
