// The plan periods of a plan group and their normalisation: the periods are
// mended pair by pair from the left until a pass changes nothing, so each
// fix sees the periods before it already in order.
#include "PlanPerioder.h"

#include <algorithm>
#include <cstdio>

#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "GEMNING.h"
#include "HENTGEM.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "TABOPER.h"

namespace {

constexpr const char *kFejlTitel = "Fejl indtastning";

const FfpgRec *Gruppe(uint32_t gruppe) {
  const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  return g && PlanRecIBrug(g->Status) ? g : nullptr;
}

FfppRec *Periode(uint32_t periode) { return periode ? TabRec<FfppRec>(tvffpp, periode) : nullptr; }

Uge UgeAf(Dato dato) {
  Uge u = 0;
  DatoTilUge(dato, &u, nullptr);
  return u;
}

// The periods the normalisation may change. A period carrying bit 0x10 is
// left alone: the export's protected periods (0x40 with 0x10) and those of
// other installations (status 30) alike, since the delete operation keeps
// every record with that bit and a swallowed period that stayed would be
// swallowed again on every pass.
bool Behandles(const FfppRec *p) { return p && PlanRecIBrug(p->Status) && !(p->Status & PLANREC_BEVAR); }

void Saet(uint32_t periode, Uge FfppRec::*felt, Uge vaerdi) {
  FfppRec *p = Periode(periode);
  p->*felt = vaerdi;
  SetRecStatus(&tdffpp, &tvffpp, periode, static_cast<uint8_t>(p->Status | PLANREC_LEVER));
}

// The week after the week: the ISO week of the day after its Sunday, at
// most the last week. A week that gives no Sunday (past the weeks of its
// year) is followed by the new year's.
Uge UgeEfter(Uge uge, Uge sidste) {
  const Dato soendag = UgeDagTilDato(uge, 7);
  Dato dag = soendag ? NaesteDato(soendag) : 0;
  if (!GyldigDato(dag)) dag = (uge / 100 + 1) * 10000 + 101;
  const Uge u = UgeAf(dag);
  return u && u < sidste ? u : sidste;
}

// The plan rows of the group, as flags by record number.
std::vector<uint8_t> GruppeRaekker(uint32_t gruppe) {
  std::vector<uint8_t> r(tvffgrund.wRecCnt, 0);
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (PlanRecIBrug(g->Status) && g->ffpg_id == gruppe) r[n] = 1;
  }
  return r;
}

bool AfGruppen(const std::vector<uint8_t> &raekker, uint32_t grund) {
  return grund < raekker.size() && raekker[grund];
}

bool Overlapper(Dato fra, Dato til, const FfpgRec *g) { return fra <= g->Tildato && til >= g->Fradato; }

bool AnfoOverlapper(uint32_t anfo, const FfpgRec *g) {
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  return a && Overlapper(a->Fradato, a->Tildato, g);
}

bool AktiOverlapper(uint32_t akti, const FfpgRec *g) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  return a && Overlapper(a->Fradato, a->Tildato, g);
}

// Every period figure of the period, wherever the period lies.
void SletAllePerTab(uint32_t gruppe, uint32_t periode) {
  SletPerTabForPeriode(gruppe, periode, 1);
  SletPerTabForPeriode(gruppe, periode, 0);
}

// The week figures of the group's rows in the period's weeks: the user was
// told they go with the period.
void SletTalTabIPeriode(uint32_t gruppe, const FfppRec *p) {
  const std::vector<uint8_t> raekker = GruppeRaekker(gruppe);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (PlanRecIBrug(t->Status) && AfGruppen(raekker, t->ffgrund_id) && t->Uge >= p->Frauge && t->Uge <= p->Tiluge)
      SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, n);
  }
}

struct Summer {
  uint64_t Lektioner = 0;  // tenths
  double Timer = 0, Eksamen = 0, Rette = 0, Elev = 0;
  bool Nul() const { return Lektioner == 0 && Timer == 0 && Eksamen == 0 && Rette == 0 && Elev == 0; }
};

void SumPeriode(uint32_t gruppe, uint32_t periode, Uge foerste, Uge sidste, const std::vector<uint8_t> &raekker,
                Summer *s) {
  const FfppRec *p = Periode(periode);
  if (!p) return;
  // Only records in use count: a deleted one holds nothing the user can
  // lose.
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (!PlanRecIBrug(t->Status) || !AfGruppen(raekker, t->ffgrund_id)) continue;
    if (!TalTabIPlan(gruppe, n) || t->Uge < p->Frauge || t->Uge > p->Tiluge) continue;
    s->Timer += t->Timer;
    s->Lektioner += t->Lektioner;
  }
  if (p->Frauge > sidste || p->Tiluge < foerste) return;
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *t = TabRec<FfpertabRec>(tvffpertab, n);
    if (!PlanRecIBrug(t->Status) || t->ffpp_id != periode || !AfGruppen(raekker, t->ffgrund_id)) continue;
    s->Lektioner += t->Lektioner;
    s->Rette += t->Rettearbejd;
    s->Elev += t->Elevtid;
    s->Eksamen += t->Eksametid;
  }
}

