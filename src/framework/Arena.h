#pragma once
// Memory for the many small objects of one owner (a document's nodes, text
// positions and attributes), handed out from large blocks and given back all
// at once when the arena goes. Building a page makes tens of thousands of
// such objects; one by one from the heap they cost more than the parsing.
#include <cstddef>
#include <memory>

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

    // The arena in scope on this thread, or null.
    static Arena* Current();

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

// The allocator for containers inside ArenaObjects (a paragraph's text): it
// takes from the arena in scope when the container is made, else from the
// heap, and gives only heap memory back.
template <class T>
class ArenaAllocator {
public:
    using value_type = T;

    ArenaAllocator() noexcept : arena_(ArenaScope::Current()) {}
    template <class U>
    ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(other.arena_) {}

    T* allocate(size_t n) {
        if (!arena_) return std::allocator<T>().allocate(n);
        return static_cast<T*>(arena_->Allocate(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept {
        if (!arena_) std::allocator<T>().deallocate(p, n);
    }

    template <class U>
    bool operator==(const ArenaAllocator<U>& other) const noexcept {
        return arena_ == other.arena_;
    }
    template <class U>
    bool operator!=(const ArenaAllocator<U>& other) const noexcept {
        return arena_ != other.arena_;
    }

private:
    template <class U>
    friend class ArenaAllocator;
    Arena* arena_;
};
