// The balances panel of the event entry window, made as the entry window
// makes it, over a property set the test fills: the balance kind of each
// role, the blocks' texts in the draw log with figures worked out by hand,
// the holiday year around 1 May, and the widths of both lines as the panel
// narrows.

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "BYGINFO.h"
#include "MEDPER.h"
#include "STATUSBAR.h"
#include "TALTAB.h"
#include "relmatrix_support.h"
#include "tavo/clock.h"

namespace {

using namespace reltest;

Dato &Markoer() {
  static Dato d = 0;
  return d;
}
// The status bar's date pane: answers the cursor date the test sets.
LRESULT CALLBACK DatoProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == STATUS_DATO_HENT) return static_cast<LRESULT>(Markoer());
  return DefWindowProcA(h, m, w, l);
}

class BygInfoTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    wfb_test::Registrer("BygInfoWndClass", BygInfoWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("BygDato", DatoProc, 0);
    wfb_test::Registrer("BygEjer", DefWindowProcA, CS_OWNDC);
    if (hDatoVindue) DestroyWindow(hDatoVindue);
    hDatoVindue = CreateWindowExA(0, "BygDato", "", WS_CHILD, 0, 0, 10, 10, hoved, 0, 0, nullptr);
    ejer = CreateWindowExA(0, "BygEjer", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1400, 130, desktop, 0, 0,
                           nullptr);
    Markoer() = kIdag;
    CleanupAVS(&avs);
  }
  void TearDown() override {
    CleanupAVS(&avs);
    std::free(MedTalFerieTab);
    MedTalFerieTab = nullptr;
    TalDim = TalDimRec{};
    tavo::ClearFakeClock();
    RelTest::TearDown();
  }

 public:
  static uint32_t Rolle(const char *tekst, const char *sls = nullptr) {
    SkemarolRec r{};
    r.id = static_cast<uint32_t>(tvskemarol.wRecCnt) + 700;
    r.Status = 20;
    predtest::Tekst(r.Rolle, tekst);
    const uint32_t n = predtest::Ny(tdskemarol, tvskemarol, r);
    if (sls) {
      Sls_koderRec s{};
      s.id = static_cast<uint32_t>(tvsls_koder.wRecCnt) + 800;
      std::memcpy(s.Sls_aarsagskode, sls, std::min(std::strlen(sls), sizeof s.Sls_aarsagskode));
      s.Skemarolle_id = n;
      predtest::Ny(tdsls_koder, tvsls_koder, s);
    }
    return n;
  }
  // An employee with one employment; the employment's record number.
  static uint32_t Ansat(uint32_t *meda = nullptr) {
    MedaRec m{};
    m.id = static_cast<uint32_t>(tvmeda.wRecCnt) + 300;
    m.Status = 20;
    predtest::Tekst(m.Initialer, "JBN");
    predtest::Tekst(m.Navn, "Jens Bo Nielsen");
    const uint32_t mn = predtest::Ny(tdmeda, tvmeda, m);
    if (meda) *meda = mn;
    AnfoRec a{};
    a.id = static_cast<uint32_t>(tvanfo.wRecCnt) + 400;
    a.meda_id = mn;
    a.Status = 20;
    a.Gruppe = 1;
    return predtest::Ny(tdanfo, tvanfo, a);
  }
  // An absence event of the employments, all in one role.
  void Fravaer(std::vector<uint32_t> anfo, uint32_t rolle) {
    CleanupAVS(&avs);
    avs.Art = 'P';
    avs.anfoAntal = static_cast<uint32_t>(anfo.size());
    avs.anfoTab = static_cast<uint32_t *>(std::calloc(anfo.size() + 1, sizeof(uint32_t)));
    avs.skemarolTab = static_cast<uint32_t *>(std::calloc(anfo.size() + 1, sizeof(uint32_t)));
    avs.beregnTab = static_cast<float *>(std::calloc(anfo.size() + 1, sizeof(float)));
    avs.minutTab = static_cast<float *>(std::calloc(anfo.size() + 1, sizeof(float)));
    avs.hvorfraTab = static_cast<uint8_t *>(std::calloc(anfo.size() + 1, 1));
    for (size_t i = 0; i < anfo.size(); ++i) {
      avs.anfoTab[i] = anfo[i];
      avs.skemarolTab[i] = rolle;
    }
  }
  HWND Panel(int bredde, int hoejde = 120) {
    HWND h = OpretBygInfoVindue(ejer, 0, 0, bredde, hoejde, &avs);
    if (h) ShowWindow(h, SW_SHOW);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static BygInfoWS *Ws(HWND h) { return reinterpret_cast<BygInfoWS *>(SendMessageA(h, BYGINFO_WS, 0, 0)); }
  // The texts the panel itself drew after a repaint, in order.
  static std::vector<std::string> Tegnet(HWND h) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, BRIKINFO_OPDATER, 0, 0);
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h) v.push_back(t.text);
    return v;
  }
  static bool Har(const std::vector<std::string> &v, const std::string &s) {
    return std::find(v.begin(), v.end(), s) != v.end();
  }
  // One employee's holiday cell in the school year of the date.
  static void FerieCelle(uint32_t meda, Dato dato, const MedTalFerieCelle &c) {
    std::free(MedTalFerieTab);
    TalDim.E = meda + 1;
    TalDim.Y1 = 3;
    MedTalFerieTab = static_cast<MedTalFerieCelle *>(std::calloc(TalDim.E * (TalDim.Y1 + 1), sizeof c));
    MedTalFerieTab[meda * (TalDim.Y1 + 1) + SkoleAarIndeks(dato)] = c;
  }

  HWND ejer = 0;
  alignas(8) AVS avs{};
};

