// generated from the data dictionary; edit with care

// Record layouts of the 88 tables, as they lie in memory and in
// data/<name>.DAT. The anfo `MedTal` field holds 4 bytes on disk only: the
// real pointer lives beside the record (GetRunPtr/SetRunPtr in TABREG.h),
// so a 64-bit build keeps these sizes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "TABREG.h"

#pragma pack(push, 1)

// ---- Catalogue of staff-time code and employment tables

struct AnomRec {
  uint32_t id;
  char Ansvarsomraade[11];  // Ansvarsområde
  uint8_t Status;
  uint32_t Fradato;
  uint32_t Tildato;
  char Betegnelse[16];
};
static_assert(sizeof(AnomRec) == 40);
static_assert(offsetof(AnomRec, id) == 0);
static_assert(offsetof(AnomRec, Ansvarsomraade) == 4);
static_assert(offsetof(AnomRec, Status) == 15);
static_assert(offsetof(AnomRec, Fradato) == 16);
static_assert(offsetof(AnomRec, Tildato) == 20);
static_assert(offsetof(AnomRec, Betegnelse) == 24);

struct HontityRec {
  uint32_t id;
  char timetype[3];
  uint8_t Status;
  char Betegnelse[16];
  char indgar_i_opgorelser;
  char per_maned;
};
static_assert(sizeof(HontityRec) == 26);
static_assert(offsetof(HontityRec, id) == 0);
static_assert(offsetof(HontityRec, timetype) == 4);
static_assert(offsetof(HontityRec, Status) == 7);
static_assert(offsetof(HontityRec, Betegnelse) == 8);
static_assert(offsetof(HontityRec, indgar_i_opgorelser) == 24);
static_assert(offsetof(HontityRec, per_maned) == 25);

struct LektreglRec {
  uint32_t id;
  uint32_t hontity_id;
  uint8_t Status;
  char kode[3];
  char Betegnelse[16];
  uint8_t Lektionsantal;
  float Omregningsfaktor;
};
static_assert(sizeof(LektreglRec) == 33);
static_assert(offsetof(LektreglRec, id) == 0);
static_assert(offsetof(LektreglRec, hontity_id) == 4);
static_assert(offsetof(LektreglRec, Status) == 8);
static_assert(offsetof(LektreglRec, kode) == 9);
static_assert(offsetof(LektreglRec, Betegnelse) == 12);
static_assert(offsetof(LektreglRec, Lektionsantal) == 28);
static_assert(offsetof(LektreglRec, Omregningsfaktor) == 29);

struct NojtRec {
  uint32_t id;
  char justeringskode[3];
  uint8_t Status;
  char Betegnelse[16];
  char deltidstype;
};
static_assert(sizeof(NojtRec) == 25);
static_assert(offsetof(NojtRec, id) == 0);
static_assert(offsetof(NojtRec, justeringskode) == 4);
static_assert(offsetof(NojtRec, Status) == 7);
static_assert(offsetof(NojtRec, Betegnelse) == 8);
static_assert(offsetof(NojtRec, deltidstype) == 24);

struct EaktRec {
  uint32_t id;
  char Aktivitetstype[5];
  uint8_t Status;
  char Betegnelse[16];
  char paragraf;
};
static_assert(sizeof(EaktRec) == 27);
static_assert(offsetof(EaktRec, id) == 0);
static_assert(offsetof(EaktRec, Aktivitetstype) == 4);
static_assert(offsetof(EaktRec, Status) == 9);
static_assert(offsetof(EaktRec, Betegnelse) == 10);
static_assert(offsetof(EaktRec, paragraf) == 26);

struct LotyRec {
  uint32_t id;
  char Aktivitetstype[5];
  uint8_t Status;
  char Betegnelse[16];
  uint32_t eakt_id;
};
static_assert(sizeof(LotyRec) == 30);
static_assert(offsetof(LotyRec, id) == 0);
static_assert(offsetof(LotyRec, Aktivitetstype) == 4);
static_assert(offsetof(LotyRec, Status) == 9);
static_assert(offsetof(LotyRec, Betegnelse) == 10);
static_assert(offsetof(LotyRec, eakt_id) == 26);

struct AldtilRec {
  uint32_t id;
  char kode[3];
  uint8_t Status;
  uint32_t loty_id;
  char Betegnelse[16];
  char Justernorm;
  float Procent;
  uint32_t nojt_id;
};
static_assert(sizeof(AldtilRec) == 37);
static_assert(offsetof(AldtilRec, id) == 0);
static_assert(offsetof(AldtilRec, kode) == 4);
static_assert(offsetof(AldtilRec, Status) == 7);
static_assert(offsetof(AldtilRec, loty_id) == 8);
static_assert(offsetof(AldtilRec, Betegnelse) == 12);
static_assert(offsetof(AldtilRec, Justernorm) == 28);
static_assert(offsetof(AldtilRec, Procent) == 29);
static_assert(offsetof(AldtilRec, nojt_id) == 33);

struct AfspRec {
  uint32_t id;
  char Afspadseringskode[3];
  uint8_t Status;
  uint32_t hontity_id_afspad;
  uint32_t loty_id_afspad;
  uint32_t hontity_id_hensat;
  uint32_t loty_id_ose_timer;
  char Betegnelse[16];
  float Afspadseringstillaeg;  // Afspadseringstillæg
};
static_assert(sizeof(AfspRec) == 44);
static_assert(offsetof(AfspRec, id) == 0);
static_assert(offsetof(AfspRec, Afspadseringskode) == 4);
static_assert(offsetof(AfspRec, Status) == 7);
static_assert(offsetof(AfspRec, hontity_id_afspad) == 8);
static_assert(offsetof(AfspRec, loty_id_afspad) == 12);
static_assert(offsetof(AfspRec, hontity_id_hensat) == 16);
static_assert(offsetof(AfspRec, loty_id_ose_timer) == 20);
static_assert(offsetof(AfspRec, Betegnelse) == 24);
static_assert(offsetof(AfspRec, Afspadseringstillaeg) == 40);

struct BeltilRec {
  uint32_t id;
  char kode[3];
  uint8_t Status;
  char Betegnelse[16];
  float minutter_pr_lektion;
  uint32_t loty_id;
  uint32_t hontity_id;
};
static_assert(sizeof(BeltilRec) == 36);
static_assert(offsetof(BeltilRec, id) == 0);
static_assert(offsetof(BeltilRec, kode) == 4);
static_assert(offsetof(BeltilRec, Status) == 7);
static_assert(offsetof(BeltilRec, Betegnelse) == 8);
static_assert(offsetof(BeltilRec, minutter_pr_lektion) == 24);
static_assert(offsetof(BeltilRec, loty_id) == 28);
static_assert(offsetof(BeltilRec, hontity_id) == 32);

struct OmsdagRec {
  uint32_t id;
  char Omsorgsdagskode[5];
  uint8_t Status;
  uint32_t loty_id;
  uint32_t hontity_id;
  char Betegnelse[16];
};
static_assert(sizeof(OmsdagRec) == 34);
static_assert(offsetof(OmsdagRec, id) == 0);
static_assert(offsetof(OmsdagRec, Omsorgsdagskode) == 4);
static_assert(offsetof(OmsdagRec, Status) == 9);
static_assert(offsetof(OmsdagRec, loty_id) == 10);
static_assert(offsetof(OmsdagRec, hontity_id) == 14);
static_assert(offsetof(OmsdagRec, Betegnelse) == 18);

struct OpgkalRec {
  uint32_t id;
  char Kalenderkode[5];
  uint8_t Status;
  char Betegnelse[16];
  uint32_t forste_opgper;
};
static_assert(sizeof(OpgkalRec) == 30);
static_assert(offsetof(OpgkalRec, id) == 0);
static_assert(offsetof(OpgkalRec, Kalenderkode) == 4);
static_assert(offsetof(OpgkalRec, Status) == 9);
static_assert(offsetof(OpgkalRec, Betegnelse) == 10);
static_assert(offsetof(OpgkalRec, forste_opgper) == 26);

struct OpgperRec {
  uint32_t id;
  uint8_t Status;
  uint32_t opgkal_id;
  uint32_t Fradato;
  uint32_t Tildato;
  float Norm;
  float Pedagogisk_pulje;
  float Paragraf_7;
  float Overtimebuffer;
  float Undertimebuffer;
  uint8_t Maanedsantal;  // Månedsantal
  uint32_t neste_opgper;
};
static_assert(sizeof(OpgperRec) == 42);
static_assert(offsetof(OpgperRec, id) == 0);
static_assert(offsetof(OpgperRec, Status) == 4);
static_assert(offsetof(OpgperRec, opgkal_id) == 5);
static_assert(offsetof(OpgperRec, Fradato) == 9);
static_assert(offsetof(OpgperRec, Tildato) == 13);
static_assert(offsetof(OpgperRec, Norm) == 17);
static_assert(offsetof(OpgperRec, Pedagogisk_pulje) == 21);
static_assert(offsetof(OpgperRec, Paragraf_7) == 25);
static_assert(offsetof(OpgperRec, Overtimebuffer) == 29);
static_assert(offsetof(OpgperRec, Undertimebuffer) == 33);
static_assert(offsetof(OpgperRec, Maanedsantal) == 37);
static_assert(offsetof(OpgperRec, neste_opgper) == 38);

struct ArafRec {
  uint32_t id;
  char kode[3];
  uint8_t Status;
  uint32_t opgkal_id;
  char Betegnelse[16];
  char Hoejeste_arbejdstid;  // Højeste_arbejdstid
  char Timelaerer;  // Timelærer
  char ac_minut_norm;
  char Periodekoersel;  // Periodekørsel
  char Udleverplan;
  char Bufferordning;
  char Akkord;
  char Norm;
  uint32_t forste_aftalop;
};
static_assert(sizeof(ArafRec) == 40);
static_assert(offsetof(ArafRec, id) == 0);
static_assert(offsetof(ArafRec, kode) == 4);
static_assert(offsetof(ArafRec, Status) == 7);
static_assert(offsetof(ArafRec, opgkal_id) == 8);
static_assert(offsetof(ArafRec, Betegnelse) == 12);
static_assert(offsetof(ArafRec, Hoejeste_arbejdstid) == 28);
static_assert(offsetof(ArafRec, Timelaerer) == 29);
static_assert(offsetof(ArafRec, ac_minut_norm) == 30);
static_assert(offsetof(ArafRec, Periodekoersel) == 31);
static_assert(offsetof(ArafRec, Udleverplan) == 32);
static_assert(offsetof(ArafRec, Bufferordning) == 33);
static_assert(offsetof(ArafRec, Akkord) == 34);
static_assert(offsetof(ArafRec, Norm) == 35);
static_assert(offsetof(ArafRec, forste_aftalop) == 36);

