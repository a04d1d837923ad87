#pragma once
// Text handed over in a memory block by another program (a dropped object,
// a DDE command): it may lack its terminating zero or be longer than the
// block says, so it is read only within the block's size.
#include <cstddef>

#include "framework/AStr.h"

// The text up to the first zero byte, at most `size` and `limit` bytes.
AStr TextOfBlock(const void* data, size_t size, size_t limit);
