// Texts of the language module by number, and the texts shown for error
// codes.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/Cp1251.h"
#include "platform/Lang.h"
#include "platform/Resources.h"

namespace {

constexpr unsigned kStringTableType = 6;  // RT_STRING
constexpr unsigned kLargestId = 0xFFFF;
constexpr size_t kErrorTextSize = 256;

// The module string numbered `id`, when `id` is a possible identifier.
AStr TextAt(long long id, size_t size) {
    if (id < 0 || id > kLargestId) return AStr();
    return LoadText(static_cast<unsigned>(id), size);
}

const char* RangePrefix(int32_t code) {
    if (code >= 2100 && code <= 2999) return "Network ";
    if (code >= 12000 && code <= 12159) return "Internet ";
    if (code >= 600 && code <= 752) return "Remote Access ";
    if (code >= 10000 && code <= 10120) return "Window Socket ";
    return "";
}

}  // namespace

namespace platform {

bool StringFromTableBlock(const void* block, size_t blockSize, unsigned index, AStr* text,
                          size_t size) {
    text->Clear();
    if (!block || index > 15 || size == 0) return false;
    const unsigned char* p = static_cast<const unsigned char*>(block);
    size_t at = 0;
    for (unsigned i = 0;; ++i) {
        if (blockSize - at < 2) return false;
        size_t units = p[at] | (p[at + 1] << 8);
        at += 2;
        if (units > (blockSize - at) / 2) return false;
        if (i < index) {
            at += units * 2;
            continue;
        }
        std::string out;
        for (size_t u = 0; u < units && out.size() < size - 1; ++u) {
            uint32_t c = p[at + 2 * u] | (p[at + 2 * u + 1] << 8);
            if (c >= 0xD800 && c <= 0xDBFF && u + 1 < units) {
                uint32_t low = p[at + 2 * u + 2] | (p[at + 2 * u + 3] << 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++u;
                }
            }
            out += static_cast<char>(cp1251::FromUnicode(c));
        }
        *text = AStr(out.data(), out.size());
        return !out.empty();
    }
}

}  // namespace platform

AStr LoadModuleText(void* module, unsigned id, size_t size) {
    AStr text;
    if (!module || id > kLargestId) return text;
    if (module == platform::BuiltInTextModule()) {
        const char* builtIn = platform::BuiltInText(id);
        if (builtIn) text = AStr(builtIn, std::min(std::strlen(builtIn), size ? size - 1 : 0));
        return text;
    }
    const void* block = nullptr;
    size_t blockSize = 0;
    if (platform::LoadModuleResource(module, platform::ResourceId(id / 16 + 1),
                                     platform::ResourceId(kStringTableType), &block, &blockSize))
        platform::StringFromTableBlock(block, blockSize, id % 16, &text, size);
    return text;
}

AStr LoadText(unsigned id, size_t size) {
    return LoadModuleText(TheLanguage().Module(), id, size);
}

AStr DisplayText(unsigned id) {
    AStr text = LoadText(id);
    return text.IsEmpty() ? AStr::Format("Lib Error #%u", id) : text;
}

AStr NumberedErrorText(int32_t code) {
    if (code == 0) return AStr("No error");
    char text[kErrorTextSize];
    std::snprintf(text, sizeof text, "%sError #%d (0x%x)", RangePrefix(code),
                  static_cast<int>(code), static_cast<unsigned>(code));
    return AStr(text);
}

AStr ErrorText(int32_t code) {
    AStr own = TextAt(static_cast<long long>(code) + 50, kErrorTextSize);
    if (!own.IsEmpty()) return own;
    char text[kErrorTextSize];
    if (platform::SystemErrorText(static_cast<uint32_t>(code), text, sizeof text))
        return AStr(text);
    return NumberedErrorText(code);
}

AStr HttpStatusText(int32_t status) {
    if (status >= 400 && status <= 417)
        return LoadText(static_cast<unsigned>(20000 + status - 400));
    if (status >= 500 && status <= 505)
        return LoadText(static_cast<unsigned>(20020 + status - 500));
    return AStr();
}

AStr CheckErrorText(int32_t code, int32_t detail, const char* serverReply) {
    AStr text = ErrorText(code);
    if (code == -1 && detail > 0) {
        AStr words = HttpStatusText(detail);
        text += AStr::Format(" (HTTP %d", static_cast<int>(detail));
        if (!words.IsEmpty()) {
            text += " ";
            text += words;
        }
        text += ")";
    }
    if (serverReply && *serverReply) {
        text += ": ";
        text += serverReply;
    }
    return text;
}

AStr ProgramErrorText(int code) {
    AStr own = TextAt(static_cast<long long>(code) + 1, 1024);
    if (!own.IsEmpty()) return own;
    return AStr::Format("Error #%d running programm", code);
}
