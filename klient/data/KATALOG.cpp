// generated from the data dictionary; edit with care

// The registry of all tables, in load and save order.
#include "KATALOG.h"

TabVar tvanom;
TabVar tvhontity;
TabVar tvlektregl;
TabVar tvnojt;
TabVar tveakt;
TabVar tvloty;
TabVar tvaldtil;
TabVar tvafsp;
TabVar tvbeltil;
TabVar tvomsdag;
TabVar tvopgkal;
TabVar tvopgper;
TabVar tvaraf;
TabVar tvaftalop;
TabVar tvafme;
TabVar tvmeda;
TabVar tvanfo;
TabVar tvansc;
TabVar tvansk;
TabVar tvacsa;
TabVar tvudgr;
TabVar tvloka;
TabVar tvrisy;
TabVar tvskka;
TabVar tvakgr;
TabVar tvkdagrel;
TabVar tvkaldag;
TabVar tvakti;
TabVar tvskfa;
TabVar tvskph;
TabVar tvsphp;
TabVar tvlokrotyp;
TabVar tvlokrolle;
TabVar tvskemrtyp;
TabVar tvskemarol;
TabVar tvbem;
TabVar tvaakrel;
TabVar tvmiak;
TabVar tvminutfau;
TabVar tvminutud;
TabVar tvplanakt;
TabVar tvmipl;
TabVar tvfagfordl;
TabVar tvudlplan;
TabVar tvbudt;
TabVar tvprimotal;
TabVar tvbuftim;
TabVar tvnormjust;
TabVar tvelvrel;
TabVar tvelvrel2;
TabVar tvfagelv;
TabVar tvret;
TabVar tvpom;
TabVar tvbygn;
TabVar tvamm;
TabVar tvins;
TabVar tvpers;
TabVar tvepsh;
TabVar tvakpl;
TabVar tvfrit;
TabVar tvuvfo;
TabVar tvunko;
TabVar tvalrel;
TabVar tvskfalokarel;
TabVar tvtif;
TabVar tvsls_koder;
TabVar tvfrty;
TabVar tvferieopg;
TabVar tvnormsystem;
TabVar tvopgperiode;
TabVar tvregperiode;
TabVar tvarbejdstid;
TabVar tvffpg;
TabVar tvffpp;
TabVar tvffgrund;
TabVar tvffpertab;
TabVar tvfftaltab;
TabVar tvfffagfordl;
TabVar tvffpgrel;
TabVar tvmedaskeprior;
TabVar tvtg;
TabVar tvpp;
TabVar tvla;
TabVar tvlap;
TabVar tvelev;
TabVar tvelti;
TabVar tvev;
TabVar tveb;