struct AftalopRec {
  uint32_t id;
  uint8_t Status;
  uint32_t araf_id;
  uint32_t Fradato;
  uint32_t Tildato;
  uint32_t Standardlektionslaengde;  // Standardlektionslængde
  uint32_t Pauselaengde;  // Pauselængde
  char Indgaar_i_loenpulje;  // Indgår_i_lønpulje
  float Bevillingstimefaktor;
  char kvota_pedagogisk_pulje;
  uint32_t loty_id_paedpulje;
  uint32_t loty_id_ejhonover;
  uint32_t loty_id__m_udbovertid;
  uint32_t loty_id_undertimer;
  uint32_t loty_id_buffertimer;
  uint32_t hontity_id_mertimer;
  uint32_t hontity_id_plannorm;
  uint32_t hontity_id_ejplannprm;
  uint32_t hontity_id_planover;
  uint32_t hontity_id_ejplanover;
  uint32_t lektregl_id;
  uint32_t aldtil_id;
  uint32_t afsp_id;
  uint32_t beltil_id;
  uint32_t omsdag_id;
  uint32_t neste_aftalop;
};
static_assert(sizeof(AftalopRec) == 95);
static_assert(offsetof(AftalopRec, id) == 0);
static_assert(offsetof(AftalopRec, Status) == 4);
static_assert(offsetof(AftalopRec, araf_id) == 5);
static_assert(offsetof(AftalopRec, Fradato) == 9);
static_assert(offsetof(AftalopRec, Tildato) == 13);
static_assert(offsetof(AftalopRec, Standardlektionslaengde) == 17);
static_assert(offsetof(AftalopRec, Pauselaengde) == 21);
static_assert(offsetof(AftalopRec, Indgaar_i_loenpulje) == 25);
static_assert(offsetof(AftalopRec, Bevillingstimefaktor) == 26);
static_assert(offsetof(AftalopRec, kvota_pedagogisk_pulje) == 30);
static_assert(offsetof(AftalopRec, loty_id_paedpulje) == 31);
static_assert(offsetof(AftalopRec, loty_id_ejhonover) == 35);
static_assert(offsetof(AftalopRec, loty_id__m_udbovertid) == 39);
static_assert(offsetof(AftalopRec, loty_id_undertimer) == 43);
static_assert(offsetof(AftalopRec, loty_id_buffertimer) == 47);
static_assert(offsetof(AftalopRec, hontity_id_mertimer) == 51);
static_assert(offsetof(AftalopRec, hontity_id_plannorm) == 55);
static_assert(offsetof(AftalopRec, hontity_id_ejplannprm) == 59);
static_assert(offsetof(AftalopRec, hontity_id_planover) == 63);
static_assert(offsetof(AftalopRec, hontity_id_ejplanover) == 67);
static_assert(offsetof(AftalopRec, lektregl_id) == 71);
static_assert(offsetof(AftalopRec, aldtil_id) == 75);
static_assert(offsetof(AftalopRec, afsp_id) == 79);
static_assert(offsetof(AftalopRec, beltil_id) == 83);
static_assert(offsetof(AftalopRec, omsdag_id) == 87);
static_assert(offsetof(AftalopRec, neste_aftalop) == 91);

struct AfmeRec {
  uint32_t id;
  char Kode[6];
  uint8_t Status;
  uint32_t Fradato;
  uint32_t Tildato;
  char Kortnavn[16];
};
static_assert(sizeof(AfmeRec) == 35);
static_assert(offsetof(AfmeRec, id) == 0);
static_assert(offsetof(AfmeRec, Kode) == 4);
static_assert(offsetof(AfmeRec, Status) == 10);
static_assert(offsetof(AfmeRec, Fradato) == 11);
static_assert(offsetof(AfmeRec, Tildato) == 15);
static_assert(offsetof(AfmeRec, Kortnavn) == 19);

struct MedaRec {
  uint32_t id;
  char Initialer[5];
  uint8_t Status;
  char Navn[25];
  char Meda_type[15];
  uint32_t afme_id;
  char Arb_tlf[21];
  char Privat_tlf[21];
  char Mobil_tlf[21];
  char E_mail[51];  // E-mail
  double opdtid;
};
static_assert(sizeof(MedaRec) == 176);
static_assert(offsetof(MedaRec, id) == 0);
static_assert(offsetof(MedaRec, Initialer) == 4);
static_assert(offsetof(MedaRec, Status) == 9);
static_assert(offsetof(MedaRec, Navn) == 10);
static_assert(offsetof(MedaRec, Meda_type) == 35);
static_assert(offsetof(MedaRec, afme_id) == 50);
static_assert(offsetof(MedaRec, Arb_tlf) == 54);
static_assert(offsetof(MedaRec, Privat_tlf) == 75);
static_assert(offsetof(MedaRec, Mobil_tlf) == 96);
static_assert(offsetof(MedaRec, E_mail) == 117);
static_assert(offsetof(MedaRec, opdtid) == 168);

struct AnfoRec {
  uint32_t id;
  uint32_t meda_id;
  char Loebenummer[4];  // Løbenummer
  uint8_t Status;
  uint32_t Tid;
  uint32_t Gruppe;
  char Kan_laeses;  // Kan_læses
  char Primaer_ansaettelse;  // Primær_ansættelse
  char vfm_sidst_last[9];
  char Beskrivelse[51];
  char Initialer_red[5];
  uint32_t Fradato;
  uint32_t MinStartUge;
  uint32_t StartUge;
  uint8_t StartDag;
  uint32_t Tildato;
  uint32_t MaxSlutUge;
  uint32_t SlutUge;
  uint8_t SlutDag;
  uint32_t MedTal;
  uint32_t forste_fagfordl;
  uint32_t forste_udlplan;
  double opdtid;
  uint32_t FF_Gruppe;
};
static_assert(sizeof(AnfoRec) == 138);
static_assert(offsetof(AnfoRec, id) == 0);
static_assert(offsetof(AnfoRec, meda_id) == 4);
static_assert(offsetof(AnfoRec, Loebenummer) == 8);
static_assert(offsetof(AnfoRec, Status) == 12);
static_assert(offsetof(AnfoRec, Tid) == 13);
static_assert(offsetof(AnfoRec, Gruppe) == 17);
static_assert(offsetof(AnfoRec, Kan_laeses) == 21);
static_assert(offsetof(AnfoRec, Primaer_ansaettelse) == 22);
static_assert(offsetof(AnfoRec, vfm_sidst_last) == 23);
static_assert(offsetof(AnfoRec, Beskrivelse) == 32);
static_assert(offsetof(AnfoRec, Initialer_red) == 83);
static_assert(offsetof(AnfoRec, Fradato) == 88);
static_assert(offsetof(AnfoRec, MinStartUge) == 92);
static_assert(offsetof(AnfoRec, StartUge) == 96);
static_assert(offsetof(AnfoRec, StartDag) == 100);
static_assert(offsetof(AnfoRec, Tildato) == 101);
static_assert(offsetof(AnfoRec, MaxSlutUge) == 105);
static_assert(offsetof(AnfoRec, SlutUge) == 109);
static_assert(offsetof(AnfoRec, SlutDag) == 113);
static_assert(offsetof(AnfoRec, MedTal) == 114);
static_assert(offsetof(AnfoRec, forste_fagfordl) == 118);
static_assert(offsetof(AnfoRec, forste_udlplan) == 122);
static_assert(offsetof(AnfoRec, opdtid) == 126);
static_assert(offsetof(AnfoRec, FF_Gruppe) == 134);

struct AnscRec {
  uint32_t id;
  uint32_t anfo_id;
  uint8_t Status;
  char Personalekategori[5];
  char Stillingskode[7];
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  uint32_t Ansaettelsesdato;  // Ansættelsesdato
  double opdtid;
};
static_assert(sizeof(AnscRec) == 41);
static_assert(offsetof(AnscRec, id) == 0);
static_assert(offsetof(AnscRec, anfo_id) == 4);
static_assert(offsetof(AnscRec, Status) == 8);
static_assert(offsetof(AnscRec, Personalekategori) == 9);
static_assert(offsetof(AnscRec, Stillingskode) == 14);
static_assert(offsetof(AnscRec, Gyldig_fra) == 21);
static_assert(offsetof(AnscRec, Gyldig_til) == 25);
static_assert(offsetof(AnscRec, Ansaettelsesdato) == 29);
static_assert(offsetof(AnscRec, opdtid) == 33);

struct AnskRec {
  uint32_t id;
  uint32_t anfo_id;
  uint8_t Status;
  uint32_t Tid;
  uint32_t afme_id;
  uint32_t araf_id;
  uint32_t Gyldig_fra;
  float Afspadseringstillaeg;  // Afspadseringstillæg
  char Alderstillaeg;  // Alderstillæg
  float Afregningsprocent;
  char Lektionsregel;
  char Accept_af_overarbejde;
  float Minutnorm_regulering;
  char Udb_ej_planlagte_timer;
  char Udb_planlagte_timer;
  char Udb_belastningstillaeg;  // Udb_belastningstillæg
  uint32_t anom_id;
  uint32_t Gyldig_til;
  uint32_t neste_ansk;
  double opdtid;
};
static_assert(sizeof(AnskRec) == 63);
static_assert(offsetof(AnskRec, id) == 0);
static_assert(offsetof(AnskRec, anfo_id) == 4);
static_assert(offsetof(AnskRec, Status) == 8);
static_assert(offsetof(AnskRec, Tid) == 9);
static_assert(offsetof(AnskRec, afme_id) == 13);
static_assert(offsetof(AnskRec, araf_id) == 17);
static_assert(offsetof(AnskRec, Gyldig_fra) == 21);
static_assert(offsetof(AnskRec, Afspadseringstillaeg) == 25);
static_assert(offsetof(AnskRec, Alderstillaeg) == 29);
static_assert(offsetof(AnskRec, Afregningsprocent) == 30);
static_assert(offsetof(AnskRec, Lektionsregel) == 34);
static_assert(offsetof(AnskRec, Accept_af_overarbejde) == 35);
static_assert(offsetof(AnskRec, Minutnorm_regulering) == 36);
static_assert(offsetof(AnskRec, Udb_ej_planlagte_timer) == 40);
static_assert(offsetof(AnskRec, Udb_planlagte_timer) == 41);
static_assert(offsetof(AnskRec, Udb_belastningstillaeg) == 42);
static_assert(offsetof(AnskRec, anom_id) == 43);
static_assert(offsetof(AnskRec, Gyldig_til) == 47);
static_assert(offsetof(AnskRec, neste_ansk) == 51);
static_assert(offsetof(AnskRec, opdtid) == 55);

// ---- Catalogue of activity, room and schedule tables

struct AcsaRec {
  uint32_t id;
  char AC_sats_kode[3];
  uint8_t Status;
  char Betegnelse[16];
  uint32_t Fradato;
  uint32_t Tildato;
  float Minutnorm;
};
static_assert(sizeof(AcsaRec) == 36);
static_assert(offsetof(AcsaRec, id) == 0);
static_assert(offsetof(AcsaRec, AC_sats_kode) == 4);
static_assert(offsetof(AcsaRec, Status) == 7);
static_assert(offsetof(AcsaRec, Betegnelse) == 8);
static_assert(offsetof(AcsaRec, Fradato) == 24);
static_assert(offsetof(AcsaRec, Tildato) == 28);
static_assert(offsetof(AcsaRec, Minutnorm) == 32);

struct UdgrRec {
  uint32_t id;
  char Gruppe[4];
  uint8_t Status;
  uint32_t acsa_id;
  char Betegnelse[16];
  uint32_t Max_ugentlige_lektioner;
  uint32_t Minimum_minutnorm;
  uint32_t Maximum_minutnorm;
  uint32_t forste_minutud;
};
static_assert(sizeof(UdgrRec) == 45);
static_assert(offsetof(UdgrRec, id) == 0);
static_assert(offsetof(UdgrRec, Gruppe) == 4);
static_assert(offsetof(UdgrRec, Status) == 8);
static_assert(offsetof(UdgrRec, acsa_id) == 9);
static_assert(offsetof(UdgrRec, Betegnelse) == 13);
static_assert(offsetof(UdgrRec, Max_ugentlige_lektioner) == 29);
static_assert(offsetof(UdgrRec, Minimum_minutnorm) == 33);
static_assert(offsetof(UdgrRec, Maximum_minutnorm) == 37);
static_assert(offsetof(UdgrRec, forste_minutud) == 41);

struct LokaRec {
  uint32_t id;
  char Lokalenr[11];
  uint8_t Status;
  uint32_t Gruppe;
  uint32_t Tid;
  uint32_t Fradato;
  uint32_t MinStartUge;
  uint32_t StartUge;
  uint8_t StartDag;
  char Betegnelse[16];
  uint32_t Tildato;
  uint32_t MaxSlutUge;
  uint32_t SlutUge;
  uint8_t SlutDag;
  uint32_t meda_id;
  char Undervisningspladser[5];
  uint32_t bygn_id;
  double opdtid;
  float Bredde;
  float Laengde;  // Længde
  float Netto_areal;
  uint32_t FF_Gruppe;
};
static_assert(sizeof(LokaRec) == 103);
static_assert(offsetof(LokaRec, id) == 0);
static_assert(offsetof(LokaRec, Lokalenr) == 4);
static_assert(offsetof(LokaRec, Status) == 15);
static_assert(offsetof(LokaRec, Gruppe) == 16);
static_assert(offsetof(LokaRec, Tid) == 20);
static_assert(offsetof(LokaRec, Fradato) == 24);
static_assert(offsetof(LokaRec, MinStartUge) == 28);
static_assert(offsetof(LokaRec, StartUge) == 32);
static_assert(offsetof(LokaRec, StartDag) == 36);
static_assert(offsetof(LokaRec, Betegnelse) == 37);
static_assert(offsetof(LokaRec, Tildato) == 53);
static_assert(offsetof(LokaRec, MaxSlutUge) == 57);
static_assert(offsetof(LokaRec, SlutUge) == 61);
static_assert(offsetof(LokaRec, SlutDag) == 65);
static_assert(offsetof(LokaRec, meda_id) == 66);
static_assert(offsetof(LokaRec, Undervisningspladser) == 70);
static_assert(offsetof(LokaRec, bygn_id) == 75);
static_assert(offsetof(LokaRec, opdtid) == 79);
static_assert(offsetof(LokaRec, Bredde) == 87);
static_assert(offsetof(LokaRec, Laengde) == 91);
static_assert(offsetof(LokaRec, Netto_areal) == 95);
static_assert(offsetof(LokaRec, FF_Gruppe) == 99);

