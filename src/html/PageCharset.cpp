#include "html/PageCharset.h"

#include <algorithm>
#include <vector>

#include "framework/Cp1251.h"
#include "html/Charset.h"
#include "html/HtmlParser.h"
#include "html/HtmlTables.h"
#include "stream/MemStream.h"

namespace {

// Reads start tags only; stops at the first meta that names a known code.
class MetaPrescan : public HtmlParser {
  public:
    MetaPrescan() : HtmlParser(RawScripts | RawStyles) {}
    int Code() const { return code_; }

  protected:
    int OnStartTag(int) override {
        charset_.Clear();
        equiv_.Clear();
        content_.Clear();
        return 0;
    }
    int OnHtmlAttribute(int tag, int attr, const char* value, size_t length, char) override {
        if (tag != kTagMeta) return 0;
        if (attr == kAttrCharset)
            charset_.Assign(value, length);
        else if (attr == kAttrHttpEquiv)
            equiv_.Assign(value, length);
        else if (attr == kAttrContent)
            content_.Assign(value, length);
        return 0;
    }
    int OnStartTagEnd(int tag) override {
        if (tag != kTagMeta) return 0;
        if (!charset_.IsEmpty())
            code_ = CharsetCode(charset_.c_str());
        else if (equiv_.CompareNoCase("Content-Type") == 0)
            ParseContentType(content_.c_str(), nullptr, &code_, nullptr, nullptr);
        return code_ ? 1 : 0;
    }
    int OnHtmlText(const char*, size_t) override { return 0; }
    int OnHtmlEndTag(int, int) override { return 0; }

  private:
    AStr charset_, equiv_, content_;
    int code_ = 0;
};

}  // namespace

int PrescanMetaCharset(const char* bytes, size_t n, size_t limit) {
    imwstream in(bytes, static_cast<long>(std::min(n, limit)));
    MetaPrescan prescan;
    prescan.Parse(in);
    return prescan.Code();
}

int ChoosePageCharset(const char* bytes, size_t n, int givenCode, size_t* skip) {
    *skip = 0;
    const unsigned char* u = reinterpret_cast<const unsigned char*>(bytes);
    if (n >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) {
        *skip = 3;
        return kCharsetUtf8;
    }
    if (n >= 2 && ((u[0] == 0xFF && u[1] == 0xFE) || (u[0] == 0xFE && u[1] == 0xFF))) {
        *skip = 2;
        return u[0] == 0xFF ? kCharsetUtf16Le : kCharsetUtf16Be;
    }
    if (givenCode) return givenCode;
    if (int declared = PrescanMetaCharset(bytes, n)) return declared;
    // Nothing declared: well-formed UTF-8 with a multi-byte sequence is
    // UTF-8 (the Cyrillic encodings almost never are); plain ASCII reads the
    // same either way and stays with the Cyrillic guess.
    return cp1251::LooksLikeUtf8(bytes, n) ? kCharsetUtf8 : kCharsetUnknown;
}

bool ReadRest(iwstream& in, std::string* page, size_t expected) {
    // Straight into the page's tail, with room for one byte more than
    // expected so that the end shows without growing.
    size_t got = page->size();
    page->resize(got + std::max<size_t>(expected + 1, 64 * 1024));
    long n;
    while ((n = in.ReadDirect(&(*page)[got], static_cast<long>(page->size() - got))) > 0) {
        got += static_cast<size_t>(n);
        if (got == page->size()) page->resize(got * 2);
    }
    page->resize(got);
    return !in.IsError();
}
