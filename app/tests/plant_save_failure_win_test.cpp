// The plant program on a drive that fills up while the plant lives, under Wine: the data folder
// lies on S:, a small drive of the test's own (a tmpfs that tools/testsupport/small_drive.sh mounts
// for this run only), which the test fills and frees as other programs would. A save that fails
// is told once, saving resumes when there is room again, and a failed save at the end is told
// before the process ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/tests/plant_program_fixture_win.h"
#include "framework/files/system_error.h"
#include "resources/resource_ids.h"

namespace plant_program_test {
namespace {

constexpr char kFiller[] = "S:\\filler";

// Takes every byte the drive has left, in ever smaller writes.
void FillDrive() {
  const ScopedHandle file(CreateFileA(kFiller, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file.IsValid());
  const std::vector<char> block(64 * 1024, 'f');
  for (DWORD size = static_cast<DWORD>(block.size()); size > 0; size /= 2) {
    DWORD written = 0;
    while (WriteFile(file.Get(), block.data(), size, &written, nullptr) && written == size) {
    }
  }
}

std::string SystemText(DWORD code) {
  char text[512];
  SystemErrorText(code, text, sizeof text);
  return text;
}

class FullDrive : public PlantProgram {
 protected:
  static void SetUpTestSuite() {
    PlantProgram::SetUpTestSuite();
    data_ = "S:\\data";
    CreateDirectoryA(data_.c_str(), nullptr);
    std::string why;
    installed_ = PutInstallRecord(install_, data_, &why);
  }
  void TearDown() override {
    DeleteFileA(kFiller);
    PlantProgram::TearDown();
  }

  // Answers the box with OK and waits until it has gone.
  bool Answer(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(box); });
  }
  void ExpectSaveFailure(HWND box) {
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_FIRST_LINE),
              "The plant file cannot be written; the previous copy is kept.");
    EXPECT_EQ(ItemText(box, IDC_MESSAGE_OTHER_LINES), SystemText(ERROR_DISK_FULL));
  }
};

TEST_F(FullDrive, AFailedSaveIsToldOnceAndSavingResumesWhenThereIsRoomAgain) {
  Program& plant = StartPlant();
  ASSERT_TRUE(WaitForSaves(2));
  FillDrive();
  HWND box = MessageBoxOf(plant);
  ExpectSaveFailure(box);
  const uint32_t kept = SavedSteps();
  ASSERT_TRUE(Answer(box));
  // A step a second, each pass failing again: none of them says so once more, and the file on
  // the drive stays the last one saved.
  EXPECT_EQ(MessageBoxOf(plant, 4000), nullptr) << "a later failure of the same run was told";
  EXPECT_EQ(SavedSteps(), kept);

  ASSERT_TRUE(DeleteFileA(kFiller));
  EXPECT_TRUE(WaitForSaves(2)) << "saving did not resume";
  EXPECT_EQ(FindProcessWindow(plant.Pid(), "#32770", kProduct), nullptr);

  // Full again: a new run of failures, told once more. Then the plant ends: its last save fails
  // too, and the user hears of that before the process ends.
  FillDrive();
  box = MessageBoxOf(plant);
  ExpectSaveFailure(box);
  ASSERT_TRUE(Answer(box));
  EXPECT_EQ(StartProgram("-QUIT").ExitCode(30000), 0);
  box = MessageBoxOf(plant);
  ExpectSaveFailure(box);
  EXPECT_EQ(plant.ExitCode(0), -1) << "the plant ended before the user was told";
  ASSERT_TRUE(Answer(box));
  EXPECT_EQ(plant.ExitCode(), 0);
}

}  // namespace
}  // namespace plant_program_test

int main(int argc, char** argv) { return plant_program_test::RunPlantProgramTests(argc, argv); }
