// Writes the seed files of the growth fuzz target: the default species and the species whose
// curves go negative, drop to zero or reach the ends of the double range, so that the fuzzer
// starts from plants that make extreme values, including ages of exactly -1.0.
//   plant_growth_fuzz_seeds <folder>
#include <cstdio>
#include <string>
#include <vector>

#include "plant/tests/curve_extremes_species.h"
#include "tools/species/default_species.h"

namespace {

bool Write(const std::string& path, const species::Species& description) {
  std::vector<uint8_t> file;
  std::string why;
  if (!species::BuildPlantFile(description, &file, &why)) {
    std::fprintf(stderr, "plant_growth_fuzz_seeds: %s: %s\n", path.c_str(), why.c_str());
    return false;
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "plant_growth_fuzz_seeds: cannot create %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: plant_growth_fuzz_seeds <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = Write(folder + "/default.plt", species::DefaultSpecies());
  for (const plant::test::NamedSpecies& s : plant::test::CurveExtremesSpecies()) {
    ok = Write(folder + "/" + s.name + ".plt", s.description) && ok;
  }
  return ok ? 0 : 1;
}
