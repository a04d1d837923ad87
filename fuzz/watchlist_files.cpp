// The watch list and change log readers on arbitrary bytes. The input is a
// 2-byte length L, L bytes of watch list and the rest as change log. Beyond
// not crashing, whatever was read must save and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "stream/MemStream.h"
#include "watchlist/ItemList.h"

namespace {

std::string Saved(const ItemList& list, bool changeLog) {
    omwstream out;
    if (changeLog)
        list.SaveChangeLog(out);
    else
        list.Save(out);
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t split = 2 + (data[0] | (static_cast<size_t>(data[1]) << 8));
    if (split > size) split = size;

    ItemList list;
    imwstream watchList(data + 2, static_cast<long>(split - 2));
    list.Load(watchList);
    imwstream changeLog(data + split, static_cast<long>(size - split));
    list.LoadChangeLog(changeLog);
    // A rejected change log leaves the derived marks as the file gave them;
    // the second reading recomputes them, so the first must have them too.
    list.RecomputeMarks();

    std::string tree = Saved(list, false), log = Saved(list, true);
    ItemList again;
    imwstream treeIn(tree.data(), static_cast<long>(tree.size()));
    Check(again.Load(treeIn) == 0);
    imwstream logIn(log.data(), static_cast<long>(log.size()));
    Check(again.LoadChangeLog(logIn) == 0);
    Check(Saved(again, false) == tree);
    Check(Saved(again, true) == log);
    return 0;
}
