// The plan CSV export and the plan row sort keys.
#include "PLANCSV.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BESKEDER.h"
#include "CSVCELLE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "GEMNING.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "PLANTEKST.h"
#include "RECPRED.h"
#include "SORTIDX.h"
#include "STITAB.h"
#include "SWITCHTEGN.h"
#include "TEKST.h"
#include "VINDUER.h"
#include "win/shellapi.h"

char PlanCsvSti[MAX_PATH] = "";

namespace {

constexpr const char *kTitel = "TAVO plan til CSV";

template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

const GrundRaekke *Raekke(const Plan *plan, uint32_t raekke) {
  if (!plan || !plan->GrundTab || !plan->ObjTypeTab || raekke == 0 || raekke > plan->GrundTabAntal) return nullptr;
  return &plan->GrundTab[raekke];
}

const AktiRec *Akti(uint32_t n) { return n ? TabRec<AktiRec>(tvakti, n) : nullptr; }
const SkfaRec *Skfa(uint32_t n) { return n ? TabRec<SkfaRec>(tvskfa, n) : nullptr; }
const AnfoRec *Anfo(uint32_t n) { return n ? TabRec<AnfoRec>(tvanfo, n) : nullptr; }
const MedaRec *MedaAf(const AnfoRec *a) { return a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr; }

// A cell of the week area or the right panel: without blanks and line breaks.
void RenCelle(std::string &ud, char *tekst, bool medTab) {
  StripBlanks(tekst);
  StripCrLf(tekst);
  CsvCelle(ud, tekst, medTab);
}

// The activity's dates overlap the current group's.
bool AktiIGruppe(const Plan *plan, uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && a->Fradato <= plan->Tildato && a->Tildato >= plan->Fradato;
}

bool AktiIPlan(const Plan *plan, uint32_t akti) {
  return plan->PlanAktiTab && akti && akti <= plan->PlanAktiAntal && plan->PlanAktiTab[akti].IPlan;
}

bool AnfoIPlan(const Plan *plan, uint32_t anfo) {
  return plan->PlanAnfoTab && anfo && anfo <= plan->PlanAnfoAntal && plan->PlanAnfoTab[anfo].IPlan;
}

// The employment is the first employment of a row of the current group.
bool AnfoHarRaekke(const Plan *plan, uint32_t anfo) {
  if (anfo == 0) return false;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->GrundTab[r].ffpg_id == plan->AktPlanGruppe && plan->GrundTab[r].Medarbejder1 == anfo) return true;
  return false;
}

// The first and last positions of an axis that are in view, within its list.
bool Synlige(const PlanStyr &s, uint32_t spring, uint32_t *fra, uint32_t *til) {
  if (!s.ObjTab || s.Pos.Synlige == 0) return false;
  *fra = s.Pos.Foerste + spring;
  *til = s.Pos.Foerste + s.Pos.Synlige - 1;
  if (*til > s.Pos.Antal) *til = s.Pos.Antal;
  return *fra >= 1 && *fra <= *til;
}

void Besked(HWND ejer, const char *tekst) { MessageBoxA(ejer, tekst, kTitel, MB_OK | MB_ICONEXCLAMATION); }

void VaelgFil(HWND ejer) {
  char mappe[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(ejer, CSIDL_PERSONAL, 0, 0, mappe)) || !mappe[0])
    if (snprintf(mappe, sizeof mappe, "%slog", StiTab.szdata) >= static_cast<int>(sizeof mappe)) mappe[0] = 0;
  char fil[MAX_PATH];
  snprintf(fil, sizeof fil, "%s\\Plan.csv", mappe);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = ejer;
  ofn.lpstrFilter = "Plan Csv fil (*.csv)\0*.csv\0";
  ofn.lpstrFile = fil;
  ofn.nMaxFile = sizeof fil;
  ofn.lpstrInitialDir = mappe;
  ofn.lpstrTitle = "Gem plan csv fil";
  ofn.lpstrDefExt = "csv";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (GetSaveFileNameA(&ofn) && fil[0])
    snprintf(PlanCsvSti, sizeof PlanCsvSti, "%s", fil);
  else if (snprintf(PlanCsvSti, sizeof PlanCsvSti, "%slog\\Plan.csv", StiTab.szdata) >= static_cast<int>(sizeof PlanCsvSti))
    PlanCsvSti[0] = 0;
}

}  // namespace

