// The object-window factory: one table row per window type, naming its create function.
#include "OBJVINDUE.h"

#include <climits>
#include <cstring>

#include "AktiLokaRel.h"
#include "AktiSkePrior.h"
#include "ARRANGER.h"
#include "BEGINFO.h"
#include "BOG.h"
#include "DATO.h"
#include "DVWND.h"
#include "ELEVHOLDVIN.h"
#include "ELEVONSKVIN.h"
#include "ELEVVIN.h"
#include "ELEVPLANVIN.h"
#include "ELEVSTAT.h"
#include "ElevRel.h"
#include "ELEMENT.h"
#include "FF_Felles.h"
#include "GANT.h"
#include "INDSTIL.h"
#include "GRUPPE.h"
#include "KALENDER.h"
#include "LOGFIL.h"
#include "MEDOPGVIN.h"
#include "MEDSKEPRI.h"
#include "MEDTIME.h"
#include "PlanGruppeVindue.h"
#include "PlanVindue.h"
#include "PROGVINDUER.h"
#include "STAMOPL.h"
#include "SKEMAVIN.h"
#include "STATUS.h"
#include "SkfaLokaRel.h"
#include "SletWnd.h"
#include "TABOPER.h"
#include "TildelGruppe.h"
#include "VALG.h"
#include "VINDUER.h"

namespace {

// ---- Adapters onto the create functions of the windows' own modules ----

HWND Valg(const ObjektKald &k) {
  return CreateValgWnd(hInst, k.hwndForaelder, static_cast<uint8_t>(k.Art), k.Venstre, k.Top, k.Hoejre, k.Bund, 0,
                       0, 0, nullptr, static_cast<uint32_t>(k.Type));
}

HWND Kalender(const ObjektKald &k) {
  return CreateKalWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, false, static_cast<uint32_t>(k.Type));
}

// The calendar of the toolbar shows today's month, not the program's date.
HWND KalenderIdag(const ObjektKald &k) {
  HWND h = Kalender(k);
  if (auto *ki = h ? reinterpret_cast<KalInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr)
    ki->shownDate = DagsDato();
  return h;
}

HWND KalenderIElement(const ObjektKald &k) {
  return CreateKalWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, true, static_cast<uint32_t>(k.Type));
}

HWND AktiLokaRel(const ObjektKald &k) {
  return CreateAktiLokaRelWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

HWND AktiSkePrior(const ObjektKald &k) {
  return CreateAktiSkePrioritetWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

HWND MedaSkePrior(const ObjektKald &k) {
  return CreateMedaSkePriorWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

HWND Gruppe(const ObjektKald &k) {
  return CreateGruppeWnd(k.Art, k.Venstre, k.Top, k.Hoejre, k.Bund, nullptr, static_cast<uint32_t>(k.Type));
}

HWND Gant(const ObjektKald &k) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(static_cast<uint8_t>(k.Art), &pTd, &pTv) != 0) return 0;
  return CreateGantWnd(k.Art, k.Venstre, k.Top, k.Hoejre, k.Bund, pTd, pTv, static_cast<uint32_t>(k.Type),
                       k.hwndForaelder);
}

HWND Bog(const ObjektKald &k) {
  return CreateBogWnd(k.Art, k.hwndForaelder, k.Venstre, k.Top, k.Hoejre - k.Venstre, k.Bund - k.Top, k.hwndHoved);
}

HWND MedOpg(const ObjektKald &k) { return CreateMedOpgWnd(hInst, k.hwndForaelder, 0, 0); }

// The timesheet: free on the desktop, or small in a cell of the bottom row.
HWND MedTimeVindue(const ObjektKald &k) {
  return CreateMedTimeWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre - k.Venstre, k.Bund - k.Top, false, k.lParam);
}
HWND MedTimeBund(const ObjektKald &k) {
  return CreateMedTimeWnd(k.hwndForaelder, 0, 0, k.Hoejre - k.Venstre, k.Bund - k.Top, true, k.lParam);
}

HWND DataView(const ObjektKald &k) {
  return CreateDVWnd(static_cast<uint8_t>(k.Art), k.Venstre, k.Top, k.Hoejre, k.Bund, k.Type);
}

HWND Slet(const ObjektKald &k) {
  return OpretSletVindue(static_cast<uint8_t>(k.Art), k.Venstre, k.Top, k.Hoejre, k.Bund);
}

HWND ElvRel(const ObjektKald &k) { return CreateElvRelWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund); }

