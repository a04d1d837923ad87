// The options dialog's typed fields, from arbitrary text (one field a line,
// the rest the trusted certificates). Beyond not crashing: what OK stores
// is in range, and opening the dialog again on it and taking OK stores the
// same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "watchlist/OptionsForm.h"

namespace {

AStr NextLine(const std::string& text, size_t& at) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    AStr line(text.c_str() + at, end - at);
    at = end < text.size() ? end + 1 : end;
    return line;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string::npos) return 0;  // controls hold no zero
    size_t at = 0;
    OptionsFields f = FieldsFromOptions(Options(), {{"enu", "English"}});
    f.limitOn = size % 2 == 1;
    f.limit = NextLine(text, at);
    f.threads = NextLine(text, at);
    f.maxNews = NextLine(text, at);
    f.pageKilobytes = NextLine(text, at);
    f.checkSeconds = NextLine(text, at);
    f.trustedCerts = AStr(text.c_str() + at);
    AStr stored;
    if (!TrustedCertsFromLines(f.trustedCerts, &stored)) f.trustedCerts.Clear();

    Options once;
    OptionsFromFields(f, once);
    Check(once.outputLimit == 0 || once.outputLimit >= kLeastOutputLimit);
    Check(once.maxThreads >= kLeastThreads && once.maxNews >= 0);
    Check(once.checkSeconds <= kMostCheckSeconds);
    Check(once.maxPageBytes <= uint64_t{kMostPageKilobytes} * 1024);

    Options twice;
    OptionsFromFields(FieldsFromOptions(once, {{"enu", "English"}}), twice);
    Check(twice.outputLimit == once.outputLimit && twice.maxThreads == once.maxThreads);
    Check(twice.maxNews == once.maxNews && twice.checkSeconds == once.checkSeconds);
    Check(twice.maxPageBytes == once.maxPageBytes && twice.trustedCerts == once.trustedCerts);
    return 0;
}