// ---- The export.

void PlanCsvHoved(const Plan *plan, std::string &ud) {
  const FfpgRec *g = plan->AktPlanGruppe ? TabRec<FfpgRec>(tvffpg, plan->AktPlanGruppe) : nullptr;
  if (!g) return;
  char linje[256];
  if (g->Ejer != PlanEgenInst())
    snprintf(linje, sizeof linje, "%s%d-%s", "Plan gruppe: ", g->Ejer, Felt(g->Navn).c_str());
  else
    snprintf(linje, sizeof linje, "Plan gruppe: %s", Felt(g->Navn).c_str());
  char rest[300];
  snprintf(rest, sizeof rest, "%s\nPeriode: %u-%u\n\n", linje, static_cast<unsigned>(g->Fradato),
           static_cast<unsigned>(g->Tildato));
  ud += rest;
}

void PlanCsvOverskrift(const Plan *plan, std::string &ud) {
  char tekst[kPlanTekstLen];
  uint32_t fra, til;
  if (Synlige(plan->StyrLX, 1, &fra, &til))
    for (uint32_t p = fra; p <= til; ++p) {
      PlanLXOverskrift(plan, plan->StyrLX.ObjTab[p], tekst);
      RenCelle(ud, tekst, true);
    }
  if (Synlige(plan->StyrX, 0, &fra, &til))
    for (uint32_t p = fra; p <= til; ++p) {
      PlanXOverskrift(plan, plan->StyrX.ObjTab[p], tekst);
      RenCelle(ud, tekst, true);
    }
  if (Synlige(plan->StyrRX, 0, &fra, &til))
    for (uint32_t p = fra; p <= til; ++p) {
      PlanRXOverskrift(plan, plan->StyrRX.ObjTab[p], tekst);
      RenCelle(ud, tekst, p < til);
    }
  ud += '\n';
}

bool PlanCsvRaekkeMed(const Plan *plan, uint32_t raekke) {
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r) return false;
  const uint32_t art = plan->ObjTypeTab[raekke];
  const bool egenGruppe = r->ffpg_id == plan->AktPlanGruppe;
  const bool underVisning = plan->UnderVisning != 0;
  switch (plan->Visning) {
    case 'A':
      if (!egenGruppe || !AktiIGruppe(plan, r->Aktivitet)) return false;
      if (r->Ejer == PlanEgenInst() && !AktiIPlan(plan, r->Aktivitet)) return false;
      if (art == PLAN_AKTI || art == PLAN_FREMMED_AKTI) return true;
      if (art != PLAN_FAG && art != PLAN_FREMMED_FAG) return false;
      if (r->KopiAf != 0) return false;
      return plan->FagVisning == 1 ? r->Medarbejder1 != 0 : plan->FagVisning == 2 ? r->Medarbejder1 == 0 : true;
    case 'M':
      if (!AnfoIPlan(plan, r->Medarbejder1) && !AnfoIPlan(plan, r->Medarbejder2)) return false;
      if (!egenGruppe && art != PLAN_SKEMA && art != PLAN_FAG && art != PLAN_FREMMED_FAG && art != PLAN_OPG_TIMER &&
          art != PLAN_FREMMED_OPG_TIMER && art != PLAN_POST)
        return false;
      switch (art) {
        case PLAN_FAG:
        case PLAN_FREMMED_FAG:
          return AktiIGruppe(plan, r->Aktivitet);
        case PLAN_MEDA:
          return egenGruppe;
        case PLAN_OPG_TIMER:
          return !underVisning && AktiIGruppe(plan, r->Aktivitet) &&
                 (egenGruppe || HarTal(plan, raekke, plan->AktPlanGruppe));
        case PLAN_POST:
        case PLAN_FREMMED_OPG_TIMER:
          return !underVisning && AktiIGruppe(plan, r->Aktivitet) && AnfoHarRaekke(plan, r->Medarbejder1) &&
                 HarTal(plan, raekke, plan->AktPlanGruppe);
        case PLAN_SKEMA:
          return !underVisning && plan->VisSkeLekt && AnfoHarRaekke(plan, r->Medarbejder1);
        default:
          return false;
      }
    case 'O':
      if (r->Aktivitet == 0) return false;
      if (!egenGruppe && !((art == PLAN_OPG_TIMER || art == PLAN_POST || art == PLAN_FREMMED_OPG_TIMER) &&
                           AnfoHarRaekke(plan, r->Medarbejder1)))
        return false;
      switch (art) {
        case PLAN_OPG_AKTI:
        case PLAN_FREMMED_OPG_AKTI:
          return egenGruppe && FindAktiRaekke(plan, plan->AktPlanGruppe, r->Aktivitet) != 0 &&
                 AktiIGruppe(plan, r->Aktivitet);
        case PLAN_OPG_TIMER:
          return egenGruppe && AktiIGruppe(plan, r->Aktivitet) && AnfoHarRaekke(plan, r->Medarbejder1);
        default:
          return false;
      }
    default:
      return false;
  }
}