HWND PlanVinduet(const ObjektKald &k) {
  return CreatePlan(k.hwndForaelder, kPlanVindueType, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

HWND TildelPlanGruppe(const ObjektKald &k) { return CreateTildelPlanGruppeWnd(k.Type); }

HWND PlanFel(const ObjektKald &k) { return CreatePlanFelWnd(k.Venstre, k.Top, k.Hoejre, k.Bund, k.Type); }

HWND PlanGrupper(const ObjektKald &k) {
  return CreatePlanGruppeWnd(k.Venstre, k.Top, k.Hoejre - k.Venstre, k.Bund - k.Top, k.Type);
}

HWND ElevPlan(const ObjektKald &k) { return CreateElevPlanWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund); }

HWND BegInfo(const ObjektKald &k) {
  return OpretBegInfoVindue(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, static_cast<uint8_t>(k.Art),
                            static_cast<uint32_t>(k.Type));
}

HWND HuskBrik(const ObjektKald &k) {
  return OpretHuskBrikVindue(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, static_cast<uint32_t>(k.Type));
}

HWND ElevStat(const ObjektKald &k) { return CreateElevStatWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund); }

HWND ElevHold(const ObjektKald &k) {
  return CreateElevHoldWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, k.Type);
}

HWND ElevVin(const ObjektKald &k) {
  return CreateElevVinWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, k.Type);
}

HWND ElevOnsk(const ObjektKald &k) {
  return CreateElevOnskWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund, k.Type);
}

