// Packing the data folder of the large made-up school into a support
// archive (PakMappe: one ZipAddFile per file, the archive opened and closed
// around each), against deflating the same bytes at the same level in one
// zlib stream in the same run. Prints "<figure> <value> <unit>" lines.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SKOLEDATA.h"
#include "SUPPORT.h"
#include "windows.h"

namespace {

namespace fs = std::filesystem;
using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double>(b - a).count(); }

[[noreturn]] void Stop(const char *hvad) {
  std::fprintf(stderr, "bench_support: %s\n", hvad);
  std::exit(1);
}

// Every file of the folder read and deflated as one stream; the bytes out.
size_t DeflerAlt(const fs::path &mappe, size_t *ind) {
  z_stream z{};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) Stop("deflateInit");
  std::vector<unsigned char> ud(1 << 16);
  size_t ialt = 0;
  *ind = 0;
  std::vector<fs::path> filer;
  for (const auto &e : fs::directory_iterator(mappe))
    if (e.is_regular_file()) filer.push_back(e.path());
  for (size_t i = 0; i < filer.size(); ++i) {
    std::ifstream f(filer[i], std::ios::binary);
    std::string data(fs::file_size(filer[i]), '\0');
    f.read(data.data(), static_cast<std::streamsize>(data.size()));
    *ind += data.size();
    z.next_in = reinterpret_cast<unsigned char *>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    const int flush = i + 1 == filer.size() ? Z_FINISH : Z_NO_FLUSH;
    int r;
    do {
      z.next_out = ud.data();
      z.avail_out = static_cast<uInt>(ud.size());
      r = deflate(&z, flush);
      ialt += ud.size() - z.avail_out;
    } while (z.avail_out == 0 || (flush == Z_FINISH && r != Z_STREAM_END));
  }
  deflateEnd(&z);
  return ialt;
}

}  // namespace

int main() {
  std::string skabelon = (fs::temp_directory_path() / "bench_support_XXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const fs::path rod = skabelon;
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(rod.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  const std::string mappe = rod.string() + "/";
  const std::string arkiv = (rod / "pakke.zip").string();

  double pak = 1e9, defl = 1e9;
  size_t ind = 0, zipBytes = 0, deflBytes = 0;
  for (int runde = 0; runde < 3; ++runde) {
    DeleteFileA(arkiv.c_str());
    const auto a = Klok::now();
    if (PakMappe(0, mappe.c_str(), "data\\*.*", arkiv.c_str()) != 0) Stop("PakMappe failed");
    const auto b = Klok::now();
    deflBytes = DeflerAlt(rod / "data", &ind);
    const auto c = Klok::now();
    pak = std::min(pak, Sekunder(a, b));
    defl = std::min(defl, Sekunder(b, c));
    zipBytes = fs::file_size(arkiv);
  }
  std::printf("data-folder-bytes %zu bytes\n", ind);
  std::printf("pack-data-folder %.4f s\n", pak);
  std::printf("deflate-one-stream %.4f s\n", defl);
  std::printf("archive-bytes %zu bytes\n", zipBytes);
  std::printf("deflated-bytes %zu bytes\n", deflBytes);
  std::printf("pack-vs-deflate %.2f ratio\n", pak / defl);
  fs::remove_all(rod);
  return 0;
}
