// Posting planned hours as time postings: two passes over the chosen week
// cells, a log of the cells that could not be posted, and the counts.
#include "FF_PlanPost.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "FF_PlanFyld.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanUtil.h"
#include "FF_VALG.h"
#include "GEMNING.h"
#include "ImpTimoak.h"
#include "KATALOG.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "REGNING.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TAVODATA.h"
#include "TIMOAK.h"
#include "VINDUER.h"

namespace {

constexpr const char *kTitel = "Overfør planposter til EASY";
constexpr uint8_t kOnsdag = 3;

bool Spoerg(const char *tekst) {
  return MessageBoxA(hwndHoved, tekst, kTitel, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The log of one pass, written anew; Luk() hands it to the save.
class PostLog {
 public:
  bool Aabn() {
    std::snprintf(sti_, sizeof sti_, "%slog\\FF_Post.log", StiTab.szdata);
    return fil_.Aabn(sti_, true) && fil_.Printf("Logfil:\n") && fil_.Printf("%s\n\n", sti_);
  }
  void Fejl(uint32_t akti, uint32_t anfo, Dato dato) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
    const AnfoRec *f = TabRec<AnfoRec>(tvanfo, anfo);
    const MedaRec *m = f ? TabRec<MedaRec>(tvmeda, f->meda_id) : nullptr;
    const int la = a ? static_cast<int>(strnlen(a->Aktivitet, sizeof a->Aktivitet)) : 0;
    const int lm = m ? static_cast<int>(strnlen(m->Initialer, sizeof m->Initialer)) : 0;
    fil_.Printf("Postering fundet på aktivitet,medarbejder,dato : %.*s, %.*s, %d\n", la, a ? a->Aktivitet : "", lm,
                m ? m->Initialer : "", static_cast<int>(dato));
  }
  void Luk() { fil_.Luk(); }

 private:
  char sti_[MAX_PATH + 32] = "";
  GemFil fil_;
};

// A row whose cells can be posted: an employee's hours under an activity.
GrundRaekke *PostRaekke(Plan *plan, uint32_t pos) {
  if (!plan->Ens.ObjTab || pos == 0 || pos > plan->Ens.ObjTabAntal) return nullptr;
  const uint32_t r = plan->Ens.ObjTab[pos];
  if (r == 0 || r > plan->GrundTabAntal || plan->ObjTypeTab[r] != PLAN_OPG_TIMER) return nullptr;
  GrundRaekke &g = plan->GrundTab[r];
  return g.TalTab && g.Aktivitet && g.Medarbejder1 ? &g : nullptr;
}

// The week index of a week column, 0 for any other column.
uint32_t KolonneUge(const Plan *plan, uint32_t pos) {
  if (!plan->StyrX.ObjTab || pos == 0 || pos > plan->StyrX.Pos.Antal) return 0;
  const uint32_t c = plan->StyrX.ObjTab[pos];
  if (!plan->ObjTypeTabX || !plan->UgeTab || plan->ObjTypeTabX[c] != PLAN_KOL_UGE) return 0;
  const UgeIndeks u = UgeTilIndeks(plan->UgeTab[c]);
  return u >= 1 && u <= plan->UgeAntal ? u : 0;
}

int32_t Hundrededele(float timer) {
  return static_cast<int32_t>(std::lround(RoundDecimals(2, static_cast<double>(timer)) * 100.0));
}

uint8_t Kilde(const TalPost &t) { return static_cast<uint8_t>((t.PlanStatus & 0xFF) | PS_POSTERET); }

// A row is out of its heading's and its employees' sums while its cells
// change.
class RaekkeUdAfSummer {
 public:
  RaekkeUdAfSummer(Plan *plan, uint32_t raekke) : plan_(plan), raekke_(raekke) {
    overskrift_ = FindOverskrift(plan, raekke);
    FlytTal(plan, overskrift_, raekke, -1);
    AddPlanRaekkeTilSum(plan, raekke, -1, 3);
  }
  ~RaekkeUdAfSummer() {
    FlytTal(plan_, overskrift_, raekke_, +1);
    AddPlanRaekkeTilSum(plan_, raekke_, +1, 3);
    if (overskrift_) BeregnRaekke(plan_, overskrift_);
    const GrundRaekke &r = plan_->GrundTab[raekke_];
    for (uint32_t a : {r.Medarbejder1, r.Medarbejder2})
      if (a) BeregnMedarbejderTal(plan_, a);
  }
  RaekkeUdAfSummer(const RaekkeUdAfSummer &) = delete;
  RaekkeUdAfSummer &operator=(const RaekkeUdAfSummer &) = delete;

 private:
  Plan *plan_;
  uint32_t raekke_;
  uint32_t overskrift_ = 0;
};

// The postings and the plan's marks of them reach the disk in one save. The
// plan's own save writes only the plan tables: a plan saved with its cells
// marked posted (or, after the second pass, cleared) beside a postings file
// that never got the postings would leave those hours paid by no one, and
// the mark keeps every later run from posting them again. The week records
// go with the rows they belong to, as every edit of the plan saves them.
void GemPosteringer(const Plan *plan) {
  Gemning gemning;
  SaveTab(&tdfftaltab, &tvfftaltab, nullptr);
  SaveTab(&tdffpertab, &tvffpertab, nullptr);
  SaveTab(&tdffgrund, &tvffgrund, nullptr);
  SaveTimoak();
  if (!gemning.Fuldfoer()) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(plan->hwndPlan ? plan->hwndPlan : hwndHoved, fejl);
  }
}

}  // namespace

