// Typed field text of the property dialogs from arbitrary bytes: the period
// and age fields, numbers, page addresses and mailbox fields. The bytes are
// cut into fields at NUL bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "propfields/ObjectFields.h"
#include "propfields/PeriodFields.h"
#include "propfields/TypedNumbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            fields.emplace_back();
        else
            fields.back() += static_cast<char>(data[i]);
    }
    while (fields.size() < 4) fields.emplace_back();

    PeriodTexts texts{fields[0].c_str(), fields[1].c_str(), fields[2].c_str()};
    uint32_t seconds = 0;
    // What is stored shows again as the same period, as long as it shows
    // fewer than 32 days (31 days, 24 hours and 60 minutes show as 32 days).
    if (PeriodFromTexts(texts, &seconds) == kNoBadField && seconds < 32u * 86400) {
        PeriodTexts shown = PeriodToTexts(seconds);
        uint32_t again = 0;
        if (PeriodFromTexts(shown, &again) != kNoBadField || again != seconds) __builtin_trap();
    }
    int32_t age = 0;
    AgeFromTexts(texts, &age);
    int32_t n = 0;
    ReadSignedField(fields[3].c_str(), &n);
    OptionalLimitFromText(fields[3].c_str());

    TypedPageAddress(fields[0].c_str());
    MailboxFields mail = SplitMailboxFields(fields[0].c_str());
    mail.port = fields[1].c_str();
    mail.user = fields[2].c_str();
    MailboxFields back = SplitMailboxFields(JoinMailboxFields(mail).c_str());
    (void)back;
    return 0;
}
