// The AutoSkema import. Every element of the answer is placed from an empty
// property set, so a member one element lacks never carries over from the
// element before; events outside the schedule period are logged and passed
// over. The exchange files go only with the save that holds the events.
#include "ImpAutoSkema.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "GEMNING.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "ImpSkema.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "SKEREC.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "VINDUER.h"
#include "win/menu.h"

namespace {

constexpr char kLogNavn[] = "AutoSkemaIkkePlaceret.log";
constexpr uint32_t kAutoSkemaStatus = SKE_AUTOSKEMA;
constexpr UINT kAutoLogKommando = 40286;

// The members of an object: (name, value) in the file's order.
template <class Fn>
void ForHvertMedlem(const json_node *objekt, Fn fn) {
  if (!objekt || objekt->type != JSON_OBJECT) return;
  for (const json_node *l = objekt->child; l; l = l->next)
    if (l->type == JSON_STRING && l->text && l->child) fn(l->text, l->child);
}

const json_node *Medlem(const json_node *objekt, const char *navn) {
  const json_node *fundet = nullptr;
  ForHvertMedlem(objekt, [&](const char *n, const json_node *v) {
    if (!fundet && strcmp(n, navn) == 0) fundet = v;
  });
  return fundet;
}

const char *Tekst(const json_node *v) { return v && v->text ? v->text : ""; }

bool ErTal(const json_node *v) { return v && v->type == JSON_NUMBER; }
bool ErListe(const json_node *v) { return v && v->type == JSON_ARRAY; }

// A number given as a JSON number or as a text.
uint32_t Tal(const json_node *v) {
  if (!v || (v->type != JSON_NUMBER && v->type != JSON_STRING)) return 0;
  return static_cast<uint32_t>(strtoul(Tekst(v), nullptr, 10));
}

// The employment of an "undervisere" object: its member "anfo_id", or the
// first member when none has that name.
const json_node *AnfoId(const json_node *objekt) {
  if (const json_node *v = Medlem(objekt, "anfo_id")) return v;
  return objekt && objekt->type == JSON_OBJECT && objekt->child ? objekt->child->child : nullptr;
}

// The text of a value for the log: a number or text as written, else its
// kind.
std::string VaerdiTekst(const json_node *v) {
  switch (v->type) {
    case JSON_STRING:
    case JSON_NUMBER:
      return Tekst(v);
    case JSON_OBJECT:
      return "{...}";
    case JSON_ARRAY:
      return "[...]";
    case JSON_TRUE:
      return "true";
    case JSON_FALSE:
      return "false";
    default:
      return "null";
  }
}

void Ukendt(const char *navn, const json_node *v) {
  LogPrintf("** Fejl: json_behandl_input(): Ukendt (ubehandlet) værdi: %s = %s \n", navn, VaerdiTekst(v).c_str());
}

unsigned long Id(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  const uint8_t *p = nr && nr < tv.wRecCnt && tv.pbTab ? GetRec(&td, &tv, nr) : nullptr;
  uint32_t id = 0;
  if (p) memcpy(&id, p, sizeof id);
  return id;
}

template <class R>
const R *Post(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  if (nr == 0 || nr >= tv.wRecCnt || !tv.pbTab) return nullptr;
  return reinterpret_cast<const R *>(GetRec(&td, &tv, nr));
}

void TilfoejAkti(AVS *avs, uint32_t akti) {
  uint32_t *ny = static_cast<uint32_t *>(realloc(avs->aktiTab, (avs->aktiAntal + 1) * sizeof(uint32_t)));
  if (!ny) return;
  avs->aktiTab = ny;
  avs->aktiTab[avs->aktiAntal++] = akti;
}

// The employment (room) with the role the schedule proposes for it in this
// event, through the import's readers of "id,role".
void TilfoejAnfo(AVS *avs, const char *id) {
  const uint32_t anfo = FindNoegle(tdanfo, tvanfo, id);
  char felt[64];
  snprintf(felt, sizeof felt, "%.20s,%lu", id, Id(tdskemarol, tvskemarol, anfo ? RolleForslag(avs, 'M', anfo) : 0));
  LaesMedarbejderFelt(felt, avs);
}

void TilfoejLoka(AVS *avs, const char *id) {
  const uint32_t loka = FindNoegle(tdloka, tvloka, id);
  char felt[64];
  snprintf(felt, sizeof felt, "%.20s,%lu", id, Id(tdlokrolle, tvlokrolle, loka ? RolleForslag(avs, 'L', loka) : 0));
  LaesLokaleFelt(felt, avs);
}

// One placed element into the set; false for nothing to write.
void LaesBegivenhed(const json_node *element, AVS *avs, Dato *dato) {
  ForHvertMedlem(element, [&](const char *navn, const json_node *v) {
    if (strcmp(navn, "dato") == 0 && ErTal(v)) {
      *dato = Tal(v);
    } else if (strcmp(navn, "lektion") == 0 && ErTal(v)) {
      avs->Lektion = static_cast<uint8_t>(std::min<uint32_t>(Tal(v), 255));
    } else if (strcmp(navn, "start") == 0 && ErTal(v)) {
      avs->Starttid = Tal(v);
    } else if (strcmp(navn, "slut") == 0 && ErTal(v)) {
      avs->Sluttid = Tal(v);
    } else if (strcmp(navn, "risy_id") == 0 && ErTal(v)) {
      avs->risy_id = FindNoegle(tdrisy, tvrisy, Tekst(v));
    } else if (strcmp(navn, "skfa_id") == 0 && ErTal(v)) {
      avs->skfa_id = FindNoegle(tdskfa, tvskfa, Tekst(v));
    } else if (strcmp(navn, "skemabeg_id") == 0 && ErTal(v)) {
      // The module's own number of the event: not kept.
    } else if (strcmp(navn, "akti") == 0 && ErListe(v)) {
      CleanupAVSDel(avs, 'K');
      for (const json_node *a = v->child; a; a = a->next)
        if (const uint32_t r = FindNoegle(tdakti, tvakti, Tekst(a))) TilfoejAkti(avs, r);
    } else if (strcmp(navn, "undervisere") == 0 && ErListe(v)) {
      CleanupAVSDel(avs, 'M');
      for (const json_node *u = v->child; u; u = u->next)
        if (const json_node *id = AnfoId(u); id && (id->type == JSON_NUMBER || id->type == JSON_STRING))
          TilfoejAnfo(avs, Tekst(id));
    } else if (strcmp(navn, "loka") == 0 && ErListe(v)) {
      CleanupAVSDel(avs, 'L');
      for (const json_node *l = v->child; l; l = l->next) TilfoejLoka(avs, Tekst(l));
    } else {
      Ukendt(navn, v);
    }
  });
}

IkkePlaceret LaesIkkePlaceret(const json_node *element) {
  IkkePlaceret ip;
  ForHvertMedlem(element, [&](const char *navn, const json_node *v) {
    if (strcmp(navn, "akti_id") == 0) {
      if (const uint32_t r = FindNoegle(tdakti, tvakti, Tekst(v))) ip.akti.push_back(r);
    } else if (strcmp(navn, "skfa_id") == 0) {
      ip.skfa = FindNoegle(tdskfa, tvskfa, Tekst(v));
    } else if (strcmp(navn, "undervisere") == 0 && ErListe(v)) {
      for (const json_node *u = v->child; u; u = u->next)
        if (const json_node *id = AnfoId(u))
          if (const uint32_t r = FindNoegle(tdanfo, tvanfo, Tekst(id))) ip.anfo.push_back(r);
    } else if (strcmp(navn, "uger") == 0 && ErListe(v)) {
      // Of several weeks the last one counts.
      for (const json_node *u = v->child; u; u = u->next)
        if (const json_node *l = Medlem(u, "lektioner")) ip.lektioner = Tal(l);
    }
  });
  return ip;
}

void Fremskridt(const char *tekst) {
  if (StatusFelter.Server) SendMessageA(StatusFelter.Server, ENS_HOEJDE, 0, reinterpret_cast<LPARAM>(tekst));
}

void Menu(UINT id, bool til) {
  if (HMENU menu = hwndHoved ? GetMenu(hwndHoved) : 0)
    EnableMenuItem(menu, id, MF_BYCOMMAND | (til ? MF_ENABLED : MF_GRAYED));
}

std::string LogSti() { return std::string(StiTab.szdata) + "log\\" + kLogNavn; }

template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

}  // namespace