PlanPostUdvalg PlanPostCeller(const Plan *plan, const uint32_t valg[3]) {
  // The axis records are packed: read their words by value.
  const uint32_t antal = plan->StyrY.Pos.Antal, vist = plan->Ens.ObjTabAntal;
  const uint32_t sidste = antal < vist ? antal : vist;
  const uint32_t kol = plan->StyrX.Pos.Aktuel, raekke = plan->StyrY.Pos.Aktuel;
  PlanPostUdvalg u{1, plan->StyrX.Pos.Antal, raekke, raekke};
  if (valg[0]) return u;
  if (valg[1]) {
    const uint32_t hoved = plan->Visning == 'M' ? PLAN_MEDA : plan->Visning == 'O' ? PLAN_OPG_AKTI : PLAN_AKTI;
    const uint32_t *obj = plan->Ens.ObjTab;
    uint32_t top = raekke;
    if (!(obj && raekke >= 1 && raekke <= sidste && plan->ObjTypeTab[obj[raekke]] == hoved))
      top = FindRaekkeFoer(obj, plan->ObjTypeTab, raekke, hoved);
    u.FraRaekke = top < sidste ? top + 1 : top;
    const uint32_t naeste = FindRaekkeEfter(obj, plan->ObjTypeTab, top, hoved, sidste);
    u.TilRaekke = naeste ? naeste - 1 : sidste;
    return u;
  }
  if (valg[2]) {
    u.FraRaekke = sidste > 1 ? 2 : 1;
    u.TilRaekke = sidste;
    return u;
  }
  return PlanPostUdvalg{kol, kol, raekke, raekke};
}