HWND SkfaLokaRel(const ObjektKald &k) {
  return CreateSkfaLokaRelWnd(k.hwndForaelder, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

// The master-data window takes its kind from the window it was opened over.
HWND Stam(const ObjektKald &k) { return CreateStamWnd(VinduesListeForrest(), static_cast<UINT>(k.Type), k.Art); }

// A schedule view opens on the current record of its kind; the selection
// argument is the factory's lParam (1 or 3 from the start-up's three views).
HWND Skema(const ObjektKald &k) {
  return CreateSkemaWnd(hInst, k.hwndForaelder, k.hwndHoved, k.Art, k.Venstre, k.Top, k.Hoejre, k.Bund, 0, nullptr,
                        k.Bogstaver[0], k.Bogstaver[1], k.Bogstaver[2], k.Bogstaver[3], k.Bogstaver[4], k.EtObjekt,
                        k.AlleObjekter, static_cast<uint32_t>(k.lParam), static_cast<uint32_t>(k.Type));
}

HWND Status(const ObjektKald &k) {
  return CreateStatusWnd(k.hwndForaelder, k.Type, k.Art, k.Venstre, k.Top, k.Hoejre, k.Bund);
}

// A docked schedule is as high as its lesson-mode week and as wide as the
// switch buttons of its caption.
int32_t SkemaHoejdeElement() { return SkemaLektionsHoejde(kMaksPixel); }
template <char Art>
int32_t SkemaBreddeElement() {
  return SkemaElementBredde(Art);
}

int32_t KalHoejdeElement() { return kKalHoejde; }
int32_t KalBreddeElement() { return KalBredde(INT_MAX, true); }
int32_t MedOpgHoejde() { return CalcMedOpgHeight(kMaksPixel); }
int32_t MedOpgBredde() { return CalcMedOpgCol1Width() + CalcMedOpgCol2Width() + 312; }
int32_t TimeOpgHoejde() { return 123; }

// ---- The tables ----

// Rows without a create function belong to windows built elsewhere or later
// (the schedule, the grouping, the Gantt charts, the postings and
// timesheets, the deletion, master-data and relation
// windows, the student planning and the planning module); their module
// fills its row.
ObjektRaekke ObjektTab[] = {
    {40001, Skema, 'K', "LLNSV", 0, 1, 0},
    {40002, Skema, 'M', "LLNSV", 0, 1, 0},
    {40003, Skema, 'L', "LLNSV", 0, 1, 0},
    {40004, Skema, 'K', "LLNSV", 0, 0, 0},
    {40005, Skema, 'M', "LLNSV", 0, 0, 0},
    {40006, Skema, 'L', "LLNSV", 0, 0, 0},
    {40132, Skema, 'K', "LVNSV", 0, 1, 0},
    {40133, Skema, 'M', "LVNSV", 0, 1, 0},
    {40134, Skema, 'L', "LVNSV", 0, 1, 0},
    {40135, Skema, 'K', "LVNSV", 0, 0, 0},
    {40136, Skema, 'M', "LVNSV", 0, 0, 0},
    {40137, Skema, 'L', "LVNSV", 0, 0, 0},
    {40024, Gruppe, 'K', "", 0, 0, 0},
    {40025, Gruppe, 'M', "", 0, 0, 0},
    {40026, Gruppe, 'L', "", 0, 0, 0},
    {40027, Valg, 'K', "", 0, 0, 0},
    {40028, Valg, 'M', "", 0, 0, 0},
    {40029, Valg, 'L', "", 0, 0, 0},
    {40030, Valg, 'U', "", 0, 0, 0},
    {40146, Gant, 'K', "", 0, 0, 0},
    {40147, Gant, 'M', "", 0, 0, 0},
    {40148, Gant, 'L', "", 0, 0, 0},
    {40151, Bog, 'K', "", 0, 0, kRegelPost},
    {40152, Bog, 'M', "", 0, 0, kRegelPost},
    {40163, Status, 'S', "", 0, 0, 0},
    {40167, Status, 'F', "", 0, 0, 0},
    {40164, Status, 'B', "", 0, 0, 0},
    {40202, MedTimeVindue, 0, "", 0, 0, kRegelMedopg | kRegelSkifter},
    {40204, Slet, 'K', "", 0, 0, 0},
    {40205, Slet, 'M', "", 0, 0, 0},
    {40206, Slet, 'L', "", 0, 0, 0},
    {40212, ElvRel, 0, "", 0, 0, 0},
    {40292, AktiSkePrior, 'K', "", 0, 0, 0},
    {40273, AktiLokaRel, 0, "", 0, 0, 0},
    {40283, SkfaLokaRel, 0, "", 0, 0, 0},
    {40284, MedaSkePrior, 0, "", 0, 0, 0},
    {40225, ElevPlan, 0, "", 0, 0, kRegelEnGang},
    {40226, ElevVin, 0, "", 0, 0, kRegelElevplan},
    {40227, ElevStat, 0, "", 0, 0, kRegelElevplan},
    {40228, ElevOnsk, 0, "", 0, 0, kRegelElevplan},
    {40229, ElevHold, 0, "", 0, 0, kRegelElevplan},
    {40130, KalenderIdag, 0, "", 0, 0, 0},
    {40140, Kalender, 0, "", 0, 0, 0},
    {40268, PlanVinduet, 0, "", 0, 0, kRegelSkifter},
    {40269, TildelPlanGruppe, 0, "", 0, 0, kRegelSkifter},
    {40270, PlanFel, 0, "", 0, 0, kRegelSkifter},
    // CreateDVWnd with the table letter.
    {40033, DataView, 'a', "", 0, 0, 0},
    {40035, DataView, 'h', "", 0, 0, 0},
    {40037, DataView, 'G', "", 0, 0, 0},
    {40102, DataView, 'l', "", 0, 0, 0},
    {40103, DataView, 'n', "", 0, 0, 0},
    {40104, DataView, 'e', "", 0, 0, 0},
    {40105, DataView, 'o', "", 0, 0, 0},
    {40106, DataView, 'd', "", 0, 0, 0},
    {40107, DataView, 'f', "", 0, 0, 0},
    {40108, DataView, 'b', "", 0, 0, 0},
    {40109, DataView, 'm', "", 0, 0, 0},
    {40110, DataView, 'p', "", 0, 0, 0},
    {40111, DataView, 'g', "", 0, 0, 0},
    {40112, DataView, 'r', "", 0, 0, 0},
    {40113, DataView, 't', "", 0, 0, 0},
    {40114, DataView, 'A', "", 0, 0, 0},
    {40115, DataView, 'E', "", 0, 0, 0},
    {40116, DataView, 'M', "", 0, 0, 0},
    {40117, DataView, 'c', "", 0, 0, 0},
    {40118, DataView, 'u', "", 0, 0, 0},
    {40119, DataView, 'L', "", 0, 0, 0},
    {40120, DataView, 'R', "", 0, 0, 0},
    {40121, DataView, 'k', "", 0, 0, 0},
    {40122, DataView, 'D', "", 0, 0, 0},
    {40123, DataView, 'K', "", 0, 0, 0},
    {40124, DataView, 'U', "", 0, 0, 0},
    {40125, DataView, 'P', "", 0, 0, 0},
    {40126, DataView, 'T', "", 0, 0, 0},
    {40127, DataView, 'x', "", 0, 0, 0},
    {40128, DataView, 'X', "", 0, 0, 0},
    {40129, DataView, 'z', "", 0, 0, 0},
    {40131, DataView, '!', "", 0, 0, 0},
    {40165, DataView, 'O', "", 0, 0, 0},
    {40183, DataView, 'i', "", 0, 0, 0},
    {40184, DataView, 'j', "", 0, 0, 0},
    {40185, DataView, 'q', "", 0, 0, 0},
    {40186, DataView, 'Z', "", 0, 0, 0},
    {40188, DataView, 'v', "", 0, 0, 0},
    {40189, DataView, 'y', "", 0, 0, 0},
    {40190, DataView, 's', "", 0, 0, 0},
    {40191, DataView, 'C', "", 0, 0, 0},
    {40214, DataView, 'Y', "", 0, 0, 0},
    {40215, DataView, 'F', "", 0, 0, 0},
    {40216, DataView, 'N', "", 0, 0, 0},
    {40217, DataView, 'Q', "", 0, 0, 0},
    {40218, DataView, 'V', "", 0, 0, 0},
    {40219, DataView, '3', "", 0, 0, 0},
    {40220, DataView, 'W', "", 0, 0, 0},
    {40221, DataView, '1', "", 0, 0, 0},
    {40222, DataView, '2', "", 0, 0, 0},
    {40260, DataView, 'I', "", 0, 0, 0},
    {40261, DataView, '\xA7', "", 0, 0, 0},
    {40262, DataView, '#', "", 0, 0, 0},
    {40263, DataView, 'H', "", 0, 0, 0},
    {40298, DataView, '/', "", 0, 0, 0},
};

// The event entry window takes the schedule window it serves as argument;
// the master-data window the kind letter.
ObjektRaekke VaerktoejsTab[] = {
    {40213, Stam, 0, "", 0, 0, kRegelSkifter},
    {40007, nullptr, 'L', "", 0, 0, 0},              // CreateBrikIndWnd
    {40196, nullptr, 'T', "", 0, 0, 0},
    {40208, nullptr, 'D', "", 0, 0, 0},
    {40266, PlanGrupper, 0, "", 0, 0, kRegelSkifter},
    {40268, PlanVinduet, 0, "", 0, 0, kRegelSkifter},
    {40269, TildelPlanGruppe, 0, "", 0, 0, kRegelSkifter},
};

ElementRaekke ElementRaekker[] = {
    // CreateSkemaWnd; the schedule's height in lesson mode and its switch width.
    {40009, "Aktivitetsskema", 2, Skema, SkemaHoejdeElement, SkemaBreddeElement<'K'>, 'K', "LLNSV", 1, 1, 0},
    {40011, "LærerSkema", 2, Skema, SkemaHoejdeElement, SkemaBreddeElement<'M'>, 'M', "LLNSV", 1, 1, 0},
    {40013, "LokaleSkema", 2, Skema, SkemaHoejdeElement, SkemaBreddeElement<'L'>, 'L', "LLNSV", 1, 1, 0},
    {40139, "Kalender", 2, KalenderIElement, KalHoejdeElement, KalBreddeElement, 0, "", 0, 0, 0},
    {40223, "Kalender", 1, KalenderIElement, KalHoejdeElement, KalBreddeElement, 0, "", 0, 0, 0},
    // The event info panel and the standalone tile info panel with their sizes.
    {40154, "Aktuel", 0, BegInfo, BegInfoHoejdeH, BegInfoBreddeH, 'H', "", 0, 0, kRegelBegPanel},
    {40177, "Aktuel", 1, BegInfo, BegInfoHoejdeF, BegInfoBreddeF, 'F', "", 0, 0, kRegelBegPanel},
    {40176, "H U S K  ! ! !", 0, HuskBrik, HuskBrikHoejde, HuskBrikBredde, 0, "", 0, 0, kRegelBrikPanel},
    {40178, "H U S K  ! ! !", 1, HuskBrik, HuskBrikHoejde, HuskBrikBredde, 0, "", 0, 0, kRegelBrikPanel},
    {40187, "Opgørelse", 1, MedOpg, MedOpgHoejde, MedOpgBredde, 0, "", 0, 0, kRegelMedopg},
    {40203, "TimeOpg", 1, MedTimeBund, TimeOpgHoejde, MedTimeLilleBredde, 0, "", 0, 0, kRegelMedopg},
    // The plan statement: its two column widths + 183, at most 800.
    {40271, "PlanOpg", 1, nullptr, nullptr, nullptr, 0, "", 0, 0, 0},
};

template <typename R, size_t N>
R *Find(R (&tab)[N], int type) {
  for (R &r : tab)
    if (r.Type == type) return &r;
  return nullptr;
}

bool ErDokket(int a, int b) {
  for (const ElementCelle &c : ElementTab)
    if (c.hwndElement && (c.Art == static_cast<uint32_t>(a) || c.Art == static_cast<uint32_t>(b))) return true;
  return false;
}

// The conditions of a row that keep a window from being made; a toggled
// window that is open is closed here.
bool Tillades(uint8_t regel, int type) {
  if ((regel & kRegelPost) && !GlobalIndstillinger.post) return false;
  if ((regel & kRegelMedopg) && !GlobalIndstillinger.medopg) return false;
  if ((regel & kRegelBegPanel) && ErDokket(40154, 40177)) return false;
  if ((regel & kRegelBrikPanel) && ErDokket(40176, 40178)) return false;
  if ((regel & kRegelEnGang) && FindVindueType(type)) return false;
  if ((regel & kRegelElevplan) && (!FindVindueType(kElevPlanType) || FindVindueType(type))) return false;
  if (regel & kRegelSkifter) {
    if (HWND aaben = FindVindueType(type)) {
      DestroyWindow(aaben);
      // One that did not take itself off the list must not stay on it.
      VinduesListeFjern(aaben);
      return false;
    }
  }
  return true;
}

bool Tilgaengelig(const char *hvem, int type, bool kendt, bool bygget) {
  if (!kendt)
    LogPrintf("** Info: %s(): vinduestype %d findes ikke\n", hvem, type);
  else if (!bygget)
    LogPrintf("** Info: %s(): vinduestype %d er endnu ikke tilgængelig\n", hvem, type);
  return kendt && bygget;
}

template <typename R>
ObjektKald Kald(const R &r, HWND foraelder, LPARAM lParam, int venstre, int top, int hoejre, int bund) {
  ObjektKald k{};
  k.hwndHoved = hwndHoved;
  k.hwndForaelder = foraelder;
  k.Type = r.Type;
  k.lParam = lParam;
  k.Venstre = venstre;
  k.Top = top;
  k.Hoejre = hoejre;
  k.Bund = bund;
  k.Art = r.Art;
  std::memcpy(k.Bogstaver, r.Bogstaver, sizeof k.Bogstaver);
  k.EtObjekt = r.EtObjekt;
  k.AlleObjekter = r.AlleObjekter;
  return k;
}

void VisOgHaev(HWND h) {
  ShowWindow(h, SW_SHOWNORMAL);
  UpdateWindow(h);
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int32_t Stoerrelse(int32_t (*fn)()) { return fn ? fn() : 0; }

}  // namespace

const ObjektRaekke *FindObjektRaekke(int type) { return Find(ObjektTab, type); }
const ObjektRaekke *FindVaerktoejsRaekke(int type) { return Find(VaerktoejsTab, type); }
const ElementRaekke *FindElementRaekke(int type) { return Find(ElementRaekker, type); }
int ObjektRaekkeAntal() { return static_cast<int>(sizeof ObjektTab / sizeof ObjektTab[0]); }
const ObjektRaekke &ObjektRaekkeNr(int i) { return ObjektTab[i]; }

bool ObjektVindueTilgaengeligt(int type) {
  const ObjektRaekke *r = FindObjektRaekke(type);
  return r && r->Opret;
}
bool VaerktoejsVindueTilgaengeligt(int type) {
  const ObjektRaekke *r = FindVaerktoejsRaekke(type);
  return r && r->Opret;
}
bool ElementVindueTilgaengeligt(int type) {
  const ElementRaekke *r = FindElementRaekke(type);
  return r && r->Opret;
}

ObjektOpretter SaetObjektOpretter(int type, ObjektOpretter opret) {
  ObjektRaekke *r = Find(ObjektTab, type);
  if (!r) return nullptr;
  ObjektOpretter gammel = r->Opret;
  r->Opret = opret;
  return gammel;
}

ObjektOpretter SaetVaerktoejsOpretter(int type, ObjektOpretter opret) {
  ObjektRaekke *r = Find(VaerktoejsTab, type);
  if (!r) return nullptr;
  ObjektOpretter gammel = r->Opret;
  r->Opret = opret;
  return gammel;
}

ObjektOpretter SaetElementOpretter(int type, ObjektOpretter opret, int32_t (*hoejde)(), int32_t (*bredde)()) {
  ElementRaekke *r = Find(ElementRaekker, type);
  if (!r) return nullptr;
  ObjektOpretter gammel = r->Opret;
  r->Opret = opret;
  r->Hoejde = hoejde;
  r->Bredde = bredde;
  return gammel;
}

HWND OpretObjektVindue(HWND hoved, int type, LPARAM lParam, const RECT *rekt) {
  const ObjektRaekke *r = FindObjektRaekke(type);
  if (!Tilgaengelig("OpretObjektVindue", type, r != nullptr, r && r->Opret)) return 0;
  if (!Tillades(r->Regel, type)) return 0;
  // Without a rectangle the window may take the whole desktop.
  const RECT hele = {0, 0, DesktopRect.right - DesktopRect.left + 1, DesktopRect.bottom - DesktopRect.top + 1};
  const RECT &p = rekt ? *rekt : hele;
  ObjektKald k = Kald(*r, hwndDesktop, lParam, p.left, p.top, p.right, p.bottom);
  if (hoved) k.hwndHoved = hoved;
  HWND h = r->Opret(k);
  if (!h || !IsWindow(h)) return 0;
  VisOgHaev(h);
  if (HWND plan = FindVindueType(kPlanVindueType); plan && plan != h) TilpasVindue(plan);
  return h;
}

HWND SkiftVaerktoejsVindue(int type, LPARAM argument) {
  const ObjektRaekke *r = FindVaerktoejsRaekke(type);
  if (!Tilgaengelig("SkiftVaerktoejsVindue", type, r != nullptr, r && r->Opret)) return 0;
  if (!Tillades(r->Regel, type)) return 0;
  // The planning module's tool windows stand 20 pixels in, from 10 below
  // the desktop's top to 10 above its bottom.
  const int bredde = type == 40266 ? 500 : 600;
  const int bund = DesktopRect.bottom - DesktopRect.top + 1 - 10;
  ObjektKald k = Kald(*r, hwndDesktop, argument, 20, 10, 20 + bredde, bund);
  if (type == 40213 && argument) k.Art = static_cast<char>(argument);
  HWND h = r->Opret(k);
  if (!h || !IsWindow(h)) return 0;
  VisOgHaev(h);
  if (hwndHoved) SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(h));
  return h;
}

int32_t ElementHoejde(int type) {
  const ElementRaekke *r = FindElementRaekke(type);
  return r ? Stoerrelse(r->Hoejde) : 0;
}

int32_t ElementBredde(int type) {
  const ElementRaekke *r = FindElementRaekke(type);
  if (!r) return 0;
  const int32_t b = Stoerrelse(r->Bredde);
  return type == 40271 && b > 800 ? 800 : b;
}

HWND OpretElementForType(int type, bool tegn) {
  const ElementRaekke *r = FindElementRaekke(type);
  if (!Tilgaengelig("OpretElementForType", type, r != nullptr, r && r->Opret)) return 0;
  if (!Tillades(r->Regel, type)) return 0;
  return CreateElementWnd(ElementBredde(type), ElementHoejde(type), r->Desk, tegn, r->Titel,
                          static_cast<uint32_t>(type));
}

HWND OpretElementVindue(HWND element, int type) {
  const ElementRaekke *r = FindElementRaekke(type);
  if (!element || !Tilgaengelig("OpretElementVindue", type, r != nullptr, r && r->Opret)) return 0;
  const ObjektKald k = Kald(*r, element, 0, 0, 0, ElementBredde(type), ElementHoejde(type));
  HWND h = r->Opret(k);
  return h && IsWindow(h) ? h : 0;
}

HWND TilfoejElementVindue(int type, bool tegn) {
  HWND element = OpretElementForType(type, tegn);
  if (!element) return 0;
  HWND h = OpretElementVindue(element, type);
  if (!h) {
    SendMessageA(element, ELEMENT_FJERN, 0, 0);
    return 0;
  }
  UpdateWindow(h);
  SendMessageA(element, ELEMENT_OBJEKT, 0, static_cast<LPARAM>(h));
  SendMessageA(h, OBJVINDUE_OPRETTET, 0, 0);
  if (type == 40154 || type == 40177)
    if (HWND forrest = VinduesListeForrest()) SendMessageA(forrest, BRIKINFO_NU, 0, 0);
  return h;
}
