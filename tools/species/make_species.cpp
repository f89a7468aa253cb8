// make_species: writes the default species as a plant file.
//   make_species <output.plt>
// The output depends on nothing but the species description, so every build makes the same file.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/species/default_species.h"
#include "tools/species/species_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_species <output.plt>\n");
    return 2;
  }
  std::vector<uint8_t> file;
  std::string why;
  if (!species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) {
    std::fprintf(stderr, "make_species: %s\n", why.c_str());
    return 1;
  }
  const std::string temporary = std::string(argv[1]) + "_tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "make_species: cannot create %s\n", temporary.c_str());
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  const bool closed = std::fclose(out) == 0;
  // Windows' rename does not replace an existing file; this is a build output, so the old one goes.
  bool renamed = written && closed && std::rename(temporary.c_str(), argv[1]) == 0;
  if (written && closed && !renamed) {
    std::remove(argv[1]);
    renamed = std::rename(temporary.c_str(), argv[1]) == 0;
  }
  if (!renamed) {
    std::remove(temporary.c_str());
    std::fprintf(stderr, "make_species: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("make_species: wrote %s (%zu bytes)\n", argv[1], file.size());
  return 0;
}