void VipPlanposter(Plan *plan, const uint32_t valg[3]) {
  if (!Spoerg("Vil du vippe disse plan poster til EASY?\nDette vil udløse arbejdstimer til medarbejderen!\n"
              "Der skal efterfølgende udføres en kontakt til EASY!"))
    return;
  if (!plan || plan->AktPlanGruppe == 0) return;
  const PlanPostUdvalg u = PlanPostCeller(plan, valg);
  if (u.FraRaekke == 0 || u.TilRaekke < u.FraRaekke || u.FraKol == 0 || u.TilKol < u.FraKol) return;

  // One row of cells per selected row, by week index up to the group's end.
  const uint32_t uger = PlanUgeIndeks(plan->Tildato) + 1;
  std::vector<uint32_t> fejlKort(static_cast<size_t>(u.TilRaekke - u.FraRaekke + 1) * uger, 0);
  uint32_t vippet = 0, fejlet = 0;
  {
    PostLog log;
    if (!log.Aabn()) return;
    PlanLaas laas;
    for (uint32_t pos = u.FraRaekke; pos <= u.TilRaekke; ++pos) {
      GrundRaekke *r = PostRaekke(plan, pos);
      if (!r) continue;
      for (uint32_t k = u.FraKol; k <= u.TilKol; ++k) {
        const uint32_t w = KolonneUge(plan, k);
        if (w == 0) continue;
        TalPost &t = r->TalTab[w];
        // A posted cell stays posted: a second run must not pay it twice.
        if (t.Timer == 0.0f || (t.PlanStatus & PS_POSTERET)) continue;
        Dato dato = UgeDagTilDato(IndeksTilUge(w), kOnsdag);
        if (dato < plan->Fradato) dato = plan->Fradato;
        if (dato > plan->Tildato) dato = plan->Tildato;
        if (AddTimoakPost(r->Aktivitet, r->Medarbejder1, dato, Hundrededele(t.Timer), Kilde(t))) {
          ++vippet;
          t.PlanStatus |= PS_POSTERET;
          if (r->GrundRec) GemUge(plan, w, plan->Ens.ObjTab[pos], false);
        } else {
          ++fejlet;
          if (w < uger) fejlKort[static_cast<size_t>(pos - u.FraRaekke) * uger + w] = w;
          log.Fejl(r->Aktivitet, r->Medarbejder1, dato);
        }
      }
    }
    log.Luk();
  }

  if (fejlet) {
    char tekst[512];
    std::snprintf(tekst, sizeof tekst,
                  "Antal plan poster, der blev vippet: %u\nAntal plan poster, der ikke kunne vippes: %u\n\n"
                  "Ønsker du at forsøge at vippe 'Fejlposterne' på første ledige dag?",
                  vippet, fejlet);
    if (Spoerg(tekst)) VipPlanposterIgen(plan, u.FraKol, u.TilKol, u.FraRaekke, u.TilRaekke, fejlKort.data(), &fejlet, &vippet);
  }
  if (vippet) {
    GemPosteringer(plan);
    CleanupAakrel();
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, plan->hwndPlan);
    char tekst[128];
    std::snprintf(tekst, sizeof tekst, "Antal plan poster, der blev vippet: %u ", vippet);
    MessageBoxA(hwndHoved, tekst, "Overført planposter til EASY", MB_OK | MB_ICONINFORMATION);
    MarkerPlanEksport();
    if (plan->hwndPlan) InvalidateRect(plan->hwndPlan, nullptr, FALSE);
  }
  if (fejlet) ShowLogFile("Plan post import log!", "FF_Post.log");
}

void VipPlanposterIgen(Plan *plan, uint32_t fraKol, uint32_t tilKol, uint32_t fraRaekke, uint32_t tilRaekke,
                       const uint32_t *fejlKort, uint32_t *fejlet, uint32_t *vippet) {
  *fejlet = 0;
  Uge fraUge = 0, tilUge = 0;
  uint8_t fraDag = 0, tilDag = 0;
  DatoTilUge(plan->Fradato, &fraUge, &fraDag);
  DatoTilUge(plan->Tildato, &tilUge, &tilDag);
  PostLog log;
  if (!log.Aabn()) return;
  const uint32_t uger = PlanUgeIndeks(plan->Tildato) + 1;
  {
    PlanLaas laas;
    for (uint32_t pos = fraRaekke; pos <= tilRaekke; ++pos) {
      GrundRaekke *r = PostRaekke(plan, pos);
      if (!r) continue;
      const uint32_t raekke = plan->Ens.ObjTab[pos];
      RaekkeUdAfSummer ude(plan, raekke);
      for (uint32_t k = fraKol; k <= tilKol; ++k) {
        const uint32_t w = KolonneUge(plan, k);
        if (w == 0 || w >= uger || fejlKort[static_cast<size_t>(pos - fraRaekke) * uger + w] == 0) continue;
        TalPost &t = r->TalTab[w];
        if (t.Timer == 0.0f) continue;
        const Uge uge = IndeksTilUge(w);
        const uint8_t foerste = uge == fraUge ? fraDag : 1;
        // The group's last weekday bounds its last week only; an earlier
        // week may take any school day up to Friday.
        const uint8_t sidste = uge == tilUge ? tilDag : 5;
        const int32_t timer = Hundrededele(t.Timer);
        Dato dato = UgeDagTilDato(uge, foerste);
        bool ok = AddTimoakPost(r->Aktivitet, r->Medarbejder1, dato, timer, Kilde(t)) != 0;
        for (uint8_t dag = foerste; !ok && dag <= sidste; ++dag) {
          if (dag == kOnsdag) continue;
          dato = UgeDagTilDato(uge, dag);
          ok = AddTimoakPost(r->Aktivitet, r->Medarbejder1, dato, timer, static_cast<uint8_t>(t.PlanStatus)) != 0;
        }
        if (ok) {
          t.Timer = 0.0f;
          t.PlanStatus = 0;
          if (t.TalRec) t.TalRec = SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, t.TalRec);
          ++*vippet;
        } else {
          ++*fejlet;
          log.Fejl(r->Aktivitet, r->Medarbejder1, dato);
        }
      }
    }
  }
  log.Luk();
}
