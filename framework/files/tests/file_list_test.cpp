// The recursive file list over a real folder tree: which folders and files it finds, in which
// order, with several patterns, letter case, links, and the results for missing roots and patterns.
#include "framework/files/file_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/files/tests/temp_tree.h"

namespace {

std::vector<std::string> Texts(const CZrfArray<FileListPath>& list) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < list.count; ++i) texts.push_back(list.GetAt(i)->text);
  return texts;
}

class FileListTest : public testing::Test {
 protected:
  FileListTest() : tree_("verdelo-file-list") {
    for (const char* name : {"a.zrd", "B.plt", "notes.txt", ".hidden.zrd", "readonly.zrd", "sub.zrd/c.zrd",
                             "d1/d2/d3/d4/d5/deep.zrd"}) {
      tree_.File(name);
    }
    tree_.MakeHidden(".hidden.zrd");
    tree_.MakeReadOnly("readonly.zrd");
    tree_.Folder("empty");
  }
  TempTree tree_;
};

TEST_F(FileListTest, FoldersDepthFirstThenFilesPerFolderAndPattern) {
  CFileList list(tree_.Root().c_str(), "*.%s;*%s", "zrd", ".plt");
  EXPECT_EQ(
      Texts(list.folders),
      (std::vector<std::string>{tree_.Root(), tree_.Path("d1"), tree_.Path("d1/d2"), tree_.Path("d1/d2/d3"),
                                tree_.Path("d1/d2/d3/d4"), tree_.Path("d1/d2/d3/d4/d5"), tree_.Path("empty"),
                                tree_.Path("sub.zrd")}));
  // A folder whose name matches is no file; hidden and read-only files are files like others.
  EXPECT_EQ(Texts(list.files),
            (std::vector<std::string>{tree_.Path(".hidden.zrd"), tree_.Path("a.zrd"),
                                      tree_.Path("readonly.zrd"), tree_.Path("B.plt"),
                                      tree_.Path("d1/d2/d3/d4/d5/deep.zrd"), tree_.Path("sub.zrd/c.zrd")}));
  EXPECT_EQ(list.Scan(), 6);
}

TEST_F(FileListTest, EachPathOnceWhateverThePatternsAndLetterCase) {
  // On Windows "A.ZRD" opens "a.zrd"; elsewhere it is a second file, the same path for the list.
  tree_.File("A.ZRD");
  CFileList list;
  // "a.zrd" matches two patterns; the empty piece between two separators finds nothing.
  EXPECT_EQ(list.Rescan(tree_.Root().c_str(), "a.*;;*.zrd;"), 5);
  EXPECT_EQ(list.Rescan(tree_.Path("d1").c_str(), "*.*"), 1);
  EXPECT_EQ(list.folders.count, 5);
}

TEST_F(FileListTest, EmptyRootOrPatternsLeaveTheListsAsTheyWere) {
  CFileList list(tree_.Root().c_str(), "*.plt");
  EXPECT_EQ(list.Rescan("", "*.*"), -1);
  EXPECT_EQ(list.Rescan(tree_.Root().c_str(), ""), 0);
  EXPECT_EQ(list.files.count, 1);
  EXPECT_EQ(list.folders.count, 8);
  EXPECT_EQ(list.Rescan(tree_.Path("missing").c_str(), "*.*"), 0);
  EXPECT_EQ(Texts(list.folders), std::vector<std::string>{tree_.Path("missing")});
}

TEST_F(FileListTest, LinksAreNeitherListedNorEntered) {
  std::error_code failed;
  std::filesystem::create_directory_symlink(tree_.Root(), tree_.Path("d1/loop"), failed);
  if (failed) GTEST_SKIP() << "no folder links here: " << failed.message();
  CFileList list(tree_.Root().c_str(), "*.zrd");
  EXPECT_EQ(list.folders.count, 8);
  EXPECT_EQ(list.files.count, 5);
}

}  // namespace
