#pragma once
// The frame tree of a framed page: the root stands for the page, a child for
// a frame or a nested frameset. The tree belongs to its object and is kept
// in the watch list file with it; the frame builder of the check engine
// fills it from the downloaded page.
#include <cstdint>

#include "framework/AStr.h"
#include "framework/List.h"

// Where an object or frame stands in its check. Stored as a number in the
// check states file (failed or not), otherwise kept only while running.
enum CheckState : int32_t {
    kCheckFailed = -1,
    kCheckIdle = 0,
    kCheckDownloading = 1,
    kCheckComparing = 2,
    kCheckRequested = 3,  // to be checked at the next scheduler pass
};

class iwstream;
class owstream;

class HtmlFrameNode : public Tree {
  public:
    HtmlFrameNode* FirstFrame() const { return static_cast<HtmlFrameNode*>(First()); }
    HtmlFrameNode* NextFrame() const { return static_cast<HtmlFrameNode*>(Next()); }
    HtmlFrameNode* ParentFrame() const { return dynamic_cast<HtmlFrameNode*>(Owner()); }

    AStr title;       // root only: the page's title text
    AStr name;        // the frame's name attribute
    AStr source;      // the frame's src, character references decoded; empty for a frameset
    AStr sourceCopy;  // the same value again
    AStr base;        // root: the page's base (or its URL); others: empty until resolved
    AStr secondBase;  // root: the base element's href, or what the caller passed
    List attributes;  // the element's attributes (AttrDescrNode), in document order
};

// The kept record of a frame: its stored copy, its check state and result.
class _HtmlFrameNode : public HtmlFrameNode {
  public:
    _HtmlFrameNode* FirstFrame() const { return static_cast<_HtmlFrameNode*>(First()); }
    _HtmlFrameNode* NextFrame() const { return static_cast<_HtmlFrameNode*>(Next()); }
    _HtmlFrameNode* ParentFrame() const { return dynamic_cast<_HtmlFrameNode*>(Owner()); }
    // Next node of the whole tree in pre-order (root included as the start).
    _HtmlFrameNode* NextInTree(const _HtmlFrameNode* root) const {
        return static_cast<_HtmlFrameNode*>(NextPreOrder(root));
    }

    uint16_t copyNumber = 0;     // stored copy and temporary file; 0 = none
    uint8_t copyCharset = 0;     // character-set code of the stored copy
    int32_t state = kCheckIdle;  // a CheckState
    int32_t lastError = 0;       // result code of the last attempt
    int32_t detail = 0;          // HTTP status or secondary code
    AStr address;                // absolute URL of the frame (root: the page's)
    List changes;                // the frame's change records until they join a check
    int32_t mode = 0;            // the frame's check result; 3 = the frame structure changed
};

// The frame tree record: name, source, base, copy number (a stored-copy file
// name before version 4), copy character set (from version 2), child count,
// children. Reading makes every node an _HtmlFrameNode; a record nested
// deeper than kMaxTreeDepth is refused. Both return 0, or -1 on failure
// (the nodes read so far stay in the tree).
int SaveFrameTree(owstream& os, const _HtmlFrameNode& root);
int LoadFrameTree(iwstream& is, _HtmlFrameNode& root, int version);

// Deepest nesting a reader accepts (of objects, and of frames).
constexpr int kMaxTreeDepth = 256;

// The copy number of a version-3 file: the decimal number after the first
// two characters of the stored copy's name, plus 1 (0 for a shorter name).
uint16_t CopyNumberFromFileName(const char* name);
