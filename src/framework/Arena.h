#pragma once
// Memory for the many small objects of one owner (a document's nodes, text
// positions and attributes), handed out from large blocks and given back all
// at once when the arena goes. Building a page makes tens of thousands of
// such objects; one by one from the heap they cost more than the parsing.
#include <cstddef>

class Arena {
  public:
    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena();

    // `size` bytes aligned to 8 (pointers, integers; not SIMD types);
    // throws std::bad_alloc.
    void* Allocate(size_t size);
    // Grows the newest allocation in place from `oldSize` to `newSize`
    // bytes; false (nothing changed) when `p` is not the newest or its block
    // has no room. A text that grows while nothing else is allocated from
    // the same arena never moves.
    bool Extend(void* p, size_t oldSize, size_t newSize);
    // Bytes taken from the heap for blocks.
    size_t Reserved() const { return reserved_; }
    // Marks `size` bytes at `p`, taken from an arena, as no longer in use:
    // the arena keeps them, and a sanitized build reports any later access.
    static void Abandon(void* p, size_t size);

    struct Block;

  private:
    Block* blocks_ = nullptr;  // the newest first
    char* cur_ = nullptr;
    char* end_ = nullptr;
    char* last_ = nullptr;  // the newest allocation from the current block
    size_t reserved_ = 0;
};

// Makes `objects` the arena ArenaObjects are allocated from on this thread
// until the scope ends, and `texts` the one TextBuffers made meanwhile grow
// in (null: the heap); scopes nest.
class ArenaScope {
  public:
    explicit ArenaScope(Arena* objects, Arena* texts = nullptr);
    ~ArenaScope();
    ArenaScope(const ArenaScope&) = delete;
    ArenaScope& operator=(const ArenaScope&) = delete;

    // The arenas in scope on this thread, or null.
    static Arena* Current();
    static Arena* CurrentForTexts();

  private:
    Arena* previousObjects_;
    Arena* previousTexts_;
};

// A base for classes whose objects come from the arena in scope when they
// are made, else from the heap. Deleting one gives heap memory back and
// leaves arena memory to its arena, so such objects may be deleted singly
// in either case; an arena's objects must be destroyed before the arena.
// Such objects are aligned to 8 bytes, enough for pointers and integers.
class ArenaObject {
  public:
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size) noexcept;
};