void PlanAktiLabel(const Plan *plan, uint32_t raekke, std::string &ud) {
  char tekst[kPlanTekstLen];
  PlanAktiTekst(plan, raekke, tekst);
  CsvCelle(ud, tekst);
}

void PlanMedaLabel(const Plan *plan, uint32_t raekke, std::string &ud) {
  char tekst[kPlanTekstLen];
  PlanAnfoTekst(plan, raekke, tekst);
  CsvCelle(ud, tekst);
}

void PlanCsvVenstreCeller(const Plan *plan, uint32_t foerste, uint32_t sidste, uint32_t raekke, std::string &ud) {
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r || !plan->StyrLX.ObjTab || !plan->ObjTypeTabLX) return;
  const uint32_t art = plan->ObjTypeTab[raekke];
  char tekst[kPlanTekstLen];
  for (uint32_t p = foerste; p <= sidste && p <= plan->StyrLX.Pos.Antal; ++p) {
    const uint32_t kol = plan->StyrLX.ObjTab[p];
    const uint32_t kind = kol && kol <= plan->VenstreAntal ? plan->ObjTypeTabLX[kol] : 0;
    tekst[0] = 0;
    switch (kind) {
      case 22:
        switch (art) {
          case PLAN_AKTI:
          case PLAN_OPG_AKTI:
          case PLAN_FREMMED_AKTI:
          case PLAN_FREMMED_OPG_AKTI:
            PlanAktiLabel(plan, raekke, ud);
            continue;
          case PLAN_MEDA:
          case PLAN_SKEMA:
            PlanMedaLabel(plan, raekke, ud);
            continue;
          case PLAN_OPG_TIMER:
          case PLAN_POST:
          case PLAN_FREMMED_OPG_TIMER:
            if (plan->Visning == 'M') {
              PlanAktiLabel(plan, raekke, ud);
              continue;
            }
            if (plan->Visning == 'O') {
              PlanMedaLabel(plan, raekke, ud);
              continue;
            }
            break;
          case PLAN_FAG:
          case PLAN_FREMMED_FAG:
            if (plan->Visning != 'A') {
              PlanMedaLabel(plan, raekke, ud);
              continue;
            }
            // The subject caption keeps its blanks.
            PlanFagTekst(plan, raekke, tekst);
            CsvCelle(ud, tekst);
            continue;
          default:
            break;
        }
        break;
      case 23:
      case 24: {
        const MedaRec *m = MedaAf(Anfo(kind == 23 ? r->Medarbejder1 : r->Medarbejder2));
        if (m) snprintf(tekst, sizeof tekst, "%-4s", Felt(m->Initialer).c_str());
        break;
      }
      case 25: {
        const uint32_t budget = r->Budget & ~0x40000000u;
        if (budget) snprintf(tekst, sizeof tekst, "%d", static_cast<int32_t>(budget));
        break;
      }
      case 26:
        if (r->LektionsBlok) snprintf(tekst, sizeof tekst, "%d", static_cast<int32_t>(r->LektionsBlok));
        break;
      case 273: {
        const PlanFeltLayout &l = plan->LayoutVenstre;
        const uint32_t i = ObjSwitchFeltIndex(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, 273);
        const uint32_t skph = FindSkph(r->Aktivitet, r->Skolefag);
        if (skph && ObjSwitchFeltNr(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i) == 273) {
          char celle[kSwitchTekstLen + 1];
          SwitchRaekkeValg v;
          ObjSwitchCelleTekst(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i, &tdskph, &tvskph, skph, &v, celle,
                              nullptr);
          celle[kSwitchTekstLen] = 0;
          snprintf(tekst, sizeof tekst, "%s", celle);
        }
        break;
      }
      default:
        break;
    }
    StripBlanks(tekst);
    CsvCelle(ud, tekst);
  }
}

