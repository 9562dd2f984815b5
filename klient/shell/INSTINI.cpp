// The settings sheet's ini files: read into the edit copies, written back
// on OK. The reader of the settings (INDSTIL) owns the live values; this
// writes only the keys the sheet shows.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "INDSTIL.h"
#include "INSTARK.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TEKST.h"
#include "WCSERVER.h"
#include "windows.h"

namespace {

struct AutoTal {
  const char *sektion, *noegle;
  int standard;
};
const AutoTal kStraf[8] = {
    {"straffaktorer", "mellemtime_elev", 6},
    {"straffaktorer", "mellemtime_medarbejder", 3},
    {"straffaktorer", "lektioner_med_for_faa_dages_mellemrum", 3},
    {"straffaktorer", "usammenhaengende_blok", 4},
    {"straffaktorer", "sene_lektioner", 6},
    {"straffaktorer", "undervisning_uden_for_stamlokale", 1},
    {"straffaktorer", "undervisning_i_sene_lektioner", 1},
    {"straffaktorer", "daarlige_lektioner_medarbejder", 3},
};

template <size_t N>
void Laes(const char *sektion, const char *noegle, const char *standard, char (&ud)[N], const char *fil) {
  GetPrivateProfileStringA(sektion, noegle, standard, ud, N, fil);
}

bool Ja(const char *sektion, const char *noegle, const char *standard, const char *fil) {
  char v[16];
  Laes(sektion, noegle, standard, v, fil);
  return ErJa(v) != 0;
}

template <size_t N>
void Tal(const char *sektion, const char *noegle, int standard, char (&ud)[N], const char *fil) {
  std::snprintf(ud, N, "%d", static_cast<int>(GetPrivateProfileIntA(sektion, noegle, standard, fil)));
}

void Skriv(const char *sektion, const char *noegle, const char *vaerdi, const char *fil) {
  WritePrivateProfileStringA(sektion, noegle, vaerdi, fil);
}
void SkrivJa(const char *sektion, const char *noegle, bool ja, const char *fil) {
  Skriv(sektion, noegle, ja ? "ja" : "nej", fil);
}
void SkrivUdenBlanke(const char *sektion, const char *noegle, const char *tekst, const char *fil) {
  char t[128];
  std::snprintf(t, sizeof t, "%s", tekst);
  StripBlanks(t);
  Skriv(sektion, noegle, t, fil);
}
void SkrivTal(const char *sektion, const char *noegle, int tal, const char *fil) {
  char t[16];
  std::snprintf(t, sizeof t, "%d", tal);
  Skriv(sektion, noegle, t, fil);
}
int TalAf(const char *tekst) {
  char t[32];
  std::snprintf(t, sizeof t, "%s", tekst);
  StripBlanks(t);
  return std::atoi(t);
}

// The popup that holds a command, searched through the whole menu tree.
HMENU MenuMed(HMENU menu, UINT id) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    if (GetMenuItemID(menu, i) == id) return menu;
    if (HMENU under = GetSubMenu(menu, i))
      if (HMENU fundet = MenuMed(under, id)) return fundet;
  }
  return 0;
}

void SaetPunkt(HMENU bar, UINT id, const char *tekst, bool med) {
  HMENU her = MenuMed(bar, id);
  if (med && !her) {
    if (HMENU import = MenuMed(bar, 40200)) AppendMenuA(import, MF_STRING, id, tekst);
  } else if (!med && her) {
    DeleteMenu(her, id, MF_BYCOMMAND);
  }
}

}  // namespace

