// The table sections of an Elevplan answer and the enrolments of its elev
// sections: every line of the eight enrolment tables in its import order,
// pending until the re-sort; a section that names no table; the old
// enrolments of the first line's group; error blocks; and files that are
// broken in every way the contact program might leave them.
#include <functional>
#include <string>
#include <vector>

#include "epimport_fixture.h"

using namespace eleventest;

namespace {

class EpImportTabel : public EpImportMappe {
 protected:
  // Group 501 with slot 601, activity 701 and student 901, live.
  void SetUp() override {
    EpImportMappe::SetUp();
    g = NyTg(501, 'U');
    pp = NyPp(g, 601, 202436, 1, 2);
    la = NyLa(g, 701, "Tømrer H1");
    elev = Elev(901, "Anna Berg", g);
    for (TabVar *tv : {&tvtg, &tvpp, &tvla, &tvelev}) tv->fSorter = 1;
  }
  uint32_t g = 0, pp = 0, la = 0, elev = 0;

  // The one record of the table whose status is the pending 210 (the
  // import's letter 'C'); 0 when there is not exactly one.
  template <class R>
  static uint32_t Ventende(R *(*recNr)(uint32_t), const TabVar &tv) {
    uint32_t fundet = 0, antal = 0;
    for (uint32_t r = 1; r < tv.wRecCnt; ++r)
      if (recNr(r)->Status == 210) fundet = r, ++antal;
    return antal == 1 ? fundet : 0;
  }
};

struct TabelTilfaelde {
  const char *tabel;
  const char *fil;
  std::function<uint32_t()> ventende;  // the new record, pending
  std::function<void(uint32_t)> tjek;  // its fields after the re-sort
};

TEST_F(EpImportTabel, EveryEnrolmentTableLineLandsPendingAndLiveAfterTheResort) {
  const TabelTilfaelde tabel[] = {
      {"tg",
       "@tg\n502;Smed, optag 2025;20240601;20240815;20240901;20250630;J;16;8;TavoSkema - 7;x\n",
       [] { return Ventende(TgRecNr, tvtg); },
       [](uint32_t r) {
         const TgRec *t = TgRecNr(r);
         EXPECT_EQ(+t->id, 502u);
         EXPECT_STREQ(t->Navn, "Smed, optag 2025");
         EXPECT_EQ(+t->tilmeldingsfradato, 20240601u);
         EXPECT_EQ(+t->tilmeldingstildato, 20240815u);
         EXPECT_EQ(+t->fradato, 20240901u);
         EXPECT_EQ(+t->tildato, 20250630u);
         EXPECT_STREQ(t->LoebendeOptagstring, "J");
         EXPECT_EQ(+t->Minimum1PriLekt, 16u);
         EXPECT_EQ(+t->Minimum2PriLekt, 8u);
         EXPECT_STREQ(t->Navn2, "TavoSkema - 7");
         // Fields not in the line stay 0.
         EXPECT_EQ(+t->UgeLektionsGruppe, 0);
         EXPECT_EQ(+t->Laast, 0);
       }},
      {"pp", "@pp\n602;501;202437;3;4\n", [] { return Ventende(PpRecNr, tvpp); },
       [this](uint32_t r) {
         const PpRec *p = PpRecNr(r);
         EXPECT_EQ(+p->id, 602u);
         EXPECT_EQ(+p->tg_id, g);
         EXPECT_EQ(+p->ugenr, 202437u);
         EXPECT_EQ(+p->dag, 3);
         EXPECT_EQ(+p->lektion, 4u);
       }},
      {"la", "@la\n702;501;Smed H1;20240902;20250627;40\n", [] { return Ventende(LaRecNr, tvla); },
       [this](uint32_t r) {
         const LaRec *l = LaRecNr(r);
         EXPECT_EQ(+l->id, 702u);
         EXPECT_EQ(+l->tg_id, g);
         EXPECT_STREQ(l->Navn, "Smed H1");
         EXPECT_EQ(+l->fradato, 20240902u);
         EXPECT_EQ(+l->tildato, 20250627u);
         EXPECT_EQ(+l->Lektionsantal, 40u);
         EXPECT_EQ(+l->aktiv, 1u);
         EXPECT_EQ(+l->ElevPlanStatus, 0);
       }},
      {"lap", "@lap\n801;501;701;601;2\n", [] { return Ventende(LapRecNr, tvlap); },
       [this](uint32_t r) {
         const LapRec *l = LapRecNr(r);
         EXPECT_EQ(+l->id, 801u);
         EXPECT_EQ(+l->tg_id, g);
         EXPECT_EQ(+l->la_id, la);
         EXPECT_EQ(+l->pp_id, pp);
         EXPECT_EQ(+l->lengde, 2u);
         EXPECT_EQ(+l->blokering, 0);
       }},
      // The enrolment pass looks the student up, which re-sorts the
      // students: it is live already.
      {"elev", "@elev\n902;501;Bo Dahl;0101011234;1234;2025;H;Erhvervsuddannelse;Tømrer H1\n",
       [] { return FindElevRec(&tdelev, &tvelev, 902); },
       [this](uint32_t r) {
         const ElevRec *e = ElevRecNr(r);
         EXPECT_EQ(+e->id, 902u);
         EXPECT_EQ(+e->dummy_tg_id, g);
         EXPECT_STREQ(e->Elevnavn, "Bo Dahl");
         EXPECT_STREQ(e->Cpr_Nummer, "0101011234");
         EXPECT_STREQ(e->Navn, "1234");
         EXPECT_STREQ(e->Navn2, "2025");
         EXPECT_STREQ(e->Navn3, "H");
         EXPECT_STREQ(e->Navn4, "Erhvervsuddannelse");
         EXPECT_STREQ(e->Navn5, "Tømrer H1");
         // The second pass enrolled the student in the group it names.
         EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{902, 501}}));
       }},
      {"elti", "@elti\n901;501\n", [] { return Ventende(EltiRecNr, tvelti); },
       [this](uint32_t r) {
         EXPECT_EQ(+EltiRecNr(r)->elev_id, elev);
         EXPECT_EQ(+EltiRecNr(r)->tg_id, g);
       }},
      {"ev", "@ev\n1001;501;901;701;2;20240902;20250627;J;Overført\n", [] { return Ventende(EvRecNr, tvev); },
       [this](uint32_t r) {
         const EvRec *e = EvRecNr(r);
         EXPECT_EQ(+e->id, 1001u);
         EXPECT_EQ(+e->tg_id, g);
         EXPECT_EQ(+e->elev_id, elev);
         EXPECT_EQ(+e->elevplan_onske_la_id, la);
         EXPECT_EQ(+e->prioritet, 2);
         EXPECT_EQ(+e->Gyldig_fra, 20240902u);
         EXPECT_EQ(+e->Gyldig_til, 20250627u);
         EXPECT_STREQ(e->Accept, "J");
         EXPECT_STREQ(e->EASYAStatus, "Overført");
         EXPECT_EQ(+e->placerings_la_id, 0u);
       }},
      {"eb", "@eb\n1101;501;901;601;1\n", [] { return Ventende(EbRecNr, tveb); },
       [this](uint32_t r) {
         const EbRec *e = EbRecNr(r);
         EXPECT_EQ(+e->id, 1101u);
         EXPECT_EQ(+e->tg_id, g);
         EXPECT_EQ(+e->elev_id, elev);
         EXPECT_EQ(+e->pp_id, pp);
         EXPECT_EQ(+e->lengde, 1u);
       }},
  };
  for (const TabelTilfaelde &t : tabel) {
    SCOPED_TRACE(t.tabel);
    TearDown();
    SetUp();
    Laes(t.fil);
    const uint32_t r = t.ventende();
    ASSERT_NE(r, 0u);
    SorterAlleTabeller();
    const TabDesc *pTd;
    TabVar *pTv;
    ASSERT_EQ(TabFromName(t.tabel, &pTd, &pTv), 0);
    EXPECT_EQ(RecStatus(pTd, GetRec(pTd, pTv, r)), 10);
    t.tjek(r);
    EXPECT_EQ(Ventende(TgRecNr, tvtg) + Ventende(PpRecNr, tvpp) + Ventende(LaRecNr, tvla) +
                  Ventende(LapRecNr, tvlap) + Ventende(ElevRecNr, tvelev) + Ventende(EltiRecNr, tvelti) +
                  Ventende(EvRecNr, tvev) + Ventende(EbRecNr, tveb),
              0u);
    EXPECT_EQ(Log(), "");
  }
}