bool SkemaFundet(const json_node *rod) {
  const json_node *v = Medlem(rod, "skema_fundet");
  if (!v) return true;
  return v->type == JSON_TRUE || (v->type == JSON_STRING && strcmp(Tekst(v), "true") == 0);
}

int json_behandl_input(const json_node *rod, std::vector<IkkePlaceret> *ikkePlaceret) {
  const json_node *placerede = nullptr, *uplacerede = nullptr;
  const json_node *v = Medlem(rod, "skemabegivenheder");
  if (ErListe(v) && v->child) placerede = v->child;
  v = Medlem(rod, "ikke_placerede_planbegivenheder");
  if (ErListe(v) && v->child) uplacerede = v->child;

  int antal = 0;
  if (SkemaFundet(rod) && placerede) {
    for (const json_node *e = placerede; e; e = e->next) {
      AVS avs{};
      avs.Ejer = static_cast<uint8_t>(GlobalIndstillinger.insnr);
      avs.Antal_std_lektioner = 1;
      avs.Art = 'S';
      avs.Placering = 'L';
      Dato dato = 0;
      LaesBegivenhed(e, &avs, &dato);
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(dato, &uge, &dag);
      const UgeIndeks idx = uge ? UgeTilIndeks(uge) : 0;
      if (uge < SkemaPeriode.FoersteUge || uge > SkemaPeriode.SidsteUge || idx == 0 ||
          idx > SkemaPeriode.AntalUger) {
        LogPrintf("** Fejl: json_behandl_input(): skemabegivenhed den %lu ligger uden for skemaperioden\n",
                  static_cast<unsigned long>(dato));
        CleanupAVS(&avs);
        continue;
      }
      avs.Dag = dag;
      const uint8_t aarIdx = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar);
      if (AddBegivenhed(&avs, 0, aarIdx, static_cast<uint8_t>(uge % 100), kAutoSkemaStatus, true, nullptr, 0, 0))
        ++antal;
      CleanupAVS(&avs);
    }
    LogPrintf("      %d skemabegivenheder er indlæst\n", antal);
  }
  if (uplacerede) {
    for (const json_node *e = uplacerede; e; e = e->next) {
      IkkePlaceret ip = LaesIkkePlaceret(e);
      if (!ikkePlaceret->empty() && ikkePlaceret->back().akti == ip.akti) {
        ++ikkePlaceret->back().antal;
      } else {
        ip.antal = 1;
        ikkePlaceret->push_back(std::move(ip));
      }
    }
    LogPrintf("      %d skemabegivenheder der ikke kunne placeres\n", static_cast<int>(ikkePlaceret->size()));
  }
  return antal;
}

