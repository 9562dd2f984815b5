// The resend of the schedule: which events are marked, that each is marked
// once, and the wait dialog's answer.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "TABOPER.h"
#include "TIMOAK.h"
#include "store_fixture.h"
#include "tavo/test_dialog.h"
#include "win/dlg.h"

namespace {

// The schedule's event services, played on the week buckets themselves.
struct Beskrivelse {
  Uge uge;
  std::vector<SkeRec> raekker;
  uint32_t start = 0, slut = 0;
  float std = 0;
  bool tider = false;
};

struct Spor {
  std::vector<uint32_t> laest, slettet;  // event ids
  std::vector<Beskrivelse> tilfoejet;
};
Spor *gSpor;

SkeRec *Raekke(Uge uge, uint32_t r) {
  return reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(uge), r));
}

void *HentAVS(uint32_t uge, uint32_t forste) {
  auto *b = new Beskrivelse{uge, {}};
  TabVar *pTv = SkemabegBucket(uge);
  for (uint32_t r = forste; r < pTv->wRecCnt && Raekke(uge, r)->Forste == forste; ++r) {
    SkeRec s;
    memcpy(&s, Raekke(uge, r), sizeof s);
    b->raekker.push_back(s);
  }
  gSpor->laest.push_back(b->raekker.at(0).id);
  return b;
}

void SletBegivenhed(uint32_t uge, uint32_t forste) {
  TabVar *pTv = SkemabegBucket(uge);
  uint32_t id = Raekke(uge, forste)->id;  // packed rows: copy, never bind
  gSpor->slettet.push_back(id);
  for (uint32_t r = forste; r < pTv->wRecCnt && Raekke(uge, r)->Forste == forste; ++r) {
    Raekke(uge, r)->Status = 0;
    Raekke(uge, r)->Forste = 0;
  }
}

void SaetTider(void *avs, uint32_t start, uint32_t slut, float std) {
  auto *b = static_cast<Beskrivelse *>(avs);
  b->start = start;
  b->slut = slut;
  b->std = std;
  b->tider = true;
}

// The new event goes at the end of its bucket, where a walk that changes
// the bucket as it goes would meet it again.
void AddBegivenhed(void *avs, uint32_t status) {
  auto *b = static_cast<Beskrivelse *>(avs);
  TabVar *pTv = SkemabegBucket(b->uge);
  uint32_t forste = 0;
  for (SkeRec s : b->raekker) {
    pTv->FoersteLedige = pTv->wRecCnt;
    uint32_t n = NewRec(&tdske, pTv);
    if (!forste) forste = n;
    s.Status = status;
    s.Forste = forste;
    memcpy(GetRec(&tdske, pTv, n), &s, sizeof s);
  }
  gSpor->tilfoejet.push_back(*b);
  delete b;
}

class Gensend : public storetest::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    gSpor = &spor;
    GlobalIndstillinger.insnr = 7;
    GensendKrog = {};
    GensendKrog.HentAVS = HentAVS;
    GensendKrog.SletBegivenhed = SletBegivenhed;
    GensendKrog.SaetLektionsTider = SaetTider;
    GensendKrog.AddBegivenhed = AddBegivenhed;
  }
  void TearDown() override {
    GensendKrog = {};
    GlobalIndstillinger.insnr = 0;
    DataMappe::TearDown();
  }
  // An event of two rows (activity, employment); its first row.
  uint32_t Beg(Uge uge, uint32_t id, uint8_t dag, uint32_t status = SKE_EGEN, uint8_t ejer = 7,
               double opdtid = 0, uint8_t lektion = 0, uint32_t risy = 0) {
    TabVar *b = SkemabegBucket(uge);
    uint32_t forste = 0;
    for (int i = 0; i < 2; ++i) {
      b->FoersteLedige = b->wRecCnt;
      uint32_t n = NewRec(&tdske, b);
      if (!forste) forste = n;
      SkeRec *s = Raekke(uge, n);
      s->id = id;
      s->Status = status;
      s->Dag = dag;
      s->Ejer = ejer;
      s->opdtid = opdtid;
      s->Lektion = lektion;
      s->risy_id = risy;
      s->anfo_id = i;
      s->Forste = forste;
    }
    return forste;
  }
  Spor spor;
};