struct RisyRec {
  uint32_t id;
  char Ringesystem[5];
  uint8_t Status;
  char Betegnelse[16];
  uint32_t Starttid[48];
  uint32_t Sluttid[48];
  float Antal_std_lektioner[48];
  uint32_t RingeGruppe;
  uint8_t Anvendt;
  char RisyOk;
};
static_assert(sizeof(RisyRec) == 608);
static_assert(offsetof(RisyRec, id) == 0);
static_assert(offsetof(RisyRec, Ringesystem) == 4);
static_assert(offsetof(RisyRec, Status) == 9);
static_assert(offsetof(RisyRec, Betegnelse) == 10);
static_assert(offsetof(RisyRec, Starttid) == 26);
static_assert(offsetof(RisyRec, Sluttid) == 218);
static_assert(offsetof(RisyRec, Antal_std_lektioner) == 410);
static_assert(offsetof(RisyRec, RingeGruppe) == 602);
static_assert(offsetof(RisyRec, Anvendt) == 606);
static_assert(offsetof(RisyRec, RisyOk) == 607);

struct SkkaRec {
  uint32_t id;
  char Skoledagskalender[9];
  uint8_t Status;
  uint32_t Fradato;
  uint32_t Tildato;
  char Betegnelse[16];
  uint32_t StartAr;
  uint32_t AntalAr;
  uint32_t kaldagrel;
};
static_assert(sizeof(SkkaRec) == 50);
static_assert(offsetof(SkkaRec, id) == 0);
static_assert(offsetof(SkkaRec, Skoledagskalender) == 4);
static_assert(offsetof(SkkaRec, Status) == 13);
static_assert(offsetof(SkkaRec, Fradato) == 14);
static_assert(offsetof(SkkaRec, Tildato) == 18);
static_assert(offsetof(SkkaRec, Betegnelse) == 22);
static_assert(offsetof(SkkaRec, StartAr) == 38);
static_assert(offsetof(SkkaRec, AntalAr) == 42);
static_assert(offsetof(SkkaRec, kaldagrel) == 46);

struct AkgrRec {
  uint32_t id;
  char Afdeling[5];
  uint8_t Status;
  char Kort_betegnelse[16];
  uint32_t risy_id;
  uint32_t skka_id;
  char Fravaersregistrering;  // Fraværsregistrering
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  double opdtid;
};
static_assert(sizeof(AkgrRec) == 51);
static_assert(offsetof(AkgrRec, id) == 0);
static_assert(offsetof(AkgrRec, Afdeling) == 4);
static_assert(offsetof(AkgrRec, Status) == 9);
static_assert(offsetof(AkgrRec, Kort_betegnelse) == 10);
static_assert(offsetof(AkgrRec, risy_id) == 26);
static_assert(offsetof(AkgrRec, skka_id) == 30);
static_assert(offsetof(AkgrRec, Fravaersregistrering) == 34);
static_assert(offsetof(AkgrRec, Gyldig_fra) == 35);
static_assert(offsetof(AkgrRec, Gyldig_til) == 39);
static_assert(offsetof(AkgrRec, opdtid) == 43);

struct KdagrelRec {
  uint8_t Status;
  char StartRel;
  uint32_t AntalAr;
  uint32_t Kaldag;
};
static_assert(sizeof(KdagrelRec) == 10);
static_assert(offsetof(KdagrelRec, Status) == 0);
static_assert(offsetof(KdagrelRec, StartRel) == 1);
static_assert(offsetof(KdagrelRec, AntalAr) == 2);
static_assert(offsetof(KdagrelRec, Kaldag) == 6);

struct KaldagRec {
  uint8_t Status;
  uint8_t Uge[53];
};
static_assert(sizeof(KaldagRec) == 54);
static_assert(offsetof(KaldagRec, Status) == 0);
static_assert(offsetof(KaldagRec, Uge) == 1);

struct AktiRec {
  uint32_t id;
  char Aktivitet[16];
  uint8_t Status;
  uint32_t Tid;
  uint32_t Gruppe;
  char Type[11];
  uint32_t udgr_id;
  uint32_t acsa_id;
  char Kort_betegnelse[16];
  char Betegnelse[51];
  uint32_t Fradato;
  uint32_t MinStartUge;
  uint32_t StartUge;
  uint8_t StartDag;
  uint32_t Tildato;
  uint32_t MaxSlutUge;
  uint32_t SlutUge;
  uint8_t SlutDag;
  char Aflyst;
  uint32_t cosa_formal;
  uint32_t anom_id;
  uint32_t risy_id;
  uint32_t skka_id;
  uint32_t loty_id;
  char Laerer_anvendelse;  // Lærer_anvendelse
  char Kontrollabel;
  char Generer_fra_skema;
  uint32_t Elevlektioner;
  uint32_t Frafaldsprocent;
  uint32_t Kvotient;
  uint32_t Kursistlektioner;
  char Skkord;
  float Deltagerpris;
  uint32_t Tilmeldingsfrist;
  uint32_t akgr_id;
  uint32_t pom_id;
  uint32_t StartElever;
  uint32_t SlutElever;
  char Elevplan_betegnelse[101];
  char Undervisningssted[51];
  double opdtid;
  uint32_t AntalElevLektioner;
  uint32_t AntalLererLektioner;
  uint32_t BudgetLererLektioner;
  int32_t AntalLererTimer;
  int32_t BudgetLererTimer;
  char RisyOk;
  uint32_t forste_miak;
  uint32_t forste_budt;
  uint32_t FF_Gruppe;
  uint32_t uvfo_id;
  uint8_t Slettet_i_EASY;
  uint8_t Skema_prioritet;
};
static_assert(sizeof(AktiRec) == 405);
static_assert(offsetof(AktiRec, id) == 0);
static_assert(offsetof(AktiRec, Aktivitet) == 4);
static_assert(offsetof(AktiRec, Status) == 20);
static_assert(offsetof(AktiRec, Tid) == 21);
static_assert(offsetof(AktiRec, Gruppe) == 25);
static_assert(offsetof(AktiRec, Type) == 29);
static_assert(offsetof(AktiRec, udgr_id) == 40);
static_assert(offsetof(AktiRec, acsa_id) == 44);
static_assert(offsetof(AktiRec, Kort_betegnelse) == 48);
static_assert(offsetof(AktiRec, Betegnelse) == 64);
static_assert(offsetof(AktiRec, Fradato) == 115);
static_assert(offsetof(AktiRec, MinStartUge) == 119);
static_assert(offsetof(AktiRec, StartUge) == 123);
static_assert(offsetof(AktiRec, StartDag) == 127);
static_assert(offsetof(AktiRec, Tildato) == 128);
static_assert(offsetof(AktiRec, MaxSlutUge) == 132);
static_assert(offsetof(AktiRec, SlutUge) == 136);
static_assert(offsetof(AktiRec, SlutDag) == 140);
static_assert(offsetof(AktiRec, Aflyst) == 141);
static_assert(offsetof(AktiRec, cosa_formal) == 142);
static_assert(offsetof(AktiRec, anom_id) == 146);
static_assert(offsetof(AktiRec, risy_id) == 150);
static_assert(offsetof(AktiRec, skka_id) == 154);
static_assert(offsetof(AktiRec, loty_id) == 158);
static_assert(offsetof(AktiRec, Laerer_anvendelse) == 162);
static_assert(offsetof(AktiRec, Kontrollabel) == 163);
static_assert(offsetof(AktiRec, Generer_fra_skema) == 164);
static_assert(offsetof(AktiRec, Elevlektioner) == 165);
static_assert(offsetof(AktiRec, Frafaldsprocent) == 169);
static_assert(offsetof(AktiRec, Kvotient) == 173);
static_assert(offsetof(AktiRec, Kursistlektioner) == 177);
static_assert(offsetof(AktiRec, Skkord) == 181);
static_assert(offsetof(AktiRec, Deltagerpris) == 182);
static_assert(offsetof(AktiRec, Tilmeldingsfrist) == 186);
static_assert(offsetof(AktiRec, akgr_id) == 190);
static_assert(offsetof(AktiRec, pom_id) == 194);
static_assert(offsetof(AktiRec, StartElever) == 198);
static_assert(offsetof(AktiRec, SlutElever) == 202);
static_assert(offsetof(AktiRec, Elevplan_betegnelse) == 206);
static_assert(offsetof(AktiRec, Undervisningssted) == 307);
static_assert(offsetof(AktiRec, opdtid) == 358);
static_assert(offsetof(AktiRec, AntalElevLektioner) == 366);
static_assert(offsetof(AktiRec, AntalLererLektioner) == 370);
static_assert(offsetof(AktiRec, BudgetLererLektioner) == 374);
static_assert(offsetof(AktiRec, AntalLererTimer) == 378);
static_assert(offsetof(AktiRec, BudgetLererTimer) == 382);
static_assert(offsetof(AktiRec, RisyOk) == 386);
static_assert(offsetof(AktiRec, forste_miak) == 387);
static_assert(offsetof(AktiRec, forste_budt) == 391);
static_assert(offsetof(AktiRec, FF_Gruppe) == 395);
static_assert(offsetof(AktiRec, uvfo_id) == 399);
static_assert(offsetof(AktiRec, Slettet_i_EASY) == 403);
static_assert(offsetof(AktiRec, Skema_prioritet) == 404);

struct SkfaRec {
  uint32_t id;
  char Skolefag[6];
  uint8_t Status;
  char Niveau;
  char Betegnelse[16];
  char Laes_varighed;  // Læs_varighed
  float Varighed_dage;
  uint32_t Elevlektioner;
  uint32_t Laererlektioner;  // Lærerlektioner
  uint32_t Forberedelsestid;
  uint32_t Eksaminationstid;
  float Laengde_af_skr_eksamen;  // Længde_af_skr_eksamen
  char Lang_Betegnelse[50];
  uint32_t forste_minutfau;
  uint32_t forste_fagfordl;
};
static_assert(sizeof(SkfaRec) == 111);
static_assert(offsetof(SkfaRec, id) == 0);
static_assert(offsetof(SkfaRec, Skolefag) == 4);
static_assert(offsetof(SkfaRec, Status) == 10);
static_assert(offsetof(SkfaRec, Niveau) == 11);
static_assert(offsetof(SkfaRec, Betegnelse) == 12);
static_assert(offsetof(SkfaRec, Laes_varighed) == 28);
static_assert(offsetof(SkfaRec, Varighed_dage) == 29);
static_assert(offsetof(SkfaRec, Elevlektioner) == 33);
static_assert(offsetof(SkfaRec, Laererlektioner) == 37);
static_assert(offsetof(SkfaRec, Forberedelsestid) == 41);
static_assert(offsetof(SkfaRec, Eksaminationstid) == 45);
static_assert(offsetof(SkfaRec, Laengde_af_skr_eksamen) == 49);
static_assert(offsetof(SkfaRec, Lang_Betegnelse) == 53);
static_assert(offsetof(SkfaRec, forste_minutfau) == 103);
static_assert(offsetof(SkfaRec, forste_fagfordl) == 107);

