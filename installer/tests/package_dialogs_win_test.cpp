// The package's own dialogs under Wine's msiexec with the full user interface, driven as a user
// would click them: an installation, an upgrade and a removal each show their welcome, progress and
// closing pages (their pictures are left in VERDELO_SCREENSHOT_DIR), and the list of installed
// programs shows the product's icon and help link; a quiet run shows none of the pages. A cancelled,
// failed or refused setup closes on the page that says what happened, and no more.
#include <gtest/gtest.h>
#include <windows.h>

#include <msi.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/base/scoped_handles_win.h"
#include "installer/install_record_builder.h"
#include "installer/tests/package_support_win.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

using namespace package_test;

constexpr char kDialogTitle[] = "Verdelo Setup";

// The visible control of `dialog` of `className` whose text holds `text` (any, when null), or null.
HWND VisibleChild(HWND dialog, const char* className, const char* text) {
  for (HWND child = FindWindowExA(dialog, nullptr, className, nullptr); child != nullptr;
       child = FindWindowExA(dialog, child, className, nullptr)) {
    char shown[512] = "";
    GetWindowTextA(child, shown, sizeof shown);
    if (IsWindowVisible(child) && (text == nullptr || std::strstr(shown, text) != nullptr)) return child;
  }
  return nullptr;
}

// One msiexec run with the full user interface, started and not waited for.
class FullUiRun {
 public:
  FullUiRun(const char* action, const std::string& package, const char* log)
      : process_(StartProcess("msiexec.exe " + std::string(action) + " \"" + ToWinePath(package) +
                              "\" /l*v " + log)) {}

  // Waits (bounded) for the page whose visible child of `className` holds `text`: a page of the
  // package or a message of Windows Installer, which has a title of its own.
  HWND WaitForPage(const char* className, const char* text) const {
    for (int i = 0; i < 3000 && process_.IsValid(); ++i) {
      HWND dialog = nullptr;
      while ((dialog = FindWindowExA(nullptr, dialog, nullptr, nullptr)) != nullptr)
        if (IsWindowVisible(dialog) && VisibleChild(dialog, className, text) != nullptr) return dialog;
      if (WaitForSingleObject(process_.Get(), 10) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }

  // Clicks the page's button `text` as the mouse would.
  static void Click(HWND page, const char* text) {
    const HWND button = VisibleChild(page, "Button", text);
    ASSERT_NE(button, nullptr) << text;
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
  }

  // msiexec's exit code once it has ended (bounded), or -1.
  int Wait() const {
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process_.Get(), 120000) == WAIT_OBJECT_0)
      GetExitCodeProcess(process_.Get(), &code);
    return int(code);
  }

 private:
  ScopedHandle process_;
};

// The picture of a page once it has painted its background (the screen is black below it), taken
// at once: the progress page may be gone a second later.
void Picture(HWND page, const std::string& name) {
  RECT frame{};
  GetWindowRect(page, &frame);
  const HDC screen = GetDC(nullptr);
  for (int i = 0; i < 250 && IsWindow(page) && GetPixel(screen, frame.left + 12, frame.bottom - 12) == 0; ++i)
    Sleep(20);
  ReleaseDC(nullptr, screen);
  Sleep(100);  // the controls paint after the background
  EXPECT_TRUE(SaveWindowPicture(page, ToWinePath(std::string(VERDELO_SCREENSHOT_DIR) + "/" + name))) << name;
}

