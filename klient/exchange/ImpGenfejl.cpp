// The refusal report names events and postings by their place in the
// buckets as the export sent them (year, week or month, row), so every place
// is checked against the period and the bucket before a row is read.
#include "ImpGenfejl.h"

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "ImpTabel.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"
#include "tavo/cp1252.h"
#include "windows.h"

namespace {

// The ','-separated numbers of a text; missing ones are 0.
std::vector<long> Tal(const char *tekst, size_t antal) {
  std::vector<long> v(antal, 0);
  const char *p = tekst;
  for (size_t i = 0; i < antal && p; ++i) {
    v[i] = strtol(p, nullptr, 10);
    p = strchr(p, ',');
    if (p) ++p;
  }
  return v;
}

// A text field of a record, ended at its size.
template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

template <class R>
const R *Rec(const TabDesc &td, const TabVar &tv, uint32_t r) {
  return r && r < tv.wRecCnt ? reinterpret_cast<const R *>(GetRec(&td, &tv, r)) : nullptr;
}

std::string Initialer(uint32_t anfo) {
  const AnfoRec *a = Rec<AnfoRec>(tdanfo, tvanfo, anfo);
  const MedaRec *m = a ? Rec<MedaRec>(tdmeda, tvmeda, a->meda_id) : nullptr;
  return m ? Felt(m->Initialer) : std::string();
}
std::string Aktivitet(uint32_t akti) {
  const AktiRec *a = Rec<AktiRec>(tdakti, tvakti, akti);
  return a ? Felt(a->Aktivitet) : std::string();
}

std::string FejlTekst(int kode, char tabel) {
  char tekst[128];
  StatusKodeTekst(static_cast<uint32_t>(kode), tekst, sizeof tekst, tabel);
  return tekst[0] ? tekst : "Ukendt fejl!";
}

std::string Saml(const std::vector<std::string> &v) {
  std::string s;
  for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + v[i];
  return s;
}

// The week or month of a year inside the period, else 0.
Uge PeriodeUge(long aar, long uge) {
  if (aar < 1900 || aar > 2099 || uge < 1 || uge > 53) return 0;
  const Uge u = static_cast<Uge>(aar * 100 + uge);
  const UgeIndeks w = UgeTilIndeks(u);
  return w >= 1 && w <= SkemaPeriode.AntalUger && IndeksTilUge(w) == u ? u : 0;
}
Maaned PeriodeMaaned(long aar, long mnd) {
  if (aar < 1900 || aar > 2099 || mnd < 1 || mnd > 12) return 0;
  const Maaned m = static_cast<Maaned>(aar * 100 + mnd);
  return m >= SkemaPeriode.FoersteMaaned && m <= SkemaPeriode.SidsteMaaned ? m : 0;
}


}  // namespace

