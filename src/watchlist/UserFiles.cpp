#include "watchlist/UserFiles.h"

#include <cstdio>
#include <set>
#include <vector>

#include "framework/AStr.h"
#include "platform/Files.h"
#include "stream/DirFileIterator.h"
#include "stream/FileUtils.h"
#include "watchlist/ItemList.h"

namespace {

std::string Stem(uint16_t copyNumber) {
    char name[16];
    std::snprintf(name, sizeof name, "OV%06d", static_cast<int>(copyNumber) - 1);
    return name;
}

uint16_t NumberOf(const ItemNode& object, const _HtmlFrameNode* frame) {
    return frame ? frame->copyNumber : object.copyNumber;
}

AStr Upper(const std::string& s) {
    AStr u(s.c_str());
    u.MakeUpper();
    return u;
}

// Calls fn for every file of the folder that matches the pattern (listed
// whole first, so that fn may delete).
template <class Fn>
void ForEachFile(const std::string& folder, const char* pattern, Fn fn) {
    std::string search = platform::JoinPath(folder, pattern);
    std::vector<std::string> names;
    for (DirFileIterator it(search.c_str()); it.IsValid(); it.Next())
        if (!it.IsDirectory()) names.push_back(it.Name());
    for (const std::string& name : names) fn(name);
}

}  // namespace

std::string StoredCopyName(uint16_t copyNumber) {
    return Stem(copyNumber) + ".HTM";
}

std::string StoredCopyPath(const std::string& userFolder, uint16_t copyNumber) {
    return platform::JoinPath(userFolder, StoredCopyName(copyNumber));
}

std::string TempFilePath(const std::string& userFolder, uint16_t copyNumber) {
    return platform::JoinPath(userFolder, Stem(copyNumber) + ".TMP");
}

std::string StoredCopyPath(const ItemList& list, const ItemNode& object,
                           const _HtmlFrameNode* frame) {
    return StoredCopyPath(list.UserFolder(), NumberOf(object, frame));
}

std::string TempFilePath(const ItemList& list, const ItemNode& object,
                         const _HtmlFrameNode* frame) {
    return TempFilePath(list.UserFolder(), NumberOf(object, frame));
}

void StoreCopy(const ItemList& list, ItemNode& object, _HtmlFrameNode* frame, const char* tempPath,
               uint8_t charset) {
    if (frame)
        frame->copyCharset = charset;
    else
        object.copyCharset = charset;
    // Renamed over the old copy: a failed move keeps the old copy whole.
    std::string stored = StoredCopyPath(list, object, frame);
    RenameFile(tempPath, stored.c_str(), true);
}

void DeleteObjectFiles(const ItemList& list, const ItemNode& object) {
    if (object.IsFolder()) return;
    auto deletePair = [&](uint16_t n) {
        if (!n) return;
        EraseFile(StoredCopyPath(list.UserFolder(), n).c_str());
        EraseFile(TempFilePath(list.UserFolder(), n).c_str());
    };
    deletePair(object.copyNumber);
    for (const _HtmlFrameNode* f = object.frames.get(); f; f = f->NextInTree(object.frames.get()))
        deletePair(f->copyNumber);
}

void CleanUpUserFolder(const ItemList& list) {
    std::set<std::string> live;
    const ItemNode* root = &list;
    for (const ItemNode* o = root->NextInTree(root); o; o = o->NextInTree(root)) {
        if (o->IsFolder() || o->copyNumber == 0) continue;
        live.insert(StoredCopyName(o->copyNumber));
        for (const _HtmlFrameNode* f = o->frames.get(); f; f = f->NextInTree(o->frames.get()))
            if (f->copyNumber) live.insert(StoredCopyName(f->copyNumber));
    }
    const std::string& folder = list.UserFolder();
    ForEachFile(folder, "OV0*.HTM", [&](const std::string& name) {
        if (!live.count(Upper(name).c_str())) EraseFile(platform::JoinPath(folder, name).c_str());
    });
    ForEachFile(folder, "OV0*.TMP", [&](const std::string& name) {
        EraseFile(platform::JoinPath(folder, name).c_str());
    });
}