// Goes through one run's pages: the welcome (holding `welcomeText`) clicked on `goButton`, the
// progress page (holding `progressText`), the closing page (holding `closingText`); each page's
// picture is left as "<name>_welcome.bmp" and so on. The run's exit code.
int ClickThrough(FullUiRun& setup, const std::string& name, const char* welcomeText, const char* goButton,
                 const char* progressText, const char* closingText) {
  const HWND welcome = setup.WaitForPage("Static", welcomeText);
  EXPECT_NE(welcome, nullptr) << name << ": no welcome page holding " << welcomeText;
  if (welcome == nullptr) return -1;
  EXPECT_NE(VisibleChild(welcome, "Static", (InstallFolder() + "\\").c_str()), nullptr)
      << name << ": the welcome does not show the install folder";
  Picture(welcome, name + "_welcome.bmp");
  FullUiRun::Click(welcome, goButton);
  // The progress page shows while the files go in, a second or two.
  const HWND progress = setup.WaitForPage("msctls_progress32", nullptr);
  EXPECT_NE(progress, nullptr) << name << ": no progress page";
  if (progress != nullptr) {
    EXPECT_NE(VisibleChild(progress, "Static", progressText), nullptr) << name << ": " << progressText;
    Picture(progress, name + "_progress.bmp");
  }
  const HWND closing = setup.WaitForPage("Static", closingText);
  EXPECT_NE(closing, nullptr) << name << ": no closing page holding " << closingText;
  if (closing == nullptr) return -1;
  Picture(closing, name + "_closing.bmp");
  FullUiRun::Click(closing, "&Finish");
  return setup.Wait();
}

// What the list of installed programs reads of the installed product: its property `name`.
std::string ProductInfo(const char* name) {
  const std::vector<std::string> products = InstalledProducts();
  char value[MAX_PATH] = "";
  DWORD size = sizeof value;
  if (products.size() != 1 || MsiGetProductInfoA(products[0].c_str(), name, value, &size) != ERROR_SUCCESS)
    return "";
  return value;
}

// Whether any page of the package shows while `command` runs.
bool ShowsAPage(const std::string& command) {
  const ScopedHandle process = StartProcess(command);
  bool shown = !process.IsValid();
  while (process.IsValid() && WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT)
    shown = shown || FindWindowA(nullptr, kDialogTitle) != nullptr;
  return shown;
}

TEST(PackageDialogs, InstallUpgradeAndRemovalShowTheirPagesAndQuietRunsNone) {
  ASSERT_FALSE(gPackage.empty()) << "usage: package_win_tests PACKAGE.msi VIEWER.exe";
  {
    FullUiRun setup("/i", gPackage, "dialogs_install.log");
    EXPECT_EQ(ClickThrough(setup, "setup_install", "Install Verdelo " VERDELO_TEST_VERSION, "&Install",
                           "Installing Verdelo", "Verdelo is installed"),
              0);
  }
  EXPECT_EQ(InstalledVersions(), std::vector<std::string>{VERDELO_TEST_VERSION});
  const std::string icon = ProductInfo(INSTALLPROPERTY_PRODUCTICON);
  EXPECT_TRUE(!icon.empty() && Exists(icon))
      << "no product icon for the list of installed programs: " << icon;
  EXPECT_EQ(ProductInfo(INSTALLPROPERTY_HELPLINK), installer::kWebAddress);

  const std::string newer = SiblingPackage("-newer.msi");
  {
    FullUiRun setup("/i", newer, "dialogs_upgrade.log");
    EXPECT_EQ(ClickThrough(setup, "setup_upgrade", "Upgrade to Verdelo " VERDELO_TEST_NEWER_VERSION,
                           "&Install", "Installing Verdelo", "running again"),
              0);
  }
  EXPECT_EQ(InstalledVersions(), std::vector<std::string>{VERDELO_TEST_NEWER_VERSION});

  {
    FullUiRun setup("/x", newer, "dialogs_remove.log");
    EXPECT_EQ(ClickThrough(setup, "setup_remove", "Remove Verdelo", "&Remove", "Removing Verdelo",
                           "Verdelo is removed"),
              0);
  }
  EXPECT_TRUE(InstalledVersions().empty());

  const std::string quoted = "\"" + ToWinePath(gPackage) + "\"";
  EXPECT_FALSE(ShowsAPage("msiexec.exe /i " + quoted + " /qn /l*v dialogs_quiet.log"));
  EXPECT_EQ(InstalledVersions(), std::vector<std::string>{VERDELO_TEST_VERSION});
  EXPECT_FALSE(ShowsAPage("msiexec.exe /x " + quoted + " /qb /l*v dialogs_basic.log"));
  EXPECT_TRUE(InstalledVersions().empty());
}