class SaldoArt : public BygInfoTest {};

TEST_F(SaldoArt, EachRoleGivesItsBlockAndHeader) {
  const uint32_t anfo = Ansat();
  struct Tilfaelde {
    const char *navn;
    uint32_t rolle;
    int art;
    const char *hoved;  // null: no block
  };
  const Tilfaelde tilfaelde[] = {
      {"SLS 500", Rolle("X1", "500"), SALDO_FERIE, "Ferie"},
      {"SLS 505", Rolle("X2", "505"), SALDO_FERIE, "Ferie"},
      {"SLS 520", Rolle("X3", "520"), SALDO_FERIE, "Ferie"},
      {"SLS 530", Rolle("X4", "530"), SALDO_FERIE, "Ferie"},
      {"'F' role", Rolle("FE"), SALDO_FERIE, "Ferie"},
      {"SF role", Rolle("SF"), SALDO_FERIE, "Ferie"},
      {"care day", Rolle("O"), SALDO_OMSORG, "Omsorg"},
      {"time off", Rolle("AF"), SALDO_AFSPADSERING, "Afspadsering"},
      {"time off that is also a care day", Rolle("AO", "600"), SALDO_OMSORG, "Omsorg"},
      {"BS1", Rolle("BS1"), SALDO_BARNSYG, "Barnets 1. sygedag"},
      {"BS2", Rolle("BS2"), SALDO_BARNSYG, "Barnets 2. sygedag"},
      {"other", Rolle("L"), SALDO_INGEN, nullptr},
  };
  const char *alle[] = {"Ferie", "Omsorg", "Afspadsering", "Barnets 1. sygedag", "Barnets 2. sygedag"};
  Fravaer({anfo}, 0);
  HWND h = Panel(1300);
  ASSERT_NE(h, (HWND)0);
  for (const Tilfaelde &t : tilfaelde) {
    avs.skemarolTab[0] = t.rolle;
    EXPECT_EQ(BygInfoSaldoArt(&avs), t.art) << t.navn;
    const std::vector<std::string> v = Tegnet(h);
    for (const char *hoved : alle)
      EXPECT_EQ(Har(v, hoved), t.hoved && std::string(t.hoved) == hoved) << t.navn << ": " << hoved;
    EXPECT_TRUE(Har(v, "Med") && Har(v, "Bemærkning")) << t.navn;
  }
}

TEST_F(SaldoArt, AnAbsenceOfTwoEmployeesShowsNoBalance) {
  const uint32_t a = Ansat(), b = Ansat(), ferie = Rolle("FE");
  Fravaer({a, b}, ferie);
  EXPECT_EQ(BygInfoSaldoArt(&avs), SALDO_INGEN);
  HWND h = Panel(1300);
  const std::vector<std::string> v = Tegnet(h);
  EXPECT_FALSE(Har(v, "Ferie"));
  EXPECT_TRUE(Har(v, "Med"));
  EXPECT_TRUE(Har(v, "Bemærkning"));
  // An employment that is not there draws no block either.
  Fravaer({tvanfo.wRecCnt + 5}, ferie);
  EXPECT_FALSE(Har(Tegnet(h), "Ferie"));
}

class SaldoFerie : public BygInfoTest {};

