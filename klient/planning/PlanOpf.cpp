// The plan follow-up report. Its figures are the plan follow-up's own
// (PlanOpfTal), which the staff figures of the plan use too, so the report
// and the plan window always agree.
#include "PlanOpf.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "PlanOpfTal.h"
#include "RECPRED.h"
#include "Udskrivning.h"
#include "planudskrivdlg.h"

namespace {

// The body starts this far below a page's top.
constexpr float kKropStart = 135;

void PlanOpfBoks(HPDF_Page side, float y, Dato d, uint32_t anfo, const PlanOpfSum &sum) {
  double justering = 0, sving = 0;
  if (!GlobalIndstillinger.normsystem) {
    justering = SumNormJust(anfo, GetOpgPerFra(d, anfo), GetOpgPerTil(d, anfo));
    sving = GetBufTimSaldo(anfo, d);
  }
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t norm = 0;
  GetOpgPerMonths(d, anfo, &foerste, &sidste, &norm);
  const double justeret = norm + justering + sving;
  const double ialt = sum.AktuelFoer + sum.AktuelEfter + std::max(0.0, sum.Rest);
  const struct {
    const char *tekst;
    double vaerdi;
  } linjer[] = {{"Justeret norm:", justeret},
                {"Faktiske før pr. dato:", sum.AktuelFoer},
                {"Faktiske efter pr. dato:", sum.AktuelEfter},
                {"Plan rest efter pr. dato:", sum.Rest},
                {"Ialt i perioden:", ialt},
                {"Over-/undertimer i perioden:", ialt - justeret}};
  for (const auto &l : linjer) {
    PdfTekst(side, 320, y, l.tekst);
    PdfHoejre(side, 495, y, PdfKomma(l.vaerdi).c_str());
    y -= 11;
  }
}

void PlanOpfHoved(PdfDokument &dok, HPDF_Page side, const PlanOpfValgRec &valg, uint32_t anfo, Dato fra, Dato til,
                  const PlanOpfSum &sum) {
  float y = HPDF_Page_GetHeight(side) - 40;
  PdfLogo(dok, side, y);
  PdfSkriftstoerrelse(dok, side, 12);
  const std::string titel =
      std::string("TAVO planopfølgning for medarbejder") + (valg.Lektioner ? " (i Lektioner)" : " (i Timer)");
  PdfCentreret(side, y, titel.c_str());
  PdfSkriftstoerrelse(dok, side, 10);
  y -= 30;
  std::vector<std::string> linjer;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  const MedaRec *m = a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
  if (anfo && a && m) {
    linjer.push_back("Ansættelsesforhold: " + FeltTekst(m->Initialer, sizeof m->Initialer) + " - " +
                     FeltTekst(a->Loebenummer, sizeof a->Loebenummer));
    linjer.push_back("Navn: " + FeltTekst(m->Navn, sizeof m->Navn));
  }
  linjer.push_back("");
  linjer.push_back(std::string("Opgørelsesperiode: ") + DatoPeriodeTekst(fra, til));
  linjer.push_back("Pr. dato: " + PdfDato(valg.PerDato));
  float ly = y;
  for (const std::string &l : linjer) {
    if (!l.empty()) PdfTekst(side, 40, ly, l.c_str());
    ly -= 10;
  }
  if (!valg.Lektioner) PlanOpfBoks(side, y, valg.PerDato, anfo, sum);
  y -= 85;
  static const PdfOverskrift overskrifter[] = {
      {40, "", "Aktivitet", 125},          {130, "Skole-", "fag", 165},
      {170, "", "N", 185},                 {190, "Kort", "betegnelse", 315},
      {320, "", "Plan Total", 375},        {380, "Faktiske før", "pr dato", 430},
      {435, "Faktiske efter", "pr dato", 495}, {500, "Plan rest", "efter pr dato", 555}};
  PdfOverskrifter(side, y, overskrifter);
}

void Beloeb(HPDF_Page side, float slut, float y, double v, bool altid) {
  if (altid || v > 0) PdfHoejre(side, slut, y, PdfKomma(v).c_str());
}

}  // namespace

