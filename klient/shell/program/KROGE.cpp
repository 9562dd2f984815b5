// The hook wiring: every slot of every lower layer filled here, once, at the
// start-up's first step (KROGE.h).
#include "KROGE.h"

#include <cstdint>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "BEGKROGE.h"
#include "BRIKINDVIN.h"
#include "BRIKVALG.h"
#include "DATO.h"
#include "DIREKTE.h"
#include "ELEMENT.h"
#include "ELEVKOLONNE.h"
#include "ELEVPLANKMD.h"
#include "ELEVPLANVIN.h"
#include "ELEVREGLER.h"
#include "ENS.h"
#include "EPEXPORT.h"
#include "EPIMPORT.h"
#include "EPTRIN.h"
#include "GEMBEG.h"
#include "GRUPPER.h"
#include "HENTGEM.h"
#include "HOVEDVIN.h"
#include "ImpBehandl.h"
#include "ImpData.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "INSTARK.h"
#include "LISTETAL.h"
#include "LOGVISNING.h"
#include "FF_Felles.h"
#include "MEDPER.h"
#include "MENUKOMMANDO.h"
#include "NULSTIL.h"
#include "NYVALG.h"
#include "OBJFELT.h"
#include "OPDAT.h"
#include "OPSTART.h"
#include "OPTAEL.h"
#include "PLANCSV.h"
#include "OBJVINDUE.h"
#include "PlanMedOpg.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "RETTID.h"
#include "RINGKROG.h"
#include "ROLLEFORSLAG.h"
#include "SKAERM.h"
#include "SkfaLokaRel.h"
#include "STAMOPL.h"
#include "STAMTAL.h"
#include "STAMTEKST.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "STARTLOG.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "WEBKALD.h"
#include "windows.h"

