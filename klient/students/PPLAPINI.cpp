// ini\pp.ini and ini\lap.ini: text files of ids that outlive the records they
// were written from. New slots and placements go through the import's record
// parser with the object letter "L", so that group, activity and slot ids
// become record numbers exactly as an import would make them.
#include "PPLAPINI.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "IMPORT.h"
#include "STITAB.h"
#include "TAVODATA.h"

namespace {

constexpr uint8_t STATUS_NY_LOKAL = 220;  // object letter "L" until the next re-sort
constexpr uint32_t SIDSTE_TESTGRUPPE = 10;

bool IniSti(char *buf, size_t n, const char *navn) {
  const int r = snprintf(buf, n, "%sini\\%s", StiTab.szdata, navn);
  return r > 0 && static_cast<size_t>(r) < n;
}

// A number as the Windows run-time's atol reads it: leading blanks, a sign,
// digits up to the first other character, no digits giving 0, and a 32-bit
// long that stops at its limits. Stored in a u32 field as C converts it.
uint32_t Atol(const char *s) {
  while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
  const bool minus = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  long long v = 0;
  for (; *s >= '0' && *s <= '9'; ++s) {
    v = v * 10 + (*s - '0');
    if (v > static_cast<long long>(INT32_MAX) + 1) v = static_cast<long long>(INT32_MAX) + 1;
  }
  if (minus) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<uint32_t>(static_cast<int32_t>(v));
}

// The writers' "%ld" of a u32 field, as a 32-bit long prints it.
long SomLong(uint32_t v) { return static_cast<long>(static_cast<int32_t>(v)); }

// One line of a file, its newline kept. False at the end of the file. A line
// longer than PPLAP_LINJE_LEN - 1 characters, or one holding a zero byte, is
// read to its end and reported in *pDaarlig.
bool LaesLinje(FILE *f, char (&buf)[PPLAP_LINJE_LEN], bool *pDaarlig) {
  *pDaarlig = false;
  size_t n = 0;
  int c = EOF;
  while ((c = getc(f)) != EOF) {
    if (c == '\0') *pDaarlig = true;
    if (n < sizeof buf - 1)
      buf[n++] = static_cast<char>(c);
    else
      *pDaarlig = true;
    if (c == '\n') break;
  }
  buf[n] = '\0';
  return n > 0 || c != EOF;
}

// The lines of a file that split into exactly `felter` fields, each field
// converted as a number. A missing or unreadable file gives none.
std::vector<std::vector<uint32_t>> LaesTalLinjer(const char *navn, int felter) {
  std::vector<std::vector<uint32_t>> linjer;
  char sti[kStiLaengde];
  if (!IniSti(sti, sizeof sti, navn)) return linjer;
  FILE *f = AabnDataFil(sti, "r");
  if (f == nullptr) return linjer;
  char buf[PPLAP_LINJE_LEN];
  ElevFelt felt[LAP_FELTER];
  bool daarlig = false;
  while (LaesLinje(f, buf, &daarlig)) {
    if (daarlig) continue;
    bool afkortet = false;
    if (DelSemikolonFelter(felt, felter, buf, &afkortet) != felter || afkortet) continue;
    std::vector<uint32_t> tal(felter);
    for (int i = 0; i < felter; ++i) tal[i] = Atol(felt[i]);
    linjer.push_back(std::move(tal));
  }
  fclose(f);
  return linjer;
}

// Groups (by record number) that some live record of pp or lap belongs to.
template <class R, class Fn>
std::vector<uint8_t> MarkerGrupper(R *(*recNr)(uint32_t), uint32_t antal, Fn taeller) {
  std::vector<uint8_t> merket(tvtg.wRecCnt, 0);
  for (uint32_t r = 1; r < antal; ++r) {
    const R *rec = recNr(r);
    if (ElevTabAktiv(rec->Status) && taeller(*rec) && rec->tg_id < merket.size())
      merket[rec->tg_id] = 1;
  }
  return merket;
}

// A new record of the table from its record line; the new id, or 0. Its
// record number in *pRecNr when given (0 when refused).
uint32_t NyLokalRec(const TabDesc *pTd, TabVar *pTv, uint32_t id, uint32_t a, uint32_t b,
                    uint32_t c, uint32_t d, uint32_t *pRecNr = nullptr) {
  if (pRecNr) *pRecNr = 0;
  if (id == 0) return 0;
  char linje[5 * 11 + 5];
  snprintf(linje, sizeof linje, "%u;%u;%u;%u;%u", id, a, b, c, d);
  const uint32_t nr = AddRecordFromLine(pTd, pTv, linje, 'L');
  if (pRecNr) *pRecNr = nr;
  return nr != 0 ? id : 0;
}

// Writes the lines to ini\<navn> through the crash-safe save (text mode, as
// the file is read). Nothing is written when there are no lines.
int SkrivIniFil(const char *navn, const std::vector<std::string> &linjer) {
  if (linjer.empty()) return 0;
  char sti[kStiLaengde];
  if (!IniSti(sti, sizeof sti, navn)) return -1;
  GemFil f;
  bool ok = f.Aabn(sti, true);
  for (const std::string &l : linjer)
    if (ok) ok = f.Skriv(l.data(), l.size());
  return ok && f.Luk() ? 0 : -1;
}

using Tal = std::vector<uint32_t>;

// Calls fn(group record, group id, line) for each line of the file that
// names a group not marked in `merket`, group by group in record order. The
// file is read only when some group needs it. A group without an id is an
// empty record: lines of group 0 would otherwise make records at every
// opening that nothing finds again.
template <class Fn>
void ForGrupperUden(const std::vector<uint8_t> &merket, const char *fil, int felter, Fn fn) {
  std::vector<Tal> linjer;
  bool laest = false;
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    const uint32_t tgId = TgRecNr(g)->id;
    if (tgId == 0 || (g < merket.size() && merket[g])) continue;
    if (!laest) {
      linjer = LaesTalLinjer(fil, felter);
      laest = true;
    }
    for (const Tal &l : linjer)
      if (l[0] == tgId) fn(g, tgId, l);
  }
}

