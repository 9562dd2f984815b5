// Any bytes as the reply of each web call: the readers stay inside their
// buffers, end every text they fill, fill nothing when they refuse, and
// never write a record past the room they are given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "WEBKALD.h"

namespace {

template <size_t N>
void Endt(const char (&b)[N], bool maaVaereTom) {
  if (!std::memchr(b, '\0', N)) std::abort();
  if (maaVaereTom && b[0]) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string svar(reinterpret_cast<const char *>(data), size);

  char dato[20], adresse[64];
  const bool nyhed = LaesNyhedsSvar(svar, dato, sizeof dato, adresse, sizeof adresse);
  Endt(dato, !nyhed);
  Endt(adresse, !nyhed);
  if (nyhed && std::strlen(dato) != 14) std::abort();

  char easy[kJobserverNavnLaengde], db[kDatabaseLaengde], autos[kAutoserverNavnLaengde],
      bruger[kAutoBrugerLaengde], kode[kAutoKodeLaengde];
  const bool info = LaesForbindelsesSvar(svar, easy, db, autos, bruger, kode);
  Endt(easy, !info);
  Endt(db, !info);
  Endt(autos, !info);
  Endt(bruger, !info);
  Endt(kode, !info);

  // Room for two records, a guard after them.
  TidspostRec poster[3];
  std::memset(poster, 0x5a, sizeof poster);
  const TidspostRec vagt = poster[2];
  const TidspostRec foer = poster[0];
  const bool tidspost = LaesTidspostSvar(svar, poster, 2);
  if (std::memcmp(&poster[2], &vagt, sizeof vagt) != 0) std::abort();
  if (!tidspost && std::memcmp(&poster[0], &foer, sizeof foer) != 0) std::abort();
  return 0;
}