// Steps 1 to 7 for one pair; true when something changed and the pass
// ends. *stop is set when a period could not be made.
bool BehandlPar(uint32_t gruppe, uint32_t a, uint32_t b, bool foerstePar, bool sidstePar, Uge foerste,
                Uge sidste, int keep, bool *stop) {
  FfppRec *A = Periode(a), *B = Periode(b);
  bool aendret = false;
  auto saet = [&](uint32_t n, Uge FfppRec::*felt, Uge v) {
    Saet(n, felt, v);
    aendret = true;
  };
  for (uint32_t n : {a, b})
    if (Periode(n)->Frauge < foerste) saet(n, &FfppRec::Frauge, foerste);
  for (uint32_t n : {a, b})
    if (Periode(n)->Tiluge > sidste) saet(n, &FfppRec::Tiluge, sidste);
  for (uint32_t n : {a, b})
    if (Periode(n)->Tiluge < Periode(n)->Frauge) saet(n, &FfppRec::Tiluge, Periode(n)->Frauge);
  const Uge efter = UgeEfter(A->Tiluge, sidste);
  if (B->Frauge != efter) {
    saet(b, &FfppRec::Frauge, efter);
    if (B->Tiluge < efter) saet(b, &FfppRec::Tiluge, efter);
  }
  if (B->Tiluge <= A->Tiluge) {
    SletTalTabUdenforPlan(gruppe);
    SletAllePerTab(gruppe, b);
    SletEllerMaerkRec(&tdffpp, &tvffpp, b);
    return true;
  }
  if (foerstePar && A->Frauge > foerste) saet(a, &FfppRec::Frauge, foerste);
  if (sidstePar && B->Tiluge > A->Tiluge && B->Tiluge < sidste) {
    if (keep) {
      saet(b, &FfppRec::Tiluge, sidste);
    } else if (NyPlanPeriode(gruppe, UgeEfter(B->Tiluge, sidste), sidste)) {
      aendret = true;
    } else {
      *stop = true;
      return true;
    }
  }
  return aendret;
}

enum EnUdfald { EnUaendret, EnAendret, EnNy };

// The rule of a lone period: with keep it is stretched over the group's
// weeks; without, the weeks after it get a period of their own and the
// period itself stays where it is.
EnUdfald EnPeriode(uint32_t gruppe, uint32_t n, int keep, const FfpgRec *g, Uge foerste, Uge sidste) {
  FfppRec *p = Periode(n);
  if (keep && Behandles(p)) {
    if (p->Frauge == foerste && p->Tiluge == sidste) return EnUaendret;
    p->Frauge = foerste;
    p->Tiluge = sidste;
    SetRecStatus(&tdffpp, &tvffpp, n, static_cast<uint8_t>(p->Status | PLANREC_LEVER));
    RydPlanGruppe(gruppe, n);
    return EnAendret;
  }
  const Dato e = UgeDagTilDato(p->Tiluge, 7);
  Uge start = 0;
  bool aendret = false;
  if (e < g->Tildato) {
    if (e <= g->Fradato) return EnUaendret;
    start = UgeAf(NaesteDato(e));
  } else if (e == g->Tildato) {
    return EnUaendret;
  } else {
    start = sidste;
    aendret = true;
  }
  if (start != 0 && start < sidste) return NyPlanPeriode(gruppe, start, sidste) ? EnNy : EnUaendret;
  if (aendret) RydPlanGruppe(gruppe, n);
  return aendret ? EnAendret : EnUaendret;
}

}  // namespace

bool PeriodeGruppeUger(uint32_t gruppe, Uge *foerste, Uge *sidste) {
  const FfpgRec *g = Gruppe(gruppe);
  if (!g) return false;
  *foerste = UgeAf(g->Fradato);
  *sidste = UgeAf(g->Tildato);
  return *foerste != 0 && *sidste != 0;
}

std::vector<uint32_t> PlanPeriodeListe(uint32_t gruppe) {
  std::vector<uint32_t> liste;
  if (gruppe == 0) return liste;
  for (uint32_t n = 1; n < tvffpp.wRecCnt; ++n) {
    const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
    if (p->ffpg_id == gruppe && PlanRecIBrug(p->Status)) liste.push_back(n);
  }
  std::stable_sort(liste.begin(), liste.end(),
                   [](uint32_t x, uint32_t y) { return Periode(x)->Frauge < Periode(y)->Frauge; });
  return liste;
}

