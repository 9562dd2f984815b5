// The steps of the Elevplan exchange. Each step writes one request and
// waits for its answer; the import of the answer comes back here through
// EpEfterImport, which decides the next step.
#include "EPTRIN.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "DATO.h"
#include "EKSPKMD.h"
#include "ELEVPLANVIN.h"
#include "ELEVTAB.h"
#include "EPDLG.h"
#include "EPIMPORT.h"
#include "INDSTIL.h"
#include "PPLAPINI.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "VINDUER.h"
#include "elevdialoger.h"

uint32_t EpForsoeg = 0;

namespace {

constexpr uint32_t SIDSTE_TESTGRUPPE = 10;
constexpr const char *kEksport = "Eksport";

Dato LokalDato(time_t t) {
  struct tm tid {};
  if (!localtime_r(&t, &tid)) return 0;
  return static_cast<Dato>((tid.tm_year + 1900) * 10000 + (tid.tm_mon + 1) * 100 + tid.tm_mday);
}

bool Findes(const char *sti) { return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

bool UdvekslingsGruppe(uint32_t tg) {
  const TgRec *t = TgRecNr(tg);
  return t != nullptr && t->id > SIDSTE_TESTGRUPPE;
}

// A field set and its record's block marked only when the value changes,
// so that a derivation that changes nothing leaves nothing to save. The
// records are packed: the field is reached through its record.
#define EP_SAET(rec, felt, vaerdi, td, tv, nr)      \
  do {                                              \
    const auto v_ = (vaerdi);                       \
    if ((rec)->felt != v_) {                        \
      (rec)->felt = v_;                             \
      MarkerElevRec(td, tv, nr);                    \
    }                                               \
  } while (0)

void TilPlanVindue(UINT besked) {
  if (HWND h = FindVindueType(kElevPlanType)) SendMessageA(h, besked, 0, 0);
}

// Answers sent in a run whose answers are never imported would act in
// Elevplan and be lost here.
bool LaasetSkemaAfvist() {
  if (!GlobalIndstillinger.skemalaast) return false;
  MessageBoxA(hwndHoved, "Der kan ikke eksporteres fra et låst skema.", kEksport, MB_OK | MB_ICONINFORMATION);
  return true;
}

bool SuperTavoAfvist(HWND hoved) {
  if (!GlobalIndstillinger.supertavo) return false;
  MessageBoxA(hoved, "Der kan ikke eksporteres fra et SuperTavo-skema", kEksport, MB_OK | MB_ICONEXCLAMATION);
  return true;
}

// The step ends after a fetch: the answers applied, the tables in order,
// the planning window rebuilt, the locks and the planning set-up renewed.
void EfterHentning() {
  LinkLaDubletter();
  SorterAlleTabeller();
  TilPlanVindue(WM_ELEVPLAN_NULSTIL);
  SetTgEasyLaast();
  SetTgPlanlaegningsLaast();
  UpdateTgLaast();
  LoadPpIni();
  LoadLapIni();
  SetTgDefaults();
}

// Step 4's answer: who holds the group decides between reserving it (5),
// fetching it at once (6) and giving up (0).
uint8_t TrinEfterGruppeopslag() {
  const TgRec *t = EpTilstand.Tg != 0 ? TgRecNr(EpTilstand.Tg) : nullptr;
  if (t == nullptr) return 0;
  char holder[sizeof t->Navn2 + 1] = {};
  memcpy(holder, t->Navn2, sizeof t->Navn2);
  if (holder[0] == '\0') return 5;
  char egen[32];
  EpSystemNavn(egen, sizeof egen);
  if (strcmp(holder, egen) == 0) return 6;
  char tekst[256];
  snprintf(tekst, sizeof tekst,
           "Tilmeldingsgruppen er spærret af %s.                     \nSkal tilmeldingsgruppen overtages af %s?",
           holder, egen);
  return MessageBoxA(hwndHoved, tekst, "Overtag tilmeldingsgruppe", MB_OKCANCEL | MB_ICONQUESTION) == IDOK ? 5 : 0;
}

// The number after the last '#' of a duplicate's name: digits only.
bool DubletNummer(const char *s, uint32_t *pNr) {
  if (*s == '\0') return false;
  uint64_t v = 0;
  for (; *s; ++s) {
    if (*s < '0' || *s > '9') return false;
    v = v * 10 + static_cast<uint64_t>(*s - '0');
    if (v > UINT32_MAX) return false;
  }
  *pNr = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

void SetEpExportPeriode(EpTilstandData &t) {
  const time_t nu = time(nullptr);
  t.FraDato = LokalDato(nu - 7776000);
  t.TilDato = LokalDato(nu + 25920000);
  if (t.FraDato < SkemaPeriode.FraDato) t.FraDato = SkemaPeriode.FraDato;
  if (t.TilDato > SkemaPeriode.TilDato) t.TilDato = SkemaPeriode.TilDato;
}

void ElevplanEksport() {
  if (LaasetSkemaAfvist()) return;
  TilPlanVindue(WM_ELEVPLAN_GENOPBYG);
  GemPpLapIni();
  EpTilstand.Trin = 1;
  EpTilstand.Tg = 0;
  if (GlobalIndstillinger.insnr < 1 || GlobalIndstillinger.insnr > 99) {
    MessageBoxA(hwndHoved, "Der kan ikke eksporteres, idet installationsnummeret ikke er korrekt.",
                "Elev plan eksport", MB_OK | MB_ICONINFORMATION);
  } else if (DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_EP_PERIODE), hwndHoved, EpPeriodeDlgProc,
                             reinterpret_cast<LPARAM>(&EpTilstand)) == 1) {
    EpForsoeg = 0;
    EpFejlAntal = 0;
    EpNaesteTrin();
  }
  GentegnEpStatus();
}

void EpNaesteTrin() {
  if (++EpForsoeg > EP_MAX_FORSOEG) {
    MessageBoxA(0, "Der er konstateret fejl ved kontakt til Elevplan.\nSend data til support og kontakt TAVO support.",
                "Fejl ved export til Elevplan", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  uint8_t &trin = EpTilstand.Trin;
  for (;;) {
    switch (trin) {
      case 1:
        if (EpSkrivKopierAktivitet(nullptr, false) > 0) break;
        trin = 2;
        continue;
      case 2:
        if (EpSkrivRedigerAktivitet(nullptr, false) > 0 || EpSkrivNyTilmelding(nullptr, false) > 0) break;
        trin = 3;
        continue;
      case 3:
        if (EpSkrivAccepterTilmelding(nullptr, false) > 0 || EpSkrivAfvisTilmelding(nullptr, false) > 0 ||
            EpSkrivSletTilmelding(nullptr, false) > 0)
          break;
        trin = 7;
        continue;
      case 4:
      case 5:
      case 6:
      case 7:
        break;
      default:
        return;  // idle
    }
    SkrivEpExportFil();
    return;
  }
}

void EpEfterImport() {
  EpTilstandData &t = EpTilstand;
  switch (t.Trin) {
    case 0:
      AnvendAccept();
      LinkLaDubletter();
      return;
    case 1:
      LinkLaDubletter();
      if (EpSkrivKopierAktivitet(nullptr, false) == 0) t.Trin = 2;
      EpNaesteTrin();
      return;
    case 2:
      t.Trin = 3;
      EpNaesteTrin();
      return;
    case 3:
      t.Trin = 7;
      EpNaesteTrin();
      return;
    case 4:
      t.Trin = TrinEfterGruppeopslag();
      EpNaesteTrin();
      return;
    case 5:
      t.Trin = 6;
      EpNaesteTrin();
      return;
    case 6:
      t.Trin = 0;
      AnvendAcceptTg(t.Tg);
      EfterHentning();
      return;
    case 7:
      t.Trin = 0;
      AnvendAccept();
      EfterHentning();
      return;
    default:
      return;
  }
}

void AnvendAcceptTg(uint32_t tg) {
  if (!UdvekslingsGruppe(tg)) return;
  bool slettet = false;
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    EvRec *ev = EvRecNr(r);
    if (ev->tg_id != tg || !ElevTabAktiv(ev->Status)) continue;
    if (ev->elevplan_onske_la_id == 0) {
      DelRec(&tdev, &tvev, r);
      slettet = true;
    } else {
      const bool accepteret = ev->Accept[0] == 'J' && ev->Accept[1] == '\0';
      EP_SAET(ev, placerings_la_id, accepteret ? ev->elevplan_onske_la_id : 0u, &tdev, &tvev, r);
    }
  }
  if (slettet) tvev.fSorter = 1;
}

void AnvendAccept() {
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) AnvendAcceptTg(g);
}

void LinkLaDubletter() {
  constexpr int kNavnBredde = 101;
  struct Post {
    std::string noegle;
    uint32_t rec;
  };
  std::vector<Post> liste;
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *la = LaRecNr(r);
    if (!ElevTabAktiv(la->Status) || !UdvekslingsGruppe(la->tg_id)) continue;
    char noegle[16 + kNavnBredde + 1];
    snprintf(noegle, sizeof noegle, "%05u%-*.*s", la->tg_id, kNavnBredde, static_cast<int>(sizeof la->Navn),
             la->Navn);
    liste.push_back({noegle, r});
  }
  // As unsigned bytes, which the string's own comparison is.
  std::stable_sort(liste.begin(), liste.end(), [](const Post &a, const Post &b) { return a.noegle < b.noegle; });

