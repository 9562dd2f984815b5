// The planning module's passes over the large made-up school and its plan:
// the row figures that the plan window recomputes whenever it opens or
// reloads (scheduled hours of the activity and subject rows, the totals of
// every row, the staff figures of the group's employments), against one
// plain pass over the plan's rows, the group's event rows and the
// postings, reading the fields the figures read; the subject distribution
// against a plain pass over the same event rows and fagelv records, with the
// memory it adds at its peak against the data folder's size; and the plan
// jobs' recount against the same counts called directly, against a plain
// pass over what they read, and for ten requests in a row; and the load of
// the plan against one plain pass over the records it reads. Each pair is
// measured side by side in one run; each figure is the best of several
// rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "DATO.h"
#include "ENS.h"
#include "FARVER.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "INDSTIL.h"
#include "ImpBehandl.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "NYBUTTON.h"
#include "PLAN.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "RELAY.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SKOLEDATA.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TAVOTB.h"
#include "TOOLTIP.h"

namespace {

using Klok = std::chrono::steady_clock;

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_plan: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 9;

template <class F>
double Bedst1(F f) {
  const auto t0 = Klok::now();
  f();
  return std::chrono::duration<double, std::milli>(Klok::now() - t0).count();
}

// The plan of one group as the window holds it: the group's live rows with
// their week and plan-period entries, and the heading sums.
void LaesPlan(Plan *plan, uint32_t gruppe, uint32_t *gruppeTab) {
  const FfpgRec *g = TabRec<FfpgRec>(tvffpg, gruppe);
  AllokerPlanTabeller(plan);
  plan->AktPlanGruppe = gruppe;
  plan->Fradato = g->Fradato;
  plan->Tildato = g->Tildato;
  plan->VisSkeLekt = g->VisSkeLekt;
  plan->Visning = 'A';
  gruppeTab[1] = gruppe;
  plan->StyrZ.ObjTab = gruppeTab;
  plan->StyrZ.Pos.Antal = 1;
  LavPeriodeTab(plan, gruppe);
  std::vector<uint32_t> raekkeAf(tvffgrund.wRecCnt, 0);
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *r = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(r->Status) || r->ffpg_id != gruppe) continue;
    const uint32_t raekke = NyPlanRaekke(plan, r, 0, false);
    plan->GrundTab[raekke].GrundRec = n;
    raekkeAf[n] = raekke;
  }
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    const uint32_t g2 = t->ffgrund_id;
    if (!PlanRecIBrug(t->Status) || g2 >= raekkeAf.size() || !raekkeAf[g2]) continue;
    const uint32_t u = UgeTilIndeks(t->Uge);
    if (u < 1 || u > plan->UgeAntal) continue;
    TalPost &e = plan->GrundTab[raekkeAf[g2]].TalTab[u];
    e.TalRec = n;
    e.Lektioner = static_cast<int32_t>(t->Lektioner);
    e.Timer = t->Timer;
    e.PlanStatus = t->PlanStatus;
    e.RetStatus = t->RetStatus;
    e.EksStatus = t->EksStatus;
    e.Rettearbejd = t->Rettearbejd;
    e.Eksametid = t->Eksametid;
    e.Elevtid = t->Elevtid;
    e.ElevAntal = t->ElevAntal;
    e.Ejer = t->Ejer;
  }
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    for (uint32_t u = 1; u <= plan->UgeAntal; ++u)
      if (plan->GrundTab[r].TalTab[u].Lektioner) BeregnUgeTimer(plan, u, r, plan->GrundTab[r].TalTab[u].Lektioner);
  OpretOverskrifter(plan);
}

// The plain pass: each row's weeks, the group's event rows and every
// posting, reading what the figures read.
double Gennemgang(const Plan *plan) {
  double sum = 0.0;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    sum += g.Aktivitet + g.Skolefag + g.Medarbejder1;
    for (uint32_t u = 1; u <= plan->UgeAntal; ++u) {
      const TalPost &t = g.TalTab[u];
      sum += t.Lektioner + t.Timer1 + t.Timer + t.PostTimer + t.Rettearbejd + t.Eksametid + t.Elevtid;
    }
  }
  const uint32_t fra = std::max(PlanUgeIndeks(plan->Fradato), 1u);
  const uint32_t til = std::min(PlanUgeIndeks(plan->Tildato), SkemaPeriode.AntalUger);
  for (uint32_t u = fra; u <= til; ++u) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(u));
    if (!b || !b->pbTab) continue;
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40)
        sum += rk[i].akti_id + rk[i].anfo_id + rk[i].skfa_id + rk[i].skemarol_id + rk[i].Antal_std_lektioner +
               rk[i].Dag;
  }
  for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(mi));
    if (!b || !b->pbTab) continue;
    const TimoakRaekke *rk = reinterpret_cast<const TimoakRaekke *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40) sum += rk[i].Timer + rk[i].anfo_id + rk[i].akti_id + rk[i].Type;
  }
  return sum;
}

