#include "controls/utils/VclutilsMemory.h"

#include <cstdlib>
#include <cstring>

#include "gui/Exceptions.h"

namespace vclutils {

namespace {

// Each block starts with a header that keeps its size; the caller's bytes follow, aligned as
// malloc aligns.
struct alignas(std::max_align_t) BlockHeader {
  int32_t size;
};

BlockHeader* headerOf(const void* block) {
  return reinterpret_cast<BlockHeader*>(
      const_cast<char*>(static_cast<const char*>(block)) - sizeof(BlockHeader));
}

void* bytesOf(BlockHeader* header) { return reinterpret_cast<char*>(header) + sizeof(BlockHeader); }

}  // namespace

void* AllocMemo(int32_t Size) {
  if (Size < 1) return nullptr;
  auto* header = static_cast<BlockHeader*>(std::calloc(1, sizeof(BlockHeader) + size_t(Size)));
  if (!header) throw gui::EOutOfMemory();
  header->size = Size;
  return bytesOf(header);
}

void* ReallocMemo(void* Block, int32_t Size) {
  if (!Block) return AllocMemo(Size);
  if (Size < 1) {
    FreeMemo(Block);
    return nullptr;
  }
  BlockHeader* header = headerOf(Block);
  int32_t old = header->size;
  auto* grown = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + size_t(Size)));
  if (!grown) throw gui::EOutOfMemory();
  grown->size = Size;
  void* bytes = bytesOf(grown);
  if (Size > old) std::memset(static_cast<char*>(bytes) + old, 0, size_t(Size - old));
  return bytes;
}

void FreeMemo(void*& Block) {
  if (!Block) return;
  std::free(headerOf(Block));
  Block = nullptr;
}

int32_t GetMemoSize(const void* Block) { return Block ? headerOf(Block)->size : 0; }

bool CompareMem(const void* P1, const void* P2, size_t Length) {
  return Length == 0 || std::memcmp(P1, P2, Length) == 0;
}

void* HugeOffset(void* P, ptrdiff_t Offset) { return static_cast<char*>(P) + Offset; }

void HugeInc(void*& P, ptrdiff_t Offset) { P = HugeOffset(P, Offset); }

void HugeDec(void*& P, ptrdiff_t Offset) { P = HugeOffset(P, -Offset); }

void HMemCpy(void* Dest, const void* Source, size_t Length) {
  if (Length > 0) std::memmove(Dest, Source, Length);
}

void HugeMove(void* Base, ptrdiff_t DstIndex, ptrdiff_t SrcIndex, size_t Count) {
  auto* elements = static_cast<char*>(Base);
  HMemCpy(elements + DstIndex * 4, elements + SrcIndex * 4, Count * 4);
}

}  // namespace vclutils
