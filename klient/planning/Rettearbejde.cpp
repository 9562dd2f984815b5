// The marking-work sub-views and the "Rette arbejde" dialog. The dialog
// works on a copy of the cell's figures; only OK with a total other than 0
// touches the plan, and then through the same store as a typed figure, so
// the cell's locks, spreading and record writes stay in one place.
#include "Rettearbejde.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "AKTICHK.h"
#include "DATO.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanUtil.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "PROGVINDUER.h"
#include "PlanFold.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "rettedlg.h"
#include "win/controls.h"

namespace {

constexpr uint32_t kArtKolonne = 111;
constexpr uint32_t kArtVenstre = 113;
constexpr uint32_t kKolHovedHoejde = 38;
constexpr const char *kSektion = "ffplan";

// Beyond this a typed figure is no figure: products of such values would
// overflow the float fields.
constexpr double kStoersteTal = 1e7;

void SaetUnderVisning(Plan *plan, uint8_t underVisning, const char *titel) {
  if (!plan) return;
  plan->UnderVisning = underVisning;
  snprintf(plan->Ens.Titel, sizeof plan->Ens.Titel, "%s", titel);
  plan->Ens.EgenRamme = 1;
  plan->Ens.CaptionAktiv = 1;
  plan->VisSkeLekt = 0;
  plan->DetaljeNiveau = 2;
  plan->MedaVisning = 1;
  PlanFeltLayout &kol = plan->LayoutKolonne;
  kol.Art = kArtKolonne;
  kol.Bogstav = '#';
  kol.SwitchNr = 1;
  kol.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(kArtKolonne, '#', 1));
  PlanFeltLayout &v = plan->LayoutVenstre;
  v.Art = kArtVenstre;
  v.Bogstav = '#';
  v.SwitchNr = 3;
  v.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(kArtVenstre, '#', 3));
  // The sub-view's figures are entered in the week area only.
  plan->StyrLX.Pos.Aktuel = 0;
  if (!plan->GrundTab) return;
  HuskPlanCursor(plan);
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  BygKolonner(plan);
  BygSynligeKolonner(plan);
  BygRaekker(plan, true);
  BevarKolonneCursor(plan);
  BevarRaekkeCursor(plan);
  plan->StyrLX.Pos.Aktuel = 0;
  Ens &e = plan->Ens;
  e.RaekkeHovedBredde = KolonneStart(plan, plan->StyrLX.Pos.Antal + 1, PLAN_OMR_VENSTRE);
  e.HoejreBredde = KolonneStart(plan, plan->StyrRX.Pos.Antal + 1, PLAN_OMR_HOEJRE);
  e.KolHovedHoejde = kKolHovedHoejde;
  if (plan->hwndPlan && IsWindow(plan->hwndPlan)) TilpasVindueFuld(plan->hwndPlan);
}

// The row an edit works on: the source of a display copy.
uint32_t KildeRaekke(const Plan *plan, uint32_t r) {
  const uint32_t k = plan->GrundTab[r].KopiAf;
  return k >= 1 && k <= plan->GrundTabAntal && plan->GrundTab[k].TalTab && plan->GrundTab[k].PerTab ? k : r;
}

// The current cell of a subject row that has week entries: its row (the
// source of a copy), its column and the column's kind; false elsewhere.
struct RetteCelle {
  uint32_t raekke = 0;  // as shown
  uint32_t kilde = 0;
  uint32_t kolonne = 0;
  uint32_t art = 0;
  uint32_t uge = 0;     // the week's index in the schedule period
  uint32_t periode = 0; // the period's position
};

bool FindCelle(const Plan *plan, RetteCelle *c) {
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || r > plan->GrundTabAntal || !plan->ObjTypeTab || plan->ObjTypeTab[r] != PLAN_FAG) return false;
  if (!plan->GrundTab[r].TalTab || !plan->GrundTab[r].PerTab) return false;
  const uint32_t pos = plan->StyrX.Pos.Aktuel;
  if (!plan->StyrX.ObjTab || !plan->ObjTypeTabX || pos == 0 || pos > plan->StyrX.Pos.Antal) return false;
  const uint32_t k = plan->StyrX.ObjTab[pos];
  if (k == 0 || k > plan->KolonneAntal) return false;
  c->raekke = r;
  c->kilde = KildeRaekke(plan, r);
  c->kolonne = k;
  c->art = plan->ObjTypeTabX[k];
  if (c->art == PLAN_KOL_UGE) {
    if (!plan->UgeTab) return false;
    c->uge = UgeTilIndeks(plan->UgeTab[k]);
    return c->uge <= plan->UgeAntal + 1;
  }
  if (c->art == PLAN_KOL_PERIODE) {
    c->periode = plan->PPeriode ? plan->PPeriode[k] : 0;
    return c->periode >= 1 && c->periode <= plan->PeriodeAntal && c->periode <= plan->UgeAntal + 1 &&
           plan->PeriodeTab;
  }
  return false;
}

