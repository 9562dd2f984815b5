// The plan window's keys. Every command of the planning grid is a key: the
// first step moves the cursor on the axis that holds it, the command
// handler acts by view, sub-view, row kind and column kind. Test mode
// (1363) answers from the first step alone, so asking never shows a box,
// beeps or changes the plan.
#include "PlanTast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BRIKIND.h"
#include "FF_PlanFyld.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanRec.h"
#include "FF_PlanPost.h"
#include "FF_PlanUtil.h"
#include "FF_VALG.h"
#include "GEMNING.h"
#include "GRIDAKSE.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "PROGVINDUER.h"
#include "PlanFold.h"
#include "PlanRediger.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "Rettearbejde.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TildelGruppe.h"
#include "VINDUER.h"

namespace {

constexpr uint32_t kTildelType = 40269;

const char *const kDubletTal =
    "Der er registreret lektioner eller timer p\xE5 faget,\neller der er tilknyttet en medarbejder\nDerfor kan det "
    "ikke fjernes, du skal slette informationerne f\xF8rst.";
const char *const kGemAltTitel = "Gem ALT p\xE5ny";
const char *const kGemAltTekst =
    "Denne 'gem' vil medf\xF8re at ALT PLAN-data bliver gemt og ALT PLAN-data bliver exporteret til EASY.\nDette g\xF8r "
    "at PLAN-tabellerne i EASY bliver slettet/t\xF8mte og lokal PLAN-data bliver lagt ind p\xE5ny!\n\nEr du sikker "
    "p\xE5 du vil dette?";

// ---- The current cell ----

uint32_t Raekke(const Plan *plan) {
  const uint32_t r = PlanAktuelRaekke(plan);
  return r && plan->GrundTab && plan->ObjTypeTab && r <= plan->GrundTabAntal ? r : 0;
}

uint32_t RaekkeArt(const Plan *plan, uint32_t r) { return r ? plan->ObjTypeTab[r] : 0; }

// The kind of the left-panel column under the cursor, 0 in the week area.
uint32_t VenstreArt(const Plan *plan) {
  const GridPos &p = plan->StyrLX.Pos;
  if (p.Aktuel == 0 || p.Aktuel > p.Antal || !plan->StyrLX.ObjTab || !plan->ObjTypeTabLX) return 0;
  return plan->ObjTypeTabLX[plan->StyrLX.ObjTab[p.Aktuel]];
}

// The week-area column object under the cursor (an index of ObjTypeTabX),
// 0 when the cursor is elsewhere.
uint32_t Kolonne(const Plan *plan) {
  if (plan->StyrLX.Pos.Aktuel || plan->StyrRX.Pos.Aktuel) return 0;
  const GridPos &p = plan->StyrX.Pos;
  if (p.Aktuel == 0 || p.Aktuel > p.Antal || !plan->StyrX.ObjTab || !plan->ObjTypeTabX) return 0;
  const uint32_t c = plan->StyrX.ObjTab[p.Aktuel];
  return c && c <= plan->KolonneAntal ? c : 0;
}

uint32_t KolonneArt(const Plan *plan, uint32_t c) { return c ? plan->ObjTypeTabX[c] : 0; }

// The week or period entry of a row behind a column; null for the total.
const TalPost *UgePost(const Plan *plan, uint32_t r, uint32_t c) {
  if (KolonneArt(plan, c) != PLAN_KOL_UGE || !plan->UgeTab || !plan->GrundTab[r].TalTab) return nullptr;
  const uint32_t u = UgeTilIndeks(plan->UgeTab[c]);
  return u <= plan->UgeAntal + 1 ? &plan->GrundTab[r].TalTab[u] : nullptr;
}
const PerPost *PeriodePost_(const Plan *plan, uint32_t r, uint32_t c) {
  if (KolonneArt(plan, c) != PLAN_KOL_PERIODE || !plan->PPeriode || !plan->GrundTab[r].PerTab) return nullptr;
  const uint32_t pos = plan->PPeriode[c];
  return pos <= plan->UgeAntal + 1 ? &plan->GrundTab[r].PerTab[pos] : nullptr;
}

// Lessons typed for the week or spread from a total may be typed over;
// numbers of another installation or posted hours may not.
bool UgeFlagTillader(const Plan *plan, uint32_t r, uint32_t c) {
  uint32_t status = 0;
  if (const TalPost *t = UgePost(plan, r, c))
    status = t->PlanStatus;
  else if (const PerPost *p = PeriodePost_(plan, r, c))
    status = p->PlanStatus;
  return status == 0 || (status & (PS_UGE | PS_GRUPPE | PS_PERIODE)) != 0;
}

bool ErOverskriftVisning(uint8_t v) { return v == 'M' || v == 'O'; }

// ---- Rebuilding after a command ----

void GenopbygRaekker(Plan *plan) {
  HuskPlanCursor(plan);
  BygRaekker(plan, true);
  BevarRaekkeCursor(plan);
}

void GenopbygKolonner(Plan *plan) {
  HuskPlanCursor(plan);
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  BygKolonner(plan);
  BygSynligeKolonner(plan);
  BevarKolonneCursor(plan);
}

// The repeat key moves the cursor on after an Insert or Delete, as the
// last arrow key did.
void SendGentag(Plan *plan) {
  if (plan->GentagTast && plan->hwndPlan && IsWindow(plan->hwndPlan))
    SendMessageA(plan->hwndPlan, WM_KEYDOWN, plan->GentagTast, 0);
}

// Back from a sub-view to the normal view of the same letter.
void NormalVisning(Plan *plan) {
  PlanOpsaetLayout(plan);
  plan->StyrLX.Pos.Aktuel = 0;
  GenopbygKolonner(plan);
  PlanLayoutSkiftet(plan);
}

// ---- Views ----

uint32_t OverskriftArt(uint8_t visning) {
  return visning == 'A' ? PLAN_AKTI : visning == 'M' ? PLAN_MEDA : PLAN_OPG_AKTI;
}

void SkiftVisning(Plan *plan, bool frem) {
  if (const uint32_t r = Raekke(plan)) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = RaekkeArt(plan, r);
    if (plan->Visning == 'A') {
      // Leaving the activities on an activity or subject row: the view
      // that comes finds its employee, and 'A' finds the activity again.
      if (art == PLAN_AKTI || art == PLAN_FAG || art == PLAN_FREMMED_AKTI || art == PLAN_FREMMED_FAG) {
        tvakti.AktuelRec = g.Aktivitet;
        if (g.Medarbejder1) tvanfo.AktuelRec = g.Medarbejder1;
      }
    } else if (g.Medarbejder1 && art != PLAN_AKTI && art != PLAN_OPG_AKTI) {
      tvanfo.AktuelRec = g.Medarbejder1;
    }
  }
  static constexpr uint8_t kOrden[3] = {'A', 'M', 'O'};
  uint32_t i = plan->Visning == 'M' ? 1 : plan->Visning == 'O' ? 2 : 0;
  i = frem ? (i + 1) % 3 : (i + 2) % 3;
  plan->Visning = kOrden[i];
  PlanOpsaetLayout(plan);
  plan->StyrLX.Pos.Aktuel = 0;
  plan->StyrRX.Pos.Aktuel = 0;
  GenopbygKolonner(plan);
  BygRaekker(plan, true);
  const uint32_t objekt = plan->Visning == 'M' ? tvanfo.AktuelRec : tvakti.AktuelRec;
  // Not found, the cursor goes to the first row.
  if (objekt)
    FindPlanRaekke(plan, objekt, 0, OverskriftArt(plan->Visning));
  else
    plan->StyrY.Pos.Aktuel = plan->StyrY.Pos.Antal ? 1 : 0;
  PlanLayoutSkiftet(plan);
}

