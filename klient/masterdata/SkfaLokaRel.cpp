// The subject/room relation window over skfa, loka and skfalokarel, and the
// subject marks file ini\skph.ini. The marks file is read whole before it is
// rewritten, so a rewrite that fails leaves the marks applied and the file
// as it was; and a run that could not read it never drops its lines.

#include "SkfaLokaRel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FINDREC.h"
#include "GEMNING.h"
#include "GENVEJ.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "ImpBehandl.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "VINDUER.h"
#include "tavo/assert.h"

SkfaLokaRelKroge SkfaLokaRelKrog = {};

namespace {

constexpr const char *kModul = "SkfaLokaRel";
constexpr const char *kKlasse = "SkfaLokaRelWndClass";
constexpr uint8_t kSkfaLokaRelBogstav = 216;

TastInfo Tast(uint32_t tast) { return TastInfo{0, 0, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_SPACE), "<Mellemrum>", "Opret / fjern relation mellem skolefag og lokale."},
    {Tast(VK_PRIOR), "<Pgup>", "Forrige uge."},
    {Tast(VK_NEXT), "<Pgdn>", "Næste uge."},
    {Tast('A'), "<A>", "Vis alle grupper."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

}  // namespace

const RelArt SkfaLokaRelArt = {
    kModul,
    kKlasse,
    " Relation mellem Skolefag og Lokale",
    kSkfaLokaRelType,
    kSkfaLokaRelBogstav,
    'L',
    'U',
    ByggSkolefagListe,
    ByggRelKolonner,
    FindRelPar,
    SkiftSkfaLokaRel,
    nullptr,
    &Genveje,
    nullptr,
    nullptr,
    nullptr,
};

// ==================================================================== the window

void ByggSkolefagListe(RelWS *ws) {
  Ens &hoved = ws->Raekke;
  std::free(hoved.ObjTab);
  hoved.ObjTab = nullptr;
  hoved.ObjTabAntal = 0;
  const HWND plan = FindVindueType(kPlanVindueType);
  const void *tilstand = plan ? reinterpret_cast<const void *>(SendMessageA(plan, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
  const uint32_t gruppe = tilstand && RelMatrixKrog.RelPlanGruppe ? RelMatrixKrog.RelPlanGruppe(tilstand) : 0;
  const uint32_t antalFag = tvskfa.pbTab ? tvskfa.wRecCnt : 0;
  // One mark a subject record: taught in the plan group.
  std::string undervist(antalFag, '\0');
  if (tilstand && gruppe && SkfaLokaRelKrog.FindGrundAktiRow && tvskph.pbTab) {
    for (uint32_t p = 1; p < tvskph.wRecCnt; ++p) {
      const SkphRec *s = TabRec<SkphRec>(tvskph, p);
      if (s->Status == 0 || s->skfa_id == 0 || s->skfa_id >= antalFag || !GyldigRef(&tvakti, s->akti_id)) continue;
      if (undervist[s->skfa_id] || !SkfaLokaRelKrog.FindGrundAktiRow(tilstand, gruppe, s->akti_id)) continue;
      undervist[s->skfa_id] = 1;
    }
  }
  uint32_t antal = 0;
  for (uint32_t n = 1; n < antalFag; ++n) {
    const uint8_t st = TabRec<SkfaRec>(tvskfa, n)->Status;
    antal += undervist[n] && st >= 10 && st <= 29;
  }
  auto *tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", kModul, __LINE__);
  uint32_t i = 0;
  for (uint32_t n = 1; n < antalFag && i < antal; ++n) {
    const uint8_t st = TabRec<SkfaRec>(tvskfa, n)->Status;
    if (undervist[n] && st >= 10 && st <= 29) tab[++i] = n;
  }
  hoved.ObjTab = tab;
  hoved.ObjTabAntal = antal;
  SorterRelListe(&hoved, kRelRaekkeArt);
}

bool SkiftSkfaLokaRel(RelWS *ws, int mode) { return SkiftRelation(ws, mode, "exporterskfalokarel"); }

bool SkfaLokaRelTast(RelWS *ws, const TastInfo &t, int mode) { return RelTast(ws, t, mode); }

HWND CreateSkfaLokaRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund) {
  if (!FindVindueType(kPlanVindueType)) {
    MessageBoxA(hwndHoved, "Planmodul skal være åbent for at afgrænse skolefag til en plangruppe!",
                "Planmodul ikke åbent!", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  return CreateRelVindue(&SkfaLokaRelArt, desktop, venstre, top, hoejre, bund);
}

LRESULT CALLBACK SkfaLokaRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return RelVindueProc(&SkfaLokaRelArt, hwnd, msg, wParam, lParam);
}

bool RegistrerSkfaLokaRelKlasse(HINSTANCE inst) { return RegistrerRelKlasse(inst, kKlasse, SkfaLokaRelWndProc); }

void AfregistrerSkfaLokaRelKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }

// ==================================================================== ini\skph.ini

namespace {

// The key texts are an activity's and a subject's short keys or their ids;
// a longer field is no key of ours and its line is dropped.
constexpr size_t kNoegleMaks = 31;
// The loads in a row a listed pair may be missing before its line goes.
constexpr long kMaksFravaer = 7;

bool FilLaest = false;

bool Sti(char *buf, size_t n, const char *rel) {
  const int r = std::snprintf(buf, n, "%s%s", StiTab.szdata, rel);
  return r > 0 && static_cast<size_t>(r) < n;
}

// The file whole: 1 read, 0 not there, -1 there but not readable.
int LaesSkphIni(std::string *tekst) {
  tekst->clear();
  char sti[kStiLaengde];
  if (!Sti(sti, sizeof sti, "ini\\skph.ini")) return -1;
  errno = 0;
  FILE *f = fopen(sti, "r");
  if (!f) return errno == ENOENT ? 0 : -1;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) tekst->append(buf, n);
  const bool fejl = ferror(f) != 0;
  fclose(f);
  return fejl ? -1 : 1;
}

// Written whole through the crash-safe save, so a failure at any point
// leaves the old file whole, and the file belongs to the commit of a save
// that is running. (Earlier versions wrote ini\kopiskph.ini beside it and
// renamed it outside any commit; the start's recovery removes one left.)
bool SkrivSkphIni(const std::string &tekst) {
  char sti[kStiLaengde];
  if (!Sti(sti, sizeof sti, "ini\\skph.ini")) return false;
  GemFil f;
  if (!(f.Aabn(sti, true) && f.Skriv(tekst.data(), tekst.size()) && f.Luk())) {
    LogPrintf("** Fejl: ini\\skph.ini kunne ikke skrives (fejl %lu)\n", static_cast<unsigned long>(f.Fejl()));
    return false;
  }
  return true;
}

// One line of the file taken apart: the two key texts as they stand, the
// count, and the skph record of the pair (0 when skph does not hold it).
struct SkphLinje {
  std::string aktiNoegle, skfaNoegle;
  long antal = 0;
  uint32_t skph = 0;
};

uint32_t FindNoegle(const TabDesc *pTd, TabVar *pTv, const std::string &tekst) {
  if (tekst.empty() || !pTv->pbTab) return 0;
  const void *p = ParseFeltVaerdi(pTd, tekst.c_str());
  return p ? FindRec(pTd, pTv, p, KLASSE_AKTUEL) : 0;
}

// False for a line that is dropped: fewer than three fields or a key field
// longer than a key.
bool LaesLinje(const std::string &linje, SkphLinje *l) {
  const size_t k1 = linje.find(',');
  if (k1 == std::string::npos) return false;
  const size_t k2 = linje.find(',', k1 + 1);
  if (k2 == std::string::npos) return false;
  l->aktiNoegle = linje.substr(0, k1);
  l->skfaNoegle = linje.substr(k1 + 1, k2 - k1 - 1);
  if (l->aktiNoegle.size() > kNoegleMaks || l->skfaNoegle.size() > kNoegleMaks) return false;
  // The count stops well short of overflowing; a negative one counts as 0.
  const long antal = std::strtol(linje.c_str() + k2 + 1, nullptr, 10);
  l->antal = antal < 0 ? 0 : (antal > kMaksFravaer ? kMaksFravaer : antal);
  const uint32_t a = FindNoegle(&tdakti, &tvakti, l->aktiNoegle);
  const uint32_t s = a ? FindNoegle(&tdskfa, &tvskfa, l->skfaNoegle) : 0;
  l->skph = 0;
  if (a && s && tvskph.pbTab) {
    const uint32_t noegle[2] = {a, s};
    l->skph = FindRec(&tdskph, &tvskph, noegle, KLASSE_AKTUEL);
  }
  return true;
}

// Every line of the text that holds more than its line end, CR LF taken
// as LF.
template <class Fn>
void HverLinje(const std::string &tekst, Fn fn) {
  size_t i = 0;
  while (i < tekst.size()) {
    size_t slut = tekst.find('\n', i);
    if (slut == std::string::npos) slut = tekst.size();
    std::string linje = tekst.substr(i, slut - i);
    while (!linje.empty() && (linje.back() == '\r' || linje.back() == '\n')) linje.pop_back();
    if (!linje.empty()) fn(linje);
    i = slut + 1;
  }
}

void SkrivLinje(std::string *ud, const SkphLinje &l, long antal) {
  char buf[2 * kNoegleMaks + 32];
  std::snprintf(buf, sizeof buf, "%s,%s,%ld\n", l.aktiNoegle.c_str(), l.skfaNoegle.c_str(), antal);
  *ud += buf;
}

SkphRec *Skph(uint32_t p) { return TabRec<SkphRec>(tvskph, p); }
uint8_t Maerke(uint32_t p) { return static_cast<uint8_t>(Skph(p)->SkygFaget); }
void SaetMaerke(uint32_t p, uint8_t m) { Skph(p)->SkygFaget = static_cast<char>(m); }

}  // namespace

bool SkphIniLaest() { return FilLaest; }


void LoadSkphIni() {
  for (uint32_t p = 1; tvskph.pbTab && p < tvskph.wRecCnt; ++p) SaetMaerke(p, 0);
  std::string tekst;
  const int laest = LaesSkphIni(&tekst);
  FilLaest = laest >= 0;
  if (laest <= 0) {
    if (laest < 0) LogPrintf("** Fejl: ini\\skph.ini kunne ikke læses\n");
    return;
  }
  std::string ny;
  HverLinje(tekst, [&](const std::string &linje) {
    SkphLinje l;
    if (!LaesLinje(linje, &l)) return;
    if (l.skph) {
      SaetMaerke(l.skph, 1);
      SkrivLinje(&ny, l, 0);
    } else if (l.antal + 1 < kMaksFravaer) {
      SkrivLinje(&ny, l, l.antal + 1);
    }
  });
  // A read-only run applies the marks and leaves the file to the run that
  // holds the data.
  if (!GlobalIndstillinger.skemalaast) SkrivSkphIni(ny);
}

void SyncSkphIni() {
  if (GlobalIndstillinger.skemalaast) return;
  std::string tekst;
  const int laest = LaesSkphIni(&tekst);
  if (laest < 0) {
    // Its lines cannot be kept while the new marks are added: it stays.
    LogPrintf("** Fejl: ini\\skph.ini kunne ikke læses\n");
    return;
  }
  std::string ny;
  if (FilLaest) {
    HverLinje(tekst, [&](const std::string &linje) {
      SkphLinje l;
      if (!LaesLinje(linje, &l)) return;
      if (!l.skph) {
        SkrivLinje(&ny, l, l.antal);
      } else if (Maerke(l.skph) == 1) {
        SkrivLinje(&ny, l, 0);
        SaetMaerke(l.skph, 255);
      }
    });
  } else {
    // The marks of the file were never applied in this run: its lines are
    // not known to have lost their marks.
    ny = tekst;
    if (!ny.empty() && ny.back() != '\n') ny += '\n';
  }
  for (uint32_t p = 1; tvskph.pbTab && p < tvskph.wRecCnt; ++p) {
    const SkphRec *s = Skph(p);
    if (Maerke(p) != 1 || !GyldigRef(&tvakti, s->akti_id) || !GyldigRef(&tvskfa, s->skfa_id)) continue;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%ld,%ld,0\n", static_cast<long>(TabRec<AktiRec>(tvakti, s->akti_id)->id),
                  static_cast<long>(TabRec<SkfaRec>(tvskfa, s->skfa_id)->id));
    ny += buf;
  }
  if (laest > 0 && ny == tekst) return;
  if (laest == 0 && ny.empty()) return;
  SkrivSkphIni(ny);
}
