#include "html/ParaText.h"

#include <cstring>

void ParaText::AppendPosition(TextPosition* position) {
    position->SetOffset(Length());
    positions_.Append(position);
}

void ParaText::InsertAfterPosition(TextPosition* at, const char* bytes, size_t length) {
    uint32_t offset = at->Offset();
    if (offset > Length()) offset = Length();
    text_.insert(offset, bytes, length);
    for (TextPosition* p = at->NextPos(); p; p = p->NextPos())
        p->SetOffset(p->Offset() + static_cast<uint32_t>(length));
}

void ParaText::TrimTrailingSpaces() {
    const TextPosition* last = positions_.Last();
    const size_t floor = last ? last->Offset() : 0;
    size_t n = text_.size();
    while (n > floor && text_.c_str()[n - 1] == ' ') --n;
    text_.truncate(n);
}

void ParaText::Absorb(ParaText& other, const char* separator) {
    if (separator) text_.append(separator, std::strlen(separator));
    const uint32_t shift = Length();
    text_.append(other.text_.c_str(), other.text_.size());
    while (TextPosition* p = other.positions_.First()) {
        other.positions_.Remove(p);
        p->SetOffset(p->Offset() + shift);
        positions_.Append(p);
    }
    other.text_.clear();
}

void ParaText::ClearText() {
    text_.clear();
    for (TextPosition* p = positions_.First(); p; p = p->NextPos()) p->SetOffset(0);
}

TextPosition* ParaText::FirstPosition(int kind) const {
    for (TextPosition* p = positions_.First(); p; p = p->NextPos())
        if (p->Kind() == kind) return p;
    return nullptr;
}
