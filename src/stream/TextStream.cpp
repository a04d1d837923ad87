#include "stream/TextStream.h"

long otwstream::WriteUnsigned(uint32_t value, int radix) {
    if (radix < 2 || radix > 36) radix = 10;
    char digits[40];
    int n = 0;
    do {
        unsigned d = value % static_cast<uint32_t>(radix);
        digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        value /= static_cast<uint32_t>(radix);
    } while (value);
    char text[41];
    for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
    return WriteText(text, n);
}

long otwstream::WriteNumber(int32_t value, int radix) {
    if (radix == 10 && value < 0) {
        if (WriteText("-", 1) < 0) return -1;
        long n = WriteUnsigned(0u - static_cast<uint32_t>(value), 10);
        return n < 0 ? -1 : n + 1;
    }
    return WriteUnsigned(static_cast<uint32_t>(value), radix);
}

bool otfwstream::Close() {
    bool ok = Flush() && !IsError();
    file_.Close();
    if (!ok) SetState(kFail);
    return ok;
}