// Resident and peak resident memory of the process in kB.
long Status(const char *felt) {
  std::ifstream f("/proc/self/status");
  std::string linje;
  while (std::getline(f, linje))
    if (linje.rfind(felt, 0) == 0) return atol(linje.c_str() + strlen(felt));
  return -1;
}

// Starts a new peak from the present size (Linux clears the peak on "5").
void NulstilTop() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
}

uint64_t MappeStoerrelse(const std::filesystem::path &mappe) {
  uint64_t n = 0;
  std::error_code ec;
  for (auto &e : std::filesystem::recursive_directory_iterator(mappe, ec))
    if (e.is_regular_file()) n += e.file_size();
  return n;
}

// The plain pass of the subject distribution: the event rows of the weeks
// before the group and every fagelv record.
double FagGennemgang(const Plan *plan) {
  double sum = 0.0;
  const uint32_t til = std::min(PlanUgeIndeks(plan->Fradato), SkemaPeriode.AntalUger);
  for (uint32_t u = 1; u <= til; ++u) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(u));
    if (!b || !b->pbTab) continue;
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40) sum += rk[i].akti_id + rk[i].anfo_id + rk[i].skfa_id;
  }
  for (uint32_t n = 1; n < tvfagelv.wRecCnt; ++n) {
    const FagelvRec *f = TabRec<FagelvRec>(tvfagelv, n);
    sum += f->akti1_id + f->akti2_id + f->Faelles_Elever + f->Status;
  }
  return sum;
}

// The plain pass of the recount: every fftaltab record, the event rows and
// the postings, reading the fields the counts read.
double OptaelGennemgang() {
  double sum = 0.0;
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    sum += t->ffgrund_id + t->Uge + t->Lektioner + t->Timer + t->Rettearbejd + t->Eksametid + t->Status;
  }
  for (uint32_t u = 1; u <= SkemaPeriode.AntalUger; ++u) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(u));
    if (!b || !b->pbTab) continue;
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40)
        sum += rk[i].akti_id + rk[i].anfo_id + rk[i].skfa_id + rk[i].skemarol_id + rk[i].Minutnorm + rk[i].Dag +
               rk[i].Antal_std_lektioner;
  }
  for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(mi));
    if (!b || !b->pbTab) continue;
    const TimoakRaekke *rk = reinterpret_cast<const TimoakRaekke *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40) sum += rk[i].Timer + rk[i].anfo_id + rk[i].akti_id + rk[i].Type + rk[i].Dato;
  }
  return sum;
}

// The least a load must do: every ffgrund, fftaltab and ffpertab record
// and every posting read once, and the week records sorted by row and week.
double HentGennemgang() {
  double sum = 0.0;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    sum += g->ffpg_id + g->Aktivitet + g->Skolefag + g->Medarbejder1 + g->ObjType + g->Status;
  }
  std::vector<std::pair<uint64_t, uint32_t>> uger;
  uger.reserve(tvfftaltab.wRecCnt);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    sum += t->Lektioner + t->Timer + t->PlanStatus + t->Rettearbejd + t->Eksametid + t->Status;
    uger.push_back({(uint64_t(t->ffgrund_id) << 32) | t->Uge, n});
  }
  std::sort(uger.begin(), uger.end());
  sum += uger.empty() ? 0 : uger.front().second;
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, n);
    sum += p->ffgrund_id + p->ffpp_id + p->Lektioner + p->Timer + p->PlanStatus + p->Status;
  }
  for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(mi));
    if (!b || !b->pbTab) continue;
    const TimoakRaekke *rk = reinterpret_cast<const TimoakRaekke *>(b->pbTab);
    for (uint32_t i = 1; i < b->wRecCnt; ++i)
      if ((rk[i].Status & 0x48) == 0x40) sum += rk[i].Timer + rk[i].anfo_id + rk[i].akti_id + rk[i].Type + rk[i].Dato;
  }
  return sum;
}