// ---- The plan group under Ctrl ----

// The group at the plan-group cursor as the current one; false, with the
// previous group current again, when it cannot be built.
bool SkiftGruppe(Plan *plan, uint32_t forrigePos) {
  PlanStyr &z = plan->StyrZ;
  const uint32_t g = z.ObjTab && z.Pos.Aktuel >= 1 && z.Pos.Aktuel <= z.Pos.Antal ? z.ObjTab[z.Pos.Aktuel] : 0;
  const FfpgRec *rec = g && g < tvffpg.wRecCnt ? TabRec<FfpgRec>(tvffpg, g) : nullptr;
  if (!rec || !PlanRecIBrug(rec->Status)) {
    z.Pos.Aktuel = forrigePos;
    return false;
  }
  plan->AktPlanGruppe = g;
  tvffpg.AktuelRec = g;
  plan->Fradato = rec->Fradato;
  plan->Tildato = rec->Tildato;
  plan->VisSkeLekt = rec->VisSkeLekt;
  {
    PlanLaas laas;
    SaetPlanFlag(plan);
  }
  OpretOverskrifter(plan);
  BygRaekker(plan, true);
  PlanLayoutSkiftet(plan);
  return true;
}

// ---- Commands ----

void LukVindue(Plan *plan) {
  const HWND h = plan->hwndPlan;
  if (!h) return;
  char klasse[64] = "";
  const HWND p = GetParent(h);
  const bool iCelle =
      p && GetClassNameA(p, klasse, sizeof klasse) > 0 && std::strcmp(klasse, "ElementWndClass") == 0;
  KmdLukVindue(h, p, iCelle ? 1 : 0, true, KMD_UDFOER);
}

void SkiftTildelVindue() {
  if (HWND t = FindVindueType(kTildelType)) {
    DestroyWindow(t);
    if (HWND f = VinduesListeForrest()) SendMessageA(f, VINDUE_AKTIVER, 1, 0);
    return;
  }
  HWND t = CreateTildelPlanGruppeWnd(kTildelType);
  if (!t) return;
  ShowWindow(t, SW_SHOW);
  SetWindowPos(t, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(t));
}

