// The placing keys of a schedule window driven by key records: what each
// key with its modifiers refuses (the box's text and caption) or asks the
// main window for (the message and the event in AktuelAVS); the "Auto
// skema" dialog and the AutoSkema display mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BRIKIND.h"
#include "MARKBEG.h"
#include "PLACBEG.h"
#include "skemadialoger.h"
#include "skole_fixture.h"

namespace {

using namespace sketest;
using tavo::test::ShownDialog;

class PlaceringsTaster : public SkoleVindue {
 protected:
  // The placing messages the main window got: 1124, 1137, 1138.
  std::vector<UINT> Bedt() const {
    std::vector<UINT> ud;
    for (const Hoert &h : Hoerte())
      if (h.h == hoved_ && (h.msg == HOVED_INDTAST_LEKTION || h.msg == HOVED_INDTAST_DAG || h.msg == HOVED_INDTAST_TID))
        ud.push_back(h.msg);
    return ud;
  }
  void Nulstil() {
    Hoerte().clear();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    CleanupAVS(&AktuelAVS);
  }
};

constexpr int S = tavo::test::ModShift, C = tavo::test::ModCtrl, A = tavo::test::ModAlt;

struct Sag {
  char art;  // window kind
  UINT tast;
  int mods;
  UINT besked;        // 0: refused
  char kind, placering;
  const char *tekst;  // the refusal's box, null for none
  const char *titel;
};

TEST_F(PlaceringsTaster, PlacingKeysByViewAndModifiers) {
  const Sag sager[] = {
      {SKE_ANFO, VK_RETURN, 0, HOVED_INDTAST_LEKTION, 'S', 'L'},
      {SKE_ANFO, VK_RETURN, C | S | A, HOVED_INDTAST_LEKTION, 'S', 'L'},
      {SKE_ANFO, 'T', S, HOVED_INDTAST_TID, 'S', 'T'},
      {SKE_ANFO, 'D', C, HOVED_INDTAST_DAG, 'S', 'D'},
      {SKE_ANFO, 'F', C, HOVED_INDTAST_DAG, 'F', 'D'},
      {SKE_ANFO, 'F', S, HOVED_INDTAST_DAG, 'H', 'D'},
      {SKE_ANFO, 'M', S, HOVED_INDTAST_DAG, 'O', 'D'},
      {SKE_ANFO, 'P', C, HOVED_INDTAST_DAG, 'A', 'D'},
      {SKE_ANFO, 'Y', S, HOVED_INDTAST_DAG, 'Y', 'D'},
      {SKE_ANFO, 'X', S, 0, 0, 0,
       "Særlig skema er kun mulig, hvis man bruger normsystem fra Pelago+.\nOg under meny punktet System / "
       "Installations oplysninger / Diverse skal fluebenet sættes ved 'Normsystem', før du kan skemalægge særlig "
       "skema.",
       "Særlig skema oplysning"},
      // Plain letters do nothing.
      {SKE_ANFO, 'D', 0, 0}, {SKE_ANFO, 'F', 0, 0}, {SKE_ANFO, 'M', 0, 0}, {SKE_ANFO, 'P', 0, 0},
      {SKE_ANFO, 'T', 0, 0}, {SKE_ANFO, 'X', 0, 0}, {SKE_ANFO, 'Y', 0, 0}, {SKE_ANFO, 'T', A, 0},
      // The activity view: the ring system of the activity comes along.
      {SKE_AKTI, VK_RETURN, 0, HOVED_INDTAST_LEKTION, 'S', 'L'},
      {SKE_AKTI, 'D', S, HOVED_INDTAST_DAG, 'S', 'D'},
      {SKE_AKTI, 'F', C, 0, 0, 0, "Der kan kun skemalægges ferie, når man står i et medarbejderskema. ", "Information"},
      {SKE_AKTI, 'P', S, 0, 0, 0, "Der kan kun skemalægges afspadsering, når man står i et medarbejderskema. ",
       "Information"},
      {SKE_AKTI, 'X', C, 0, 0, 0, "Der kan kun skemalægges med specielskema, når man står i et medarbejderskema. ",
       "Information"},
      {SKE_AKTI, 'M', C, 0, 0, 0, "Der kan kun skemalægges omsorgsdage, når man står i et medarbejderskema. ",
       "Information"},
      {SKE_AKTI, 'Y', S, 0, 0, 0, "Der kan kun skemalægges sygdomsdage, når man står i et medarbejderskema. ",
       "Information"},
  };
  for (const Sag &s : sager) {
    const uint32_t objekt = s.art == SKE_ANFO ? anfo[0] : akti[0];
    HWND w = Vindue(s.art, objekt);
    Nulstil();
    Tast(w, s.tast, s.mods);
    const std::string sag = std::string(1, s.art) + " key " + std::to_string(s.tast) + " mods " + std::to_string(s.mods);
    const auto vist = tavo::test::MessageBoxesShown();
    if (s.tekst) {
      ASSERT_EQ(vist.size(), 1u) << sag;
      EXPECT_EQ(vist[0].text, s.tekst) << sag;
      EXPECT_EQ(vist[0].caption, s.titel) << sag;
    } else {
      EXPECT_TRUE(vist.empty()) << sag;
    }
    if (!s.besked) {
      EXPECT_TRUE(Bedt().empty()) << sag;
      DestroyWindow(w);
      continue;
    }
    ASSERT_EQ(Bedt(), std::vector<UINT>{s.besked}) << sag;
    EXPECT_EQ(+AktuelAVS.Art, s.kind) << sag;
    EXPECT_EQ(+AktuelAVS.Placering, s.placering) << sag;
    EXPECT_EQ(+AktuelAVS.Kode2, 'V') << sag;
    EXPECT_EQ(+AktuelAVS.Kode3, 'B') << sag;
    EXPECT_EQ(+AktuelAVS.Kode5, 'B') << sag;
    if (s.art == SKE_ANFO) {
      ASSERT_EQ(+AktuelAVS.anfoAntal, 1u) << sag;
      EXPECT_EQ(AktuelAVS.anfoTab[0], anfo[0]) << sag;
      EXPECT_EQ(AktuelAVS.skemarolTab[0], optager) << sag;
      EXPECT_EQ(AktuelAVS.minutTab[0], -1.0f) << sag;
    } else {
      ASSERT_EQ(+AktuelAVS.aktiAntal, 1u) << sag;
      EXPECT_EQ(AktuelAVS.aktiTab[0], akti[0]) << sag;
      EXPECT_EQ(+AktuelAVS.risy_id, s.tast == VK_RETURN ? ring : 0u) << sag;
    }
    EXPECT_EQ(SkemaVinduesSke(w)->SygdomFlag, s.kind == 'Y' ? 1 : 0) << sag;
    // The working copy is the event asked for.
    EXPECT_EQ(+ArbejdsAVS.Art, s.kind) << sag;
    DestroyWindow(w);
  }
}

TEST_F(PlaceringsTaster, RefusalsBeforeAnyPlacing) {
  HWND w = Vindue(SKE_AKTI, akti[0]);
  struct {
    const char *navn;
    std::function<void()> saet;
    const char *tekst, *titel;
  } sager[] = {
      {"locked", [] { GlobalIndstillinger.skemalaast = 1; }, "Der kan ikke lægges skema i et låst skema", "Skema"},
      {"roles", [] { RolleForslagene[RF_VIKAR] = 0; },
       "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ",
       "Roller mangler"},
      {"no ring system", [this] { Rec<AktiRec>(tvakti, akti[0])->risy_id = 0; },
       "Der er ingen ringetid på denne aktivitet.\nAktiviteten skal have tilknyttet en ringetid, før der kan "
       "skemalægges på den.",
       "Fejl"},
  };
  for (const auto &s : sager) {
    Nulstil();
    s.saet();
    Tast(w, VK_RETURN, 0);
    const auto vist = tavo::test::MessageBoxesShown();
    ASSERT_EQ(vist.size(), 1u) << s.navn;
    EXPECT_EQ(vist[0].text, s.tekst) << s.navn;
    EXPECT_EQ(vist[0].caption, s.titel) << s.navn;
    EXPECT_TRUE(Bedt().empty()) << s.navn;
    GlobalIndstillinger.skemalaast = 0;
    RolleForslagene[RF_VIKAR] = optager;
    Rec<AktiRec>(tvakti, akti[0])->risy_id = ring;
  }
  // An embedded schedule refuses without a word.
  SkemaVinduesSke(w)->Variant = 'B';
  Nulstil();
  Tast(w, VK_RETURN, 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_TRUE(Bedt().empty());
}

TEST_F(PlaceringsTaster, AWholeDayOnAnEmployeeWithEventsThatDay) {
  Begivenhed({{.anfo = anfo[0], .rol = optager}});
  HWND w = Vindue(SKE_ANFO, anfo[0]);
  SendMessageA(w, DATA_AENDRET, 0, 0);
  const std::string spm =
      "Medarbejderen har skema denne dag!\nFjern skemaet fra medarbejderen inden der skemalægges på en hel dag.\n"
      "Eller fortsæt i tidsmode og marker uden om skemaet, så det ikke konflikter!";
  GlobalIndstillinger.normsystem = 0;
  Nulstil();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDCANCEL; });
  Tast(w, 'D', C);
  auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, spm);
  EXPECT_EQ(vist[0].caption, "Information");
  EXPECT_TRUE(Bedt().empty());
  // OK: by time, once.
  Nulstil();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDOK; });
  Tast(w, 'D', C);
  EXPECT_EQ(Bedt(), std::vector<UINT>{HOVED_INDTAST_TID});
  EXPECT_EQ(+AktuelAVS.Placering, 'T');
  EXPECT_EQ(HeldagSomTid, 0);
  // With the norm system no question.
  GlobalIndstillinger.normsystem = 1;
  Nulstil();
  Tast(w, 'D', C);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(Bedt(), std::vector<UINT>{HOVED_INDTAST_DAG});
  // And the special schedule is allowed.
  Nulstil();
  Tast(w, 'X', C);
  EXPECT_EQ(Bedt(), std::vector<UINT>{HOVED_INDTAST_DAG});
  EXPECT_EQ(+AktuelAVS.Art, 'P');
}