bool GyldigUge(Uge uge) {
  const Dato mandag = UgeDagTilDato(uge, 1);
  return mandag != 0 && UgeAf(mandag) == uge;
}

bool UgeIPlan(uint32_t gruppe, Uge uge, HWND ejer) {
  const FfpgRec *g = Gruppe(gruppe);
  Uge foerste = 0, sidste = 0;
  if (!g || !PeriodeGruppeUger(gruppe, &foerste, &sidste)) return false;
  if (uge >= foerste && uge <= sidste) return true;
  char tekst[200];
  if (uge < foerste)
    snprintf(tekst, sizeof tekst,
             "Den indtastede uge ligger før dato: %i.\nUgen skal ligge indenfor planens periode.",
             static_cast<int>(g->Fradato));
  else
    snprintf(tekst, sizeof tekst,
             "Den indtastede uge ligger efter dato: %i.\nUgen skal ligge indenfor planens periode.",
             static_cast<int>(g->Tildato));
  MessageBoxA(ejer ? ejer : hwndHoved, tekst, kFejlTitel, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

bool TalTabIPlan(uint32_t gruppe, uint32_t taltab) {
  const FftaltabRec *t = taltab ? TabRec<FftaltabRec>(tvfftaltab, taltab) : nullptr;
  Uge foerste = 0, sidste = 0;
  if (!t || !PeriodeGruppeUger(gruppe, &foerste, &sidste)) return false;
  if (!PlanRecIBrug(t->Status)) return true;
  return t->Uge >= foerste && t->Uge <= sidste;
}

int SletTalTabUdenforPlan(uint32_t gruppe) {
  Uge foerste = 0, sidste = 0;
  if (!PeriodeGruppeUger(gruppe, &foerste, &sidste)) return 0;
  const std::vector<uint8_t> raekker = GruppeRaekker(gruppe);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (AfGruppen(raekker, t->ffgrund_id) && !TalTabIPlan(gruppe, n)) SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, n);
  }
  return 1;
}

int SletPerTabForPeriode(uint32_t gruppe, uint32_t periode, int mode) {
  Uge foerste = 0, sidste = 0;
  const FfppRec *p = Periode(periode);
  if (!p || !PeriodeGruppeUger(gruppe, &foerste, &sidste)) return 0;
  const bool overlapper = p->Frauge <= sidste && p->Tiluge >= foerste;
  if (overlapper != (mode == 1)) return 1;
  const std::vector<uint8_t> raekker = GruppeRaekker(gruppe);
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *t = TabRec<FfpertabRec>(tvffpertab, n);
    if (PlanRecIBrug(t->Status) && t->ffpp_id == periode && AfGruppen(raekker, t->ffgrund_id))
      SletEllerMaerkRec(&tdffpertab, &tvffpertab, n);
  }
  return 1;
}

uint32_t NyPlanPeriode(uint32_t gruppe, uint32_t frauge, uint32_t tiluge) {
  const uint32_t n = NewRec(&tdffpp, &tvffpp);
  if (n == 0) return 0;
  FfppRec *p = Periode(n);
  *p = FfppRec{};
  p->ffpg_id = gruppe;
  p->Frauge = frauge;
  p->Tiluge = tiluge;
  p->Ejer = PlanEgenInst();
  SetRecStatus(&tdffpp, &tvffpp, n, PLANREC_LEVER);
  if (GemTabelNu(&tdffpp, &tvffpp) != 0) {
    // The record stays and its block stays marked: the next save of all
    // data writes it. The user hears of the failure now.
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(hwndHoved, fejl);
  }
  return n;
}

int RydPlanGruppe(uint32_t gruppe, uint32_t periode) {
  const FfpgRec *g = Gruppe(gruppe);
  if (!g) return 0;
  const int resultat = SletTalTabUdenforPlan(gruppe) + SletPerTabForPeriode(gruppe, periode, 0);
  // A row that goes takes its week and period figures with it: figures
  // left behind would belong to whatever row takes the freed record next.
  std::vector<uint32_t> slet;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    FfgrundRec *r = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(r->Status) || r->ffpg_id != gruppe) continue;
    const uint32_t art = r->ObjType;
    if (art != 1 && art != 2 && art != 9 && art != 13 && art != 14) continue;
    bool gaar = false;
    if (r->Medarbejder1 && !AnfoOverlapper(r->Medarbejder1, g)) {
      if (art == 2) {
        r->Medarbejder1 = 0;
        SetRecStatus(&tdffgrund, &tvffgrund, n, PLANREC_LEVER);
      } else if (art == 9 || art == 14) {
        gaar = true;
      }
    }
    if (!gaar && r->Aktivitet && art != 9 && !AktiOverlapper(r->Aktivitet, g)) gaar = true;
    if (gaar) slet.push_back(n);
  }
  SletPlanRaekker(slet);
  return resultat;
}