void PlanCsvRaekker(const Plan *plan, std::string &ud) {
  char tekst[kPlanTekstLen];
  uint32_t lf = 0, lt = 0, xf = 0, xt = 0, rf = 0, rt = 0;
  const bool venstre = Synlige(plan->StyrLX, 1, &lf, &lt);
  const bool uger = Synlige(plan->StyrX, 0, &xf, &xt);
  const bool hoejre = Synlige(plan->StyrRX, 0, &rf, &rt);
  for (uint32_t i = 1; i <= plan->Ens.ObjTabAntal; ++i) {
    const uint32_t raekke = plan->Ens.ObjTab[i];
    if (!PlanCsvRaekkeMed(plan, raekke)) continue;
    if (venstre) PlanCsvVenstreCeller(plan, lf, lt, raekke, ud);
    for (uint32_t p = xf; uger && p <= xt; ++p) {
      PlanCelleTekst(plan, plan->StyrX.ObjTab[p], raekke, tekst, nullptr);
      RenCelle(ud, tekst, true);
    }
    for (uint32_t p = rf; hoejre && p <= rt; ++p) {
      PlanSumTekst(plan, plan->StyrRX.ObjTab[p], raekke, tekst, nullptr);
      RenCelle(ud, tekst, p < rt);
    }
    ud += '\n';
  }
}

void ExportPlanCsv(HWND ejer) {
  const HWND vindue = FindVindueType(kPlanVindueType);
  Plan *plan = vindue ? reinterpret_cast<Plan *>(SendMessageA(vindue, REL_PLAN_TILSTAND, 0, 0)) : nullptr;
  if (!plan) {
    Besked(ejer, "Planvinduet er ikke åbent.\nÅbn planvinduet for at eksportere planen til CSV.");
    return;
  }
  if (!plan->Ens.ObjTab || plan->Ens.ObjTabAntal == 0 || plan->StyrY.Pos.Antal == 0) return;
  if (plan->StyrY.Pos.Aktuel < 1) plan->StyrY.Pos.Aktuel = 1;
  if (plan->StyrY.Pos.Aktuel > plan->StyrY.Pos.Antal) plan->StyrY.Pos.Aktuel = plan->StyrY.Pos.Antal;
  if (!PlanCsvSti[0]) VaelgFil(ejer);
  if (!PlanCsvSti[0]) {
    Besked(ejer, "Stien til log-mappen er for lang.\nPlanen er ikke eksporteret.");
    return;
  }
  std::string ud;
  PlanCsvHoved(plan, ud);
  PlanCsvOverskrift(plan, ud);
  PlanCsvRaekker(plan, ud);
  GemFil fil;
  if (fil.Aabn(PlanCsvSti, true) && fil.Skriv(ud.data(), ud.size()) && fil.Luk()) return;
  char besked[MAX_PATH + 100];
  snprintf(besked, sizeof besked, "Filen %s kan ikke skrives.\nPlanen er ikke eksporteret.", PlanCsvSti);
  // The next export asks for the file again instead of failing on it.
  PlanCsvSti[0] = 0;
  Besked(ejer, besked);
}

