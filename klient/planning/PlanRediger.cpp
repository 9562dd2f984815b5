// The plan grid's cell editors. The boxes are top-level pop-ups owned by the
// plan window, so a cell's place in its pane is turned into screen
// coordinates; the pane scrolls, so its offsets are taken off first.
#include "PlanRediger.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "BESKEDER.h"
#include "EDITBOX.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "GRIDAKSE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLANGITTER.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "SMAADLG.h"
#include "smaadialoger.h"
#include "windows.h"

namespace {

constexpr int kTekstHoejde = 13;
constexpr uint32_t kMaksGraense = 30;

// The current cell of an area in the screen coordinates of its pane: x of
// the column's left edge, y of the row's top, the column's width.
struct Celle {
  int x = 0, y = 0, bredde = 0;
  uint32_t art = 0;  // the column's kind
};

const PlanStyr *Akse(const Plan *plan, uint32_t omraade) {
  return omraade == PLAN_OMR_VENSTRE ? &plan->StyrLX : omraade == PLAN_OMR_UGER ? &plan->StyrX : nullptr;
}

const uint32_t *Arter(const Plan *plan, uint32_t omraade) {
  return omraade == PLAN_OMR_VENSTRE ? plan->ObjTypeTabLX : omraade == PLAN_OMR_UGER ? plan->ObjTypeTabX : nullptr;
}

// The column current in the area, 0 when none.
uint32_t AktuelKolonne(const Plan *plan, uint32_t omraade) {
  const PlanStyr *s = Akse(plan, omraade);
  if (!s || !s->ObjTab || !Arter(plan, omraade) || s->Pos.Aktuel == 0 || s->Pos.Aktuel > s->Pos.Antal) return 0;
  return s->Pos.Aktuel;
}

uint32_t KolonneArt(const Plan *plan, uint32_t omraade, uint32_t pos) {
  return pos ? Arter(plan, omraade)[Akse(plan, omraade)->ObjTab[pos]] : 0;
}

HWND Rude(const Plan *plan, uint32_t omraade) {
  const HWND h = omraade == PLAN_OMR_VENSTRE ? plan->Ens.hwndRaekkeHoved : plan->Ens.hwndCeller;
  return h ? h : plan->hwndPlan;
}

// `top` is the row's top edge on the row axis, less the vertical scroll.
Celle CelleVed(const Plan *plan, uint32_t omraade, int64_t top) {
  Celle c;
  const uint32_t pos = AktuelKolonne(plan, omraade);
  const int64_t forskydning = omraade == PLAN_OMR_UGER ? int64_t{plan->Ens.ScrollX} : 0;
  POINT p{static_cast<LONG>(int64_t{KolonneStart(plan, pos, omraade)} - forskydning), static_cast<LONG>(top)};
  if (const HWND rude = Rude(plan, omraade)) ClientToScreen(rude, &p);
  c.x = p.x;
  c.y = p.y;
  c.bredde = static_cast<int>(KolonneBreddeIOmraade(plan, pos, omraade));
  c.art = KolonneArt(plan, omraade, pos);
  return c;
}

int64_t RaekkeTop(const Plan *plan) {
  const GridAkse akse = plan->Ens.AkseY;  // Ens is packed: copied out
  return int64_t{GridCelleStart(&akse, plan->StyrY.Pos.Aktuel)} - int64_t{plan->Ens.ScrollY};
}

void AabnetBoks(Plan *plan, HWND h) {
  if (h) plan->hwndRediger = h;
}

// The typed text read as a whole number of units: digits after an
// optional "-", up to the first other character.
int32_t LaesHeltal(const char *tekst, bool *negativ) {
  *negativ = tekst && tekst[0] == '-';
  int64_t v = 0;
  for (const char *p = tekst ? tekst + (*negativ ? 1 : 0) : ""; *p >= '0' && *p <= '9'; ++p)
    v = std::min<int64_t>(v * 10 + (*p - '0'), INT32_MAX);
  return static_cast<int32_t>(*negativ ? -v : v);
}

// The bounds of a minute norm: the activity's education group's while
// [global] checkminutnorm is on, else 0 to 999.99.
void MinutGraenser(uint32_t akti, float *lav, float *hoej) {
  *lav = 0.0f;
  *hoej = 999.99f;
  if (GlobalIndstillinger.checkminutnorm != 'j') return;
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  const UdgrRec *u = a && a->udgr_id ? TabRec<UdgrRec>(tvudgr, a->udgr_id) : nullptr;
  *lav = u ? static_cast<float>(u->Minimum_minutnorm) : 0.0f;
  *hoej = u ? static_cast<float>(u->Maximum_minutnorm) : 0.0f;
}

}  // namespace

