// The plan/norm follow-up report, over the plan follow-up's entries and
// lines from the start of each employee's accounting period to a month end.
#include "PlanNorm.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "PlanOpfTal.h"
#include "RECPRED.h"
#include "Udskrivning.h"
#include "planudskrivdlg.h"

namespace {

constexpr float kKropStart = 100;

// Padded to 9 characters, as the head prints them.
const char *const kMaanedNavne[13] = {"",          "Januar   ", "Februar  ", "Marts    ", "April    ",
                                      "Maj      ", "Juni     ", "Juli     ", "August   ", "September",
                                      "Oktober  ", "November ", "December "};

void PlanNormHoved(PdfDokument &dok, HPDF_Page side, Dato d) {
  float y = HPDF_Page_GetHeight(side) - 40;
  PdfLogo(dok, side, y);
  PdfSkriftstoerrelse(dok, side, 12);
  PdfCentreret(side, y, "TAVO plan-/normopfølgning for medarbejdere");
  PdfSkriftstoerrelse(dok, side, 10);
  y -= 30;
  const unsigned long maaned = d / 100 % 100, aar = d / 10000;
  char linje[120];
  if (maaned >= 1 && maaned <= 12)
    std::snprintf(linje, sizeof linje, "Periode: medarbejder opgørelsesperiode start - %s %04lu", kMaanedNavne[maaned],
                  aar);
  else
    std::snprintf(linje, sizeof linje, "Pr. måned: %02lu.%04lu", maaned, aar);
  PdfTekst(side, 40, y - 10, linje);
  y -= 55;
  static const PdfOverskrift overskrifter[] = {
      {40, "Initialer/", "Løbenr.", 125}, {130, "", "Navn", 265},      {270, "Norm", "pr. dato", 325},
      {330, "Plan", "timer", 385},       {390, "Faktiske", "timer", 445}, {450, "Plan rest i", "Perioden", 505},
      {510, "", "Resultat", 555}};
  PdfOverskrifter(side, y, overskrifter);
}

void PlanNormLinie(HPDF_Page side, float *y, Dato d, uint32_t anfo, double plan, double aktuel, double rest) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  const MedaRec *m = a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
  if (plan + aktuel + rest == 0 || !a || !m) return;
  double justering = 0, sving = 0;
  if (!GlobalIndstillinger.normsystem) {
    justering = SumNormJust(anfo, GetOpgPerFra(d, anfo), GetOpgPerTil(d, anfo));
    sving = GetBufTimSaldo(anfo, d);
  }
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t norm = 0;
  GetOpgPerMonths(d, anfo, &foerste, &sidste, &norm);
  const double justeret = norm + justering + sving;
  const int64_t maaneder = std::max<int64_t>(1, int64_t(sidste) - int64_t(foerste) + 1);
  const int64_t gaaet = std::max<int64_t>(1, int64_t(MaanedTilIndeks(d / 100)) - int64_t(foerste) + 1);
  const double normD = justeret / static_cast<double>(maaneder) * static_cast<double>(gaaet);
  const double resultat = aktuel + rest - normD;
  *y -= 10;
  PdfTekst(side, 40, *y, FeltTekst(m->Initialer, sizeof m->Initialer).c_str());
  PdfTekst(side, 70, *y, ("- " + FeltTekst(a->Loebenummer, sizeof a->Loebenummer)).c_str());
  PdfTekst(side, 130, *y, FeltTekst(m->Navn, sizeof m->Navn).c_str());
  char b[64];
  std::snprintf(b, sizeof b, "%0.2f", normD);
  PdfTekst(side, 270, *y, b);
  if (plan > 0) PdfHoejre(side, 385, *y, PdfKomma(plan).c_str());
  if (aktuel > 0) PdfHoejre(side, 445, *y, PdfKomma(aktuel).c_str());
  if (rest > 0) PdfHoejre(side, 505, *y, PdfKomma(rest).c_str());
  PdfHoejre(side, 555, *y, PdfKomma(resultat).c_str());
}

}  // namespace

Dato PlanNormMaanedsSlut(uint32_t indtastet) {
  const Dato d = GyldigDato(indtastet) ? SidsteDatoIMaaned(indtastet / 100)
                 : indtastet % 100 >= 1 && indtastet % 100 <= 12 && indtastet >= 100 && indtastet <= 999912
                     ? SidsteDatoIMaaned(indtastet)
                     : 0;
  return GyldigDato(d) ? d : 0;
}

