// The program's command line split into switches, each with its arguments, and the switches the
// framework acts on itself. Platform-free: the application object stores what this produces.
#pragma once

#include <cstdint>

#include "framework/base/zrf_array.h"

class DataFileStore;

/// Characters of a command line that the framework keeps, terminator included; a longer line is
/// parsed (and stored) up to its first 1039 characters.
constexpr int32_t kCommandLineSize = 1040;
/// Characters of one switch name or one argument, terminator included. Longer tokens are cut to
/// 259 characters: the rest of the token is skipped, so it never turns into further arguments.
constexpr int32_t kSwitchTextSize = 260;

/// Name of the data file that holds the last command line (the line and its NUL).
constexpr char kCommandLineFileName[] = "(ZRF)Cmd";

/// Results of ParseCommandLine.
constexpr int32_t kParseQuit = -1;            ///< -QUIT was given
constexpr int32_t kParsePlain = 0;            ///< neither -QUIT nor -WAITFORDATAPATH
constexpr int32_t kParseWaitForDataPath = 1;  ///< -WAITFORDATAPATH was given (and -QUIT was not)

/// One argument of a switch.
struct SwitchArgument {
  char text[kSwitchTextSize];
};

/// One switch with its arguments. The arguments array is owned by the CSwitchList that holds
/// the item; it is never null for an item inside a list.
struct CommandLineItem {
  char name[kSwitchTextSize];  ///< the token with its leading "-"; empty for leading arguments
  CZrfArray<SwitchArgument>* arguments;
};

/// The switches of a command line in command-line order. Owns each item's arguments.
class CSwitchList {
 public:
  CSwitchList() = default;
  ~CSwitchList() { Clear(); }
  CSwitchList(const CSwitchList&) = delete;
  CSwitchList& operator=(const CSwitchList&) = delete;

  /// Removes every item and frees their arguments.
  void Clear();

  /// Appends an item named `name` (cut to 259 characters) without arguments. Returns its
  /// position, or -1 when memory runs out (the list is then unchanged).
  int32_t AddItem(const char* name, int32_t nameLength);

  /// Appends an argument (cut to 259 characters) to item `position`. False when memory runs out.
  [[nodiscard]] bool AddArgument(int32_t position, const char* text, int32_t textLength);

  int32_t Count() const { return items_.count; }
  /// Item `position`; requires 0 <= position < Count().
  const CommandLineItem& Item(int32_t position) const { return *items_.GetAt(position); }
  /// Number of arguments of item `position`.
  int32_t ArgumentCount(int32_t position) const { return Item(position).arguments->count; }
  /// Argument `index` of item `position`; requires both in range.
  const char* Argument(int32_t position, int32_t index) const {
    return Item(position).arguments->GetAt(index)->text;
  }

 private:
  CZrfArray<CommandLineItem> items_;
};

/// The flags that the framework's own switches set.
struct SwitchFlags {
  uint8_t autostart = 0;      ///< -AUTOSTART
  uint8_t minimised = 0;      ///< -MINIMIZE
  uint8_t taskScheduler = 0;  ///< -TASKSCHEDULER
};

/// Splits `commandLine` (null counts as empty; only its first 1039 characters are read) into
/// `switches`, replacing what the list held, and sets `flags` afresh. Spaces separate tokens; a
/// token starting with "-" starts a new item; any other token is an argument of the current item
/// (an item with an empty name when no switch came yet); an argument starting with a double quote
/// runs to the next double quote or the end, without the quotes. Known switches are compared
/// without regard to case. Returns kParseQuit, kParseWaitForDataPath or kParsePlain.
/// `complete`, when not null, is set to false when memory ran out and some token was lost.
int32_t ParseCommandLine(const char* commandLine, CSwitchList& switches, SwitchFlags& flags,
                         bool* complete = nullptr);

/// Position of the first item whose name equals `name` (with its "-") without regard to case
/// (ASCII letters only); -1 when absent or when `name` is null.
int32_t FindSwitch(const CSwitchList& switches, const char* name);

/// Stores the command line (its first 1039 characters, then a NUL) as the data file "(ZRF)Cmd" of
/// the per-user data folder. True when the file was replaced; a null line is stored as empty.
[[nodiscard]] bool SaveCommandLine(DataFileStore& store, const char* commandLine);
