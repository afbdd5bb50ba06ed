#include "ui/dialogs/about_dialog_win32.h"

#include <richedit.h>

#include <string>

#include "core/sys_info.h"
#include "platform/win32/file_version_win32.h"
#include "platform/win32/scoped_handles.h"
#include "res/resource.h"
#include "ui/dialogs/about_texts.h"
#include "ui/window/window_class_win32.h"

namespace rw {

namespace {

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory = path;
  const std::size_t slash = directory.find_last_of('\\');
  return slash == std::string::npos ? "" : directory.substr(0, slash);
}

std::string ReadWholeFile(const std::string& path) {
  const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) return "";
  std::string content;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
    content.append(chunk, read);
  }
  return content;
}

struct StreamSource {
  const std::string* text;
  std::size_t offset;
};

DWORD CALLBACK StreamOut(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t left = source->text->size() - source->offset;
  const std::size_t count = left < static_cast<std::size_t>(wanted) ? left : wanted;
  CopyMemory(buffer, source->text->data() + source->offset, count);
  source->offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

}  // namespace

void AboutDialog::AddReadmeBox() {
  // RichEdit 1.0 ships with Windows 95; a plain edit box stands in without it.
  static const bool haveRichEdit = LoadLibraryA("RICHED32.DLL") != nullptr;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                      ES_READONLY | ES_AUTOVSCROLL;
  const RECT place = PixelsOf(240, 1080, 7335, 3735);
  HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, haveRichEdit ? "RICHEDIT" : "EDIT", "", style,
                             place.left, place.top, place.right, place.bottom, handle(),
                             ControlId(IDC_README_TEXT), instance(), nullptr);
  SetOwnFont(box, IDC_README_TEXT, {"Courier New", 900, FW_NORMAL, false, false, FIXED_PITCH | FF_MODERN});

  // A missing or unreadable readme leaves the box empty; plain text shows as plain text.
  const std::string content = ReadWholeFile(ReadmePath(ProgramDirectory()));
  if (!haveRichEdit) {
    SetWindowTextA(box, content.c_str());
    return;
  }
  StreamSource source{&content, 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = StreamOut;
  const bool isRtf = content.compare(0, 5, "{\\rtf") == 0;
  SendMessageA(box, EM_STREAMIN, isRtf ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void AboutDialog::OnCreate() {
  SetWindowTextA(handle(), AboutCaption().c_str());
  FileVersion version;  // 0.0.0 when the program carries no version resource
  ReadModuleVersion(nullptr, &version);
  // Created in their tab order: OK, System Info, then the rest.
  AddButton(IDOK, "OK", 4920, 5145, 1260, 345, true);
  AddButton(IDC_SYSTEM_INFO, "&System Info...", 6300, 5160, 1245, 345, false);
  AddLabel(IDC_ABOUT_VERSION, 360, 600, 3735, 375, {"Times New Roman", 1200, FW_BOLD, false, false},
           RGB(0, 0, 192));
  AddReadmeBox();
  AddLabel(IDC_ABOUT_TITLE, 240, 120, 4335, 375, {"Times New Roman", 1800, FW_BOLD, true, false},
           RGB(0, 0, 192));
  // The third number, the program's revision, is the file version's build field.
  SetText(IDC_ABOUT_VERSION, VersionLabel(version.major, version.minor, version.build));
  SetText(IDC_ABOUT_TITLE, AboutTitle());
}

void AboutDialog::OnCommand(int id) {
  if (id == IDC_SYSTEM_INFO) StartSysInfo(platform_);
}

// The etched separator above the buttons: a shadow line with a highlight
// below it, grey and white in the standard scheme, in the scheme's colours
// in any other.
void AboutDialog::OnPaint(HDC dc) {
  struct Line {
    int fromX, fromY, toX, toY, width;
    COLORREF colour;
  };
  const Line lines[] = {{210, 4965, 7561, 4965, 1, GetSysColor(COLOR_BTNSHADOW)},
                        {225, 4980, 7561, 4980, 2, GetSysColor(COLOR_BTNHIGHLIGHT)}};
  for (const Line& line : lines) {
    const ScopedPen pen(CreatePen(PS_SOLID, line.width, line.colour));
    const ScopedSelectObject selected(dc, pen.get());  // put back before the pen goes
    MoveToEx(dc, twips().ToPixelsX(line.fromX), twips().ToPixelsY(line.fromY), nullptr);
    LineTo(dc, twips().ToPixelsX(line.toX), twips().ToPixelsY(line.toY));
  }
}

}  // namespace rw
