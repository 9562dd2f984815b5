#pragma once
// The plan's marking-work dialog 174 "Rette arbejde": ten edit fields in
// the order of the dialog's record, three separator lines, OK and Annuler.

constexpr int IDD_RETTE = 174;

// The edit fields, in tab order.
constexpr int IDC_RETTE_ELEVER = 1401;       // "Antal elever:"
constexpr int IDC_RETTE_OPGAVER = 1402;      // "Antal opgaver:"
constexpr int IDC_RETTE_MINUTTER = 1403;     // "Minutter pr. opgave:"
constexpr int IDC_RETTE_AKKORD = 1404;       // "Akkord:" in percent
constexpr int IDC_RETTE_FAKTOR = 1405;       // "Omregningsfaktor:"
constexpr int IDC_RETTE_ELEVTID = 1406;      // "Elevtid pr. elev:"
constexpr int IDC_RETTE_RETTETID = 1407;     // "Rettetid pr. elev:"
constexpr int IDC_RETTE_ARBEJD1 = 1408;      // the first "Rettearbejd:"
constexpr int IDC_RETTE_ARBEJD2 = 1409;      // the second, after a separator
constexpr int IDC_RETTE_IALT = 1410;         // "Rettearbejd ialt:"

// Registers the template; later calls register it again unchanged.
void RegistrerRetteDialog();
