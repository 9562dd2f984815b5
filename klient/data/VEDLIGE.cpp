// Maintenance commands on the installation's own events and postings, and the export count.
#include "VEDLIGE.h"

#include <cstdio>
#include <cstring>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TALTAB.h"

uint32_t EksportTaellere[kAntalEksportTaellere];
uint32_t EksportPlanTal;
uint32_t Fejl62Raekker;
VedligeKroge VedligeKrog = {};
HWND hwndEksportStatus = 0;

namespace {

constexpr uint32_t kLever = 0x40, kSlettet = 0x08, kSendt = 0x10, kEksporteret = 0x20;
constexpr uint32_t kGendannet = 96;
constexpr uint32_t kAakrelGraense = 65000 - 10000;

uint8_t EgenInst() { return GlobalIndstillinger.insnr; }

SkeRec LaesSke(TabVar *pTv, uint32_t r) {
  SkeRec s;
  memcpy(&s, GetRec(&tdske, pTv, r), sizeof s);
  return s;
}
void SkrivSke(TabVar *pTv, uint32_t r, const SkeRec &s) { memcpy(GetRec(&tdske, pTv, r), &s, sizeof s); }
TimoakRaekke LaesTim(TabVar *pTv, uint32_t r) {
  TimoakRaekke t;
  memcpy(&t, GetRec(&tdtimoak, pTv, r), sizeof t);
  return t;
}
void SkrivTim(TabVar *pTv, uint32_t r, const TimoakRaekke &t) {
  memcpy(GetRec(&tdtimoak, pTv, r), &t, sizeof t);
}

template <typename F>
void ForHverSkeRaekke(F f) {
  for (TabVar &b : SkemabegUgeTab)
    for (uint32_t r = 1; r < b.wRecCnt; ++r) {
      SkeRec s = LaesSke(&b, r);
      if (f(s, r)) SkrivSke(&b, r, s);
    }
}

template <typename F>
void ForHverTimRaekke(F f) {
  for (TabVar &b : TimoakMndTab)
    for (uint32_t r = 1; r < b.wRecCnt; ++r) {
      TimoakRaekke t = LaesTim(&b, r);
      if (f(t)) SkrivTim(&b, r, t);
    }
}

// The five counters of one row kind (events from 0, postings from 5).
void Tael(uint32_t status, uint8_t ejer, uint8_t maerke, int basis) {
  if (ejer != EgenInst() || !(status & kLever)) return;
  const bool sendt = status & kSendt;
  if (status & kSlettet) ++EksportTaellere[basis + (sendt ? 3 : 2)];
  else if (maerke) ++EksportTaellere[basis + 4];
  else if (!(status & kEksporteret)) ++EksportTaellere[basis + (sendt ? 1 : 0)];
}

// Keeps the rows that pass, in order, at the front; one empty row stays
// after them when any row was dropped.
template <typename Behold, typename Flyttet>
void Komprimer(const TabDesc *pTd, TabVar *pTv, Behold behold, Flyttet flyttet) {
  if (pTv->wRecCnt < 2) return;
  uint32_t w = 1;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    if (!behold(GetRec(pTd, pTv, r))) continue;
    if (w < r) {
      memcpy(GetRec(pTd, pTv, w), GetRec(pTd, pTv, r), pTd->RecSize);
      memset(GetRec(pTd, pTv, r), 0, pTd->RecSize);
    }
    flyttet(w, r);
    ++w;
  }
  if (w < pTv->wRecCnt) {
    pTv->wRecCnt = w + 1;
    memset(GetRec(pTd, pTv, w), 0, pTd->RecSize);
    pTv->FoersteLedige = w;
  }
}

bool PlanRaekkeVenter(const TabDesc *pTd, TabVar *pTv, size_t statusOff, size_t ejerOff) {
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *p = GetRec(pTd, pTv, r);
    if ((p[statusOff] & kLever) && p[ejerOff] == EgenInst() && !(p[statusOff] & kSendt)) return true;
  }
  return false;
}