int PrintPlanOpfEmployee(uint32_t anfo, const PlanOpfValgRec &valg) {
  PdfDokument dok;
  if (!dok.Doc) {
    VisPdfFejl();
    return 1;
  }
  Dato fra = valg.Fra, til = valg.Til;
  if (!fra) {
    fra = GetOpgPerFra(valg.PerDato, anfo);
    til = GetOpgPerTil(valg.PerDato, anfo);
  }
  std::vector<PlanOpfPost> poster = PlanOpfPoster(anfo, fra, til, valg.PerDato, valg.Lektioner);
  SorterPlanPoster(poster, true);
  const std::vector<PlanOpfLinje> linjer = PlanOpfLinjer(poster);
  const PlanOpfSum sum = PlanOpfSummer(linjer);

  float y = 0;
  NyPdfSide(dok, &y);
  y -= kKropStart;
  double total[4] = {0, 0, 0, 0};
  for (const PlanOpfLinje &l : linjer) {
    if (NyPdfSide(dok, &y)) y -= kKropStart;
    if (dok.Fejlet()) break;
    if (l.Tom()) continue;
    y -= 10;
    HPDF_Page side = dok.Side();
    const AktiRec *a = l.akti ? TabRec<AktiRec>(tvakti, l.akti) : nullptr;
    const SkfaRec *s = l.skfa ? TabRec<SkfaRec>(tvskfa, l.skfa) : nullptr;
    PdfTekst(side, 40, y, a ? FeltTekst(a->Aktivitet, sizeof a->Aktivitet).c_str() : "");
    PdfTekst(side, 130, y, s ? FeltTekst(s->Skolefag, sizeof s->Skolefag).c_str() : "");
    const char niveau[2] = {s ? s->Niveau : '\0', '\0'};
    PdfTekst(side, 170, y, niveau);
    const std::string betegnelse = l.Art == 'R'   ? "(RETTE ARB)"
                                   : l.Art == 'E' ? "(EKSAMES ARB)"
                                   : s            ? FeltTekst(s->Betegnelse, sizeof s->Betegnelse)
                                                  : "";
    PdfTekst(side, 190, y, betegnelse.c_str());
    const double v[4] = {l.PlanTotal, l.AktuelFoer, l.AktuelEfter, l.Rest()};
    const float slut[4] = {375, 430, 495, 555};
    for (int k = 0; k < 4; ++k) {
      Beloeb(side, slut[k], y, v[k], false);
      total[k] += v[k];
    }
  }
  // The total line needs 22 points above the bottom margin.
  if (y - 22 < kPdfBundY - 10) {
    y = 0;
    NyPdfSide(dok, &y);
    y -= kKropStart;
  }
  y -= 12;
  HPDF_Page side = dok.Side();
  const float fra_[4] = {320, 380, 435, 500}, slut[4] = {375, 430, 495, 555};
  for (int k = 0; k < 4; ++k) PdfLinje(side, fra_[k], slut[k], y);
  PdfTekst(side, 40, y - 10, "Total:");
  for (int k = 0; k < 4; ++k) Beloeb(side, slut[k], y - 10, total[k], true);

  PdfSidefod(dok, "TAVO planopfølgning");
  for (HPDF_Page p : dok.pageliste) PlanOpfHoved(dok, p, valg, anfo, fra, til, sum);
  if (dok.Fejlet()) {
    VisPdfFejl();
    return 1;
  }
  return GemOgAabnPdf(dok, anfo);
}

namespace {

HBRUSH GulPensel() {
  static HBRUSH pensel = CreateSolidBrush(RGB(255, 255, 0));
  return pensel;
}

}  // namespace

INT_PTR CALLBACK PlanOpfDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      auto *valg = reinterpret_cast<PlanOpfValgRec *>(lParam);
      FyldAnfoListe(GetDlgItem(hDlg, IDC_PLANUDSK_LISTE));
      SetDlgItemInt(hDlg, IDC_PLANUDSK_PERDATO, valg->PerDato, FALSE);
      CheckDlgButton(hDlg, IDC_PLANUDSK_LEKTIONER, valg->Lektioner ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
      if (static_cast<HWND>(lParam) == GetDlgItem(hDlg, IDC_PLANUDSK_PERDATO)) {
        SetBkColor(static_cast<HDC>(wParam), RGB(255, 255, 0));
        return static_cast<INT_PTR>(GulPensel());
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto *valg = reinterpret_cast<PlanOpfValgRec *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
        const Dato perDato = LaesDatoFelt(hDlg, IDC_PLANUDSK_PERDATO);
        const Dato fra = LaesDatoFelt(hDlg, IDC_PLANUDSK_FRA), til = LaesDatoFelt(hDlg, IDC_PLANUDSK_TIL);
        if (!GyldigDato(perDato)) {
          MarkerFelt(hDlg, IDC_PLANUDSK_PERDATO);
          return TRUE;
        }
        if (fra && !GyldigDato(fra)) {
          MarkerFelt(hDlg, IDC_PLANUDSK_FRA);
          return TRUE;
        }
        if (til && !GyldigDato(til)) {
          MarkerFelt(hDlg, IDC_PLANUDSK_TIL);
          return TRUE;
        }
        valg->PerDato = perDato;
        valg->Fra = fra;
        valg->Til = til;
        valg->Lektioner = IsDlgButtonChecked(hDlg, IDC_PLANUDSK_LEKTIONER) == BST_CHECKED;
        valg->Anfo = ValgteAnfo(GetDlgItem(hDlg, IDC_PLANUDSK_LISTE));
        EndDialog(hDlg, 1);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        // The lesson choice is kept also when the dialog is cancelled.
        auto *valg = reinterpret_cast<PlanOpfValgRec *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
        valg->Lektioner = IsDlgButtonChecked(hDlg, IDC_PLANUDSK_LEKTIONER) == BST_CHECKED;
        EndDialog(hDlg, 2);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void PrintPlanOpfolgning(HWND hoved, bool opgPeriode) {
  VentPaaPlanBeregninger(hoved);
  DeleteOldPdfFiles();
  PlanOpfValgRec valg;
  valg.PerDato = SkemaPeriode.AktuelDato;
  valg.Lektioner = LaesLektionsvalg();
  RegistrerPlanUdskrivDialoger();
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCE(opgPeriode ? IDD_PLANOPF_OPG : IDD_PLANOPF), hoved,
                                       PlanOpfDlgProc, reinterpret_cast<LPARAM>(&valg));
  if (svar == 1)
    for (uint32_t anfo : valg.Anfo) PrintPlanOpfEmployee(anfo, valg);
  GemLektionsvalg(valg.Lektioner);
}

void PlanOpfKommando(HWND hoved, UINT id, LPARAM) { PrintPlanOpfolgning(hoved, id == 40279); }
