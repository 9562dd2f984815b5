// The steps of the Elevplan exchange driven through their answers: which
// request each step writes, where a fetch goes by who holds the group, the
// limit on the advances, what a finished fetch leaves in the tables, and
// the refusals of the export command and the main window's entries.
#include <string>
#include <vector>

#include "EKSPKMD.h"
#include "INDSTIL.h"
#include "eptrin_fixture.h"

using namespace eleventest;

namespace {

// 3 March 2025, 14:05.
constexpr int64_t kNu = 1741010700;
constexpr char kHentAlt[] = "@HentAlt\n20241203\n20250731\n";

}  // namespace

class EpTrinSekvens : public EpTrinMappe {};

TEST_F(EpTrinSekvens, NothingToSendAsksForEverythingAtOnce) {
  tavo::SetFakeClock(kNu);
  Gruppe(501);
  NyLa(1, 1001, "Dansk");
  GodkendPeriode();
  ElevplanEksport();
  EXPECT_EQ(TagAnmodning(), kHentAlt);
  EXPECT_EQ(EpTilstand.Trin, 7);
  EXPECT_EQ(EpForsoeg, 1u);
}

TEST_F(EpTrinSekvens, EachAnswerLeadsToTheNextStepWithSomethingToSend) {
  tavo::SetFakeClock(kNu);
  const uint32_t g = Gruppe(501);
  const uint32_t dansk = NyLa(g, 1001, "Dansk");
  const uint32_t kopi = Dublet(g, 10000005, "Dansk #2", dansk, 2);
  const uint32_t elev = Elev(7001, "Ida");
  // Placed here on the copy; and placed on its wish, waiting for its
  // acceptance.
  Placeret(2000000005, g, elev, 0, kopi, "");
  Placeret(5001, g, elev, dansk, dansk, "");

  GodkendPeriode();
  ElevplanEksport();
  EXPECT_EQ(TagAnmodning(), "@KopierAktivitet\n1001\n");
  EXPECT_EQ(EpTilstand.Trin, 1);

  Svar("@KopierAktivitet\n4000001;Dansk #2;;;;;OK\n");
  EXPECT_EQ(+LaRecNr(kopi)->id, 4000001u);
  const std::string ny = TagAnmodning();
  EXPECT_EQ(ny.rfind("@NyTilmelding\n7001;4000001;", 0), 0u) << ny;
  EXPECT_EQ(EpTilstand.Trin, 2);

  Svar("@NyTilmelding\n6000001;OK;7001;4000001;-;-;-\n");
  EXPECT_EQ(TagAnmodning(), "@AccepterTilmelding\n6000001\n5001\n");
  EXPECT_EQ(EpTilstand.Trin, 3);

  Svar("@AccepterTilmelding\n6000001;OK\n5001;OK\n");
  EXPECT_EQ(TagAnmodning(), kHentAlt);
  EXPECT_EQ(EpTilstand.Trin, 7);

  Svar("");
  EXPECT_EQ(TagAnmodning(), "");
  EXPECT_EQ(EpTilstand.Trin, 0);
  EXPECT_EQ(EpForsoeg, 4u);
  EXPECT_EQ(Bokse(), 0u);
}

TEST_F(EpTrinSekvens, AnUnmadeCopyIsAskedForAgainUntilTheLimit) {
  tavo::SetFakeClock(kNu);
  const uint32_t g = Gruppe(501);
  Dublet(g, 10000005, "Dansk #2", NyLa(g, 1001, "Dansk"), 2);
  GodkendPeriode();
  ElevplanEksport();
  ASSERT_EQ(TagAnmodning(), "@KopierAktivitet\n1001\n");
  // Elevplan answers without the copy: step 1 again, fifteen advances in all.
  for (uint32_t i = 2; i <= EP_MAX_FORSOEG; ++i) {
    Svar("");
    ASSERT_EQ(TagAnmodning(), "@KopierAktivitet\n1001\n") << i;
  }
  EXPECT_EQ(Bokse(), 0u);
  // The sixteenth is the error message, and so is every answer after it.
  for (int i = 0; i < 2; ++i) {
    Svar("");
    EXPECT_EQ(TagAnmodning(), "");
    EXPECT_EQ(SidsteBoks().caption, "Fejl ved export til Elevplan");
    EXPECT_EQ(SidsteBoks().text,
              "Der er konstateret fejl ved kontakt til Elevplan.\nSend data til support og kontakt TAVO support.");
    EXPECT_EQ(EpTilstand.Trin, 1);
  }
  // A new export command counts from the start.
  GodkendPeriode();
  ElevplanEksport();
  EXPECT_EQ(TagAnmodning(), "@KopierAktivitet\n1001\n");
}

