// The main window: key routing, focus, menu commands, background save and the end of the program.
#include "HOVEDVIN.h"

#include <climits>
#include <cstdio>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "BRIKINDVIN.h"
#include "DATO.h"
#include "DESKTOP.h"
#include "EKSPKMD.h"
#include "KONTAKT.h"
#include "ELEMENT.h"
#include "EPEXPORT.h"
#include "EPTRIN.h"
#include "ExtPlacer.h"
#include "ExtSkemaImp.h"
#include "FUNKTAST.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "ImpData.h"
#include "KALENDER.h"
#include "MEDPER.h"
#include "MENUKOMMANDO.h"
#include "OBJVINDUE.h"
#include "OPDAT.h"
#include "OPSTART.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "SKAERM.h"
#include "STARTLOG.h"
#include "STARTTRAAD.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TALTAB.h"
#include "TASTINFO.h"
#include "TIMOAK.h"
#include "TOOLTIP.h"
#include "VINDUER.h"
#include "WEBKALD.h"

HovedFokusRec HovedFokus{0, 0, -1, 0, {}, 0, 0};
bool ImportVenter = false;
AutoGemBlok HovedAutoGem{};
HovedKroge HovedKrog{};

namespace {

HANDLE gemTraad = 0;
// Cleared by 1934: closing then puts the start copies back.
bool gemVedLukning = true;
// Set once the closing began: a change announced by a window being closed
// starts no background save that could outlive the closing.
bool lukker = false;
// Set by the end of the Windows session: the data are saved (or left) then,
// and a destruction that may follow does neither again.
bool sessionSlut = false;

constexpr int kHjaelpVindue = 1;  // HELPINFO's context type of a window
constexpr int kMinBredde = 540, kMinHoejde = 430;
constexpr int kGanttTyper[] = {40146, 40147, 40148};
constexpr int kGrupperingsTyper[] = {40024, 40025, 40026};

bool Findes(const char *sti) { return sti[0] && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }
bool ServerSpaerret() { return Findes(StiTab.szdisableserver) || Findes(StiTab.szdisableserverprog); }
bool Laast() { return GlobalIndstillinger.skemalaast != 0; }
bool SuperTavo() { return GlobalIndstillinger.supertavo != 0; }

// The window a key goes on to.
HWND Maal() {
  if (HovedFokus.Element) return HovedFokus.Element;
  if (HovedFokus.Aktiv) return HovedFokus.Aktiv;
  return HovedFokus.Input;
}

void Send(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) {
  if (h) SendMessageA(h, msg, w, l);
}

void Aktiver(HWND h) { Send(h, VINDUE_AKTIVER, 1); }

// The front window takes the focus; with no window open, the first desk
// that can be activated.
void AktiverForrestEllerDesk() {
  if (HWND f = VinduesListeForrest()) {
    Aktiver(f);
    return;
  }
  for (int d = 0; d < kAntalDesks; ++d)
    if (ActivateDesk(d)) return;
}

bool TypeAaben(int type) { return FindVindueType(type) != 0; }

// ---- Ctrl+Tab ----

void AfslutCyklus() {
  HWND c = HovedFokus.Cyklus;
  if (!c) return;
  HovedFokus.Cyklus = 0;
  if (c == HovedFokus.Aktiv) {
    Send(c, VINDUE_SAET_AKTIV);
    return;
  }
  Aktiver(c);
  SendTilAlleVinduer(WM_PAINT, 0, 0, 0);
}

VinduesNode *Node(HWND h) {
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (n->hwnd == h) return n;
  return nullptr;
}

void CyklusFrieVinduer(bool tilbage) {
  if (!HovedFokus.Aktiv || VinduesListeAntal() < 2) return;
  VinduesNode *n = HovedFokus.Cyklus ? Node(HovedFokus.Cyklus) : nullptr;
  if (!n) n = VinduesListe.hoved;
  Send(n->hwnd, VINDUE_TEGN_MED, 0);
  VinduesNode *ny = tilbage ? n->forrige : n->naeste;
  if (!ny) ny = tilbage ? VinduesListe.hale : VinduesListe.hoved;
  HovedFokus.Cyklus = ny->hwnd;
  SetWindowPos(ny->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Send(ny->hwnd, VINDUE_TEGN_MED, 1);
}

void CyklusCeller(bool tilbage) {
  const int desk = HovedFokus.Desk;
  if (desk < 0 || desk >= kAntalDesks) return;
  const int sektioner = DeskTab[desk].AntalSektioner;
  int ialt = 0, sek = -1, nr = -1;
  for (int s = 0; s < sektioner; ++s)
    for (int i = 0; i < Sektion(desk, s).AntalCeller; ++i, ++ialt)
      if (Celle(desk, s, i).hwndElement == HovedFokus.Element) sek = s, nr = i;
  if (ialt < 2 || sek < 0) return;
  // Past the end of a section into the other one (the same one on a desk
  // of one section); an empty other section is passed over.
  const int anden = sektioner == 2 && Sektion(desk, 1 - sek).AntalCeller > 0 ? 1 - sek : sek;
  if (!tilbage) {
    if (++nr >= Sektion(desk, sek).AntalCeller) sek = anden, nr = 0;
  } else if (--nr < 0) {
    sek = anden;
    nr = Sektion(desk, sek).AntalCeller - 1;
  }
  Aktiver(Celle(desk, sek, nr).hwndElement);
}

// ---- Sending keys on ----

LRESULT SendVidere(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  AfslutCyklus();
  if (HWND m = Maal()) return SendMessageA(m, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- The windows the keys open ----

void AabnVedHjoernet(HWND hoved, int type, UINT kommando, LPARAM lParam = 0) {
  if (!ObjektVindueTilgaengeligt(type)) {
    IkkeTilgaengelig(hoved, kommando);
    return;
  }
  OpretObjektVindue(hoved, type, lParam, nullptr);
}

// Open, the window takes the focus and comes to the front; else it opens.
void VisEllerAabn(HWND hoved, int type) {
  if (HWND h = FindVindueType(type)) {
    Send(h, VINDUE_AKTIVER, 1);
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  Send(hwndDesktop, ELEMENT_FRIT_AREAL);
  AabnVedHjoernet(hoved, type, static_cast<UINT>(type));
}

void LukType(int type) {
  if (HWND h = FindVindueType(type)) {
    DestroyWindow(h);
    VinduesListeFjern(h);
  }
}

void Gruppering(HWND hoved, int valgt) {
  for (int t : kGrupperingsTyper)
    if (t != valgt) LukType(t);
  VisEllerAabn(hoved, valgt);
}

// The active window fitted to the desktop's free area at its top-left
// corner, at the size it asks for.
void TilpasAktivt(bool hev) {
  HWND a = HovedFokus.Aktiv;
  if (!a) return;
  const RECT &r = FriArealRect;
  const int h = static_cast<int>(SendMessageA(a, ENS_HOEJDE, 0, r.bottom - r.top + 1));
  const int b = static_cast<int>(SendMessageA(a, ENS_BREDDE, 0, r.right - r.left + 1));
  UINT flag = SWP_NOZORDER;
  if (hev) flag = 0;
  SetWindowPos(a, HWND_TOP, r.left, r.top, b, h, flag);
}

void MasterData(HWND hoved, LPARAM lParam) {
  if (HWND h = FindVindueType(kStamKommando)) {
    DestroyWindow(h);
    VinduesListeFjern(h);
    Aktiver(VinduesListeForrest());
    return;
  }
  if (!VaerktoejsVindueTilgaengeligt(kStamKommando)) {
    IkkeTilgaengelig(hoved, kStamKommando);
    return;
  }
  const LPARAM art = lParam == 'K' || lParam == 'M' || lParam == 'L' ? lParam : 0;
  SkiftVaerktoejsVindue(kStamKommando, art);
}

// The plan groups window opened, or closed when open.
void PlanGrupper(HWND hoved) {
  if (HWND h = FindVindueType(kPlanGrupperType)) {
    DestroyWindow(h);
    VinduesListeFjern(h);
    Aktiver(VinduesListeForrest());
    return;
  }
  if (!VaerktoejsVindueTilgaengeligt(kPlanGrupperType)) {
    IkkeTilgaengelig(hoved, kPlanGrupperType);
    return;
  }
  SkiftVaerktoejsVindue(kPlanGrupperType, 0);
}

// A function key offered to the open Gantt windows from its own kind on;
// true when one of them took it.
bool GanttTager(UINT tast) {
  const int start = tast == VK_F5 ? 0 : tast == VK_F6 ? 1 : 2;
  for (int i = start; i < 3; ++i)
    if (HWND g = FindVindueType(kGanttTyper[i]))
      if (SendMessageA(g, TAST_SPOERG, tast, reinterpret_cast<LPARAM>(&AktuelTast)) == 0) return true;
  return false;
}

// ---- The three server keys ----

bool AfvisSpaerret(HWND hoved) {
  if (!ServerSpaerret()) return false;
  MessageBoxA(hoved, "Der er spærret for server kontakt for denne installation", "Eksport/Kontakt",
              MB_OK | MB_ICONEXCLAMATION);
  return true;
}

void KontaktServer(HWND hoved) {
  if (AfvisSpaerret(hoved)) return;
  if (Laast()) {
    MessageBoxA(hoved, "Serveren kan ikke kontaktes fra et låst skema", "Kontakt", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!StatusFelter.Server) {
    IkkeTilgaengelig(hoved, 40250);
    return;
  }
  SendMessageA(StatusFelter.Server, WM_KONTAKT_NU, 0, 1);
}

// ---- Private requests of parts that land later ----

void Indtastning(HWND hoved, HWND skema, char mode, UINT msg) {
  if (!HovedKrog.AabnIndtastning) {
    IkkeTilgaengelig(hoved, msg);
    return;
  }
  HWND h = HovedKrog.AabnIndtastning(skema, mode);
  if (!h) return;
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SendMessageA(hoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(h));
}

}  // namespace

void AabnPrikSkemaAlleAktiviteter(HWND hoved) {
  // As if the user pressed the keys: the main window opens the window by
  // its own key handling, the keyboard state set for the call only.
  auto medCtrl = [hoved](WPARAM tast) {
    BYTE taster[256] = {};
    taster[VK_CONTROL] = 0x80;
    SetKeyboardState(taster);
    SendMessageA(hoved, WM_KEYDOWN, tast, 1);
    BYTE tomme[256] = {};
    SetKeyboardState(tomme);
  };
  medCtrl(VK_F5);
  HWND prik = FindVindueType(40132);
  if (!prik || static_cast<char>(SendMessageA(prik, 1475, 0, 0)) != 'A') medCtrl('O');
}

namespace {

void PrikSkema(HWND hoved) {
  if (!HovedKrog.AabnPrikSkema) {
    IkkeTilgaengelig(hoved, HOVED_PRIKSKEMA);
    return;
  }
  HovedKrog.AabnPrikSkema(hoved);
}

// ---- The background save ----

void DataAendretBesked() {
  if (lukker || Laast() || SuperTavo() || !GlobalIndstillinger.autogem) return;
  DataAendret.store(1);
  HovedAutoGem.fGemGrupper = 0;
  // A running save sees the dirty word when it is done; the next change
  // then starts the next one.
  if (AutoGemKoerer()) return;
  if (gemTraad) CloseHandle(gemTraad);
  gemTraad = StartAutoGemAlleData(&HovedAutoGem);
}

// ---- Ending ----

// The lock file and the START.LOG line belong to this run only when it
// holds the data.
void SlipLaasen() {
  if (!LaasenHoldes) return;
  DeleteLockFile(StiTab.szdata);
  EndStartLogEntry(GlobalIndstillinger.insnr, version, StiTab.szprog);
  LaasenHoldes = false;
}

void LukHovedvindue() {
  lukker = true;
  // A background save still writing would rename its files over the start
  // copies put back below, or save what the user chose to throw away.
  VentPaaAutoGem();
  LukAlleVinduer();
  if (!sessionSlut && DataHentet && !Laast() && !SuperTavo()) {
    bool gendan = !gemVedLukning;
    if (gemVedLukning && !GlobalIndstillinger.autogem) gendan = SpoergAfslutUdenGem() == IDYES;
    if (gendan)
      GendanStartKopi();
    else
      GemDataVedLukning();
  }
  FreeAlleTalTabeller();
  FreeMedPer();
  HovedFokus.Stak.clear();
  HovedFokus.Stak.shrink_to_fit();
  HovedFokus = HovedFokusRec{0, 0, -1, 0, {}, 0, 0};
  if (hwndTooltip) DestroyWindow(hwndTooltip);
  hwndTooltip = 0;
}

void SessionSlutter() {
  if (Laast()) return;
  VentPaaAutoGem();
  if (!SuperTavo() && GlobalIndstillinger.autogem) GemDataVedLukning();
  SlipLaasen();
  sessionSlut = true;
}

// ---- Focus ----

void ElementFokus(WPARAM desk, HWND element) {
  Send(HovedFokus.Aktiv, VINDUE_DEAKTIVER);
  HovedFokus.Aktiv = 0;
  if (HovedFokus.Element && HovedFokus.Element != element) Send(HovedFokus.Element, VINDUE_DEAKTIVER);
  HovedFokus.Desk = static_cast<int>(desk);
  HovedFokus.Element = element;
}

void VindueAktivt(HWND vindue, bool hev) {
  Send(HovedFokus.Element, VINDUE_DEAKTIVER);
  HovedFokus.Element = 0;
  HovedFokus.Desk = -1;
  Send(HovedFokus.Aktiv, VINDUE_DEAKTIVER);
  if (VinduesListeForrest() != vindue) VinduesListeTilTop(vindue);
  HovedFokus.Aktiv = vindue;
  if (hev) SetWindowPos(vindue, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void FriLukker(HWND vindue) {
  if (vindue != HovedFokus.Aktiv) return;
  HovedFokus.Aktiv = 0;
  if (HovedFokus.Cyklus == vindue) HovedFokus.Cyklus = 0;
  // The closing window may still head the list.
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (n->hwnd != vindue) {
      Aktiver(n->hwnd);
      return;
    }
  for (int d = 0; d < kAntalDesks; ++d)
    if (ActivateDesk(d)) return;
}

void CelleLukker(HWND element) {
  if (element != HovedFokus.Element) return;
  HovedFokus.Element = 0;
  if (HovedFokus.Desk >= 0 && ActivateDesk(HovedFokus.Desk)) return;
  AktiverForrestEllerDesk();
}

bool PickListeAaben() {
  return FindWindowA("ShortCutWndClass", nullptr) != 0 || TypeAaben(kPlanGrupperType) || TypeAaben(40267) ||
         TypeAaben(40269);
}

void InputAabner(HWND input, bool blink) {
  Send(HovedFokus.Element, VINDUE_DEAKTIVER);
  Send(HovedFokus.Aktiv, VINDUE_DEAKTIVER);
  if (HWND f = HovedFokus.Element ? HovedFokus.Element : HovedFokus.Aktiv) HovedFokus.SidstFokus = f;
  if (HovedFokus.Input && HovedFokus.Input != input && PickListeAaben()) {
    HovedFokus.Stak.push_back(HovedFokus.Input);
    Send(HovedFokus.Input, VINDUE_DEAKTIVER);
  }
  HovedFokus.Input = input;
  if (blink) FlashWindow(input, TRUE);
}

void InputLukket(HWND hoved) {
  if (!HovedFokus.Input) return;
  if (HovedFokus.Stak.empty()) {
    HovedFokus.Stak.shrink_to_fit();
    HovedFokus.Input = 0;
    if (HWND s = HovedFokus.SidstFokus) {
      HovedFokus.SidstFokus = 0;
      Aktiver(s);
    } else {
      AktiverForrestEllerDesk();
    }
  } else {
    HovedFokus.Input = HovedFokus.Stak.back();
    HovedFokus.Stak.pop_back();
    Aktiver(HovedFokus.Input);
  }
  if (ImportVenter) {
    ImportVenter = false;
    SendMessageA(hoved, HOVED_IMPORTFIL, 0, 0);
  }
}

void ImportfilKommet(HWND hoved) {
  if (HovedFokus.Input || !ImportVedAnkomst(hoved)) ImportVenter = true;
}

// ---- Keys ----

void TagTast(UINT msg, WPARAM wParam, LPARAM lParam) {
  MakeTastInfo(&AktuelTast, msg, wParam, lParam);
  if (GlobalIndstillinger.tastlog) TastLogKey(&AktuelTast);
}

LRESULT Tast(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  TagTast(WM_KEYDOWN, wParam, lParam);
  const TastInfo &t = AktuelTast;
  const bool shift = t.shift, ctrl = t.ctrl, alt = t.alt;
  switch (wParam) {
    case VK_TAB:
      if (ctrl && !alt) {
        if (HovedFokus.Element)
          CyklusCeller(shift);
        else
          CyklusFrieVinduer(shift);
        return 0;
      }
      break;
    case VK_F1:
      // The help of the window with the focus: the platform makes no WM_HELP
      // of the key for a window that is not a dialog.
      if (!alt) {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = kHjaelpVindue;
        info.hItemHandle = hwnd;
        SendMessageA(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        return 0;
      }
      break;
    case VK_ESCAPE:
      if (HovedFokus.Element && !shift && VinduesListeAntal() > 0) {
        Aktiver(VinduesListeForrest());
        return 0;
      }
      AfslutCyklus();
      if (HovedFokus.Aktiv) {
        SendMessageA(HovedFokus.Aktiv, WM_KEYDOWN, wParam, lParam);
      } else if (HWND f = VinduesListeForrest()) {
        SendMessageA(f, WM_KEYDOWN, wParam, lParam);
        Aktiver(f);
      }
      return 0;
    case VK_F2:
      if (shift) {
        AabnVedHjoernet(hwnd, kMedTimeVindue, kMedTimeVindue);
      } else if (ctrl) {
        // Not through the menu's row: that row plays this very key.
        if (ff_plan) PlanGrupper(hwnd);
      } else if (TypeAaben(40151) || TypeAaben(40152) || TypeAaben(kPlanGrupperType)) {
        Send(VinduesListeForrest(), WM_KEYDOWN, VK_F2, lParam);
      } else {
        MasterData(hwnd, lParam);
      }
      return 0;
    case VK_F3:
      if (!HovedFokus.Aktiv) return 0;
      if (ctrl)
        ArrangerFlereKolonner(FriArealRect.left, FriArealRect.top, FriArealRect.right, FriArealRect.bottom);
      else if (shift)
        ArrangerFlereRaekker(FriArealRect.left, FriArealRect.top, FriArealRect.right, FriArealRect.bottom);
      else if (TypeAaben(kElevPlanType))
        SendMessageA(HovedFokus.Aktiv, WM_KEYDOWN, wParam, lParam);
      else
        TilpasAktivt(true);
      return 0;
    case VK_F4:
      if (ctrl) break;
      if (!shift && !alt) AabnVedHjoernet(hwnd, 40292, 40292);
      return 0;
    case VK_F5:
    case VK_F6:
    case VK_F7:
      if (!GanttTager(static_cast<UINT>(wParam))) FunktionstastSkaerm(hwnd, t);
      return 0;
    case VK_F8:
      Gruppering(hwnd, kGrupperingsTyper[ctrl ? 2 : shift ? 1 : 0]);
      return 0;
    case VK_F9:
      FunktionstastSkaerm(hwnd, t);
      return 0;
    case VK_F11:
      if (ctrl)
        ImportKommando(hwnd);
      else if (shift)
        KontaktServer(hwnd);
      else
        EpEksportKommando(hwnd);
      return 0;
    case VK_F12:
      if ((ctrl && ElevplanSlaaetTil) || GlobalIndstillinger.post) FunktionstastSkaerm(hwnd, t);
      return 0;
    default:
      break;
  }
  if (ctrl && shift && !alt && wParam >= '1' && wParam <= '9') {
    if (!HovedFokus.Input) HentSkaerm(static_cast<long>(wParam - '0'));
    return 0;
  }
  if (ctrl && shift && wParam == 'D') {
    SaetDagsDato();
    Send(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(DagsDato()));
    SendTilAlleVinduer(AKTUEL_AENDRET, 1, 0, 0);
    return 0;
  }
  if (wParam == 'E' && shift) {
    if (ctrl) {
      EpGenvejEksport(hwnd);
    } else if (ElevplanSlaaetTil) {
      Send(hwndEpKontakt, WM_EP_KONTAKT);
    }
  } else if (wParam == 'G' && ctrl && !alt) {
    HWND slot = 0;
    SendTilAlleVinduer(TB_GRUPPEKNAP, reinterpret_cast<WPARAM>(&slot), 0, 0);
    Send(slot, WM_LBUTTONDOWN);
  } else if (wParam == 'L' && ctrl && alt) {
    LectioImportKommando(hwnd);
  } else if (wParam == 'Z' && ctrl && !alt) {
    FortrydExtImport(hwnd);
  } else if (wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9) {
    wParam = '0' + (wParam - VK_NUMPAD0);
  } else if (wParam == VK_SUBTRACT) {
    wParam = VK_OEM_MINUS;
  } else if (wParam == VK_DECIMAL) {
    wParam = VK_OEM_COMMA;
  }
  return SendVidere(hwnd, WM_KEYDOWN, wParam, lParam);
}

LRESULT AltTast(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  TagTast(WM_SYSKEYDOWN, wParam, lParam);
  const TastInfo &t = AktuelTast;
  switch (wParam) {
    case '0':
      if (!HovedFokus.Aktiv && VinduesListeAntal() > 0) Aktiver(VinduesListeForrest());
      return 0;
    case '1': case '2': case '3': case '4':
      ActivateDesk(static_cast<int>(wParam - '1'));
      return 0;
    case VK_F1:
      VisOnlineHjaelp(hwnd);
      break;
    case VK_F2:
      if (ff_plan) FunktionstastSkaerm(hwnd, t);
      break;
    case VK_F3:
      if (!HovedFokus.Aktiv) break;
      ArrangerKaskade(FriArealRect.left, FriArealRect.top, FriArealRect.right, FriArealRect.bottom);
      return 0;
    case VK_F5:
    case VK_F6: {
      HWND g = FindVindueType(wParam == VK_F5 ? 40146 : 40147);
      if (g && SendMessageA(g, TAST_SPOERG, wParam, reinterpret_cast<LPARAM>(&AktuelTast)) == 0) break;
      FunktionstastSkaerm(hwnd, t);
      return 0;
    }
    case VK_F7:
      FunktionstastSkaerm(hwnd, t);
      return 0;
    case VK_F8:
      for (int type : kGrupperingsTyper) LukType(type);
      MainMenuCommand(hwnd, 40100, 0);
      return 0;
    case VK_F9:
      VisEllerAabn(hwnd, 40212);
      return 0;
    case VK_F10:
      if (t.alt)
        VisEllerAabn(hwnd, 40273);
      else
        FunktionstastSkaerm(hwnd, t);
      return 0;
    case VK_F11:
    case VK_F12:
      break;
    case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_INSERT: case 'T': case 'V': case VK_ADD: case VK_OEM_PLUS:
      AfslutCyklus();
      if (HWND m = Maal()) SendMessageA(m, WM_SYSKEYDOWN, wParam, lParam);
      return 0;
    default:
      AfslutCyklus();
      break;
  }
  return DefWindowProcA(hwnd, WM_SYSKEYDOWN, wParam, lParam);
}

LRESULT TastOp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!HovedFokus.Cyklus) {
    if (HWND m = Maal()) return SendMessageA(m, msg, wParam, lParam);
    return 0;
  }
  if (wParam == VK_CONTROL || wParam == VK_LCONTROL || wParam == VK_RCONTROL) {
    AfslutCyklus();
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT SysKommando(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  TagTast(WM_SYSCOMMAND, wParam, lParam);
  if ((GetAsyncKeyState(VK_F6) & 0x8000) || (wParam == VK_F6 && AktuelTast.alt)) {
    AktuelTast.wParam = VK_F6;
    if (HWND g = FindVindueType(40147))
      if (SendMessageA(g, TAST_SPOERG, VK_F6, reinterpret_cast<LPARAM>(&AktuelTast)) == 0)
        return DefWindowProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
    FunktionstastSkaerm(hwnd, AktuelTast);
    return 0;
  }
  return DefWindowProcA(hwnd, WM_SYSCOMMAND, wParam, lParam);
}

void Hjaelp(HWND hwnd, LPARAM lParam) {
  const auto *info = reinterpret_cast<const HELPINFO *>(lParam);
  if (!info || info->iContextType != kHjaelpVindue) return;
  HWND maal = HovedFokus.Input ? HovedFokus.Input : HovedFokus.Aktiv ? HovedFokus.Aktiv : HovedFokus.Element;
  if (maal && (AktuelTast.shift || AktuelTast.ctrl)) {
    VisOnlineHjaelp(maal);
  } else if (HjaelpKontekst || !maal) {
    VisOnlineHjaelp(hwnd);
  } else {
    VisOnlineHjaelp(SendMessageA(maal, HJAELP_EMNE, 0, 0) ? maal : hwnd);
  }
}

}  // namespace

bool AutoGemKoerer() {
  return gemTraad && WaitForSingleObject(gemTraad, 0) != WAIT_OBJECT_0;
}

void VentPaaAutoGem() {
  if (!gemTraad) return;
  WaitForSingleObject(gemTraad, INFINITE);
  CloseHandle(gemTraad);
  gemTraad = 0;
}

// ---- The main window's own commands ----

void HovedHjaelp(HWND hoved, UINT, LPARAM) { VisOnlineHjaelp(hoved); }

void HovedArranger(HWND, UINT id, LPARAM) {
  const RECT &r = FriArealRect;
  switch (id) {
    case 40155: TilpasAktivt(false); break;
    case 40156: ArrangerKaskade(r.left, r.top, r.right, r.bottom); break;
    case 40157: ArrangerFlereRaekker(r.left, r.top, r.right, r.bottom); break;
    case 40158: ArrangerFlereKolonner(r.left, r.top, r.right, r.bottom); break;
    default: break;
  }
}

void HovedNyheder(HWND hoved, UINT, LPARAM) {
  char adresse[kNyhedsAdresseLaengde] = "";
  if (HentNyhedsAdresse(adresse, sizeof adresse) && adresse[0])
    ShellExecuteA(hoved, "open", adresse, nullptr, nullptr, SW_SHOWNORMAL);
  if (nyeNyheder) KvitterNyheder(StatusFelter.Nyheder);
}

void HovedPortal(HWND hoved, UINT, LPARAM) {
  char adresse[512];
  LaesWebAdresse(WebAdr::Portal, adresse, sizeof adresse);
  if (adresse[0]) ShellExecuteA(hoved, "open", adresse, nullptr, nullptr, SW_SHOWNORMAL);
}

void HovedOpdatering(HWND hoved, UINT, LPARAM) {
  // A read-only run writes no settings.
  if (!Laast()) WritePrivateProfileStringA("flag", "zintel", nullptr, StiTab.szini);
  if (CheckOpdatering() == OPDAT_PAKKE_STARTET) {
    // The package replaces the program: what the user changed is saved
    // first, and the lock and the START.LOG line are let go only when this
    // run holds them.
    VentPaaAutoGem();
    GemDataVedLukning();
    SlipLaasen();
    if (HovedKrog.AfslutProces)
      HovedKrog.AfslutProces(0);
    else
      ExitProcess(0);
    return;
  }
  if (GetPrivateProfileIntA("global", "nyversion", 0, StiTab.szini) == 0) {
    char tekst[100];
    std::snprintf(tekst, sizeof tekst, "Du er på den nyeste version! (%d.%02d.%02d)",
                  static_cast<int>(version / 10000), static_cast<int>(version / 100 % 100),
                  static_cast<int>(version % 100));
    MessageBoxA(hoved, tekst, "Versions tjek", MB_OK | MB_ICONINFORMATION);
  }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      lukker = false;
      sessionSlut = false;
      gemVedLukning = true;
      OpretStatusFelter(hwnd);
      hwndEpStatus = StatusFelter.EpStatus;
      if (ServerSpaerret()) {
        if (HMENU menu = GetMenu(hwnd)) {
          EnableMenuItem(menu, 40249, MF_BYCOMMAND | MF_GRAYED);
          EnableMenuItem(menu, 40250, MF_BYCOMMAND | MF_GRAYED);
        }
      }
      break;
    case WM_DESTROY:
      LukHovedvindue();
      gemVedLukning = true;
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      if (LOWORD(lParam) && HIWORD(lParam)) {
        if (hwndMainToolbar && IsWindowVisible(hwndMainToolbar)) SendMessageA(hwndMainToolbar, TB_AUTOSIZE, 0, 0);
        LayoutStatusBar();
        BeregnSkrivebord(true);
        PlacerDesktop();
        InvalidateRect(hwnd, nullptr, FALSE);
        PlaceAllDesks();
      }
      break;
    case WM_SETFOCUS:
      Send(HovedFokus.Element, VINDUE_AKTIVER, 1);
      Send(HovedFokus.Aktiv, VINDUE_AKTIVER_STILLE);
      if (HovedFokus.Input) {
        Send(HovedFokus.Input, VINDUE_AKTIVER, 0);
        SetWindowPos(HovedFokus.Input, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      }
      break;
    case WM_KILLFOCUS:
      Send(HovedFokus.Element, VINDUE_DEAKTIVER);
      Send(HovedFokus.Aktiv, VINDUE_DEAKTIVER);
      break;
    case WM_PAINT:
      TegnBaggrund(hwnd);
      return 0;
    case WM_CLOSE:
      SendTilAlleVinduer(VINDUE_LUKKER, 0, 0, 0);
      break;
    case WM_ERASEBKGND:
      return 0;
    case WM_ENDSESSION:
      if (wParam) SessionSlutter();
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam && GetFocus() != hwnd) PostMessageA(hwnd, HOVED_FOKUS_IGEN, 0, 0);
      break;
    case WM_CANCELMODE:
      if ((GetAsyncKeyState(VK_F6) & 0x8000)) {
        HWND f = VinduesListeForrest();
        const int type = f ? GetWindowLongA(f, GWL_ID) : 0;
        if (type < 40146 || type > 40148) {
          AktuelTast.wParam = VK_F6;
          FunktionstastSkaerm(hwnd, AktuelTast);
        }
      }
      break;
    case WM_NOTIFY: {
      auto *di = reinterpret_cast<NMTTDISPINFOA *>(lParam);
      if (di && di->hdr.code == TTN_NEEDTEXTA) {
        if (const char *tekst = ToolbarTipTekst(static_cast<int>(di->hdr.idFrom)))
          std::snprintf(di->szText, sizeof di->szText, "%s", tekst);
        return 0;
      }
      break;
    }
    case WM_HELP:
      Hjaelp(hwnd, lParam);
      break;
    case WM_KEYDOWN:
      return Tast(hwnd, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return TastOp(hwnd, msg, wParam, lParam);
    case WM_SYSKEYDOWN:
      return AltTast(hwnd, wParam, lParam);
    case WM_SYSCHAR:
      if (wParam == '-') return HovedFokus.Aktiv ? SendMessageA(HovedFokus.Aktiv, msg, wParam, lParam) : 0;
      if (wParam >= '0' && wParam <= '4') return 0;
      break;
    case WM_COMMAND:
      HovedvinduesKommando(hwnd, LOWORD(wParam), lParam);
      break;
    case WM_SYSCOMMAND:
      return SysKommando(hwnd, wParam, lParam);
    case WM_MENUSELECT:
      StatusMenuValg(hwnd, wParam, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      Send(Maal(), ENS_HJUL, wParam, lParam);
      return 0;
    case WM_SIZING:
      BegraensSizing(hwnd, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), kMinBredde, INT_MAX,
                     kMinHoejde, INT_MAX);
      break;
    case WM_STARTTRAAD_MENU:
      SaetStartMenu(hwnd, wParam != 0);
      return 0;

    // ---- Private messages ----
    case ELEMENT_DOKKET_AKTIV:
      ElementFokus(wParam, static_cast<HWND>(lParam));
      break;
    case ENS_HJUL:
      return !HovedFokus.Input && !HovedFokus.Aktiv;
    case HOVED_VINDUE_AKTIV:
      VindueAktivt(static_cast<HWND>(lParam), wParam == 1);
      break;
    case HOVED_INTET_INPUT:
    case ELEMENT_MAA_AKTIVERES:
      return !HovedFokus.Input;
    case HOVED_VINDUE_LUKKET:
      FriLukker(static_cast<HWND>(lParam));
      break;
    case ELEMENT_LUKKET:
      CelleLukker(static_cast<HWND>(lParam));
      break;
    case HOVED_INPUT_AABEN:
      InputAabner(static_cast<HWND>(lParam), wParam == 1);
      break;
    case HOVED_INPUT_LUKKET:
      InputLukket(hwnd);
      break;
    case HOVED_INDTAST_LEKTION:
      Indtastning(hwnd, static_cast<HWND>(lParam), 'L', msg);
      break;
    case HOVED_INDTAST_DAG:
      Indtastning(hwnd, static_cast<HWND>(lParam), 'D', msg);
      break;
    case HOVED_INDTAST_TID:
      Indtastning(hwnd, static_cast<HWND>(lParam), 'T', msg);
      break;
    case ELEMENT_OPRET_OBJEKT:
      // A cell of a restored screen layout asks for its object window.
      return static_cast<LRESULT>(OpretElementVindue(static_cast<HWND>(lParam), static_cast<int>(wParam)));
    case HOVED_PRIKSKEMA:
      PrikSkema(hwnd);
      break;
    case HOVED_DATA_AENDRET:
      DataAendretBesked();
      break;
    case ELEMENT_FJERN:
      HovedFokus.Element = 0;
      break;
    case VALG_MARKERET:
      KillTimer(hwnd, wParam);
      break;
    case HOVED_HJAELP_SAET:
      HjaelpKontekst = static_cast<int32_t>(wParam);
      break;
    case HOVED_HJAELP_SLET:
      HjaelpKontekst = 0;
      break;
    case HOVED_IMPORTFIL:
      ImportfilKommet(hwnd);
      break;
    case WM_AUTOSKEMA_KOMMET:
      if (HMENU menu = GetMenu(hwnd)) EnableMenuItem(menu, kImportAutoSkemaKommando, MF_BYCOMMAND | MF_ENABLED);
      return 0;
    case HOVED_LUK_UDEN_GEM:
      gemVedLukning = false;
      DestroyWindow(hwnd);
      return 0;
    case HOVED_EP_IMPORT:
      if (!HovedFokus.Input) EpImportBesked();
      break;
    case HOVED_FOKUS_IGEN:
      SetFocus(hwnd);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
