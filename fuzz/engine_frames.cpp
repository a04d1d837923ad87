// The frame tree of arbitrary pages: built, resolved and compared.
#include <cstddef>
#include <cstdint>

#include "engine/FrameTree.h"
#include "stream/MemStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool links : {false, true}) {
        _HtmlFrameNode root;
        root.address = "http://site/dir/page.html";
        imwstream in(data, static_cast<long>(size));
        FrameTreeArgs args;
        args.pageUrl = "http://site/dir/page.html";
        args.withLinks = links;
        BuildFrameTree(in, root, args);
        ResolveFrames(root, true, nullptr);
        SameFrameStructure(root, root);
    }
    return 0;
}
