// The window classes the start-up registers, as one table in the order it registers them.
#include "KLASSER.h"

#include <cstring>
#include <string>
#include <vector>

#include "AktiLokaRel.h"
#include "AktiSkePrior.h"
#include "BEGINFO.h"
#include "BRIKINDVIN.h"
#include "BYGINFO.h"
#include "DESKTOP.h"
#include "EDITBOX.h"
#include "ELEMENT.h"
#include "EPKONTAKT.h"
#include "ELEVHOLDVIN.h"
#include "ELEVONSKVIN.h"
#include "ELEVVIN.h"
#include "ELEVPLANVIN.h"
#include "ELEVSTAT.h"
#include "DVWND.h"
#include "ElevRel.h"
#include "FARVER.h"
#include "GANT.h"
#include "GRUPPE.h"
#include "HOVEDVIN.h"
#include "KALENDER.h"
#include "LISTBOX.h"
#include "LOGFIL.h"
#include "MEDOPGVIN.h"
#include "MEDTIME.h"
#include "BOG.h"
#include "BOGMND.h"
#include "MEDSKEPRI.h"
#include "NYBUTTON.h"
#include "PlanMedOpg.h"
#include "PlanGruppeVindue.h"
#include "PlanPerioder.h"
#include "PlanVindue.h"
#include "FF_Felles.h"
#include "PlanValgVindue.h"
#include "PROGVINDUER.h"
#include "RELAY.h"
#include "RETINFO.h"
#include "RINGTID.h"
#include "SKEMAVIN.h"
#include "STAMOPL.h"
#include "TildelGruppe.h"
#include "STATUS.h"
#include "SkfaLokaRel.h"
#include "SletWnd.h"
#include "TAVOTB.h"
#include "TOOLTIP.h"
#include "VALG.h"
#include "WCSERVER.h"
#include "ressourcer.h"

namespace {

constexpr UINT kEgenDCDobbelt = CS_OWNDC | CS_DBLCLKS;
constexpr UINT kEgenDC = CS_OWNDC;
constexpr int kKnapFlade = COLOR_BTNFACE + 1;

std::vector<std::string> Registrerede;

bool Findes(HINSTANCE inst, const char *klasse) {
  WNDCLASSA wc;
  return GetClassInfoA(inst, klasse, &wc) != FALSE;
}

// A framework part that registers its classes together: the first of its
// rows registers them all, the others find theirs there.
template <bool (*RegistrerAlle)(HINSTANCE)>
bool Sammen(HINSTANCE inst, const char *klasse) {
  if (!Findes(inst, klasse)) RegistrerAlle(inst);
  return Findes(inst, klasse);
}

HBRUSH Baggrund(int b) {
  if (b == kFarve0Baggrund) return FarveBrush[0];
  return static_cast<HBRUSH>(b);
}

}  // namespace