uint32_t Heltal(float v) { return v > 0.0f && v < 4e9f ? static_cast<uint32_t>(std::lround(v)) : 0u; }

Dato Onsdag(Uge uge) { return uge ? UgeDagTilDato(uge, 3) : 0; }

float Indstilling(const char *noegle) {
  return static_cast<float>(GetPrivateProfileIntA(kSektion, noegle, 0, StiTab.szini)) / 100.0f;
}

void SkrivIndstilling(const char *noegle, float vaerdi) {
  char tekst[32];
  snprintf(tekst, sizeof tekst, "%.0f", static_cast<double>(vaerdi) * 100.0);
  WritePrivateProfileStringA(kSektion, noegle, tekst, StiTab.szini);
}

// A number as the dialog shows it: two decimals with a decimal comma.
void Komma(char *tekst, size_t stoerrelse, double v) {
  snprintf(tekst, stoerrelse, "%.2f", v);
  if (char *p = std::strrchr(tekst, '.')) *p = ',';
}

// The text of a field as a number; what is no number is 0.
double LaesFelt(HWND dlg, int id) {
  char tekst[64] = {};
  GetDlgItemTextA(dlg, id, tekst, sizeof tekst);
  for (char *p = tekst; *p; ++p)
    if (*p == ',') *p = '.';
  char *slut = nullptr;
  const double v = std::strtod(tekst, &slut);
  if (slut == tekst || !std::isfinite(v) || std::fabs(v) > kStoersteTal) return 0.0;
  return v;
}

uint32_t LaesAntal(HWND dlg, int id) {
  const double v = LaesFelt(dlg, id);
  return v > 0.0 ? static_cast<uint32_t>(v) : 0u;
}

constexpr int kFelter[] = {IDC_RETTE_ELEVER,   IDC_RETTE_OPGAVER,  IDC_RETTE_MINUTTER, IDC_RETTE_AKKORD,
                           IDC_RETTE_FAKTOR,   IDC_RETTE_ELEVTID,  IDC_RETTE_RETTETID, IDC_RETTE_ARBEJD1,
                           IDC_RETTE_ARBEJD2,  IDC_RETTE_IALT};

bool ErFelt(int id) { return std::find(std::begin(kFelter), std::end(kFelter), id) != std::end(kFelter); }

// What the dialog keeps beside the caller's record: the total last shown,
// to tell a total typed over it, and whether the dialog is ending (its
// fields then lose the focus without the user leaving them).
struct RetteDialog {
  RetteData *data;
  float vistIalt;
  bool slutter;
};

RetteDialog *Dialog(HWND dlg) { return reinterpret_cast<RetteDialog *>(GetWindowLongPtrA(dlg, DWLP_USER)); }

void Vis(HWND dlg, RetteDialog *r) {
  VisRetteData(dlg, r->data);
  r->vistIalt = r->data->RettearbejdIalt;
}

void Genberegn(HWND dlg, RetteDialog *r) {
  LaesRetteData(dlg, r->data);
  BeregnRettearbejd(r->data);
  r->data->RettearbejdIalt = r->data->Rettearbejd1 + r->data->Rettearbejd2;
  Vis(dlg, r);
}

// Stores the dialog's figures in the cell; false, with the plan as it
// was, when the cell takes nothing.
bool GemRettearbejde(Plan *plan, const RetteData &d) {
  RetteCelle c;
  if (d.RettearbejdIalt == 0.0f || !FindCelle(plan, &c)) return false;
  GrundRaekke &r = plan->GrundTab[c.kilde];
  // The counts go in before the figure is stored, so the record the store
  // writes carries them; a refused store puts them back.
  PerPost gemtPer{};
  TalPost gemtUge{};
  if (c.art == PLAN_KOL_PERIODE) {
    PerPost &e = r.PerTab[c.periode];
    gemtPer = e;
    e.Arbejd = d.AntalElever;
    e.Elevtid_per_elev = d.ElevtidPrElev;
    e.Opgave_antal = static_cast<float>(d.AntalOpgaver);
    e.Minutter_per_opgave = static_cast<float>(d.MinutterPrOpgave);
  } else {
    TalPost &t = r.TalTab[c.uge];
    gemtUge = t;
    t.ElevAntal = d.AntalElever;
    t.Elevtid_per_elev = d.ElevtidPrElev;
    t.Opgave_antal = static_cast<float>(d.AntalOpgaver);
    t.Minutter_per_opgave = static_cast<float>(d.MinutterPrOpgave);
  }
  char tekst[48];
  snprintf(tekst, sizeof tekst, "%.2f", static_cast<double>(d.RettearbejdIalt));
  if (!SaetRetteEksamen(plan, c.kolonne, c.raekke, tekst)) {
    if (c.art == PLAN_KOL_PERIODE)
      r.PerTab[c.periode] = gemtPer;
    else
      r.TalTab[c.uge] = gemtUge;
    return false;
  }
  // The display copy shows the same counts as its source.
  if (c.kilde != c.raekke && c.art == PLAN_KOL_UGE) {
    TalPost &kopi = plan->GrundTab[c.raekke].TalTab[c.uge];
    const TalPost &kilde = r.TalTab[c.uge];
    kopi.ElevAntal = kilde.ElevAntal;
    kopi.Elevtid_per_elev = kilde.Elevtid_per_elev;
    kopi.Opgave_antal = kilde.Opgave_antal;
    kopi.Minutter_per_opgave = kilde.Minutter_per_opgave;
  }
  r.ElevAntal = d.AntalElever;
  plan->GrundTab[c.raekke].ElevAntal = d.AntalElever;
  if (!GlobalIndstillinger.skemalaast) {
    SkrivIndstilling("akkord", d.Akkord);
    SkrivIndstilling("omrgnfaktor", d.Omregningsfaktor);
  }
  return true;
}

}  // namespace

