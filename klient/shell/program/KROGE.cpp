#include "KROGE.h"

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "BEGKROGE.h"
#include "BRIKINDVIN.h"
#include "EPIMPORT.h"
#include "HOVEDVIN.h"
#include "GEMBEG.h"
#include "BRIKVALG.h"
#include "RETTID.h"
#include "LOGVISNING.h"
#include "MEDPER.h"
#include "EPTRIN.h"
#include "GRUPPER.h"
#include "HENTGEM.h"
#include "ImpData.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "INSTARK.h"
#include "MENUKOMMANDO.h"
#include "NULSTIL.h"
#include "LISTETAL.h"
#include "OBJFELT.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "RINGKROG.h"
#include "ROLLEFORSLAG.h"
#include "SKAERM.h"
#include "STARTTRAAD.h"
#include "STATUSBAR.h"
#include "ENS.h"
#include "OPDAT.h"
#include "STARTLOG.h"
#include "SkfaLokaRel.h"
#include "STITAB.h"
#include "TIMOAK.h"
#include "VINDUER.h"
#include "OPSTART.h"
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

void InstallerKroge() {
  SaetTalSpoerg(SendMessageA);
  SaetAktiAdvarsel(Advarsel);

  HentGemKrog.SendTilAlleVinduer = TilAlleVinduer;
  HentGemKrog.HentGruppeValgStjerne = HentGruppeValgStjerne;
  HentGemKrog.GemGruppeValg = [] { GemGruppeValg(0); };
  HentGemKrog.DeleteLockFile = SletEgenLaasefil;
  HentGemKrog.GemStartKopi = GemStartKopi;

  GensendKrog.SendTilAlleVinduer = TilAlleVinduer;
  GensendKrog.AllokerTalTab = AllokerTalTab;

  TimoakKrog.SendTilAlleVinduer = TilAlleVinduer;
  TimoakKrog.hwndHoved = hwndHoved;

  ObjFeltKilder.KolonneUgedag = KolonneUgedag;

  // The grid windows' status lines are text bars of the status row's class.
  EnsOpretStatusBar = [](HWND parent, const char *tekst, int font, int id) {
    return CreateStatusBar(parent, tekst, static_cast<HFONT>(font), id);
  };
  OpdatKroge.ServerBesked = StatusServerBesked;

  // The saved screens: the start-up lists them in the menu, and closing
  // every window ends the count of windows a restore reopened.
  OpstartKroge.VisSkaermeIMenu = VisSkaermeIMenu;
  OpstartKroge.StartTraad = StartStartTraad;
  VinduesKrog.NulstilGenaabning = [] { gendanneVinduer = 0; };

  // The subsystems' own slots in the data store, the import and the resend.
  InstallerImportKroge();
  InstallerImportData();
  ImportDataKrog.ResetAllData = ResetAllData;
  SaetKommandoHandling(40166, [](HWND hoved, UINT, LPARAM) { IndstillingerKommando(hoved); });
  InstallerBegivenhedsKroge();
  // The schedule windows' placing keys open the entry window through the
  // main window, which shows and registers it.
  HovedKrog.AabnIndtastning = [](HWND skema, char mode) { return CreateBrikIndWnd(mode, skema); };
  InstallerGemBegivenhed();
  InstallerRetTid();
  InstallerBrikValg();
  // The daily norm comes in thousandths of an hour; the save counts minutes.
  GemBegKrog.DagsNorm = [](uint32_t anfo, Dato dato) { return GetDagsNorm(anfo, dato) * 60 / 1000; };
  GemBegKrog.VisLog = ShowLogFile;
  InstallerRingTid();
  InstallerEpImportKroge();
  InstallerEpTrinKroge();
  InstallerSkphIni();
  InstallerRolleForslag();
}
