// Placing new events. The check phase empties and fills AktuelAVS as it
// goes (a refusal after that leaves it partly filled; the next placing key
// empties it again); the action phase sets the kind, placement and origin
// letters and asks the main window for the entry window.
#include "PLACBEG.h"

#include <cstdio>
#include <cstring>

#include "AKTICHK.h"
#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DIREKTE.h"
#include "INDSTIL.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "KATALOG.h"
#include "KOPIBEG.h"
#include "MARKBEG.h"
#include "OPTAGET.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "RINGTID.h"
#include "ROLLER.h"
#include "ROLLEFORSLAG.h"
#include "SKEBEG.h"
#include "SKEVIS.h"
#include "SLETBEG.h"
#include "SLETMARK.h"
#include "TAVODATA.h"
#include "VINDUER.h"
#include "skemadialoger.h"

AVS ArbejdsAVS = [] {
  AVS a{};
  a.Placering = a.Kode2 = a.Kode3 = a.Art = a.Kode5 = ' ';
  return a;
}();
uint8_t HeldagSomTid = 0;

namespace {

constexpr const char *kRollerMangler =
    "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ";

bool Boks(bool vis, const char *tekst, const char *titel, UINT ikon = MB_ICONEXCLAMATION) {
  if (vis) MessageBoxA(hwndHoved, tekst, titel, MB_OK | ikon);
  return false;
}

int Spoerg(const char *tekst, const char *titel) {
  return MessageBoxA(hwndHoved, tekst, titel, MB_OKCANCEL | MB_ICONEXCLAMATION);
}

uint32_t RaekkeObjekt(const SkeStruct *ske) { return SkeRaekkeObjekt(ske, ske->ObjPos.Aktuel); }

char ArtBogstav(const SkeStruct *ske) {
  return ske->ObjektArt == SKE_ANFO ? 'M' : ske->ObjektArt == SKE_LOKA ? 'L' : 'K';
}

void TomBeskrivelser() {
  CleanupAVS(&AktuelAVS);
  CleanupAVS(&ArbejdsAVS);
}

// The row's object with its default role and no minutes.
void TilfoejObjekt(const SkeStruct *ske) {
  const uint32_t objekt = RaekkeObjekt(ske);
  if (!objekt) return;
  const char art = ArtBogstav(ske);
  AddAVSEgenskab(&AktuelAVS, art, objekt, art == 'K' ? 0 : RolleForslag(&AktuelAVS, art, objekt), -1.0f);
}

uint32_t MarkeredeAutoSkema(const SkeStruct *ske) {
  uint32_t n = 0;
  for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
    n += ske->lpSkeVisListe[i].FarveKode == FARVE_MAERKET && (BegivenhedStatus(ske, i) & SKE_AUTOSKEMA);
  return n;
}

// Whether the employee of the cursor's row has events on the cursor's day.
bool HarSkemaDenneDag(SkeStruct *ske) {
  const Ens &e = ske->Ens;
  SkeCelle c;
  if (!e.StyrX || !e.StyrY || !FindSkeCelle(ske, e.StyrX->Aktuel, e.StyrY->Aktuel, &c)) return false;
  return ske->KaedeHoveder && c.noegle < ske->KaedeRaekker &&
         ske->KaedeHoveder[static_cast<size_t>(c.noegle) * 8 + c.dag] != 0;
}

const char *KunMedarbejderTekst(char art) {
  switch (art) {
    case 'F':
    case 'H':
      return "Der kan kun skemalægges ferie, når man står i et medarbejderskema. ";
    case 'A':
      return "Der kan kun skemalægges afspadsering, når man står i et medarbejderskema. ";
    case 'P':
      return "Der kan kun skemalægges med specielskema, når man står i et medarbejderskema. ";
    case 'O':
      return "Der kan kun skemalægges omsorgsdage, når man står i et medarbejderskema. ";
    case 'Y':
      return "Der kan kun skemalægges sygdomsdage, når man står i et medarbejderskema. ";
    default:
      return nullptr;
  }
}

INT_PTR CALLBACK AutoSkemaProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  static const int kKnapper[] = {IDC_AUTOSKEMA_GODKEND, IDC_AUTOSKEMA_LAAS, IDC_AUTOSKEMA_AABEN, IDC_AUTOSKEMA_SLET};
  switch (msg) {
    case WM_INITDIALOG:
      CheckDlgButton(dlg, IDC_AUTOSKEMA_GODKEND, BST_CHECKED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        int valgt = IDC_AUTOSKEMA_GODKEND;
        for (int k : kKnapper)
          if (IsDlgButtonChecked(dlg, k) == BST_CHECKED) valgt = k;
        EndDialog(dlg, valgt);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

char PlaceringsArt(const TastInfo &t) {
  const bool shift = t.shift != 0, ctrl = t.ctrl != 0;
  switch (t.wParam) {
    case VK_RETURN:
      return 'S';
    case 'T':
    case 'D':
      return shift || ctrl ? 'S' : 0;
    case 'F':
      return ctrl ? 'F' : shift ? 'H' : 0;
    case 'M':
      return shift || ctrl ? 'O' : 0;
    case 'P':
      return shift || ctrl ? 'A' : 0;
    case 'X':
      return shift || ctrl ? 'P' : 0;
    case 'Y':
      return shift && !ctrl ? 'Y' : 0;
    default:
      return 0;
  }
}

int AutoSkemaDialog(HWND hwnd, SkeStruct *ske) {
  RegistrerSkemaDialoger();
  const int svar = static_cast<int>(
      DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_AUTOSKEMA), hwndHoved ? hwndHoved : hwnd, AutoSkemaProc, 0));
  uint32_t aendret = 0;
  switch (svar) {
    case IDC_AUTOSKEMA_GODKEND:
      aendret = MarkerSkift(ske, SKE_AUTOSKEMA | SKE_EGEN);
      break;
    case IDC_AUTOSKEMA_LAAS:
      aendret = MarkerSkift(ske, SKE_MAERKE1 | SKE_AUTOSKEMA);
      break;
    case IDC_AUTOSKEMA_AABEN:
      for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i)
        aendret += MarkerSkiftIndgang(ske, i, BegivenhedStatus(ske, i) & ~uint32_t{SKE_MAERKE1});
      break;
    case IDC_AUTOSKEMA_SLET:
      for (uint32_t i = 1; ske->lpSkeVisListe && i <= ske->SkeVisAntal; ++i) {
        const SkeVisListe &v = ske->lpSkeVisListe[i];
        const SkeRec *r = VisFoersteRaekke(v);
        if (v.FarveKode != FARVE_MAERKET || !r || r->Ejer != GlobalIndstillinger.insnr) continue;
        if ((r->Status & (SKE_AUTOSKEMA | SKE_EGEN | SKE_MAERKE1)) != SKE_AUTOSKEMA) continue;
        aendret += SletBegivenhed(v.AarIndeks, v.Uge, v.Forste);
      }
      break;
    default:
      return IDCANCEL;
  }
  if (aendret && hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  if (IsWindow(hwnd)) SendMessageA(hwnd, DATA_AENDRET, 0, 0);
  return svar;
}

bool PlacerTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  const bool vis = mode == KMD_UDFOER;
  const UINT tast = t.wParam;
  if (GlobalIndstillinger.skemalaast) return Boks(vis, "Der kan ikke lægges skema i et låst skema", "Skema");
  if (!AlleRollerSat()) return Boks(vis, kRollerMangler, "Roller mangler");
  const uint32_t objekt = RaekkeObjekt(ske);
  if (ske->pObjTd && objekt && !KanSkemalaegges(ske->pObjTd->TypeBogstav, objekt, vis ? 2 : 0)) return false;
  if (ske->Variant == 'B') return false;
  if (tast == VK_RETURN && ske->Tilstand == 'V' && MarkeredeAutoSkema(ske)) {
    if (vis) AutoSkemaDialog(hwnd, ske);
    return false;
  }
  if (!t.shift && !t.ctrl && tast != VK_RETURN) {
    if (t.alt && tast == 'T' && ske->Layout == 'V') {
      if (vis && ske->Ens.hwndToolbar)
        SendMessageA(ske->Ens.hwndToolbar, SKE_VISNING, ske->Visning == 'L' ? 'T' : 'L', 0);
    }
    return false;
  }
  const char art = PlaceringsArt(t);
  if (!art) return false;
  if (ske->Tilstand == 'S') {
    const uint32_t n = TaelMarkerede(ske);
    if (n && vis) {
      char tekst[80];
      std::snprintf(tekst, sizeof tekst, "Skal de %u opmærkede begivenheder slettes ?", static_cast<unsigned>(n));
      if (Spoerg(tekst, "Sletning") == IDOK) return true;
    }
    return n && !vis;
  }
  if (ske->Tilstand == 'R') {
    if (vis && ske->MaerketObjekt && RaekkeObjekt(ske) != ske->MaerketObjekt)
      for (uint32_t r = 1; r <= ske->ObjPos.Antal; ++r)
        if (SkeRaekkeObjekt(ske, r) == ske->MaerketObjekt) {
          ske->ObjPos.Aktuel = r;
          if (ske->AlleObjekter) ske->AktuelObjRaekke = r;
          break;
        }
    return true;
  }
  if (ske->SaerligVisning) return Boks(vis, kSkemaEnStatus, "Fejl");
  if (!vis) return true;
  if (tast == VK_RETURN || tast == 'T') {
    TomBeskrivelser();
    AktuelAVS.Art = 'S';
    if (ske->ObjektArt == SKE_AKTI && ske->Visning == 'L') {
      const AktiRec *a = objekt ? TabRec<AktiRec>(tvakti, objekt) : nullptr;
      const uint32_t ring = a ? a->risy_id : 0;
      if (!ring || !TabRec<RisyRec>(tvrisy, ring))
        return Boks(vis,
                    "Der er ingen ringetid på denne aktivitet.\nAktiviteten skal have tilknyttet en ringetid, før "
                    "der kan skemalægges på den.",
                    "Fejl");
      ske->RingSystem = ring;
      if (ske->Ens.hwndToolbar) SendMessageA(ske->Ens.hwndToolbar, RING_VIS_ID, ring, 0);
      AddAVSEgenskab(&AktuelAVS, 'R', ring, 0, 0);
    }
    TilfoejObjekt(ske);
    return true;
  }
  if (art != 'S' && ske->ObjektArt != SKE_ANFO) return Boks(vis, KunMedarbejderTekst(art), "Information");
  if (art == 'P' && !GlobalIndstillinger.normsystem)
    return Boks(vis,
                "Særlig skema er kun mulig, hvis man bruger normsystem fra Pelago+.\nOg under meny punktet System / "
                "Installations oplysninger / Diverse skal fluebenet sættes ved 'Normsystem', før du kan skemalægge "
                "særlig skema.",
                "Særlig skema oplysning", MB_ICONINFORMATION);
  TomBeskrivelser();
  AktuelAVS.Placering = 'D';
  if (ske->ObjektArt == SKE_ANFO && !GlobalIndstillinger.normsystem && HarSkemaDenneDag(ske)) {
    if (MessageBoxA(hwndHoved,
                    "Medarbejderen har skema denne dag!\nFjern skemaet fra medarbejderen inden der skemalægges på en "
                    "hel dag.\nEller fortsæt i tidsmode og marker uden om skemaet, så det ikke konflikter!",
                    "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
      return false;
    HeldagSomTid = 1;
  }
  AktuelAVS.Art = art;
  if (art == 'Y') ske->SygdomFlag = 1;
  if (ske->Visning == 'D' && ske->BlokAktiv) {
    if (Spoerg("En lektionsblok kan ikke bruges i DagSkema. Hvis der fortsættes bliver den slettet !", "Blok findes") !=
        IDOK)
      return false;
    std::memset(ske->BlokHjoerner, 0, sizeof ske->BlokHjoerner);
    ske->BlokAktiv = 0;
  }
  if (art == 'O') AddAVSEgenskab(&AktuelAVS, 'K', GetOmsorgAkti(), 0, 0);
  if (art == 'A') AddAVSEgenskab(&AktuelAVS, 'K', GetAfspadserAkti(), 0, 0);
  TilfoejObjekt(ske);
  return true;
}

SkemaTastSvar PlacerUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t) {
  SkemaTastSvar svar;
  const char art = PlaceringsArt(t);
  if (!art) return svar;
  ske->Tastet[0] = '\0';
  if (ske->Tilstand == 'S') {
    SletMarkerede(ske);
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
    if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
    if (IsWindow(hwnd) && TaelMarkerede(ske) == 0) SendTast(hwnd, VK_ESCAPE, false, false, false);
    svar.tegn = SKE_TEGN_ALT;
    return svar;
  }
  if (ske->Tilstand == 'R') {
    // The change starts from the event the marking started from.
    KopierAVS(&ske->SoegAVS, &GammelAVS);
    KopierAVS(&ske->SoegAVS, &AktuelAVS);
    AktuelAVS.Kode5 = 'R';
    const bool sygdom = GammelAVS.Placering == 'D' && GammelAVS.anfoAntal && GammelAVS.skemarolTab &&
                        FindSlsKodeForSkemarol(GammelAVS.skemarolTab[0]) != 0;
    AktuelAVS.Placering = sygdom ? 'D' : ske->Visning;
    ske->RetStartet = 1;
    std::memset(ske->BlokHjoerner, 0, sizeof ske->BlokHjoerner);
    ske->BlokAktiv = 0;
  } else {
    AktuelAVS.Kode5 = 'B';
    if (t.wParam == VK_RETURN) {
      AktuelAVS.Placering = ske->Visning;
      AktuelAVS.Art = 'S';
    } else if (t.wParam == 'T') {
      AktuelAVS.Placering = 'T';
      AktuelAVS.Art = 'S';
    } else {
      AktuelAVS.Placering = HeldagSomTid ? 'T' : 'D';
      HeldagSomTid = 0;
      AktuelAVS.Art = art;
    }
  }
  AktuelAVS.Kode2 = 'V';
  AktuelAVS.Kode3 = 'B';
  KopierAVS(&AktuelAVS, &ArbejdsAVS);
  const UINT besked = AktuelAVS.Placering == 'L'   ? HOVED_INDTAST_LEKTION
                      : AktuelAVS.Placering == 'D' ? HOVED_INDTAST_DAG
                                                   : HOVED_INDTAST_TID;
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, besked, 0, static_cast<LPARAM>(hwnd));
  return svar;
}