int PrintPlanNormOpfolgning(const std::vector<uint32_t> &anfoListe, Dato d) {
  PdfDokument dok;
  if (!dok.Doc) {
    VisPdfFejl();
    return 1;
  }
  float y = 0;
  NyPdfSide(dok, &y);
  y -= kKropStart;
  for (uint32_t anfo : anfoListe) {
    if (NyPdfSide(dok, &y)) y -= kKropStart;
    if (dok.Fejlet()) break;
    std::vector<PlanOpfPost> poster = PlanOpfPoster(anfo, GetOpgPerFra(d, anfo), d, d, false);
    SorterPlanPoster(poster, true);
    double plan = 0, aktuel = 0, rest = 0;
    for (const PlanOpfLinje &l : PlanOpfLinjer(poster)) {
      const double held = l.AktuelFoer + l.AktuelEfter;
      plan += l.PlanTotal;
      aktuel += held;
      if (l.PlanTotal - held > 0) rest += l.PlanTotal - held;
    }
    PlanNormLinie(dok.Side(), &y, d, anfo, plan, aktuel, rest);
  }
  PdfSidefod(dok, "TAVO plan-/norm opfølgning");
  for (HPDF_Page p : dok.pageliste) PlanNormHoved(dok, p, d);
  if (dok.Fejlet()) {
    VisPdfFejl();
    return 1;
  }
  return GemOgAabnPdf(dok, 0);
}

INT_PTR CALLBACK PlanNormDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      auto *valg = reinterpret_cast<UdskrivValgRec *>(lParam);
      HWND liste = GetDlgItem(hDlg, IDC_PLANUDSK_LISTE);
      FyldAnfoListe(liste);
      SetDlgItemInt(hDlg, IDC_PLANUDSK_PERDATO, valg->Fra, FALSE);
      const int antal = static_cast<int>(SendMessageA(liste, LB_GETCOUNT, 0, 0));
      for (int i = 0; i < antal; ++i) {
        char b[400] = "";
        if (SendMessageA(liste, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof b)) continue;
        SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
        const char *p = std::strrchr(b, ' ');
        if (p && PlanVindueGruppensAnfo(static_cast<uint32_t>(std::strtoul(p + 1, nullptr, 10))))
          SendMessageA(liste, LB_SETSEL, TRUE, i);
      }
      VaelgAnfoIListe(liste, tvanfo.AktuelRec);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PLANUDSK_LISTE && HIWORD(wParam) == LBN_SELCHANGE) {
        // Without Ctrl a click chooses one employment; with it the choice grows.
        if (GetKeyState(VK_CONTROL) >= 0) {
          HWND liste = GetDlgItem(hDlg, IDC_PLANUDSK_LISTE);
          const LRESULT caret = SendMessageA(liste, LB_GETCARETINDEX, 0, 0);
          SendMessageA(liste, LB_SETSEL, FALSE, -1);
          if (caret >= 0) SendMessageA(liste, LB_SETSEL, TRUE, caret);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        auto *valg = reinterpret_cast<UdskrivValgRec *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
        const Dato d = PlanNormMaanedsSlut(LaesDatoFelt(hDlg, IDC_PLANUDSK_PERDATO));
        if (!d) {
          MarkerFelt(hDlg, IDC_PLANUDSK_PERDATO);
          return TRUE;
        }
        valg->Til = d;
        valg->Anfo = ValgteAnfo(GetDlgItem(hDlg, IDC_PLANUDSK_LISTE));
        EndDialog(hDlg, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void PlanNormKommando(HWND hoved, UINT, LPARAM) {
  UdskrivValgRec valg;
  valg.Fra = SkemaPeriode.AktuelDato / 100;
  VentPaaPlanBeregninger(hoved);
  DeleteOldPdfFiles();
  RegistrerPlanUdskrivDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_PLANNORM), hoved, PlanNormDlgProc, reinterpret_cast<LPARAM>(&valg)) != 1)
    return;
  PrintPlanNormOpfolgning(valg.Anfo, valg.Til);
}
