// malloc and its kin over the process heap, for the C++ library and the
// unwinder.
#include <windows.h>

#include <cstddef>

extern "C" {

void* malloc(std::size_t size) {
  return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
}

void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

void* calloc(std::size_t count, std::size_t size) {
  if (size != 0 && count > static_cast<std::size_t>(-1) / size) return nullptr;
  const std::size_t total = count * size;
  return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, total != 0 ? total : 1);
}

void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return malloc(size);
  if (size == 0) {
    free(block);
    return nullptr;
  }
  // On failure the old block stays valid, as realloc promises.
  return HeapReAlloc(GetProcessHeap(), 0, block, size);
}

}  // extern "C"
