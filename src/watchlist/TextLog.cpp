#include "watchlist/TextLog.h"

#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "platform/LocaleDates.h"
#include "stream/FileStream.h"
#include "watchlist/ItemNode.h"

namespace {

bool FitsFileName(unsigned char c) {
    return c >= 32 && !std::strchr("\\/:*?\"<>|", c);
}

void WriteEntry(owstream& log, const ItemNode& object, const CheckNode& check,
                const TextLogSettings& settings, bool forFolder) {
    platform::LocalTime when = platform::ToLocalTime(check.time);
    log.WriteText("***** \r\n");
    log.WriteText(platform::FormatLocaleDate(settings.locale, when).c_str());
    log.WriteText(", ");
    log.WriteText(platform::FormatLocaleTime(settings.locale, when, false).c_str());
    log.WriteText("   ");
    if (forFolder)
        log.WriteText(object.properties.name.IsEmpty() ? object.title.c_str()
                                                       : object.properties.name.c_str());
    if (check.result == 2 || check.result == 3) {
        log.WriteText("  ");
        log.WriteText(check.result == 2 ? settings.largeChangeText.c_str()
                                        : settings.framesChangedText.c_str());
    }
    log.WriteNewLine();
    for (const ChangeNode* c = check.changes.First(); c; c = c->NextChange()) {
        if (c->text.IsEmpty()) continue;
        log.WriteText(c->text.c_str());
        log.WriteNewLine();
    }
}

void AppendTo(const ItemNode& writer, const ItemNode& object, const CheckNode& check,
              const TextLogSettings& settings) {
    std::string path = platform::JoinPath(
        settings.userFolder,
        TextLogName(writer.properties.name.c_str(), platform::ToLocalTime(settings.now)));
    bool exists = platform::FileExists(path.c_str());
    ofwstream log(path.c_str(),
                  exists ? platform::WriteMode::kExisting : platform::WriteMode::kCreateNew);
    if (log.IsError()) return;
    if (exists) {
        log.Seek(0, 2);
    } else {
        log.WriteText(writer.properties.address.c_str());
        log.WriteText("\n");
    }
    WriteEntry(log, object, check, settings, &writer != &object);
    log.Close();
}

}  // namespace

std::string TextLogName(const char* objectName, const platform::LocalTime& date) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "%.5s%02d%02d%02d", objectName ? objectName : "", date.day,
                  date.month, date.year - 2000);
    for (char* p = stem; *p; ++p)
        if (!FitsFileName(static_cast<unsigned char>(*p))) *p = '_';
    return std::string(stem) + ".TXT";
}

void AppendTextLog(const ItemNode& object, const CheckNode& check,
                   const TextLogSettings& settings) {
    if (object.properties.flags & kFlagTextLog) AppendTo(object, object, check, settings);
    for (const ItemNode* p = object.ParentItem(); p; p = p->ParentItem()) {
        const uint16_t flags = p->properties.flags;
        if ((flags & kFlagNewsTape) && (flags & kFlagTextLog))
            AppendTo(*p, object, check, settings);
    }
}