TEST_F(SaldoFerie, FiguresAreRoundedAndTheHolidayYearTurnsOnTheFirstOfMay) {
  uint32_t meda = 0;
  const uint32_t anfo = Ansat(&meda);
  Fravaer({anfo}, Rolle("FE"));
  HWND h = Panel(790);
  ASSERT_NE(h, (HWND)0);
  struct Tilfaelde {
    Dato markoer;
    const char *periode;
  };
  for (const Tilfaelde &t : {Tilfaelde{20250430, "Særlig feriedag.  Periode: 20240501 - 20250430"},
                             Tilfaelde{20250501, "Særlig feriedag.  Periode: 20250501 - 20260430"},
                             Tilfaelde{20241009, "Særlig feriedag.  Periode: 20240501 - 20250430"}}) {
    Markoer() = t.markoer;
    // Carried 1500, earned 25000, planned -1500, taken 499; special 5000, 1500, 499.
    FerieCelle(meda, t.markoer,
               MedTalFerieCelle{1500, 25000, static_cast<uint32_t>(-1500), 499, 5000, 1500, 499});
    const std::vector<std::string> v = Tegnet(h);
    EXPECT_TRUE(Har(v, t.periode)) << t.markoer;
    // In row order: 2, 25, -2, 0 and the rest 2 + 25 + 2 - 0 = 29; special 5, 2, 0, rest 3.
    std::vector<std::string> tal;
    for (const std::string &s : v)
      if (!s.empty() && (std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '-')) tal.push_back(s);
    EXPECT_EQ(tal, (std::vector<std::string>{"2", "25", "-2", "0", "29", "5", "2", "0", "3"})) << t.markoer;
    for (const char *etiket : {"Ferie", "Overført:", "Optjent:", "Planlagt:", "Afholdt:", "Rest:"})
      EXPECT_TRUE(Har(v, etiket)) << etiket;
  }
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/byginfo_ferie.png"));
}

TEST(SaldoAfrunding, ThousandthsRoundHalfAwayFromZero) {
  struct Tilfaelde {
    int32_t v, hele;
  };
  for (const Tilfaelde &t : {Tilfaelde{1500, 2}, Tilfaelde{-1500, -2}, Tilfaelde{499, 0}, Tilfaelde{-499, 0},
                             Tilfaelde{500, 1}, Tilfaelde{-500, -1}, Tilfaelde{0, 0}, Tilfaelde{1, 0},
                             Tilfaelde{INT32_MAX, 2147484}, Tilfaelde{INT32_MIN, -2147484}})
    EXPECT_EQ(TusindedeTilHele(t.v), t.hele) << t.v;
  struct Aar {
    uint32_t dato, fra, til;
  };
  for (const Aar &a : {Aar{20250430, 20240501, 20250430}, Aar{20250501, 20250501, 20260430},
                       Aar{20250101, 20240501, 20250430}, Aar{20241231, 20240501, 20250430}}) {
    uint32_t fra, til;
    FerieAar(a.dato, &fra, &til);
    EXPECT_EQ(fra, a.fra) << a.dato;
    EXPECT_EQ(til, a.til) << a.dato;
  }
}

class SaldoFravaer : public BygInfoTest {};

TEST_F(SaldoFravaer, CareDayAndSickDayBlocksNameTheStatementPeriodOfToday) {
  // Today, from the fake clock: 15 January 2025, noon.
  std::tm tm{};
  tm.tm_year = 125;
  tm.tm_mon = 0;
  tm.tm_mday = 15;
  tm.tm_hour = 12;
  tavo::SetFakeClock(static_cast<int64_t>(timegm(&tm)));
  ASSERT_EQ(DagsDato(), 20250115u);
  const uint32_t anfo = Ansat();
  struct Tilfaelde {
    uint32_t rolle;
    std::vector<const char *> etiketter;
    const char *hoved;
  };
  const Tilfaelde tilfaelde[] = {
      {Rolle("O"), {"Omsorg", "Primo:", "Afholdt:", "Rest:"}, "Omsorg"},
      {Rolle("AF"), {"Afspadsering", "Primo:", "Afholdt:", "Rest:"}, "Afspadsering"},
      {Rolle("BS2"), {"Barnets 2. sygedag", "Afholdt:"}, "Barnets 2. sygedag"},
  };
  Fravaer({anfo}, 0);
  HWND h = Panel(1300);
  for (const Tilfaelde &t : tilfaelde) {
    avs.skemarolTab[0] = t.rolle;
    const std::vector<std::string> v = Tegnet(h);
    for (const char *e : t.etiketter) EXPECT_TRUE(Har(v, e)) << t.hoved << ": " << e;
    EXPECT_EQ(Har(v, "Rest:"), t.etiketter.size() > 2) << t.hoved;
    unsigned fra = 0, til = 0;
    bool periode = false;
    for (const std::string &s : v)
      if (std::sscanf(s.c_str(), "Opgørelsesperiode: %u - %u", &fra, &til) == 2) periode = true;
    ASSERT_TRUE(periode) << t.hoved;
    // Without periods of its own the employment has the school's standard one.
    EXPECT_EQ(fra, GetOpgPerFra(20250115, anfo)) << t.hoved;
    EXPECT_EQ(til, GetOpgPerTil(20250115, anfo)) << t.hoved;
    EXPECT_LT(fra, til) << t.hoved;
  }
}