bool HarNogetTal(const Plan *plan, uint32_t r) {
  const GrundRaekke &g = plan->GrundTab[r];
  if (g.SumLektioner || g.SumTimer1 != 0.0f || g.Lektioner || g.Timer != 0.0f) return true;
  for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
    if (g.TalTab && (g.TalTab[u].Lektioner || g.TalTab[u].Timer != 0.0f || g.TalTab[u].Rettearbejd != 0.0f ||
                     g.TalTab[u].Eksametid != 0.0f))
      return true;
    if (g.PerTab && (g.PerTab[u].Lektioner || g.PerTab[u].Timer != 0.0f || g.PerTab[u].Rettearbejd != 0.0f ||
                     g.PerTab[u].Eksametid != 0.0f))
      return true;
  }
  return false;
}

// Ctrl+D: one more row of the current row's group, activity and subject.
void NyDublet(Plan *plan, uint32_t r) {
  const GrundRaekke g = plan->GrundTab[r];
  uint32_t hoejest = 0;
  for (uint32_t n = 1; n <= plan->GrundTabAntal; ++n) {
    const GrundRaekke &o = plan->GrundTab[n];
    if (plan->ObjTypeTab[n] == PLAN_FAG && o.KopiAf == 0 && o.ffpg_id == g.ffpg_id && o.Aktivitet == g.Aktivitet &&
        o.Skolefag == g.Skolefag)
      hoejest = std::max<uint32_t>(hoejest, o.Dublet);
  }
  if (hoejest >= 255) return;  // the record holds the number in a byte
  FfgrundRec rec{};
  rec.ffpg_id = g.ffpg_id;
  rec.Aktivitet = g.Aktivitet;
  rec.Skolefag = g.Skolefag;
  rec.ObjType = PLAN_FAG;
  rec.Dublet = static_cast<uint8_t>(hoejest + 1);
  rec.Minutnorm1 = -1.0f;
  rec.Minutnorm2 = -1.0f;
  rec.Ejer = PlanEgenInst();
  {
    PlanLaas laas;
    NyPlanRaekke(plan, &rec, 0, true);
  }
  GenopbygRaekker(plan);
  PlanLayoutSkiftet(plan);
  MarkerPlanEksport();
}

