// Conversion of record files written by an older program version with another record layout.
#include "KONVERT.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "GEMNING.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "windows.h"

const KonverterEntry KonverterTab[] = {
    {"akti", KonverterAkti},
    {"", nullptr},
};

int KonverterData(const TabDesc *pTd) {
  uint32_t versionskift = GetPrivateProfileIntA("global", "versionskift", static_cast<INT>(version),
                                                StiTab.szini);
  if (static_cast<int64_t>(versionskift) < static_cast<int64_t>(version) - 2) return 0;
  for (const KonverterEntry *k = KonverterTab; k->Konverter; ++k)
    if (strcmp(k->Navn, pTd->Navn) == 0) return k->Konverter() ? 1 : 0;
  return 0;
}

bool KonverterAkti() {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType('K', &pTd, &pTv) != 0) return false;
  if (pTd->RecSize <= AKTI_GAMMEL_RECSIZE) return false;
  const uint32_t forskel = pTd->RecSize - AKTI_GAMMEL_RECSIZE;

  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT")) return false;
  FILE *f = AabnDataFil(sti, "rb");
  if (!f) return false;
  long size = DataFilStoerrelse(f);
  uint8_t hdr[DATHEADER_NY] = {};
  size_t hn = size > 0 ? fread(hdr, 1, sizeof hdr, f) : 0;
  uint32_t h = DATHEADER_GAMMEL;
  if (hn >= 15 && memcmp(hdr + 8, "RecSize", 7) == 0) {
    uint32_t gemt = 0;
    if (hn == DATHEADER_NY) memcpy(&gemt, hdr + 18, 4);
    // Any other stored size is a layout this converter does not know.
    if (gemt != AKTI_GAMMEL_RECSIZE) {
      fclose(f);
      return false;
    }
    h = DATHEADER_NY;
  }
  uint32_t filOrd = 0;
  if (hn >= 8) memcpy(&filOrd, hdr + 4, 4);
  uint64_t n64 = size > static_cast<long>(h) ? (static_cast<uint64_t>(size) - h) / AKTI_GAMMEL_RECSIZE : 0;
  if (n64 > 0x7FFFFFFFu) {
    fclose(f);
    return false;
  }
  const uint32_t n = static_cast<uint32_t>(n64);
  std::vector<uint8_t> gammel(static_cast<size_t>(n) * AKTI_GAMMEL_RECSIZE);
  bool ok = fseek(f, static_cast<long>(h), SEEK_SET) == 0 &&
            fread(gammel.data(), 1, gammel.size(), f) == gammel.size();
  fclose(f);
  if (!ok) return false;

  // The new records in a table of their own; the registry's akti table is
  // not touched, so the load that follows starts from the converted file.
  std::vector<uint8_t> nye(static_cast<size_t>(n ? n : 1) * pTd->RecSize, 0);
  for (uint32_t r = 0; r < n; ++r) {
    const uint8_t *g = gammel.data() + static_cast<size_t>(r) * AKTI_GAMMEL_RECSIZE;
    uint8_t *d = nye.data() + static_cast<size_t>(r) * pTd->RecSize;
    for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
      const FeltDef &fd = pTd->FeltTab[i];
      size_t len = static_cast<size_t>(fd.Size) * (fd.Antal ? fd.Antal : 1);
      if (fd.Offset + len > pTd->RecSize) continue;
      if (i == 1) {
        // Aktivitet itself is the field that grew.
        size_t gl = fd.Size - forskel;
        size_t t = strnlen(reinterpret_cast<const char *>(g + fd.Offset), gl);
        if (t > fd.Size - 1u) t = fd.Size - 1u;
        memcpy(d + fd.Offset, g + fd.Offset, t);
        continue;
      }
      uint32_t gOff = i == 0 ? fd.Offset : fd.Offset - forskel;
      if (gOff + len > AKTI_GAMMEL_RECSIZE) continue;
      if (fd.Type == FT_TEKST && len > 0) {
        size_t t = strnlen(reinterpret_cast<const char *>(g + gOff), len - 1);
        memcpy(d + fd.Offset, g + gOff, t);
      } else {
        memcpy(d + fd.Offset, g + gOff, len);
      }
    }
  }

  // The converted file replaces the old one whole, through the crash-safe
  // save, or not at all.
  if (n == 0) {
    // Nothing but the header: the new header alone.
    DatHeader ny_hdr{};
    ny_hdr.Version = version;
    ny_hdr.FilOrd = filOrd;
    memcpy(ny_hdr.RecSizeTekst, "RecSize", 8);
    ny_hdr.RecSize = pTd->RecSize;
    GemFil u;
    if (!(u.Aabn(sti) && u.Skriv(&ny_hdr, sizeof ny_hdr) && u.Luk())) return false;
  } else {
    std::vector<uint32_t> sort(n, 0);
    std::vector<uint8_t> flag(n / pTd->RecPrBlok + 1, 1);
    TabVar tmp{};
    tmp.pbTab = nye.data();
    tmp.pwSort = sort.data();
    tmp.wRecCnt = n;
    tmp.AllocAntal = n;
    tmp.pfSave = flag.data();
    tmp.FilOrd = filOrd;
    if (SaveTab(pTd, &tmp, sti) != 0) return false;
  }
  return true;
}
