// Replay driver of the fuzz harnesses: every file under the folders named on
// the command line goes through LLVMFuzzerTestOneInput once, in name order.
// A crash is the sanitizers' report; a missing folder counts as empty.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

int main(int argc, char **argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::filesystem::path> filer;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    std::filesystem::path p(argv[i]);
    if (std::filesystem::is_regular_file(p, ec)) {
      filer.push_back(p);
      continue;
    }
    if (!std::filesystem::is_directory(p, ec)) continue;
    for (const auto &e : std::filesystem::recursive_directory_iterator(p, ec))
      if (e.is_regular_file()) filer.push_back(e.path());
  }
  std::sort(filer.begin(), filer.end());
  for (const auto &f : filer) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // An empty vector's data() may be null; harnesses get a valid pointer.
    static const uint8_t tom = 0;
    LLVMFuzzerTestOneInput(data.empty() ? &tom : data.data(), data.size());
  }
  std::printf("replayed %zu inputs\n", filer.size());
  return 0;
}