// Delete with Ctrl, or on a duplicate: the row goes when it holds nothing,
// and the duplicates after it move one number down so the numbers stay
// without gaps.
bool FjernDublet(Plan *plan, uint32_t r) {
  if (plan->GrundTab[r].KopiAf) r = plan->GrundTab[r].KopiAf;
  const GrundRaekke g = plan->GrundTab[r];
  bool tal = HarNogetTal(plan, r) || g.Medarbejder1 || g.Medarbejder2;
  for (uint32_t n = 1; n <= plan->GrundTabAntal && !tal; ++n)
    if (plan->GrundTab[n].KopiAf == r) tal = HarNogetTal(plan, n);
  if (tal) {
    MessageBoxA(plan->hwndPlan, kDubletTal, "OBS!", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  PlanLaas laas;
  Gemning gemning;
  for (uint32_t n = 1; n <= plan->GrundTabAntal; ++n) {
    GrundRaekke &o = plan->GrundTab[n];
    if (n == r || plan->ObjTypeTab[n] != PLAN_FAG || o.KopiAf || o.ffpg_id != g.ffpg_id ||
        o.Aktivitet != g.Aktivitet || o.Skolefag != g.Skolefag || o.Dublet <= g.Dublet)
      continue;
    --o.Dublet;
    GemRaekke(plan, n, false);
  }
  if (g.GrundRec) SletPlanRaekke(g.GrundRec);
  for (uint32_t n = 1; n <= plan->GrundTabAntal; ++n)
    if (plan->GrundTab[n].KopiAf == r) RydRaekke(plan, n);
  RydRaekke(plan, r);
  if (!gemning.Fuldfoer()) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(plan->hwndPlan, fejl);
  }
  return true;
}

// The activity heading of a row in view 'A': the row itself, or the
// nearest kind-1 row above a subject row.
uint32_t AktiOverskrift(const Plan *plan) {
  const uint32_t pos = plan->StyrY.Pos.Aktuel;
  const uint32_t r = Raekke(plan);
  if (RaekkeArt(plan, r) == PLAN_AKTI) return r;
  if (RaekkeArt(plan, r) != PLAN_FAG) return 0;
  const uint32_t foer = FindRaekkeFoer(plan->Ens.ObjTab, plan->ObjTypeTab, pos, PLAN_AKTI);
  return foer ? plan->Ens.ObjTab[foer] : 0;
}

// Text for the edit box of the current cell on Enter; empty when the
// cell shows nothing.
void ForudfyldUge(const Plan *plan, uint32_t r, uint32_t c, char *tekst, size_t n) {
  tekst[0] = 0;
  const uint32_t art = RaekkeArt(plan, r);
  const TalPost *t = UgePost(plan, r, c);
  const PerPost *p = PeriodePost_(plan, r, c);
  if (art == PLAN_FAG) {
    if (plan->UnderVisning == 2) {
      const float eks = t ? t->Eksametid : p ? p->Eksametid : 0.0f;
      if (eks > 0.0f) snprintf(tekst, n, "%ld", std::lround(eks * 100.0f));
    } else if (plan->UnderVisning == 0) {
      const int32_t lek = t ? t->Lektioner : p ? p->Lektioner : 0;
      if (lek != 0) snprintf(tekst, n, "%d", lek / 10);
    }
  } else if (art == PLAN_OPG_TIMER) {
    const float timer = t ? t->Timer : p ? p->Timer : 0.0f;
    if (timer > 0.0f) snprintf(tekst, n, "%ld", std::lround(timer));
  }
}

void AabnValg(Plan *plan, bool vent) {
  if (vent && hPlanMutex) VentPaaMutex(hPlanMutex);
  VisPlanValgListe(plan, 0);
}

void Enter(Plan *plan, uint8_t *res) {
  const uint32_t r = Raekke(plan);
  const uint32_t art = RaekkeArt(plan, r);
  const uint32_t lx = VenstreArt(plan);
  char tekst[32] = "";
  if (!r) return;
  if ((art == 0 || art == PLAN_MEDA || art == PLAN_OPG_AKTI) && lx == 22) {
    AabnValg(plan, false);
    return;
  }
  if (art == PLAN_AKTI && lx == 25) {
    if (plan->GrundTab[r].Budget) snprintf(tekst, sizeof tekst, "%u", plan->GrundTab[r].Budget & ~(1u << 30));
    PlanRedigerCelle(plan, tekst);
    return;
  }
  const bool talRaekke = art == PLAN_FAG || art == PLAN_OPG_TIMER || art == PLAN_POST || art == PLAN_FREMMED_FAG ||
                         art == PLAN_FREMMED_OPG_TIMER;
  if (!talRaekke || !PlanCelleRedigerbar(plan)) return;
  const GrundRaekke &g = plan->GrundTab[r];
  switch (lx) {
    case 0:
      break;
    case 22:
      AabnValg(plan, true);
      return;
    case 23:
    case 24:
      CleanupAVS(&AktuelAVS);
      if (g.Aktivitet) AddAVSEgenskab(&AktuelAVS, 'K', g.Aktivitet, 0, -1.0f);
      if (g.Skolefag) AddAVSEgenskab(&AktuelAVS, 'U', g.Skolefag, 0, -1.0f);
      AabnValg(plan, true);
      return;
    case 25:
    case 26: {
      const uint32_t v = lx == 25 ? g.Budget & ~(1u << 30) : g.LektionsBlok;
      if (v) snprintf(tekst, sizeof tekst, "%u", v);
      PlanRedigerCelle(plan, tekst);
      return;
    }
    default:
      return;
  }
  const uint32_t c = Kolonne(plan);
  if (!c) return;
  ForudfyldUge(plan, r, c, tekst, sizeof tekst);
  const uint32_t kart = KolonneArt(plan, c);
  if (plan->UnderVisning == 1 && kart >= PLAN_KOL_TOTAL && kart <= PLAN_KOL_UGE) {
    RedigerRettearbejde(plan);
    *res = 1;
    return;
  }
  PlanRedigerCelle(plan, tekst);
}

void Indsaet(Plan *plan, uint8_t *res) {
  const uint32_t r = Raekke(plan);
  const uint32_t art = RaekkeArt(plan, r);
  const uint32_t lx = VenstreArt(plan);
  if (!r || !PlanCelleRedigerbar(plan)) return;
  bool aendret = false;
  if (lx) {
    if ((art == PLAN_AKTI || art == PLAN_FAG) && (lx == 25 || lx == 26)) {
      GrundRaekke &g = plan->GrundTab[r];
      (lx == 25 ? g.Budget : g.LektionsBlok) = plan->KopiLektioner;
      GemRaekke(plan, r, false);
      MarkerPlanEksport();
      *res = 1;
    }
  } else if (const uint32_t c = Kolonne(plan)) {
    const uint32_t kart = KolonneArt(plan, c);
    char timer[32];
    snprintf(timer, sizeof timer, "%.2f", static_cast<double>(plan->KopiTimer));
    if (art == PLAN_FAG) {
      if (plan->UnderVisning && (kart == PLAN_KOL_PERIODE || kart == PLAN_KOL_UGE))
        aendret = SaetRetteEksamen(plan, c, r, timer);
      else if (plan->UnderVisning == 0)
        aendret = SaetLektioner(plan, c, r, static_cast<int32_t>(std::min<uint32_t>(plan->KopiLektioner, INT32_MAX)));
    } else if (art == PLAN_OPG_TIMER) {
      aendret = SaetTimer(plan, c, r, timer);
    }
  }
  if (aendret) {
    MarkerPlanEksport();
    StartPlanTraad(plan, 3);
    *res = 1;
  }
  SendGentag(plan);
}

void Slet(Plan *plan, const TastInfo *t, uint8_t *res) {
  const uint32_t r = Raekke(plan);
  const uint32_t art = RaekkeArt(plan, r);
  const uint32_t lx = VenstreArt(plan);
  const HWND h = plan->hwndPlan;
  if (!r) return;
  GrundRaekke &g = plan->GrundTab[r];
  bool fjernAnmodet = false;
  if ((art == PLAN_AKTI || art == PLAN_OPG_AKTI) && lx == 22) {
    // The row goes away with its activity: the cursor stays where it is.
    if (g.Aktivitet && h) SendMessageA(h, VALG_AFMARKERET, 'K', 0);
    HentPosteringer(plan);
    StartPlanTraad(plan, 1);
    *res = 1;
    return;
  }
  if ((art == PLAN_AKTI || art == PLAN_FAG) && (lx == 25 || lx == 26)) {
    if (lx == 25)
      g.Budget = 0;
    else
      g.LektionsBlok = 0;
    if (lx == 25) BeregnBudget(plan);
    MarkerPlanEksport();
    GemRaekke(plan, r, false);
    *res = 1;
  } else if (art == PLAN_FAG && lx == 22) {
    if (plan->Visning == 'M') return;
    const bool fjernet = (t->ctrl || g.Dublet) ? FjernDublet(plan, r) : SkjulRaekke(plan, r);
    if (!fjernet) return;
    const uint32_t pos = plan->StyrY.Pos.Aktuel;
    BygRaekker(plan, true);
    plan->StyrY.Pos.Aktuel = std::min(pos, plan->StyrY.Pos.Antal);
    PlanLayoutSkiftet(plan);
    MarkerPlanEksport();
    *res = 1;
  } else if (art == PLAN_FAG && (lx == 23 || lx == 24)) {
    const uint32_t anfo = lx == 23 ? g.Medarbejder1 : g.Medarbejder2;
    if (anfo && FjernMedarbejderFraRaekke(plan, anfo, r)) {
      GenopbygRaekker(plan);
      MarkerPlanEksport();
      StartPlanTraad(plan, 3);
      *res = 1;
    }
    fjernAnmodet = true;
  } else if ((art == PLAN_MEDA || art == PLAN_OPG_TIMER) && lx == 22 && ErOverskriftVisning(plan->Visning)) {
    const char bogstav = plan->Visning == 'M' && art == PLAN_OPG_TIMER ? 'K' : 'M';
    if (h) SendMessageA(h, VALG_AFMARKERET, static_cast<WPARAM>(bogstav), 0);
    fjernAnmodet = true;
    *res = 1;
  } else if (lx == 0) {
    const uint32_t c = Kolonne(plan);
    const uint32_t kart = KolonneArt(plan, c);
    bool aendret = false;
    if (c && art == PLAN_FAG) {
      if (plan->UnderVisning && (kart == PLAN_KOL_PERIODE || kart == PLAN_KOL_UGE))
        aendret = SletRetteEksamen(plan, c, r, plan->UnderVisning == 1 ? 64 : 32);
      else if (plan->UnderVisning == 0)
        aendret = SletLektioner(plan, c, r);
    } else if (c && art == PLAN_OPG_TIMER) {
      aendret = SletLektioner(plan, c, r);
    }
    if (aendret) {
      MarkerPlanEksport();
      StartPlanTraad(plan, 3);
      *res = 1;
    }
  }
  if (fjernAnmodet && Raekke(plan)) {
    HentPosteringer(plan);
    StartPlanTraad(plan, 1);
  }
  SendGentag(plan);
}

void GemAltPaany(Plan *plan) {
  const int svar = MessageBoxA(plan->hwndPlan, kGemAltTekst, kGemAltTitel,
                               MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
  if (svar != IDOK) return;
  plan->GemAlt = 1;
  if (plan->hwndPlan) SendMessageA(plan->hwndPlan, kGemVentende, 0, 0);
}

// V in view 'A': the employee with the most student lessons onto the
// rows the modifiers choose.
void VipKey(Plan *plan, const TastInfo *t) {
  const uint32_t valg[3] = {t->shift ? 1u : 0u, t->ctrl ? 1u : 0u, t->alt ? 1u : 0u};
  if (Vip(plan, valg)) MarkerPlanEksport();
  GenopbygRaekker(plan);
  StartPlanTraad(plan, 2);
}

void Detalje(Plan *plan) {
  plan->DetaljeNiveau = static_cast<uint8_t>((plan->DetaljeNiveau + 1) % 3);
  PlanFeltLayout &kol = plan->LayoutKolonne;
  kol.SwitchNr = plan->DetaljeNiveau ? 1 : static_cast<uint8_t>(ObjSwitchValgt(static_cast<uint32_t>(kol.Art), kol.Bogstav));
  kol.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(static_cast<uint32_t>(kol.Art), kol.Bogstav, kol.SwitchNr));
  BygHoejreKolonner(plan);
  PlanLayoutSkiftet(plan);
}

bool KolonneAendret(const Plan *plan) {
  return plan->StyrX.Forrige != plan->StyrX.Pos.Aktuel || plan->StyrLX.Forrige != plan->StyrLX.Pos.Aktuel ||
         plan->StyrRX.Forrige != plan->StyrRX.Pos.Aktuel;
}

// ---- The first step ----

bool ErCiffer(UINT k) { return (k >= '0' && k <= '9') || k == VK_OEM_MINUS || k == VK_SUBTRACT; }

// The keys the plan window takes; anything else stays with the main window.
bool PlanensTast(const TastInfo *t) {
  const UINT k = t->wParam;
  switch (k) {
    case VK_F4:
      return t->ctrl != 0;
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_RETURN:
    case VK_INSERT:
    case VK_DELETE:
    case 'T':
    case 'D':
    case 'E':
    case 'R':
    case 'F':
    case 'I':
    case 'L':
    case 'M':
    case 'P':
    case 'S':
    case 'V':
    case 'X':
    case 'Y':
      return true;
    default:
      return ErCiffer(k);
  }
}

// One step on an axis; an axis whose visible count is not known yet moves
// a cell at a time.
void Trin(GridPos *p, UINT k, const TastInfo *t) {
  if (p->Antal == 0) return;
  if (p->Synlige) {
    GridTastFlytTrin(p, k, t->ctrl, t->alt, false, 2);
    return;
  }
  const bool tilbage = k == VK_LEFT || k == VK_UP || k == VK_PRIOR;
  uint32_t c = p->Aktuel;
  if (c == 0)
    c = 1;
  else if (tilbage)
    c = c > 1 ? c - 1 : 1;
  else if (c < p->Antal)
    ++c;
  p->Aktuel = c;
}

// Left and Right on the axis that holds the cursor; the caption columns
// and the weeks join, so the keyboard reaches every editable column.
void Vandret(Plan *plan, UINT k, const TastInfo *t) {
  GridPos *lx = &plan->StyrLX.Pos, *x = &plan->StyrX.Pos, *rx = &plan->StyrRX.Pos;
  const bool venstre = k == VK_LEFT;
  if (lx->Aktuel) {
    if (venstre) {
      if (lx->Aktuel > 1) --lx->Aktuel;
    } else if (lx->Aktuel < lx->Antal) {
      ++lx->Aktuel;
    } else if (x->Antal) {
      lx->Aktuel = 0;
      if (x->Aktuel == 0) x->Aktuel = std::max<uint32_t>(x->Foerste, 1);
    }
    return;
  }
  if (rx->Aktuel) {
    if (!venstre && rx->Aktuel < rx->Antal)
      ++rx->Aktuel;
    else if (venstre)
      --rx->Aktuel;  // from its first column back into the weeks
    return;
  }
  if (venstre && (x->Aktuel <= 1 || x->Antal == 0) && lx->Antal && !t->alt && !t->ctrl) {
    lx->Aktuel = lx->Antal;
    return;
  }
  Trin(x, k, t);
}

void HjemSlut(Plan *plan, UINT k) {
  GridPos *p = plan->StyrLX.Pos.Aktuel ? &plan->StyrLX.Pos
               : plan->StyrRX.Pos.Aktuel ? &plan->StyrRX.Pos
                                         : &plan->StyrX.Pos;
  if (p->Antal) p->Aktuel = k == VK_HOME ? 1 : p->Antal;
}

}  // namespace