// ---- the full mode's widths

class BygInfoBredde : public BygInfoTest {};

TEST_F(BygInfoBredde, ANarrowPanelGivesUpBoxesAndListWidthInTheirOrder) {
  // From the shipped layouts of kind 50, 8 pixels a character: activities
  // 15 + 12 characters (221), employees 9 + 15 (197), rooms 10 + 15 (205),
  // subject 5 + 15 (165), ring system 4 + 15 (157); first fields K 123,
  // L 83, employees' first two 75 + 122. Labels: "Akt", "Med", "Lok",
  // "Fag" 24, "Ring" 32, "Bemærkning" 80.
  const uint32_t linje1 = 72 + 221 + 205 + 197 + 148, linje2 = 24 + 32 + 80 + 165 + 157 + 432 + 71;
  avs.Art = 'S';
  HWND h = Panel(1400);
  ASSERT_NE(h, (HWND)0);
  const BygInfoWS *ws = Ws(h);
  EXPECT_EQ(BygInfoLinje1Bredde(ws), linje1);
  EXPECT_EQ(BygInfoLinje2Bredde(ws), linje2);
  struct Tilfaelde {
    int bredde;
    uint32_t K, M, L, U, R, B;
  };
  const Tilfaelde tilfaelde[] = {
      {1400, 221, 235, 205, 165, 157, 432},
      // 961 - 900 = 61 from the remark box; 843 fits.
      {900, 221, 235, 205, 165, 157, 371},
      // Line 1 short by 143: rooms give 122, activities 21; line 2 short by 261.
      {700, 200, 235, 205 - 122, 165, 157, 171},
      // Line 1 short by 443: rooms 122, activities 98, employees 235 - 197 = 38 and stops;
      // line 2 short by 561: the remark box 432, the subject 129.
      {400, 123, 197, 83, 36, 157, 0},
      // Line 2 short by 761: remark 432, subject 165, ring system 157 of 164.
      {200, 123, 197, 83, 0, 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SetWindowPos(h, 0, 0, 0, t.bredde, 120, SWP_NOMOVE | SWP_NOZORDER);
    tavo::test::PumpUntilIdle();
    EXPECT_EQ((std::vector<uint32_t>{ws->K, ws->M, ws->L, ws->U, ws->R, ws->B}),
              (std::vector<uint32_t>{t.K, t.M, t.L, t.U, t.R, t.B}))
        << t.bredde;
  }
  // The children follow: the room list right of the others, 13 wider than its list.
  RECT r;
  GetWindowRect(ws->hwndBarn[BYG_LOK], &r);
  EXPECT_EQ(r.right - r.left, 83 + 13);
}

TEST_F(BygInfoBredde, TheKindIsReadAtEveryPaintAndTheWorkspaceAnswered) {
  const uint32_t anfo = Ansat();
  Fravaer({anfo}, Rolle("L"));
  avs.Art = 'S';
  HWND h = Panel(1300);
  ASSERT_NE(h, (HWND)0);
  EXPECT_TRUE(Har(Tegnet(h), "Akt"));
  EXPECT_TRUE(IsWindowVisible(Ws(h)->hwndBarn[BYG_AKT]));
  avs.Art = 'P';
  const std::vector<std::string> v = Tegnet(h);
  EXPECT_FALSE(Har(v, "Akt"));
  EXPECT_TRUE(Har(v, "Med"));
  EXPECT_FALSE(IsWindowVisible(Ws(h)->hwndBarn[BYG_AKT]));
  EXPECT_TRUE(IsWindowVisible(Ws(h)->hwndBarn[BYG_BEM]));
  EXPECT_EQ(Ws(h)->B, 432u);
  EXPECT_EQ(Ws(h)->pAVS, &avs);
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/byginfo_P.png"));
}

}  // namespace
