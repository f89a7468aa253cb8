// A data folder as the plant program leaves it: data files (one in a subfolder), a plant file and
// its picture, and files no configuration archive takes along.
#pragma once

#include <string>

#include "framework/files/tests/temp_tree.h"

/// Fills `folder` (relative to the tree) with a.zrd, sub/b.zrd, p.plt, p.pim, x.txt and
/// y.BrambeckConfig, holding "settings", "window", "plant", "picture" and other texts.
inline void FillSampleDataFolder(const TempTree& tree, const std::string& folder) {
  tree.File(folder + "/a.zrd", "settings");
  tree.File(folder + "/sub/b.zrd", "window");
  tree.File(folder + "/p.plt", "plant");
  tree.File(folder + "/p.pim", "picture");
  tree.File(folder + "/x.txt", "not configuration");
  tree.File(folder + "/y.BrambeckConfig", "an older archive");
}