// ---- Public ----

bool PlanCelleRedigerbar(const Plan *plan) {
  if (!plan) return false;
  const uint32_t r = Raekke(plan);
  if (!r) return false;
  const uint32_t art = RaekkeArt(plan, r);
  const uint32_t lx = VenstreArt(plan);
  const bool mo = ErOverskriftVisning(plan->Visning);
  const uint32_t c = lx ? 0 : Kolonne(plan);
  const uint32_t kart = KolonneArt(plan, c);
  switch (art) {
    case PLAN_AKTI:
      return lx == 25;
    case PLAN_FAG:
      if (plan->UnderVisning) return !lx && plan->Visning == 'A' && (kart == PLAN_KOL_PERIODE || kart == PLAN_KOL_UGE);
      if (lx) return mo || (lx >= 23 && lx <= 26);
      if (!c) return false;
      if (mo && plan->MedaVisning) return false;
      return UgeFlagTillader(plan, r, c);
    case PLAN_OPG_TIMER:
    case PLAN_POST:
    case PLAN_FREMMED_FAG:
    case PLAN_FREMMED_OPG_TIMER:
      if (lx) return lx == 25 || lx == 26 || (lx == 22 && mo);
      return c && UgeFlagTillader(plan, r, c);
    default:
      return false;
  }
}