// The closing pages speak of changes undone and plants started again only once the setup has
// begun: a setup cancelled on its welcome page says it was cancelled, one that fails once its files
// are in shows the whole failure page, and an older package over the installed version shows its
// refusal, the one page, with no failure page after it.
TEST(PackageDialogs, ClosingPagesSpeakOfUndoneChangesOnlyOnceTheSetupHasBegun) {
  ASSERT_FALSE(gPackage.empty()) << "usage: package_win_tests PACKAGE.msi VIEWER.exe";
  {
    FullUiRun setup("/i", gPackage, "dialogs_cancel.log");
    const HWND welcome = setup.WaitForPage("Button", "&Install");
    ASSERT_NE(welcome, nullptr) << "no welcome page";
    FullUiRun::Click(welcome, "Cancel");
    const HWND question = setup.WaitForPage("Button", "&Yes");
    ASSERT_NE(question, nullptr) << "no question whether to cancel";
    FullUiRun::Click(question, "&Yes");
    const HWND cancelled = setup.WaitForPage("Static", "Verdelo setup was cancelled");
    ASSERT_NE(cancelled, nullptr) << "no page saying the setup was cancelled";
    EXPECT_EQ(VisibleChild(cancelled, "Static", "undone"), nullptr) << "nothing was begun";
    FullUiRun::Click(cancelled, "&Finish");
    EXPECT_EQ(setup.Wait(), int(ERROR_INSTALL_USEREXIT));
  }
  {
    FullUiRun setup("/i", SiblingPackage("-failing.msi"), "dialogs_failure.log");
    const HWND welcome = setup.WaitForPage("Button", "&Install");
    ASSERT_NE(welcome, nullptr) << "no welcome page";
    FullUiRun::Click(welcome, "&Install");
    const HWND failure = setup.WaitForPage("Static", "Verdelo setup failed");
    ASSERT_NE(failure, nullptr) << "no failure page";
    Picture(failure, "setup_failure.bmp");
    const HWND note = VisibleChild(failure, "Static", "An error ended the setup before it was done.");
    char shown[512] = "";
    GetWindowTextA(note, shown, sizeof shown);
    EXPECT_STREQ(shown,
                 "An error ended the setup before it was done. The changes it had begun were undone, "
                 "and the plants it had ended start again.");
    FullUiRun::Click(failure, "&Finish");
    EXPECT_FALSE(Succeeded(setup.Wait()));
  }
  EXPECT_TRUE(InstalledVersions().empty());

  ASSERT_TRUE(Succeeded(Msiexec("/i", gPackage, "dialogs_refused_over.log")));
  {
    FullUiRun setup("/i", SiblingPackage("-older.msi"), "dialogs_refusal.log");
    const HWND refusal = setup.WaitForPage("Static", "A newer version of Verdelo is already installed");
    ASSERT_NE(refusal, nullptr) << "no refusal";
    Picture(refusal, "setup_refusal.bmp");
    FullUiRun::Click(refusal, "OK");
    const HWND failure = setup.WaitForPage("Static", "Verdelo setup failed");
    EXPECT_EQ(failure, nullptr) << "a failure page follows the refusal";
    if (failure != nullptr) FullUiRun::Click(failure, "&Finish");
    EXPECT_EQ(setup.Wait(), int(ERROR_INSTALL_FAILURE));
  }
  EXPECT_EQ(InstalledVersions(), std::vector<std::string>{VERDELO_TEST_VERSION});
}

}  // namespace