// ---- Sort keys.

namespace {

// A key written field by field into its fixed width: the keys are made
// for every row at every layout of a large plan, so without a string per
// field. What passes the width is cut off, and a short key is filled up
// with NULs.
class Noegle {
 public:
  Noegle(char *ud, size_t laengde) : ud_(ud), laengde_(laengde) {}
  ~Noegle() {
    if (n_ < laengde_) memset(ud_ + n_, 0, laengde_ - n_);
  }
  Noegle(const Noegle &) = delete;
  Noegle &operator=(const Noegle &) = delete;
  void Tegn(char c) {
    if (n_ < laengde_) ud_[n_] = c;
    ++n_;
  }
  void Tekst(const char *s, size_t len) {
    for (size_t i = 0; i < len; ++i) Tegn(s[i]);
  }
  void Fyld(char c, size_t antal) {
    for (size_t i = 0; i < antal; ++i) Tegn(c);
  }
  // v in decimal, with leading zeros up to `bredde` digits.
  void Tal(uint32_t v, size_t bredde = 0) {
    char b[10];
    size_t n = 0;
    do {
      b[n++] = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v);
    if (bredde > n) Fyld('0', bredde - n);
    while (n) Tegn(b[--n]);
  }
  // Left-aligned in at least `bredde` places, or right-aligned.
  void Venstre(const char *s, size_t len, size_t bredde) {
    Tekst(s, len);
    if (len < bredde) Fyld(' ', bredde - len);
  }
  void Hoejre(const char *s, size_t len, size_t bredde) {
    if (len < bredde) Fyld(' ', bredde - len);
    Tekst(s, len);
  }

 private:
  char *ud_;
  size_t laengde_;
  size_t n_ = 0;
};

// A text field as the key takes it: up to its first NUL.
struct Navn {
  const char *s = "";
  size_t len = 0;
  template <size_t N>
  void Fra(const char (&f)[N]) {
    s = f;
    len = strnlen(f, N);
  }
};

struct Navne {
  Navn akti, fag, ini, loeb;
  char niveau = 0;
};

// The employee's names only when the key takes them.
Navne NavneAf(const GrundRaekke &r, bool person = true) {
  Navne n;
  if (const AktiRec *a = Akti(r.Aktivitet)) n.akti.Fra(a->Aktivitet);
  if (const SkfaRec *f = Skfa(r.Skolefag)) n.fag.Fra(f->Skolefag), n.niveau = f->Niveau;
  if (!person) return n;
  const AnfoRec *anfo = Anfo(r.Medarbejder1);
  if (anfo) n.loeb.Fra(anfo->Loebenummer);
  if (const MedaRec *m = MedaAf(anfo)) n.ini.Fra(m->Initialer);
  return n;
}

void AktivitetNoegle(const Plan *plan, uint32_t raekke, char *ud) {
  Noegle k(ud, 38);
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r) return;
  const uint32_t art = plan->ObjTypeTab[raekke];
  const Navne n = NavneAf(*r, false);
  k.Tal(art < 20 ? 0 : 1);
  k.Tal(r->ffpg_id, 6);
  k.Venstre(n.akti.s, n.akti.len, 16);
  k.Tal(art, 3);
  k.Tal(r->Skjult);
  k.Hoejre(n.fag.s, n.fag.len, 6);
  k.Tegn(n.niveau);
  k.Tal(r->Dublet, 3);
}

