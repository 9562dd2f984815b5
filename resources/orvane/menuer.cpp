// The main program's menus: the menu bar "MAIN", the planning popup of
// "FF_PLAN" that the start-up adds for the planning module, and the popup of
// "ELEVPLAN" for the Elevplan exchange. An entry that stands for a key
// shows the key after a tab.

#include <string>
#include <vector>

#include "win/dlg.h"

#include "win/menu.h"

using tavo::res::MenuItem;

namespace {

MenuItem Punkt(const char *tekst, UINT id) { return MenuItem{tekst, id, 0, {}}; }
MenuItem Streg() { return MenuItem{"", 0, MF_SEPARATOR, {}}; }
MenuItem Popup(const char *tekst, std::vector<MenuItem> punkter) {
  return MenuItem{tekst, 0, MF_POPUP, std::move(punkter)};
}

// The raw table viewer, one entry a table.
std::vector<MenuItem> DataViewPunkter() {
  static const struct {
    UINT id;
    const char *tekst;
  } tabeller[] = {
      {40033, "anom-Ansvarsområder"},
      {40035, "hontity-Honorerede timetyper"},
      {40037, "kaldag-Kalenderdage"},
      {40102, "lektregl-Lektionsregler"},
      {40103, "nojt-Normjusteringstyper"},
      {40104, "eakt-Esa aktivitetstyper"},
      {40105, "loty-Lokale aktivitetstyper"},
      {40106, "aldtil-Alderstillæg"},
      {40107, "afsp-Afspadsering"},
      {40108, "beltil-Belastningstillæg"},
      {40109, "omsdag-Omsorgsdage"},
      {40110, "opgkal-Opgørelseskalendere"},
      {40111, "opgper-Opgørelsesperioder"},
      {40112, "araf-Arbejdstidsaftaler"},
      {40113, "aftalop-Aftaleoplysninger"},
      {40114, "afme-Afdelinger for medarbejdere"},
      {40115, "meda-Medarbejdere"},
      {40116, "anfo-Ansættelsesforhold"},
      {40117, "acsa-AC satser"},
      {40118, "udgr-Uddannelsesgrupper"},
      {40119, "loka-Lokaler"},
      {40120, "risy-Ringesystemer"},
      {40121, "skka-Skoledagskalendere"},
      {40122, "kdagrel-LOKAL-Kalenderdagerelationer"},
      {40123, "akti-Aktiviteter"},
      {40124, "skfa-Skolefag"},
      {40125, "skph-Skolefag på hold"},
      {40126, "lokrotyp-Lokalerolletyper"},
      {40127, "lokrolle-Lokaleroller"},
      {40128, "skemrtyp-Skemarolletyper"},
      {40129, "skemarol-Skemaroller"},
      {40165, "anfo/akti relationer"},
      {40183, "miak-minutnormer_aktiviteter"},
      {40184, "minutfau-minutnormer_fag_udd"},
      {40185, "minutud-minutnormer_uddannelsesgruppe"},
      {40186, "ansk-skoleopl. ans."},
      {40188, "planakt-planaktiviteter"},
      {40189, "mipl-minutnormer_planaktiviteter"},
      {40190, "fagfordl-Fagfordelinger"},
      {40191, "udlplan-Udleverede planer"},
      {40214, "ansc-Ansættelsesoplysninger"},
      {40215, "budt-Budgettimer"},
      {40216, "buftim-Buffertimer"},
      {40217, "normjust-Normjusteringer"},
      {40218, "ret-Rettigheder"},
      {40219, "ins-Instalationer"},
      {40220, "pom-Projektområder"},
      {40221, "bygn-Bygninger"},
      {40222, "amm-Amu moduler"},
      {40260, "Personer / Elever"},
      {40261, "Elever På Skolefag på Hold"},
      {40262, "Aktivitetsplaceringer"},
      {40263, "Elev fritagelser"},
      {40298, "sls_koder"},
  };
  std::vector<MenuItem> p;
  for (const auto &t : tabeller) p.push_back(Punkt(t.tekst, t.id));
  return p;
}

// An entry's text as a line of the status bar: without its '&' marks, the
// key it stands for in brackets.
std::string HjaelpeLinje(const std::string &tekst) {
  std::string navn, tast;
  const size_t tab = tekst.find('\t');
  for (char c : tekst.substr(0, tab))
    if (c != '&') navn += c;
  if (tab != std::string::npos) tast = tekst.substr(tab + 1);
  return tast.empty() ? navn : navn + " (" + tast + ")";
}

// The help line of every command, keyed by the command, and of the first
// seven popups of the menu bar under the string bases 10 to 70 that the
// status bar's menu-help table names.
void RegistrerMenuHjaelp(const std::vector<MenuItem> &punkter, bool menuLinje) {
  std::vector<std::pair<UINT, std::string>> linjer;
  for (size_t i = 0; i < punkter.size(); ++i) {
    const MenuItem &p = punkter[i];
    if (p.flags & MF_POPUP) {
      if (menuLinje && i < 7) linjer.emplace_back(static_cast<UINT>(10 * (i + 1)), "Menuen " + HjaelpeLinje(p.text));
      RegistrerMenuHjaelp(p.items, false);
    } else if (p.id) {
      linjer.emplace_back(p.id, HjaelpeLinje(p.text));
    }
  }
  tavo::res::RegisterStrings(linjer);
}

}  // namespace

