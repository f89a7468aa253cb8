// Makes a plant file grow for a number of days at the program's next start (see age_plant.h);
// --autocare keeps it watered and fed meanwhile.
//
//   age_plant_file FILE.plt DAYS [--autocare]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/ageplant/age_plant.h"

int main(int argc, char** argv) {
  const bool cared = argc == 4 && std::string(argv[3]) == "--autocare";
  if (argc != 3 && !cared) {
    std::fprintf(stderr, "usage: age_plant_file FILE.plt DAYS [--autocare]\n");
    return 2;
  }
  char* end = nullptr;
  const long days = std::strtol(argv[2], &end, 10);
  if (*end != '\0' || days < 0 || days > 36500) {
    std::fprintf(stderr, "age_plant_file: DAYS must be a whole number from 0 to 36500\n");
    return 2;
  }
  std::vector<uint8_t> bytes;
  {
    std::ifstream in(argv[1], std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string why;
  if (!age_tool::AgePlantBytes(&bytes, std::time(nullptr), int64_t{days} * 86400, cared, &why)) {
    std::fprintf(stderr, "age_plant_file: %s: %s\n", argv[1], why.c_str());
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "age_plant_file: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