void LaesInstallationsoplysninger(InstallationsKopi *k) {
  *k = InstallationsKopi{};
  const char *ini = StiTab.szini, *auto_ = StiTab.szautoske;
  const GlobalIndstillingerData &g = GlobalIndstillinger;
  std::snprintf(k->insnr, sizeof k->insnr, "%u", static_cast<unsigned>(g.insnr));
  k->supertavo = g.supertavo != 0;
  Laes("kontakt", "bruger", "", k->bruger, ini);
  Laes("kontakt", "database", "", k->database, ini);
  Laes("kontakt", "server", "", k->server, ini);
  Laes("global", "skolenr", "", k->skolenr, ini);
  char lt[8];
  Laes("kontakt", "logintype", "u", lt, ini);
  k->logintype = lt[0] == 'u' ? 'u' : 'o';
  Laes("global", "fradato", "", k->fradato, ini);
  Laes("global", "tildato", "", k->tildato, ini);
  Laes("global", "antaldage", "5", k->antaldage, ini);
  Laes("global", "antaltimer", "10", k->antaltimer, ini);
  const Klokkeslaet start = GetPrivateProfileIntA("tider", "starttid", 800, ini);
  const Klokkeslaet slut = GetPrivateProfileIntA("tider", "sluttid", 1600, ini);
  std::snprintf(k->starttid, sizeof k->starttid, "%ld:%02ld", static_cast<long>(start / 100), static_cast<long>(start % 100));
  std::snprintf(k->sluttid, sizeof k->sluttid, "%ld:%02ld", static_cast<long>(slut / 100), static_cast<long>(slut % 100));
  const int hundrededele = static_cast<int>(GetPrivateProfileIntA("tider", "lektionerprdag", 0, ini));
  std::snprintf(k->lektionerprdag, sizeof k->lektionerprdag, "%d,%02d", hundrededele / 100, hundrededele % 100);
  k->standardlektion = Ja("tider", "standardlektion", "nej", ini);
  k->taelaktibooking = g.taelaktibooking;
  k->taelstjerneakti = g.taelstjerneakti;
  k->aktisumperaar = g.aktisumperaar;
  k->taelmedabooking = g.taelmedabooking;
  k->taelstjernemeda = g.taelstjernemeda;
  k->anfosumperaar = g.anfosumperaar;
  k->fremmedarkivfarve = g.fremmedarkivfarve;
  k->springgant = g.SpringGant;
  k->markerhellig = g.markerhellig;
  k->checkelevsammenfald = g.checkelevsammenfald;
  k->kalender = g.kalender;
  k->untis = Ja("menu", "untis", "nej", ini);
  k->extpostimport = Ja("flag", "extpostimport", "nej", ini);
  k->extskemaimport = Ja("flag", "extskemaimport", "nej", ini);
  k->normsystem = GetPrivateProfileIntA("flag", "normsystem", 0, ini) != 0;
  k->hentstam = Ja("global", "hentstam", "nej", ini);
  Tal("global", "antalkoersler", 3, k->antalkoersler, auto_);
  Tal("global", "lektionsblokke", 2, k->lektionsblokke, auto_);
  Tal("global", "lektionsafstand", 0, k->lektionsafstand, auto_);
  Tal("global", "antal_minutter_der_ikke_giver_mellemtid", 35, k->mellemtid, auto_);
  Tal("global", "sene_lektioner_for_undervisning", 7, k->seneLektioner, auto_);
  for (int i = 0; i < 8; ++i)
    k->straf[i] = static_cast<int>(GetPrivateProfileIntA(kStraf[i].sektion, kStraf[i].noegle, kStraf[i].standard, auto_));
  k->regnIMinutter = static_cast<int>(GetPrivateProfileIntA("global", "regn_i_minutter", 1, auto_));
}