TEST_F(Gensend, ByDateMarksEachOwnLiveEventOnceFromTheDate) {
  // Week 2024-33 runs from Monday 12 August.
  Beg(202433, 1, 2);                        // 13 August: before the date
  Beg(202433, 2, 3);                        // 14 August
  Beg(202433, 3, 4, SKE_EGEN, 9);           // another installation's
  Beg(202433, 4, 5, SKE_EGEN | SKE_SLETTET);  // deleted
  Beg(202433, 5, 5, 0);                     // not written
  Beg(202433, 6, 7);                        // 18 August
  Beg(202450, 7, 1);                        // December
  EXPECT_EQ(RetSkemaForGensend(20240814, 1), 3);
  EXPECT_EQ(spor.laest, (std::vector<uint32_t>{2, 6, 7}));
  EXPECT_EQ(spor.slettet, (std::vector<uint32_t>{6, 2, 7}));  // from the back of each week
  ASSERT_EQ(spor.tilfoejet.size(), 3u);
  for (const Beskrivelse &b : spor.tilfoejet) {
    EXPECT_EQ(b.raekker.size(), 2u);
    EXPECT_FALSE(b.tider);
  }
  // The foreign event is untouched, and the re-added ones are live and own.
  uint32_t status = Raekke(202433, 5)->Status;
  EXPECT_EQ(status, uint32_t{SKE_EGEN});
  EXPECT_EQ(Raekke(202433, 5)->Ejer, 9);
  uint32_t levende = 0;
  TabVar *pTv = SkemabegBucket(202433);
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r)
    if (Raekke(202433, r)->Status == SKE_EGEN && Raekke(202433, r)->Ejer == 7) ++levende;
  EXPECT_EQ(levende, 6u);  // event 1 as it was, events 2 and 6 again: two rows each
}

TEST_F(Gensend, ByChangeTimeAndTheLessonTimesOfTheRingSystem) {
  const TabDesc *pTd;
  TabVar *pTv;
  storetest::Tabel('R', pTd, pTv);
  uint32_t risy = NewRec(pTd, pTv);
  uint8_t *rec = GetRec(pTd, pTv, risy);
  uint32_t start = 950, slut = 1035;
  float std = 1.5f;
  memcpy(rec + offsetof(RisyRec, Starttid) + 4 * 2, &start, 4);
  memcpy(rec + offsetof(RisyRec, Sluttid) + 4 * 2, &slut, 4);
  memcpy(rec + offsetof(RisyRec, Antal_std_lektioner) + 4 * 2, &std, 4);

  Beg(202440, 1, 1, SKE_EGEN, 7, 4999999999.0, 3, risy);  // changed before 5000
  Beg(202440, 2, 1, SKE_EGEN, 7, 5000000000.0, 3, risy);  // lesson 3
  Beg(202440, 3, 1, SKE_EGEN, 7, 6000000000.0, 0, risy);  // no lesson
  EXPECT_EQ(RetSkemaForGensend(5000, 2), 2);
  ASSERT_EQ(spor.tilfoejet.size(), 2u);
  EXPECT_TRUE(spor.tilfoejet[0].tider);
  EXPECT_EQ(spor.tilfoejet[0].start, 950u);
  EXPECT_EQ(spor.tilfoejet[0].slut, 1035u);
  EXPECT_FLOAT_EQ(spor.tilfoejet[0].std, 1.5f);
  EXPECT_FALSE(spor.tilfoejet[1].tider);
}