void MedarbejderNoegle(const Plan *plan, uint32_t raekke, char *ud) {
  Noegle k(ud, 43);
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r) return;
  const Navne n = NavneAf(*r);
  k.Venstre(n.ini.s, n.ini.len, 5);
  k.Venstre(n.loeb.s, n.loeb.len, 4);
  k.Tal(r->ErSum ? 0 : 1);
  k.Tal(r->Skjult);
  k.Hoejre(n.fag.s, n.fag.len, 6);
  k.Venstre(n.akti.s, n.akti.len, 16);
  k.Tal(plan->ObjTypeTab[raekke], 3);
  k.Tal(r->ffpg_id, 6);
}

void OpgaveNoegle(const Plan *plan, uint32_t raekke, char *ud) {
  Noegle k(ud, 37);
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r) return;
  const Navne n = NavneAf(*r);
  k.Venstre(n.akti.s, n.akti.len, 16);
  k.Tal(r->ErSum ? 0 : 1);
  k.Tal(r->Skjult);
  k.Venstre(n.ini.s, n.ini.len, 5);
  k.Hoejre(n.loeb.s, n.loeb.len, 4);
  k.Venstre(n.fag.s, n.fag.len, 6);
  k.Tal(plan->ObjTypeTab[raekke], 3);
}

std::string SomTekst(void (*noegle)(const Plan *, uint32_t, char *), const Plan *plan, uint32_t raekke,
                     size_t laengde) {
  std::string k(laengde, '\0');
  noegle(plan, raekke, k.data());
  return k;
}

void Sorter(Plan *plan, void (*noegle)(const Plan *, uint32_t, char *), uint32_t laengde) {
  if (!plan || !plan->Ens.ObjTab || plan->Ens.ObjTabAntal < 2) return;
  std::vector<char> noegler(static_cast<size_t>(plan->GrundTabAntal + 1) * laengde, 0);
  for (uint32_t i = 1; i <= plan->Ens.ObjTabAntal; ++i) {
    const uint32_t r = plan->Ens.ObjTab[i];
    if (r == 0 || r > plan->GrundTabAntal) continue;
    noegle(plan, r, noegler.data() + static_cast<size_t>(r) * laengde);
  }
  SortIdx(noegler.data(), plan->Ens.ObjTab + 1, laengde, plan->Ens.ObjTabAntal);
}

