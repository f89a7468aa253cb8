// Test support: a fresh folder per test, with a base folder inside it for extraction, and checks
// that nothing appeared beside the base.
#pragma once

#include <string>
#include <vector>

namespace zip::test {

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  /// The sandbox folder + name (not below the base).
  std::string Path(const std::string& name) const;
  /// The base folder, with a trailing separator.
  std::string Base() const;
  /// True when base + relative exists.
  bool ExistsInBase(const std::string& relative) const;
  /// Everything in the sandbox that is neither the base folder nor below it.
  std::vector<std::string> EntriesOutsideBase() const;
  /// Files below the base whose names end in the extraction's temporary suffix.
  std::vector<std::string> TemporaryFilesInBase() const;

 private:
  std::string root_;
};

}  // namespace zip::test