void RegistrerOrvaneMenuer() {
  tavo::res::MenuTemplate hoved;
  hoved.name = "MAIN";
  hoved.items = {
      Popup("&Aktiviteter",
            {Punkt("Alle aktiviteter i en uge\tF5", 40231), Punkt("En aktivitet i alle uger\tShift+F5", 40232),
             Punkt("Prikskema alle aktiviteter\tCtrl+F5", 40233), Punkt("Prikskema en aktivitet\tAlt+F5", 40234),
             Punkt("Aktuel uge aktiviteter\tCtrl+Shift+F5", 40293), Streg(),
             Punkt("Stamoplysning på aktivitet", 40287), Punkt("A&ktivitet / Lokale relation\tAlt+F10", 40273),
             Punkt("Prioritering af skema\tF4", 40292), Punkt("Elev &sammenfald\tAlt+F9", 40212)}),
      Popup("&Medarbejder",
            {Punkt("Alle medarbejdere i en uge\tF6", 40235), Punkt("En medarbejder i alle uger\tShift+F6", 40236),
             Punkt("Prikskema alle medarbejdere\tCtrl+F6", 40237),
             Punkt("Prikskema en medarbejder\tAlt+F6", 40238),
             Punkt("Aktuel uge medarbejder\tCtrl+Shift+F6", 40294), Streg(),
             Punkt("Stamoplysning på medarbejder", 40288), Punkt("Medarbejderopgørelse &2\tShift+F2", 40202),
             Punkt("P&rioritering af medarbejders arbejdstid", 40284)}),
      Popup("&Lokaler",
            {Punkt("Alle lokaler i en uge\tF7", 40239), Punkt("Et lokale i alle uger\tShift+F7", 40240),
             Punkt("Prikskema alle lokaler\tCtrl+F7", 40241), Punkt("Prikskema et lokale\tAlt+F7", 40242),
             Punkt("Aktuel uge lokaler\tCtrl+Shift+F7", 40295), Streg(),
             Punkt("Stamoplysning på lokale", 40289), Punkt("&Skolefag / Lokale relation", 40283)}),
      Popup("&Postering",
            {Punkt("Aktivitets postering\tF12", 40243), Punkt("Medarbejder postering\tShift+F12", 40244)}),
      Popup("&Gantkort", {Punkt("Aktivitets gantkort\tF9", 40245), Punkt("Medarbejder gantkort\tShift+F9", 40246),
                          Punkt("Lokale gantkort\tCtrl+F9", 40247)}),
      Popup("Gr&uppe",
            {Punkt("&Aktivitets gruppering\tF8", 40253), Punkt("&Medarbejder gruppering\tShift+F8", 40254),
             Punkt("&Lokale gruppering\tCtrl+F8", 40255), Punkt("&Navngivning af grupper\tAlt+F8", 40256)}),
      Popup("&Slet", {Punkt("&Aktivitets sletning", 40204), Punkt("&Medarbejder sletning", 40205),
                      Punkt("&Lokale sletning", 40206), Streg(), Punkt("&Slet 'gamle' aktiviteter", 40207)}),
      Popup("Se&rver",
            {Punkt("&Eksport\tF11", 40249), Punkt("&Kontakt server\tShift+F11", 40250),
             Punkt("&Indlæs import\tCtrl+F11", 40251), Streg(), Punkt("Fortryd eksport", 40168),
             Punkt("Se import log", 40210), Streg(), Punkt("Gensend skema fra dato.", 40211),
             Punkt("Gensend skema fra ændringsdato", 40230), Streg(),
             Punkt("Eksport af skemabegivenheder", 40275)}),
      Popup("S&ystem",
            {Punkt("&Installations oplysning", 40166), Punkt("&Roller", 40143), Punkt("&Fejl-Liste", 40101),
             Punkt("Vis byt/flyt log", 40291), Streg(), Punkt("&Gem data", 40170),
             Punkt("Gem data automatisk", 40197), Punkt("Afslut uden at gemme", 40209), Streg(),
             Punkt("Reetabler låst periode.", 40171),
             Punkt("Reetabler sletninger med fraværsregistrering.", 40172),
             Punkt("Slet begivenheder med egen konflikt.", 40173),
             Punkt("Slet begivenheder med fejl 72 (Delete fejl i Oracle)", 40258),
             Punkt("Slet begivenheder, som ikke ejes af inst. (Fejl 62)", 40259),
             Punkt("Komprimer skemabegivenheder/posteringer.", 40174),
             Punkt("Gendan anfo/akti relationer", 40175)}),
      Popup("&DataView", DataViewPunkter()),
      Popup("&Support", {Punkt("Send data til support", 40265)}),
      Popup("Import", {Punkt("&Untis import", 40200), Punkt("&Tabulex import", 40296)}),
      Popup("&Diverse",
            {Popup("&Status-/fejloversigt", {Punkt("&Status skema\tF10", 40163),
                                              Punkt("Status/fejl &posteringer\tShift+F10", 40164),
                                              Punkt("&Fejl skema\tCtrl+F10", 40167)}),
             // One window alone, without the function key's screen.
             Popup("Spe&cial vinduer",
                   {Punkt("Alle aktiviteter i en &uge (Single)", 40001),
                    Punkt("Alle medarbejdere i en uge (Single)", 40002),
                    Punkt("Alle lokaler i en uge (Single)", 40003),
                    Punkt("&En aktivitet i alle uger (Single)", 40004),
                    Punkt("En medarbejder i alle uger (Single)", 40005),
                    Punkt("Et lokale i alle uger (Single)", 40006), Streg(),
                    Punkt("&Prikskema alle aktiviteter (Single)", 40132),
                    Punkt("Prikskema alle medarbejdere (Single)", 40133),
                    Punkt("Prikskema alle lokaler (Single)", 40134),
                    Punkt("P&rikskema en aktivitet (Single)", 40135),
                    Punkt("Prikskema en medarbejder (Single)", 40136),
                    Punkt("Prikskema et lokale (Single)", 40137), Streg(),
                    Punkt("&Aktivitets Gantkort (Single)", 40146), Punkt("&Medarbejder Gantkort (Single)", 40147),
                    Punkt("&Lokale Gantkort (Single)", 40148), Streg(),
                    Punkt("&Aktivitets postering (Single)", 40151),
                    Punkt("&Medarbejder postering (Single)", 40152), Streg(),
                    Punkt("&Aktivitetsskema", 40009), Punkt("&Medarbejderskema", 40011),
                    Punkt("&Lokaleskema", 40013), Punkt("&Kalender", 40139), Punkt("B&egivenhed (kant)", 40154),
                    Punkt("&HuskBegivenhed (kant)", 40176), Punkt("&Begivenhed (bund)", 40177),
                    Punkt("&HuskBegivenhed (bund)", 40178), Punkt("Medarbejderopgørelse &1", 40187),
                    Punkt("Medarbejder&opgørelse (Bund)", 40203)}),
             Popup("&Egne vinduer", {Punkt("Tilføj &Egen Vinduesopsætning", 40192),
                                     Punkt("&Redigér Eget opsætningsnavn", 40193),
                                     Punkt("&Slet Egen vinduesopsætning", 40194)}),
             Popup("&Arranger vinduer",
                   {Punkt("Arranger vindue med &fokus", 40155), Punkt("Arranger i &kaskade", 40156),
                    Punkt("Arranger vinduer &horisontalt", 40157), Punkt("Arranger vinduer &vertikalt", 40158)})}),
      Popup("&Hjælp", {Punkt("&Indhold", 40079), Punkt("&Nyheder", 40224), Punkt("Pelago+", 40277),
                       Punkt("Tjek for opdatering", 40285), Streg(), Punkt("&Om", 40078)}),
  };
  tavo::res::RegisterMenu(hoved);
  RegistrerMenuHjaelp(hoved.items, true);

  tavo::res::MenuTemplate plan;
  plan.name = "FF_PLAN";
  plan.items = {Popup("Pla&nlægning",
                      {Punkt("&Plan gruppe\tCtrl+F2", 40266), Punkt("P&lan vindue\tAlt+F2", 40268), Streg(),
                       Punkt("TAVO &plan", 40278), Punkt("TAVO planop&følgning", 40297),
                       Punkt("TAVO plan&opfølgning (Opg. Periode)", 40279),
                       Punkt("TAVO plan-/&norm opfølgning", 40280), Punkt("TAVO plan til CSV", 40290), Streg(),
                       Punkt("&Eksport til AutoSkema", 40282), Punkt("&Import fra AutoSkema", 40281),
                       Punkt("&Åbn Autoske log for ikke placerede brikker", 40286)})};
  tavo::res::RegisterMenu(plan);
  RegistrerMenuHjaelp(plan.items, false);

  tavo::res::MenuTemplate elevplan;
  elevplan.name = "ELEVPLAN";
  elevplan.items = {Popup("&Elevplan", {Punkt("Elevplan\tCtrl+F12", 40248)})};
  tavo::res::RegisterMenu(elevplan);
  RegistrerMenuHjaelp(elevplan.items, false);
}
