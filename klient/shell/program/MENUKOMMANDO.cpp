// The command dispatcher: the menu commands as one table that the main
// window's WM_COMMAND walks. A row of a part that is not built yet stays in
// the table without its handler, so that filling it is one line and the
// user meanwhile gets the "not available" box rather than nothing.
#include "MENUKOMMANDO.h"

#include <cstdio>
#include <iterator>

#include "BESKEDER.h"
#include "DESKTOP.h"
#include "EKSPKMD.h"
#include "ExpAutoSkema.h"
#include "ImpAutoSkema.h"
#include "ExpSkema.h"
#include "ExtPostImp.h"
#include "ExtSkemaImp.h"
#include "GRUPPEKNAP.h"
#include "HENTGEM.h"
#include "HOVEDVIN.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "LOGVISNING.h"
#include "MedaPlan.h"
#include "PlanNorm.h"
#include "PlanOpf.h"
#include "OBJVINDUE.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "ROLLEFORSLAG.h"
#include "SKAERM.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "SUPPORT.h"
#include "SletWnd.h"
#include "TASTINFO.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "VERSIONDLG.h"
#include "VINDUER.h"
#include "ressourcer.h"
#include "skaermdlg.h"

int32_t HjaelpKontekst = 0;

namespace {


bool FilIData(const char *navn) {
  char sti[kStiLaengde];
  std::snprintf(sti, sizeof sti, "%s%s", StiTab.szdata, navn);
  return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}

void Afvis(HWND hoved, const char *tekst, const char *titel) {
  MessageBoxA(hoved, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

bool Spoerg(HWND hoved, const char *tekst, const char *titel) {
  return MessageBoxA(hoved, tekst, titel, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

// After the rows of events were changed in place: the figures are counted
// anew from the buckets (the counters of the editing code never saw the
// change), then the windows rebuild from them.
void TalOgGenopbyg() {
  AllokerTalTab();
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}

// ---- The actions ----

void GemData(HWND, UINT, LPARAM) {
  if (GlobalIndstillinger.skemalaast) return;
  StartGemAlleData(0, 1);
}

void Vedligehold(HWND hoved, UINT id, LPARAM) {
  // The relations are rebuilt through the postings' own module; without it
  // the step would only empty them.
  if (id == 40175 && !(VedligeKrog.FrigivAakrel && VedligeKrog.AddAakrel)) {
    IkkeTilgaengelig(hoved, id);
    return;
  }
  bool udfoert = false;
  VedligeholdKommando(hoved, static_cast<int>(id), &udfoert);
  if (!udfoert) return;
  if (id <= 40173)
    TalOgGenopbyg();
  else
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}

void SletFejl72(HWND hoved, UINT, LPARAM) {
  if (!Spoerg(hoved, "Vil du slette begivenheder med fejl 72 (Delete fejl i Oracle)?", "Delete fejl")) return;
  SletFejl72Begivenheder();
  CountExportChanges();
  TalOgGenopbyg();
}

void SletIkkeEjede(HWND hoved, UINT, LPARAM) {
  if (!Spoerg(hoved, "Vil du slette begivenheder, som ikke ejes af inst. (Fejl 62)?", "Ikke ejer")) return;
  SletIkkeEjedeBegivenheder();
  CountExportChanges();
  TalOgGenopbyg();
}

void EgneVinduer(HWND hoved, UINT id, LPARAM) {
  static const struct {
    UINT id;
    int dialog;
    const char *tekst, *titel;
  } rk[] = {
      {kMenuGemSkaerm, IDD_GEM_SKAERM, "Der kan ikke oprettes egne vinduer i et låst skema", "Opret vindue"},
      {kMenuOmdoebSkaerm, IDD_OMDOEB_SKAERM, "Der kan ikke redigeres i egne vinduer i et låst skema",
       "Rediger vindue"},
      {kMenuSletSkaerm, IDD_SLET_SKAERM, "Der kan ikke slettes i egne vinduer i et låst skema", "Slet vindue"},
  };
  for (const auto &r : rk) {
    if (r.id != id) continue;
    if (GlobalIndstillinger.skemalaast)
      Afvis(hoved, r.tekst, r.titel);
    else
      VisSkaermDialog(hoved, r.dialog);
    return;
  }
}

void GemtSkaerm(HWND, UINT id, LPARAM) { HentSkaerm(static_cast<long>(id) - 1000); }

// For this run only: the settings file keeps its value.
void AutoGem(HWND hoved, UINT, LPARAM) {
  GlobalIndstillinger.autogem = !GlobalIndstillinger.autogem;
  CheckMenuItem(GetMenu(hoved), kMenuAutoGem,
                MF_BYCOMMAND | (GlobalIndstillinger.autogem ? MF_CHECKED : MF_UNCHECKED));
}

void SletGamle(HWND hoved, UINT, LPARAM) { SletGamleObjekterKommando(hoved); }

void Support(HWND hoved, UINT, LPARAM) { SendSupportKommando(hoved); }

void Roller(HWND hoved, UINT, LPARAM) { RolleForslagKommando(hoved); }

void AfslutUdenGem(HWND hoved, UINT, LPARAM) {
  if (SpoergAfslutUdenGem() == IDYES) SendMessageA(hoved, HOVED_LUK_UDEN_GEM, 0, 0);
}

void ImportLog(HWND hoved, UINT id, LPARAM) {
  LogKommando(hoved, id);
  GlobalIndstillinger.logok = 1;
  // A read-only run writes no settings.
  if (!GlobalIndstillinger.skemalaast) WritePrivateProfileStringA("global", "logok", "ja", StiTab.szini);
  if (StatusFelter.InsStatus) SendMessageA(StatusFelter.InsStatus, WM_PAINT, 0, 0);
}

void VisLog(HWND hoved, UINT id, LPARAM) { LogKommando(hoved, id); }

void FortrydEksport(HWND hoved, UINT, LPARAM) { FortrydEksportKommando(hoved); }
void UntisImport(HWND hoved, UINT, LPARAM) { UntisImportKommando(hoved); }
void TabulexImport(HWND hoved, UINT, LPARAM) { TabulexImportKommando(hoved); }
void ExternImport(HWND hoved, UINT, LPARAM) { ExternImportKommando(hoved); }
void ExternPostImport(HWND hoved, UINT, LPARAM) { ExtPostKommando(hoved); }

void EksportAfSkema(HWND, UINT, LPARAM) { ExpSkema(); }
void EksportTilAutoSkema(HWND, UINT, LPARAM) { ExpAutoSkema(); }
void ImportFraAutoSkema(HWND, UINT, LPARAM) { ImpAutoSkema(); }

// The resend changes events through the schedule's own operations; until
// they are there it would mark rows it cannot put back.
void Gensend(HWND hoved, UINT id, LPARAM) {
  if (!GensendKrog.HentAVS || !GensendKrog.SletBegivenhed || !GensendKrog.AddBegivenhed) {
    IkkeTilgaengelig(hoved, id);
    return;
  }
  if (FilIData("data\\exp.dat") || FilIData("data\\exp.dat.gz")) {
    MessageBoxA(hoved, "Der er oprettet en eksportfil, denne skal afvikles eller fortrydes før gensend kan køres!",
                "Fejl", MB_OK | MB_ICONINFORMATION);
    return;
  }
  RegistrerGensendSkabelon();
  RegistrerVenteSkabelon();
  uint32_t dato = 0;
  if (DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_GENSEND_STARTDATO), hoved, StartDatoDlgProc,
                      reinterpret_cast<LPARAM>(&dato)) != 1)
    return;
  DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_VENTE), hoved, id == 40211 ? GensendFraDatoDlgProc : GensendFraTidDlgProc,
                  static_cast<LPARAM>(dato));
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}

// ---- The table ----

using A = KommandoArt;

constexpr KommandoRaekke V(UINT fra, UINT til = 0) { return {fra, til ? til : fra, A::Vindue}; }
constexpr KommandoRaekke E(UINT id) { return {id, id, A::Element}; }
constexpr KommandoRaekke VK(UINT id, int type, char bogstav) { return {id, id, A::Vaerktoej, type, bogstav}; }
constexpr KommandoRaekke T(UINT id, UINT tast, uint8_t mod = 0) {
  return {id, id, A::Tast, 0, 0, tast, mod};
}
constexpr KommandoRaekke D(UINT id, int skabelon, DLGPROC proc, int hjaelp = 0, void (*registrer)() = nullptr) {
  return {id, id, A::Dialog, 0, 0, 0, 0, skabelon, proc, hjaelp, registrer};
}
constexpr KommandoRaekke H(UINT fra, UINT til, KommandoHandling udfoer, int hjaelp = 0) {
  return {fra, til, A::Handling, 0, 0, 0, 0, 0, nullptr, hjaelp, nullptr, udfoer};
}
constexpr KommandoRaekke H(UINT id, KommandoHandling udfoer, int hjaelp = 0) { return H(id, id, udfoer, hjaelp); }

constexpr uint8_t S = kModShift, C = kModCtrl, Al = kModAlt;

KommandoRaekke KommandoTab[] = {
    // The schedules and dot schedules, the Gantt charts, the postings, the
    // status overviews and the other object windows, through the factory.
    V(40001, 40006), V(40132, 40137), V(40146, 40148), V(40151, 40152), V(40163, 40164), V(40167), V(40202),
    V(40204, 40206), V(40212), V(40273), V(40283), V(40284), V(40292),
    V(40027, 40030), V(40130), V(40138), V(40140, 40142), V(40225, 40229),
    // The raw table viewer, one window a table.
    V(40102, 40129), V(40131), V(40165), V(40183, 40186), V(40188, 40191), V(40214, 40222), V(40260, 40263),
    V(40298), V(40033), V(40035), V(40037),
    // Docked in the screen layout.
    E(40009), E(40011), E(40013), E(40139), E(40154), E(40176), E(40177), E(40178), E(40187), E(40203), E(40271),
    // The event entry (its row opens it in lesson mode); the master data of a kind.
    VK(40007, 40007, 0), VK(40287, 40213, 'K'), VK(40288, 40213, 'M'), VK(40289, 40213, 'L'),
    // Menu entries that stand for a key.
    T(40213, VK_F2), T(40266, VK_F2, C), T(40268, VK_F2, Al),
    T(40231, VK_F5), T(40232, VK_F5, S), T(40233, VK_F5, C), T(40234, VK_F5, Al),
    T(40235, VK_F6), T(40236, VK_F6, S), T(40237, VK_F6, C), T(40238, VK_F6, Al),
    T(40239, VK_F7), T(40240, VK_F7, S), T(40241, VK_F7, C), T(40242, VK_F7, Al),
    T(40293, VK_F5, C | S), T(40294, VK_F6, C | S), T(40295, VK_F7, C | S),
    T(40253, VK_F8), T(40254, VK_F8, S), T(40255, VK_F8, C), T(40256, VK_F8, Al),
    T(40245, VK_F9), T(40246, VK_F9, S), T(40247, VK_F9, C),
    T(40249, VK_F11), T(40250, VK_F11, S), T(40251, VK_F11, C),
    T(40243, VK_F12), T(40244, VK_F12, S), T(40248, VK_F12, C),
    // Dialogs.
    D(40100, IDD_GRUPPENAVNE, GruppeNavneDlgProc, 103, RegistrerGruppeNavneSkabelon),
    D(40101, IDD_FEJLLISTE, FejllisteDlgProc),
    // Data.
    H(40170, GemData),
    H(40171, 40175, Vedligehold),
    H(40258, SletFejl72),
    H(40259, SletIkkeEjede),
    H(40197, AutoGem),
    H(40207, SletGamle),
    H(40209, AfslutUdenGem),
    H(40265, Support),
    H(40143, Roller, 92),  // the role proposals' dialog
    H(40211, Gensend),
    H(40230, Gensend),
    // Screens.
    H(40192, 40194, EgneVinduer),
    H(1001, 1009, GemtSkaerm),
    // The server exchange.
    H(40168, FortrydEksport),
    H(40275, EksportAfSkema),
    // Logs.
    H(40210, ImportLog),
    H(40286, VisLog),
    H(40291, VisLog),
    // Parts that fill their row when they land.
    H(40166, nullptr, 122),  // the installation settings sheet
    H(40195, nullptr),       // undo the Elevplan export
    H(40200, UntisImport),
    H(40296, TabulexImport),
    H(40272, ExternImport),
    H(40201, ExternPostImport),
    H(40278, MedaPlanKommando),
    H(40297, PlanOpfKommando),
    H(40279, PlanOpfKommando),
    H(40280, PlanNormKommando),
    H(40290, nullptr),       // plan to CSV
    H(40281, ImportFraAutoSkema),
    H(40282, EksportTilAutoSkema),
};

KommandoRaekke *Find(UINT id) {
  for (KommandoRaekke &r : KommandoTab)
    if (id >= r.Fra && id <= r.Til) return &r;
  return nullptr;
}

int Type(const KommandoRaekke &r, UINT id) { return r.Type ? r.Type : static_cast<int>(id); }

// Keeps the help context for the main window's help while a dialog runs.
struct MedHjaelp {
  int32_t gammel;
  explicit MedHjaelp(int hjaelp) : gammel(HjaelpKontekst) {
    if (hjaelp) HjaelpKontekst = hjaelp;
  }
  ~MedHjaelp() { HjaelpKontekst = gammel; }
};

void Vaerktoej(HWND hoved, const KommandoRaekke &r, UINT id) {
  const int type = Type(r, id);
  if (!VaerktoejsVindueTilgaengeligt(type)) {
    IkkeTilgaengelig(hoved, id);
    return;
  }
  // An open one is closed; the front window takes the focus back.
  if (HWND aaben = FindVindueType(type)) {
    DestroyWindow(aaben);
    VinduesListeFjern(aaben);
    if (HWND forrest = VinduesListeForrest()) SendMessageA(forrest, VINDUE_AKTIVER, 1, 0);
    return;
  }
  SkiftVaerktoejsVindue(type, static_cast<LPARAM>(static_cast<unsigned char>(r.Bogstav)));
}

// The main window's own commands.
void Om(HWND hoved, UINT, LPARAM) { VisVersionDialog(hoved); }

const struct {
  UINT Fra, Til;
  KommandoHandling Udfoer;
} HovedTab[] = {
    {40078, 40078, Om},
    {40079, 40079, HovedHjaelp}, {65535, 65535, HovedHjaelp}, {40155, 40158, HovedArranger},
    {40224, 40224, HovedNyheder}, {40277, 40277, HovedPortal}, {40285, 40285, HovedOpdatering},
};

}  // namespace

