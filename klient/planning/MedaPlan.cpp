// The employee plan report and the kladdeplan. The kladdeplan gets each
// employee's table appended; the file is rewritten whole through the
// crash-safe save, so a failed write never leaves half a table.
#include "MedaPlan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CSVCELLE.h"
#include "FF_PlanFyld.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "Udskrivning.h"
#include "UdskrivValg.h"
#include "planudskrivdlg.h"

char KladdeplanSti[kStiLaengde] = "";

namespace {

const float kKol[] = {40, 130, 200, 240, 255, 330, 350, 410, 470, 520, 570};

void KladdeTekstCelle(std::string &csv, const std::string &tekst) { CsvCelle(csv, tekst.c_str(), false); }

constexpr const char *kNy = "\r\n";

float PostTimer(const PlanTabPost &p) { return p.PlanUndervisning + p.PlanTimer + p.PlanRettearbejde + p.PlanEksamen; }
double PostTotal(const PlanTabPost &p) { return static_cast<double>(p.PlanLektioner) + PostTimer(p); }

struct Linje {
  PlanTabPost Foerste;
  int64_t Lektioner = 0;  // tenths
  double Timer[4] = {0, 0, 0, 0};
  double TimerIalt() const { return Timer[0] + Timer[1] + Timer[2] + Timer[3]; }
};

void LaegTil(Linje &l, const PlanTabPost &p) {
  l.Lektioner += p.PlanLektioner;
  l.Timer[0] += p.PlanUndervisning;
  l.Timer[1] += p.PlanTimer;
  l.Timer[2] += p.PlanRettearbejde;
  l.Timer[3] += p.PlanEksamen;
}

struct Rapport {
  PdfDokument dok;
  std::string csv;
  uint32_t anfo = 0;
  Dato fra = 0, til = 0;
};

// The page head; y for the first line less 10.
float MedaPlanHoved(Rapport &r, bool medCsv) {
  float y = 0;
  NyPdfSide(r.dok, &y);
  HPDF_Page side = r.dok.Side();
  std::string csv;
  PdfSkriftstoerrelse(r.dok, side, 14);
  PdfLogo(r.dok, side, y);
  PdfCentreret(side, y, "TAVO plan for medarbejder");
  KladdeTekstCelle(csv, "TAVO plan for medarbejder");
  csv += kNy;
  PdfSkriftstoerrelse(r.dok, side, 10);
  if (side) {
    HPDF_Page_SetTextLeading(side, 10);
    HPDF_Page_SetLineWidth(side, 0.8f);
  }
  y -= 30;
  std::vector<std::pair<std::string, bool>> linjer;
  linjer.push_back({std::string("Periode: ") + DatoPeriodeTekst(r.fra, r.til), true});
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, r.anfo);
  const MedaRec *m = a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
  if (r.anfo && a && m) {
    linjer.push_back({"Ansættelsesforhold: " + FeltTekst(m->Initialer, sizeof m->Initialer) + " - " +
                          FeltTekst(a->Loebenummer, sizeof a->Loebenummer),
                      true});
    linjer.push_back({"Navn: " + FeltTekst(m->Navn, sizeof m->Navn), true});
  }
  linjer.push_back({"", false});
  linjer.push_back({std::string("Opgørelsesperiode: ") +
                        DatoPeriodeTekst(GetOpgPerFra(r.fra, r.anfo), GetOpgPerTil(r.fra, r.anfo)),
                    true});
  float ly = y;
  for (const auto &l : linjer) {
    if (!l.first.empty()) PdfTekst(side, 40, ly, l.first.c_str());
    if (l.second) {
      KladdeTekstCelle(csv, l.first);
      csv += kNy;
    }
    ly -= 10;
  }
  csv += kNy;
  y -= 65;
  static const PdfOverskrift overskrifter[] = {
      {40, "Aktiviteter/", "planaktiviteter", 195}, {200, "Skole-", "fag", 325}, {240, "", "N", 0},
      {330, "Ty-", "pe", 345}, {350, "Gyldig", "fra", 405}, {410, "Gyldig", "til", 465},
      {470, "Lek-", "tioner", 515}, {520, "Arbejds-", "timer", 565}};
  PdfOverskrifter(side, y, overskrifter);
  const char *celler[] = {"Aktiviteter/planaktiviteter", "Betegnelse", "Skolefag", "Niveau", "Betegnelse",
                          "Type", "Gyldig fra", "Gyldig til", "Lektioner", "Arbejdstimer"};
  for (size_t i = 0; i < std::size(celler); ++i) {
    if (i) csv += '\t';
    KladdeTekstCelle(csv, celler[i]);
  }
  csv += kNy;
  if (medCsv) r.csv += csv;
  return y - 20;
}

