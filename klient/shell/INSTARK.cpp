// The checks of the installation settings sheet's pages; they change nothing themselves.
#include "INSTARK.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "KATALOG.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TEKST.h"

const char *const kArkImportFilTekst =
    "Datakataloget indeholder en importfil. Denne skal indlæses \nfør man kan redigere installationsoplysningerne.";
const char *const kArkEksportFilTekst =
    "Der er oprettet en eksportfil.Denne skal afvikles \nfør man kan redigere installationsoplysningerne.";
const char *const kArkPeriodeInfoTekst =
    "BEMÆRK!!!\n\nEfter ændring af datoen skal der herefter oprettes en export\nog kontakt til serveren for at få "
    "stamdata til den nye periode!";

namespace {

constexpr Dato kFoersteDato = 19900101, kSidsteDato = 20991231;

ArkSvar Svar(ArkArt art, const char *tekst, ArkFelt felt) { return ArkSvar{art, tekst, felt}; }

// The text without blanks, cut to the buffer.
void UdenBlanke(const char *tekst, char *ud, size_t n) {
  std::strncpy(ud, tekst ? tekst : "", n - 1);
  ud[n - 1] = 0;
  StripBlanks(ud);
}

bool HeltTal(const char *tekst, uint32_t maks, uint32_t *tal) {
  char t[64];
  UdenBlanke(tekst, t, sizeof t);
  if (!t[0] || std::strlen(t) > 9) return false;
  for (const char *p = t; *p; ++p)
    if (*p < '0' || *p > '9') return false;
  const uint32_t v = static_cast<uint32_t>(std::strtoul(t, nullptr, 10));
  if (v > maks) return false;
  *tal = v;
  return true;
}

Dato LaesDato(const char *tekst) {
  char t[64];
  UdenBlanke(tekst, t, sizeof t);
  return static_cast<Dato>(std::atoi(t) < 0 ? 0 : std::atoi(t));
}

Klokkeslaet LaesTid(const char *tekst) {
  char t[64];
  UdenBlanke(tekst, t, sizeof t);
  KeepDigits(t);
  t[9] = 0;
  return static_cast<Klokkeslaet>(std::atoi(t));
}

}  // namespace

bool LaesInstallationsnr(const char *tekst, uint8_t *nr) {
  uint32_t v = 0;
  if (!HeltTal(tekst, 99, &v)) return false;
  *nr = static_cast<uint8_t>(v);
  return true;
}

ArkSvar CheckInstallationSide(const InstallationsFelter &f, uint8_t *nr, bool *nulstil) {
  uint8_t ny = 0;
  const bool gyldig = LaesInstallationsnr(f.Insnr, &ny);
  const bool skiftet = !gyldig || ny != f.AktuelInsnr;
  if (skiftet && f.ImportFil) return Svar(ArkArt::Fejl, kArkImportFilTekst, kArkInsnr);
  if (skiftet && f.EksportFil) return Svar(ArkArt::Fejl, kArkEksportFilTekst, kArkInsnr);
  if (!gyldig) return Svar(ArkArt::Fejl, "Installationsnr kan ikke være større end 99.", kArkInsnr);
  *nr = ny;
  *nulstil = ny != f.AktuelInsnr || f.SuperTavo != f.AktuelSuperTavo;
  if (f.AktuelSuperTavo && !f.SuperTavo && f.EgneData)
    return Svar(ArkArt::Advarsel,
                "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationen ændres til en almindelig\n"
                "Tavo-installation, vil det resultere i at det nuværende skema fjernes\nog at der herefter må "
                "udføres en gendannelse af skemaet!",
                kArkInsnr);
  if (!f.AktuelSuperTavo && f.SuperTavo && f.EgneData)
    return Svar(ArkArt::Advarsel,
                "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationen ændres til en \n"
                "SuperTavo-installation, vil det resultere i at det nuværende skema fjernes\nog at der herefter må "
                "udføres en kontakt!",
                kArkSuperTavo);
  if (skiftet && f.EgneData)
    return Svar(ArkArt::Advarsel,
                "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationsnummeret skiftes\nvil det "
                "resultere i at det nuværende skema fjernes\nog at der herefter må udføres en gendannelse af "
                "skemaet!",
                kArkInsnr);
  if (skiftet && f.LevendeStamdata)
    return Svar(ArkArt::Advarsel,
                "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis installationsnummeret skiftes\nvil det "
                "resultere i at de nuværende aktiviteter, lærere og lokaler fjernes\nog at der herefter må udføres "
                "en gendannelse af skemaet!",
                kArkInsnr);
  return {};
}