namespace {

void TilAlleVinduer(UINT msg, WPARAM wParam, LPARAM lParam) { SendTilAlleVinduer(msg, wParam, lParam, 0); }

void Advarsel(bool fHovedvindue, const char *tekst, const char *titel) {
  MessageBoxA(fHovedvindue ? hwndHoved : 0, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void SletEgenLaasefil() {
  // Before the lock question is settled, and in a read-only run, the file
  // is another run's.
  if (!LaasenHoldes) return;
  DeleteLockFile(StiTab.szdata);
}

void InstallerDataKroge() {
  ListeTalKrog.Spoerg = SendMessageA;
  AktiChkKrog.Advarsel = Advarsel;
  PlanMutexKrog.Sluppet = StartVentendeOptaelling;
  PlanVindueKrog.SaetPlanPeriode = SaetPlanPeriode;

  HentGemKrog.SendTilAlleVinduer = TilAlleVinduer;
  HentGemKrog.HentGruppeValgStjerne = HentGruppeValgStjerne;
  HentGemKrog.GemGruppeValg = [] { GemGruppeValg(0); };
  HentGemKrog.DeleteLockFile = SletEgenLaasefil;
  HentGemKrog.GemStartKopi = GemStartKopi;

  GensendKrog.SendTilAlleVinduer = TilAlleVinduer;
  GensendKrog.AllokerTalTab = AllokerTalTab;

  TimoakKrog.SendTilAlleVinduer = TilAlleVinduer;
}

void InstallerObjFeltKroge() {
  ObjFeltKrog.KolonneUgedag = KolonneUgedag;
  ObjFeltKrog.HentDifValg = HentDifValg;
}

void InstallerVinduesKroge() {
  VinduesKrog.ForHvertElement = ForHvertElement;
  VinduesKrog.CloseAllElements = CloseAllElements;
  // Closing every window ends the count of windows a restore reopened.
  VinduesKrog.NulstilGenaabning = [] { gendanneVinduer = 0; };
}

void InstallerImportKroge() {
  VedligeKrog.FrigivAakrel = FrigivAakrel;
  VedligeKrog.AddAakrel = AddAakrel;
  VedligeKrog.AakrelAntal = AakrelAntal;
  VedligeKrog.CleanupAakrel = CleanupAakrel;
  TimoakKrog.AddTimoak = AddTimoakOgTael;
  TimoakKrog.SetAakrel = [](uint32_t akti, uint32_t anfo, uint8_t status) { SetAakrel(akti, anfo, status); };
  TimoakKrog.SumTimoak = SumTimoak;
}

void InstallerImportData() {
  HentGemKrog.ImportData = ImportVedHentning;
  HentGemKrog.ForbrugteFiler = Udvekslingsfiler;
  HentGemKrog.EfterKompletGemning = Forbrugt;
}

void InstallerBegivenhedsKroge() {
  GensendKrog.HentAVS = HentGensendAVS;
  GensendKrog.SletBegivenhed = SletGensendBegivenhed;
  GensendKrog.SaetLektionsTider = SaetLektionsTider;
  GensendKrog.AddBegivenhed = AddGensendBegivenhed;
  VedligeKrog.FjernAktiFraSkema = FjernAktiFraSkema;
}

void InstallerSkphIni() { BehandlDataKrog.LoadSkphIni = LoadSkphIni; }

void InstallerRolleForslag() { BehandlDataKrog.LaesRolleForslag = LaesRolleForslag; }

void InstallerEpImportKroge() {
  HentGemKrog.ImportElevplan = ImportElevplan;
  ElevPlanKrog.ImportElevplanTest = ImportElevplanTest;
}

void InstallerEpTrinKroge() {
  EpImportKrog.EpEfterImport = EpEfterImport;
  ElevPlanAabnerKrog.OpdaterTgLaase = [] {
    SetTgEasyLaast();
    UpdateTgLaast();
  };
}

void InstallerWebKroge() {
  IndstilKrog.WebNewsCheck = WebNewsCheck;
  StatusBarKrog.NyhedsAdresse = HentNyhedsAdresse;
  AktiChkKrog.TidspostCheck = WebConnectTidspostCheck;
}

void StamTeksterIndsaet() {
  StamKrog.VaerdiTekst = StamVaerdiTekst;
  StamKrog.TegnRamme = TegnStamRamme;
  StamKrog.TegnKaption = TegnStamKaption;
}

void StamTalIndsaet() {
  StamKrog.ByggLister = StamTalByggLister;
  StamKrog.CelleTekst = StamTalCelleTekst;
  StamKrog.TegnNoegletal = StamTalTegnNoegletal;
  StamKrog.EfterSkfaSort = StamTalEfterSkfaSort;
  StamKrog.OmListeTegning = StamTalOmListeTegning;
  StamKrog.Frigiv = StamTalFrigiv;
}

void InstallerGemBegivenhed() { BrikIndKrog.Gem = GemHook; }

void InstallerRetTid() {
  BrikIndKrog.Tid = RetTidKnap;
  BrikIndKrog.DagsTider = DagsTider;
}

void InstallerBrikValg() {
  BrikIndKrog.ListeTast = BrikValgTast;
  BrikIndKrog.Bem = BemaerkningDialog;
}

void InstallerKroge() {
  InstallerDataKroge();
  InstallerObjFeltKroge();
  InstallerVinduesKroge();
  InstallerImportKroge();
  InstallerImportData();
  InstallerBegivenhedsKroge();
  InstallerRingTid();
  InstallerSkphIni();
  InstallerRolleForslag();
  InstallerEpImportKroge();
  InstallerEpTrinKroge();
  InstallerWebKroge();
  StamTeksterIndsaet();
  StamTalIndsaet();

  // The grid windows' status lines are text bars of the status row's class.
  EnsKrog.OpretStatusBar = [](HWND parent, const char *tekst, int font, int id) {
    return CreateStatusBar(parent, tekst, static_cast<HFONT>(font), id);
  };
  // The update check reports in the status row's server pane, which exists
  // once the main window is up.
  OpdatKrog.ServerBesked = StatusServerBesked;

  ImportDataKrog.ResetAllData = ResetAllData;
  ImportDataKrog.CountFaellesElever = CountFaellesElever;
  SaetKommandoHandling(40166, [](HWND hoved, UINT, LPARAM) { IndstillingerKommando(hoved); });
  SaetKommandoHandling(40290, [](HWND hoved, UINT, LPARAM) { ExportPlanCsv(hoved); });
  // The schedule windows' placing keys open the entry window through the
  // main window, which shows and registers it.
  HovedKrog.AabnIndtastning = [](HWND skema, char mode) { return CreateBrikIndWnd(mode, skema); };
  HovedKrog.AabnPrikSkema = AabnPrikSkemaAlleAktiviteter;
  HovedKrog.AfslutProces = [](UINT kode) { ExitProcess(kode); };
  // A layout switch of the student windows re-lays them out through the
  // shown saved screen, else through the menu command "Elevplan".
  ElevSkaermKrog.OpstilIgen = [] {
    if (aktuelSkaerm)
      HentSkaerm(aktuelSkaerm);
    else
      MainMenuCommand(hwndHoved, 40248, 0);
  };
  InstallerGemBegivenhed();
  InstallerRetTid();
  InstallerBrikValg();
  // The daily norm comes in thousandths of an hour; the save counts minutes.
  GemBegKrog.DagsNorm = [](uint32_t anfo, Dato dato) { return GetDagsNorm(anfo, dato) * 60 / 1000; };
  GemBegKrog.VisLog = ShowLogFile;
  EpEksportKrog.VisTgLaas = VisTgLaas;
  // The plan's staff summary in its element cell, as wide as its columns.
  SaetElementOpretter(
      kPlanOpgType, [](const ObjektKald &k) { return CreatePlanMedOpgWnd(k.hwndForaelder, 0, 0); },
      [] { return CalcPlanMedOpgHeight(0x7FFF); }, CalcPlanMedOpgWidth);
}