// The record parser's first group lookup re-sorts tg when it is due, which
// may merge pending versions into other records: done before the walk, the
// group record numbers stay what the walk saw.
void SorterGrupper() {
  if (tvtg.fSorter) SortTab(&tdtg, &tvtg);
}

}  // namespace

void LoadPpIni() {
  SorterGrupper();
  const std::vector<uint8_t> harSlots =
      MarkerGrupper(PpRecNr, tvpp.wRecCnt, [](const PpRec &) { return true; });
  ForGrupperUden(harSlots, "pp.ini", PP_FELTER, [](uint32_t g, uint32_t tgId, const Tal &l) {
    FindOrAddPp(g, tgId, l[3], l[1], l[2]);
  });
  SortTab(&tdpp, &tvpp);
}

void LoadLapIni() {
  SorterGrupper();
  const std::vector<uint8_t> harPlaceringer = MarkerGrupper(
      LapRecNr, tvlap.wRecCnt, [](const LapRec &l) { return l.blokering == 0; });
  ForGrupperUden(harPlaceringer, "lap.ini", LAP_FELTER, [](uint32_t g, uint32_t tgId, const Tal &l) {
    const uint32_t laId = l[1], dag = l[2], lektion = l[3], ugenr = l[4], n = l[5];
    const uint32_t laNr = FindElevRec(&tdla, &tvla, laId);
    if (laNr == 0) return;
    TgRec *tg = TgRecNr(g);
    LaRec *la = LaRecNr(laNr);
    if (lektion != 0) {
      tg->UgeLektionsGruppe = 'L';
      la->lek_antal = la->lek_antal + n;
      la->lek_deletal = n;
    } else {
      tg->UgeLektionsGruppe = 'U';
      la->uge_antal = la->uge_antal + n;
      la->uge_deletal = n;
    }
    MarkerElevRec(&tdtg, &tvtg, g);
    MarkerElevRec(&tdla, &tvla, laNr);
    const uint32_t ppId = FindOrAddPp(g, tgId, ugenr, dag, lektion);
    if (ppId != 0) AddLapRec(tgId, laId, ppId, n);
  });
  SortTab(&tdpp, &tvpp);
  SortTab(&tdlap, &tvlap);
}