const TabRegEntry TabRegister[] = {
    {'a', "anom", &tdanom, &tvanom, 136},
    {'h', "hontity", &tdhontity, &tvhontity, 140},
    {'l', "lektregl", &tdlektregl, &tvlektregl, 141},
    {'n', "nojt", &tdnojt, &tvnojt, 145},
    {'e', "eakt", &tdeakt, &tveakt, 139},
    {'o', "loty", &tdloty, &tvloty, 143},
    {'d', "aldtil", &tdaldtil, &tvaldtil, 134},
    {'f', "afsp", &tdafsp, &tvafsp, 132},
    {'b', "beltil", &tdbeltil, &tvbeltil, 138},
    {'m', "omsdag", &tdomsdag, &tvomsdag, 146},
    {'p', "opgkal", &tdopgkal, &tvopgkal, 147},
    {'g', "opgper", &tdopgper, &tvopgper, 148},
    {'r', "araf", &tdaraf, &tvaraf, 137},
    {'t', "aftalop", &tdaftalop, &tvaftalop, 133},
    {'A', "afme", &tdafme, &tvafme, 131},
    {'E', "meda", &tdmeda, &tvmeda, 144},
    {'M', "anfo", &tdanfo, &tvanfo, 135},
    {'Y', "ansc", &tdansc, &tvansc, 175},
    {'Z', "ansk", &tdansk, &tvansk, 161},
    {'c', "acsa", &tdacsa, &tvacsa, 129},
    {'u', "udgr", &tdudgr, &tvudgr, 152},
    {'L', "loka", &tdloka, &tvloka, 142},
    {'R', "risy", &tdrisy, &tvrisy, 149},
    {'k', "skka", &tdskka, &tvskka, 154},
    {'w', "akgr", &tdakgr, &tvakgr, 177},
    {'D', "kdagrel", &tdkdagrel, &tvkdagrel, 67},
    {'G', "kaldag", &tdkaldag, &tvkaldag, 66},
    {'K', "akti", &tdakti, &tvakti, 130},
    {'U', "skfa", &tdskfa, &tvskfa, 150},
    {'P', "skph", &tdskph, &tvskph, 155},
    {'B', "sphp", &tdsphp, &tvsphp, 188},
    {'T', "lokrotyp", &tdlokrotyp, &tvlokrotyp, 159},
    {'x', "lokrolle", &tdlokrolle, &tvlokrolle, 158},
    {'X', "skemrtyp", &tdskemrtyp, &tvskemrtyp, 157},
    {'z', "skemarol", &tdskemarol, &tvskemarol, 156},
    {'-', "bem", &tdbem, &tvbem, 189},
    {'O', "aakrel", &tdaakrel, &tvaakrel, 162},
    {'i', "miak", &tdmiak, &tvmiak, 163},
    {'j', "minutfau", &tdminutfau, &tvminutfau, 164},
    {'q', "minutud", &tdminutud, &tvminutud, 165},
    {'v', "planakt", &tdplanakt, &tvplanakt, 166},
    {'y', "mipl", &tdmipl, &tvmipl, 167},
    {'s', "fagfordl", &tdfagfordl, &tvfagfordl, 168},
    {'C', "udlplan", &tdudlplan, &tvudlplan, 169},
    {'F', "budt", &tdbudt, &tvbudt, 170},
    {'(', "primotal", &tdprimotal, &tvprimotal, 198},
    {'N', "buftim", &tdbuftim, &tvbuftim, 172},
    {'Q', "normjust", &tdnormjust, &tvnormjust, 173},
    {'J', "elvrel", &tdelvrel, &tvelvrel, 174},
    {'$', "elvrel2", &tdelvrel2, &tvelvrel2, 193},
    {'%', "fagelv", &tdfagelv, &tvfagelv, 191},
    {'V', "ret", &tdret, &tvret, 176},
    {'W', "pom", &tdpom, &tvpom, 178},
    {'1', "bygn", &tdbygn, &tvbygn, 179},
    {'2', "amm", &tdamm, &tvamm, 180},
    {'3', "ins", &tdins, &tvins, 181},
    {'!', "pers", &tdpers, &tvpers, 182},
    {static_cast<uint8_t>('\xA7'), "epsh", &tdepsh, &tvepsh, 183},
    {'I', "akpl", &tdakpl, &tvakpl, 184},
    {static_cast<uint8_t>('\xA4'), "frit", &tdfrit, &tvfrit, 185},
    {'H', "uvfo", &tduvfo, &tvuvfo, 190},
    {static_cast<uint8_t>('\xA3'), "unko", &tdunko, &tvunko, 192},
    {'*', "alrel", &tdalrel, &tvalrel, 194},
    {static_cast<uint8_t>('\xD8'), "skfalokarel", &tdskfalokarel, &tvskfalokarel, 255},
    {static_cast<uint8_t>('\xE6'), "tif", &tdtif, &tvtif, 252},
    {'/', "sls_koder", &tdsls_koder, &tvsls_koder, 195},
    {'0', "frty", &tdfrty, &tvfrty, 196},
    {static_cast<uint8_t>('\xC5'), "ferieopg", &tdferieopg, &tvferieopg, 197},
    {')', "normsystem", &tdnormsystem, &tvnormsystem, 160},
    {'=', "opgperiode", &tdopgperiode, &tvopgperiode, 199},
    {'?', "regperiode", &tdregperiode, &tvregperiode, 200},
    {'{', "arbejdstid", &tdarbejdstid, &tvarbejdstid, 201},
    {'+', "ffpg", &tdffpg, &tvffpg, 186},
    {'#', "ffpp", &tdffpp, &tvffpp, 187},
    {static_cast<uint8_t>('\xBD'), "ffgrund", &tdffgrund, &tvffgrund, 248},
    {'&', "ffpertab", &tdffpertab, &tvffpertab, 249},
    {'@', "fftaltab", &tdfftaltab, &tvfftaltab, 250},
    {static_cast<uint8_t>('\xC6'), "fffagfordl", &tdfffagfordl, &tvfffagfordl, 251},
    {static_cast<uint8_t>('\xF8'), "ffpgrel", &tdffpgrel, &tvffpgrel, 253},
    {static_cast<uint8_t>('\xE5'), "medaskeprior", &tdmedaskeprior, &tvmedaskeprior, 254},
    {'7', "tg", &tdtg, &tvtg, 240},
    {'8', "pp", &tdpp, &tvpp, 241},
    {'9', "la", &tdla, &tvla, 242},
    {'>', "lap", &tdlap, &tvlap, 243},
    {'5', "elev", &tdelev, &tvelev, 244},
    {'<', "elti", &tdelti, &tvelti, 247},
    {'6', "ev", &tdev, &tvev, 245},
    {'4', "eb", &tdeb, &tveb, 246},
    {0, nullptr, nullptr, nullptr, 0},
};

const size_t TabRegisterAntal = 88;
