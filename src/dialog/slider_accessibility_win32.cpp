#include "dialog/slider_accessibility_win32.h"

#include <commctrl.h>
#include <oleacc.h>

#include "res/resource_ids.h"
#include "dialog/slider_accessibility.h"
#include "common/system_folder_win32.h"
#include "common/win32_text.h"
#include "i18n/string_table.h"

namespace {

// Spelled out here: the program links no COM import library, it loads ole32 on demand.
constexpr GUID kAccPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kValueProperty = {0x123fe443, 0x211a, 0x4615, {0x95, 0x27, 0xc4, 0x5a, 0x7e, 0x93, 0x71, 0x7a}};
constexpr int kSliderIds[4] = {IDC_BRIGHTNESS, IDC_RED, IDC_GREEN, IDC_BLUE};

class AccPropAnnotations final : public SliderAnnotationPort {
 public:
  void SetDialog(HWND dialog) { dialog_ = dialog; }

  bool ScreenReaderActive() override {
    BOOL active = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &active, 0) && active;
  }

  // ole32 is loaded (from the system folder) only once a screen reader runs: most users
  // never need it, and the start stays as quick as before.
  bool Ready() override {
    if (services_ != nullptr) return true;
    if (tried_) return false;
    tried_ = true;
    HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
    if (ole32 == nullptr) return false;
    using InitializeFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    using CreateFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    auto initialize = reinterpret_cast<InitializeFn>(reinterpret_cast<void*>(GetProcAddress(ole32, "CoInitializeEx")));
    auto create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(ole32, "CoCreateInstance")));
    if (initialize == nullptr || create == nullptr) return false;
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE) return false;
    void* services = nullptr;
    if (FAILED(create(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface, &services))) {
      return false;
    }
    services_ = static_cast<IAccPropServices*>(services);
    return true;
  }

  void SetName(int slider, const std::u16string& name) override { Set(slider, kNameProperty, name); }
  void SetValue(int slider, const std::u16string& value) override { Set(slider, kValueProperty, value); }

 private:
  void Set(int slider, const GUID& property, const std::u16string& text) {
    HWND window = GetDlgItem(dialog_, kSliderIds[slider]);
    if (window != nullptr) services_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, property, W(text));
  }

  HWND dialog_ = nullptr;
  IAccPropServices* services_ = nullptr;  // kept for the life of the process
  bool tried_ = false;
};

AccPropAnnotations annotations;
SliderAccessibility sliderAccessibility;

std::u16string TextOf(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

}  // namespace

void UpdateSliderAccessibility(HWND dialog, bool textsChanged) {
  int levels[4];
  for (int i = 0; i < 4; ++i) {
    levels[i] = static_cast<int>(SendDlgItemMessageW(dialog, kSliderIds[i], TBM_GETPOS, 0, 0));
  }
  annotations.SetDialog(dialog);
  sliderAccessibility.Update(annotations, levels, TextOf, textsChanged);
}

void UpdateSliderAccessibility(HWND dialog, const int (&levels)[4]) {
  annotations.SetDialog(dialog);
  sliderAccessibility.Update(annotations, levels, TextOf, false);
}