void MedaPlanBeloeb(Rapport &r, const Linje &l, float y) {
  HPDF_Page side = r.dok.Side();
  if (l.Lektioner != 0) {
    char b[32];
    std::snprintf(b, sizeof b, "%ld", static_cast<long>(l.Lektioner / 10));
    PdfHoejre(side, kKol[9] - 5, y, b);
    r.csv += b;
  }
  r.csv += '\t';
  if (l.TimerIalt() > 0) {
    const std::string t = PdfKomma(l.TimerIalt());
    PdfHoejre(side, kKol[10] - 5, y, t.c_str());
    r.csv += t;
  }
  r.csv += kNy;
}

void LinjeTekster(Rapport &r, const PlanTabPost &p, float y) {
  HPDF_Page side = r.dok.Side();
  const AktiRec *a = p.akti ? TabRec<AktiRec>(tvakti, p.akti) : nullptr;
  const SkfaRec *s = p.skfa ? TabRec<SkfaRec>(tvskfa, p.skfa) : nullptr;
  const std::string aktivitet = a ? FeltTekst(a->Aktivitet, sizeof a->Aktivitet) : "";
  const std::string kort = a ? FeltTekst(a->Kort_betegnelse, 15) : "";
  const std::string fag = s ? FeltTekst(s->Skolefag, sizeof s->Skolefag) : "";
  const std::string niveau = s && s->Niveau ? std::string(1, s->Niveau) : "";
  const std::string betegnelse = s ? FeltTekst(s->Betegnelse, 14) : "";
  const std::string art = p.Art ? std::string(1, static_cast<char>(p.Art)) : "";
  const std::string fradato = a ? PdfDato(a->Fradato) : "";
  const std::string tildato = a ? PdfDato(a->Tildato) : "";
  struct Celle {
    const std::string &tekst;
    bool altid;
  } const celler[] = {{aktivitet, true}, {kort, true}, {fag, false},    {niveau, false},
                      {betegnelse, false}, {art, false}, {fradato, true}, {tildato, true}};
  for (size_t i = 0; i < std::size(celler); ++i) {
    PdfTekst(side, kKol[i], y, celler[i].tekst.c_str());
    if (celler[i].altid || !celler[i].tekst.empty()) KladdeTekstCelle(r.csv, celler[i].tekst);
    r.csv += '\t';
  }
}

void MedaPlanTotal(Rapport &r, int64_t lektioner, double timer, float y) {
  HPDF_Page side = r.dok.Side();
  PdfLinje(side, 470, 515, y);
  PdfLinje(side, 520, 565, y);
  PdfTekst(side, 40, y - 10, "Total:");
  if (lektioner > 0) {
    char b[32];
    std::snprintf(b, sizeof b, "%ld", static_cast<long>(lektioner / 10));
    PdfHoejre(side, 515, y - 10, b);
  }
  if (timer > 0) PdfHoejre(side, 565, y - 10, PdfKomma(timer).c_str());
}

