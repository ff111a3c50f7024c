// Memory helpers of the control library: zero-filled blocks that know their size, byte
// comparison and pointer arithmetic, for the picture readers and writers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vclutils {

// A new zero-filled block of Size bytes, or nullptr for a Size below 1 (nothing is allocated).
// Raises the class library's EOutOfMemory when there is no memory.
void* AllocMemo(int32_t Size);
// The block resized to Size bytes, its first bytes kept and the new ones zero; a null block is
// allocated, a Size below 1 frees the block and gives nullptr.
void* ReallocMemo(void* Block, int32_t Size);
// Frees a block of AllocMemo and sets the pointer to null; a null pointer is left alone.
void FreeMemo(void*& Block);
// The size the block was allocated with; 0 for nullptr.
int32_t GetMemoSize(const void* Block);

// True when the first Length bytes are equal (always for a Length of 0).
bool CompareMem(const void* P1, const void* P2, size_t Length);

// Pointer arithmetic on bytes.
void* HugeOffset(void* P, ptrdiff_t Offset);
void HugeInc(void*& P, ptrdiff_t Offset);
void HugeDec(void*& P, ptrdiff_t Offset);
// Copies Length bytes; the areas may overlap.
void HMemCpy(void* Dest, const void* Source, size_t Length);
// Moves Count four-byte elements of Base from index SrcIndex to index DstIndex (may overlap).
void HugeMove(void* Base, ptrdiff_t DstIndex, ptrdiff_t SrcIndex, size_t Count);

}  // namespace vclutils
