// A static control that acts as a hyperlink: the control and its dialog are subclassed,
// and two window properties carry each one's previous window procedure and resources.
#include "extras/link_control_win32.h"

#include <shellapi.h>

#include <string>

#include "common/win32_text.h"
#include "extras/web_addresses.h"

namespace {

constexpr char kLinkProperty[] = "href_dat";
constexpr char kDialogProperty[] = "href_dlg";
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr double kLinkFontScale = 0.8;
constexpr size_t kClickAddressBytes = 256;

struct LinkData {
  WNDPROC previous;
  int language;  // picks the page a click opens
};

struct DialogLinkData {
  WNDPROC previous;
  HFONT font;
  HBRUSH brush;
};

// The property's block, locked while a copy of it is taken or stored.
template <typename Data>
bool ReadBlock(HANDLE block, Data* data) {
  void* p = GlobalLock(block);
  if (p == nullptr) return false;
  *data = *static_cast<Data*>(p);
  GlobalUnlock(block);
  return true;
}

template <typename Data>
HGLOBAL NewBlock(const Data& data) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(Data));
  if (block == nullptr) return nullptr;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  *static_cast<Data*>(p) = data;
  GlobalUnlock(block);
  return block;
}

template <typename Data>
void WriteBlock(HANDLE block, const Data& data) {
  void* p = GlobalLock(block);
  if (p == nullptr) return;
  *static_cast<Data*>(p) = data;
  GlobalUnlock(block);
}

void OpenClickAddress(HWND control, int language) {
  std::string address = LinkClickAddress(language);
  if (address.size() >= kClickAddressBytes) address.resize(kClickAddressBytes - 1);
  HWND parent = GetParent(control);
  ShellExecuteA(parent ? parent : control, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The link font: the painted control's font, a little smaller and underlined.
HFONT CreateLinkFont(HDC dc) {
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc, &metrics)) return nullptr;
  LOGFONTW font{};
  font.lfHeight = static_cast<LONG>(metrics.tmHeight * kLinkFontScale);
  font.lfWeight = metrics.tmWeight;
  font.lfItalic = metrics.tmItalic;
  font.lfUnderline = TRUE;
  font.lfStrikeOut = metrics.tmStruckOut;
  font.lfCharSet = metrics.tmCharSet;
  font.lfPitchAndFamily = metrics.tmPitchAndFamily;
  GetTextFaceW(dc, LF_FACESIZE, font.lfFaceName);
  return CreateFontIndirectW(&font);
}

LRESULT CALLBACK LinkProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  HANDLE block = GetPropA(control, kLinkProperty);
  LinkData data{};
  if (block == nullptr || !ReadBlock(block, &data)) return DefWindowProcW(control, message, wParam, lParam);

  switch (message) {
    case WM_DESTROY:
      RemovePropA(control, kLinkProperty);
      GlobalFree(block);
      // Hand the control back to its class, so WM_NCDESTROY still reaches it.
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(data.previous));
      break;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_NCHITTEST:
      // A static control is transparent to the mouse unless it says otherwise.
      return HTCLIENT;
    case WM_LBUTTONDOWN:
      OpenClickAddress(control, data.language);
      break;
    default:
      break;
  }
  return CallWindowProcW(data.previous, control, message, wParam, lParam);
}

LRESULT CALLBACK DialogLinkProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  HANDLE block = GetPropA(dialog, kDialogProperty);
  DialogLinkData data{};
  if (block == nullptr || !ReadBlock(block, &data)) return DefWindowProcW(dialog, message, wParam, lParam);

  if (message == WM_DESTROY) {
    RemovePropA(dialog, kDialogProperty);
    GlobalFree(block);
    if (data.brush) DeleteObject(data.brush);
    if (data.font) DeleteObject(data.font);
    // Hand the dialog back to its class, so WM_NCDESTROY still frees the dialog's own data.
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(data.previous));
  } else if (message == WM_CTLCOLORSTATIC && GetPropA(reinterpret_cast<HWND>(lParam), kLinkProperty)) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kLinkColor);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (data.font == nullptr) {
      // Not made when the link was attached: make it from the first link painted.
      data.font = CreateLinkFont(dc);
      WriteBlock(block, data);
    }
    if (data.font) SelectObject(dc, data.font);
    return reinterpret_cast<LRESULT>(data.brush);
  }
  return CallWindowProcW(data.previous, dialog, message, wParam, lParam);
}

void SubclassControl(HWND control, int language) {
  if (HANDLE block = GetPropA(control, kLinkProperty)) {
    LinkData data{};
    if (ReadBlock(block, &data)) {
      data.language = language;
      WriteBlock(block, data);
    }
    return;
  }
  LinkData data{reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)), language};
  HGLOBAL block = NewBlock(data);
  if (block == nullptr) return;
  if (!SetPropA(control, kLinkProperty, block)) {
    GlobalFree(block);
    return;
  }
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProc));
}

void SubclassDialog(HWND dialog) {
  if (GetPropA(dialog, kDialogProperty)) return;
  DialogLinkData data{reinterpret_cast<WNDPROC>(GetWindowLongPtrW(dialog, GWLP_WNDPROC)), nullptr,
                      CreateSolidBrush(GetSysColor(COLOR_BTNFACE))};
  HGLOBAL block = NewBlock(data);
  if (block == nullptr || !SetPropA(dialog, kDialogProperty, block)) {
    if (block) GlobalFree(block);
    DeleteObject(data.brush);
    return;
  }
  SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogLinkProc));
}

// The dialog's link font, made once from the first link's own font, is also handed to the
// control: a static control may select its font only after asking for its colours (Wine's
// does), which would undo the selection made in WM_CTLCOLORSTATIC.
void GiveLinkFont(HWND dialog, HWND control) {
  HANDLE block = GetPropA(dialog, kDialogProperty);
  DialogLinkData data{};
  if (block == nullptr || !ReadBlock(block, &data)) return;
  HFONT controlFont = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (data.font == nullptr) {
    HDC dc = GetDC(control);
    if (dc == nullptr) return;
    HGDIOBJ old = controlFont ? SelectObject(dc, controlFont) : nullptr;
    data.font = CreateLinkFont(dc);
    if (old) SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (data.font == nullptr) return;
    WriteBlock(block, data);
  }
  if (controlFont != data.font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(data.font), TRUE);
}

}  // namespace

void AttachLink(HWND dialog, int controlId, const char* text, int language) {
  HWND control = GetDlgItem(dialog, controlId);
  if (control == nullptr) return;
  SetWindowTextA(control, text);
  SubclassControl(control, language);
  SubclassDialog(dialog);
  GiveLinkFont(dialog, control);
}

void RescaleLinks(HWND dialog) {
  HANDLE block = GetPropA(dialog, kDialogProperty);
  DialogLinkData data{};
  if (block == nullptr || !ReadBlock(block, &data)) return;
  const HFONT previous = data.font;
  data.font = nullptr;
  WriteBlock(block, data);
  // The dialog manager has already given the dialog its font for the new DPI.
  const WPARAM dialogFont = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetPropA(child, kLinkProperty) == nullptr) continue;
    SendMessageW(child, WM_SETFONT, dialogFont, FALSE);
    GiveLinkFont(dialog, child);
  }
  if (previous != nullptr) DeleteObject(previous);
}

void OpenWebPage(WebPage page, int language, std::u16string_view productName) {
  const std::u16string address = WebPageAddress(page, language, productName);
  ShellExecuteW(nullptr, L"open", W(address), nullptr, nullptr, SW_SHOW);
}
