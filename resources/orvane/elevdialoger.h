#pragma once
// The dialog templates of the student planning, registered as resources of
// the main program: control ids and texts as the dialog procedures use them.

// The automatic placement's dialog: method and number of runs.
constexpr int IDD_SIMULERING = 151;
constexpr int IDC_SIM_ANTAL = 1132;
constexpr int IDC_SIM_KUN_PRIO1 = 1134;
constexpr int IDC_SIM_PRIO12 = 1135;

// The learning activity's dialog.
constexpr int IDD_RETLA = 152;
constexpr int IDC_RETLA_MIN = 1128;
constexpr int IDC_RETLA_MAX = 1129;
constexpr int IDC_RETLA_ANTAL = 1131;
constexpr int IDC_RETLA_ANTAL_TEKST = 1150;
constexpr int IDC_RETLA_RAMME = 1151;
constexpr int IDC_RETLA_BLOK = 1152;
constexpr int IDC_RETLA_LUK = 1153;
constexpr int IDC_RETLA_BEHOLD = 1154;
constexpr int IDC_RETLA_PLADSLAAS = 1155;
constexpr int IDC_RETLA_AKTIV = 1156;
constexpr int IDC_MAX_TEKST = 1157;

// The group's slot set-up: an empty frame whose controls the dialog makes
// at run time.
constexpr int IDD_ELEVPLANSETUP = 156;
constexpr int IDC_SETUP_UGER = 501;
constexpr int IDC_SETUP_LEKTIONER = 502;
constexpr int IDC_SETUP_MIN = 601;
constexpr int IDC_SETUP_MAX = 602;
constexpr int IDC_SETUP_ANTAL = 603;
constexpr int IDC_SETUP_BLOK = 604;
constexpr int IDC_SETUP_ANTAL_TEKST = 605;
// The mark boxes: a week by its index in the schedule period, a lesson as
// day x 48 + lesson.
constexpr int IDC_SETUP_LEKTION_BASIS = 3000;
constexpr int IDC_SETUP_UGE_BASIS = 4000;

// The Elevplan exchange: server or Elevplan export, the exchange period,
// the login and the role choice.
constexpr int IDD_EP_EKSPORTVALG = 159;
constexpr int IDC_EP_SERVER = 1144;
constexpr int IDC_EP_ELEVPLAN = 1145;
constexpr int IDD_EP_PERIODE = 160;
constexpr int IDC_EP_FRA = 1146;
constexpr int IDC_EP_TIL = 1147;
constexpr int IDD_EP_LOGIN = 154;
constexpr int IDC_EP_BRUGER = 1138;
constexpr int IDC_EP_KODEORD = 1139;
constexpr int IDC_EP_KODEORD_TEKST = 1140;
constexpr int IDC_EP_BRUGER_TEKST = 1141;
constexpr int IDD_EP_ROLLE = 155;
constexpr int IDC_EP_ROLLER = 1142;
constexpr int IDC_EP_ROLLER_TEKST = 1143;

// Registers the templates once; later calls do nothing.
void RegistrerElevDialoger();
