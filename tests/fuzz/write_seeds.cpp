// Writes the load fuzzer's seed inputs, made from the registry fixtures,
// into the folder given as the only argument.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "load_scenario.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const auto seeds = varnox::fuzz::SeedInputs();
  for (std::size_t i = 0; i < seeds.size(); ++i) {
    std::ofstream file(folder / ("seed-" + std::to_string(i)), std::ios::binary);
    file.write(reinterpret_cast<const char*>(seeds[i].data()), static_cast<std::streamsize>(seeds[i].size()));
  }
  std::printf("%zu seeds\n", seeds.size());
  return 0;
}
