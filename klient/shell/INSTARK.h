#pragma once
// The checks of the installation settings sheet's pages, on the texts the
// user typed, and the counts that decide whether a change empties data.
// The pages call them when they are left; they change nothing themselves.

#include <cstdint>

#include "DATO.h"
#include "windows.h"

// The fields a check can send the focus back to.
enum ArkFelt : int {
  kArkIngen = 0,
  kArkInsnr,
  kArkSuperTavo,
  kArkFraDato,
  kArkTilDato,
  kArkDage,
  kArkLektioner,
  kArkStarttid,
  kArkSluttid,
  kArkStdLektioner,
};

// Ok: valid. Fejl: the text is shown with OK only and the page stays.
// Advarsel: the text is asked with OK and Cancel; OK makes the page valid.
enum class ArkArt { Ok, Fejl, Advarsel };

struct ArkSvar {
  ArkArt Art = ArkArt::Ok;
  const char *Tekst = nullptr;
  ArkFelt Felt = kArkIngen;
};

extern const char *const kArkImportFilTekst;
extern const char *const kArkEksportFilTekst;
extern const char *const kArkPeriodeInfoTekst;

// The installation number as typed: blanks removed, a whole number 0-99.
// False for anything else ("-5", "7a", "100", empty).
bool LaesInstallationsnr(const char *tekst, uint8_t *nr);

struct InstallationsFelter {
  const char *Insnr;       // the number field's text
  bool SuperTavo;          // the check box
  uint8_t AktuelInsnr;     // as the run has them
  bool AktuelSuperTavo;
  bool ImportFil;          // data\imp.dat or imp.dat.gz exists
  bool EksportFil;         // data\exp.dat or exp.dat.gz exists
  bool EgneData;           // own live events or time rows
  bool LevendeStamdata;    // live activities, teachers or rooms
};
// The Installation page. On Ok or Advarsel *nr gets the number and *nulstil
// whether the number or the SuperTavo kind changes (the data set is then
// emptied after OK).
ArkSvar CheckInstallationSide(const InstallationsFelter &f, uint8_t *nr, bool *nulstil);

struct PeriodeFelter {
  const char *Fra, *Til;   // the texts typed
  Dato AktuelFra, AktuelTil;
  bool ImportFil, EksportFil;
  uint8_t Insnr;
};
// The Periode page. On Ok or Advarsel *fra and *til get the dates and *info
// whether the information box about the new period follows.
ArkSvar CheckPeriodeSide(const PeriodeFelter &f, Dato *fra, Dato *til, bool *info);

struct DageFelter {
  const char *Dage, *Lektioner, *Starttid, *Sluttid, *StdLektioner;
};
struct DageVaerdier {
  uint32_t Dage, Lektioner;
  Klokkeslaet Starttid, Sluttid;  // HHMM
  double StdLektioner;
};
// The Dage/Lektioner/Tider page (after the linked fields are brought up to
// date). On Ok *v holds the values.
ArkSvar CheckDageSide(const DageFelter &f, DageVaerdier *v);

// Own live event first rows, own live time rows (owner: the installation
// number given), and live activities, teachers and rooms (status 10..29);
// only whether there are any is used.
uint32_t TaelEgneBegivenheder(uint8_t insnr);
uint32_t TaelEgneTimoak(uint8_t insnr);
uint32_t TaelLevendeStamdata();

// The sheet's edit copies of the ini values, as the controls show them.
struct InstallationsKopi {
  char insnr[16];
  bool supertavo;
  char bruger[20], database[20], server[80], skolenr[8];
  char logintype;  // 'u' Unix, 'o' Oracle
  char fradato[16], tildato[16];
  char antaldage[16], antaltimer[16], starttid[16], sluttid[16], lektionerprdag[16];
  bool standardlektion;
  bool taelaktibooking, taelstjerneakti, aktisumperaar, taelmedabooking, taelstjernemeda, anfosumperaar;
  bool fremmedarkivfarve, springgant, markerhellig, checkelevsammenfald, kalender;
  bool untis, extpostimport, extskemaimport, normsystem, hentstam;
  // ini\autoske.ini; regn_i_minutter has no control and is written as read.
  char antalkoersler[16], lektionsblokke[16], lektionsafstand[16], mellemtid[16], seneLektioner[16];
  int straf[8];
  int regnIMinutter;
};

// Fills the copies from the live values and the ini files (StiTab.szini,
// StiTab.szautoske).
void LaesInstallationsoplysninger(InstallationsKopi *k);
// Writes the copies to the two ini files, tells the server pane to end an
// open connection (1625) and sets the menu entries 40200, 40201 and 40272 of
// the main window's menu. In a read-only run nothing is written. False when
// nothing was written.
bool GemInstallationsoplysninger(const InstallationsKopi &k);

// The modal sheet "Installationsoplysninger" over the owner: six pages that
// check their fields when left; OK writes the ini files and then empties the
// data set, moves the period, rebuilds the display or recounts as the
// changes ask. A read-only run may look but changes nothing. The sheet's
// result (1 OK, 0 Cancel).
INT_PTR InstallationsoplysningerDialog(HWND ejer);
// Menu command 40166 and start-up with installation number 0.
void IndstillingerKommando(HWND ejer);