SkemaTastSvar AutoSkemaVisning(HWND hwnd, SkeStruct *ske) {
  SkemaTastSvar svar;
  if (ske->Variant == 'A') {
    ske->Variant = 'N';
    ske->Tilstand = 'V';
    ske->Statustekst[0] = '\0';
    SkemaTitel(ske, ske->Ens.Titel, sizeof ske->Ens.Titel);
    svar.genbyg = true;
    svar.tegn = SKE_TEGN_ALT;
    return svar;
  }
  UgeIndeks fundet = 0;
  for (UgeIndeks u = 1; u <= SkemaPeriode.AntalUger && !fundet; ++u) {
    const TabVar *b = BegBucket(IndeksTilAarOffset(u), static_cast<uint8_t>(IndeksTilUgeNr(u)));
    for (uint32_t r = 1; b && b->pbTab && r < b->wRecCnt && !fundet; ++r) {
      const SkeRec *s = reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      if (s->Status & (SKE_AUTOSKEMA | SKE_MAERKE1)) fundet = u;
    }
  }
  if (!fundet) {
    MessageBoxA(hwndHoved, "Der er ikke nogen skemabrikker fra autoskema at vise!", "Auto Skema mode",
                MB_OK | MB_ICONINFORMATION);
    return svar;
  }
  SkemaPeriode.AktuelUgeIndeks = fundet;
  if (!ske->Ens.Aktiv || !ske->AlleObjekter) {
    if (hwndHoved && IsWindow(hwndHoved)) PostMessageA(hwndHoved, HOVED_PRIKSKEMA, 0, static_cast<LPARAM>(hwnd));
    return svar;
  }
  ske->AktuelUgeRaekke = FindUgeRaekke(ske, fundet);
  ske->Variant = 'A';
  ske->Tilstand = 'V';
  std::snprintf(ske->Statustekst, sizeof ske->Statustekst, "%s", "KSMLREB");
  SkemaTitel(ske, ske->Ens.Titel, sizeof ske->Ens.Titel);
  svar.genbyg = true;
  svar.tegn = SKE_TEGN_ALT;
  return svar;
}