void PlanHuskKopi(Plan *plan, const char *tekst) {
  if (!plan || !tekst) return;
  char buf[64];
  snprintf(buf, sizeof buf, "%s", tekst);
  if (char *komma = strchr(buf, ',')) *komma = '.';
  char *slut = nullptr;
  const double v = strtod(buf, &slut);
  if (slut == buf || !std::isfinite(v) || std::fabs(v) > 1e7) return;
  plan->KopiLektioner = v > 0 ? static_cast<uint32_t>(v) : 0;
  plan->KopiTimer = static_cast<float>(v);
}

int PlanTastTrin(Plan *plan, TastInfo *tast, int mode) {
  if (!plan || !tast || tast->message == WM_SYSCOMMAND) return 0;
  const UINT k = tast->wParam;
  if (k == VK_SHIFT || k == VK_CONTROL || k == VK_MENU) return 0;
  if (mode != 2) return PlanensTast(tast) ? 1 : 0;
  plan->Ens.SoegTekst[0] = 0;
  if (!PlanensTast(tast)) return 0;
  switch (k) {
    case VK_LEFT:
    case VK_RIGHT:
      Vandret(plan, k, tast);
      break;
    case VK_HOME:
    case VK_END:
      HjemSlut(plan, k);
      break;
    case VK_UP:
    case VK_DOWN:
      Trin(&plan->StyrY.Pos, k, tast);
      break;
    case VK_PRIOR:
    case VK_NEXT:
      // Without Ctrl these keys change the view (PlanTast).
      if (tast->ctrl) {
        GridPos *z = &plan->StyrZ.Pos;
        if (z->Antal && z->Aktuel == 0)
          z->Aktuel = 1;
        else if (k == VK_PRIOR && z->Aktuel > 1)
          --z->Aktuel;
        else if (k == VK_NEXT && z->Aktuel < z->Antal)
          ++z->Aktuel;
      }
      break;
    default:
      if (k >= '0' && k <= '9' && !tast->shift) {
        plan->Ens.SoegTekst[0] = 0;
        GridCifferIndtast(plan->hwndPlan, k, false, true, 0, plan->Ens.SoegTekst, sizeof plan->Ens.SoegTekst, 2);
      }
      break;
  }
  return 1;
}

