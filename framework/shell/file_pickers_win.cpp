// The file and folder pickers.
#include "framework/shell/file_pickers_win.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "framework/base/scoped_handles_win.h"

namespace {

constexpr DWORD kSaveFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                             OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr DWORD kOpenFlags =
    OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(kSaveFlags == 0x0088080E && kOpenFlags == 0x0088100C);

char gPickedFile[MAX_PATH];

bool RunFileDialog(bool save, OPENFILENAMEA* dialog) {
  return (save ? GetSaveFileNameA(dialog) : GetOpenFileNameA(dialog)) != FALSE;
}

std::wstring Widen(const char* text) {
  int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(size_t(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
  wide.resize(size_t(units - 1));
  return wide;
}

// Sets the dialog's start folder; a folder that cannot be parsed is simply not set.
void SetStartFolder(IFileOpenDialog* dialog, const char* path) {
  ScopedComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.Receive()))) return;
  std::wstring widePath = Widen(path);
  ScopedCoMem<ITEMIDLIST> items;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, widePath.data(), nullptr, items.Receive(), nullptr)))
    return;
  ScopedComPtr<IShellItem> folder;
  if (FAILED(SHCreateItemFromIDList(items.Get(), IID_IShellItem, folder.ReceiveVoid()))) return;
  dialog->SetFolder(folder.Get());
}

}  // namespace

const char* PickFileName(bool save, const char* filter, int32_t filterIndex, int32_t* chosenFilter,
                         char* folder, const char* initialName) {
  gPickedFile[0] = '\0';
  if (initialName != nullptr) {
    std::strncpy(gPickedFile, initialName, sizeof gPickedFile - 1);
    gPickedFile[sizeof gPickedFile - 1] = '\0';
  }
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = DWORD(filterIndex + 1);
  dialog.lpstrFile = gPickedFile;
  dialog.nMaxFile = sizeof gPickedFile;
  dialog.lpstrInitialDir = folder;
  dialog.Flags = save ? kSaveFlags : kOpenFlags;
  if (!RunFileDialog(save, &dialog)) {
    // An initial name the dialog rejects would otherwise make the picker unusable.
    if (CommDlgExtendedError() != FNERR_INVALIDFILENAME) return nullptr;
    gPickedFile[0] = '\0';
    if (!RunFileDialog(save, &dialog)) return nullptr;
  }
  if (folder != nullptr) {
    size_t folderLength = dialog.nFileOffset < MAX_PATH ? dialog.nFileOffset : MAX_PATH - 1;
    std::memcpy(folder, gPickedFile, folderLength);
    folder[folderLength] = '\0';
  }
  if (chosenFilter != nullptr) *chosenFilter = int32_t(dialog.nFilterIndex) - 1;
  return gPickedFile;
}

int32_t PickFolder(const char* title, char* path, bool fileSystemOnly) {
  ScopedComInit com;
  ScopedComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              dialog.ReceiveVoid())))
    return kFolderNotPicked;
  std::wstring wideTitle = Widen(title != nullptr ? title : "");
  dialog->SetTitle(wideTitle.c_str());
  if (path[0] != '\0') SetStartFolder(dialog.Get(), path);
  FILEOPENDIALOGOPTIONS options = FOS_PICKFOLDERS;
  if (fileSystemOnly) options |= FOS_FORCEFILESYSTEM;
  dialog->SetOptions(options);
  if (FAILED(dialog->Show(nullptr))) return kFolderNotPicked;
  ScopedComPtr<IShellItem> result;
  if (FAILED(dialog->GetResult(result.Receive()))) return kFolderNotPicked;
  ScopedCoMem<wchar_t> chosen;
  if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, chosen.Receive()))) return kFolderNotPicked;
  // Converted aside: a folder whose ANSI form does not fit leaves the caller's path as it was.
  char converted[MAX_PATH];
  if (WideCharToMultiByte(CP_ACP, 0, chosen.Get(), -1, converted, sizeof converted, nullptr, nullptr) == 0)
    return kFolderNotPicked;
  std::strcpy(path, converted);
  return kFolderPicked;
}
