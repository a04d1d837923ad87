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

    // `size` bytes aligned for any object; throws std::bad_alloc.
    void* Allocate(size_t size);
    // Bytes taken from the heap for blocks.
    size_t Reserved() const { return reserved_; }

private:
    struct Block;
    Block* blocks_ = nullptr;  // the newest first
    char* cur_ = nullptr;
    char* end_ = nullptr;
    size_t reserved_ = 0;
};

// Makes `arena` the one ArenaObjects are allocated from on this thread until
// the scope ends (null: the heap); scopes nest.
class ArenaScope {
public:
    explicit ArenaScope(Arena* arena);
    ~ArenaScope();
    ArenaScope(const ArenaScope&) = delete;
    ArenaScope& operator=(const ArenaScope&) = delete;

private:
    Arena* previous_;
};

// A base for classes whose objects come from the arena in scope when they
// are made, else from the heap. Deleting one gives heap memory back and
// leaves arena memory to its arena, so such objects may be deleted singly
// in either case; an arena's objects must be destroyed before the arena.
class ArenaObject {
public:
    static void* operator new(size_t size);
    static void operator delete(void* p) noexcept;
};
