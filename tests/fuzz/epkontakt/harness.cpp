// The contact program's logon output file: any bytes read as the key line
// and the role lines, twice into one record (a second logon over the
// roles of the first), every text held within its field.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "EPKONTAKT.h"

namespace {

void Tjek(const EpKontakt &k) {
  if (memchr(k.LogonNoegle, 0, sizeof k.LogonNoegle) == nullptr) abort();
  if (k.RolleAntal > 0 && (k.Roller == nullptr || k.LogonNoegle[0] == '\0')) abort();
  for (uint32_t i = 0; i < k.RolleAntal; ++i) {
    if (memchr(k.Roller[i].Noegle, 0, sizeof k.Roller[i].Noegle) == nullptr) abort();
    if (memchr(k.Roller[i].Tekst, 0, sizeof k.Roller[i].Tekst) == nullptr) abort();
    if (strncmp(k.Roller[i].Noegle, "MEDA:", 5) != 0) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<uint8_t> kopi(data, data + size);
  EpKontakt k{};
  k.ValgtRolle = -1;
  for (int gang = 0; gang < 2; ++gang) {
    FILE *fil = fmemopen(kopi.empty() ? nullptr : kopi.data(), kopi.size(), "rb");
    if (!fil) break;
    const bool ok = LaesEpLogon(fil, &k);
    fclose(fil);
    if (ok != (k.RolleAntal > 0)) abort();
    Tjek(k);
  }
  GlemEpRoller(&k);
  return 0;
}