void SaetRettearbejdLayout(Plan *plan) { SaetUnderVisning(plan, 1, "Planl\xE6gning - TAVO - Rettearbejde"); }
void SaetEksametidLayout(Plan *plan) { SaetUnderVisning(plan, 2, "Planl\xE6gning - TAVO - Eksametid"); }

void BeregnRettearbejd(RetteData *d) {
  if (!d) return;
  d->RettetidPrElev = d->Omregningsfaktor * d->Akkord * d->ElevtidPrElev;
  d->Rettearbejd1 = static_cast<float>(d->AntalElever) * d->RettetidPrElev;
  const uint64_t minutter =
      static_cast<uint64_t>(d->AntalElever) * d->AntalOpgaver * static_cast<uint64_t>(d->MinutterPrOpgave);
  d->Rettearbejd2 = static_cast<float>(minutter / 60u);
}

void FyldRetteData(const Plan *plan, RetteData *d) {
  if (!d) return;
  std::memset(d, 0, sizeof *d);
  d->Akkord = Indstilling("akkord");
  d->Omregningsfaktor = Indstilling("omrgnfaktor");
  RetteCelle c;
  if (plan && plan->GrundTab && FindCelle(plan, &c)) {
    const GrundRaekke &r = plan->GrundTab[c.kilde];
    float opgaver = 0.0f, minutter = 0.0f;
    if (FindRetteFaktorer(r.Skolefag, plan->AktPlanGruppe, &opgaver, &minutter)) {
      d->AntalOpgaver = Heltal(opgaver);
      d->MinutterPrOpgave = Heltal(minutter);
    }
    float antal = 0.0f, min = 0.0f;
    Dato onsdag = 0;
    if (c.art == PLAN_KOL_PERIODE) {
      const PerPost &e = r.PerTab[c.periode];
      d->ElevtidPrElev = e.Elevtid_per_elev;
      antal = e.Opgave_antal;
      min = e.Minutter_per_opgave;
      d->GemtIalt = e.Rettearbejd;
      Uge uge = plan->PeriodeTab[c.periode].Frauge;
      if (r.Aktivitet && r.Aktivitet < tvakti.wRecCnt) {
        const AktiRec *a = TabRec<AktiRec>(tvakti, r.Aktivitet);
        Uge start = 0;
        uint8_t dag = 0;
        if (a && a->Fradato) DatoTilUge(a->Fradato, &start, &dag);
        uge = std::max(uge, start);
      }
      onsdag = Onsdag(uge);
    } else {
      const TalPost &t = r.TalTab[c.uge];
      d->ElevtidPrElev = t.Elevtid_per_elev;
      antal = t.Opgave_antal;
      min = t.Minutter_per_opgave;
      d->GemtIalt = t.Rettearbejd;
      onsdag = Onsdag(plan->UgeTab[c.kolonne]);
    }
    if (antal > 0.0f) d->AntalOpgaver = Heltal(antal);
    if (min > 0.0f) d->MinutterPrOpgave = Heltal(min);
    d->AntalElever = onsdag ? GetAktiDatoElever(r.Aktivitet, onsdag) : 0;
  }
  BeregnRettearbejd(d);
  d->RettearbejdIalt = d->Rettearbejd1 + d->Rettearbejd2;
}

