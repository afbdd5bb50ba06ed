#include "ui/main/main_toolbar_win32.h"

#include <commctrl.h>

#include <vector>

#include "ui/window/window_class_win32.h"
#include "ui/main/main_toolbar.h"

namespace rw {

namespace {

constexpr int kSeparatorWidth = 8;

// The seven pictures side by side in one 24-bit bitmap. The transparent
// grey becomes |face|, on which the toolbar draws them.
ScopedBitmap CreatePictureStrip(COLORREF face) {
  const int width = kPictureSize * kToolbarPictureCount;
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  std::vector<BYTE> bits(static_cast<size_t>(stride) * kPictureSize);
  for (int p = 0; p < kToolbarPictureCount; ++p) {
    for (int y = 0; y < kPictureSize; ++y) {
      for (int x = 0; x < kPictureSize; ++x) {
        std::uint32_t rgb = PictureColour(kToolbarPictures[p][y][x]);
        if (rgb == kPictureBackground) rgb = faceRgb;
        // Bottom-up rows, blue-green-red bytes.
        BYTE* pixel = &bits[(kPictureSize - 1 - y) * stride + (p * kPictureSize + x) * 3];
        pixel[0] = static_cast<BYTE>(rgb);
        pixel[1] = static_cast<BYTE>(rgb >> 8);
        pixel[2] = static_cast<BYTE>(rgb >> 16);
      }
    }
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = kPictureSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const ScopedGetDC screen(nullptr);
  return ScopedBitmap(CreateDIBitmap(screen.get(), &info.bmiHeader, CBM_INIT, bits.data(), &info,
                                     DIB_RGB_COLORS));
}

}  // namespace

void MainToolbar::Create(HWND parent, HINSTANCE instance, int id, bool flat, COLORREF face) {
  instance_ = instance;
  id_ = id;
  flat_ = flat;
  toolbar_ = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | (flat ? TBSTYLE_FLAT : 0) | CCS_NORESIZE |
          CCS_NOPARENTALIGN | CCS_NODIVIDER,
      0, 0, 0, 0, parent, ControlId(id), instance, nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kPictureSize, kPictureSize));
  pictures_ = CreatePictureStrip(face);
  TBADDBITMAP strip = {nullptr, reinterpret_cast<UINT_PTR>(pictures_.get())};
  SendMessageA(toolbar_, TB_ADDBITMAP, kToolbarPictureCount, reinterpret_cast<LPARAM>(&strip));

  TBBUTTON buttons[kToolbarButtonCount] = {};
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    const ToolbarButtonSpec& definition = kToolbarButtons[i];
    TBBUTTON& button = buttons[i];
    const bool separator = definition.picture < 0;
    button.iBitmap = separator ? kSeparatorWidth : definition.picture;
    button.idCommand = definition.id;
    button.fsState = separator ? 0 : TBSTATE_ENABLED;
    button.fsStyle = separator ? TBSTYLE_SEP : TBSTYLE_BUTTON;
    button.iString = -1;
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, kToolbarButtonCount, reinterpret_cast<LPARAM>(buttons));
}

void MainToolbar::Rebuild(COLORREF face) {
  HWND old = toolbar_;
  if (old == nullptr) return;
  HWND parent = GetParent(old);
  RECT place;
  GetWindowRect(old, &place);
  POINT corner = {place.left, place.top};
  ScreenToClient(parent, &corner);
  const bool shown = (GetWindowLongA(old, GWL_STYLE) & WS_VISIBLE) != 0;
  ScopedBitmap oldPictures(pictures_.release());  // drawn from until the old toolbar is gone
  Create(parent, instance_, id_, flat_, face);
  if (toolbar_ == nullptr) {  // no new one: the old pictures are better than none
    toolbar_ = old;
    pictures_ = std::move(oldPictures);
    return;
  }
  MoveWindow(toolbar_, corner.x, corner.y, place.right - place.left, place.bottom - place.top, TRUE);
  if (!shown) ShowWindow(toolbar_, SW_HIDE);
  DestroyWindow(old);
}

bool AnswerToolbarTooltip(NMHDR* header) {
  if (header->code != TTN_NEEDTEXTA && header->code != TTN_NEEDTEXTW) return false;
  const char* tip = nullptr;
  for (const ToolbarButtonSpec& definition : kToolbarButtons) {
    if (definition.id != 0 && static_cast<UINT_PTR>(definition.id) == header->idFrom) tip = definition.tooltip;
  }
  if (tip == nullptr) return false;
  if (header->code == TTN_NEEDTEXTA) {
    reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = const_cast<char*>(tip);
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    MultiByteToWideChar(CP_ACP, 0, tip, -1, info->szText, sizeof info->szText / sizeof(WCHAR));
    info->lpszText = info->szText;
  }
  return true;
}

}  // namespace rw