TEST_F(EpTrinSekvens, AnAnswerAtRestOnlyAppliesAcceptancesAndLinksDuplicates) {
  const uint32_t g = Gruppe(501);
  TgRecNr(g)->Laast = 1;
  const uint32_t dansk = NyLa(g, 1001, "Dansk");
  const uint32_t kopi = NyLa(g, 1002, "Dansk #2");
  const uint32_t elev = Elev(7001, "Ida");
  const uint32_t ja = Placeret(5001, g, elev, dansk, 0, "J");
  const uint32_t nej = Placeret(5002, g, elev, dansk, dansk, "N");
  Svar("");
  EXPECT_EQ(TagAnmodning(), "");
  EXPECT_EQ(EpTilstand.Trin, 0);
  EXPECT_EQ(+EvRecNr(ja)->placerings_la_id, dansk);
  EXPECT_EQ(+EvRecNr(nej)->placerings_la_id, 0u);
  EXPECT_EQ(+LaRecNr(kopi)->kopi_id, 1001u);
  EXPECT_EQ(+LaRecNr(kopi)->dubletnr, 2u);
  // The locks are a fetch's business.
  EXPECT_EQ(+TgRecNr(g)->Laast, 1);
}

class EpTrinHent : public EpTrinMappe {
 protected:
  // Ctrl+H on a group waiting to be fetched.
  uint32_t HentGruppe(const std::string &holder) {
    const uint32_t g = Gruppe(501, holder);
    TgRecNr(g)->PlanlaegningsLaast = 1;
    EXPECT_EQ(EpHentTgKommando(0, g, 2), 1);
    EXPECT_EQ(TagAnmodning(), "@HentAlleTilmeldingsgrupper\n20240601\n20250630\n");
    return g;
  }
};

TEST_F(EpTrinHent, WhoHoldsTheGroupDecidesTheNextStep) {
  constexpr char kReserver[] = "@TilmeldingsgruppeSystemID\nTavoSkema - 7\n501\n";
  constexpr char kHent[] = "@HentAlleTilmeldingsgrupper\n20240601\n20250630\n@HentTilmeldingsgruppe\n501\n";
  const struct {
    const char *navn, *holder;
    int svar;  // to the takeover question; 0 none asked
    int trin;
    const char *anmodning;
  } tilfaelde[] = {
      {"reserved here", "TavoSkema - 7", 0, 6, kHent},
      {"reserved by nobody", "", 0, 5, kReserver},
      {"taken over", "Skolesystem X", IDOK, 5, kReserver},
      {"left alone", "Skolesystem X", IDCANCEL, 0, ""},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomElevTabeller();
    HentGruppe(t.holder);
    if (t.svar != 0)
      tavo::test::AnswerNextDialog([&t](const tavo::test::ShownDialog &d) -> INT_PTR {
        EXPECT_EQ(d.caption, "Overtag tilmeldingsgruppe");
        EXPECT_EQ(d.text,
                  "Tilmeldingsgruppen er spærret af Skolesystem X.                     \nSkal "
                  "tilmeldingsgruppen overtages af TavoSkema - 7?");
        return t.svar;
      });
    Svar("");
    EXPECT_EQ(EpTilstand.Trin, t.trin);
    EXPECT_EQ(TagAnmodning(), t.anmodning);
  }
  // Reserved, the group is fetched.
  EpTilstand.Trin = 5;
  Svar("");
  EXPECT_EQ(TagAnmodning(), kHent);
}