// ---- The automatic schedule.

struct AutoSag {
  int valg;  // the button, or IDCANCEL
  uint32_t foer;
  uint32_t efter;
};

TEST_F(PlaceringsTaster, TheAutoSkemaDialogActsOnTheMarkedEvents) {
  const AutoSag sager[] = {
      {IDC_AUTOSKEMA_GODKEND, SKE_AUTOSKEMA, SKE_AUTOSKEMA | SKE_EGEN},
      {IDC_AUTOSKEMA_LAAS, SKE_AUTOSKEMA, SKE_AUTOSKEMA | SKE_MAERKE1},
      {IDC_AUTOSKEMA_AABEN, SKE_AUTOSKEMA | SKE_MAERKE1, SKE_AUTOSKEMA},
      {IDC_AUTOSKEMA_SLET, SKE_AUTOSKEMA, 0},
      {IDC_AUTOSKEMA_SLET, SKE_AUTOSKEMA | SKE_MAERKE1, SKE_AUTOSKEMA | SKE_MAERKE1},
      {IDCANCEL, SKE_AUTOSKEMA, SKE_AUTOSKEMA},
  };
  for (const AutoSag &s : sager) {
    const uint32_t f = Begivenhed({{.akti = akti[0]}}, s.foer);
    HWND w = Vindue(SKE_AKTI, akti[0]);
    SkeStruct *ske = SkemaVinduesSke(w);
    ASSERT_EQ(ske->SkeVisAntal, 1u);
    ske->lpSkeVisListe[1].FarveKode = FARVE_MAERKET;
    Nulstil();
    bool godkendValgt = false;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      const auto *g = d.Control(IDC_AUTOSKEMA_GODKEND);
      godkendValgt = g && g->checked == BST_CHECKED && d.caption == "Auto skema";
      for (int k : {IDC_AUTOSKEMA_LAAS, IDC_AUTOSKEMA_AABEN, IDC_AUTOSKEMA_SLET})
        if (!d.Control(k)) godkendValgt = false;
      return s.valg;
    });
    Tast(w, VK_RETURN, 0);
    EXPECT_TRUE(godkendValgt) << s.valg;
    EXPECT_EQ(+Raekke(f)->Status, s.efter) << s.valg;
    EXPECT_TRUE(Bedt().empty()) << "the dialog ends the key";
    DestroyWindow(w);
    Raekke(f)->Status = 0;
  }
}