void SkrivIkkePlaceretLog(const std::vector<IkkePlaceret> &ikkePlaceret) {
  FILE *f = fopen(LogSti().c_str(), "w");
  if (!f) return;
  fprintf(f, "Planlagte skemabegivenheder, som ikke kunne placeres!\n\n");
  for (const IkkePlaceret &ip : ikkePlaceret) {
    std::string linje;
    if (!ip.akti.empty()) {
      linje += "Aktivitet: ";
      for (size_t i = 0; i < ip.akti.size(); ++i) {
        const AktiRec *a = Post<AktiRec>(tdakti, tvakti, ip.akti[i]);
        linje += (i ? ", " : "") + (a ? Felt(a->Aktivitet) : std::string());
      }
    }
    if (const SkfaRec *s = Post<SkfaRec>(tdskfa, tvskfa, ip.skfa))
      linje += "; Skolefag: " + Felt(s->Skolefag) + " - " + Felt(s->Betegnelse);
    if (!ip.anfo.empty()) {
      linje += "; Underviser: ";
      for (size_t i = 0; i < ip.anfo.size(); ++i) {
        const AnfoRec *a = Post<AnfoRec>(tdanfo, tvanfo, ip.anfo[i]);
        const MedaRec *m = a ? Post<MedaRec>(tdmeda, tvmeda, a->meda_id) : nullptr;
        linje += (i ? ", " : "") + (m ? Felt(m->Initialer) : std::string());
      }
    }
    fprintf(f, "%s;  Antal ikke placerede: %d ud af %d.\n", linje.c_str(), static_cast<int>(ip.antal),
            static_cast<int>(ip.lektioner));
  }
  fclose(f);
}

