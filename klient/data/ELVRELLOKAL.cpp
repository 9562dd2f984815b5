// The local student-overlap relations, kept in ini/ElvRelLokal.dat across server imports.
#include "ELVRELLOKAL.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "FINDREC.h"
#include "GEMNING.h"
#include "IMPORT.h"
#include "KATALOG.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "tavo/assert.h"
#include "windows.h"

namespace {

constexpr uint8_t LOKAL_STATUS = 20;
constexpr int kLinjeLaengde = 512;  // 511 characters and the terminator

bool Sti(char *buf, size_t n, const char *rel) {
  int r = snprintf(buf, n, "%s%s", StiTab.szdata, rel);
  return r > 0 && static_cast<size_t>(r) < n;
}

struct ElvRel2Rec {
  uint32_t akti1_id;
  uint32_t akti2_id;
  uint32_t Startdato;
  uint32_t Slutdato;
  uint8_t Status;
};

// A local pair, current or pending (the pending one is written and dropped
// the same way, so that a pair added since the last merge is neither lost
// nor doubled).
bool ErLokal(uint8_t status) { return status == LOKAL_STATUS || status == 200 + LOKAL_STATUS; }

// The lines of the last merge that could not be placed, and whether that
// merge could read ini/ElvRelLokal.dat (or found none).
std::string Uplacerede;
bool LokalFilKendt = false;

ElvRel2Rec LaesPar(uint32_t r) {
  ElvRel2Rec p{};
  const uint8_t *rec = GetRec(&tdelvrel2, &tvelvrel2, r);
  memcpy(&p.akti1_id, rec + tdelvrel2.FeltTab[0].Offset, 4);
  memcpy(&p.akti2_id, rec + tdelvrel2.FeltTab[1].Offset, 4);
  p.Status = rec[tdelvrel2.FeltTab[tdelvrel2.StatusFelt].Offset];
  return p;
}

uint32_t AktiId(uint32_t recnr) {
  uint32_t id;
  memcpy(&id, GetRec(&tdakti, &tvakti, recnr) + tdakti.FeltTab[0].Offset, 4);
  return id;
}

uint32_t FindAkti(const char *noegle) {
  if (!*noegle) return 0;
  const void *p = ParseFeltVaerdi(&tdakti, noegle);
  return p ? FindRec(&tdakti, &tvakti, p, KLASSE_AKTUEL) : 0;
}

// Cuts a field at ';', CR or LF; the next field, or null at the line's end.
char *Felt(char *p) {
  while (*p && *p != ';' && *p != '\r' && *p != '\n') ++p;
  char *naeste = *p == ';' ? p + 1 : nullptr;
  *p = 0;
  return naeste;
}

}  // namespace

