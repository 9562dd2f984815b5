// The four side files (event rows by week, the three kinds of postings by
// month): the first byte picks the file, the rest is it. What loads is
// written back, as the next save would.
#include "../fuzz_mappe.h"

namespace {

const struct {
  const char *fil;
  int (*load)();
  int (*save)();
} kFiler[] = {
    {"data/skemabeg.dat", LoadSkemabeg, SaveSkemabeg},
    {"data/timoak.dat", LoadTimoak, SaveTimoak},
    {"data/udplatim.dat", LoadUdplatim, SaveUdplatim},
    {"data/hontim.dat", LoadHontim, SaveHontim},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  if (size < 1) return 0;
  const auto &f = kFiler[data[0] % 4];
  fuzz::TomDatalager();
  fuzz::SkrivFil(f.fil, data + 1, size - 1);
  if (f.load() == 0) f.save();
  fuzz::TomDatalager();
  return 0;
}
