// What an FTP server answers the support upload: any bytes as reply lines,
// gathered as the client receives them (into its reply buffer, and into a
// buffer of a few bytes), each line judged as a reply's end and read as a
// passive reply. Beyond not crashing: a kept line never outgrows its
// buffer, a reply number is three digits, and a passive address is read
// only from a line that holds its parenthesis.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FTP.h"

namespace {

void Tjek(bool ok, const char *hvad) {
  if (!ok) {
    std::fprintf(stderr, "ftpsvar: %s\n", hvad);
    std::abort();
  }
}

void Linje(const char *linje, int stoerrelse, int *aaben) {
  Tjek(static_cast<int>(std::strlen(linje)) < stoerrelse, "a line beyond its buffer");
  int nummer = -1;
  if (FtpSvarSlutter(linje, aaben, &nummer)) {
    Tjek(nummer >= 0 && nummer <= 999, "a reply number of more than three digits");
    *aaben = 0;
  }
  sockaddr_in a;
  if (FtpPasvTal(linje, &a)) Tjek(std::strchr(linje, '(') != nullptr, "a passive address without its parenthesis");
}

void Samle(const uint8_t *data, size_t size, int stoerrelse) {
  // Exactly the buffer's size on the heap, so a byte beyond it shows.
  std::unique_ptr<char[]> buf(new char[stoerrelse]);
  FtpLinjeSamler samler{buf.get(), stoerrelse};
  samler.Nulstil();
  int aaben = 0;
  bool noget = false;
  for (size_t i = 0; i < size; ++i) {
    noget = true;
    if (samler.Tag(static_cast<char>(data[i]))) {
      Linje(buf.get(), stoerrelse, &aaben);
      samler.Nulstil();
      noget = false;
    }
  }
  if (noget) Linje(buf.get(), stoerrelse, &aaben);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Samle(data, size, kFtpLinje);
  if (size > 0) Samle(data + 1, size - 1, 1 + data[0] % 16);
  return 0;
}
