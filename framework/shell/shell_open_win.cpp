// Opening documents through the running desktop shell.
#include "framework/shell/shell_open_win.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "framework/base/scoped_handles_win.h"

namespace {

// Up to `limit` characters of `text` as UTF-16; null gives an empty text.
std::wstring Widen(const char* text, int limit) {
  if (text == nullptr) return std::wstring();
  std::wstring wide(size_t(limit) + 1, L'\0');
  int units = MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), limit + 1);
  wide.resize(units > 0 ? size_t(units - 1) : 0);
  return wide;
}

class ScopedVariant {
 public:
  explicit ScopedVariant(const std::wstring& text) {
    VariantInit(&value_);
    value_.vt = VT_BSTR;
    value_.bstrVal = SysAllocString(text.c_str());
  }
  explicit ScopedVariant(int number) {
    VariantInit(&value_);
    value_.vt = VT_I4;
    value_.lVal = number;
  }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&value_); }
  const VARIANT& Get() const { return value_; }

 private:
  VARIANT value_;
};

// The desktop shell's IShellDispatch2, reached through its desktop window's view.
HRESULT DesktopShellDispatch(IShellDispatch2** dispatch) {
  ScopedComPtr<IShellWindows> windows;
  HRESULT result = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                    windows.ReceiveVoid());
  if (FAILED(result)) return result;
  VARIANT empty;
  VariantInit(&empty);
  long desktopWindow = 0;
  ScopedComPtr<IDispatch> desktopDispatch;
  result = windows->FindWindowSW(&empty, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                                 desktopDispatch.Receive());
  if (result != S_OK) return FAILED(result) ? result : E_FAIL;
  ScopedComPtr<IShellBrowser> browser;
  result = IUnknown_QueryService(desktopDispatch.Get(), SID_STopLevelBrowser, IID_IShellBrowser,
                                 browser.ReceiveVoid());
  if (FAILED(result)) return result;
  ScopedComPtr<IShellView> view;
  result = browser->QueryActiveShellView(view.Receive());
  if (FAILED(result)) return result;
  ScopedComPtr<IDispatch> background;
  result = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid());
  if (FAILED(result)) return result;
  ScopedComPtr<IShellFolderViewDual> folderView;
  result = background->QueryInterface(IID_IShellFolderViewDual, folderView.ReceiveVoid());
  if (FAILED(result)) return result;
  ScopedComPtr<IDispatch> application;
  result = folderView->get_Application(application.Receive());
  if (FAILED(result)) return result;
  return application->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(dispatch));
}

}  // namespace

HRESULT ShellOpen(const char* file, const char* parameters, const char* folder, const char* verb,
                  int showCommand) {
  if (file == nullptr || *file == '\0') return E_INVALIDARG;
  ScopedComInit com;
  ScopedComPtr<IShellDispatch2> dispatch;
  HRESULT result = DesktopShellDispatch(dispatch.Receive());
  if (SUCCEEDED(result)) {
    BSTR wideFile = SysAllocString(Widen(file, MAX_PATH).c_str());
    ScopedVariant wideParameters(Widen(parameters, 2 * MAX_PATH));
    ScopedVariant wideFolder(Widen(folder, MAX_PATH));
    ScopedVariant wideVerb(Widen(verb, MAX_PATH));
    ScopedVariant show(showCommand);
    result = wideFile == nullptr ? E_OUTOFMEMORY
                                 : dispatch->ShellExecute(wideFile, wideParameters.Get(), wideFolder.Get(),
                                                          wideVerb.Get(), show.Get());
    SysFreeString(wideFile);
    if (SUCCEEDED(result)) return S_OK;
  }
  HINSTANCE started = ShellExecuteA(nullptr, verb, file, parameters, folder, showCommand);
  // ShellExecuteA reports success as a value above 32.
  if (reinterpret_cast<INT_PTR>(started) > 32) return S_OK;
  return FAILED(result) ? result : E_FAIL;
}