void SetTgDefaults() {
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    TgRec *tg = TgRecNr(g);
    if (!ElevTabAktiv(tg->Status)) continue;
    const TgRec foer = *tg;
    if (tg->UgeLektionsGruppe != 'L' && tg->UgeLektionsGruppe != 'U')
      tg->UgeLektionsGruppe = tg->id == 1 ? 'L' : 'U';
    if (tg->min_elevtal == 0) tg->min_elevtal = 22;
    if (tg->max_elevtal == 0) tg->max_elevtal = 26;
    if (tg->lek_antal == 0) tg->lek_antal = 4;
    if (tg->lek_deletal == 0) tg->lek_deletal = 2;
    if (tg->uge_antal == 0) tg->uge_antal = 1;
    if (tg->uge_deletal == 0) tg->uge_deletal = tg->uge_antal;
    if (memcmp(&foer, tg, sizeof foer) != 0) MarkerElevRec(&tdtg, &tvtg, g);
  }
}

uint32_t CountAktiveTg() {
  uint32_t antal = 0;
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g)
    if (ElevTabAktiv(TgRecNr(g)->Status)) ++antal;
  return antal;
}

uint32_t FindOrAddPp(uint32_t tgRecNr, uint32_t tgId, uint32_t ugenr, uint32_t dag,
                     uint32_t lektion) {
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *pp = PpRecNr(r);
    if ((ElevTabAktiv(pp->Status) || pp->Status == STATUS_NY_LOKAL) && pp->dag == dag &&
        pp->ugenr == ugenr && pp->lektion == lektion && pp->tg_id == tgRecNr)
      return pp->id;
  }
  return AddPpRec(tgId, ugenr, dag, lektion);
}

uint32_t AddPpRec(uint32_t tgId, uint32_t ugenr, uint32_t dag, uint32_t lektion) {
  return NyLokalRec(&tdpp, &tvpp, NytLokaltId(&tdpp, &tvpp), tgId, ugenr, dag, lektion);
}

uint32_t AddLapRec(uint32_t tgId, uint32_t laId, uint32_t ppId, uint32_t lengde,
                   uint32_t *pRecNr) {
  return NyLokalRec(&tdlap, &tvlap, NytLokaltId(&tdlap, &tvlap), tgId, laId, ppId, lengde,
                    pRecNr);
}

uint32_t AddEbRec(uint32_t tgId, uint32_t elevId, uint32_t ppId, uint32_t lengde) {
  return NyLokalRec(&tdeb, &tveb, NytLokaltId(&tdeb, &tveb), tgId, elevId, ppId, lengde);
}

int GemPpLapIni() {
  char linje[PPLAP_LINJE_LEN];
  std::vector<std::string> pp, lap;
  bool ppOverTest = false;
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (!ElevTabAktiv(p->Status)) continue;
    const TgRec &tg = ElevRef(TgRecNr, p->tg_id);
    if (tg.id > SIDSTE_TESTGRUPPE) ppOverTest = true;
    snprintf(linje, sizeof linje, "%ld;%u;%ld;%ld\n", SomLong(tg.id), unsigned{p->dag},
             SomLong(p->lektion), SomLong(p->ugenr));
    pp.push_back(linje);
  }
  if (!ppOverTest) pp.clear();

  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (!ElevTabAktiv(l->Status)) continue;
    const TgRec &tg = ElevRef(TgRecNr, l->tg_id);
    if (tg.id <= SIDSTE_TESTGRUPPE) continue;
    const LaRec &la = ElevRef(LaRecNr, l->la_id);
    const PpRec &p = ElevRef(PpRecNr, l->pp_id);
    const uint32_t deletal = tg.UgeLektionsGruppe == 'U' ? la.uge_deletal : la.lek_deletal;
    snprintf(linje, sizeof linje, "%ld;%ld;%u;%ld;%ld;%ld\n", SomLong(tg.id), SomLong(la.id),
             unsigned{p.dag}, SomLong(p.lektion), SomLong(p.ugenr), SomLong(deletal));
    lap.push_back(linje);
  }

  // Both files are one commit: the lines of lap name the pp lines.
  Gemning g;
  const int resPp = SkrivIniFil("pp.ini", pp);
  const int resLap = SkrivIniFil("lap.ini", lap);
  const bool ok = g.Fuldfoer() || g.Besluttet();
  return resPp == 0 && resLap == 0 && ok ? 0 : -1;
}