TEST_F(Gensend, WaitDialogReportsTheCount) {
  if (!tavo::res::FindDialog(MAKEINTRESOURCE(128))) {
    tavo::res::DialogTemplate t;
    t.id = 128;
    t.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.cx = 186;
    t.cy = 40;
    t.items.push_back({"STATIC", 40045, "", SS_CENTER | WS_VISIBLE, 0, 26, 6, 134, 10});
    t.items.push_back({PROGRESS_CLASS, 1077, "", WS_VISIBLE, 0, 6, 18, 174, 10});
    tavo::res::RegisterDialog(t);
  }
  static int tabeller, beskeder;
  tabeller = beskeder = 0;
  GensendKrog.AllokerTalTab = [] { ++tabeller; };
  GensendKrog.SendTilAlleVinduer = [](UINT m, WPARAM, LPARAM) { beskeder += m == 1122; };
  Beg(202433, 1, 2);
  Beg(202433, 2, 3);
  struct {
    uint32_t dato;
    DLGPROC proc;
    INT_PTR antal;
    const char *tekst;
  } const tilfaelde[] = {
      {20250801, GensendFraDatoDlgProc, 0, "Ingen skemabegivenheder blev rettet. !"},  // after the period
      {20240801, GensendFraDatoDlgProc, 2,
       "Skemaet er rettet til med 2 begivenheder, lav en eksport og kontakt serveren !"},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.dato);
    tavo::test::StartDialogScript();
    std::string titel;
    tavo::test::AnswerNextDialog([&titel](const tavo::test::ShownDialog &d) {
      titel = d.caption;
      return INT_PTR{0};
    });
    EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCE(128), 0, t.proc, t.dato), t.antal);
    auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, "Ok");
    EXPECT_EQ(bokse[0].type & MB_ICONMASK, UINT{MB_ICONINFORMATION});
    EXPECT_EQ(titel, "Gensend data");
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
  }
  EXPECT_EQ(tabeller, 1);
  EXPECT_EQ(beskeder, 1);
}

TEST_F(Gensend, StartDateDialogTakesOnlyDatesOfThePeriod) {
  RegistrerGensendSkabelon();
  struct {
    const char *indtastet;
    INT_PTR resultat;
    uint32_t dato;
    bool fejl;
  } const tilfaelde[] = {
      {"20241010", 1, 20241010, false},
      {"20240801", 1, 20240801, false},  // the period's first day
      {"20250801", 2, 0, true},          // after the period
      {"20240231", 2, 0, true},          // no such day
      {"ÅÅÅÅ", 2, 0, true},
      {"", 2, 0, true},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.indtastet);
    uint32_t dato = 0;
    tavo::test::StartDialogScript();
    std::string titel;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      titel = d.caption;
      SetDlgItemTextA(d.hwnd, 1049, t.indtastet);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{t.fejl ? IDCANCEL : 0};  // after a refusal the user gives up
    });
    EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCE(IDD_GENSEND_STARTDATO), 0, StartDatoDlgProc,
                              reinterpret_cast<LPARAM>(&dato)),
              t.resultat);
    EXPECT_EQ(dato, t.dato);
    EXPECT_EQ(titel, "Gensend");
    auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), t.fejl ? 1u : 0u);
    if (t.fejl) {
      EXPECT_EQ(bokse[0].text,
                "Startdato skal angives på formatet ÅÅÅÅMMDD (f.eks. 20020325).\n Og ligge inden for skemaets "
                "periode. (20240801-20250731)");
      EXPECT_EQ(bokse[0].caption, "Fejl i dato");
    }
    tavo::test::StopDialogScript();
  }
  // "Fortryd" ends it with 2 and leaves the date.
  uint32_t dato = 5;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, 1049, "20241010");
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCE(IDD_GENSEND_STARTDATO), 0, StartDatoDlgProc,
                            reinterpret_cast<LPARAM>(&dato)),
            2);
  EXPECT_EQ(dato, 5u);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
}

}  // namespace