struct SkphRec {
  uint32_t akti_id;
  uint32_t skfa_id;
  uint8_t Status;
  char Fagstatus;
  float Varighed_dage;
  uint32_t acsa_id;
  uint32_t Elevlektioner;
  uint32_t Laererlektioner;  // Lærerlektioner
  float Antal_opgaver;
  char vfm_eksamenstermin[9];
  char Afregningsform;
  char Akkord;
  uint32_t AntalLektioner;
  char SkygFaget;
};
static_assert(sizeof(SkphRec) == 46);
static_assert(offsetof(SkphRec, akti_id) == 0);
static_assert(offsetof(SkphRec, skfa_id) == 4);
static_assert(offsetof(SkphRec, Status) == 8);
static_assert(offsetof(SkphRec, Fagstatus) == 9);
static_assert(offsetof(SkphRec, Varighed_dage) == 10);
static_assert(offsetof(SkphRec, acsa_id) == 14);
static_assert(offsetof(SkphRec, Elevlektioner) == 18);
static_assert(offsetof(SkphRec, Laererlektioner) == 22);
static_assert(offsetof(SkphRec, Antal_opgaver) == 26);
static_assert(offsetof(SkphRec, vfm_eksamenstermin) == 30);
static_assert(offsetof(SkphRec, Afregningsform) == 39);
static_assert(offsetof(SkphRec, Akkord) == 40);
static_assert(offsetof(SkphRec, AntalLektioner) == 41);
static_assert(offsetof(SkphRec, SkygFaget) == 45);

struct SphpRec {
  uint32_t id;
  uint32_t akti_id;
  uint32_t skfa_id;
  uint8_t Status;
  uint32_t Startdato;
  uint32_t Slutdato;
  float Varighed_dage;
  double opdtid;
};
static_assert(sizeof(SphpRec) == 33);
static_assert(offsetof(SphpRec, id) == 0);
static_assert(offsetof(SphpRec, akti_id) == 4);
static_assert(offsetof(SphpRec, skfa_id) == 8);
static_assert(offsetof(SphpRec, Status) == 12);
static_assert(offsetof(SphpRec, Startdato) == 13);
static_assert(offsetof(SphpRec, Slutdato) == 17);
static_assert(offsetof(SphpRec, Varighed_dage) == 21);
static_assert(offsetof(SphpRec, opdtid) == 25);

struct LokrotypRec {
  uint32_t id;
  char Rolletype[6];
  uint8_t Status;
  char Betegnelse[16];
};
static_assert(sizeof(LokrotypRec) == 27);
static_assert(offsetof(LokrotypRec, id) == 0);
static_assert(offsetof(LokrotypRec, Rolletype) == 4);
static_assert(offsetof(LokrotypRec, Status) == 10);
static_assert(offsetof(LokrotypRec, Betegnelse) == 11);

struct LokrolleRec {
  uint32_t id;
  char Lokalerolle;
  uint8_t Status;
  uint32_t lokrotyp_id;
  char Check_sammenfald;
  char Betegnelse[16];
};
static_assert(sizeof(LokrolleRec) == 27);
static_assert(offsetof(LokrolleRec, id) == 0);
static_assert(offsetof(LokrolleRec, Lokalerolle) == 4);
static_assert(offsetof(LokrolleRec, Status) == 5);
static_assert(offsetof(LokrolleRec, lokrotyp_id) == 6);
static_assert(offsetof(LokrolleRec, Check_sammenfald) == 10);
static_assert(offsetof(LokrolleRec, Betegnelse) == 11);

struct SkemrtypRec {
  uint32_t id;
  char Rolletype[6];
  uint8_t Status;
  char Betegnelse[16];
};
static_assert(sizeof(SkemrtypRec) == 27);
static_assert(offsetof(SkemrtypRec, id) == 0);
static_assert(offsetof(SkemrtypRec, Rolletype) == 4);
static_assert(offsetof(SkemrtypRec, Status) == 10);
static_assert(offsetof(SkemrtypRec, Betegnelse) == 11);

struct SkemarolRec {
  uint32_t id;
  char Rolle[6];
  uint8_t Status;
  uint32_t skemrtyp_id;
  char Betegnelse[16];
  char Timetype;
  char Check_skemasammenfald;
  char Genererer_timeposter;
  char Afspadsering;
  char Vis_paa_laererskema;  // Vis_på_lærerskema
  uint32_t loty_id;
  uint32_t frty_id;
  char Rolletype_tekst[30];
};
static_assert(sizeof(SkemarolRec) == 74);
static_assert(offsetof(SkemarolRec, id) == 0);
static_assert(offsetof(SkemarolRec, Rolle) == 4);
static_assert(offsetof(SkemarolRec, Status) == 10);
static_assert(offsetof(SkemarolRec, skemrtyp_id) == 11);
static_assert(offsetof(SkemarolRec, Betegnelse) == 15);
static_assert(offsetof(SkemarolRec, Timetype) == 31);
static_assert(offsetof(SkemarolRec, Check_skemasammenfald) == 32);
static_assert(offsetof(SkemarolRec, Genererer_timeposter) == 33);
static_assert(offsetof(SkemarolRec, Afspadsering) == 34);
static_assert(offsetof(SkemarolRec, Vis_paa_laererskema) == 35);
static_assert(offsetof(SkemarolRec, loty_id) == 36);
static_assert(offsetof(SkemarolRec, frty_id) == 40);
static_assert(offsetof(SkemarolRec, Rolletype_tekst) == 44);

struct BemRec {
  uint32_t id;
  uint8_t Status;
  char Betegnelse[55];
  uint32_t Anvendt;
};
static_assert(sizeof(BemRec) == 64);
static_assert(offsetof(BemRec, id) == 0);
static_assert(offsetof(BemRec, Status) == 4);
static_assert(offsetof(BemRec, Betegnelse) == 5);
static_assert(offsetof(BemRec, Anvendt) == 60);

struct AakrelRec {
  uint8_t Status;
  uint32_t akti_id;
  uint32_t anfo_id;
};
static_assert(sizeof(AakrelRec) == 9);
static_assert(offsetof(AakrelRec, Status) == 0);
static_assert(offsetof(AakrelRec, akti_id) == 1);
static_assert(offsetof(AakrelRec, anfo_id) == 5);

struct MiakRec {
  uint32_t id;
  uint8_t Status;
  uint32_t akti_id;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  float Minutnorm;
  uint32_t neste_miak;
};
static_assert(sizeof(MiakRec) == 25);
static_assert(offsetof(MiakRec, id) == 0);
static_assert(offsetof(MiakRec, Status) == 4);
static_assert(offsetof(MiakRec, akti_id) == 5);
static_assert(offsetof(MiakRec, Gyldig_fra) == 9);
static_assert(offsetof(MiakRec, Gyldig_til) == 13);
static_assert(offsetof(MiakRec, Minutnorm) == 17);
static_assert(offsetof(MiakRec, neste_miak) == 21);

struct MinutfauRec {
  uint32_t id;
  uint8_t Status;
  uint32_t skfa_id;
  uint32_t udgr_id;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  float Minutnorm;
  uint32_t neste_minutfau;
};
static_assert(sizeof(MinutfauRec) == 29);
static_assert(offsetof(MinutfauRec, id) == 0);
static_assert(offsetof(MinutfauRec, Status) == 4);
static_assert(offsetof(MinutfauRec, skfa_id) == 5);
static_assert(offsetof(MinutfauRec, udgr_id) == 9);
static_assert(offsetof(MinutfauRec, Gyldig_fra) == 13);
static_assert(offsetof(MinutfauRec, Gyldig_til) == 17);
static_assert(offsetof(MinutfauRec, Minutnorm) == 21);
static_assert(offsetof(MinutfauRec, neste_minutfau) == 25);

struct MinutudRec {
  uint32_t id;
  uint8_t Status;
  uint32_t udgr_id;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  float Minutnorm;
  uint32_t neste_minutud;
};
static_assert(sizeof(MinutudRec) == 25);
static_assert(offsetof(MinutudRec, id) == 0);
static_assert(offsetof(MinutudRec, Status) == 4);
static_assert(offsetof(MinutudRec, udgr_id) == 5);
static_assert(offsetof(MinutudRec, Gyldig_fra) == 9);
static_assert(offsetof(MinutudRec, Gyldig_til) == 13);
static_assert(offsetof(MinutudRec, Minutnorm) == 17);
static_assert(offsetof(MinutudRec, neste_minutud) == 21);

struct PlanaktRec {
  uint32_t id;
  uint32_t udgr_id;
  char Aktivitet[13];
  uint8_t Status;
  uint32_t Fradato;
  uint32_t Tildato;
  char Kontrollabel;
  uint32_t anom_id;
  uint32_t forste_mipl;
  uint32_t forste_budt;
};
static_assert(sizeof(PlanaktRec) == 43);
static_assert(offsetof(PlanaktRec, id) == 0);
static_assert(offsetof(PlanaktRec, udgr_id) == 4);
static_assert(offsetof(PlanaktRec, Aktivitet) == 8);
static_assert(offsetof(PlanaktRec, Status) == 21);
static_assert(offsetof(PlanaktRec, Fradato) == 22);
static_assert(offsetof(PlanaktRec, Tildato) == 26);
static_assert(offsetof(PlanaktRec, Kontrollabel) == 30);
static_assert(offsetof(PlanaktRec, anom_id) == 31);
static_assert(offsetof(PlanaktRec, forste_mipl) == 35);
static_assert(offsetof(PlanaktRec, forste_budt) == 39);

struct MiplRec {
  uint32_t id;
  uint8_t Status;
  uint32_t planakt_id;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  float Minutnorm;
  uint32_t neste_mipl;
};
static_assert(sizeof(MiplRec) == 25);
static_assert(offsetof(MiplRec, id) == 0);
static_assert(offsetof(MiplRec, Status) == 4);
static_assert(offsetof(MiplRec, planakt_id) == 5);
static_assert(offsetof(MiplRec, Gyldig_fra) == 9);
static_assert(offsetof(MiplRec, Gyldig_til) == 13);
static_assert(offsetof(MiplRec, Minutnorm) == 17);
static_assert(offsetof(MiplRec, neste_mipl) == 21);

struct FagfordlRec {
  uint32_t id;
  uint8_t Status;
  uint32_t Fradato;
  uint32_t Tildato;
  char Ekstralaerer;  // Ekstralærer
  float Antal_retteopgaver;
  char Akkord;
  uint32_t anfo_id;
  uint32_t akti_id;
  uint32_t skfa_id;
  uint32_t planakt_id;
  uint32_t udgr_id;
  float Lektionsenheder;
  float Minutnorm;
  uint32_t neste_fagfordl_fag;
  uint32_t neste_fagfordl_anfo;
};
static_assert(sizeof(FagfordlRec) == 55);
static_assert(offsetof(FagfordlRec, id) == 0);
static_assert(offsetof(FagfordlRec, Status) == 4);
static_assert(offsetof(FagfordlRec, Fradato) == 5);
static_assert(offsetof(FagfordlRec, Tildato) == 9);
static_assert(offsetof(FagfordlRec, Ekstralaerer) == 13);
static_assert(offsetof(FagfordlRec, Antal_retteopgaver) == 14);
static_assert(offsetof(FagfordlRec, Akkord) == 18);
static_assert(offsetof(FagfordlRec, anfo_id) == 19);
static_assert(offsetof(FagfordlRec, akti_id) == 23);
static_assert(offsetof(FagfordlRec, skfa_id) == 27);
static_assert(offsetof(FagfordlRec, planakt_id) == 31);
static_assert(offsetof(FagfordlRec, udgr_id) == 35);
static_assert(offsetof(FagfordlRec, Lektionsenheder) == 39);
static_assert(offsetof(FagfordlRec, Minutnorm) == 43);
static_assert(offsetof(FagfordlRec, neste_fagfordl_fag) == 47);
static_assert(offsetof(FagfordlRec, neste_fagfordl_anfo) == 51);