bool Spoerg(HWND hwnd, const char *tekst, const char *titel) {
  return MessageBoxA(hwnd, tekst, titel, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

}  // namespace

void ReetablerLaastPeriode() {
  ForHverSkeRaekke([](SkeRec &s, uint32_t) {
    if (!(s.Status & kLever) || s.Ejer != EgenInst()) return false;
    if (s.Fejl == '<') s.Status = 0;
    else if (s.Fejl == '=') s.Status = kGendannet, s.Fejl = 0;
    else return false;
    return true;
  });
  ForHverTimRaekke([](TimoakRaekke &t) {
    if (!(t.Status & kLever) || t.Ejer != EgenInst()) return false;
    if (t.Fejl == '<') t.Status = 0;
    else if (t.Fejl == '=') t.Status = kGendannet, t.Fejl = 0;
    else return false;
    return true;
  });
}

void ReetablerFravaersSletninger() {
  ForHverSkeRaekke([](SkeRec &s, uint32_t) {
    if (!(s.Status & kLever) || s.Ejer != EgenInst() || s.Fejl != '?') return false;
    s.Status = kGendannet;
    s.Fejl = 0;
    return true;
  });
}

void SletFejl72Begivenheder() {
  ForHverSkeRaekke([](SkeRec &s, uint32_t) {
    if (!(s.Status & kLever) || s.Ejer != EgenInst() || s.Fejl != 'H') return false;
    s.Status = 0;
    s.Fejl = 0;
    return true;
  });
}

void SletIkkeEjedeBegivenheder() {
  ForHverSkeRaekke([](SkeRec &s, uint32_t) {
    if (!(s.Status & kLever) || s.Fejl != '>') return false;
    s.Status = 0;
    s.Fejl = 0;
    if (Fejl62Raekker) --Fejl62Raekker;
    return true;
  });
}

void SletEgenKonflikt() {
  ForHverSkeRaekke([](SkeRec &s, uint32_t) {
    if (!(s.Status & kLever) || s.Ejer != EgenInst() || s.Konflikt != EgenInst()) return false;
    s.Status = 0;
    return true;
  });
  ForHverTimRaekke([](TimoakRaekke &t) {
    if (!(t.Status & kLever) || t.Ejer != EgenInst() || t.Konflikt != EgenInst()) return false;
    t.Status = 0;
    return true;
  });
}

void KomprimerSkemabeg() {
  for (TabVar &b : SkemabegUgeTab) {
    uint32_t f = 0;
    Komprimer(
        &tdske, &b,
        [](const uint8_t *p) {
          uint32_t st;
          memcpy(&st, p + offsetof(SkeRec, Status), 4);
          return st != 0;
        },
        [&b, &f](uint32_t w, uint32_t r) {
          uint8_t *p = GetRec(&tdske, &b, w);
          uint32_t forste;
          memcpy(&forste, p + offsetof(SkeRec, Forste), 4);
          if (forste == r) f = w;
          memcpy(p + offsetof(SkeRec, Forste), &f, 4);
        });
  }
}

void KomprimerTimoak() {
  for (TabVar &b : TimoakMndTab)
    Komprimer(
        &tdtimoak, &b, [](const uint8_t *p) { return p[offsetof(TimoakRaekke, Status)] != 0; },
        [](uint32_t, uint32_t) {});
}

void GendanAnfoAktiRel() {
  if (VedligeKrog.FrigivAakrel) VedligeKrog.FrigivAakrel();
  ForHverTimRaekke([](TimoakRaekke &t) {
    if (!(t.Status & kLever)) return false;
    if (VedligeKrog.AddAakrel) VedligeKrog.AddAakrel(t.akti_id, t.anfo_id, t.Ejer == EgenInst() ? 10 : 30);
    if (VedligeKrog.AakrelAntal && VedligeKrog.CleanupAakrel && VedligeKrog.AakrelAntal() > kAakrelGraense)
      VedligeKrog.CleanupAakrel();
    return false;
  });
  if (VedligeKrog.CleanupAakrel) VedligeKrog.CleanupAakrel();
}

void CountExportChanges() {
  memset(EksportTaellere, 0, sizeof EksportTaellere);
  EksportPlanTal = 0;
  ForHverSkeRaekke([](SkeRec &s, uint32_t r) {
    if (s.Forste == r) Tael(s.Status, s.Ejer, s.Fejl, 0);
    return false;
  });
  ForHverTimRaekke([](TimoakRaekke &t) {
    Tael(t.Status, t.Ejer, t.Fejl, 5);
    return false;
  });
  EksportPlanTal = (HasPlanExport() ? 1 : 0) +
                   GetPrivateProfileIntA("flag", "exportermedaskeprior", 0, StiTab.szini);
  if (hwndEksportStatus) SendMessageA(hwndEksportStatus, WM_PAINT, 0, 0);
}

bool HasPlanExport() {
  return PlanRaekkeVenter(&tdffpg, &tvffpg, offsetof(FfpgRec, Status), offsetof(FfpgRec, Ejer)) ||
         PlanRaekkeVenter(&tdffpgrel, &tvffpgrel, offsetof(FfpgrelRec, Status), offsetof(FfpgrelRec, Ejer)) ||
         PlanRaekkeVenter(&tdffpp, &tvffpp, offsetof(FfppRec, Status), offsetof(FfppRec, Ejer)) ||
         PlanRaekkeVenter(&tdffgrund, &tvffgrund, offsetof(FfgrundRec, Status), offsetof(FfgrundRec, Ejer)) ||
         PlanRaekkeVenter(&tdffpertab, &tvffpertab, offsetof(FfpertabRec, Status),
                          offsetof(FfpertabRec, Ejer)) ||
         PlanRaekkeVenter(&tdfftaltab, &tvfftaltab, offsetof(FftaltabRec, Status),
                          offsetof(FftaltabRec, Ejer));
}

bool HasUnexportedRows() {
  bool fundet = false;
  ForHverSkeRaekke([&fundet](SkeRec &s, uint32_t) {
    fundet = fundet || ((s.Status & kLever) && (s.Status & kSendt));
    return false;
  });
  ForHverTimRaekke([&fundet](TimoakRaekke &t) {
    fundet = fundet || ((t.Status & kLever) && (t.Status & kSendt));
    return false;
  });
  return fundet;
}

void AflystAktiSkemaCheck(HWND hwnd) {
  if (AflystBegAntal == 0 || !AktiAflystTab) return;
  uint32_t a = 0;
  for (uint32_t r = 0; r <= TalDim.A; ++r) a += AktiAflystTab[r] != 0;
  const uint32_t n = AflystBegAntal;
  char tekst[200];
  if (n >= 2 && a >= 2)
    snprintf(tekst, sizeof tekst,
             "Der er %0i skemabegivenheder på %0i aflyste aktiviteter!\nVil du slette disse begivenheder?",
             static_cast<int>(n), static_cast<int>(a));
  else if (n >= 2 && a == 1)
    snprintf(tekst, sizeof tekst,
             "Der er %0i skemabegivenheder på %0i aflyst aktivitet!\nVil du slette disse begivenheder?",
             static_cast<int>(n), static_cast<int>(a));
  else
    snprintf(tekst, sizeof tekst, "Der er %0i skemabegivenhed på %0i aflyst aktivitet!\nVil du slette begivenheden?",
             static_cast<int>(n), static_cast<int>(a));
  if (!Spoerg(hwnd, tekst, "Skema på aflyst aktivitet")) return;
  AflystBegAntal = 0;
  for (uint32_t r = 0; r <= TalDim.A; ++r)
    if (AktiAflystTab[r] && VedligeKrog.FjernAktiFraSkema) VedligeKrog.FjernAktiFraSkema(r);
}

bool VedligeholdKommando(HWND hwnd, int id, bool *udfoert) {
  bool ud = false;
  switch (id) {
    case 40171:
      if ((ud = Spoerg(hwnd, "Vil du reetablere låst periode ?", "Låst periode"))) {
        ReetablerLaastPeriode();
        CountExportChanges();
      }
      break;
    case 40172:
      if ((ud = Spoerg(hwnd, "Vil du reetablere sletninger med fraværsregistreringer ?", "Fravær"))) {
        ReetablerFravaersSletninger();
        CountExportChanges();
      }
      break;
    case 40173:
      if ((ud = Spoerg(hwnd, "Vil du slette begivenheder og posteringer hvor du har konflikt med dig selv ?",
                       "Egen konflikt")))
        SletEgenKonflikt();
      break;
    case 40174:
      if (HasUnexportedRows()) {
        MessageBoxA(hwnd, "Du kan ikke komprimere når du har udestående begivenheder eller posteringer !",
                    "Fejl", MB_OK | MB_ICONEXCLAMATION);
        break;
      }
      if ((ud = Spoerg(hwnd, "Vil du komprimere begivenheder og posteringer ?", "Komprimering"))) {
        KomprimerSkemabeg();
        KomprimerTimoak();
      }
      break;
    case 40175:
      if ((ud = Spoerg(hwnd,
                       "Vil du gendanne alle medarbejder/aktivitets relationerne?\nBemærk at kun de relationer der "
                       "findes timer på vil blive gendannet !",
                       "Gendan anfo/akti")))
        GendanAnfoAktiRel();
      break;
    default:
      return false;
  }
  if (udfoert) *udfoert = ud;
  return true;
}
