// A stand-in for the help viewer in the package test, registered for help files in the test's Wine
// prefix: Wine's own viewer needs the HTML engine that the test runner switches off. It takes the
// parameter the program's help opening passes ("path::/topic", quoted), reads the topic through
// itss.dll, the help-file reader that the real viewer uses, and leaves "<topic>.viewed" in the
// temporary folder holding "opened" (a page with a heading) or "missing".
#include <windows.h>

#include <objidl.h>

#include <cstdio>
#include <string>

#include "framework/base/scoped_handles_win.h"

// The storage interface of itss.dll, declared in the HTML Help Workshop's itss.h, which mingw-w64
// does not ship. Outside any anonymous namespace: a class with internal linkage and no
// implementation in sight lets GCC turn every call through it into a pure-virtual call.
const CLSID kClsidItStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidItStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The text of `topic` in the help file at `path`, or "" when the reader finds neither.
std::string ReadTopic(const std::string& path, const std::string& topic) {
  ScopedComPtr<IITStorage> reader;
  ScopedComPtr<IStorage> manual;
  ScopedComPtr<IStream> stream;
  if (CoCreateInstance(kClsidItStorage, nullptr, CLSCTX_INPROC_SERVER, kIidItStorage, reader.ReceiveVoid()) !=
          S_OK ||
      reader->StgOpenStorage(Widen(path).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0,
                             manual.Receive()) != S_OK ||
      manual->OpenStream(Widen(topic).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                         stream.Receive()) != S_OK)
    return "";
  std::string text;
  char buffer[4096];
  ULONG read = 0;
  while (stream->Read(buffer, sizeof buffer, &read) == S_OK && read > 0) text.append(buffer, read);
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 2) return 1;
  const std::string parameter = __argv[1];
  const size_t split = parameter.find("::/");
  if (split == std::string::npos) return 1;
  const std::string topic = parameter.substr(split + 3);
  bool opened = false;
  {
    ScopedComInit com;
    opened = ReadTopic(parameter.substr(0, split), topic).find("<h1>") != std::string::npos;
  }
  char folder[MAX_PATH];
  if (GetTempPathA(MAX_PATH, folder) == 0) return 1;
  std::FILE* result = std::fopen((std::string(folder) + topic + ".viewed").c_str(), "w");
  if (result == nullptr) return 1;
  std::fputs(opened ? "opened" : "missing", result);
  return std::fclose(result) == 0 ? 0 : 1;
}