struct UdlplanRec {
  uint32_t id;
  uint8_t Status;
  uint32_t anfo_id;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  uint32_t Beregn_fra_dato;
  uint32_t Beregn_til_dato;
  float Timer_efter_lekt_regel;
  float Norm;
  float Normjustering;
  float Deltidsnormjustering;
  float Overtimer_fra_forrige;
  float Undertimer_fra_forrige;
  float Normale_timer;
  float Timer_til_graense;  // Timer_til_grænse
  float Undertimer;
  float Overtimer_til_naeste;  // Overtimer_til_næste
  float Undertimer_til_naeste;  // Undertimer_til_næste
  uint32_t neste_udlplan;
};
static_assert(sizeof(UdlplanRec) == 73);
static_assert(offsetof(UdlplanRec, id) == 0);
static_assert(offsetof(UdlplanRec, Status) == 4);
static_assert(offsetof(UdlplanRec, anfo_id) == 5);
static_assert(offsetof(UdlplanRec, Gyldig_fra) == 9);
static_assert(offsetof(UdlplanRec, Gyldig_til) == 13);
static_assert(offsetof(UdlplanRec, Beregn_fra_dato) == 17);
static_assert(offsetof(UdlplanRec, Beregn_til_dato) == 21);
static_assert(offsetof(UdlplanRec, Timer_efter_lekt_regel) == 25);
static_assert(offsetof(UdlplanRec, Norm) == 29);
static_assert(offsetof(UdlplanRec, Normjustering) == 33);
static_assert(offsetof(UdlplanRec, Deltidsnormjustering) == 37);
static_assert(offsetof(UdlplanRec, Overtimer_fra_forrige) == 41);
static_assert(offsetof(UdlplanRec, Undertimer_fra_forrige) == 45);
static_assert(offsetof(UdlplanRec, Normale_timer) == 49);
static_assert(offsetof(UdlplanRec, Timer_til_graense) == 53);
static_assert(offsetof(UdlplanRec, Undertimer) == 57);
static_assert(offsetof(UdlplanRec, Overtimer_til_naeste) == 61);
static_assert(offsetof(UdlplanRec, Undertimer_til_naeste) == 65);
static_assert(offsetof(UdlplanRec, neste_udlplan) == 69);

struct BudtRec {
  uint32_t id;
  uint8_t Status;
  uint32_t Startdato;
  uint32_t Slutdato;
  uint32_t akti_id;
  uint32_t planakt_id;
  uint32_t Laererlektioner;  // Lærerlektioner
  uint32_t Laerertimer;  // Lærertimer
  uint32_t lt_undervisning;
  uint32_t lt_rettearbejde;
  uint32_t lt_eksamensarbejde;
  uint32_t lt_andet;
  uint32_t neste_budt;
};
static_assert(sizeof(BudtRec) == 49);
static_assert(offsetof(BudtRec, id) == 0);
static_assert(offsetof(BudtRec, Status) == 4);
static_assert(offsetof(BudtRec, Startdato) == 5);
static_assert(offsetof(BudtRec, Slutdato) == 9);
static_assert(offsetof(BudtRec, akti_id) == 13);
static_assert(offsetof(BudtRec, planakt_id) == 17);
static_assert(offsetof(BudtRec, Laererlektioner) == 21);
static_assert(offsetof(BudtRec, Laerertimer) == 25);
static_assert(offsetof(BudtRec, lt_undervisning) == 29);
static_assert(offsetof(BudtRec, lt_rettearbejde) == 33);
static_assert(offsetof(BudtRec, lt_eksamensarbejde) == 37);
static_assert(offsetof(BudtRec, lt_andet) == 41);
static_assert(offsetof(BudtRec, neste_budt) == 45);

struct PrimotalRec {
  uint32_t hontity_id;
  uint32_t anfo_id;
  uint32_t Dato;
  int32_t Enheder;
  uint8_t Status;
};
static_assert(sizeof(PrimotalRec) == 17);
static_assert(offsetof(PrimotalRec, hontity_id) == 0);
static_assert(offsetof(PrimotalRec, anfo_id) == 4);
static_assert(offsetof(PrimotalRec, Dato) == 8);
static_assert(offsetof(PrimotalRec, Enheder) == 12);
static_assert(offsetof(PrimotalRec, Status) == 16);

struct BuftimRec {
  uint32_t id;
  uint8_t Status;
  uint32_t anfo_id;
  uint32_t Fradato;
  uint32_t Tildato;
  float Overtimer_fra_forrige;
  float Undertimer_fra_forrige;
  float Max_overtimer_til_naeste;  // Max_overtimer_til_næste
  float Max_undertimer_til_naeste;  // Max_undertimer_til_næste
  uint32_t neste_buftim;
};
static_assert(sizeof(BuftimRec) == 37);
static_assert(offsetof(BuftimRec, id) == 0);
static_assert(offsetof(BuftimRec, Status) == 4);
static_assert(offsetof(BuftimRec, anfo_id) == 5);
static_assert(offsetof(BuftimRec, Fradato) == 9);
static_assert(offsetof(BuftimRec, Tildato) == 13);
static_assert(offsetof(BuftimRec, Overtimer_fra_forrige) == 17);
static_assert(offsetof(BuftimRec, Undertimer_fra_forrige) == 21);
static_assert(offsetof(BuftimRec, Max_overtimer_til_naeste) == 25);
static_assert(offsetof(BuftimRec, Max_undertimer_til_naeste) == 29);
static_assert(offsetof(BuftimRec, neste_buftim) == 33);

struct NormjustRec {
  uint32_t id;
  uint8_t Status;
  uint32_t anfo_id;
  uint32_t nojt_id;
  uint32_t Dato;
  float Timer;
  uint32_t neste_normjust;
};
static_assert(sizeof(NormjustRec) == 25);
static_assert(offsetof(NormjustRec, id) == 0);
static_assert(offsetof(NormjustRec, Status) == 4);
static_assert(offsetof(NormjustRec, anfo_id) == 5);
static_assert(offsetof(NormjustRec, nojt_id) == 9);
static_assert(offsetof(NormjustRec, Dato) == 13);
static_assert(offsetof(NormjustRec, Timer) == 17);
static_assert(offsetof(NormjustRec, neste_normjust) == 21);

// ---- Catalogue of relation, institution, working-time and planning tables

struct ElvrelRec {
  uint32_t akti1_id;
  uint32_t akti2_id;
  uint8_t Status;
};
static_assert(sizeof(ElvrelRec) == 9);
static_assert(offsetof(ElvrelRec, akti1_id) == 0);
static_assert(offsetof(ElvrelRec, akti2_id) == 4);
static_assert(offsetof(ElvrelRec, Status) == 8);

struct Elvrel2Rec {
  uint32_t akti1_id;
  uint32_t akti2_id;
  uint32_t Startdato;
  uint32_t Slutdato;
  uint8_t Status;
};
static_assert(sizeof(Elvrel2Rec) == 17);
static_assert(offsetof(Elvrel2Rec, akti1_id) == 0);
static_assert(offsetof(Elvrel2Rec, akti2_id) == 4);
static_assert(offsetof(Elvrel2Rec, Startdato) == 8);
static_assert(offsetof(Elvrel2Rec, Slutdato) == 12);
static_assert(offsetof(Elvrel2Rec, Status) == 16);

struct FagelvRec {
  uint32_t akti1_id;
  uint32_t akti2_id;
  uint8_t Status;
  uint32_t Faelles_Fag;  // Fælles_Fag
  uint32_t Faelles_Elever;  // Fælles_Elever
};
static_assert(sizeof(FagelvRec) == 17);
static_assert(offsetof(FagelvRec, akti1_id) == 0);
static_assert(offsetof(FagelvRec, akti2_id) == 4);
static_assert(offsetof(FagelvRec, Status) == 8);
static_assert(offsetof(FagelvRec, Faelles_Fag) == 9);
static_assert(offsetof(FagelvRec, Faelles_Elever) == 13);

struct RetRec {
  int32_t Tavonr;
  char Art;
  uint32_t Id;
  char Laas;  // Lås
  char Budget_laas;  // Budget_lås
  uint8_t Status;
};
static_assert(sizeof(RetRec) == 12);
static_assert(offsetof(RetRec, Tavonr) == 0);
static_assert(offsetof(RetRec, Art) == 4);
static_assert(offsetof(RetRec, Id) == 5);
static_assert(offsetof(RetRec, Laas) == 9);
static_assert(offsetof(RetRec, Budget_laas) == 10);
static_assert(offsetof(RetRec, Status) == 11);

struct PomRec {
  uint32_t id;
  char Projektomraade[11];  // Projektområde
  uint8_t Status;
  char Kort_betegnelse[16];
};
static_assert(sizeof(PomRec) == 32);
static_assert(offsetof(PomRec, id) == 0);
static_assert(offsetof(PomRec, Projektomraade) == 4);
static_assert(offsetof(PomRec, Status) == 15);
static_assert(offsetof(PomRec, Kort_betegnelse) == 16);

struct BygnRec {
  uint32_t id;
  char Bygningsnr[11];
  uint8_t Status;
  char Betegnelse[51];
  char Gade[51];
  char Sted[51];
  float Undervisningsareal;
  float Skolehjemsareal;
  double opdtid;
};
static_assert(sizeof(BygnRec) == 185);
static_assert(offsetof(BygnRec, id) == 0);
static_assert(offsetof(BygnRec, Bygningsnr) == 4);
static_assert(offsetof(BygnRec, Status) == 15);
static_assert(offsetof(BygnRec, Betegnelse) == 16);
static_assert(offsetof(BygnRec, Gade) == 67);
static_assert(offsetof(BygnRec, Sted) == 118);
static_assert(offsetof(BygnRec, Undervisningsareal) == 169);
static_assert(offsetof(BygnRec, Skolehjemsareal) == 173);
static_assert(offsetof(BygnRec, opdtid) == 177);

struct AmmRec {
  uint32_t id;
  uint32_t akti_id;
  uint8_t Status;
  uint32_t Modulnummer;
  uint32_t Startdato;
  uint32_t Slutdato;
  float Kursistlektioner;
};
static_assert(sizeof(AmmRec) == 25);
static_assert(offsetof(AmmRec, id) == 0);
static_assert(offsetof(AmmRec, akti_id) == 4);
static_assert(offsetof(AmmRec, Status) == 8);
static_assert(offsetof(AmmRec, Modulnummer) == 9);
static_assert(offsetof(AmmRec, Startdato) == 13);
static_assert(offsetof(AmmRec, Slutdato) == 17);
static_assert(offsetof(AmmRec, Kursistlektioner) == 21);

struct InsRec {
  int32_t Tavonr;
  char Navn[31];
  uint8_t Status;
};
static_assert(sizeof(InsRec) == 36);
static_assert(offsetof(InsRec, Tavonr) == 0);
static_assert(offsetof(InsRec, Navn) == 4);
static_assert(offsetof(InsRec, Status) == 35);

struct PersRec {
  uint32_t id;
  char Cpr_Nr[12];
  char Fornavn[51];
  char Efternavn[51];
  uint8_t Status;
};
static_assert(sizeof(PersRec) == 119);
static_assert(offsetof(PersRec, id) == 0);
static_assert(offsetof(PersRec, Cpr_Nr) == 4);
static_assert(offsetof(PersRec, Fornavn) == 16);
static_assert(offsetof(PersRec, Efternavn) == 67);
static_assert(offsetof(PersRec, Status) == 118);

struct EpshRec {
  uint32_t pers_id;
  uint32_t akti_id;
  uint32_t skfa_id;
  uint8_t Status;
  uint32_t Startdato;
  uint32_t Slutdato;
};
static_assert(sizeof(EpshRec) == 21);
static_assert(offsetof(EpshRec, pers_id) == 0);
static_assert(offsetof(EpshRec, akti_id) == 4);
static_assert(offsetof(EpshRec, skfa_id) == 8);
static_assert(offsetof(EpshRec, Status) == 12);
static_assert(offsetof(EpshRec, Startdato) == 13);
static_assert(offsetof(EpshRec, Slutdato) == 17);

struct AkplRec {
  uint32_t pers_id;
  uint32_t akti_id;
  uint8_t Status;
  uint32_t Startdato;
  uint32_t Slutdato;
};
static_assert(sizeof(AkplRec) == 17);
static_assert(offsetof(AkplRec, pers_id) == 0);
static_assert(offsetof(AkplRec, akti_id) == 4);
static_assert(offsetof(AkplRec, Status) == 8);
static_assert(offsetof(AkplRec, Startdato) == 9);
static_assert(offsetof(AkplRec, Slutdato) == 13);

