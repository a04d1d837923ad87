#pragma once
// The daily text logs: human-readable entries of announced changes, one file
// per object (or collecting folder) and day in the "USER" folder.
#include <cstdint>
#include <string>

#include "framework/AStr.h"
#include "platform/Clock.h"

class ItemNode;
class CheckNode;

struct TextLogSettings {
    std::string userFolder;
    uint32_t locale = 1024;  // of the interface language: 1033, 1049, 1031 or 1024
    uint32_t now = 0;        // the moment whose local date names the file
    AStr largeChangeText;    // string 32002, written for result 2
    AStr framesChangedText;  // string 32003, written for result 3
};

// "%.5s%02d%02d%02d" of the name, day, month and year - 2000, and ".TXT".
// Characters that cannot stand in a file name become "_".
std::string TextLogName(const char* objectName, const platform::LocalTime& date);

// Appends the check to the log of the object and of each collecting folder
// above it (news-tape flag), each only when its own text-log flag is set.
void AppendTextLog(const ItemNode& object, const CheckNode& check, const TextLogSettings& settings);