// The recount's work without its thread and locks.
void OptaelDirekte(Plan *plan) {
  CountPlanTal();
  TagTalMutex();
  CountSkemaTal();
  CountTimoakTal();
  CountPlanTalMnd();
  SlipTalMutex();
  OpdaterOverUnder(plan);
}


// ---- The plan window's paint.

constexpr int kVinduB = 1280, kVinduH = 1024, kRaekkeH = 14;

// A window of the plan's five panes that paints them as the plan window
// does; the Plan comes as the create parameter.
LRESULT CALLBACK TegneVindue(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *plan = reinterpret_cast<Plan *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  switch (m) {
    case WM_CREATE: {
      plan = static_cast<Plan *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(plan));
      Ens &e = plan->Ens;
      e.hdc = GetDC(h);
      e.EgenRamme = 1;
      RECT rc;
      GetClientRect(h, &rc);
      e.Areal[0] = GetSystemMetrics(SM_CXFRAME);
      e.Areal[1] = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + kToolbarHoejde;
      e.Areal[2] = rc.right - 1 - GetSystemMetrics(SM_CXFRAME);
      e.Areal[3] = rc.bottom - 1 - GetSystemMetrics(SM_CYFRAME);
      e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
      e.KolHovedHoejde = 38;
      uint32_t v = 0, hr = 0;
      for (uint32_t c = 1; c <= plan->VenstreAntal; ++c) v += PlanKolonneBredde(plan, c, PLAN_OMR_VENSTRE) + 1;
      for (uint32_t c = 1; c <= plan->HoejreAntal; ++c) hr += PlanKolonneBredde(plan, c, PLAN_OMR_HOEJRE) + 1;
      e.RaekkeHovedBredde = v;
      e.HoejreBredde = hr;
      e.AkseY = GridAkse{0, kRaekkeH, 1, 0, 0};
      e.StyrX = &plan->StyrX.Pos;
      e.StyrY = &plan->StyrY.Pos;
      plan->hwndPlan = h;
      EnsCalcLayout(&e);
      static const uint32_t kToolbar[7] = {};
      EnsCreateChildren(&e, h, 0, kToolbar, TxtFont, true, true, nullptr);
      for (EnsDC &dc : e.dc)
        if (dc.hdc) SelectObject(dc.hdc, TxtFont);
      return 0;
    }
    case WM_SIZE:
      if (plan) PlanLayout(&plan->Ens, h, LOWORD(l), HIWORD(l), 0);
      return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

void Klasse(const char *navn, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  RegisterClassA(&wc);
}

// The cells of one whole paint of the plan, each filled, closed by two
// lines and given a figure through the plain drawing calls, as bench_paint
// paints its grid: the pages' rows by the widths of the columns shown,
// laid side by side on a bitmap of the window's size.
void GitterTegn(HDC dc, const std::vector<uint32_t> &raekker, const std::vector<int> &bredder, HBRUSH *brush,
                HPEN pen, HFONT font) {
  static const char *tal[] = {" 2", "3,5", "12", " 8", "1,50", "40"};
  HGDIOBJ gammelPen = SelectObject(dc, pen), gammelFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  uint32_t i = 0;
  for (uint32_t antal : raekker) {
    for (uint32_t r = 0; r < antal; ++r) {
      const int y = static_cast<int>(r) * kRaekkeH;
      int x = 0;
      for (int b : bredder) {
        RECT rc{x, y, x + b, y + kRaekkeH - 1};
        FillRect(dc, &rc, brush[i % 3]);
        SetTextColor(dc, i % 2 ? RGB(0, 0, 0) : RGB(0, 128, 0));
        const char *t = tal[i++ % 6];
        TextOutA(dc, x + b - 20, y + 1, t, static_cast<int>(strlen(t)));
        MoveToEx(dc, x + b, y, nullptr);
        LineTo(dc, x + b, y + kRaekkeH);
        MoveToEx(dc, x, y + kRaekkeH - 1, nullptr);
        LineTo(dc, x + b + 1, y + kRaekkeH - 1);
        x += b + 1;
      }
    }
  }
  SelectObject(dc, gammelPen);
  SelectObject(dc, gammelFont);
}

// The whole plan painted page by page as a user pages down through the
// rows, against the same cells painted plainly; prints the figures.
void MaalPlanTegning(Plan *plan, const std::string &mappe) {
  namespace fs = std::filesystem;
  const fs::path ini = fs::path(mappe) / "ini";
  std::error_code ec;
  fs::create_directories(ini, ec);
  for (const char *f : {"TavoSwt.ini", "tavo.pal"})
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources/orvane" / f, ini / f, fs::copy_options::overwrite_existing, ec);
  for (const char *f : {"Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf"})
    fs::copy_file(fs::path(TAVO_FONT_DIR) / f, ini / f, fs::copy_options::overwrite_existing, ec);
  InitPalette();
  LaesSwitchIni();
  LoadFonts(0);
  Klasse("DummyWndClass", DummyWndProc);
  Klasse("NyButtonWndClass", NyButtonWndProc);
  Klasse("TooltipWndClass", TooltipWndProc);
  Klasse("BenchPlanVindue", TegneVindue);
  RegistrerToolbarKlasser(0);

  // Every heading open and every activity of the group in the plan.
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    plan->GrundTab[r].Udfoldet = 1;
    const uint32_t a = plan->GrundTab[r].Aktivitet;
    if (a && a <= plan->PlanAktiAntal) plan->PlanAktiTab[a].IPlan = 1;
  }
  plan->LayoutVenstre = {113, '#', 0, 0, 0};
  plan->LayoutKolonne = {111, '#', 0, 0, 0};
  plan->LayoutPlanListe = {112, 'K', 0, 0, 0};
  BygKolonner(plan);
  // Every period open: the weeks fill the week area.
  for (uint32_t i = 1; i <= plan->PeriodeAntal; ++i) plan->PeriodeTab[i].Udfold = 1;
  BygSynligeKolonner(plan);
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  BygRaekker(plan, true);
  plan->StyrX.Pos.Aktuel = 2;
  HWND h = CreateWindowExA(0, "BenchPlanVindue", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kVinduB, kVinduH,
                           0, 0, 0, plan);
  if (!h) Stop("the plan window");
  Ens &e = plan->Ens;
  const int paneH = e.RudeH[ENS_CELLER];
  const uint32_t antal = plan->StyrY.Pos.Antal, side = static_cast<uint32_t>(paneH / kRaekkeH);
  if (antal == 0 || side == 0) Stop("the plan shows no rows");
  // The columns of one whole paint: every column shown in the three areas.
  std::vector<int> bredder;
  auto Kolonner = [&](uint32_t omraade, int paneB) {
    const PlanStyr &s = omraade == PLAN_OMR_VENSTRE ? plan->StyrLX : omraade == PLAN_OMR_HOEJRE ? plan->StyrRX : plan->StyrX;
    for (uint32_t pos = 1; pos <= s.Pos.Antal && PlanKolonneX(plan, pos, omraade) < paneB; ++pos)
      bredder.push_back(static_cast<int>(KolonneBreddeIOmraade(plan, pos, omraade)));
  };
  Kolonner(PLAN_OMR_VENSTRE, e.RudeB[ENS_RAEKKEHOVED]);
  Kolonner(PLAN_OMR_UGER, e.RudeB[ENS_CELLER]);
  Kolonner(PLAN_OMR_HOEJRE, e.RudeB[ENS_HOEJRE]);
  const uint32_t kolonner = static_cast<uint32_t>(bredder.size());
  const uint32_t sider = std::min<uint32_t>((antal + side - 1) / side, 40);
  auto Bladr = [&] {
    for (uint32_t p = 0; p < sider; ++p) {
      e.ScrollY = p * side * kRaekkeH;
      plan->StyrY.Pos.Foerste = p * side + 1;
      plan->StyrY.Pos.Aktuel = p * side + 1;
      TegnPlan(plan, PLAN_TEGN_ALT);
    }
  };
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, kVinduB, kVinduH);
  HGDIOBJ gammelBm = SelectObject(dc, bm);
  HBRUSH brush[3] = {CreateSolidBrush(RGB(255, 255, 255)), CreateSolidBrush(RGB(96, 208, 96)),
                     CreateSolidBrush(RGB(255, 96, 96))};
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
  HFONT font = TxtFont;
  // A page paints the rows that reach into the pane, the last in part.
  const uint32_t paaSide = static_cast<uint32_t>((paneH + kRaekkeH - 1) / kRaekkeH);
  std::vector<uint32_t> raekker;
  uint32_t celler = 0;
  for (uint32_t p = 0; p < sider; ++p) {
    raekker.push_back(std::min(paaSide, antal - p * side));
    celler += raekker.back() * kolonner;
  }
  auto Gitter = [&] { GitterTegn(dc, raekker, bredder, brush, pen, font); };
  Bladr();
  Gitter();
  double tegn = 1e300, gitter = 1e300;
  for (int i = 0; i < 5; ++i) {
    tegn = std::min(tegn, Bedst1(Bladr));
    gitter = std::min(gitter, Bedst1(Gitter));
  }
  tegn /= sider;
  gitter /= sider;
  printf("plan-paint-rows %u rows\n", antal);
  printf("plan-paint-cells %u cells\n", celler / sider);
  printf("plan-paint-ms %.3f ms\n", tegn);
  printf("grid-paint-ms %.3f ms\n", gitter);
  printf("plan-paint-vs-grid-paint %.2f ratio\n", gitter > 0 ? tegn / gitter : 0.0);
  for (HBRUSH b : brush) DeleteObject(b);
  DeleteObject(pen);
  SelectObject(dc, gammelBm);
  DeleteObject(bm);
  DeleteDC(dc);
  DestroyWindow(h);
  plan->hwndPlan = 0;
  UnloadFonts();
  FrigivSwitchTab();
  FrigivPalette();
  // The group list is the caller's array.
  uint32_t *grupper = plan->StyrZ.ObjTab;
  plan->StyrZ.ObjTab = nullptr;
  FrigivPlanAkser(plan);
  plan->StyrZ.ObjTab = grupper;
}

}  // namespace