struct FritRec {
  uint32_t pers_id;
  uint32_t skfa_id;
  uint8_t Status;
};
static_assert(sizeof(FritRec) == 9);
static_assert(offsetof(FritRec, pers_id) == 0);
static_assert(offsetof(FritRec, skfa_id) == 4);
static_assert(offsetof(FritRec, Status) == 8);

struct UvfoRec {
  uint32_t id;
  char Elevplan_identifikation[38];
  char Oprettet_i_elevplan;
  uint32_t Startdato;
  uint32_t Slutdato;
  char Titel[100];
  uint8_t Status;
};
static_assert(sizeof(UvfoRec) == 152);
static_assert(offsetof(UvfoRec, id) == 0);
static_assert(offsetof(UvfoRec, Elevplan_identifikation) == 4);
static_assert(offsetof(UvfoRec, Oprettet_i_elevplan) == 42);
static_assert(offsetof(UvfoRec, Startdato) == 43);
static_assert(offsetof(UvfoRec, Slutdato) == 47);
static_assert(offsetof(UvfoRec, Titel) == 51);
static_assert(offsetof(UvfoRec, Status) == 151);

struct UnkoRec {
  uint32_t id;
  uint32_t meda_id;
  uint32_t skfa_id;
  uint32_t Gyldig_fra;
  char Haves_Kompetence;
  char Formel;
  uint8_t Prioritet;
  double opdtid;
  uint8_t Status;
};
static_assert(sizeof(UnkoRec) == 28);
static_assert(offsetof(UnkoRec, id) == 0);
static_assert(offsetof(UnkoRec, meda_id) == 4);
static_assert(offsetof(UnkoRec, skfa_id) == 8);
static_assert(offsetof(UnkoRec, Gyldig_fra) == 12);
static_assert(offsetof(UnkoRec, Haves_Kompetence) == 16);
static_assert(offsetof(UnkoRec, Formel) == 17);
static_assert(offsetof(UnkoRec, Prioritet) == 18);
static_assert(offsetof(UnkoRec, opdtid) == 19);
static_assert(offsetof(UnkoRec, Status) == 27);

struct AlrelRec {
  uint32_t akti_id;
  uint32_t loka_id;
  uint8_t Status;
};
static_assert(sizeof(AlrelRec) == 9);
static_assert(offsetof(AlrelRec, akti_id) == 0);
static_assert(offsetof(AlrelRec, loka_id) == 4);
static_assert(offsetof(AlrelRec, Status) == 8);

struct SkfalokarelRec {
  uint32_t skfa_id;
  uint32_t loka_id;
  uint8_t Status;
};
static_assert(sizeof(SkfalokarelRec) == 9);
static_assert(offsetof(SkfalokarelRec, skfa_id) == 0);
static_assert(offsetof(SkfalokarelRec, loka_id) == 4);
static_assert(offsetof(SkfalokarelRec, Status) == 8);

struct TifRec {
  uint32_t id;
  uint32_t skfa_id;
  uint32_t Startdato;
  uint32_t Slutdato;
  float Skriftlig_censurnorm;
  float Mundtlig_censurnorm;
  float Opgaveantal;
  float Opgaveminutter;
  double opdtid;
  uint8_t Status;
};
static_assert(sizeof(TifRec) == 41);
static_assert(offsetof(TifRec, id) == 0);
static_assert(offsetof(TifRec, skfa_id) == 4);
static_assert(offsetof(TifRec, Startdato) == 8);
static_assert(offsetof(TifRec, Slutdato) == 12);
static_assert(offsetof(TifRec, Skriftlig_censurnorm) == 16);
static_assert(offsetof(TifRec, Mundtlig_censurnorm) == 20);
static_assert(offsetof(TifRec, Opgaveantal) == 24);
static_assert(offsetof(TifRec, Opgaveminutter) == 28);
static_assert(offsetof(TifRec, opdtid) == 32);
static_assert(offsetof(TifRec, Status) == 40);

struct Sls_koderRec {
  uint32_t id;
  char Sls_aarsagskode[4];  // Sls_årsagskode
  uint32_t Skemarolle_id;
  char Kan_indberettes;
  char Anvendes;
  char Indberettes;
  char Saerligt_skema;  // Særligt_skema
  char Anmod;
  char SLS_Betegnelse[51];
  char Skema_tekst[31];
  char Fremmed_skema_tekst[31];
  char Tildeling[51];
  double opdtid;
  uint8_t Status;
};
static_assert(sizeof(Sls_koderRec) == 190);
static_assert(offsetof(Sls_koderRec, id) == 0);
static_assert(offsetof(Sls_koderRec, Sls_aarsagskode) == 4);
static_assert(offsetof(Sls_koderRec, Skemarolle_id) == 8);
static_assert(offsetof(Sls_koderRec, Kan_indberettes) == 12);
static_assert(offsetof(Sls_koderRec, Anvendes) == 13);
static_assert(offsetof(Sls_koderRec, Indberettes) == 14);
static_assert(offsetof(Sls_koderRec, Saerligt_skema) == 15);
static_assert(offsetof(Sls_koderRec, Anmod) == 16);
static_assert(offsetof(Sls_koderRec, SLS_Betegnelse) == 17);
static_assert(offsetof(Sls_koderRec, Skema_tekst) == 68);
static_assert(offsetof(Sls_koderRec, Fremmed_skema_tekst) == 99);
static_assert(offsetof(Sls_koderRec, Tildeling) == 130);
static_assert(offsetof(Sls_koderRec, opdtid) == 181);
static_assert(offsetof(Sls_koderRec, Status) == 189);

struct FrtyRec {
  uint32_t id;
  char Fravaerstype[3];  // Fraværstype
  char Betegnelse[16];
  uint32_t loty_id;
  char Sls_aarsagskode[4];  // Sls_årsagskode
  uint32_t hontity_id;
  double opdtid;
  uint8_t Status;
};
static_assert(sizeof(FrtyRec) == 44);
static_assert(offsetof(FrtyRec, id) == 0);
static_assert(offsetof(FrtyRec, Fravaerstype) == 4);
static_assert(offsetof(FrtyRec, Betegnelse) == 7);
static_assert(offsetof(FrtyRec, loty_id) == 23);
static_assert(offsetof(FrtyRec, Sls_aarsagskode) == 27);
static_assert(offsetof(FrtyRec, hontity_id) == 31);
static_assert(offsetof(FrtyRec, opdtid) == 35);
static_assert(offsetof(FrtyRec, Status) == 43);

struct FerieopgRec {
  uint32_t id;
  uint32_t meda_id;
  uint32_t StartDato;
  int32_t OverfoertFerie;  // OverførtFerie
  int32_t OptjentFerie;
  int32_t OptjentFerieFridage;
  uint8_t Status;
};
static_assert(sizeof(FerieopgRec) == 25);
static_assert(offsetof(FerieopgRec, id) == 0);
static_assert(offsetof(FerieopgRec, meda_id) == 4);
static_assert(offsetof(FerieopgRec, StartDato) == 8);
static_assert(offsetof(FerieopgRec, OverfoertFerie) == 12);
static_assert(offsetof(FerieopgRec, OptjentFerie) == 16);
static_assert(offsetof(FerieopgRec, OptjentFerieFridage) == 20);
static_assert(offsetof(FerieopgRec, Status) == 24);

struct NormsystemRec {
  uint32_t id;
  char Navn[30];
  int32_t Dagsnorm;
  uint8_t Status;
};
static_assert(sizeof(NormsystemRec) == 39);
static_assert(offsetof(NormsystemRec, id) == 0);
static_assert(offsetof(NormsystemRec, Navn) == 4);
static_assert(offsetof(NormsystemRec, Dagsnorm) == 34);
static_assert(offsetof(NormsystemRec, Status) == 38);

struct OpgperiodeRec {
  uint32_t id;
  uint32_t nosy_id;
  char KaldeNavn[30];
  uint32_t FraDato;
  uint32_t TilDato;
  uint8_t Status;
};
static_assert(sizeof(OpgperiodeRec) == 47);
static_assert(offsetof(OpgperiodeRec, id) == 0);
static_assert(offsetof(OpgperiodeRec, nosy_id) == 4);
static_assert(offsetof(OpgperiodeRec, KaldeNavn) == 8);
static_assert(offsetof(OpgperiodeRec, FraDato) == 38);
static_assert(offsetof(OpgperiodeRec, TilDato) == 42);
static_assert(offsetof(OpgperiodeRec, Status) == 46);

struct RegperiodeRec {
  uint32_t id;
  uint32_t opgp_id;
  uint32_t meda_id;
  uint32_t FraDato;
  uint32_t TilDato;
  int32_t Dagsnorm;
  uint8_t Status;
};
static_assert(sizeof(RegperiodeRec) == 25);
static_assert(offsetof(RegperiodeRec, id) == 0);
static_assert(offsetof(RegperiodeRec, opgp_id) == 4);
static_assert(offsetof(RegperiodeRec, meda_id) == 8);
static_assert(offsetof(RegperiodeRec, FraDato) == 12);
static_assert(offsetof(RegperiodeRec, TilDato) == 16);
static_assert(offsetof(RegperiodeRec, Dagsnorm) == 20);
static_assert(offsetof(RegperiodeRec, Status) == 24);

struct ArbejdstidRec {
  uint32_t meda_id;
  uint32_t Dato;
  uint32_t Minutter;
  uint32_t Bidrag;
  int32_t Indbetalt;
  uint32_t Undervisning;
  uint8_t Status;
};
static_assert(sizeof(ArbejdstidRec) == 25);
static_assert(offsetof(ArbejdstidRec, meda_id) == 0);
static_assert(offsetof(ArbejdstidRec, Dato) == 4);
static_assert(offsetof(ArbejdstidRec, Minutter) == 8);
static_assert(offsetof(ArbejdstidRec, Bidrag) == 12);
static_assert(offsetof(ArbejdstidRec, Indbetalt) == 16);
static_assert(offsetof(ArbejdstidRec, Undervisning) == 20);
static_assert(offsetof(ArbejdstidRec, Status) == 24);

struct FfpgRec {
  uint32_t id;
  char Navn[51];
  uint32_t Fradato;
  uint32_t Tildato;
  uint8_t VisSkeLekt;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FfpgRec) == 67);
static_assert(offsetof(FfpgRec, id) == 0);
static_assert(offsetof(FfpgRec, Navn) == 4);
static_assert(offsetof(FfpgRec, Fradato) == 55);
static_assert(offsetof(FfpgRec, Tildato) == 59);
static_assert(offsetof(FfpgRec, VisSkeLekt) == 63);
static_assert(offsetof(FfpgRec, Ejer) == 64);
static_assert(offsetof(FfpgRec, Fejl) == 65);
static_assert(offsetof(FfpgRec, Status) == 66);

struct FfppRec {
  uint32_t Id;
  uint32_t ffpg_id;
  uint32_t Frauge;
  uint32_t Tiluge;
  uint8_t Udfold;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FfppRec) == 20);
static_assert(offsetof(FfppRec, Id) == 0);
static_assert(offsetof(FfppRec, ffpg_id) == 4);
static_assert(offsetof(FfppRec, Frauge) == 8);
static_assert(offsetof(FfppRec, Tiluge) == 12);
static_assert(offsetof(FfppRec, Udfold) == 16);
static_assert(offsetof(FfppRec, Ejer) == 17);
static_assert(offsetof(FfppRec, Fejl) == 18);
static_assert(offsetof(FfppRec, Status) == 19);

struct FfgrundRec {
  uint32_t Id;
  uint32_t ffpg_id;
  uint32_t Aktivitet;
  uint32_t Skolefag;
  uint32_t Medarbejder1;
  uint32_t Medarbejder2;
  uint8_t Skjult;
  uint8_t Dublet;
  uint8_t Udfoldet;
  uint32_t ObjType;
  uint32_t Budget;
  uint32_t LektionsBlok;
  float Timer;
  int32_t Lektioner;
  uint32_t SumLektioner;
  float Minutnorm1;
  float Minutnorm2;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FfgrundRec) == 62);
