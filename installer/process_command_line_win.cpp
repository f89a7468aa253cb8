// Reading another process's command line from its process parameters; see
// process_command_line_win.h. Windows offers no documented call for this before Windows 8.1 (and
// Wine none at all), so the command line is read where the process keeps it: the parameters block
// its PEB points to, whose leading fields winternl.h publishes.
#include "installer/process_command_line_win.h"

#include <winternl.h>

#include <iterator>
#include <string>

#include "installer/wide_text_win.h"

namespace installer {
namespace {

template <typename T>
bool ReadRemote(HANDLE process, const void* address, T* value) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, address, value, sizeof *value, &read) && read == sizeof *value;
}

// A UNICODE_STRING's Length counts bytes and is at most 65534, so the text is bounded.
bool ReadRemoteText(HANDLE process, const UNICODE_STRING& remote, std::wstring* text) {
  if (remote.Length % 2 != 0 || (remote.Length != 0 && remote.Buffer == nullptr)) return false;
  std::wstring copy(remote.Length / 2, L'\0');
  SIZE_T read = 0;
  if (remote.Length != 0 && (!ReadProcessMemory(process, remote.Buffer, copy.data(), remote.Length, &read) ||
                             read != remote.Length))
    return false;
  *text = std::move(copy);
  return true;
}

bool HasOurBitness(HANDLE process) {
  BOOL ours = FALSE;
  BOOL theirs = FALSE;
  return IsWow64Process(GetCurrentProcess(), &ours) && IsWow64Process(process, &theirs) && ours == theirs;
}

}  // namespace

bool ReadProcessCommand(HANDLE process, PlantCommand* command) {
  wchar_t program[MAX_PATH * 4];
  DWORD programLength = DWORD(std::size(program));
  if (!HasOurBitness(process) || !QueryFullProcessImageNameW(process, 0, program, &programLength))
    return false;
  PROCESS_BASIC_INFORMATION basic{};
  ULONG size = 0;
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  std::wstring commandLine;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &size) < 0 ||
      basic.PebBaseAddress == nullptr || !ReadRemote(process, basic.PebBaseAddress, &peb) ||
      peb.ProcessParameters == nullptr || !ReadRemote(process, peb.ProcessParameters, &parameters) ||
      !ReadRemoteText(process, parameters.CommandLine, &commandLine))
    return false;
  command->program = Utf8FromWide(std::wstring_view(program, programLength));
  command->commandLine = Utf8FromWide(commandLine);
  return true;
}

}  // namespace installer
