// The hook table: every slot of every hook struct of the program, with what
// fills it in the running program. The wiring must fill each one that is not
// left to the subject planning; the sources must declare no slot the table
// lacks, in one naming pattern, and assign slots only in the wiring, each in
// one place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "BEGKROGE.h"
#include "BRIKINDVIN.h"
#include "BRIKVALG.h"
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
#include "FF_Felles.h"
#include "GEMBEG.h"
#include "GRUPPER.h"
#include "HENTGEM.h"
#include "HOVEDVIN.h"
#include "ImpBehandl.h"
#include "ImpData.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "KROGE.h"
#include "LISTETAL.h"
#include "LOGVISNING.h"
#include "NULSTIL.h"
#include "NYVALG.h"
#include "OBJFELT.h"
#include "OPDAT.h"
#include "OPTAEL.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "RETTID.h"
#include "RINGTID.h"
#include "RELMATRIX.h"
#include "ROLLEFORSLAG.h"
#include "SkfaLokaRel.h"
#include "STAMOPL.h"
#include "STAMTAL.h"
#include "STAMTEKST.h"
#include "STATUSBAR.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "WEBKALD.h"

namespace {

namespace fs = std::filesystem;

constexpr const char *kIkkeBygget = "subject planning, not built";

struct Slot {
  const char *navn;    // "<instance>.<member>"
  const char *fylder;  // what fills it in the running program
  bool (*fyldt)();
  bool (*rigtig)();    // null where the filler is a lambda of the wiring
};

#define NAVNGIVET(krog, medlem, fylder) \
  Slot { #krog "." #medlem, #fylder, [] { return krog.medlem != nullptr; }, [] { return krog.medlem == &fylder; } }
#define UDFYLDT(krog, medlem, beskrivelse) \
  Slot { #krog "." #medlem, beskrivelse, [] { return krog.medlem != nullptr; }, nullptr }
#define IKKE_BYGGET(krog, medlem) \
  Slot { #krog "." #medlem, kIkkeBygget, [] { return krog.medlem != nullptr; }, nullptr }

const std::vector<Slot> &Tabel() {
  static const std::vector<Slot> t = {
      // The data store.
      UDFYLDT(HentGemKrog, SendTilAlleVinduer, "SendTilAlleVinduer, no exception"),
      NAVNGIVET(HentGemKrog, HentGruppeValgStjerne, HentGruppeValgStjerne),
      UDFYLDT(HentGemKrog, GemGruppeValg, "GemGruppeValg(0)"),
      NAVNGIVET(HentGemKrog, ImportData, ImportVedHentning),
      NAVNGIVET(HentGemKrog, ImportElevplan, ImportElevplan),
      NAVNGIVET(HentGemKrog, DeleteLockFile, SletEgenLaasefil),
      NAVNGIVET(HentGemKrog, GemStartKopi, GemStartKopi),
      NAVNGIVET(HentGemKrog, ForbrugteFiler, Udvekslingsfiler),
      NAVNGIVET(HentGemKrog, EfterKompletGemning, Forbrugt),
      NAVNGIVET(GensendKrog, HentAVS, HentGensendAVS),
      NAVNGIVET(GensendKrog, SletBegivenhed, SletGensendBegivenhed),
      NAVNGIVET(GensendKrog, SaetLektionsTider, SaetLektionsTider),
      NAVNGIVET(GensendKrog, AddBegivenhed, AddGensendBegivenhed),
      UDFYLDT(GensendKrog, SendTilAlleVinduer, "SendTilAlleVinduer, no exception"),
      NAVNGIVET(GensendKrog, AllokerTalTab, AllokerTalTab),
      NAVNGIVET(TimoakKrog, AddTimoak, AddTimoakOgTael),
      UDFYLDT(TimoakKrog, SetAakrel, "SetAakrel"),
      NAVNGIVET(TimoakKrog, SumTimoak, SumTimoak),
      UDFYLDT(TimoakKrog, SendTilAlleVinduer, "SendTilAlleVinduer, no exception"),
      NAVNGIVET(VedligeKrog, FrigivAakrel, FrigivAakrel),
      NAVNGIVET(VedligeKrog, AddAakrel, AddAakrel),
      NAVNGIVET(VedligeKrog, AakrelAntal, AakrelAntal),
      NAVNGIVET(VedligeKrog, CleanupAakrel, CleanupAakrel),
      NAVNGIVET(VedligeKrog, FjernAktiFraSkema, FjernAktiFraSkema),
      UDFYLDT(AktiChkKrog, Advarsel, "an exclamation message box"),
      NAVNGIVET(AktiChkKrog, TidspostCheck, WebConnectTidspostCheck),
      NAVNGIVET(ListeTalKrog, Spoerg, SendMessageA),
      NAVNGIVET(ObjFeltKrog, HentDifValg, HentDifValg),
      NAVNGIVET(ObjFeltKrog, KolonneUgedag, KolonneUgedag),
      NAVNGIVET(PlanMutexKrog, Sluppet, StartVentendeOptaelling),
      // The window framework.
      NAVNGIVET(VinduesKrog, ForHvertElement, ForHvertElement),
      NAVNGIVET(VinduesKrog, CloseAllElements, CloseAllElements),
      UDFYLDT(VinduesKrog, NulstilGenaabning, "gendanneVinduer = 0"),
      UDFYLDT(EnsKrog, OpretStatusBar, "CreateStatusBar"),
      // The shell's base.
      NAVNGIVET(IndstilKrog, WebNewsCheck, WebNewsCheck),
      // The exchange.
      NAVNGIVET(BehandlDataKrog, LaesRolleForslag, LaesRolleForslag),
      NAVNGIVET(BehandlDataKrog, CreateRingeGrupper, CreateRingeGrupper),
      NAVNGIVET(BehandlDataKrog, LoadSkphIni, LoadSkphIni),
      NAVNGIVET(ImportDataKrog, ResetAllData, ResetAllData),
      NAVNGIVET(ImportDataKrog, CountFaellesElever, CountFaellesElever),
      // The master data.
      IKKE_BYGGET(RelMatrixKrog, RelPlanGruppe),
      IKKE_BYGGET(SkfaLokaRelKrog, FindGrundAktiRow),
      NAVNGIVET(StamKrog, ByggLister, StamTalByggLister),
      NAVNGIVET(StamKrog, VaerdiTekst, StamVaerdiTekst),
      NAVNGIVET(StamKrog, CelleTekst, StamTalCelleTekst),
      NAVNGIVET(StamKrog, TegnNoegletal, StamTalTegnNoegletal),
      NAVNGIVET(StamKrog, TegnRamme, TegnStamRamme),
      NAVNGIVET(StamKrog, TegnKaption, TegnStamKaption),
      NAVNGIVET(StamKrog, EfterSkfaSort, StamTalEfterSkfaSort),
      NAVNGIVET(StamKrog, OmListeTegning, StamTalOmListeTegning),
      NAVNGIVET(StamKrog, Frigiv, StamTalFrigiv),
      // The schedule.
      UDFYLDT(GemBegKrog, DagsNorm, "GetDagsNorm in minutes"),
      NAVNGIVET(BrikIndKrog, Gem, GemHook),
      NAVNGIVET(BrikIndKrog, ListeTast, BrikValgTast),
      NAVNGIVET(BrikIndKrog, Tid, RetTidKnap),
      NAVNGIVET(BrikIndKrog, Bem, BemaerkningDialog),
      NAVNGIVET(BrikIndKrog, DagsTider, DagsTider),
      NAVNGIVET(GemBegKrog, VisLog, ShowLogFile),
      // The shell's services.
      UDFYLDT(HovedKrog, AabnIndtastning, "CreateBrikIndWnd"),
      UDFYLDT(HovedKrog, AabnPrikSkema, "the activities' dot schedule by its keys"),
      UDFYLDT(HovedKrog, AfslutProces, "ExitProcess"),
      NAVNGIVET(OpdatKrog, ServerBesked, StatusServerBesked),
      NAVNGIVET(StatusBarKrog, NyhedsAdresse, HentNyhedsAdresse),
      // The students.
      UDFYLDT(ElevSkaermKrog, OpstilIgen, "HentSkaerm of the shown screen, else MainMenuCommand 40248"),
      NAVNGIVET(ElevPlanKrog, ImportElevplanTest, ImportElevplanTest),
      UDFYLDT(ElevPlanAabnerKrog, OpdaterTgLaase, "SetTgEasyLaast, UpdateTgLaast"),
      NAVNGIVET(EpEksportKrog, VisTgLaas, VisTgLaas),
      NAVNGIVET(EpImportKrog, EpEfterImport, EpEfterImport),
      // The subject planning.
      NAVNGIVET(PlanVindueKrog, SaetPlanPeriode, SaetPlanPeriode),
  };
  return t;
}

std::string Laes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Every header and module of the main program, by its path below klient/.
std::map<std::string, std::string> Kilder() {
  std::map<std::string, std::string> k;
  const fs::path rod = fs::path(TAVO_SOURCE_DIR) / "klient";
  for (const auto &e : fs::recursive_directory_iterator(rod)) {
    const std::string ext = e.path().extension().string();
    if (e.is_regular_file() && (ext == ".h" || ext == ".cpp"))
      k[fs::relative(e.path(), rod).generic_string()] = Laes(e.path());
  }
  return k;
}

// The text without its comments (string literals of the sources hold no
// comment marks that matter here).
std::string UdenKommentarer(const std::string &s) {
  std::string ud;
  for (size_t i = 0; i < s.size();) {
    if (s.compare(i, 2, "//") == 0) {
      i = s.find('\n', i);
      if (i == std::string::npos) break;
    } else if (s.compare(i, 2, "/*") == 0) {
      i = s.find("*/", i + 2);
      if (i == std::string::npos) break;
      i += 2;
    } else {
      ud += s[i++];
    }
  }
  return ud;
}

std::vector<std::string> Linjer(const std::string &t) {
  std::vector<std::string> v;
  std::stringstream s(t);
  for (std::string l; std::getline(s, l);) v.push_back(l);
  return v;
}

TEST(KrogTabel, TheWiringFillsEverySlotThatIsBuilt) {
  InstallerKroge();
  for (const Slot &s : Tabel()) {
    SCOPED_TRACE(std::string(s.navn) + " <- " + s.fylder);
    if (s.fylder == kIkkeBygget) {
      // When the subject planning fills it, the table must say by what.
      EXPECT_FALSE(s.fyldt());
      continue;
    }
    EXPECT_TRUE(s.fyldt());
    if (s.rigtig) {
      EXPECT_TRUE(s.rigtig());
    }
  }
}

// Each hook struct "<Navn>Kroge" declared in a header with its one instance
// "<Navn>Krog"; no other global of the program is named a hook. The table
// holds exactly the slots the sources declare.
TEST(KrogTabel, TheSourcesDeclareNoSlotTheTableLacks) {
  std::set<std::string> erklaeret;
  const std::regex medlem(R"(\(\*(\w+)\))");
  const std::regex ekstern(R"(\bextern\s+([^;]*);)");
  const std::regex sidsteNavn(R"((\w+)\s*(?:\[[^\]]*\]\s*)*$)");
  for (const auto &[sti, tekst] : Kilder()) {
    if (sti.size() < 2 || sti.substr(sti.size() - 2) != ".h") continue;
    const std::string t = UdenKommentarer(tekst);
    std::set<std::string> instanser;
    for (size_t p = t.find("struct "); p != std::string::npos; p = t.find("struct ", p + 7)) {
      const size_t navnSlut = t.find_first_of(" {\n", p + 7);
      if (navnSlut == std::string::npos) break;
      const std::string type = t.substr(p + 7, navnSlut - p - 7);
      const size_t aab = t.find_first_not_of(' ', navnSlut);
      if (type.find("Krog") == std::string::npos || aab == std::string::npos || t[aab] != '{') continue;
      const size_t slut = t.find("\n};", aab);
      ASSERT_NE(slut, std::string::npos) << sti << ": " << type;
      const std::string krop = t.substr(aab + 1, slut - aab - 1);
      std::smatch x;
      const std::string efter = t.substr(slut + 3, 200);
      const bool harInstans = std::regex_search(efter, x, std::regex(R"(^\s*extern (\w+) (\w+);)"));
      const std::string type2 = harInstans ? x[1].str() : "", instans = harInstans ? x[2].str() : "";
      SCOPED_TRACE(sti + ": " + type);
      EXPECT_TRUE(harInstans) << "no instance right after the struct";
      EXPECT_EQ(type2, type);
      EXPECT_TRUE(type.size() > 5 && type.substr(type.size() - 5) == "Kroge");
      EXPECT_EQ(instans + "e", type);
      instanser.insert(instans);
      // A slot is the first function pointer of its declaration.
      std::stringstream s(krop);
      std::string erkl;
      while (std::getline(s, erkl, ';')) {
        std::smatch m;
        if (std::regex_search(erkl, m, medlem))
          erklaeret.insert(instans + "." + m[1].str());
        else if (erkl.find_first_not_of(" \n\t") != std::string::npos)
          ADD_FAILURE() << sti << ": " << instans << " holds a member that is no hook:" << erkl;
      }
    }
    for (const std::string &linje : Linjer(t)) {
      std::smatch e;
      if (linje.find("Krog") == std::string::npos || !std::regex_search(linje, e, ekstern)) continue;
      const std::string erkl = e[1];
      std::smatch m;
      std::string navn;
      if (std::regex_search(erkl, m, medlem) || std::regex_search(erkl, m, sidsteNavn)) navn = m[1];
      if (navn.find("Krog") != std::string::npos) {
        EXPECT_TRUE(instanser.count(navn)) << sti << ": " << navn << " is named a hook but is no hook struct";
      }
    }
  }
  std::set<std::string> iTabel;
  for (const Slot &s : Tabel()) EXPECT_TRUE(iTabel.insert(s.navn).second) << s.navn << " twice in the table";
  for (const std::string &n : erklaeret) EXPECT_TRUE(iTabel.count(n)) << n << " is missing in the table";
  for (const std::string &n : iTabel) EXPECT_TRUE(erklaeret.count(n)) << n << " is declared nowhere";
}

// Slots are assigned only in the wiring under shell/program, each once.
TEST(KrogTabel, SlotsAreAssignedOnlyInTheWiringEachOnce) {
  const std::regex tildeling(R"(\b(\w*Krog\w*)\.(\w+)\s*=[^=])");
  std::map<std::string, std::vector<std::string>> steder;
  for (const auto &[sti, tekst] : Kilder()) {
    const std::string t = UdenKommentarer(tekst);
    for (const std::string &linje : Linjer(t)) {
      if (linje.find("Krog") == std::string::npos) continue;
      for (std::sregex_iterator i(linje.begin(), linje.end(), tildeling), e; i != e; ++i) {
        const std::string slot = (*i)[1].str() + "." + (*i)[2].str();
        EXPECT_EQ(sti.rfind("shell/program/", 0), 0u) << slot << " is assigned in " << sti;
        steder[slot].push_back(sti);
      }
    }
  }
  for (const Slot &s : Tabel()) {
    const size_t n = steder[s.navn].size();
    EXPECT_EQ(n, s.fylder == kIkkeBygget ? 0u : 1u) << s.navn;
  }
}

}  // namespace