  uint32_t baseTg = 0, baseId = 0;
  std::string baseNavn;
  for (const Post &p : liste) {
    LaRec *la = LaRecNr(p.rec);
    const std::string navn(la->Navn, strnlen(la->Navn, sizeof la->Navn));
    const size_t skel = navn.rfind('#');
    if (skel == std::string::npos) {
      baseTg = la->tg_id;
      baseNavn = navn;
      baseId = la->id;
      continue;
    }
    // "<base name><one character>#<n>"; a name that begins with '#' has no
    // base name at all.
    uint32_t nr;
    if (skel == 0 || la->tg_id != baseTg || !DubletNummer(navn.c_str() + skel + 1, &nr)) continue;
    if (navn.compare(0, skel - 1, baseNavn) != 0 || skel - 1 != baseNavn.size()) continue;
    EP_SAET(la, kopi_id, baseId, &tdla, &tvla, p.rec);
    EP_SAET(la, dubletnr, nr, &tdla, &tvla, p.rec);
  }
}

void SetTgEasyLaast() {
  std::vector<char> easy(tvtg.wRecCnt, 0);
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *ev = EvRecNr(r);
    if (ElevTabAktiv(ev->Status) && ev->EASYAStatus[0] != '\0' && ev->tg_id < tvtg.wRecCnt) easy[ev->tg_id] = 1;
  }
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    TgRec *t = TgRecNr(g);
    EP_SAET(t, Laast, char{0}, &tdtg, &tvtg, g);
    EP_SAET(t, EasyLaast, easy[g], &tdtg, &tvtg, g);
  }
}