TEST_F(EpImportTabel, AllEightTablesInOneAnswerImportInTheirOrder) {
  SkrivSvar(Fixture("ep_tabeller.dat"));
  ImportElevplan();
  ASSERT_EQ(Log(), "");
  const uint32_t g2 = FindElevRec(&tdtg, &tvtg, 502);
  ASSERT_NE(g2, 0u);
  EXPECT_EQ(+TgRecNr(g2)->Status, 10);
  const uint32_t la2 = FindElevRec(&tdla, &tvla, 702);
  const uint32_t pp2 = FindElevRec(&tdpp, &tvpp, 602);
  const uint32_t elev2 = FindElevRec(&tdelev, &tvelev, 902);
  ASSERT_NE(la2 * pp2 * elev2, 0u);
  EXPECT_EQ(+LaRecNr(la2)->tg_id, g2);
  EXPECT_EQ(+PpRecNr(pp2)->tg_id, g2);
  const LapRec *lap = LapRecNr(FindElevRec(&tdlap, &tvlap, 802));
  EXPECT_EQ(+lap->la_id, la2);
  EXPECT_EQ(+lap->pp_id, pp2);
  const EvRec *ev = EvRecNr(FindElevRec(&tdev, &tvev, 1002));
  EXPECT_EQ(+ev->elev_id, elev2);
  EXPECT_EQ(+ev->elevplan_onske_la_id, la2);
  EXPECT_EQ(+EbRecNr(FindElevRec(&tdeb, &tveb, 1102))->pp_id, pp2);
  // The elti section and a later line of the elev section name one
  // enrolment: it is there once.
  EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{902, 502}, {901, 501}}));
  EXPECT_EQ(efterImport, 1);
}

