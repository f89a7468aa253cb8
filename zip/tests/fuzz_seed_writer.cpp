// Writes the hostile corpus and a valid archive as seed files for the reader's fuzz target.
//   zip_reader_fuzz_seeds OUTPUT_FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "zip/tests/hostile_archives.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  int n = 0;
  auto write = [&](const std::string& bytes) {
    std::ofstream(folder + "/seed-" + std::to_string(n++) + ".zip", std::ios::binary) << bytes;
  };
  write(zip::test::ThreeEntryArchive());
  for (const auto& c : zip::test::HostileArchives("/tmp/outside.txt")) write(c.bytes);
  printf("%d seeds\n", n);
  return 0;
}