TEST_F(PlaceringsTaster, CtrlOShowsTheAutoSkemaWeekAndReturns) {
  HWND w = Vindue(SKE_AKTI, akti[0]);
  SkeStruct *ske = SkemaVinduesSke(w);
  const std::string titel = ske->Ens.Titel;
  Nulstil();
  Tast(w, 'O', C);
  auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, "Der er ikke nogen skemabrikker fra autoskema at vise!");
  EXPECT_EQ(vist[0].caption, "Auto Skema mode");
  EXPECT_TRUE(vist[0].type & MB_ICONINFORMATION);
  EXPECT_EQ(ske->Variant, 'N');

  SkrivRaekker({{.akti = akti[0]}}, {.status = SKE_AUTOSKEMA, .risy = ring, .dag = 2, .lektion = 1}, kAar, kUge + 1);
  Nulstil();
  Tast(w, 'O', C);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(ske->Variant, 'A');
  EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, UgeTilIndeks(202400 + kUge + 1));
  EXPECT_EQ(SkeAktuelUgeIndeks(ske), UgeTilIndeks(202400 + kUge + 1));
  EXPECT_EQ(std::string(ske->Ens.Titel), titel + " - [Auto skema mode]");
  EXPECT_EQ(ske->SkeVisAntal, 1u);
  Tast(w, 'O', C);
  EXPECT_EQ(ske->Variant, 'N');
  EXPECT_EQ(std::string(ske->Ens.Titel), titel);
}

}  // namespace