TEST_F(EpImportTabel, SectionsThatNameNoTableAreLoggedAndSkipped) {
  Laes("@hold\n1;2;3\n@tg\n502;Smed;20240601;20240815;20240901;20250630;N;0;0;\n@\n9;9\n@NyTilmelding\n1;OK\n",
       false);
  std::string linjer(37, '-');
  EXPECT_EQ(Log(), Crlf("\"hold\":1.1\n *\nukendt afsnitsmærke  '', \n" + linjer + "\n" +
                        "\"\":2.1\n *\nukendt afsnitsmærke  '', \n" + linjer + "\n" +
                        "\"NyTilmelding\":3.1\n *\nukendt afsnitsmærke  '', \n" + linjer + "\n"));
  EXPECT_EQ(EpFejlAntal, 0u);
  // The table section between them was read.
  SorterAlleTabeller();
  EXPECT_NE(FindElevRec(&tdtg, &tvtg, 502), 0u);
}

TEST_F(EpImportTabel, OnlyTheFirstLinesGroupLosesItsOldEnrolments) {
  const uint32_t g2 = NyTg(502, 'U');
  const uint32_t e2 = Elev(902, "Bo Dahl"), e3 = Elev(903, "Carl Eg"), e4 = Elev(904, "Dan Fisk");
  Tilmelding(elev, g);
  Tilmelding(e2, g);
  Tilmelding(e3, g2);
  Tilmelding(e4, g2);
  tvtg.fSorter = tvelev.fSorter = 1;
  SkrivSvar(Fixture("ep_elev_grupper.dat"));
  ImportElevplan();
  EXPECT_EQ(Tilmeldinger(),
            (std::multiset<std::pair<uint32_t, uint32_t>>{{905, 501}, {903, 502}, {904, 502}, {906, 502}}));
  EXPECT_EQ(Log(), "");
}