TEST_F(EpTrinHent, AFinishedFetchRenewsLocksAndPlanningSetUp) {
  AabnPlanVindue();
  const uint32_t test = Gruppe(3, "Skolesystem X");
  TgRecNr(test)->Laast = TgRecNr(test)->EasyLaast = TgRecNr(test)->ExportLaast = 1;
  const uint32_t easy = Gruppe(501);
  const uint32_t fremmed = Gruppe(502, "Skolesystem X");
  const uint32_t fri = Gruppe(503);
  TgRecNr(fri)->Laast = 1;
  const uint32_t la = NyLa(easy, 1001, "Dansk");
  const uint32_t elev = Elev(7001, "Ida");
  snprintf(EvRecNr(Placeret(5001, easy, elev, la, la, "J"))->EASYAStatus, 51, "Overfoert");
  SkrivIni("pp.ini", "503;0;0;202440\n");

  EpTilstand.Trin = 6;
  EpTilstand.Tg = easy;
  Svar("");
  EXPECT_EQ(EpTilstand.Trin, 0);
  EXPECT_EQ(TagAnmodning(), "");
  const struct {
    uint32_t g;
    char laast, easyLaast, exportLaast, planLaast;
  } forventet[] = {{test, 0, 0, 0, 0}, {easy, 1, 1, 0, 0}, {fremmed, 1, 0, 0, 1}, {fri, 0, 0, 0, 0}};
  for (const auto &f : forventet) {
    const TgRec *t = TgRecNr(f.g);
    SCOPED_TRACE(t->id);
    EXPECT_EQ(+t->Laast, f.laast);
    EXPECT_EQ(+t->EasyLaast, f.easyLaast);
    EXPECT_EQ(+t->ExportLaast, f.exportLaast);
    EXPECT_EQ(+t->PlanlaegningsLaast, f.planLaast);
  }
  // The emptied group has its slot back and its defaults.
  uint32_t slots = 0;
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) slots += PpRecNr(r)->tg_id == fri && PpRecNr(r)->ugenr == 202440;
  EXPECT_EQ(slots, 1u);
  EXPECT_EQ(+TgRecNr(fri)->min_elevtal, 22u);
  ASSERT_EQ(planBeskeder.size(), 1u);
  EXPECT_EQ(planBeskeder[0].besked, WM_ELEVPLAN_NULSTIL);
}

TEST_F(EpTrinHent, TheOpenerDerivesOnlyTheEasyAndOverallLocks) {
  const uint32_t g = Gruppe(502, "Skolesystem X");
  TgRecNr(g)->Laast = 1;
  ASSERT_NE(ElevPlanAabnerKrog.OpdaterTgLaase, nullptr);
  ElevPlanAabnerKrog.OpdaterTgLaase();
  EXPECT_EQ(+TgRecNr(g)->PlanlaegningsLaast, 0);
  EXPECT_EQ(+TgRecNr(g)->Laast, 0);
}

TEST_F(EpTrinHent, AFetchCountsItsOwnAdvances) {
  // An export sequence that ran into the limit does not stop later fetches.
  EpForsoeg = EP_MAX_FORSOEG + 1;
  HentGruppe("TavoSkema - 7");
  Svar("");
  EXPECT_EQ(EpTilstand.Trin, 6);
  EXPECT_NE(TagAnmodning(), "");
  EXPECT_EQ(Bokse(), 0u);
}

TEST_F(EpTrinHent, AReadOnlyRunRefusesTheFetch) {
  GlobalIndstillinger.skemalaast = 1;
  const uint32_t g = Gruppe(501, "");
  TgRecNr(g)->PlanlaegningsLaast = 1;
  EXPECT_EQ(EpHentTgKommando(0, g, 1), 0);
  EXPECT_EQ(EpHentTgKommando(0, g, 2), 0);
  EXPECT_EQ(SidsteBoks().text, "Der kan ikke eksporteres fra et låst skema.");
  EXPECT_EQ(SidsteBoks().caption, "Eksport");
  EXPECT_EQ(TagAnmodning(), "");
  EXPECT_EQ(EpTilstand.Trin, 0);
}

class EpTrinEksport : public EpTrinMappe {
 protected:
  // A group whose slot and placement go to ini\pp.ini and ini\lap.ini.
  static void PlanlagtGruppe() {
    const uint32_t g = Gruppe(501);
    const uint32_t la = NyLa(g, 1001, "Dansk");
    NyLap(g, 1, la, NyPp(g, 1, 202440, 0, 0), 1);
  }
};