bool GemInstallationsoplysninger(const InstallationsKopi &k) {
  // A run that does not hold the data folder may only look.
  if (StiTab.laastOenske || GlobalIndstillinger.skemalaast) return false;
  const char *ini = StiTab.szini, *auto_ = StiTab.szautoske;
  SkrivUdenBlanke("global", "insnr", k.insnr, ini);
  SkrivJa("global", "supertavo", k.supertavo, ini);
  SkrivJa("global", "hentstam", k.hentstam, ini);
  SkrivUdenBlanke("kontakt", "server", k.server, ini);
  SkrivUdenBlanke("kontakt", "database", k.database, ini);
  SkrivUdenBlanke("kontakt", "bruger", k.bruger, ini);
  Skriv("kontakt", "logintype", k.logintype == 'u' ? "u" : "o", ini);
  SkrivUdenBlanke("global", "skolenr", k.skolenr, ini);
  if (StatusFelter.Server && IsWindow(StatusFelter.Server)) SendMessageA(StatusFelter.Server, WM_KONTAKT_LOGOFF, 0, 0);

  SkrivUdenBlanke("global", "fradato", k.fradato, ini);
  SkrivUdenBlanke("global", "tildato", k.tildato, ini);

  SkrivUdenBlanke("global", "antaltimer", k.antaltimer, ini);
  SkrivUdenBlanke("global", "antaldage", k.antaldage, ini);
  char t[64];
  for (auto [noegle, tekst] : {std::pair{"starttid", k.starttid}, std::pair{"sluttid", k.sluttid}}) {
    std::snprintf(t, sizeof t, "%s", tekst);
    KeepDigits(t);
    t[9] = 0;
    SkrivTal("tider", noegle, std::atoi(t), ini);
  }
  std::snprintf(t, sizeof t, "%s", k.lektionerprdag);
  StripBlanks(t);
  CommaToPoint(t);
  KeepDigitsPoint(t);
  std::snprintf(t, sizeof t, "%.02f", std::atof(t));
  KeepDigits(t);
  Skriv("tider", "lektionerprdag", t, ini);
  SkrivJa("tider", "standardlektion", k.standardlektion, ini);

  SkrivJa("global", "tælaktibooking", k.taelaktibooking, ini);
  SkrivJa("global", "tælmedabooking", k.taelmedabooking, ini);
  SkrivJa("global", "tælstjerneakti", k.taelstjerneakti, ini);
  SkrivJa("global", "tælstjernemeda", k.taelstjernemeda, ini);
  SkrivJa("global", "aktisumperaar", k.aktisumperaar, ini);
  SkrivJa("global", "anfosumperaar", k.anfosumperaar, ini);
  SkrivJa("global", "springgant", k.springgant, ini);
  SkrivJa("global", "checkelevsammenfald", k.checkelevsammenfald, ini);
  SkrivJa("global", "kalender", k.kalender, ini);
  SkrivJa("farver", "fremmedarkivfarve", k.fremmedarkivfarve, ini);
  SkrivJa("farver", "markerhellig", k.markerhellig, ini);
  Skriv("flag", "normsystem", k.normsystem ? "1" : "0", ini);
  SkrivJa("menu", "untis", k.untis, ini);
  SkrivJa("flag", "extpostimport", k.extpostimport, ini);
  SkrivJa("flag", "extskemaimport", k.extskemaimport, ini);

  SkrivTal("global", "antalkoersler", TalAf(k.antalkoersler), auto_);
  SkrivTal("global", "lektionsblokke", TalAf(k.lektionsblokke), auto_);
  SkrivTal("global", "lektionsafstand", TalAf(k.lektionsafstand), auto_);
  SkrivTal("global", "regn_i_minutter", k.regnIMinutter, auto_);
  SkrivTal("global", "antal_minutter_der_ikke_giver_mellemtid", TalAf(k.mellemtid), auto_);
  SkrivTal("global", "sene_lektioner_for_undervisning", TalAf(k.seneLektioner), auto_);
  for (int i = 0; i < 8; ++i) SkrivTal(kStraf[i].sektion, kStraf[i].noegle, k.straf[i], auto_);

  if (HMENU bar = hwndHoved ? GetMenu(hwndHoved) : 0) {
    EnableMenuItem(bar, 40200, MF_BYCOMMAND | (k.untis ? MF_ENABLED : MF_GRAYED));
    SaetPunkt(bar, 40201, "Ekstern post import", k.extpostimport);
    SaetPunkt(bar, 40272, "Ekstern skema import", k.extskemaimport);
    DrawMenuBar(hwndHoved);
  }
  return true;
}
