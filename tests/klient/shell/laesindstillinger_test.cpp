// The settings reader over small settings files: every key with its rule
// and default, the special rules, and what the reader changes in the file
// (nothing at all in a read-only run).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../datamappe.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "STITAB.h"

namespace fs = std::filesystem;

namespace {

int MaanedMellem(Dato fra, Dato til) {
  return static_cast<int>((til / 10000 * 12 + til / 100 % 100) - (fra / 10000 * 12 + fra / 100 % 100)) + 1;
}

// Every value the reader gives, by the key (or derived name) it comes from.
double Vaerdi(const std::string &navn) {
  const GlobalIndstillingerData &g = GlobalIndstillinger;
  static const std::map<std::string, std::function<double()>> kilder = {
      {"insnr", [&] { return g.insnr; }},
      {"version", [] { return version; }},
      {"nyversion", [&] { return g.nyversion; }},
      {"nyVersionFindes", [] { return nyVersionFindes; }},
      {"trace", [&] { return g.trace; }},
      {"SpringGant", [&] { return g.SpringGant; }},
      {"aktisumperaar", [&] { return g.aktisumperaar; }},
      {"anfosumperaar", [&] { return g.anfosumperaar; }},
      {"tælaktibooking", [&] { return g.taelaktibooking; }},
      {"tælmedabooking", [&] { return g.taelmedabooking; }},
      {"tælstjerneakti", [&] { return g.taelstjerneakti; }},
      {"tælstjernemeda", [&] { return g.taelstjernemeda; }},
      {"skphakkord", [&] { return g.skphakkord; }},
      {"supertavo", [&] { return g.supertavo; }},
      {"ff_plan", [] { return ff_plan; }},
      {"skemalåst", [&] { return g.skemalaast; }},
      {"niveaufag", [&] { return g.niveaufag; }},
      {"kalender", [&] { return g.kalender; }},
      {"logok", [&] { return g.logok; }},
      {"checkelevsammenfald", [&] { return g.checkelevsammenfald; }},
      {"sammenfaldsinterval", [&] { return g.sammenfaldsinterval; }},
      {"checkminutnorm", [&] { return static_cast<unsigned char>(g.checkminutnorm); }},
      {"autogem", [&] { return g.autogem; }},
      {"autoimport", [&] { return g.autoimport; }},
      {"fremmedarkivfarve", [&] { return g.fremmedarkivfarve; }},
      {"markerhellig", [&] { return g.markerhellig; }},
      {"elevplanprio", [&] { return g.elevplanprio; }},
      {"planminutnorm", [&] { return g.planminutnorm; }},
      {"normsystem", [&] { return g.normsystem; }},
      {"visbytflyt", [&] { return g.visbytflyt; }},
      {"tastlog", [&] { return g.tastlog; }},
      {"checktavonews", [&] { return g.checktavonews; }},
      {"starttid", [&] { return g.starttid; }},
      {"sluttid", [&] { return g.sluttid; }},
      {"VisStarttid", [] { return VisStarttid; }},
      {"VisSluttid", [] { return VisSluttid; }},
      {"lektionerprdag", [&] { return g.lektionerprdag; }},
      {"MedPer.lektionerprdag", [] { return GetDagsNorm(0, 20240101) / 10; }},
      {"standardlektion", [&] { return g.standardlektion; }},
      {"standardlektionslengde", [&] { return g.standardlektionslengde; }},
      {"nyeNyheder", [] { return nyeNyheder; }},
      {"opgPeriodeStartMåned", [&] { return g.opgPeriodeStartMaaned; }},
      {"opgPeriodeLængde", [&] { return g.opgPeriodeLaengde; }},
      {"MedPer.opgPeriodeLaengde", [] { return MaanedMellem(StdOpgPerFra(), StdOpgPerTil()); }},
      {"opgPeriodeNorm", [&] { return g.opgPeriodeNorm; }},
      {"afrunding", [&] { return g.afrunding; }},
      {"medopg", [&] { return g.medopg; }},
      {"post", [&] { return g.post; }},
      {"ep_filnummer", [&] { return g.ep_filnummer; }},
      {"ep_maxnummer", [&] { return g.ep_maxnummer; }},
      {"ElevplanSlaaetTil", [] { return ElevplanSlaaetTil; }},
  };
  auto k = kilder.find(navn);
  if (k == kilder.end()) {
    ADD_FAILURE() << "no value named " << navn;
    return NAN;
  }
  return k->second();
}

using Forventet = std::vector<std::pair<std::string, double>>;

// What the web says is its latest news, for the rows that ask.
const char *gNyhedsSvar = nullptr;
bool WebNyheder(char *svar, unsigned stoerrelse) {
  if (!gNyhedsSvar) return false;
  std::snprintf(svar, stoerrelse, "%s", gNyhedsSvar);
  return true;
}

class LaesIndstillingerTest : public ::testing::Test {
 protected:
  SkemaPeriodeData gemtPeriode_{};
  void SetUp() override {
    char skabelon[] = "/tmp/laesindstil_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    mappe_ = skabelon;
    fs::create_directories(mappe_ / "ini");
    fs::create_directories(mappe_ / "log");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe_).c_str());
    InitStiTab();
    // The default accounting period is the one holding today's date, which
    // comes from the schedule period: a fixed date, whatever ran before.
    gemtPeriode_ = SkemaPeriode;
    SkemaPeriode.AktuelDato = 20240101;
  }
  void TearDown() override {
    SkemaPeriode = gemtPeriode_;
    StiTab.laastOenske = 0;
    IndstilKrog = {};
    gNyhedsSvar = nullptr;
    StandardIndstillinger();
    fs::remove_all(mappe_);
  }
  // The settings text (Windows-1252, as this file's literals are) read as
  // a start does; the allowed news check comes from the browser check.
  void Laes(const std::string &ini, uint8_t laast = 0, bool skriv = true) {
    fs::remove(Fil());
    if (!ini.empty()) Skriv(Fil(), ini);
    StiTab.laastOenske = laast;
    StandardIndstillinger();
    LaesIndstillinger(skriv);
  }
  static void Skriv(const fs::path &p, const std::string &tekst) { std::ofstream(p, std::ios::binary) << tekst; }
  std::string Indhold() const {
    std::ifstream f(Fil(), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  fs::path Fil() const { return mappe_ / "ini" / "tavo.ini"; }
  fs::path ImportLog() const { return mappe_ / "log" / "import.log"; }
  fs::path mappe_;
};

TEST_F(LaesIndstillingerTest, TableOfKeysAndRules) {
  enum ImportLogTilstand { INGEN, TOM, MED_FEJL };
  const Forventet standard = {
      {"insnr", 0}, {"version", 99999}, {"nyversion", 0}, {"nyVersionFindes", 0}, {"trace", 0},
      {"SpringGant", 1}, {"aktisumperaar", 0}, {"anfosumperaar", 0}, {"tælaktibooking", 1},
      {"tælmedabooking", 1}, {"tælstjerneakti", 1}, {"tælstjernemeda", 1}, {"skphakkord", 1},
      {"supertavo", 0}, {"ff_plan", 1}, {"skemalåst", 0}, {"niveaufag", 0}, {"kalender", 0}, {"logok", 1},
      {"checkelevsammenfald", 1}, {"sammenfaldsinterval", 0}, {"checkminutnorm", 'j'}, {"autogem", 1},
      {"autoimport", 1}, {"fremmedarkivfarve", 1}, {"markerhellig", 1},
      {"elevplanprio", 2}, {"planminutnorm", 1}, {"normsystem", 0}, {"visbytflyt", 1}, {"tastlog", 0},
      {"checktavonews", 1}, {"starttid", 800}, {"sluttid", 1600}, {"VisStarttid", 800}, {"VisSluttid", 1600},
      {"lektionerprdag", 7.4f}, {"MedPer.lektionerprdag", 740}, {"standardlektion", 0},
      {"standardlektionslengde", 0}, {"nyeNyheder", 0}, {"opgPeriodeStartMåned", 1}, {"opgPeriodeLængde", 1},
      {"MedPer.opgPeriodeLaengde", 12}, {"opgPeriodeNorm", 1924}, {"afrunding", 0}, {"medopg", 1}, {"post", 1},
      {"ep_filnummer", 1}, {"ep_maxnummer", 20}, {"ElevplanSlaaetTil", 0}};

  // The yes keys, each with the words that may stand in the file.
  const std::pair<const char *, const char *> jaNoegler[] = {
      {"global", "trace"}, {"global", "SpringGant"}, {"global", "aktisumperaar"}, {"global", "anfosumperaar"},
      {"global", "tælaktibooking"}, {"global", "tælmedabooking"}, {"global", "skphakkord"},
      {"global", "supertavo"}, {"global", "kalender"}, {"global", "checkelevsammenfald"},
      {"global", "autogem"}, {"kontakt", "autoimport"}, {"farver", "fremmedarkivfarve"},
      {"farver", "markerhellig"}, {"tider", "standardlektion"}, {"vinduer", "medopg"}, {"vinduer", "post"}};
  const std::pair<const char *, double> ord[] = {{"Ja", 1}, {"jo", 1}, {"j", 1}, {"nej", 0}, {"", 0}};

  struct Tilfaelde {
    std::string ini;
    ImportLogTilstand importLog;
    uint8_t laast;
    const char *nyhedsSvar;
    Forventet forventet;
  };
  std::vector<Tilfaelde> tabel = {
      {"", INGEN, 0, nullptr, standard},
      // Numbers, bytes and the new version by whole hundreds.
      {"[global]\ninsnr=300\nversion=10412\nnyversion=10499\nniveaufag=258\nsammenfaldsinterval=10\n"
       "[flag]\nelevplanprio=3\nplanminutnorm=0\nnormsystem=2\nvisbytflyt=0\ntastlog=257\n"
       "[tider]\nstarttid=730\nsluttid=1545\nstandardlektionslengde=45\nopgPeriodeStartMåned=8\n"
       "opgPeriodeNorm=1500\nB069_Afrunding=20100101\n[elevplan]\nep_filnummer=7\nep_maxnummer=30\n",
       INGEN, 0, nullptr,
       {{"insnr", 44}, {"version", 10412}, {"nyversion", 10499}, {"nyVersionFindes", 0}, {"niveaufag", 2},
        {"sammenfaldsinterval", 10}, {"elevplanprio", 3}, {"planminutnorm", 0}, {"normsystem", 2},
        {"visbytflyt", 0}, {"tastlog", 1}, {"starttid", 730}, {"sluttid", 1545}, {"VisStarttid", 730},
        {"VisSluttid", 1545}, {"standardlektionslengde", 45}, {"opgPeriodeStartMåned", 8},
        {"opgPeriodeNorm", 1500}, {"afrunding", 0}, {"ep_filnummer", 7}, {"ep_maxnummer", 30}}},
      {"[global]\nversion=10412\nnyversion=10500\n", INGEN, 0, nullptr, {{"nyVersionFindes", 1}}},
      // 1: the star counts follow their booking flags when missing.
      {"[global]\ntælaktibooking=nej\n", INGEN, 0, nullptr, {{"tælstjerneakti", 0}, {"tælstjernemeda", 1}}},
      {"[global]\ntælmedabooking=nej\n", INGEN, 0, nullptr, {{"tælstjerneakti", 1}, {"tælstjernemeda", 0}}},
      {"[global]\ntælaktibooking=nej\ntælstjerneakti=ja\ntælstjernemeda=nej\n", INGEN, 0, nullptr,
       {{"tælstjerneakti", 1}, {"tælstjernemeda", 0}}},
      {"[global]\ntælbooking=Nej\n", INGEN, 0, nullptr, {{"tælaktibooking", 0}, {"tælstjerneakti", 0}}},
      // 2: read-only by the file or by -l, never for SuperTavo.
      {"[global]\nskemalåst=Ja\n", INGEN, 0, nullptr, {{"skemalåst", 1}}},
      {"[global]\nskemalåst=jo\n", INGEN, 0, nullptr, {{"skemalåst", 1}}},
      {"[global]\nskemalåst=j\n", INGEN, 0, nullptr, {{"skemalåst", 1}}},
      {"[global]\nskemalåst=nej\n", INGEN, 0, nullptr, {{"skemalåst", 0}}},
      {"[global]\nskemalåst=nej\n", INGEN, 1, nullptr, {{"skemalåst", 1}}},
      {"[global]\nsupertavo=ja\n", INGEN, 1, nullptr, {{"skemalåst", 0}, {"ff_plan", 0}}},
      {"[global]\nsupertavo=Ja\nskemalåst=ja\n", INGEN, 0, nullptr, {{"skemalåst", 0}, {"ff_plan", 0}}},
      // 3: logok says no only with errors in the import log.
      {"[global]\nlogok=nej\n", INGEN, 0, nullptr, {{"logok", 1}}},
      {"[global]\nlogok=nej\n", TOM, 0, nullptr, {{"logok", 1}}},
      {"[global]\nlogok=Nej\n", MED_FEJL, 0, nullptr, {{"logok", 0}}},
      {"[global]\nlogok=ja\n", MED_FEJL, 0, nullptr, {{"logok", 1}}},
      {"", MED_FEJL, 0, nullptr, {{"logok", 1}}},
      // 4: the first letter, lower-cased.
      {"[global]\ncheckminutnorm=Advarsel\n", INGEN, 0, nullptr, {{"checkminutnorm", 'a'}}},
      {"[global]\ncheckminutnorm=\n", INGEN, 0, nullptr, {{"checkminutnorm", 0}}},
      // 6: the file can switch the news check off, not on.
      {"[flag]\nchecktavonews=Nej\n", INGEN, 0, nullptr, {{"checktavonews", 0}}},
      {"[flag]\nchecktavonews=x\n", INGEN, 0, nullptr, {{"checktavonews", 1}}},
      // 7: lessons per day in hundredths, 1.0 to 24.0.
      {"[tider]\nlektionerprdag=2500\n", INGEN, 0, nullptr,
       {{"lektionerprdag", 7.4f}, {"MedPer.lektionerprdag", 740}}},
      {"[tider]\nlektionerprdag=100\n", INGEN, 0, nullptr,
       {{"lektionerprdag", 1.0f}, {"MedPer.lektionerprdag", 100}}},
      {"[tider]\nlektionerprdag=2400\n", INGEN, 0, nullptr, {{"lektionerprdag", 24.0f}}},
      {"[tider]\nlektionerprdag=99\n", INGEN, 0, nullptr, {{"lektionerprdag", 7.4f}}},
      {"[tider]\nlektionerprdag=-5\n", INGEN, 0, nullptr,
       {{"lektionerprdag", 7.4f}, {"MedPer.lektionerprdag", 740}}},
      // 8: news newer than the stored date, which is floored.
      {"[tider]\nnyheder=20260101 10:00\n", INGEN, 0, "20260101 10:01", {{"nyeNyheder", 1}}},
      {"[tider]\nnyheder=20260101 10:00\n", INGEN, 0, "20260101 10:00", {{"nyeNyheder", 0}}},
      {"[tider]\nnyheder=20260101 10:00\n", INGEN, 0, nullptr, {{"nyeNyheder", 0}}},
      {"[tider]\nnyheder=2000\n", INGEN, 0, "20070925", {{"nyeNyheder", 1}}},
      {"[tider]\nnyheder=2000\n", INGEN, 0, "20070923", {{"nyeNyheder", 0}}},
      {"[tider]\nnyheder=20260101 A\n", INGEN, 0, "20260101 a", {{"nyeNyheder", 0}}},
      {"[tider]\nnyheder=20200101\n[flag]\nchecktavonews=nej\n", INGEN, 0, "20990101", {{"nyeNyheder", 0}}},
      // 9: only the exact lower-case text gives half years.
      {"[tider]\nopgPeriodeLængde=halvår\n", INGEN, 0, nullptr,
       {{"opgPeriodeLængde", 0}, {"MedPer.opgPeriodeLaengde", 6}}},
      {"[tider]\nopgPeriodeLængde=Halvår\n", INGEN, 0, nullptr,
       {{"opgPeriodeLængde", 1}, {"MedPer.opgPeriodeLaengde", 12}}},
  };
  for (const auto &[sektion, noegle] : jaNoegler) {
    const std::string navn = std::string(noegle);
    for (const auto &[tekst, flag] : ord) {
      Forventet f = {{navn, flag}};
      if (navn == "supertavo") f.push_back({"ff_plan", 1 - flag});
      tabel.push_back({"[" + std::string(sektion) + "]\n" + navn + "=" + tekst + "\n", INGEN, 0, nullptr, f});
    }
  }

  IndstilKrog.WebNewsCheck = WebNyheder;
  for (const auto &t : tabel) {
    SCOPED_TRACE("ini:\n" + t.ini + "-l " + std::to_string(t.laast));
    fs::remove(ImportLog());
    if (t.importLog == TOM) Skriv(ImportLog(), "");
    if (t.importLog == MED_FEJL) Skriv(ImportLog(), "** Fejl: linje 3\r\n");
    gNyhedsSvar = t.nyhedsSvar;
    Laes(t.ini, t.laast);
    for (const auto &[navn, vaerdi] : t.forventet) EXPECT_FLOAT_EQ(Vaerdi(navn), vaerdi) << navn;
  }
}

// A value longer than its buffer is cut, and the rest of the file is still
// read.
TEST_F(LaesIndstillingerTest, LongValuesAreCut) {
  const std::string lang(5000, 'j');
  Laes("[tider]\nnyheder=2030" + lang + "\n[global]\nlogok=n" + lang + "\ntrace=" + lang +
       "\n[vinduer]\npost=nej\n");
  EXPECT_EQ(std::string(GlobalIndstillinger.nyheder), "2030" + lang.substr(0, 45));
  EXPECT_EQ(GlobalIndstillinger.trace, 1);
  EXPECT_EQ(GlobalIndstillinger.post, 0);
}

// What a normal run changes in the file, and that a read-only one (by -l,
// by the file, or by a reader told not to write) changes not one byte.
TEST_F(LaesIndstillingerTest, KeyMovesAndPurges) {
  const std::string gammel =
      "[global]\r\ninsnr=4\r\ntælbooking=NEJ\r\ntælstjerne=Ja\r\nff_plan=ja\r\n"
      "[kontakt]\r\nnewsurl=http://x\r\nautoimport=ja\r\n"
      "[elevplan]\r\nep_maxnummer=30\r\nep_filnummer=12\r\nep_sidst=20260101\r\n"
      "[tider]\r\nstarttid=800\r\n";
  const struct {
    const char *hvad;
    std::string ini;
    uint8_t laast;
    bool skriv;
  } skrivebeskyttet[] = {
      {"-l", gammel, 1, true},
      {"skemalåst=ja", "[global]\r\nskemalåst=ja\r\n" + gammel.substr(gammel.find("insnr")), 0, true},
      {"not told to write", gammel, 0, false},
  };
  for (const auto &t : skrivebeskyttet) {
    SCOPED_TRACE(t.hvad);
    Laes(t.ini, t.laast, t.skriv);
    EXPECT_EQ(GlobalIndstillinger.taelaktibooking, 0);
    EXPECT_EQ(GlobalIndstillinger.taelstjerneakti, 1);
    EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 12);
    EXPECT_EQ(GlobalIndstillinger.ep_maxnummer, 30);
    EXPECT_EQ(Indhold(), t.ini);
  }

  Laes(gammel);
  EXPECT_EQ(GlobalIndstillinger.taelaktibooking, 0);
  EXPECT_EQ(GlobalIndstillinger.ep_maxnummer, 30);
  EXPECT_EQ(Indhold(),
            "[global]\r\ninsnr=4\r\ntælaktibooking=nej\r\ntælstjerneakti=ja\r\n"
            "[kontakt]\r\nautoimport=ja\r\n"
            "[tider]\r\nstarttid=800\r\n"
            "[elevplan]\r\nep_filnummer=12\r\n");
  // The next start reads the same and changes nothing more; the highest
  // Elevplan number is back at its default.
  const std::string efter = Indhold();
  Laes(efter);
  EXPECT_EQ(GlobalIndstillinger.taelaktibooking, 0);
  EXPECT_EQ(GlobalIndstillinger.taelstjerneakti, 1);
  EXPECT_EQ(GlobalIndstillinger.ep_filnummer, 12);
  EXPECT_EQ(GlobalIndstillinger.ep_maxnummer, 20);
  EXPECT_EQ(Indhold(), efter);

  // A section without the file number is emptied and not given one.
  Laes("[elevplan]\r\nep_maxnummer=30\r\n");
  EXPECT_EQ(Indhold(), "");
}

}  // namespace