static_assert(offsetof(FfgrundRec, Id) == 0);
static_assert(offsetof(FfgrundRec, ffpg_id) == 4);
static_assert(offsetof(FfgrundRec, Aktivitet) == 8);
static_assert(offsetof(FfgrundRec, Skolefag) == 12);
static_assert(offsetof(FfgrundRec, Medarbejder1) == 16);
static_assert(offsetof(FfgrundRec, Medarbejder2) == 20);
static_assert(offsetof(FfgrundRec, Skjult) == 24);
static_assert(offsetof(FfgrundRec, Dublet) == 25);
static_assert(offsetof(FfgrundRec, Udfoldet) == 26);
static_assert(offsetof(FfgrundRec, ObjType) == 27);
static_assert(offsetof(FfgrundRec, Budget) == 31);
static_assert(offsetof(FfgrundRec, LektionsBlok) == 35);
static_assert(offsetof(FfgrundRec, Timer) == 39);
static_assert(offsetof(FfgrundRec, Lektioner) == 43);
static_assert(offsetof(FfgrundRec, SumLektioner) == 47);
static_assert(offsetof(FfgrundRec, Minutnorm1) == 51);
static_assert(offsetof(FfgrundRec, Minutnorm2) == 55);
static_assert(offsetof(FfgrundRec, Ejer) == 59);
static_assert(offsetof(FfgrundRec, Fejl) == 60);
static_assert(offsetof(FfgrundRec, Status) == 61);

struct FfpertabRec {
  uint32_t Id;
  uint32_t ffgrund_id;
  uint32_t ffpp_id;
  float Timer;
  uint32_t Lektioner;
  float Opgave_antal;
  float Minutter_per_opgave;
  float Elevtid_per_elev;
  float Rettearbejd;
  float Elevtid;
  float Eksametid;
  uint32_t PlanStatus;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FfpertabRec) == 51);
static_assert(offsetof(FfpertabRec, Id) == 0);
static_assert(offsetof(FfpertabRec, ffgrund_id) == 4);
static_assert(offsetof(FfpertabRec, ffpp_id) == 8);
static_assert(offsetof(FfpertabRec, Timer) == 12);
static_assert(offsetof(FfpertabRec, Lektioner) == 16);
static_assert(offsetof(FfpertabRec, Opgave_antal) == 20);
static_assert(offsetof(FfpertabRec, Minutter_per_opgave) == 24);
static_assert(offsetof(FfpertabRec, Elevtid_per_elev) == 28);
static_assert(offsetof(FfpertabRec, Rettearbejd) == 32);
static_assert(offsetof(FfpertabRec, Elevtid) == 36);
static_assert(offsetof(FfpertabRec, Eksametid) == 40);
static_assert(offsetof(FfpertabRec, PlanStatus) == 44);
static_assert(offsetof(FfpertabRec, Ejer) == 48);
static_assert(offsetof(FfpertabRec, Fejl) == 49);
static_assert(offsetof(FfpertabRec, Status) == 50);

struct FftaltabRec {
  uint32_t Id;
  uint32_t ffgrund_id;
  uint32_t PlanStatus;
  uint32_t Uge;
  float Timer;
  uint32_t Lektioner;
  uint32_t ElevAntal;
  float Opgave_antal;
  float Minutter_per_opgave;
  float Elevtid_per_elev;
  float Rettearbejd;
  float Elevtid;
  float Eksametid;
  uint32_t RetStatus;
  uint32_t EksStatus;
  uint32_t ElevtidStatus;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FftaltabRec) == 67);
static_assert(offsetof(FftaltabRec, Id) == 0);
static_assert(offsetof(FftaltabRec, ffgrund_id) == 4);
static_assert(offsetof(FftaltabRec, PlanStatus) == 8);
static_assert(offsetof(FftaltabRec, Uge) == 12);
static_assert(offsetof(FftaltabRec, Timer) == 16);
static_assert(offsetof(FftaltabRec, Lektioner) == 20);
static_assert(offsetof(FftaltabRec, ElevAntal) == 24);
static_assert(offsetof(FftaltabRec, Opgave_antal) == 28);
static_assert(offsetof(FftaltabRec, Minutter_per_opgave) == 32);
static_assert(offsetof(FftaltabRec, Elevtid_per_elev) == 36);
static_assert(offsetof(FftaltabRec, Rettearbejd) == 40);
static_assert(offsetof(FftaltabRec, Elevtid) == 44);
static_assert(offsetof(FftaltabRec, Eksametid) == 48);
static_assert(offsetof(FftaltabRec, RetStatus) == 52);
static_assert(offsetof(FftaltabRec, EksStatus) == 56);
static_assert(offsetof(FftaltabRec, ElevtidStatus) == 60);
static_assert(offsetof(FftaltabRec, Ejer) == 64);
static_assert(offsetof(FftaltabRec, Fejl) == 65);
static_assert(offsetof(FftaltabRec, Status) == 66);

struct FffagfordlRec {
  uint32_t ffpg_id;
  uint32_t Fradato;
  uint32_t Tildato;
  uint32_t anfo_id;
  uint32_t akti_id;
  uint32_t skfa_id;
  uint32_t Elevlektioner;
  uint8_t Ejer;
  uint8_t Status;
};
static_assert(sizeof(FffagfordlRec) == 30);
static_assert(offsetof(FffagfordlRec, ffpg_id) == 0);
static_assert(offsetof(FffagfordlRec, Fradato) == 4);
static_assert(offsetof(FffagfordlRec, Tildato) == 8);
static_assert(offsetof(FffagfordlRec, anfo_id) == 12);
static_assert(offsetof(FffagfordlRec, akti_id) == 16);
static_assert(offsetof(FffagfordlRec, skfa_id) == 20);
static_assert(offsetof(FffagfordlRec, Elevlektioner) == 24);
static_assert(offsetof(FffagfordlRec, Ejer) == 28);
static_assert(offsetof(FffagfordlRec, Status) == 29);

struct FfpgrelRec {
  uint32_t Id;
  uint32_t Plangruppe_id;
  uint32_t akti_id;
  uint32_t anfo_id;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(FfpgrelRec) == 19);
static_assert(offsetof(FfpgrelRec, Id) == 0);
static_assert(offsetof(FfpgrelRec, Plangruppe_id) == 4);
static_assert(offsetof(FfpgrelRec, akti_id) == 8);
static_assert(offsetof(FfpgrelRec, anfo_id) == 12);
static_assert(offsetof(FfpgrelRec, Ejer) == 16);
static_assert(offsetof(FfpgrelRec, Fejl) == 17);
static_assert(offsetof(FfpgrelRec, Status) == 18);

struct MedaskepriorRec {
  uint32_t anfo_id;
  uint8_t Ugedag;
  uint32_t Starttid;
  uint32_t Sluttid;
  int32_t prioritet;
  uint32_t Fradato;
  uint32_t Tildato;
  uint8_t Ejer;
  uint8_t Fejl;
  uint8_t Status;
};
static_assert(sizeof(MedaskepriorRec) == 28);
static_assert(offsetof(MedaskepriorRec, anfo_id) == 0);
static_assert(offsetof(MedaskepriorRec, Ugedag) == 4);
static_assert(offsetof(MedaskepriorRec, Starttid) == 5);
static_assert(offsetof(MedaskepriorRec, Sluttid) == 9);
static_assert(offsetof(MedaskepriorRec, prioritet) == 13);
static_assert(offsetof(MedaskepriorRec, Fradato) == 17);
static_assert(offsetof(MedaskepriorRec, Tildato) == 21);
static_assert(offsetof(MedaskepriorRec, Ejer) == 25);
static_assert(offsetof(MedaskepriorRec, Fejl) == 26);
static_assert(offsetof(MedaskepriorRec, Status) == 27);

// ---- Catalogue of enrolment tables

struct TgRec {
  uint32_t id;
  uint8_t Status;
  char Navn[51];
  uint32_t tilmeldingsfradato;
  uint32_t tilmeldingstildato;
  uint32_t fradato;
  uint32_t tildato;
  char LoebendeOptagstring[2];
  uint32_t Minimum1PriLekt;
  uint32_t Minimum2PriLekt;
  char Navn2[51];  // Navn
  char UgeLektionsGruppe;
  uint32_t min_elevtal;
  uint32_t max_elevtal;
  uint32_t uge_antal;
  uint32_t uge_deletal;
  uint32_t lek_antal;
  uint32_t lek_deletal;
  char Laast;
  char EasyLaast;
  char ExportLaast;
  char PlanlaegningsLaast;
  char HentLaast;
  char SkjulArkiverede;
};
static_assert(sizeof(TgRec) == 164);
static_assert(offsetof(TgRec, id) == 0);
static_assert(offsetof(TgRec, Status) == 4);
static_assert(offsetof(TgRec, Navn) == 5);
static_assert(offsetof(TgRec, tilmeldingsfradato) == 56);
static_assert(offsetof(TgRec, tilmeldingstildato) == 60);
static_assert(offsetof(TgRec, fradato) == 64);
static_assert(offsetof(TgRec, tildato) == 68);
static_assert(offsetof(TgRec, LoebendeOptagstring) == 72);
static_assert(offsetof(TgRec, Minimum1PriLekt) == 74);
static_assert(offsetof(TgRec, Minimum2PriLekt) == 78);
static_assert(offsetof(TgRec, Navn2) == 82);
static_assert(offsetof(TgRec, UgeLektionsGruppe) == 133);
static_assert(offsetof(TgRec, min_elevtal) == 134);
static_assert(offsetof(TgRec, max_elevtal) == 138);
static_assert(offsetof(TgRec, uge_antal) == 142);
static_assert(offsetof(TgRec, uge_deletal) == 146);
static_assert(offsetof(TgRec, lek_antal) == 150);
static_assert(offsetof(TgRec, lek_deletal) == 154);
static_assert(offsetof(TgRec, Laast) == 158);
static_assert(offsetof(TgRec, EasyLaast) == 159);
static_assert(offsetof(TgRec, ExportLaast) == 160);
static_assert(offsetof(TgRec, PlanlaegningsLaast) == 161);
static_assert(offsetof(TgRec, HentLaast) == 162);
static_assert(offsetof(TgRec, SkjulArkiverede) == 163);

struct PpRec {
  uint32_t id;
  uint32_t tg_id;
  uint8_t Status;
  uint32_t ugenr;
  uint8_t dag;
  uint32_t lektion;
};
static_assert(sizeof(PpRec) == 18);
static_assert(offsetof(PpRec, id) == 0);
static_assert(offsetof(PpRec, tg_id) == 4);
static_assert(offsetof(PpRec, Status) == 8);
static_assert(offsetof(PpRec, ugenr) == 9);
static_assert(offsetof(PpRec, dag) == 13);
static_assert(offsetof(PpRec, lektion) == 14);

struct LaRec {
  uint32_t id;
  uint32_t tg_id;
  uint8_t Status;
  char Navn[101];
  uint32_t fradato;
  uint32_t tildato;
  uint32_t Lektionsantal;
  uint32_t kopi_id;
  uint32_t min_elevantal;
  uint32_t max_elevantal;
  uint32_t uge_antal;
  uint32_t uge_deletal;
  uint32_t lek_antal;
  uint32_t lek_deletal;
  uint32_t dubletnr;
  uint32_t akt_elevantal;
  uint32_t akt_resultat;
  uint32_t akt_prio_1;
  uint32_t akt_prio_2;
  uint32_t akt_prio_3;
  uint32_t onske_prio_1;
  uint32_t onske_prio_2;
  uint32_t reeltflyttet;
  char LukForNyeElever;
  char BeholdElever;
  char PladsLaas;
  uint32_t overfoer_til_la_id;
  uint32_t aktiv;
  char ElevPlanStatus;
};
static_assert(sizeof(LaRec) == 198);
static_assert(offsetof(LaRec, id) == 0);
static_assert(offsetof(LaRec, tg_id) == 4);
static_assert(offsetof(LaRec, Status) == 8);
static_assert(offsetof(LaRec, Navn) == 9);
static_assert(offsetof(LaRec, fradato) == 110);
static_assert(offsetof(LaRec, tildato) == 114);
static_assert(offsetof(LaRec, Lektionsantal) == 118);
static_assert(offsetof(LaRec, kopi_id) == 122);
static_assert(offsetof(LaRec, min_elevantal) == 126);
static_assert(offsetof(LaRec, max_elevantal) == 130);
static_assert(offsetof(LaRec, uge_antal) == 134);
static_assert(offsetof(LaRec, uge_deletal) == 138);
static_assert(offsetof(LaRec, lek_antal) == 142);
static_assert(offsetof(LaRec, lek_deletal) == 146);
static_assert(offsetof(LaRec, dubletnr) == 150);
static_assert(offsetof(LaRec, akt_elevantal) == 154);
static_assert(offsetof(LaRec, akt_resultat) == 158);
static_assert(offsetof(LaRec, akt_prio_1) == 162);
static_assert(offsetof(LaRec, akt_prio_2) == 166);
static_assert(offsetof(LaRec, akt_prio_3) == 170);
static_assert(offsetof(LaRec, onske_prio_1) == 174);
static_assert(offsetof(LaRec, onske_prio_2) == 178);
static_assert(offsetof(LaRec, reeltflyttet) == 182);
static_assert(offsetof(LaRec, LukForNyeElever) == 186);
static_assert(offsetof(LaRec, BeholdElever) == 187);
static_assert(offsetof(LaRec, PladsLaas) == 188);
static_assert(offsetof(LaRec, overfoer_til_la_id) == 189);
static_assert(offsetof(LaRec, aktiv) == 193);
static_assert(offsetof(LaRec, ElevPlanStatus) == 197);

