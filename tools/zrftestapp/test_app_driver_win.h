// Test support: driving the framework test program from a Wine test the way a user and other
// instances would. A fixture gives every test a folder of its own with the data folder and the
// event log, writes the program's install record, starts instances and makes sure none outlives
// its test. Every wait is on observable state and bounded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "framework/base/crc32.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_messages.h"
#include "tools/testsupport/process_window_win.h"
#include "tools/testsupport/wine_path.h"
#include "tools/zrftestapp/test_app_install_record_win.h"
#include "tools/zrftestapp/test_app_protocol.h"

namespace zrftest {

constexpr DWORD kStartWait = 30000;  // milliseconds; Wine starts a process in about one
constexpr char kControlClass[] = "ZRFPhantom";

inline uint32_t ProductCrc() { return Crc32(kProductName, -1); }

/// True as soon as `condition` holds; false when it did not within `milliseconds`.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kStartWait) {
  const ULONGLONG start = GetTickCount64();
  while (!condition()) {
    if (GetTickCount64() - start >= milliseconds) return false;
    Sleep(20);
  }
  return true;
}

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

/// Broadcasts the control message with `code` for the product with `crc`.
inline void PostControl(WPARAM code, uint32_t crc) {
  static const UINT message = RegisterWindowMessageA("ZRFMSG_ZRFCONTROL");
  PostMessageA(HWND_BROADCAST, message, code, static_cast<LPARAM>(crc));
}

/// One process of the test program.
struct App {
  ScopedHandle process;
  DWORD pid = 0;

  HWND ControlWindow() const { return FindProcessWindow(pid, kControlClass, kProductName); }
  HWND MainWindow() const { return FindProcessWindow(pid, "ZRFWindow", kWindowTitle); }
  /// A visible dialog titled `title`.
  HWND Dialog(const char* title) const {
    return FindProcessWindow(pid, "#32770", title,
                             [](HWND window) { return IsWindowVisible(window) != FALSE; });
  }
  HWND MessageBox() const { return FindProcessWindow(pid, "#32770", kProductName); }
  bool Running() const { return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }
  bool WaitUntilUp() const {
    return WaitUntil([this] { return ControlWindow() != nullptr && MainWindow() != nullptr; });
  }
  /// The exit code, or -1 when the process did not end in time.
  int64_t ExitCode(DWORD milliseconds = kStartWait) const {
    if (WaitForSingleObject(process.Get(), milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return code;
  }
};

/// "start <pid> <command line>" lines of processes other than `known`: their command lines, with
/// their ids in `pids`.
inline std::vector<std::string> NewStarts(const std::vector<std::string>& lines,
                                          const std::vector<DWORD>& known, std::vector<DWORD>* pids) {
  std::vector<std::string> starts;
  for (const std::string& line : lines) {
    unsigned long pid = 0;
    int consumed = 0;
    if (std::sscanf(line.c_str(), "start %lu %n", &pid, &consumed) != 1) continue;
    if (std::find(known.begin(), known.end(), pid) != known.end()) continue;
    starts.push_back(line.substr(static_cast<size_t>(consumed)));
    pids->push_back(pid);
  }
  return starts;
}

/// Every test gets root_ (a folder of its own), data_ (the data folder named by the install
/// record, which this writes with PutTestAppInstallRecord) and log_ (the event log that events_
/// makes an instance write).
class TestAppFixture : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::string(temp) + test->test_suite_name() + "-" + test->name();
    data_ = root_ + "\\data";
    log_ = root_ + "\\log\\events.log";
    events_ = std::string(kEventsSwitch) + " \"" + log_ + "\"";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA(data_.c_str(), nullptr);
    CreateDirectoryA((root_ + "\\log").c_str(), nullptr);
    PutTestAppInstallRecord(data_);
  }
  void TearDown() override {
    // No instance may outlive its test: the next one must start alone.
    PostControl(zrf::WM_ZRF_QUIT, ProductCrc());
    for (App& app : apps_) {
      if (app.ExitCode(10000) < 0) TerminateProcess(app.process.Get(), 99);
    }
  }

  App& Start(const std::string& arguments) {
    std::string line = "\"" + ToWinePath(VERDELO_TEST_APP) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    App& app = apps_.emplace_back();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
      ADD_FAILURE() << "cannot start " << line;
      return app;
    }
    CloseHandle(info.hThread);
    app.process = ScopedHandle(info.hProcess);
    app.pid = info.dwProcessId;
    return app;
  }
  /// An instance that logs its events; up with both windows when this returns.
  App& StartLogged(const std::string& more = "") {
    App& app = Start(events_ + more);
    EXPECT_TRUE(app.WaitUntilUp());
    return app;
  }
  /// Adopts a process this test did not start (a restart), so TearDown waits for it as well.
  App& Adopt(DWORD pid) {
    App& app = apps_.emplace_back();
    app.process = ScopedHandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    app.pid = pid;
    return app;
  }

  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  bool Logged(const std::string& line) {
    const std::vector<std::string> lines = LogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  std::string DataFile(const std::string& name) { return data_ + "\\" + name; }

  std::string root_;
  std::string data_;
  std::string log_;
  std::string events_;    ///< the switch that makes an instance log to log_
  std::deque<App> apps_;  ///< a deque, so the tests' references stay valid as instances start
};

}  // namespace zrftest