void ImpAutoSkema() {
  LogPrintf("   ImpAutoSkema(): Starter import\n");
  DeleteFileA(LogSti().c_str());

  FILE *fil = fopen(StiTab.szasimp, "r");
  if (!fil) {
    char tekst[kStiLaengde + 64];
    snprintf(tekst, sizeof tekst, "Kunne ikke åbne importfilen %s.", StiTab.szasimp);
    MessageBoxA(hwndHoved, tekst, "Fejl ved filåbning!", MB_OK | MB_ICONEXCLAMATION);
    LogPrintf("   ImpAutoSkema(): %s\n", tekst);
    Fremskridt("");
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
    return;
  }
  json_node *rod = nullptr;
  const int rc = json_laes_fil(fil, &rod);
  fclose(fil);
  if (rc != JSON_FAERDIG || !rod) {
    const char *tekst = "Importfilen indeholder ugyldige data. Kontakt TAVO support for hjælp";
    LogPrintf("** FEJL: %s\n", tekst);
    MessageBoxA(hwndHoved, tekst, "Fejl i input-data!", MB_OK | MB_ICONEXCLAMATION);
    Fremskridt("");
    SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
    return;
  }

  std::vector<IkkePlaceret> ikkePlaceret;
  const int antal = json_behandl_input(rod, &ikkePlaceret);
  MessageBoxA(hwndHoved, "Importfil er nu indlæst", "Import afsluttet!", MB_OK | MB_ICONINFORMATION);
  LogPrintf("   %s\n", "Importfil er nu indlæst");

  if (antal > 0 && hwndHoved) SendMessageA(hwndHoved, HOVED_PRIKSKEMA, 0, 0);

  bool visLog = false;
  if (!ikkePlaceret.empty()) {
    SkrivIkkePlaceretLog(ikkePlaceret);
    Menu(kAutoLogKommando, true);
    visLog = true;
  }
  if (FILE *log = fopen(LogSti().c_str(), "a")) {
    if (!SkemaFundet(rod)) {
      const json_node *fejl = Medlem(rod, "fejlmeddelelser");
      if (ErListe(fejl) && fejl->child) {
        fprintf(log, "\nFejlmeddelelser!\n\n");
        for (const json_node *m = fejl->child; m; m = m->next)
          if (m->text && m->text[0]) fprintf(log, "%s\n", m->text);
      }
      Menu(kAutoLogKommando, true);
      visLog = true;
    }
    fclose(log);
  }
  json_frigiv(rod);
  if (visLog) ShowLogFile("Auto Skema import log!", kLogNavn);

  // The answer goes with the save that holds its events: a failed save
  // keeps both files, so nothing is lost.
  bool gemt = false;
  {
    Gemning g;
    // The export the answer belongs to goes in either form: a packed one
    // left behind would be sent again in place of the next export.
    char gz[kStiLaengde + 4];
    snprintf(gz, sizeof gz, "%s.gz", StiTab.szasexp);
    GemSlet(StiTab.szasexp);
    GemSlet(gz);
    GemSlet(StiTab.szasimp);
    gemt = GemAlleData(hwndHoved, 0) && g.Fuldfoer();
  }
  if (!gemt) {
    LogPrintf("** Fejl: ImpAutoSkema(): de placerede lektioner kunne ikke gemmes; %s er bevaret\n",
              StiTab.szasimp);
  }
  Menu(kImportAutoSkemaKommando, false);
  Fremskridt("");
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
}