void LoadLokalElvRel() {
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r)
    if (ErLokal(LaesPar(r).Status)) DelRec(&tdelvrel2, &tvelvrel2, r);
  tvelvrel2.fSorter = 1;

  LokalFilKendt = false;
  char fejlSti[kStiLaengde], lokalSti[kStiLaengde];
  if (!Sti(fejlSti, sizeof fejlSti, "log/ElvRelFejl.log") ||
      !Sti(lokalSti, sizeof lokalSti, "ini/ElvRelLokal.dat"))
    return;
  // The unplaced lines are also kept here, so that a log folder that cannot
  // be written loses neither them nor the merge.
  Uplacerede.clear();
  FILE *fejl = fopen(fejlSti, "w");
  errno = 0;
  FILE *lokal = fopen(lokalSti, "r");
  // A file that is there but cannot be read is never written over.
  LokalFilKendt = lokal != nullptr || errno == ENOENT;
  if (!lokal) {
    if (fejl) fclose(fejl);
    return;
  }

  std::vector<std::pair<uint32_t, uint32_t>> LokalElvRel;
  char linje[kLinjeLaengde];
  while (fgets(linje, sizeof linje, lokal)) {
    size_t n = strlen(linje);
    if (n == sizeof linje - 1 && linje[n - 1] != '\n') {
      // An over-long line is cut, its rest skipped.
      int c;
      while ((c = fgetc(lokal)) != EOF && c != '\n') {
      }
    }
    if (strspn(linje, " \t\r\n") == n) continue;
    int antal = atoi(linje);
    if (antal == INT_MAX) --antal;  // the count stops there
    const char *semi = strchr(linje, ';');
    // The line as read after its count, for the unresolved-pairs file.
    char rest[kLinjeLaengde];
    snprintf(rest, sizeof rest, "%s", semi ? semi + 1 : "");
    size_t rn = strcspn(rest, "\r\n");
    rest[rn] = 0;

    uint32_t a = 0, b = 0;
    if (semi) {
      char felter[kLinjeLaengde];
      snprintf(felter, sizeof felter, "%s", semi + 1);
      char *f2 = felter;
      char *f3 = Felt(f2);
      if (f3) {
        Felt(f3);
        a = FindAkti(f2);
        b = a ? FindAkti(f3) : 0;
      }
    }
    if (!a || !b) {
      char ud[kLinjeLaengde + 16];
      snprintf(ud, sizeof ud, "%i;%s\n", antal + 1, rest);
      if (fejl) fputs(ud, fejl);
      Uplacerede += ud;
      continue;
    }
    if (FindParRec(&tdelvrel2, &tvelvrel2, a, b) != 0) continue;
    bool kendt = false;
    for (const auto &p : LokalElvRel)
      if ((p.first == a && p.second == b) || (p.first == b && p.second == a)) kendt = true;
    if (kendt) continue;
    try {
      LokalElvRel.emplace_back(a, b);
    } catch (const std::bad_alloc &) {
      tavo::AssertFailed("LokalElvRel != NULL", "ElevRel", __LINE__);
    }
  }
  fclose(lokal);
  if (fejl) fclose(fejl);

  for (const auto &p : LokalElvRel) {
    if (p.first >= tvakti.wRecCnt || p.second >= tvakti.wRecCnt) continue;
    uint32_t id1 = AktiId(p.first), id2 = AktiId(p.second);
    if (id1 > id2) std::swap(id1, id2);
    char ny[64];
    snprintf(ny, sizeof ny, "%u;%u;0;0", id1, id2);
    uint32_t r = NewRec(&tdelvrel2, &tvelvrel2);
    if (r == 0) break;
    if (ParseRecordLine(&tdelvrel2, &tvelvrel2, ny, 'L', r, nullptr, 1) != 0)
      DelRec(&tdelvrel2, &tvelvrel2, r);
    else
      tvelvrel2.pfSave[r / tdelvrel2.RecPrBlok] = 1;
  }
  SortTab(&tdelvrel2, &tvelvrel2);
}

bool LokalElvRelTekst(std::string *pTekst) {
  if (!LokalFilKendt) return false;
  std::string &tekst = *pTekst;
  tekst = Uplacerede;
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const ElvRel2Rec p = LaesPar(r);
    if (!ErLokal(p.Status)) continue;
    if (!GyldigRef(&tvakti, p.akti1_id) || !GyldigRef(&tvakti, p.akti2_id)) continue;
    char linje[48];
    snprintf(linje, sizeof linje, "0;%d;%d\n", static_cast<int>(AktiId(p.akti1_id)),
             static_cast<int>(AktiId(p.akti2_id)));
    tekst += linje;
  }
  return true;
}

int GemLokalElvRelTekst(const std::string &tekst) {
  char sti[kStiLaengde];
  if (!Sti(sti, sizeof sti, "ini/ElvRelLokal.dat")) return -1;
  GemFil f;
  // Text mode, as the file is made from the log renamed and the lines
  // appended to it: CR LF line ends.
  return f.Aabn(sti, true) && f.Skriv(tekst.data(), tekst.size()) && f.Luk() ? 0 : -1;
}

int GemLokalElvRel() {
  std::string tekst;
  return LokalElvRelTekst(&tekst) ? GemLokalElvRelTekst(tekst) : 0;
}
