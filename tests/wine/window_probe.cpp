// Reads what another process's windows show, for the end-to-end tests:
//   window_probe texts TITLE   the texts of a top-level window and its children
//   window_probe rows TITLE    the rows of the window's list: selected, then the three columns
//   window_probe exists TITLE  exit status 0 when such a window is open
//   window_probe close TITLE   asks the window to close, as its close box does
// Prints tab-separated lines; exits 2 when no window has that title.
// Windows are looked for on the desktop the tests start the program on
// ("runwarden"), or on the default desktop when there is none.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

HWND FindTopLevel(const char* title) { return FindWindowA(nullptr, title); }

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  char className[64] = {};
  char text[4096] = {};
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  std::printf("%s\t%s\n", className, text);
  return TRUE;
}

BOOL CALLBACK FindList(HWND child, LPARAM found) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, WC_LISTVIEWA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// List-view messages that carry a structure need it in the list's process.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size) : process_(process) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool valid() const { return address_ != nullptr; }

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

std::string RemoteItemText(HWND list, HANDLE process, const RemoteBuffer& remote, int item,
                           int column) {
  constexpr SIZE_T kTextOffset = 256;
  constexpr int kTextSize = 1 << 20;
  LVITEMA request = {};
  request.iSubItem = column;
  request.pszText = remote.at(kTextOffset);
  request.cchTextMax = kTextSize;
  WriteProcessMemory(process, remote.at(0), &request, sizeof request, nullptr);
  const LRESULT length =
      SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(remote.at(0)));
  std::string text(static_cast<std::size_t>(length), '\0');
  if (length > 0) ReadProcessMemory(process, remote.at(kTextOffset), &text[0], length, nullptr);
  return text;
}

int PrintRows(HWND window) {
  HWND list = nullptr;
  EnumChildWindows(window, FindList, reinterpret_cast<LPARAM>(&list));
  if (list == nullptr) return 3;
  DWORD processId = 0;
  GetWindowThreadProcessId(list, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
  if (process == nullptr) return 4;
  int status = 0;
  {
    RemoteBuffer remote(process, 256 + (1 << 20) + 16);
    if (!remote.valid()) {
      status = 4;
    } else {
      const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
      for (int item = 0; item < count; ++item) {
        const bool selected = SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0;
        const UINT checkState =
            (static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) >> 12);
        std::printf("%d\t%d", selected ? 1 : 0, checkState == 2 ? 1 : 0);
        for (int column = 0; column < 3; ++column) {
          std::printf("\t%s", RemoteItemText(list, process, remote, item, column).c_str());
        }
        std::printf("\n");
      }
    }
  }
  CloseHandle(process);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_probe texts|rows|exists|close TITLE\n");
    return 1;
  }
  // Window lookups see only the calling thread's desktop.
  HDESK desktop = OpenDesktopA("runwarden", 0, FALSE, GENERIC_ALL);
  if (desktop != nullptr) SetThreadDesktop(desktop);
  const std::string command = argv[1];
  HWND window = FindTopLevel(argv[2]);
  if (window == nullptr) return 2;
  if (command == "exists") return 0;
  if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "texts") {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    std::printf("window\t%s\n", text);
    EnumChildWindows(window, PrintChild, 0);
    return 0;
  }
  if (command == "rows") return PrintRows(window);
  return 1;
}