TEST_F(EpImportTabel, AGroupInTwoElevSectionsKeepsTheStudentsOfBoth) {
  Tilmelding(elev, g);
  Laes("@elev\n905;501;Eva Gran;0101011234;1;2;H;x;y\n@elev\n906;501;Finn Hald;0101011235;1;2;H;x;y\n"
       "@elti\n901;501\n@elev\n901;501;Anna Berg;0101011236;1;2;H;x;y\n");
  SorterAlleTabeller();
  // The old enrolment goes with the first section and comes back with the
  // elti section, once.
  EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{905, 501}, {906, 501}, {901, 501}}));
}

TEST_F(EpImportTabel, ErrorBlocksOfAnElevSectionAreLoggedAsErrorAnswers) {
  Tilmelding(elev, g);
  Laes("@elev\n** Fejl ved hentning\nEleven 123 mangler\n**\n"
       "905;501;Eva Gran;0101011234;1;2;H;x;y\n** Fejl igen\nlinje\n** slut\n** Fejl straks efter\n**\n"
       "906;501;Finn Hald;0101011235;1;2;H;x;y\n");
  SorterAlleTabeller();
  EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{905, 501}, {906, 501}}));
  // The table importer copies the blocks as they stand; the enrolment pass
  // logs them as counted error answers, the header first.
  EXPECT_EQ(Log(), Crlf("** Fejl ved hentning\nEleven 123 mangler\n** Fejl igen\nlinje\n** Fejl straks efter\n" +
                        Hoved() +
                        "** Fejl ved hentning\nEleven 123 mangler\n** Fejl igen\nlinje\n** Fejl straks efter\n"));
  EXPECT_EQ(EpFejlAntal, 5u);
}

TEST_F(EpImportTabel, AnUnclosedErrorBlockEndsAtTheNextSection) {
  Tilmelding(elev, g);
  Laes("@elev\n** Fejl ved hentning\nEleven mangler\n@eb\n1101;501;901;601;1\n");
  SorterAlleTabeller();
  EXPECT_EQ(Log(), Crlf("** Fejl ved hentning\nEleven mangler\n" + Hoved() + "** Fejl ved hentning\nEleven mangler\n"));
  EXPECT_EQ(EpFejlAntal, 2u);
  // The section after it is read, and the group keeps its enrolment.
  EXPECT_NE(FindElevRec(&tdeb, &tveb, 1101), 0u);
  EXPECT_EQ(Tilmeldinger(), (std::multiset<std::pair<uint32_t, uint32_t>>{{901, 501}}));
}

// Every fixture ends the import, logs, keeps every record the tables held
// and (in the sanitizer build) overruns nothing.
TEST_F(EpImportTabel, BrokenFilesLoseNothing) {
  const struct {
    const char *fil;
    const char *iLog;  // a text the log holds, or ""
    bool kendteAfsnit;  // no section is reported as unknown
  } tabel[] = {
      {"ep_lange_linjer.dat", "Lilien har ikke det rigtige antal felter - ", true},
      {"ep_fejlblok_til_slut.dat", "Eleven mangler", true},
      {"ep_elev_et_felt.dat", "", true},
      {"ep_tom.dat", "", true},
      {"ep_binaer.dat", "", false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.fil);
    TearDown();
    SetUp();
    Tilmelding(elev, g);
    Oenske(301, g, elev, la, 0);
    SorterAlleTabeller();
    const TabelBillede foer = Nu();
    SkrivSvar(Fixture(t.fil));
    ImportElevplan();
    EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
    EXPECT_TRUE(fs::exists(Fil("ep_imp.dat_1.txt")));
    EXPECT_EQ(efterImport, 1);
    EXPECT_NE(Log().find(t.iLog), std::string::npos);
    if (t.kendteAfsnit) {
      EXPECT_EQ(Log().find("ukendt"), std::string::npos);
    }
    const TabelBillede efter = Nu();
    for (const auto &[navn, recs] : foer)
      for (size_t r = 1; r < recs.size(); ++r) {
        ASSERT_LT(r, efter.at(navn).size()) << navn;
        EXPECT_EQ(recs[r], efter.at(navn)[r]) << navn << ":" << r;
      }
  }
}

}  // namespace