void SkemaFejlLinje(FILE *rapport, const char *tekst, GenfejlTilstand *t) {
  const std::vector<long> v = Tal(tekst, 7);
  const long fejl = v[3], objekt = v[6];
  const Uge u = PeriodeUge(v[0], v[1]);
  TabVar *b = u ? SkemabegBucket(u) : nullptr;
  if (!b) {
    LogPrintf("** Fejl: genfejl: uge %ld-%ld ligger uden for skemaperioden\n", v[0], v[1]);
    return;
  }
  if (v[2] <= 0 || static_cast<unsigned long>(v[2]) >= b->wRecCnt) return;
  const uint32_t forste = static_cast<uint32_t>(v[2]);
  const SkeRec *f = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, forste));
  std::vector<std::string> akti, anfo, loka;
  for (uint32_t r = forste; r < b->wRecCnt; ++r) {
    const SkeRec *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
    if (r > forste && s->Forste != forste) break;
    if (s->akti_id) akti.push_back(Aktivitet(s->akti_id));
    if (s->anfo_id) anfo.push_back(Initialer(s->anfo_id));
    if (const LokaRec *l = s->loka_id ? Rec<LokaRec>(tdloka, tvloka, s->loka_id) : nullptr)
      loka.push_back(Felt(l->Lokalenr));
  }
  if (fejl != t->SidsteFejl || objekt != t->SidsteObjekt) {
    fprintf(rapport, "Skema fejl %i, objekt %i: %s\n", static_cast<int>(fejl), static_cast<int>(objekt),
            FejlTekst(static_cast<int>(fejl), 'F').c_str());
    t->SidsteFejl = static_cast<int>(fejl);
    t->SidsteObjekt = static_cast<int>(objekt);
  }
  std::string fag;
  if (const SkfaRec *s = Rec<SkfaRec>(tdskfa, tvskfa, f->skfa_id))
    fag = Felt(s->Skolefag) + " " + Felt(s->Betegnelse);
  fprintf(rapport, "%i,%i,%i;%s;%s;%s;%s;\n", static_cast<int>(UgeDagTilDato(u, f->Dag)),
          static_cast<int>(f->Starttid), static_cast<int>(f->Sluttid), Saml(akti).c_str(), fag.c_str(),
          Saml(anfo).c_str(), Saml(loka).c_str());
}

void PostFejlLinje(FILE *rapport, const char *tekst, GenfejlTilstand *t) {
  const std::vector<long> v = Tal(tekst, 4);
  if (v[0] == 0 || v[1] == 0 || v[2] == 0) return;
  const Maaned m = PeriodeMaaned(v[0], v[1]);
  TabVar *b = m ? TimoakBucket(m) : nullptr;
  if (!b) {
    LogPrintf("** Fejl: genfejl: måned %ld-%ld ligger uden for skemaperioden\n", v[0], v[1]);
    return;
  }
  if (v[2] < 0 || static_cast<unsigned long>(v[2]) >= b->wRecCnt) return;
  const TimoakRaekke *p = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, static_cast<uint32_t>(v[2])));
  if (v[3] != t->SidsteFejl) {
    fprintf(rapport, "Post fejl %i : %s\n", static_cast<int>(v[3]), FejlTekst(static_cast<int>(v[3]), 'B').c_str());
    t->SidsteFejl = static_cast<int>(v[3]);
  }
  // Negative hours keep their sign also below one hour ("-0,50").
  const long timer = p->Timer, abs = timer < 0 ? -timer : timer;
  fprintf(rapport, "%i;%s;%s;%s%ld,%02ld;\n", static_cast<int>(p->Dato), Aktivitet(p->akti_id).c_str(),
          Initialer(p->anfo_id).c_str(), timer < 0 ? "-" : "", abs / 100, abs % 100);
}

char *ImporterGenfejl(FILE *fil, char *linje, const ImportStatus *pStatus) {
  char sti[kStiLaengde];
  snprintf(sti, sizeof sti, "%slog\\genfejl.log", StiTab.szdata);
  FILE *rapport = AabnDataFil(sti, "w");
  if (!rapport) {
    LogPrintf("** Fejl: %s kan ikke oprettes; afsnittet genfejl springes over\n", sti);
    return HverAfsnitLinje(fil, linje, [](char *) {});
  }
  int skema = 0, poster = 0;
  if (FILE *exp = AabnDataFil(StiTab.szexp, "r")) {
    char foerste[IMPORT_LINJE_LEN + 1] = "";
    if (fgets(foerste, sizeof foerste, exp) &&
        sscanf(foerste, "%*c;%*c;%*d;%*d;%*d;%*d;%d;%*d;%*d;%d", &skema, &poster) != 2)
      skema = poster = 0;
    fclose(exp);
  }
  fprintf(rapport, "Denne logfil er genereret, fordi skemaet er blevet gendannet.\n");
  fprintf(rapport, "Årsagen til gendannelsen kan være at:\n");
  fprintf(rapport, " antal skema i easy er : %d, antal skema på pc'en er : %d\n", static_cast<int>(pStatus->Tal1),
          skema);
  fprintf(rapport, " antal poster i easy er: %d, antal poster på pc'en er: %d\n\n", static_cast<int>(pStatus->Tal2),
          poster);
  fprintf(rapport, "Fejllinie syntaks for skemabegivenhed.\n");
  fprintf(rapport, "Dato,Starttid,Sluttid;Akti,...;Skfa;Meda,...;Loka,...;\n");
  fprintf(rapport, "Fejllinie syntaks for postering.\n");
  fprintf(rapport, "Dato;Akti;Meda;Timer;\n\n");
  fprintf(rapport, "Følgende skemabegivenheder / timeposter kunne IKKE behandles i EASY.\n");
  fprintf(rapport, "%s\n", std::string(71, '-').c_str());
  GenfejlTilstand t;
  char *naeste = HverAfsnitLinje(fil, linje, [&](char *l) {
    if (l[0] == 'S')
      SkemaFejlLinje(rapport, l + 1, &t);
    else if (l[0] == 'T')
      PostFejlLinje(rapport, l + 1, &t);
  });
  fclose(rapport);
  LayoutStatusBar();
  return naeste;
}