TEST_F(EpTrinEksport, ThePeriodRunsFromNinetyDaysBackToThePeriodsEnd) {
  tavo::SetFakeClock(kNu);
  EpTilstandData t{};
  SetEpExportPeriode(t);
  EXPECT_EQ(t.FraDato, 20241203u);
  EXPECT_EQ(t.TilDato, 20250731u);
}

TEST_F(EpTrinEksport, AnInstallationNumberOutsideOneTo99Refuses) {
  Gruppe(501);
  for (uint8_t nr : {0, 100}) {
    GlobalIndstillinger.insnr = nr;
    EpTilstand.Trin = 0;
    ElevplanEksport();
    EXPECT_EQ(SidsteBoks().text, "Der kan ikke eksporteres, idet installationsnummeret ikke er korrekt.");
    EXPECT_EQ(SidsteBoks().caption, "Elev plan eksport");
    EXPECT_EQ(TagAnmodning(), "");
    EXPECT_EQ(EpTilstand.Trin, 1);
  }
}

TEST_F(EpTrinEksport, ACancelledPeriodSendsNothing) {
  Gruppe(501);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDCANCEL; });
  ElevplanEksport();
  EXPECT_EQ(TagAnmodning(), "");
  EXPECT_EQ(EpForsoeg, 0u);
}

TEST_F(EpTrinEksport, AReadOnlyRunRefusesBeforeWritingAnything) {
  AabnPlanVindue();
  PlanlagtGruppe();
  GlobalIndstillinger.skemalaast = 1;
  ElevplanEksport();
  EXPECT_EQ(SidsteBoks().text, "Der kan ikke eksporteres fra et låst skema.");
  EXPECT_EQ(SidsteBoks().caption, "Eksport");
  EXPECT_FALSE(fs::exists(Ini("pp.ini")));
  EXPECT_FALSE(fs::exists(Ini("lap.ini")));
  EXPECT_EQ(TagAnmodning(), "");
  EXPECT_TRUE(planBeskeder.empty());
  EXPECT_EQ(EpTilstand.Trin, 0);
}

TEST_F(EpTrinEksport, ThePlanningWindowWritesBackBeforeTheFilesAreWritten) {
  AabnPlanVindue();
  PlanlagtGruppe();
  GodkendPeriode();
  ElevplanEksport();
  ASSERT_EQ(planBeskeder.size(), 1u);
  EXPECT_EQ(planBeskeder[0].besked, WM_ELEVPLAN_GENOPBYG);
  EXPECT_FALSE(planBeskeder[0].ppIniFandtes);
  EXPECT_EQ(LaesIni("pp.ini"), "501;0;0;202440\r\n");
  EXPECT_NE(TagAnmodning(), "");
}

TEST_F(EpTrinEksport, TheMainWindowsEntriesFollowTheSwitch) {
  Gruppe(501);
  // Off: the key is not the exchange's; F11 is the server export.
  ElevplanSlaaetTil = 0;
  EXPECT_FALSE(EpGenvejEksport(0));
  EXPECT_EQ(TagAnmodning(), "");

  ElevplanSlaaetTil = 1;
  GlobalIndstillinger.supertavo = 1;
  EXPECT_TRUE(EpGenvejEksport(0));
  EXPECT_EQ(SidsteBoks().text, "Der kan ikke eksporteres fra et SuperTavo-skema");
  EXPECT_EQ(TagAnmodning(), "");
  GlobalIndstillinger.supertavo = 0;

  GodkendPeriode();
  EXPECT_TRUE(EpGenvejEksport(0));
  EXPECT_NE(TagAnmodning(), "");

  // F11: dialog 159 chooses; cancelled, nothing.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Server kontakt");
    return IDCANCEL;
  });
  EpEksportKommando(0);
  EXPECT_EQ(TagAnmodning(), "");
  SkrivIni("tavo.ini", "[flag]\r\nelevplanexport=1\r\n");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  GodkendPeriode();
  EpEksportKommando(0);
  EXPECT_NE(TagAnmodning(), "");
  ElevplanSlaaetTil = 0;
}