// clang-format off
const VinduesKlasse VinduesKlasser[] = {
    {"MainWndClass", MainWndProc, kEgenDCDobbelt, COLOR_ACTIVECAPTION + 1, IDC_TAVO, IDI_AAMAIN, "MAIN", nullptr},
    {"DesktopWndClass", DesktopWndProc, CS_DBLCLKS, COLOR_BTNSHADOW + 1, IDC_TAVO, nullptr, nullptr, nullptr},
    {"SkemaWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerSkemaKlasse>},
    {"GruppeWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerGruppeKlasse>},
    {"ElvRelWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElvRelKlasse>},
    {"SletWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerSletKlasse>},
    {"GantWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerGantKlasse>},
    {"ElevPlanWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElevPlanKlasse>},
    {"ElevVinWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElevVinKlasse>},
    {"ElevStatWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElevStatKlasse>},
    {"ElevOnskWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElevOnskKlasse>},
    {"ElevHoldWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElevHoldKlasse>},
    {"ShortCutWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerListeKlasser>},
    {"ValgWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerValgKlasse>},
    {"BrikIndWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerBrikIndKlasse>},
    {"ElementWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerElementVinduer>},
    {"VerDivideWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_LODRET_DELER, nullptr, nullptr, Sammen<RegistrerElementVinduer>},
    {"HorDivideWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_VANDRET_DELER, nullptr, nullptr, Sammen<RegistrerElementVinduer>},
    {"RetInfoWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerRetInfoKlasse>},
    {"GroupWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerToolbarKlasser>},
    {"RingWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerRingKlasse>},
    {"ListBoxWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerListeKlasser>},
    {"TavoTBWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerToolbarKlasser>},
    {"DummyWndClass", DummyWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"TabWndClass", TabWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"EditboxWndClass", EditboxWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"EditboxIntWndClass", EditboxIntWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"DVWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerDVKlasse>},
    {"KalWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerKalKlasse>},
    {"TooltipWndClass", TooltipWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"BogWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerBogKlasse>},
    {"MndWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerMndKlasse>},
    {"EditIntWndClass", EditIntWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"ListeWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerListeKlasser>},
    {"SoloWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerListeKlasser>},
    {"StatusWndClass", StatusWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"BrikInfoWndClass", BrikInfoWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"BegInfoWndClass", BegInfoWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"BegInfo2WndClass", BegInfo2WndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"BygInfoWndClass", BygInfoWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"StamWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerStamKlasse>},
    {"PlanGruppeWndClass", PlanGruppeWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"TildelPlanGruppeWndClass", TildelPlanGruppeWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"PlanPerioderWndClass", PlanPerioderWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"PlanWndClass", PlanWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"PlanFelWndClass", PlanFelWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"PlanValgWndClass", PlanValgWndProc, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"PlanMedOpgWndClass", PlanMedOpgWndProc, kEgenDC, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, nullptr},
    {"AktiLokaRelWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerAktiLokaRelKlasse>},
    {"SkfaLokaRelWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerSkfaLokaRelKlasse>},
    {"MedaSkePriorWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerMedaSkePriorKlasse>},
    {"AktiSkePrioritetWndClass", nullptr, kEgenDCDobbelt, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerAktiSkePrioritetKlasse>},
    {"MedOpgWndClass", nullptr, kEgenDC, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerMedOpgKlasse>},
    {"MedTimeWndClass", nullptr, kEgenDC, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerMedTimeKlasse>},
    {"NyButtonWndClass", NyButtonWndProc, kEgenDC, kKnapFlade, IDC_TAVO, nullptr, nullptr, nullptr},
    {"WCServer", nullptr, kEgenDC, kFarve0Baggrund, IDC_TAVO, nullptr, nullptr, Sammen<RegistrerServerKlasse>},
};
// clang-format on
const int VinduesKlasseAntal = sizeof VinduesKlasser / sizeof VinduesKlasser[0];
static_assert(sizeof VinduesKlasser / sizeof VinduesKlasser[0] == 56);

namespace {

ATOM Registrer(UINT stil, WNDPROC proc, HBRUSH baggrund, int markoer, const char *navn) {
  WNDCLASSA wc{};
  wc.style = stil;
  wc.lpfnWndProc = proc;
  wc.hInstance = hInst;
  wc.hCursor = LoadCursorA(hInst, MAKEINTRESOURCE(markoer));
  wc.hbrBackground = baggrund;
  wc.lpszClassName = navn;
  return RegisterClassA(&wc);
}

}  // namespace

ATOM RegisterWndClass(WNDPROC proc, HBRUSH baggrund, int markoer, const char *navn) {
  return Registrer(kEgenDCDobbelt, proc, baggrund, markoer, navn);
}

ATOM RegisterWndClassOwnDC(WNDPROC proc, HBRUSH baggrund, const char *navn) {
  return Registrer(kEgenDC, proc, baggrund, IDC_TAVO, navn);
}

bool RegistrerVinduesKlasser() {
  bool alle = true;
  for (int i = 0; i < VinduesKlasseAntal; ++i) {
    const VinduesKlasse &k = VinduesKlasser[i];
    ATOM a = 0;
    if (k.Registrer) {
      a = k.Registrer(hInst, k.Navn) ? 1 : 0;
    } else if (!k.Proc) {
      continue;
    } else if (k.Ikon || k.Menu || (k.Stil != kEgenDCDobbelt && k.Stil != kEgenDC)) {
      WNDCLASSA wc{};
      wc.style = k.Stil;
      wc.lpfnWndProc = k.Proc;
      wc.hInstance = hInst;
      wc.hIcon = k.Ikon ? LoadIconA(hInst, k.Ikon) : 0;
      wc.hCursor = LoadCursorA(hInst, MAKEINTRESOURCE(k.Markoer));
      wc.hbrBackground = Baggrund(k.Baggrund);
      wc.lpszMenuName = k.Menu;
      wc.lpszClassName = k.Navn;
      a = RegisterClassA(&wc);
    } else if (k.Stil == kEgenDC) {
      a = RegisterWndClassOwnDC(k.Proc, Baggrund(k.Baggrund), k.Navn);
    } else {
      a = RegisterWndClass(k.Proc, Baggrund(k.Baggrund), k.Markoer, k.Navn);
    }
    if (a) {
      Registrerede.push_back(k.Navn);
    } else {
      LogPrintf("** Fejl: Vinduesklassen %s kunne ikke registreres: Fejlnr: %lu\n", k.Navn,
                static_cast<unsigned long>(GetLastError()));
      alle = false;
    }
  }
  // The status bar's Elevplan contact pane is a class of its own beside the table.
  if (RegistrerElevplanKontaktKlasse(hInst)) {
    Registrerede.push_back(WC_ELEVPLAN_KONTAKT);
  } else {
    LogPrintf("** Fejl: Vinduesklassen %s kunne ikke registreres: Fejlnr: %lu\n", WC_ELEVPLAN_KONTAKT,
              static_cast<unsigned long>(GetLastError()));
    alle = false;
  }
  return alle;
}

void AfregistrerVinduesKlasser() {
  for (const std::string &navn : Registrerede) UnregisterClassA(navn.c_str(), hInst);
  Registrerede.clear();
}

bool KlasseRegistreret(const char *navn) {
  for (const std::string &n : Registrerede)
    if (n == navn) return true;
  return false;
}