void MedaPlanOpgoerelse(Rapport &r, Dato d, double timer, float y) {
  HPDF_Page side = r.dok.Side();
  double justering = 0, sving = 0;
  if (!GlobalIndstillinger.normsystem) {
    justering = SumNormJust(r.anfo, GetOpgPerFra(d, r.anfo), GetOpgPerTil(d, r.anfo));
    sving = GetBufTimSaldo(r.anfo, d);
  }
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t norm = 0;
  GetOpgPerMonths(d, r.anfo, &foerste, &sidste, &norm);
  const double faktisk = norm + justering + sving;
  y -= 25;
  PdfTekst(side, 40, y, "Opgørelse");
  PdfTekst(side, 255, y, "Timer");
  PdfLinje(side, 40, 250, y - 5);
  PdfLinje(side, 255, 325, y - 5);
  y -= 20;
  PdfTekst(side, 40, y, "Arbejdstimer i alt");
  PdfHoejre(side, 325, y, PdfKomma(timer).c_str());
  const struct {
    const char *tekst;
    double vaerdi;
  } norminger[] = {{"Årsnorm", static_cast<double>(norm)}, {"Normjustering", justering}, {"Sving", sving}};
  for (const auto &n : norminger) {
    y -= 11;
    PdfTekst(side, 40, y, n.tekst);
    PdfHoejre(side, 235, y, PdfKomma(n.vaerdi).c_str());
  }
  y -= 11;
  PdfTekst(side, 40, y, "Faktisk årsnorm");
  PdfHoejre(side, 325, y, PdfKomma(faktisk).c_str());
  PdfLinje(side, 255, 325, y - 3);
  y -= 14;
  PdfTekst(side, 40, y, "Over-/undertimer i perioden");
  PdfHoejre(side, 325, y, PdfKomma(timer - faktisk).c_str());
}

// The total line and the statement take this much below the last line.
constexpr float kTotalHoejde = 12 + 10 + 12 + 25 + 20 + 4 * 11 + 14;

// The kladdeplan as it was with this employee's table appended.
void SkrivKladde(const std::string &tilfoej) {
  const char *sti = KladdeplanSti;
  if (!*sti) return;
  std::string indhold;
  if (FILE *f = fopen(sti, "rb")) {
    char buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) indhold.append(buf, n);
    std::fclose(f);
  }
  indhold += tilfoej;
  GemFil fil;
  if (!fil.Aabn(sti) || !fil.Skriv(indhold.data(), indhold.size()) || !fil.Luk())
    std::printf("** Fejl: kladdeplanen %s kunne ikke skrives\n", sti);
}

}  // namespace

void VaelgKladdeplanFil(HWND ejer) {
  char dokumenter[MAX_PATH] = "";
  std::string mappe;
  if (SUCCEEDED(SHGetFolderPathA(ejer, CSIDL_PERSONAL, 0, 0, dokumenter)) && *dokumenter)
    mappe = dokumenter;
  else
    mappe = std::string(StiTab.szdata) + "log";
  char fil[kStiLaengde];
  std::snprintf(fil, sizeof fil, "%s\\kladdeplan.csv", mappe.c_str());
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = ejer;
  ofn.lpstrFilter = "Kladdeplan Csv fil (*.csv)\0*.csv\0";
  ofn.lpstrFile = fil;
  ofn.nMaxFile = sizeof fil;
  ofn.lpstrInitialDir = mappe.c_str();
  ofn.lpstrTitle = "Gem kladdeplan csv fil";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  ofn.lpstrDefExt = "csv";
  if (GetSaveFileNameA(&ofn))
    std::snprintf(KladdeplanSti, sizeof KladdeplanSti, "%s", fil);
  else
    std::snprintf(KladdeplanSti, sizeof KladdeplanSti, "%slog\\kladdeplan.csv", StiTab.szdata);
}

const char *KladdeplanFilNavn(HWND ejer) {
  if (!*KladdeplanSti) VaelgKladdeplanFil(ejer);
  return KladdeplanSti;
}