namespace {

// Y: Ctrl starts a sickness registration, Shift places a sickness day.
bool YTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  return t.ctrl ? SygdomTjek(hwnd, ske, t, mode) : PlacerTjek(hwnd, ske, t, mode);
}
SkemaTastSvar YUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t) {
  return t.ctrl ? SkemaTastSvar{} : PlacerUdfoer(hwnd, ske, t);
}

}  // namespace

void RegistrerBegivenhedsTaster() {
  for (UINT tast : {static_cast<UINT>(VK_RETURN), static_cast<UINT>('D'), static_cast<UINT>('F'),
                    static_cast<UINT>('M'), static_cast<UINT>('P'), static_cast<UINT>('T'), static_cast<UINT>('X')})
    SaetSkemaTast(tast, PlacerTjek, PlacerUdfoer);
  SaetSkemaTast('Y', YTjek, YUdfoer);
  SaetSkemaTast(VK_ADD, nullptr, KopierUdfoer);
  SaetSkemaTast(VK_OEM_PLUS, nullptr, KopierUdfoer);
  SaetSkemaTast(VK_INSERT, IndsaetTjek, IndsaetUdfoer);
  SaetSkemaTast('V', IndsaetTjek, IndsaetUdfoer);
  SaetSkemaTast('S', SletMarkTjek, nullptr);
  SaetSkemaTast('R', RetMarkTjek, nullptr);
  SaetSkemaTast(VK_DELETE, SletTjek, SletUdfoer);
  SaetSkemaTast(VK_SPACE, MellemrumTjek, MellemrumUdfoer);
}