TEST_F(EpTrinEksport, TheImportMessageShowsItsProgressInTheContactPane) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "EpTrinRude";
  RegisterClassA(&wc);
  HWND rude = CreateWindowExA(0, "EpTrinRude", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  hwndEpKontakt = rude;
  auto tekst = [rude] {
    char b[64] = {};
    GetWindowTextA(rude, b, sizeof b);
    return std::string(b);
  };
  // Read-only, or nothing to import: nothing happens.
  GlobalIndstillinger.skemalaast = 1;
  SkrivSvar("");
  EpImportBesked();
  EXPECT_TRUE(fs::exists(Fil("ep_imp.dat")));
  GlobalIndstillinger.skemalaast = 0;
  EpImportBesked();
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
  EXPECT_EQ(tekst(), "Importfil indlæst");
  SetWindowTextA(rude, "");
  EpImportBesked();
  EXPECT_EQ(tekst(), "");
  hwndEpKontakt = 0;
  DestroyWindow(rude);
}

class EpTrinDubletter : public EpTrinMappe {};

TEST_F(EpTrinDubletter, DuplicatesAreLinkedToTheirHeadInTheSameGroup) {
  const uint32_t a = Gruppe(501), b = Gruppe(502), test = Gruppe(4);
  NyLa(a, 1001, "Dansk");
  const struct {
    uint32_t g;
    const char *navn;
    uint32_t kopi, nr;  // expected; 0, 1: passed by
  } tilfaelde[] = {
      {a, "Dansk #3", 1001, 3},     {a, "Dansk #2", 1001, 2},   {b, "Dansk #4", 0, 1},
      {a, "#5", 0, 1},              {a, "Dansk #x", 0, 1},      {a, "Dansk #", 0, 1},
      {a, "Engelsk #2", 0, 1},      {a, "Dansk  #2", 0, 1},     {test, "Dansk #2", 0, 1},
  };
  std::vector<uint32_t> rec;
  uint32_t id = 2000;
  for (const auto &t : tilfaelde) rec.push_back(NyLa(t.g, ++id, t.navn));
  NyLa(test, 3000, "Dansk");
  LinkLaDubletter();
  for (size_t i = 0; i < rec.size(); ++i) {
    SCOPED_TRACE(tilfaelde[i].navn);
    EXPECT_EQ(+LaRecNr(rec[i])->kopi_id, tilfaelde[i].kopi);
    EXPECT_EQ(+LaRecNr(rec[i])->dubletnr, tilfaelde[i].nr);
  }
}

TEST_F(EpTrinDubletter, AcceptancesPlaceAcceptedWishesOfRealGroupsOnly) {
  const uint32_t g = Gruppe(501), test = Gruppe(4);
  const uint32_t la = NyLa(g, 1001, "Dansk"), andet = NyLa(g, 1002, "Engelsk");
  const uint32_t elev = Elev(7001, "Ida");
  const uint32_t ja = Placeret(5001, g, elev, la, andet, "J");
  const uint32_t nej = Placeret(5002, g, elev, la, la, "N");
  const uint32_t aaben = Placeret(5003, g, elev, la, la, "");
  const uint32_t uden = Placeret(5004, g, elev, 0, la, "J");
  const uint32_t testOenske = Placeret(5005, test, elev, la, 0, "J");
  AnvendAccept();
  EXPECT_EQ(+EvRecNr(ja)->placerings_la_id, la);
  EXPECT_EQ(+EvRecNr(nej)->placerings_la_id, 0u);
  EXPECT_EQ(+EvRecNr(aaben)->placerings_la_id, 0u);
  EXPECT_EQ(+EvRecNr(uden)->Status, 0);
  EXPECT_EQ(+EvRecNr(testOenske)->placerings_la_id, 0u);
  EXPECT_EQ(+EvRecNr(testOenske)->Status, 10);

  // One group's wishes only.
  EvRecNr(nej)->placerings_la_id = la;
  AnvendAcceptTg(test);
  EXPECT_EQ(+EvRecNr(nej)->placerings_la_id, la);
  AnvendAcceptTg(g);
  EXPECT_EQ(+EvRecNr(nej)->placerings_la_id, 0u);
}