const KommandoRaekke *FindKommando(UINT id) { return Find(id); }
int KommandoAntal() { return static_cast<int>(std::size(KommandoTab)); }
const KommandoRaekke &KommandoNr(int i) { return KommandoTab[i]; }

KommandoHandling SaetKommandoHandling(UINT id, KommandoHandling udfoer) {
  KommandoRaekke *r = Find(id);
  if (!r || r->Art != A::Handling) return nullptr;
  KommandoHandling gammel = r->Udfoer;
  r->Udfoer = udfoer;
  return gammel;
}

DLGPROC SaetKommandoDialog(UINT id, DLGPROC proc) {
  KommandoRaekke *r = Find(id);
  if (!r || r->Art != A::Dialog) return nullptr;
  DLGPROC gammel = r->Proc;
  r->Proc = proc;
  return gammel;
}

UINT KommandoForTast(UINT tast, uint8_t mod) {
  for (const KommandoRaekke &r : KommandoTab)
    if (r.Art == A::Tast && r.Tast == tast && r.Mod == mod) return r.Fra;
  return 0;
}

void MainMenuCommand(HWND hoved, UINT id, LPARAM lParam) {
  const KommandoRaekke *r = Find(id);
  if (!r) return;
  switch (r->Art) {
    case A::Vindue:
      if (!ObjektVindueTilgaengeligt(Type(*r, id)))
        IkkeTilgaengelig(hoved, id);
      else
        AabnKaskadeVindue(hoved, Type(*r, id), lParam, false);
      return;
    case A::Element:
      if (!ElementVindueTilgaengeligt(Type(*r, id)))
        IkkeTilgaengelig(hoved, id);
      else
        TilfoejElementVindue(Type(*r, id), true);
      return;
    case A::Vaerktoej:
      Vaerktoej(hoved, *r, id);
      return;
    case A::Tast:
      SendTast(hoved, r->Tast, r->Mod & kModShift, r->Mod & kModCtrl, r->Mod & kModAlt);
      return;
    case A::Dialog: {
      if (!r->Proc) {
        IkkeTilgaengelig(hoved, id);
        return;
      }
      if (r->Registrer) r->Registrer();
      MedHjaelp h(r->Hjaelp);
      DialogBoxParamA(hInst, MAKEINTRESOURCE(r->Skabelon), hoved, r->Proc, 0);
      return;
    }
    case A::Handling: {
      if (!r->Udfoer) {
        IkkeTilgaengelig(hoved, id);
        return;
      }
      MedHjaelp h(r->Hjaelp);
      r->Udfoer(hoved, id, lParam);
      return;
    }
  }
}

void HovedvinduesKommando(HWND hoved, UINT id, LPARAM lParam) {
  for (const auto &r : HovedTab) {
    if (id < r.Fra || id > r.Til) continue;
    if (r.Udfoer)
      r.Udfoer(hoved, id, lParam);
    else
      IkkeTilgaengelig(hoved, id);
    return;
  }
  MainMenuCommand(hoved, id, lParam);
}
