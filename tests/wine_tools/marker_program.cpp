// A program that leaves "<its own path>.ran" behind, so a test can tell which
// file was started.
#include <windows.h>

int main() {
  char path[MAX_PATH + 8] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  lstrcatA(path, ".ran");
  HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(marker);
  return 0;
}
