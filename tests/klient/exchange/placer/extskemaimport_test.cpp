// The external timetable import as a user drives it: the menu command, each
// question and dialog answered by the dialog script, the check's log and
// counters, the placed events, and the undo afterwards. The school has the
// classes 1a, 2b and 3c, the teachers AB, CD and EF, the rooms 101, 102 and
// 103, and the subjects DA on 1a and 3c and MA on 2b.
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "extskemadlg.h"
#include "placer_fixture.h"
#include "ressourcer.h"
#include "win/controls.h"

namespace {

using namespace placertest;
using tavo::test::ShownDialog;
namespace fs = std::filesystem;

class ExtSkemaImportTest : public Placer {
 protected:
  void SetUp() override {
    Placer::SetUp();
    RegistrerOrvaneRessourcer();
    const char *initialer[] = {"AB", "CD", "EF"}, *lokaler[] = {"101", "102", "103"};
    for (size_t i = 0; i < 3; ++i) {
      Tekst(Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[i])->meda_id)->Initialer, initialer[i]);
      Tekst(Rec<AnfoRec>(tvanfo, anfo[i])->Loebenummer, "1");
      Tekst(Rec<LokaRec>(tvloka, loka[i])->Lokalenr, lokaler[i]);
    }
    Tekst(Rec<AktiRec>(tvakti, akti[2])->Aktivitet, "3c");
    Tekst(Rec<AktiRec>(tvakti, akti[0])->Aktivitet, "1a");
    Tekst(Rec<AktiRec>(tvakti, akti[1])->Aktivitet, "2b");
    SkfaRec f{};
    f.id = 201;
    Tekst(f.Skolefag, "MA");
    f.Niveau = ' ';
    f.Status = 10;
    ma = Ny(tdskfa, tvskfa, f);
    Rec<SkfaRec>(tvskfa, skfa)->Niveau = ' ';
    for (auto [a, s] : {std::pair{akti[0], skfa}, {akti[1], ma}, {akti[2], skfa}}) {
      SkphRec p{};
      p.akti_id = a;
      p.skfa_id = s;
      p.Status = 10;
      Ny(tdskph, tvskph, p);
    }
    mappe = rod / "imp";
    fs::create_directories(mappe);
    for (const char *k : {"klasser.txt", "fag.txt", "lokaler.txt"}) Fil(k, "");
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    Placer::TearDown();
  }

  void Fil(const char *navn, const std::string &indhold) const {
    std::ofstream(mappe / navn, std::ios::binary) << indhold;
  }

  // The answers in turn: a box answered, or a dialog filled and confirmed.
  static void Svar(INT_PTR svar) {
    tavo::test::AnswerNextDialog([svar](const ShownDialog &) { return svar; });
  }
  static void Udfyld(std::vector<std::pair<int, std::string>> felter, int knap = 0) {
    tavo::test::AnswerNextDialog([felter, knap](const ShownDialog &d) {
      for (const auto &[id, tekst] : felter) SetDlgItemTextA(d.hwnd, id, tekst.c_str());
      if (knap) SendDlgItemMessageA(d.hwnd, knap, BM_CLICK, 0, 0);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  static void Metode(int knap, std::string *tekst) {
    tavo::test::AnswerNextDialog([knap, tekst](const ShownDialog &d) {
      if (const auto *c = d.Control(IDC_METODE_TEKST)) *tekst = c->text;
      SendDlgItemMessageA(d.hwnd, knap, BM_CLICK, 0, 0);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  // The log dialog (no Notepad here): its caption.
  void Log() {
    tavo::test::AnswerNextDialog([this](const ShownDialog &d) {
      logTitel = d.caption;
      EndDialog(d.hwnd, IDOK);
      return INT_PTR{0};
    });
  }
  std::string LogTekst() const {
    std::ifstream i(rod / "log" / "skemaimport.log", std::ios::binary);
    std::stringstream s;
    s << i.rdbuf();
    return s.str();
  }
  std::string LogSti() const { return std::string(StiTab.szdata) + "log\\skemaimport.log"; }
  static void Faerdig() {
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
  }

  fs::path mappe;
  uint32_t ma = 0;
  std::string logTitel;
};

TEST_F(ExtSkemaImportTest, RollerManglerAfviser) {
  for (void (*kommando)(HWND) :
       {UntisImportKommando, TabulexImportKommando, ExternImportKommando, LectioImportKommando}) {
    RolleForslagene[RF_SYG] = 0;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(IDOK);
    kommando(0);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text,
              "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ");
    EXPECT_EQ(bokse[0].caption, "Roller mangler");
    EXPECT_EQ(bokse[0].type, UINT(MB_OK | MB_ICONWARNING));
    Faerdig();
  }
  EXPECT_FALSE(fs::exists(rod / "log" / "skemaimport.log"));
}

TEST_F(ExtSkemaImportTest, UntisUgevisOgFortryd) {
  // Week 5 of 2025 reads skema5.txt: two teachers and two rooms of 1a on
  // Monday's first lesson, and 2b on Wednesday.
  Fil("skema5.txt", "1;1a;AB;DA;101;1;1\r\n2;1a;CD;DA;102;1;1\r\n3;2b;EF;MA;103;3;2\r\n");
  Fil("skema.txt", "1;3c;AB;DA;101;2;1\r\n");
  Svar(IDNO);   // not by the dates in the file
  Svar(IDYES);  // by week
  Udfyld({{IDC_IMP_MAPPE, mappe.string()}, {IDC_IMP_UGENR, "202505"}});
  Svar(IDYES);  // import now
  Log();
  UntisImportKommando(0);
  Faerdig();
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 3u);
  EXPECT_EQ(bokse[0].caption, "Untis-import");
  EXPECT_EQ(bokse[2].text, "Untis-filen er nu klar til import.\nØnsker du at importere nu ?\n");
  EXPECT_EQ(bokse[2].caption, "Untis - Import");
  EXPECT_EQ(bokse[2].type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
  const std::vector<Beg> ventet = {
      {202505, 1, {akti[0]}, {anfo[0], anfo[1]}, {laerer, xrolle}, {loka[0], loka[1]}},
      {202505, 3, {akti[1]}, {anfo[2]}, {laerer}, {loka[2]}},
  };
  EXPECT_EQ(Importerede(), ventet);
  EXPECT_EQ(LogTekst(), "");
  EXPECT_EQ(logTitel, "Untis import log!");

  // Ctrl+Z takes the week back out.
  Svar(IDYES);
  FortrydExtImport(0);
  EXPECT_EQ(Importerede(), std::vector<Beg>{});
  const TabVar *b = SkemabegBucket(202505);
  for (uint32_t r = 1; b && r < b->wRecCnt; ++r) EXPECT_EQ(Ske(202505, r).Status + 0, 0u) << r;
}

TEST_F(ExtSkemaImportTest, UntisEksisterendeSkemaErstattes) {
  Fil("skema5.txt", "1;1a;AB;DA;101;1;1\r\n");
  const uint32_t gammel = Raekke(202505, 1, 0x40, kEgen, {.akti = akti[0]}, 1);
  Svar(IDNO);
  Svar(IDYES);
  Udfyld({{IDC_IMP_MAPPE, mappe.string()}, {IDC_IMP_UGENR, "202505"}});
  Svar(IDYES);  // the schedule found is deleted
  Svar(IDYES);
  Log();
  UntisImportKommando(0);
  Faerdig();
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 4u);
  EXPECT_EQ(bokse[2].text, "Der er fundet skema i Tavo på en eller flere hold/medarbejder/lokale\n"
                           "angivet i skemaimport-filen.\n\nHvilke kan ses i:\n  " +
                               LogSti() +
                               "\n\nNB: HVIS DU FORTSÆTTER BLIVER DETTE SKEMA SLETTET !\nØnsker du at fortsætte !");
  EXPECT_EQ(bokse[2].caption, "Untis - Import");
  EXPECT_EQ(Ske(202505, gammel).Status + 0, 0u);
  EXPECT_EQ(Importerede().size(), 1u);
  EXPECT_EQ(LogTekst(), "Skema fundet på aktivitet : 1a\r\n");
}

TEST_F(ExtSkemaImportTest, ExternOpsummeringOgNej) {
  // A missing class, a teacher whose employment has ended, and a lesson
  // after the schedule period.
  Rec<AnfoRec>(tvanfo, anfo[2])->Tildato = 20241231;
  Fil("skema.txt",
      "9z;DA;AB;101;20250128;1;0;0;1\r\n1a;DA;EF;101;20250128;2;0;0;1\r\n1a;DA;AB;101;20250901;1;0;0;1\r\n");
  Svar(IDYES);
  Udfyld({{IDC_EXT_MAPPE, mappe.string()}, {IDC_EXT_FILNAVN, "skema.txt"}});
  Svar(IDNO);
  Log();
  ExternImportKommando(0);
  Faerdig();
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[1].text, "Der er undersøgt 3 begivenhed(er) \n"
                           "og følgende mangler eller periodefejl er fundet : \n\n"
                           "   Antal\n"
                           "   begivenheder  Mangler \n"
                           " ---------------------------------------------- \n"
                           "              1\tAktivitet\n"
                           "              1\tMedarbejder\n"
                           "              0\tSkolefag\n"
                           "              0\tLokale\n"
                           "              1\tSkema begivenheder med periode fejl\n\n"
                           "Hvilke objekter det drejer sig om, kan ses i\n  " +
                               LogSti() + "\n\nØnsker du at fortsætte !");
  EXPECT_EQ(bokse[1].caption, "Extern - Fejl");
  // The log is a Windows text file.
  EXPECT_EQ(LogTekst(), "Skema udenfor TAVO periode : 20250901 - 20250901\r\n"
                        "Klasse mangler : 9z\r\n"
                        "Udenfor medarbejderens/ansættelsesforholdets periode : EF\r\n");
  EXPECT_EQ(logTitel, "Extern import log!");
  EXPECT_EQ(Importerede(), std::vector<Beg>{});
}

TEST_F(ExtSkemaImportTest, ExternMetoder) {
  const struct {
    int knap;
    uint32_t gammelStatus;
    size_t importerede;
    bool advarsel;
  } tilfaelde[] = {
      {IDC_METODE_OVERSKRIV, 0x68, 1, true},
      {IDC_METODE_DOBBELT, 0x60, 1, false},
      {IDC_METODE_IGNORER, 0x60, 0, false},
  };
  Fil("skema.txt", "1a;DA;AB;101;20250128;1;0;0;1\r\n");
  for (const auto &t : tilfaelde) {
    TomSkemabeg();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    const uint32_t gammel = Raekke(202505, 2, 0x60, kEgen, {.akti = akti[0]}, 1);
    std::string tekst;
    Svar(IDYES);
    Udfyld({{IDC_EXT_MAPPE, mappe.string()}, {IDC_EXT_FILNAVN, "skema.txt"}});
    Metode(t.knap, &tekst);
    Svar(IDYES);
    Log();
    ExternImportKommando(0);
    Faerdig();
    EXPECT_NE(tekst.find("VÆLG EN METODE, HVORPÅ DU ØNSKER AT IMPORTERE SKEMAET!\nØnsker du at fortsætte !"),
              std::string::npos)
        << tekst;
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 2u) << t.knap;
    EXPECT_EQ(bokse[1].text.find("OBS! - Du har valgt en metode, som overskriver skema i TAVO!\n") !=
                  std::string::npos,
              t.advarsel);
    EXPECT_EQ(Ske(202505, gammel).Status + 0, t.gammelStatus) << t.knap;
    EXPECT_EQ(Importerede().size(), t.importerede) << t.knap;
  }
}

TEST_F(ExtSkemaImportTest, HverKildeTilBegivenhederOgTilbage) {
  // The same week as each source writes it: 1a with AB and CD on Monday's
  // first lesson, 2b with EF on Wednesday's second (Tabulex: 1a only, the
  // second week of its cycle on Wednesday).
  const std::vector<Beg> uge5 = {
      {202505, 1, {akti[0]}, {anfo[0], anfo[1]}, {laerer, xrolle}, {loka[0], loka[1]}},
      {202505, 3, {akti[1]}, {anfo[2]}, {laerer}, {loka[2]}},
  };
  const std::vector<Beg> tabulex = {
      {202505, 1, {akti[0]}, {anfo[0]}, {laerer}, {loka[0]}},
      {202506, 3, {akti[0]}, {anfo[1]}, {laerer}, {loka[1]}},
  };
  // Tabulex puts "0" before a short subject.
  SkfaRec f{};
  f.id = 202;
  Tekst(f.Skolefag, "0DA");
  f.Niveau = ' ';
  f.Status = 10;
  SkphRec p{};
  p.akti_id = akti[0];
  p.skfa_id = Ny(tdskfa, tvskfa, f);
  p.Status = 10;
  Ny(tdskph, tvskph, p);
  const struct Tilfaelde {
    const char *navn;
    void (*kommando)(HWND);
    const char *fil, *indhold;
    std::function<void()> svar;
    std::vector<Beg> ventet;
    const char *logTitel;
  } tilfaelde[] = {
      {"lectio", LectioImportKommando, "skema.txt",
       "1001;1a;AB;DA;101;1;1;5;20250127\r\n1001;1a;CD;DA;102;1;1;5;20250127\r\n"
       "1002;2b;EF;MA;103;3;2;5;20250129\r\n",
       [&] {
         Svar(IDYES);
         Udfyld({{IDC_IMP_MAPPE, mappe.string()}, {IDC_IMP_FRA, "202505"}, {IDC_IMP_TIL, "202505"}});
       },
       uge5, "Lectio import log!"},
      {"untis med datoer", UntisImportKommando, "untis.txt",
       "AB;2025;1;27;1;DA;1a;101\r\nCD;2025;1;27;1;DA;1a;102\r\nEF;2025;1;29;2;MA;2b;103\r\n",
       [&] {
         Svar(IDYES);
         Svar(IDYES);
         Udfyld({{IDC_EXT_MAPPE, mappe.string()}, {IDC_EXT_FILNAVN, "untis.txt"}});
       },
       uge5, "Untis import log!"},
      {"extern", ExternImportKommando, "ext.txt",
       "1a;DA;AB;101;20250127;1;0;0;1\r\n1a;DA;CD;102;20250127;1;0;0;1\r\n2b;MA;EF;103;20250129;2;0;0;1\r\n",
       [&] {
         Svar(IDYES);
         Udfyld({{IDC_EXT_MAPPE, mappe.string()}, {IDC_EXT_FILNAVN, "ext.txt"}});
       },
       uge5, "Extern import log!"},
      {"tabulex", TabulexImportKommando, "skema.csv", "[Skema]\r\n1;x;AB;1a;y;101;1;1;;;DA;\r\n2;x;CD;1a;y;102;8;1;;;DA;-\r\n",
       [&] {
         Svar(IDYES);
         Udfyld({{IDC_IMP_MAPPE, mappe.string()}, {IDC_IMP_FRA, "202505"}, {IDC_IMP_TIL, "202506"}});
       },
       tabulex, "Extern import log!"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomSkemabeg();
    // Whatever an earlier run remembered, the undo must find this import.
    WritePrivateProfileStringA("untis", "fradato", "202440", StiTab.szini);
    WritePrivateProfileStringA("untis", "tildato", "202440", StiTab.szini);
    const uint32_t andet = Raekke(202505, 2, 0x60, kEgen, {.akti = akti[2]}, 5);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Fil(t.fil, t.indhold);
    t.svar();
    Svar(IDYES);
    Log();
    t.kommando(0);
    Faerdig();
    EXPECT_EQ(Importerede(), t.ventet) << t.navn;
    EXPECT_EQ(logTitel, t.logTitel) << t.navn;
    EXPECT_EQ(LogTekst(), "") << t.navn;
    Svar(IDYES);
    FortrydExtImport(0);
    EXPECT_EQ(Importerede(), std::vector<Beg>{}) << t.navn;
    EXPECT_EQ(Ske(202505, andet).Status + 0, 0x60u) << t.navn;
  }
}

// ---- The check on its own ----

class ExtSkemaImportTjek : public ExtSkemaImportTest {
 protected:
  static ImportLektion L(const char *klasse, const char *laerer, uint32_t dag, Dato dato = 0) {
    ImportLektion l{};
    snprintf(l.Klasse, sizeof l.Klasse, "%s", klasse);
    snprintf(l.Laerer, sizeof l.Laerer, "%s", laerer);
    snprintf(l.Fag, sizeof l.Fag, "DA");
    l.Dag = dag;
    l.Lektion = 1;
    l.Dato = dato;
    return l;
  }
  std::string Tjek(const ImportLektioner &lek, Dato fra, Dato til) {
    FILE *f = tmpfile();
    TjekImportLektioner(lek, fra, til, f);
    rewind(f);
    std::string ud;
    for (int c; (c = fgetc(f)) != EOF;) ud += static_cast<char>(c);
    fclose(f);
    return ud;
  }
};

TEST_F(ExtSkemaImportTjek, EnLinjePrNavnOgPeriodenFraDialogen) {
  SaetImportKilde(KILDE_UNTIS);
  ImportLektioner lek(1);
  for (uint32_t i = 0; i < 20; ++i) lek.push_back(L("9z", "", 1 + i % 5));
  lek.push_back(L("1a", "", 2));
  EXPECT_EQ(Tjek(lek, 20250127, 20250131), "Klasse mangler : 9z\n");
  EXPECT_EQ(ImportTal.AktiMangler, 20u);
  EXPECT_EQ(TavoSkema[21].akti_id, akti[0]);
  // Without dates the dialog's period is checked: it ends after the schedule.
  EXPECT_EQ(Tjek(lek, 20250728, 20250801), "Skema udenfor TAVO periode : 20250728 - 20250801\n");
  EXPECT_EQ(ImportTal.SkemaPeriode, 21u);
  EXPECT_EQ(ImportTal.AktiMangler, 0u);
}

TEST_F(ExtSkemaImportTjek, LavesteLoebenummerVaelges) {
  // AB has a second employment with the lower running number; CD's only
  // employment ends before the lesson.
  AnfoRec a = *Rec<AnfoRec>(tvanfo, anfo[0]);
  a.id = 6100;
  Tekst(a.Loebenummer, "0");
  const uint32_t anden = Ny(tdanfo, tvanfo, a);
  Rec<AnfoRec>(tvanfo, anfo[1])->Tildato = 20241231;
  SaetImportKilde(KILDE_UNTIS_DATO);
  ImportLektioner lek(1);
  lek.push_back(L("1a", "AB", 0, 20250128));
  lek.push_back(L("1a", "AB", 0, 20250129));
  lek.push_back(L("1a", "CD", 0, 20250128));
  lek.push_back(L("1a", "XY", 0, 20250128));
  EXPECT_EQ(Tjek(lek, 20250127, 20250131),
            "Flere ansættelsesforhold er fundet - følgende bruges : AB / 0\n"
            "Udenfor medarbejderens/ansættelsesforholdets periode : CD\n"
            "Medarbejder/Ansættelsesforhold mangler : XY\n");
  EXPECT_EQ(TavoSkema[1].anfo_id, anden);
  EXPECT_EQ(TavoSkema[2].anfo_id, anden);
  EXPECT_EQ(FlereAnsaettelser(), 1u);
  EXPECT_EQ(ImportTal.AnsatPeriode, 1u);
  EXPECT_EQ(ImportTal.AnsatMangler, 1u);
  EXPECT_EQ(TavoSkema[1].skfa_id, skfa);
  EXPECT_EQ(TavoSkema[1].Dag, 2u);
}

TEST_F(ExtSkemaImportTjek, Ringetider) {
  SaetImportKilde(KILDE_UNTIS);
  ImportLektioner lek(1);
  auto med = [&](const char *klasse, uint32_t lektion, Klokkeslaet start = 0, Klokkeslaet slut = 0) {
    ImportLektion l = L(klasse, "", 1);
    l.Lektion = lektion;
    l.Starttid = start;
    l.Sluttid = slut;
    lek.push_back(l);
  };
  med("1a", 9);              // the ring system has eight lessons
  med("1a", 0);              // neither a lesson nor times
  med("1a", 0, 1000, 1045);  // times alone will do: the lesson holding 10:00
  med("2b", 2);
  med("9z", 60);             // no class: nothing to check against
  Tjek(lek, 20250127, 20250131);
  FILE *f = tmpfile();
  EXPECT_EQ(TjekRingetider(lek, f), 2u);
  rewind(f);
  char linje[100] = "";
  EXPECT_NE(fgets(linje, sizeof linje, f), nullptr);
  EXPECT_STREQ(linje, "Ringetid på klasse mangler : 1a / 0\n");
  EXPECT_EQ(fgets(linje, sizeof linje, f), nullptr);  // once for the run of 1a
  fclose(f);
  EXPECT_EQ(TavoSkema[3].Lektion, 3u);
  EXPECT_EQ(TavoSkema[3].Starttid, 1000u);
  EXPECT_EQ(TavoSkema[4].Starttid, 855u);
  EXPECT_EQ(TavoSkema[4].Sluttid, 940u);
}

}  // namespace