void PlanTast(Plan *plan, TastInfo *tast, uint8_t *resultat) {
  uint8_t dummy = 0;
  uint8_t *res = resultat ? resultat : &dummy;
  *res = 0;
  if (!plan || !tast) return;
  const UINT k = tast->wParam;
  const bool shift = tast->shift != 0, ctrl = tast->ctrl != 0, alt = tast->alt != 0;
  const bool ingen = !shift && !ctrl && !alt;

  // ---- First level ----
  switch (k) {
    case VK_F4:
      if (ctrl) LukVindue(plan);  // the plan may be freed now
      return;
    case VK_ESCAPE:
      if (plan->UnderVisning) {
        NormalVisning(plan);
        *res = 1;
      }
      return;
    case 'T':
      if (!ingen) break;
      if (plan->Visning == 'A')
        SkiftTildelVindue();
      else
        AabnValg(plan, false);
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
      plan->GentagTast = (k == VK_LEFT || k == VK_RIGHT) ? k : plan->GentagTast;
      if (KolonneAendret(plan)) {
        PlanHScrollInfo(plan);
        *res = 2;
      }
      return;
    case VK_UP:
    case VK_DOWN:
      plan->GentagTast = k;
      if (plan->StyrY.Forrige != plan->StyrY.Pos.Aktuel) {
        PlanVScrollInfo(plan);
        *res = 4;
      }
      return;
    case VK_PRIOR:
    case VK_NEXT:
      if (!ctrl) break;
      if (plan->StyrZ.Pos.Aktuel != plan->StyrZ.Forrige) {
        const uint32_t forrige = plan->StyrZ.Forrige;
        if (SkiftGruppe(plan, forrige)) {
          plan->GruppeSkiftet = 1;
          *res = 1;
        }
        plan->StyrZ.Forrige = plan->StyrZ.Pos.Aktuel;
      }
      return;
    default:
      break;
  }

  // A view without rows (view 'O' of a group without hours rows) must
  // still be left by the keys that led into it.
  if (k == VK_PRIOR || k == VK_NEXT) {
    if (plan->StyrX.Pos.Antal == 0 && plan->StyrY.Pos.Antal == 0) return;
    SkiftVisning(plan, k == VK_NEXT);
    *res = 1;
    return;
  }

  // ---- Second level: only over rows and columns ----
  if (plan->StyrY.Pos.Antal == 0 || plan->StyrX.Pos.Antal == 0) return;
  const uint32_t r = Raekke(plan);
  const uint32_t art = RaekkeArt(plan, r);
  const bool mo = ErOverskriftVisning(plan->Visning);
  switch (k) {
    case 'D':
      if (ctrl && plan->Visning == 'A' && art == PLAN_FAG) {
        NyDublet(plan, r);
        *res = 1;
      } else if (!ctrl && mo && plan->MedaVisning) {
        Detalje(plan);
        *res = 1;
      }
      return;
    case 'E':
      if (shift && ctrl) {
        if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, WM_COMMAND, kEksportAutoSkemaKommando, 0);
        return;
      }
      if (plan->Visning == 'O') return;
      if (plan->UnderVisning == 2)
        NormalVisning(plan);
      else
        SaetEksametidLayout(plan);
      *res = 1;
      return;
    case 'R':
      if (plan->Visning == 'O') return;
      if (plan->UnderVisning == 1)
        NormalVisning(plan);
      else
        SaetRettearbejdLayout(plan);
      *res = 1;
      return;
    case 'F':
      if (plan->Visning != 'A') return;
      plan->FagVisning = static_cast<uint8_t>((plan->FagVisning + 1) % 3);
      GenopbygRaekker(plan);
      PlanLayoutSkiftet(plan);
      *res = 1;
      return;
    case 'I':
      if (shift && ctrl && hwndHoved && IsWindow(hwndHoved))
        SendMessageA(hwndHoved, WM_COMMAND, kImportAutoSkemaKommando, 0);
      return;
    case 'L':
      if (!mo) return;
      plan->MedaVisning = plan->MedaVisning ? 0 : 1;
      BygHoejreKolonner(plan);
      PlanLayoutSkiftet(plan);
      *res = 1;
      return;
    case 'M':
      if (ctrl) PlanRedigerCelle(plan, "");
      return;
    case 'P': {
      if (!mo) return;
      const uint32_t valg[3] = {shift ? 1u : 0u, ctrl ? 1u : 0u, alt ? 1u : 0u};
      VipPlanposter(plan, valg);
      HentPosteringer(plan);
      GenopbygRaekker(plan);
      PlanLayoutSkiftet(plan);
      *res = 1;
      return;
    }
    case 'S':
      if (ctrl && shift && !alt) {
        GemAltPaany(plan);
      } else if (ctrl && !shift && !alt) {
        if (plan->Visning != 'A') return;
        const uint32_t h = AktiOverskrift(plan);
        if (!h) return;
        GrundRaekke &o = plan->GrundTab[h];
        o.Arbejd[0] = o.Arbejd[0] ? 0 : 1;
        bool sorter = false;
        for (uint32_t n = 1; n <= plan->GrundTabAntal && !sorter; ++n)
          sorter = plan->ObjTypeTab[n] && plan->GrundTab[n].Skjult == o.Arbejd[0];
        if (sorter) {
          GenopbygRaekker(plan);
          *res = 1;
        }
      } else if (ingen && plan->hwndPlan) {
        SendMessageA(plan->hwndPlan, kGemVentende, 0, 1);
      }
      return;
    case 'V':
      if (plan->UnderVisning) return;
      if (plan->Visning == 'A') {
        VipKey(plan, tast);
        *res = 1;
      } else if (plan->Visning == 'M') {
        const uint32_t anfo = r ? plan->GrundTab[r].Medarbejder1 : 0;
        plan->VisSkeLekt = plan->VisSkeLekt ? 0 : 1;
        BygRaekker(plan, true);
        if (anfo) FindPlanRaekke(plan, anfo, 0, PLAN_MEDA);
        PlanLayoutSkiftet(plan);
        *res = 1;
      }
      return;
    case 'X': {
      if (plan->UnderVisning) return;
      const uint32_t kart = KolonneArt(plan, Kolonne(plan));
      const bool gruppe = shift && ctrl && kart == PLAN_KOL_PERIODE;
      if (FoldKolonne(plan, gruppe, gruppe)) {
        PlanLayoutSkiftet(plan);
        *res = 1;
      }
      return;
    }
    case 'Y':
      if (FoldRaekke(plan, false)) {
        PlanLayoutSkiftet(plan);
        *res = 1;
      }
      return;
    case VK_RETURN:
      Enter(plan, res);
      return;
    case VK_INSERT:
      Indsaet(plan, res);
      return;
    case VK_DELETE:
      Slet(plan, tast, res);
      return;
    default:
      break;
  }
  if (!ErCiffer(k) || shift || Kolonne(plan) == 0 || !PlanCelleRedigerbar(plan)) return;
  const bool minus = k == VK_OEM_MINUS || k == VK_SUBTRACT;
  if (minus && plan->UnderVisning == 2) return;
  const uint32_t kart = KolonneArt(plan, Kolonne(plan));
  if (plan->UnderVisning == 1 && kart != PLAN_KOL_PERIODE && kart != PLAN_KOL_UGE) return;
  char tekst[2] = {minus ? '-' : static_cast<char>(k), 0};
  plan->Ens.SoegTekst[0] = 0;
  PlanRedigerCelle(plan, tekst);
}