int PrintMedaPlan(uint32_t anfo, Dato fra, Dato til) {
  Rapport r;
  if (!r.dok.Doc) {
    VisPdfFejl();
    return 1;
  }
  r.anfo = anfo;
  r.fra = fra;
  r.til = til;
  KladdeplanFilNavn(hwndHoved);
  const Dato opgTil = GetOpgPerTil(fra, anfo);
  const Dato slut = opgTil ? std::min(til, opgTil) : til;
  const uint32_t fraUge = PlanUgeIndeks(fra), tilUge = PlanUgeIndeks(slut);

  float y = MedaPlanHoved(r, true);
  std::vector<PlanTabPost> poster;
  for (const PlanTabPost &p : AnfoPlanPoster(anfo))
    if (p.UgeIdx >= fraUge && p.UgeIdx <= tilUge && PostTotal(p) != 0) poster.push_back(p);
  SorterPlanPoster(poster, false);

  int64_t lektionerIalt = 0;
  double timerIalt = 0;
  bool foerste = true;
  Linje linje;
  for (size_t i = 0; i < poster.size() && !r.dok.Fejlet(); ++i) {
    const PlanTabPost &p = poster[i];
    if (foerste || !SammeLinje(p, linje.Foerste)) {
      if (!foerste) {
        if (linje.Lektioner + linje.TimerIalt() > 0)
          MedaPlanBeloeb(r, linje, y);
        else
          r.csv += std::string("\t") + kNy;
      }
      // The line's sum decides whether it gets texts; all its entries count.
      Linje ny;
      ny.Foerste = p;
      for (size_t j = i; j < poster.size() && SammeLinje(poster[j], p); ++j) LaegTil(ny, poster[j]);
      const bool tekster = static_cast<double>(ny.Lektioner) + ny.TimerIalt() != 0;
      linje = Linje();
      linje.Foerste = p;
      foerste = false;
      y -= 10;
      if (y < 50) y = MedaPlanHoved(r, true) - 10;
      if (tekster) LinjeTekster(r, p, y);
    }
    LaegTil(linje, p);
    lektionerIalt += p.PlanLektioner;
    timerIalt += PostTimer(p);
  }
  if (!foerste) MedaPlanBeloeb(r, linje, y);
  if (y - kTotalHoejde < 50) y = MedaPlanHoved(r, false) + 10;
  y -= 12;
  MedaPlanTotal(r, lektionerIalt, timerIalt, y);
  y -= 12;
  MedaPlanOpgoerelse(r, slut, timerIalt, y);
  PdfSidefod(r.dok, "TAVO-plan", "Pelago+");
  if (r.dok.Fejlet()) {
    VisPdfFejl();
    return 1;
  }
  const int udfald = GemOgAabnPdf(r.dok, anfo);
  r.csv += kNy;
  r.csv += kNy;
  SkrivKladde(r.csv);
  return udfald;
}

INT_PTR CALLBACK MedaPlanDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      auto *valg = reinterpret_cast<UdskrivValgRec *>(lParam);
      FyldAnfoListe(GetDlgItem(hDlg, IDC_PLANUDSK_LISTE));
      SetDlgItemInt(hDlg, IDC_PLANUDSK_FRA, valg->Fra, FALSE);
      SetDlgItemInt(hDlg, IDC_PLANUDSK_TIL, valg->Til, FALSE);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto *valg = reinterpret_cast<UdskrivValgRec *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
        const Dato fra = LaesDatoFelt(hDlg, IDC_PLANUDSK_FRA), til = LaesDatoFelt(hDlg, IDC_PLANUDSK_TIL);
        if (!GyldigDato(fra)) {
          MarkerFelt(hDlg, IDC_PLANUDSK_FRA);
          return TRUE;
        }
        if (!GyldigDato(til)) {
          MarkerFelt(hDlg, IDC_PLANUDSK_TIL);
          return TRUE;
        }
        valg->Fra = fra;
        valg->Til = til;
        valg->Anfo = ValgteAnfo(GetDlgItem(hDlg, IDC_PLANUDSK_LISTE));
        GemSlet(KladdeplanFilNavn(hDlg));
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

void MedaPlanKommando(HWND hoved, UINT, LPARAM) {
  DeleteOldPdfFiles();
  VentPaaPlanBeregninger(hoved);
  UdskrivValgRec valg;
  if (!PlanVinduePeriode(&valg.Fra, &valg.Til)) {
    const uint32_t aar = SkemaPeriode.AktuelDato / 10000;
    valg.Fra = aar * 10000 + 101;
    valg.Til = aar * 10000 + 1231;
  }
  RegistrerPlanUdskrivDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCE(IDD_MEDAPLAN), hoved, MedaPlanDlgProc, reinterpret_cast<LPARAM>(&valg)) !=
      1)
    return;
  for (uint32_t anfo : valg.Anfo) PrintMedaPlan(anfo, valg.Fra, valg.Til);
}