bool PlanRedigerCelle(Plan *plan, const char *tekst) {
  if (!plan) return false;
  if (plan->hwndRediger) {
    const HWND boks = plan->hwndRediger;
    plan->hwndRediger = 0;
    // A box that ended by itself (Enter, Esc, a click outside) is only
    // forgotten, so the key that follows opens a new one.
    if (IsWindow(boks)) {
      DestroyWindow(boks);
      return false;
    }
  }
  const uint32_t raekke = PlanAktuelRaekke(plan);
  if (raekke == 0 || raekke > plan->GrundTabAntal || !plan->ObjTypeTab || !plan->GrundTab) return false;
  const uint32_t type = plan->ObjTypeTab[raekke];
  GrundRaekke &g = plan->GrundTab[raekke];
  uint32_t omraade = 0, graense = 0;
  bool redigerbar = false;
  float *norm = nullptr;  // set for minute-norm editing
  uint32_t art = 0;
  if (const uint32_t pos = AktuelKolonne(plan, PLAN_OMR_VENSTRE)) {
    omraade = PLAN_OMR_VENSTRE;
    art = KolonneArt(plan, omraade, pos);
    graense = 4;
    if (art == 23 || art == 24) norm = art == 23 ? &g.Minutnorm1 : &g.Minutnorm2;
    redigerbar = art >= 23 && art <= 26;
  } else if (const uint32_t posX = AktuelKolonne(plan, PLAN_OMR_UGER)) {
    omraade = PLAN_OMR_UGER;
    art = KolonneArt(plan, omraade, posX);
    const bool tal = type == PLAN_FAG || type == PLAN_OPG_TIMER;
    graense = tal ? (type == PLAN_OPG_TIMER || plan->UnderVisning != 0 ? 5 : 4) : kMaksGraense;
    redigerbar = tal && art >= 31 && art <= 37;
  } else {
    return false;
  }
  char start[kMaksGraense + 1] = {};
  if (tekst) std::memcpy(start, tekst, strnlen(tekst, graense - 1));
  if (!redigerbar) return false;
  if (type == PLAN_OPG_TIMER) {
    PlanRedigerHeltal(plan, start, raekke, omraade, 2);
  } else if (type == PLAN_AKTI || type == PLAN_FAG) {
    switch (plan->UnderVisning) {
      case 1:
        if (art == 32 || art == 33)
          PlanRedigerHeltal(plan, start, raekke, omraade, 2);
        else if (art >= 34 && art <= 37)
          PlanRedigerHeltal(plan, start, raekke, omraade, 0);
        break;
      case 2:
        PlanRedigerHeltal(plan, start, raekke, omraade, 2);
        break;
      default:
        if (norm)
          PlanRedigerTimer(plan, norm, raekke, omraade);
        else
          PlanRedigerTekst(plan, start, graense, raekke, omraade);
        break;
    }
  }
  return false;
}