// The keys of AktivitetNoegle told as numbers, in the list's order, when
// every field keeps its fixed width (else false: the text keys decide).
// Each field then sits at its own places, so the key orders as the tuple
// of its fields; a name field orders as its rank among the names of the
// list, worked out once per activity or subject rather than once per row.
bool AktivitetTalNoegler(const Plan *plan, std::vector<SortTalNoegle> &ud) {
  __extension__ typedef unsigned __int128 U128;
  const uint32_t antal = plan->Ens.ObjTabAntal;
  const uint32_t aktiAntal = std::max<uint32_t>(tvakti.wRecCnt, 1), fagAntal = std::max<uint32_t>(tvskfa.wRecCnt, 1);
  // A number past a table names no record: its name is the empty one, as
  // the number 0's.
  auto aktiNr = [&](uint32_t n) { return n < aktiAntal ? n : 0; };
  auto fagNr = [&](uint32_t n) { return n < fagAntal ? n : 0; };
  std::vector<uint32_t> aktiRang(aktiAntal, UINT32_MAX), fagRang(fagAntal, UINT32_MAX);
  std::vector<uint32_t> akter, fag;
  for (uint32_t i = 1; i <= antal; ++i) {
    const uint32_t r = plan->Ens.ObjTab[i];
    if (r == 0 || r > plan->GrundTabAntal) return false;
    const GrundRaekke &g = plan->GrundTab[r];
    if (g.ffpg_id > 999999 || plan->ObjTypeTab[r] > 999 || g.Skjult > 9) return false;
    if (aktiRang[aktiNr(g.Aktivitet)] == UINT32_MAX) aktiRang[aktiNr(g.Aktivitet)] = 0, akter.push_back(aktiNr(g.Aktivitet));
    if (fagRang[fagNr(g.Skolefag)] == UINT32_MAX) fagRang[fagNr(g.Skolefag)] = 0, fag.push_back(fagNr(g.Skolefag));
  }
  // Each name as the bytes its key holds, first byte highest.
  auto tal = [](const char *b, size_t n) {
    U128 v = 0;
    for (size_t i = 0; i < n; ++i) v = (v << 8) | static_cast<unsigned char>(b[i]);
    return v;
  };
  std::vector<std::pair<U128, uint32_t>> navne;
  auto rang = [&](std::vector<uint32_t> &rangTab) {
    std::sort(navne.begin(), navne.end());
    uint32_t n = 0;
    for (size_t i = 0; i < navne.size(); ++i) {
      if (i && navne[i].first != navne[i - 1].first) ++n;
      rangTab[navne[i].second] = n;
    }
    return n + 1;
  };
  char b[16];
  for (uint32_t a : akter) {
    GrundRaekke g{};
    g.Aktivitet = a;
    const Navne n = NavneAf(g, false);
    memset(b, ' ', 16);
    memcpy(b, n.akti.s, n.akti.len);
    navne.push_back({tal(b, 16), a});
  }
  const uint32_t aktiRange = rang(aktiRang);
  navne.clear();
  for (uint32_t f : fag) {
    GrundRaekke g{};
    g.Skolefag = f;
    const Navne n = NavneAf(g, false);
    memset(b, ' ', 6);
    memcpy(b + 6 - n.fag.len, n.fag.s, n.fag.len);
    b[6] = n.niveau;
    navne.push_back({tal(b, 7), f});
  }
  const uint32_t fagRange = rang(fagRang);
  auto bits = [](uint32_t n) {
    uint32_t b = 0;
    while (b < 32 && (uint64_t(1) << b) < n) ++b;
    return b;
  };
  const uint32_t aktiBits = bits(aktiRange), fagBits = bits(fagRange);
  ud.resize(antal);
  for (uint32_t i = 1; i <= antal; ++i) {
    const uint32_t r = plan->Ens.ObjTab[i];
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    U128 v = art < 20 ? 0 : 1;
    v = (v << 20) | g.ffpg_id;
    v = (v << aktiBits) | aktiRang[aktiNr(g.Aktivitet)];
    v = (v << 10) | art;
    v = (v << 4) | g.Skjult;
    v = (v << fagBits) | fagRang[fagNr(g.Skolefag)];
    v = (v << 8) | g.Dublet;
    ud[i - 1] = SortTalNoegle{static_cast<uint64_t>(v >> 64), static_cast<uint64_t>(v), r};
  }
  return true;
}

}  // namespace

std::string PlanAktivitetNoegle(const Plan *plan, uint32_t raekke) {
  return SomTekst(AktivitetNoegle, plan, raekke, 38);
}

std::string PlanMedarbejderNoegle(const Plan *plan, uint32_t raekke) {
  return SomTekst(MedarbejderNoegle, plan, raekke, 43);
}

std::string PlanOpgaveNoegle(const Plan *plan, uint32_t raekke) { return SomTekst(OpgaveNoegle, plan, raekke, 37); }

void SorterPlanAktivitet(Plan *plan) {
  if (plan && plan->Ens.ObjTab && plan->Ens.ObjTabAntal >= 2) {
    std::vector<SortTalNoegle> noegler;
    if (AktivitetTalNoegler(plan, noegler)) {
      SortIdxTal(noegler.data(), plan->Ens.ObjTab + 1, plan->Ens.ObjTabAntal);
      return;
    }
  }
  Sorter(plan, AktivitetNoegle, 38);
}
void SorterPlanMedarbejder(Plan *plan) { Sorter(plan, MedarbejderNoegle, 43); }
void SorterPlanOpgave(Plan *plan) { Sorter(plan, OpgaveNoegle, 37); }
