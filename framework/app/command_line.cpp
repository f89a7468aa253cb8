// Splitting of the command line into switches and arguments, in one left-to-right pass.
#include "framework/app/command_line.h"

#include <cstring>
#include <new>

#include "framework/files/data_file.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(const char* a, int32_t aLength, const char* b) {
  const int32_t bLength = static_cast<int32_t>(std::strlen(b));
  if (aLength != bLength) return false;
  for (int32_t i = 0; i < aLength; ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// Copies at most kSwitchTextSize - 1 characters and always terminates.
void CopyCut(char (&field)[kSwitchTextSize], const char* text, int32_t length) {
  if (length < 0) length = 0;
  if (length > kSwitchTextSize - 1) length = kSwitchTextSize - 1;
  if (length > 0) std::memcpy(field, text, static_cast<size_t>(length));
  field[length] = '\0';
}

struct Token {
  const char* start;
  int32_t length;
};

// What the framework's own switches do to the result and the flags.
struct ParseState {
  bool quit = false;
  bool waitForDataPath = false;
};

void ApplyKnownSwitch(const Token& name, ParseState& state, SwitchFlags& flags) {
  if (EqualsNoCase(name.start, name.length, "-WAITFORDATAPATH")) state.waitForDataPath = true;
  if (EqualsNoCase(name.start, name.length, "-QUIT")) state.quit = true;
  if (EqualsNoCase(name.start, name.length, "-AUTOSTART")) flags.autostart = 1;
  if (EqualsNoCase(name.start, name.length, "-MINIMIZE")) flags.minimised = 1;
  if (EqualsNoCase(name.start, name.length, "-TASKSCHEDULER")) flags.taskScheduler = 1;
}

// Requires: text[at] is not a space and at < end.
// Ensures: the token's characters lie in [at, end); returns where scanning goes on.
int32_t ReadToken(const char* text, int32_t at, int32_t end, bool quotable, Token& token) {
  if (quotable && text[at] == '"') {
    int32_t close = at + 1;
    while (close < end && text[close] != '"') ++close;
    token = {text + at + 1, close - (at + 1)};
    return close < end ? close + 1 : end;  // the closing quote is skipped
  }
  int32_t stop = at;
  while (stop < end && text[stop] != ' ') ++stop;
  token = {text + at, stop - at};
  return stop;
}

}  // namespace

void CSwitchList::Clear() {
  for (int32_t i = 0; i < items_.count; ++i) delete items_.GetAt(i)->arguments;
  items_.Clear();
}

int32_t CSwitchList::AddItem(const char* name, int32_t nameLength) {
  CommandLineItem item{};
  CopyCut(item.name, name, nameLength);
  item.arguments = new (std::nothrow) CZrfArray<SwitchArgument>();
  if (item.arguments == nullptr) return -1;
  const int32_t position = items_.Add(item);
  if (position < 0) delete item.arguments;
  return position;
}

bool CSwitchList::AddArgument(int32_t position, const char* text, int32_t textLength) {
  SwitchArgument argument{};
  CopyCut(argument.text, text, textLength);
  return items_.GetAt(position)->arguments->Add(argument) >= 0;
}

int32_t ParseCommandLine(const char* commandLine, CSwitchList& switches, SwitchFlags& flags, bool* complete) {
  switches.Clear();
  flags = SwitchFlags{};
  if (complete) *complete = true;
  if (commandLine == nullptr) return kParsePlain;

  // Only what the application object can hold is parsed, so the switches always describe the
  // stored command line.
  int32_t end = 0;
  while (end < kCommandLineSize - 1 && commandLine[end] != '\0') ++end;
  ParseState state;
  bool lost = false;
  // Position of the item that collects arguments: kNoItem before the first token, kLostItem when
  // that item could not be stored (its arguments are dropped rather than given to another item).
  constexpr int32_t kNoItem = -1;
  constexpr int32_t kLostItem = -2;
  int32_t current = kNoItem;
  int32_t at = 0;
  while (at < end) {
    if (commandLine[at] == ' ') {
      ++at;
      continue;
    }
    Token token{};
    if (commandLine[at] == '-') {
      at = ReadToken(commandLine, at, end, false, token);
      ApplyKnownSwitch(token, state, flags);
      current = switches.AddItem(token.start, token.length);
      if (current < 0) {
        current = kLostItem;
        lost = true;
      }
      continue;
    }
    at = ReadToken(commandLine, at, end, true, token);
    if (current == kNoItem) {
      current = switches.AddItem("", 0);
      if (current < 0) current = kLostItem;
    }
    if (current == kLostItem || !switches.AddArgument(current, token.start, token.length)) {
      lost = true;
    }
  }
  if (complete) *complete = !lost;
  if (state.quit) return kParseQuit;
  if (state.waitForDataPath) return kParseWaitForDataPath;
  return kParsePlain;
}

int32_t FindSwitch(const CSwitchList& switches, const char* name) {
  if (name == nullptr) return -1;
  const int32_t length = static_cast<int32_t>(std::strlen(name));
  for (int32_t i = 0; i < switches.Count(); ++i) {
    if (EqualsNoCase(name, length, switches.Item(i).name)) return i;
  }
  return -1;
}

bool SaveCommandLine(DataFileStore& store, const char* commandLine) {
  char line[kCommandLineSize] = {};
  for (int32_t i = 0; commandLine != nullptr && i < kCommandLineSize - 1 && commandLine[i] != '\0'; ++i) {
    line[i] = commandLine[i];
  }
  const uint32_t size = static_cast<uint32_t>(std::strlen(line)) + 1;
  return store.WriteDataFile(kCommandLineFileName, kNoFileNumber, line, size, kDataFolderLocation) == size;
}