namespace {

void Kopier(char *del, const char *p, size_t n) {
  const size_t kopi = n < kInifilDelLaengde ? n : kInifilDelLaengde;
  memcpy(del, p, kopi);
  del[kopi] = 0;
}

// One settings line "section.key=value"; fewer parts write nothing.
void Indstilling(const char *linje) {
  // The section ends at the first '.' (its first character always belongs
  // to it), the key at the following '='; the value is the rest.
  char sektion[kInifilDelLaengde + 1], noegle[kInifilDelLaengde + 1], vaerdi[kInifilDelLaengde + 1];
  const size_t ns = 1 + strcspn(linje + 1, ".");
  if (!linje[ns]) return;
  const char *k = linje + ns + 1;
  const size_t nk = strcspn(k, "=");
  if (nk == 0 || !k[nk]) return;
  Kopier(sektion, linje, ns);
  Kopier(noegle, k, nk);
  Kopier(vaerdi, k + nk + 1, strlen(k + nk + 1));
  if (strcasecmp(noegle, "B069_Afrunding") == 0) {
    int d = 0, m = 0, a = 0;
    if (sscanf(vaerdi, "%d-%d-%d", &d, &m, &a) == 3) snprintf(vaerdi, sizeof vaerdi, "%04d%02d%02d", a, m, d);
  }
  for (char *c = noegle; *c; ++c) *c = static_cast<char>(tavo::Cp1252Lower(static_cast<unsigned char>(*c)));
  WritePrivateProfileStringA(sektion, noegle, vaerdi, StiTab.szini);
}

}  // namespace

char *ImporterInifil(FILE *fil, char *linje) {
  char *naeste = HverAfsnitLinje(fil, linje, [](char *l) { Indstilling(l); });
  auto &g = GlobalIndstillinger;
  g.sammenfaldsinterval = static_cast<uint8_t>(GetPrivateProfileIntA("global", "sammenfaldsinterval", 0, StiTab.szini));
  char v[kInifilDelLaengde + 1];
  GetPrivateProfileStringA("global", "checkminutnorm", "j", v, sizeof v, StiTab.szini);
  g.checkminutnorm = static_cast<char>(tavo::Cp1252Lower(static_cast<unsigned char>(v[0])));
  g.standardlektionslengde = GetPrivateProfileIntA("tider", "standardlektionslengde", 0, StiTab.szini);
  g.niveaufag = static_cast<uint8_t>(GetPrivateProfileIntA("global", "niveaufag", 0, StiTab.szini));
  // Read as the server left it; the rounding it names stays off.
  GetPrivateProfileIntA("tider", "B069_Afrunding", 20040101, StiTab.szini);
  g.afrunding = 0;
  return naeste;
}