bool BekraeftSletPerioder(uint32_t gruppe, uint32_t periode, HWND ejer) {
  Uge foerste = 0, sidste = 0;
  if (!PeriodeGruppeUger(gruppe, &foerste, &sidste)) return true;
  const std::vector<uint8_t> raekker = GruppeRaekker(gruppe);
  Summer s;
  if (periode)
    SumPeriode(gruppe, periode, foerste, sidste, raekker, &s);
  else
    for (uint32_t p : PlanPeriodeListe(gruppe)) SumPeriode(gruppe, p, foerste, sidste, raekker, &s);
  if (s.Nul()) return true;
  char tekst[400];
  snprintf(tekst, sizeof tekst,
           "Der er registreret poster i de perioder du er ved at slette, hvis du fortsætter slettes de!\n\n"
           "Lektioner: \t\t%4i.00\nTimer: \t\t%4.2f\nEksame Tid.: \t%4.2f\nRette Tid.: \t%4.2f\nElev Tid: \t\t%4.2f\n\n"
           "Vil du fortsætte?",
           static_cast<int>(s.Lektioner / 10), s.Timer, s.Eksamen, s.Rette, s.Elev);
  return MessageBoxA(ejer ? ejer : hwndHoved, tekst, "Advarsel", MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION) !=
         IDCANCEL;
}

bool NormaliserPlanPerioder(uint32_t gruppe, int keep) {
  const FfpgRec *g = Gruppe(gruppe);
  Uge foerste = 0, sidste = 0;
  if (!g || !PeriodeGruppeUger(gruppe, &foerste, &sidste) || foerste > sidste) return false;
  std::vector<uint32_t> liste = PlanPeriodeListe(gruppe);
  if (liste.empty()) return NyPlanPeriode(gruppe, foerste, sidste) != 0;
  if (liste.size() == 1) return EnPeriode(gruppe, liste[0], keep, g, foerste, sidste) != EnUaendret;
  bool nogen = false;
  bool stop = false;
  for (bool pass = true; pass && !stop;) {
    pass = false;
    for (size_t i = 0; i + 1 < liste.size(); ++i) {
      if (!Behandles(Periode(liste[i])) || !Behandles(Periode(liste[i + 1]))) continue;
      if (BehandlPar(gruppe, liste[i], liste[i + 1], i == 0, i + 2 == liste.size(), foerste, sidste, keep, &stop)) {
        pass = nogen = true;
        break;
      }
    }
    liste = PlanPeriodeListe(gruppe);
    // Pairs swallowed down to one period: that one is treated as a lone
    // period is, and a period it gets after it brings the pairs back.
    if (!pass && !stop && liste.size() == 1 && nogen) {
      const EnUdfald u = EnPeriode(gruppe, liste[0], keep, g, foerste, sidste);
      pass = u == EnNy;
      liste = PlanPeriodeListe(gruppe);
    }
  }
  for (uint32_t n : liste) {
    const FfppRec *p = Periode(n);
    if (Behandles(p) && (p->Frauge > sidste || p->Tiluge < foerste)) {
      SletAllePerTab(gruppe, n);
      SletEllerMaerkRec(&tdffpp, &tvffpp, n);
      nogen = true;
    }
  }
  return nogen;
}

bool FjernPlanPeriode(uint32_t gruppe, uint32_t periode) {
  const FfppRec *p = Periode(periode);
  if (!Gruppe(gruppe) || !p || p->ffpg_id != gruppe || !PlanRecIBrug(p->Status)) return false;
  SletTalTabUdenforPlan(gruppe);
  SletTalTabIPeriode(gruppe, p);
  SletAllePerTab(gruppe, periode);
  SletEllerMaerkRec(&tdffpp, &tvffpp, periode);
  return true;
}

bool GemPlanPerioder(HWND ejer) {
  Gemning gemning;
  bool ok = GemTabelNu(&tdfftaltab, &tvfftaltab) == 0;
  ok = ok && GemTabelNu(&tdffpertab, &tvffpertab) == 0;
  ok = ok && GemTabelNu(&tdffgrund, &tvffgrund) == 0;
  ok = ok && GemTabelNu(&tdffpp, &tvffpp) == 0;
  ok = gemning.Fuldfoer() && ok;
  if (!ok) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(ejer ? ejer : hwndHoved, fejl);
  }
  return ok;
}