struct LapRec {
  uint32_t id;
  uint32_t tg_id;
  uint32_t la_id;
  uint32_t pp_id;
  uint8_t Status;
  uint32_t lengde;
  char blokering;
};
static_assert(sizeof(LapRec) == 22);
static_assert(offsetof(LapRec, id) == 0);
static_assert(offsetof(LapRec, tg_id) == 4);
static_assert(offsetof(LapRec, la_id) == 8);
static_assert(offsetof(LapRec, pp_id) == 12);
static_assert(offsetof(LapRec, Status) == 16);
static_assert(offsetof(LapRec, lengde) == 17);
static_assert(offsetof(LapRec, blokering) == 21);

struct ElevRec {
  uint32_t id;
  uint32_t dummy_tg_id;
  uint8_t Status;
  char Elevnavn[101];
  char Cpr_Nummer[12];
  char Navn[5];
  char Navn2[5];  // Navn
  char Navn3[2];  // Navn
  char Navn4[71];  // Navn
  char Navn5[36];  // Navn
  uint32_t akt_prio_1;
  uint32_t akt_prio_2;
  uint32_t akt_prio_3;
  uint32_t onske_prio_1;
  uint32_t onske_prio_2;
  uint32_t max_onske;
};
static_assert(sizeof(ElevRec) == 265);
static_assert(offsetof(ElevRec, id) == 0);
static_assert(offsetof(ElevRec, dummy_tg_id) == 4);
static_assert(offsetof(ElevRec, Status) == 8);
static_assert(offsetof(ElevRec, Elevnavn) == 9);
static_assert(offsetof(ElevRec, Cpr_Nummer) == 110);
static_assert(offsetof(ElevRec, Navn) == 122);
static_assert(offsetof(ElevRec, Navn2) == 127);
static_assert(offsetof(ElevRec, Navn3) == 132);
static_assert(offsetof(ElevRec, Navn4) == 134);
static_assert(offsetof(ElevRec, Navn5) == 205);
static_assert(offsetof(ElevRec, akt_prio_1) == 241);
static_assert(offsetof(ElevRec, akt_prio_2) == 245);
static_assert(offsetof(ElevRec, akt_prio_3) == 249);
static_assert(offsetof(ElevRec, onske_prio_1) == 253);
static_assert(offsetof(ElevRec, onske_prio_2) == 257);
static_assert(offsetof(ElevRec, max_onske) == 261);

struct EltiRec {
  uint32_t elev_id;
  uint32_t tg_id;
  uint8_t Status;
};
static_assert(sizeof(EltiRec) == 9);
static_assert(offsetof(EltiRec, elev_id) == 0);
static_assert(offsetof(EltiRec, tg_id) == 4);
static_assert(offsetof(EltiRec, Status) == 8);

struct EvRec {
  uint32_t id;
  uint8_t Status;
  uint32_t tg_id;
  uint32_t elev_id;
  uint32_t elevplan_onske_la_id;
  uint8_t prioritet;
  uint32_t Gyldig_fra;
  uint32_t Gyldig_til;
  char Accept[2];
  char EASYAStatus[51];
  uint32_t konverteret_onske_la;
  uint32_t placerings_la_id;
  char ElevPlanStatus;
};
static_assert(sizeof(EvRec) == 88);
static_assert(offsetof(EvRec, id) == 0);
static_assert(offsetof(EvRec, Status) == 4);
static_assert(offsetof(EvRec, tg_id) == 5);
static_assert(offsetof(EvRec, elev_id) == 9);
static_assert(offsetof(EvRec, elevplan_onske_la_id) == 13);
static_assert(offsetof(EvRec, prioritet) == 17);
static_assert(offsetof(EvRec, Gyldig_fra) == 18);
static_assert(offsetof(EvRec, Gyldig_til) == 22);
static_assert(offsetof(EvRec, Accept) == 26);
static_assert(offsetof(EvRec, EASYAStatus) == 28);
static_assert(offsetof(EvRec, konverteret_onske_la) == 79);
static_assert(offsetof(EvRec, placerings_la_id) == 83);
static_assert(offsetof(EvRec, ElevPlanStatus) == 87);

struct EbRec {
  uint32_t id;
  uint32_t tg_id;
  uint32_t elev_id;
  uint32_t pp_id;
  uint8_t Status;
  uint32_t lengde;
};
static_assert(sizeof(EbRec) == 21);
static_assert(offsetof(EbRec, id) == 0);
static_assert(offsetof(EbRec, tg_id) == 4);
static_assert(offsetof(EbRec, elev_id) == 8);
static_assert(offsetof(EbRec, pp_id) == 12);
static_assert(offsetof(EbRec, Status) == 16);
static_assert(offsetof(EbRec, lengde) == 17);

#pragma pack(pop)

// Descriptors and run-time records, one per table.
extern const TabDesc tdanom;
extern const TabDesc tdhontity;
extern const TabDesc tdlektregl;
extern const TabDesc tdnojt;
extern const TabDesc tdeakt;
extern const TabDesc tdloty;
extern const TabDesc tdaldtil;
extern const TabDesc tdafsp;
extern const TabDesc tdbeltil;
extern const TabDesc tdomsdag;
extern const TabDesc tdopgkal;
extern const TabDesc tdopgper;
extern const TabDesc tdaraf;
extern const TabDesc tdaftalop;
extern const TabDesc tdafme;
extern const TabDesc tdmeda;
extern const TabDesc tdanfo;
extern const TabDesc tdansc;
extern const TabDesc tdansk;
extern const TabDesc tdacsa;
extern const TabDesc tdudgr;
extern const TabDesc tdloka;
extern const TabDesc tdrisy;
extern const TabDesc tdskka;
extern const TabDesc tdakgr;
extern const TabDesc tdkdagrel;
extern const TabDesc tdkaldag;
extern const TabDesc tdakti;
extern const TabDesc tdskfa;
extern const TabDesc tdskph;
extern const TabDesc tdsphp;
extern const TabDesc tdlokrotyp;
extern const TabDesc tdlokrolle;
extern const TabDesc tdskemrtyp;
extern const TabDesc tdskemarol;
extern const TabDesc tdbem;
extern const TabDesc tdaakrel;
extern const TabDesc tdmiak;
extern const TabDesc tdminutfau;
extern const TabDesc tdminutud;
extern const TabDesc tdplanakt;
extern const TabDesc tdmipl;
extern const TabDesc tdfagfordl;
extern const TabDesc tdudlplan;
extern const TabDesc tdbudt;
extern const TabDesc tdprimotal;
extern const TabDesc tdbuftim;
extern const TabDesc tdnormjust;
extern const TabDesc tdelvrel;
extern const TabDesc tdelvrel2;
extern const TabDesc tdfagelv;
extern const TabDesc tdret;
extern const TabDesc tdpom;
extern const TabDesc tdbygn;
extern const TabDesc tdamm;
extern const TabDesc tdins;
extern const TabDesc tdpers;
extern const TabDesc tdepsh;
extern const TabDesc tdakpl;
extern const TabDesc tdfrit;
extern const TabDesc tduvfo;
extern const TabDesc tdunko;
extern const TabDesc tdalrel;
extern const TabDesc tdskfalokarel;
extern const TabDesc tdtif;
extern const TabDesc tdsls_koder;
extern const TabDesc tdfrty;
extern const TabDesc tdferieopg;
extern const TabDesc tdnormsystem;
extern const TabDesc tdopgperiode;
extern const TabDesc tdregperiode;
extern const TabDesc tdarbejdstid;
extern const TabDesc tdffpg;
extern const TabDesc tdffpp;
extern const TabDesc tdffgrund;
extern const TabDesc tdffpertab;
extern const TabDesc tdfftaltab;
extern const TabDesc tdfffagfordl;
extern const TabDesc tdffpgrel;
extern const TabDesc tdmedaskeprior;
extern const TabDesc tdtg;
extern const TabDesc tdpp;
extern const TabDesc tdla;
extern const TabDesc tdlap;
extern const TabDesc tdelev;
extern const TabDesc tdelti;
extern const TabDesc tdev;
extern const TabDesc tdeb;
extern TabVar tvanom;
extern TabVar tvhontity;
extern TabVar tvlektregl;
extern TabVar tvnojt;
extern TabVar tveakt;
extern TabVar tvloty;
extern TabVar tvaldtil;
extern TabVar tvafsp;
extern TabVar tvbeltil;
extern TabVar tvomsdag;
extern TabVar tvopgkal;
extern TabVar tvopgper;
extern TabVar tvaraf;
extern TabVar tvaftalop;
extern TabVar tvafme;
extern TabVar tvmeda;
extern TabVar tvanfo;
extern TabVar tvansc;
extern TabVar tvansk;
extern TabVar tvacsa;
extern TabVar tvudgr;
extern TabVar tvloka;
extern TabVar tvrisy;
extern TabVar tvskka;
extern TabVar tvakgr;
extern TabVar tvkdagrel;
extern TabVar tvkaldag;
extern TabVar tvakti;
extern TabVar tvskfa;
extern TabVar tvskph;
extern TabVar tvsphp;
extern TabVar tvlokrotyp;
extern TabVar tvlokrolle;
extern TabVar tvskemrtyp;
extern TabVar tvskemarol;
extern TabVar tvbem;
extern TabVar tvaakrel;
extern TabVar tvmiak;
extern TabVar tvminutfau;
extern TabVar tvminutud;
extern TabVar tvplanakt;
extern TabVar tvmipl;
extern TabVar tvfagfordl;
extern TabVar tvudlplan;
extern TabVar tvbudt;
extern TabVar tvprimotal;
extern TabVar tvbuftim;
extern TabVar tvnormjust;
extern TabVar tvelvrel;
extern TabVar tvelvrel2;
extern TabVar tvfagelv;
extern TabVar tvret;
extern TabVar tvpom;
extern TabVar tvbygn;
extern TabVar tvamm;
extern TabVar tvins;
extern TabVar tvpers;
extern TabVar tvepsh;
extern TabVar tvakpl;
extern TabVar tvfrit;
extern TabVar tvuvfo;
extern TabVar tvunko;
extern TabVar tvalrel;
extern TabVar tvskfalokarel;
extern TabVar tvtif;
extern TabVar tvsls_koder;
extern TabVar tvfrty;
extern TabVar tvferieopg;
extern TabVar tvnormsystem;
extern TabVar tvopgperiode;
extern TabVar tvregperiode;
extern TabVar tvarbejdstid;
extern TabVar tvffpg;
extern TabVar tvffpp;
extern TabVar tvffgrund;
extern TabVar tvffpertab;
extern TabVar tvfftaltab;
extern TabVar tvfffagfordl;
extern TabVar tvffpgrel;
extern TabVar tvmedaskeprior;
extern TabVar tvtg;
extern TabVar tvpp;
extern TabVar tvla;
extern TabVar tvlap;
extern TabVar tvelev;
extern TabVar tvelti;
extern TabVar tvev;
extern TabVar tveb;