void PlanRedigerTekst(Plan *plan, const char *tekst, uint32_t graense, uint32_t raekke, uint32_t omraade) {
  if (!plan || raekke == 0 || !AktuelKolonne(plan, omraade)) return;
  const GridAkse akse = plan->Ens.AkseY;
  Celle c = CelleVed(plan, omraade, RaekkeTop(plan) + akse.Forkant - 1);
  if (omraade == PLAN_OMR_UGER && c.art == 32) {
    // Inside the raised bars that stand at a period column's edges.
    const int kant = EdgeWidth(20);
    c.x += kant - 1;
    c.bredde -= 2 * kant - 2;
  }
  AabnetBoks(plan, CreateEditboxWnd(0, plan->hwndPlan, c.x, c.y, std::max(c.bredde, 1), kTekstHoejde, tekst,
                                    graense, false));
}

void PlanRedigerHeltal(Plan *plan, const char *tekst, uint32_t raekke, uint32_t omraade, uint32_t decimaler) {
  if (!plan || raekke == 0 || !AktuelKolonne(plan, omraade)) return;
  const GridAkse akse = plan->Ens.AkseY;
  Celle c = CelleVed(plan, omraade, RaekkeTop(plan));
  const int bredde = EdgeWidth(17) + static_cast<int>(decimaler + 5) * 8;
  if (bredde > c.bredde) {
    c.x += (c.bredde - bredde) / 2;
    c.bredde = bredde;
  }
  auto *e = static_cast<EditIntInfo *>(std::calloc(1, sizeof(EditIntInfo)));
  if (!e) return;
  bool negativ = false;
  const int32_t vaerdi = tekst && tekst[0] ? LaesHeltal(tekst, &negativ) : 0;
  e->font = TxtFont;
  e->creator1 = Rude(plan, omraade);
  e->owner = plan->hwndPlan;
  e->x = c.x;
  e->y = c.y;
  e->width = c.bredde;
  e->height = static_cast<int32_t>(akse.Forkant + akse.CelleBredde + akse.Bagkant + akse.Mellemrum);
  e->intDigits = 3;
  e->decimals = decimaler;
  if (!EditIntSaetVaerdi(e, vaerdi)) {
    std::free(e);
    return;
  }
  e->negative = negativ;
  if (negativ) e->text[0] = '-';  // "-0" keeps its sign
  // The box owns the record from its creation on and frees it when it goes.
  const HWND h = CreateWindowExA(WS_EX_TOPMOST, "EditboxIntWndClass", "",
                                 WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, e->x, e->y, e->width, e->height,
                                 plan->hwndPlan, 0, 0, e);
  if (!h) {
    std::free(e->text);
    std::free(e);
    return;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  AabnetBoks(plan, h);
}

void PlanRedigerTimer(Plan *plan, float *norm, uint32_t raekke, uint32_t omraade) {
  if (!plan || !norm || raekke == 0 || raekke > plan->GrundTabAntal || !AktuelKolonne(plan, omraade)) return;
  const GridAkse akse = plan->Ens.AkseY;
  const Celle c = CelleVed(plan, omraade, RaekkeTop(plan) + akse.Forkant - 1);
  EditTalInfo ei{};
  ei.kalder = 1;
  ei.margin = 1;
  ei.rightMargin = 1;
  ei.intDigits = 3;
  ei.decimals = 2;
  const int bredde = ei.margin + ei.rightMargin + 8 + static_cast<int>(ei.intDigits + ei.decimals) * 8;
  ei.x = c.bredde > 50 ? c.x + (c.bredde - bredde) / 2 : c.x;
  ei.y = c.y;
  const float gemt = *norm;
  ei.value = gemt == -1.0f || std::isnan(gemt) ? 0.0f : gemt;
  MinutGraenser(plan->GrundTab[raekke].Aktivitet, &ei.minimum, &ei.maximum);
  ei.extra = 60.0f;
  ei.zeroAllowed = 1;
  ei.selectAll = 1;
  RegistrerSmaaDialoger();
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_CELLEDITOR), plan->hwndPlan, EditTalDlgProc,
                                       reinterpret_cast<LPARAM>(&ei));
  if (svar != 1 || ei.value == gemt) return;
  *norm = ei.value;
  if (plan->hwndPlan) SendMessageA(plan->hwndPlan, EDITBOX_OK, 0, 0);
}
