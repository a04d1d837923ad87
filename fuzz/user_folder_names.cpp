// Names found in "USER" at the start-up clean-up: a file of any name beside
// the stored copy of a live object. The live copy always survives, and a
// name that is not a stale copy or temporary file is never deleted.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Files.h"
#include "watchlist/ItemList.h"
#include "watchlist/UserFiles.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

const std::string& Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/ovisto-fuzz-user-XXXXXX";
        return std::string(mkdtemp(name) ? name : "/tmp");
    }();
    return folder;
}

void Touch(const std::string& path) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
}

// "OV0*.HTM" or "OV0*.TMP" without regard to case: what the clean-up may take.
bool MayGo(const std::string& name) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    std::string u;
    for (char c : name) u += upper(c);
    return u.size() >= 7 && u.compare(0, 3, "OV0") == 0 &&
           (u.compare(u.size() - 4, 4, ".HTM") == 0 || u.compare(u.size() - 4, 4, ".TMP") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string name(reinterpret_cast<const char*>(data), size > 200 ? 200 : size);
    // Backslashes separate folders on every platform the files travel
    // between, so no name of a file in the folder holds one.
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
        return 0;
    ItemList list;
    list.SetUserFolder(Folder());
    auto* page = new ItemNode;
    page->properties.address = "http://a.example/";
    page->copyNumber = 1;
    list.Append(page);
    const std::string live = StoredCopyPath(Folder(), 1);
    const std::string other = Folder() + "/" + name;
    Touch(live);
    Touch(other);
    CleanUpUserFolder(list);
    Check(platform::FileExists(live.c_str()));
    bool kept = platform::FileExists(other.c_str());
    Check(kept || MayGo(name));
    if (other != live) std::remove(other.c_str());
    return 0;
}