ArkSvar CheckPeriodeSide(const PeriodeFelter &f, Dato *fra, Dato *til, bool *info) {
  const Dato F = LaesDato(f.Fra), T = LaesDato(f.Til);
  const bool skiftet = F != f.AktuelFra || T != f.AktuelTil;
  if (skiftet && f.ImportFil) return Svar(ArkArt::Fejl, kArkImportFilTekst, kArkFraDato);
  if (skiftet && f.EksportFil) return Svar(ArkArt::Fejl, kArkEksportFilTekst, kArkFraDato);
  if (F < kFoersteDato || F > kSidsteDato)
    return Svar(ArkArt::Fejl, "Startdato skal ligge mellem 19900101 og 20991231.", kArkFraDato);
  if (!GyldigDato(F))
    return Svar(ArkArt::Fejl, "Startdato skal angives på formatet ÅÅÅÅMMDD (f.eks. 19980701).", kArkFraDato);
  if (T < kFoersteDato || T > kSidsteDato)
    return Svar(ArkArt::Fejl, "Slutdato skal ligge mellem 19900101 og 20991231.", kArkTilDato);
  if (!GyldigDato(T))
    return Svar(ArkArt::Fejl, "Slutdato skal angives på formatet ÅÅÅÅMMDD (f.eks. 20040701).", kArkTilDato);
  if (T <= F) return Svar(ArkArt::Fejl, "Slutdato skal ligge efter startdato.", kArkTilDato);
  if (T - F < 200) return Svar(ArkArt::Fejl, "Skemaet skal mindst dække 2 måneder.", kArkTilDato);
  *fra = F;
  *til = T;
  *info = T != f.AktuelTil;
  if (F < f.AktuelFra && f.AktuelFra != 0 && f.Insnr >= 1)
    return Svar(ArkArt::Advarsel,
                "BEMÆRK!!!\n\nHer skal man være opmærksom på, at hvis startdatoen sættes tilbage,\nvil det "
                "resultere i at de nuværende aktiviteter, lærere og lokaler fjernes\nog at der herefter skal "
                "oprettes en export og kontakt til serveren for at gendanne skemaet!",
                kArkTilDato);
  return {};
}

ArkSvar CheckDageSide(const DageFelter &f, DageVaerdier *v) {
  char t[200];
  UdenBlanke(f.Lektioner, t, sizeof t);
  const int L = std::atoi(t);
  UdenBlanke(f.Dage, t, sizeof t);
  const int D = std::atoi(t);
  if (L < 1 || L > 48) return Svar(ArkArt::Fejl, "Antal timer skal ligge mellem 1 og 48.", kArkLektioner);
  if (D < 1 || D > 7) return Svar(ArkArt::Fejl, "Antal dage skal ligge mellem 1 og 7.", kArkDage);
  if (L * D < 5) return Svar(ArkArt::Fejl, "Skemaet skal vise mindst 5 lektioner.", kArkDage);
  const Klokkeslaet S = LaesTid(f.Starttid), E = LaesTid(f.Sluttid);
  // A minute part above 59 is not a clock time ("8:75" would be stored as 875).
  if (!(S < E && S >= 100 && E < 2400) || S % 100 > 59 || E % 100 > 59)
    return Svar(ArkArt::Fejl,
                "Starttid må ikke være før end 1:00 og\nStarttid skal være mindre end Sluttid og Sluttid må ikke "
                "være senere end 23:59.\n",
                kArkStarttid);
  UdenBlanke(f.StdLektioner, t, sizeof t);
  CommaToPoint(t);
  KeepDigitsPoint(t);
  const double N = std::atof(t);
  if (static_cast<long long>(N * 1000 + 0.5) % 10 != 0 || N > 10.0)
    return Svar(ArkArt::Fejl,
                "Antal std.lekt. kan ikke angives med mere end 2 decimaler og må ikke være større end 10,0.\n",
                kArkStdLektioner);
  *v = DageVaerdier{static_cast<uint32_t>(D), static_cast<uint32_t>(L), S, E, N};
  return {};
}

uint32_t TaelEgneBegivenheder(uint8_t insnr) {
  uint32_t n = 0;
  for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(i));
    if (!b || !b->pbTab) continue;
    const auto *r = reinterpret_cast<const SkeRec *>(b->pbTab);
    for (uint32_t k = 1; k < b->wRecCnt && k < b->AllocAntal; ++k)
      n += (r[k].Status & SKE_EGEN) && r[k].Forste == k && r[k].Ejer == insnr;
  }
  return n;
}

uint32_t TaelEgneTimoak(uint8_t insnr) {
  uint32_t n = 0;
  for (uint32_t i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(i));
    if (!b || !b->pbTab) continue;
    const auto *r = reinterpret_cast<const TimoakRaekke *>(b->pbTab);
    for (uint32_t k = 1; k < b->wRecCnt && k < b->AllocAntal; ++k) n += (r[k].Status & 64) && r[k].Ejer == insnr;
  }
  return n;
}

uint32_t TaelLevendeStamdata() {
  uint32_t n = 0;
  auto lever = [](uint8_t s) { return s >= 10 && s <= 29; };
  for (uint32_t k = 1; k < tvakti.wRecCnt; ++k)
    if (const AktiRec *a = TabRec<AktiRec>(tvakti, k)) n += lever(a->Status);
  for (uint32_t k = 1; k < tvmeda.wRecCnt; ++k)
    if (const MedaRec *m = TabRec<MedaRec>(tvmeda, k)) n += lever(m->Status);
  for (uint32_t k = 1; k < tvloka.wRecCnt; ++k)
    if (const LokaRec *l = TabRec<LokaRec>(tvloka, k)) n += lever(l->Status);
  return n;
}
