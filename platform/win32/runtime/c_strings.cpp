// The few memory and string functions the C++ library and the unwinder
// call. Built without the compiler's builtins, so that these loops are not
// turned back into calls to themselves.
#include <cstddef>

extern "C" {

void* memcpy(void* destination, const void* source, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  while (count-- > 0) *to++ = *from++;
  return destination;
}

void* memmove(void* destination, const void* source, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    while (count-- > 0) *to++ = *from++;
  } else if (to > from) {
    while (count-- > 0) to[count] = from[count];
  }
  return destination;
}

void* memset(void* destination, int value, std::size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  while (count-- > 0) *to++ = static_cast<unsigned char>(value);
  return destination;
}

int memcmp(const void* first, const void* second, std::size_t count) {
  const auto* a = static_cast<const unsigned char*>(first);
  const auto* b = static_cast<const unsigned char*>(second);
  // Equal words passed over a word at a time: sort keys of like names share
  // long beginnings. The bytes of the first unequal word decide.
  for (; count >= sizeof(std::size_t); count -= sizeof(std::size_t), a += sizeof(std::size_t), b += sizeof(std::size_t)) {
    std::size_t wordA, wordB;
    __builtin_memcpy(&wordA, a, sizeof wordA);
    __builtin_memcpy(&wordB, b, sizeof wordB);
    if (wordA != wordB) break;
  }
  for (; count > 0; --count, ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
  }
  return 0;
}

void* memchr(const void* block, int value, std::size_t count) {
  const auto* at = static_cast<const unsigned char*>(block);
  for (; count > 0; --count, ++at) {
    if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
  }
  return nullptr;
}

std::size_t strlen(const char* text) {
  const char* end = text;
  while (*end != '\0') ++end;
  return static_cast<std::size_t>(end - text);
}

int strncmp(const char* first, const char* second, std::size_t count) {
  for (; count > 0; --count, ++first, ++second) {
    const auto a = static_cast<unsigned char>(*first);
    const auto b = static_cast<unsigned char>(*second);
    if (a != b) return a < b ? -1 : 1;
    if (a == '\0') return 0;
  }
  return 0;
}

int strcmp(const char* first, const char* second) {
  return strncmp(first, second, static_cast<std::size_t>(-1));
}

}  // extern "C"