int main() {
  std::string mappe = (std::filesystem::temp_directory_path() / "benchplanXXXXXX").string();
  if (!mkdtemp(mappe.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn(getenv("BENCH_PLAN_SIZE") ? getenv("BENCH_PLAN_SIZE") : "large", &st);
  std::string fejl;
  if (LavSkoleData(mappe.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  OpretTalMutex();
  BehandlData();
  SaetAktuelDato(SKOLE_FRADATO + 1000);
  if (tvffpg.wRecCnt < 2) Stop("the school has no plan group");

  Plan plan{};
  uint32_t gruppeTab[2] = {0, 0};
  LaesPlan(&plan, 1, gruppeTab);
  if (plan.GrundTabAntal == 0) Stop("the plan has no rows");

  double kontrol = 0.0;
  // One round of each first: the first run of a pass pays for the pages it
  // touches for the first time.
  OpdaterAlt(&plan);
  kontrol += Gennemgang(&plan);
  // The two in turns, so that both meet the same load of the machine.
  double tal = 1e300, pass = 1e300;
  for (int i = 0; i < RUNDER; ++i) {
    tal = std::min(tal, Bedst1([&] { OpdaterAlt(&plan); }));
    pass = std::min(pass, Bedst1([&] { kontrol += Gennemgang(&plan); }));
  }
  printf("plan-rows %u rows\n", plan.GrundTabAntal);
  printf("row-figures-ms %.3f ms\n", tal);
  printf("row-figures-pass-ms %.3f ms\n", pass);
  printf("row-figures-vs-pass %.2f x\n", pass > 0 ? tal / pass : 0.0);

  // The subject distribution, with the memory it adds at its peak. The made
  // groups begin on the schedule period's first day, which leaves no
  // timetable before them; the group is taken to begin in the middle of the
  // period, so that half a year of events lies before it.
  FfpgRec *gruppe1 = TabRec<FfpgRec>(tvffpg, 1);
  const Dato gemtFra = gruppe1->Fradato;
  gruppe1->Fradato = UgeDagTilDato(IndeksTilUge(SkemaPeriode.AntalUger / 2), 1);
  plan.Fradato = gruppe1->Fradato;
  const uint64_t dataBytes = MappeStoerrelse(std::filesystem::path(mappe) / "data");
  const long foer = Status("VmRSS:");
  NulstilTop();
  ByggFagfordl(&plan);
  const long top = Status("VmHWM:");
  kontrol += FagGennemgang(&plan);
  double fag = 1e300, fagPass = 1e300;
  for (int i = 0; i < RUNDER; ++i) {
    fag = std::min(fag, Bedst1([&] { ByggFagfordl(&plan); }));
    fagPass = std::min(fagPass, Bedst1([&] { kontrol += FagGennemgang(&plan); }));
  }
  printf("subject-distribution-records %u records\n", tvfffagfordl.wRecCnt ? tvfffagfordl.wRecCnt - 1 : 0);
  printf("subject-distribution-ms %.3f ms\n", fag);
  printf("subject-distribution-pass-ms %.3f ms\n", fagPass);
  printf("subject-distribution-vs-pass %.2f x\n", fagPass > 0 ? fag / fagPass : 0.0);
  printf("subject-distribution-peak-vs-data %.3f ratio\n",
         dataBytes ? static_cast<double>(std::max(0L, top - foer)) * 1024.0 / static_cast<double>(dataBytes) : 0.0);
  gruppe1->Fradato = gemtFra;
  plan.Fradato = gemtFra;

  // The recount: one job 3 on its thread, the same work called directly,
  // and ten requests a few milliseconds apart as a user types ten cells.
  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  auto EtJob = [&] {
    StartPlanTraad(&plan, 3);
    VentPaaPlanTraade(&plan);
  };
  auto TiRettelser = [&] {
    for (int i = 0; i < 10; ++i) {
      StartPlanTraad(&plan, 3);
      Sleep(3);
    }
    VentPaaPlanTraade(&plan);
  };
  EtJob();
  OptaelDirekte(&plan);
  kontrol += OptaelGennemgang();
  double job = 1e300, direkte = 1e300, optPass = 1e300, ti = 1e300;
  const uint32_t koerslerFoer = PlanOptaellinger();
  uint32_t tiKoersler = UINT32_MAX;
  for (int i = 0; i < RUNDER; ++i) {
    job = std::min(job, Bedst1(EtJob));
    direkte = std::min(direkte, Bedst1([&] { OptaelDirekte(&plan); }));
    optPass = std::min(optPass, Bedst1([&] { kontrol += OptaelGennemgang(); }));
    const uint32_t k0 = PlanOptaellinger();
    ti = std::min(ti, Bedst1(TiRettelser));
    tiKoersler = std::min(tiKoersler, PlanOptaellinger() - k0);
  }
  (void)koerslerFoer;
  printf("recount-ms %.3f ms\n", job);
  printf("recount-baseline-ms %.3f ms\n", direkte);
  printf("recount-vs-baseline %.2f x\n", direkte > 0 ? job / direkte : 0.0);
  printf("recount-pass-ms %.3f ms\n", optPass);
  printf("recount-vs-pass %.2f x\n", optPass > 0 ? job / optPass : 0.0);
  printf("ten-edits-recount-ms %.3f ms\n", ti);
  printf("ten-edits-recounts %u runs\n", tiKoersler);
  printf("ten-edits-vs-one-recount %.2f x\n", job > 0 ? ti / job : 0.0);
  CloseHandle(hPlanMutex);
  hPlanMutex = 0;

  // The load of the plan as the window opens it, timed up to its return;
  // the jobs it starts are joined after the timing. The first load stores
  // the rows the data implies; the rounds measure the loads after it.
  {
    Plan hent{};
    hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
    AllokerPlanTabeller(&hent);
    hent.Visning = 'A';
    BygGruppeListe(&hent);
    if (!HentPlan(0, &hent)) Stop("the plan could not be loaded");
    VentPaaPlanTraade(&hent);
    kontrol += HentGennemgang();
    double hentMs = 1e300, basis = 1e300;
    for (int i = 0; i < RUNDER; ++i) {
      hentMs = std::min(hentMs, Bedst1([&] { HentPlan(0, &hent); }));
      VentPaaPlanTraade(&hent);
      basis = std::min(basis, Bedst1([&] { kontrol += HentGennemgang(); }));
    }
    printf("load-plan-rows %u rows\n", hent.GrundTabAntal);
    printf("load-plan-ms %.3f ms\n", hentMs);
    printf("load-plan-baseline-ms %.3f ms\n", basis);
    printf("load-plan-vs-baseline %.2f x\n", basis > 0 ? hentMs / basis : 0.0);
    VentPaaPlanTraade(&hent);
    CloseHandle(hPlanMutex);
    hPlanMutex = 0;
    TomPlan(&hent);
    TomPlanTabeller(&hent);
    FrigivPlanAkser(&hent);
    free(hent.PeriodeTab);
    free(hent.PeriodeSort);
  }
  if (kontrol == 12345.678) printf("\n");

  MaalPlanTegning(&plan, mappe);

  TomPlan(&plan);
  TomPlanTabeller(&plan);
  free(plan.PeriodeTab);
  free(plan.PeriodeSort);
  std::error_code ec;
  std::filesystem::remove_all(mappe, ec);
  return 0;
}