void SetTgPlanlaegningsLaast() {
  char egen[32];
  EpSystemNavn(egen, sizeof egen);
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    TgRec *t = TgRecNr(g);
    const bool egenGruppe = strnlen(t->Navn2, sizeof t->Navn2) == strlen(egen) &&
                            memcmp(t->Navn2, egen, strlen(egen)) == 0;
    EP_SAET(t, PlanlaegningsLaast, static_cast<char>(egenGruppe ? 0 : 1), &tdtg, &tvtg, g);
  }
}

void UpdateTgLaast() {
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    TgRec *t = TgRecNr(g);
    if (t->id <= SIDSTE_TESTGRUPPE) {
      EP_SAET(t, Laast, char{0}, &tdtg, &tvtg, g);
      EP_SAET(t, EasyLaast, char{0}, &tdtg, &tvtg, g);
      EP_SAET(t, ExportLaast, char{0}, &tdtg, &tvtg, g);
      EP_SAET(t, PlanlaegningsLaast, char{0}, &tdtg, &tvtg, g);
    } else if (t->EasyLaast == 1 || t->ExportLaast == 1 || t->PlanlaegningsLaast == 1) {
      EP_SAET(t, Laast, char{1}, &tdtg, &tvtg, g);
    }
  }
}

void EpEksportKommando(HWND hoved) {
  if (!EksportTilladt(hoved)) return;
  if (!ElevplanSlaaetTil) {
    StartExport();
    return;
  }
  if (DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_EP_EKSPORTVALG), hoved, ElevplanExportDlgProc, 0) != 1) return;
  if (GetPrivateProfileIntA("flag", "elevplanexport", 0, StiTab.szini) == 1) {
    SetEpExportPeriode(EpTilstand);
    ElevplanEksport();
  } else {
    StartExport();
  }
}

bool EpGenvejEksport(HWND hoved) {
  if (!ElevplanSlaaetTil) return false;
  if (SuperTavoAfvist(hoved)) return true;
  SetEpExportPeriode(EpTilstand);
  ElevplanEksport();
  return true;
}

void EpImportBesked() {
  if (GlobalIndstillinger.skemalaast) return;
  if (!Findes(StiTab.szepimp) && !Findes(StiTab.szzipepimp)) return;
  const HWND rude = hwndEpKontakt;
  if (rude) SetWindowTextA(rude, "Indlæser importfil...");
  ImportElevplan();
  if (rude) SetWindowTextA(rude, "Importfil indlæst");
  GentegnEpStatus();
}

