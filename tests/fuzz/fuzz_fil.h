// A folder of the harness's own in TMPDIR, made once per process and
// removed when it ends, and an input written as one of its files.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzz {

struct TempMappe {
  std::filesystem::path rod;
  TempMappe() {
    std::string skabelon = (std::filesystem::temp_directory_path() / "tavofuzzXXXXXX").string();
    if (!mkdtemp(skabelon.data())) abort();
    rod = skabelon;
  }
  ~TempMappe() {
    std::error_code ec;
    std::filesystem::remove_all(rod, ec);
  }
  // The input as the file rel of the folder; its Linux path.
  std::string Skriv(const char *rel, const uint8_t *data, size_t size) const {
    const std::filesystem::path p = rod / rel;
    std::ofstream o(p, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    return p.string();
  }
};

}  // namespace fuzz