void VisRetteData(HWND dlg, const RetteData *d) {
  if (!dlg || !d) return;
  char tekst[48];
  auto Antal = [&](int id, uint32_t v) {
    snprintf(tekst, sizeof tekst, "%u", v);
    SetDlgItemTextA(dlg, id, tekst);
  };
  auto Tal = [&](int id, float v) {
    Komma(tekst, sizeof tekst, static_cast<double>(v));
    SetDlgItemTextA(dlg, id, tekst);
  };
  Antal(IDC_RETTE_ELEVER, d->AntalElever);
  Antal(IDC_RETTE_OPGAVER, d->AntalOpgaver);
  Antal(IDC_RETTE_MINUTTER, d->MinutterPrOpgave);
  snprintf(tekst, sizeof tekst, "%.0f", static_cast<double>(d->Akkord) * 100.0);
  SetDlgItemTextA(dlg, IDC_RETTE_AKKORD, tekst);
  Tal(IDC_RETTE_FAKTOR, d->Omregningsfaktor);
  Tal(IDC_RETTE_ELEVTID, d->ElevtidPrElev);
  Tal(IDC_RETTE_RETTETID, d->RettetidPrElev);
  Tal(IDC_RETTE_ARBEJD1, d->Rettearbejd1);
  Tal(IDC_RETTE_ARBEJD2, d->Rettearbejd2);
  Tal(IDC_RETTE_IALT, d->RettearbejdIalt);
}

void LaesRetteData(HWND dlg, RetteData *d) {
  if (!dlg || !d) return;
  d->AntalElever = LaesAntal(dlg, IDC_RETTE_ELEVER);
  d->AntalOpgaver = LaesAntal(dlg, IDC_RETTE_OPGAVER);
  d->MinutterPrOpgave = LaesAntal(dlg, IDC_RETTE_MINUTTER);
  d->Akkord = static_cast<float>(LaesFelt(dlg, IDC_RETTE_AKKORD) / 100.0);
  d->Omregningsfaktor = static_cast<float>(LaesFelt(dlg, IDC_RETTE_FAKTOR));
  d->ElevtidPrElev = static_cast<float>(LaesFelt(dlg, IDC_RETTE_ELEVTID));
  d->RettetidPrElev = static_cast<float>(LaesFelt(dlg, IDC_RETTE_RETTETID));
  d->Rettearbejd1 = static_cast<float>(LaesFelt(dlg, IDC_RETTE_ARBEJD1));
  d->Rettearbejd2 = static_cast<float>(LaesFelt(dlg, IDC_RETTE_ARBEJD2));
  d->RettearbejdIalt = static_cast<float>(LaesFelt(dlg, IDC_RETTE_IALT));
}

INT_PTR CALLBACK RetteDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *d = reinterpret_cast<RetteData *>(lParam);
      if (!d) {
        EndDialog(dlg, 2);
        return TRUE;
      }
      auto *r = new RetteDialog{d, 0.0f, false};
      SetWindowLongPtrA(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(r));
      Vis(dlg, r);
      return TRUE;
    }
    case WM_DESTROY:
      delete Dialog(dlg);
      SetWindowLongPtrA(dlg, DWLP_USER, 0);
      return FALSE;
    case WM_COMMAND: {
      RetteDialog *r = Dialog(dlg);
      if (!r) return FALSE;
      const int id = LOWORD(wParam);
      const UINT kode = HIWORD(wParam);
      if (ErFelt(id)) {
        if (kode == EN_SETFOCUS)
          SendDlgItemMessageA(dlg, id, EM_SETSEL, 0, -1);
        else if (kode == EN_KILLFOCUS && !r->slutter)
          Genberegn(dlg, r);
        return TRUE;
      }
      if (id == IDOK) {
        // A figure typed in another field and confirmed with Enter counts
        // as if its field had been left; a total typed over the one shown
        // wins over the computed one.
        LaesRetteData(dlg, r->data);
        const float skrevet = r->data->RettearbejdIalt;
        BeregnRettearbejd(r->data);
        r->data->RettearbejdIalt =
            skrevet != r->vistIalt ? skrevet : r->data->Rettearbejd1 + r->data->Rettearbejd2;
        r->slutter = true;
        EndDialog(dlg, 1);
        return TRUE;
      }
      if (id == IDCANCEL) {
        r->slutter = true;
        EndDialog(dlg, 2);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

int RedigerRettearbejde(Plan *plan) {
  if (!plan || !plan->GrundTab) return 0;
  RetteCelle c;
  if (!FindCelle(plan, &c)) return 0;
  RetteData d;
  FyldRetteData(plan, &d);
  RegistrerRetteDialog();
  const HWND ejer = hwndHoved && IsWindow(hwndHoved) ? hwndHoved : plan->hwndPlan;
  if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_RETTE), ejer, RetteDlgProc, reinterpret_cast<LPARAM>(&d)) != 1)
    return 0;
  if (GemRettearbejde(plan, d)) {
    MarkerPlanEksport();
    StartPlanTraad(plan, 3);
  }
  return 0;
}
