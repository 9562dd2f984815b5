#pragma once
// The private window messages and the menu ids of the main program, each
// number under one name. A message number means what its receiver makes of
// it: the notes name the receiving windows where one number serves several.

#include "windows.h"

// ---- Messages ----

// ENS: wParam = width available: the width wanted
// FUNKTAST: lParam 2: asked first, as the screen's leader
constexpr UINT ENS_BREDDE = 1024;
// ENS: wParam = height available: the height wanted
// STATUSBAR: job-server pane: lParam a text to show
// KONTAKT: wParam 1 under way, 0 final; lParam the text
constexpr UINT ENS_HOEJDE = 1025;
constexpr UINT WM_KONTAKT_SLUT = 1026;  // EPKONTAKT, KONTAKT
constexpr UINT kGemVentende = 1027;  // EXPORT: the planning window stores its edits
constexpr UINT WM_VENTE_CAPTION = 1028;  // HENTGEM: lParam: the caption
// ELEMENT: the object window's width is asked again (vertical desks)
// HENTGEM: lParam: the text of 40045
constexpr UINT ELEMENT_NY_BREDDE = 1029;
constexpr UINT ELEMENT_FRIT_AREAL = 1034;  // ELEMENT: to the desktop: lay the free middle out again
constexpr UINT ELEMENT_OBJEKT = 1035;  // ELEMENT: to an element window: lParam = its object window
constexpr UINT BEGINFO2_NED = 1044;  // BEGINFO
constexpr UINT TB_RUDE_DBL = 1045;  // BEGINFO, TAVOTB
// ELEVLISTEVIN: repaint the caption and header line
// KALENDER: repaint all
// STAMOPL: the toolbar's object line wants painting
// TAVOTB: the pane wants painting: passed to the owner
constexpr UINT TB_RUDE_TEGN = 1046;
constexpr UINT ENS_MUS_FLYT = 1047;  // BEGINFO, ENS
constexpr UINT ENS_MUS_FORLAD = 1048;  // BEGINFO, ENS
constexpr UINT ENS_MUS_HVIL = 1049;  // BEGINFO, ENS
constexpr UINT TB_TOOLTIP = 1050;  // TAVOTB: lParam: the tooltip text; hides the tooltip
constexpr UINT DUMMY_VIS_TOOLTIP = 1051;  // RELAY
constexpr UINT DUMMY_SKJUL_TOOLTIP = 1052;  // RELAY
// RELAY: to the owner before the mouse relays, lParam = the pane
// STAMOPL: lParam: the pane window the mouse is in
constexpr UINT DUMMY_MUS_I_RUDE = 1053;
// AktiSkePrior: another window's current object moved
// BOG: new program-wide current date or object
// KALENDER: broadcast: the program's current date changed; an active
// ELEVLISTEVIN: the tables' current records changed
// GANT: to every window: the current object or week moved
// GRUPPE: to every window when Up or Down is released
// MEDOPGVIN: broadcast: the current date or object changed
// MEDTIME: the program's current date changed
// MEDSKEPRI: the current date or selection changed
// RELMATRIX: a table's current record changed; an active window
// SKEMAVIN: broadcast: a cursor moved
// SletWnd: another window's current object moved
// STAMOPL: a table's current record changed; wParam: redraw flags
// STATUSBAR: broadcast when the current date moved
constexpr UINT AKTUEL_AENDRET = 1054;
constexpr UINT TB_GRUPPEKNAP = 1055;  // TAVOTB: wParam: address where the group button's window is stored
constexpr UINT ENS_TOOLBAR_RUDE = 1064;  // ENS: to the toolbar: its drawing pane
constexpr UINT TB_RUDE_NED = 1065;  // TAVOTB: the pane was clicked
constexpr UINT TB_RUDEBREDDE = 1068;  // TAVOTB: the pane's width
// BOG: to the toolbar: choose group wParam
// SKEMAVIN: to the toolbar: wParam the number of layers (0 all)
// TAVOTB: wParam: a group picked as from the button's list
constexpr UINT TB_GRUPPE_INDEKS = 1069;
constexpr UINT TB_RING_NAESTE = 1070;  // TAVOTB: wParam: passed to the ring strip as its "next"
// RINGTID: to the strip: choose the ring system wParam when it holds it
// SKEMAVIN: to the toolbar: time mode was chosen
constexpr UINT RING_VAELG_ID = 1071;
constexpr UINT ENS_HJOERNE_VENSTRE_NED = 1072;  // ENS
constexpr UINT ENS_HJOERNE_VENSTRE_DBL = 1073;  // ENS
constexpr UINT ENS_KOLHOVED_NED = 1074;  // ENS
constexpr UINT ENS_KOLHOVED_DBL = 1075;  // ENS
constexpr UINT ENS_KOLHOVED_TEGN = 1076;  // ENS: also both corners
constexpr UINT ENS_RAEKKEHOVED_NED = 1077;  // ENS
constexpr UINT ENS_RAEKKEHOVED_DBL = 1078;  // ENS
constexpr UINT ENS_RAEKKEHOVED_TEGN = 1079;  // SKEMAVIN: to itself: the dot schedule's rows changed
constexpr UINT ENS_CELLER_NED = 1080;  // STAMOPL: left click in a pane body
constexpr UINT ENS_CELLER_DBL = 1081;  // BOGMND: from its panes: as the Enter key
constexpr UINT ENS_CELLER_TEGN = 1082;  // STAMOPL: a pane body wants painting; lParam: the body
constexpr UINT ENS_HOEJRE_NED = 1083;  // ENS
constexpr UINT ENS_HOEJRE_DBL = 1084;  // ENS
constexpr UINT ENS_HOEJRE_TEGN = 1085;  // ENS
// SKEMAVIN: clear the painting flag
// HOVEDVIN: broadcast: the program is closing
constexpr UINT VINDUE_LUKKER = 1089;
// OBJVINDUE: to a new object window: it has been made
// SKEMAVIN: set it and repaint
constexpr UINT OBJVINDUE_OPRETTET = 1090;
constexpr UINT ENS_FODVENSTRE_NED = 1091;  // ENS
constexpr UINT ENS_FODVENSTRE_DBL = 1092;  // ENS
constexpr UINT ENS_FODVENSTRE_TEGN = 1093;  // ENS
constexpr UINT ENS_BLEV_AKTIV = 1094;  // ENSMUS: to the parent: wParam 1, lParam = the window
// ENSMUS: to the parent, lParam = the window: nonzero allows it
// DESKTOP: may a window become active?
constexpr UINT ENS_MAA_AKTIVERES = 1095;
// ELEMENT: wParam desk, lParam as the object window's 1094 gave it
// HOVEDVIN: wParam desk, lParam the element window
constexpr UINT ELEMENT_DOKKET_AKTIV = 1096;
// ELEMENT: the shell's active docked window: the answer to 1095
// ENSMUS: the wheel, forwarded by the main window (its wParam)
// HOVEDVIN: 1 when neither an input nor an active window
// STAMOPL: the wheel, from the desktop (the wheel message's wParam)
// HOVEDVIN: the mouse wheel, as WM_MOUSEWHEEL came
constexpr UINT ENS_HJUL = 1097;
constexpr UINT HOVED_VINDUE_AKTIV = 1098;  // HOVEDVIN: wParam 1 = raise, lParam the free window
// HOVEDVIN: 1 when no input window
// SKEMAVIN: to the main window: an ordinary window asks to become active
constexpr UINT HOVED_INTET_INPUT = 1099;
// ELEMENT: to an object window, wParam 1: become active
// SKAERM: to the student planning window of a restored screen
// HOVEDVIN: wParam 1: take the focus
constexpr UINT VINDUE_AKTIVER = 1100;
// ENSMUS: to the window: no longer the active grid window
// STAMOPL: another window became the active one
constexpr UINT VINDUE_DEAKTIVER = 1101;
// BOG: to the main window: a window closed
// HOVEDVIN: lParam the free window closing
// KALENDER: to the main window, lParam the window being destroyed
constexpr UINT HOVED_VINDUE_LUKKET = 1102;
constexpr UINT ENS_BLEV_INAKTIV = 1103;  // ENSMUS: to the parent, lParam = the window
// KALENDER: embedded: may it become active (non-zero: yes)
// RINGTID: to the strip: repaint
constexpr UINT ELEMENT_MAA_AKTIVERES = 1104;
// RINGTID: from the strip: wParam the ring system now chosen
// SKEMAVIN: wParam: the ring system shown
constexpr UINT RING_VALGT = 1105;
constexpr UINT RING_NAESTE = 1106;  // RINGTID: to the strip (wParam 10, the ring key): step to the next entry
// RINGTID: from the strip: a choice made by index (its list) follows 1105
constexpr UINT RING_VALGT_INDEKS = 1109;
// ELEMENT: lParam = the object window of a cell just closed
// HOVEDVIN: lParam the element window closing
constexpr UINT ELEMENT_LUKKET = 1114;
constexpr UINT ELEMENT_LUK = 1115;  // ELEMENT: the object window closes its cell
// OBJVINDUE: to the main window: lParam is the new input window
// HOVEDVIN: lParam the input window, wParam 1 = flash
// BRIKINDVIN: to the main window: lParam the entry window
constexpr UINT HOVED_INPUT_AABEN = 1116;
// STAMOPL: to the desktop when the window goes
// BRIKIND: to the main window
constexpr UINT HOVED_INPUT_LUKKET = 1117;
// ELEVLISTEVIN: paint once as active = wParam
// BRIKINFO: repaint with the children
// RELMATRIX: repaint once with the active flag in wParam
// SletWnd: repaint once with the active flag in wParam
// STAMOPL: repaint the frame in the state wParam
// VALG: wParam: the active flag to draw with; lParam: caption-active
// HOVEDVIN: Ctrl+Tab highlight, wParam 1 on
constexpr UINT VINDUE_TEGN_MED = 1118;
// BRIKINFO: active, without a message
// KALENDER: active, without a repaint
// MEDOPGVIN: become active without telling anyone
// RELMATRIX: active, without a repaint
// SletWnd: active, without a repaint
// VALG: active and caption-active without a redraw
// HOVEDVIN: Ctrl+Tab ended on the active window
constexpr UINT VINDUE_SAET_AKTIV = 1119;
// PLAN: the record of the current row's object
constexpr UINT GANT_AKTUEL_REC = 1120;  // GANT: the current row's record number
// GANT: the table letter
// STAMOPL: answer: the object kind letter
constexpr UINT OBJEKT_ART = 1121;
// BOG: rebuild everything
// GANT: data changed: rebuilt from the tables
// GRUPPE: data changed: rebuilt from the tables
// MEDOPGVIN: broadcast: the data changed
// MEDTIME: the data changed
// SKEMAVIN: broadcast: the events changed
// SletWnd: broadcast: the data changed (lParam 3: master records)
// STATUS: broadcast: data or the filter changed
// MENUKOMMANDO: broadcast: rebuild from the tables
constexpr UINT DATA_AENDRET = 1122;
constexpr UINT kGitterNye = 1123;  // GEMBEG: new events were saved
// ELEMENT: the event entry window, mode L
// GANT: to the parent: open the event entry for the prepared event (lParam this window)
// HOVEDVIN: the event entry window, by lesson
constexpr UINT HOVED_INDTAST_LEKTION = 1124;
constexpr UINT SKE_BLOK_AENDRET = 1126;  // SLETMARK
constexpr UINT ELEMENT_VIDERE_1129 = 1129;  // ELEMENT
// ELEMENT: the object window's answer
// GANT: the menu command that opened it
// KALENDER: the creator's tag
// SKAERM: to an object window: its type
// SletWnd: the user value given at creation
// VALG: the opener's value
// TAVOTB: the window's kind (the menu command that opened it)
constexpr UINT VINDUE_ART = 1133;
constexpr UINT ELEMENT_OPRET_OBJEKT = 1134;  // ELEMENT: to the main window: wParam kind, lParam element window;
// KALENDER: as 1100, without telling the owner
// MEDOPGVIN: the same
// RELMATRIX: as VINDUE_AKTIVER, without telling the parent
// SletWnd: as 1100, without telling the parent
// STAMOPL: as 1100, without telling the parent
// VALG: as VINDUE_AKTIVER, without telling the parent
// HOVEDVIN: the main window got the focus back
constexpr UINT VINDUE_AKTIVER_STILLE = 1135;
constexpr UINT SKE_VISNING = 1136;  // SKEMAVIN: wParam: the display mode letter
// ELEMENT: the event entry window, mode D
// HOVEDVIN: ... whole day
constexpr UINT HOVED_INDTAST_DAG = 1137;
constexpr UINT HOVED_INDTAST_TID = 1138;  // HOVEDVIN: ... by time
constexpr UINT HOVED_PRIKSKEMA = 1139;  // HOVEDVIN: the activities' dot schedule
// HOVEDVIN: start the background save
// SKEMAVIN: to the main window: the schedule changed
// BRIKVALG: the main window: data changed, save
constexpr UINT HOVED_DATA_AENDRET = 1140;
constexpr UINT DATA_AENDRET2 = 1154;  // BRIKIND, BYGINFO, RETINFO, SKEMAVIN
// ELEMENT: the cell goes without notice
// ELEMENT: the layout was emptied
constexpr UINT ELEMENT_FJERN = 1155;
constexpr UINT kPartnerCelle = 1177;  // MARKBEG
constexpr UINT kPartnerSke = 1178;  // MARKBEG
constexpr UINT VALG_MAERKER = 1224;  // VALG: the marks array
// BOG: lParam id: mark added in the selection window
// VALG: lParam: the record marked
constexpr UINT VALG_MARKERET = 1225;
// BOG: lParam id: mark removed
// VALG: lParam: the record unmarked
constexpr UINT VALG_AFMARKERET = 1226;
constexpr UINT VALG_ALLE_AFMARKERET = 1227;  // VALG: lParam: 0 (single choice) or the current record (Esc)
constexpr UINT VALG_AKTUEL_SKIFTET = 1229;  // VALG: lParam: the current record
constexpr UINT VALG_GENOPBYG = 1233;  // VALG
constexpr UINT VALG_GENOPBYG2 = 1234;  // VALG
// PLAN: lParam a record to fill with the weeks and weekdays of the group's dates
constexpr UINT VALG_GENOPBYG_HVIS = 1235;  // VALG: wParam not 0: rebuild
constexpr UINT VALG_GENOPBYG_DATO = 1236;  // VALG: lParam: month YYYYMM or 0
constexpr UINT VALG_SAET_ANTAL = 1238;  // VALG: wParam: the marked count
constexpr UINT VALG_AKTUEL = 1240;  // VALG: the current row's record
// BOG: the selection window closes
// VALG: wParam 13 or 27, lParam the key message's lParam
constexpr UINT VALG_AFSLUTTET = 1241;
constexpr UINT ENS_MINSLOT = 1274;  // ENS
constexpr UINT ENS_TILSTAND = 1275;  // ENS
constexpr UINT TB_INGEN_TOOLTIP = 1276;  // TAVOTB: a low byte not 0: no tooltip over the pane
// RELMATRIX: to the plan window: its state
// PLAN: the plan window answers its Plan
constexpr UINT REL_PLAN_TILSTAND = 1324;
// PLANVALG: mark the records the owner's current plan row holds
constexpr UINT PLANVALG_FORMARKER = 1325;
// PLAN: choose the plan group from the settings again and rebuild
constexpr UINT SKE_FLYT_EFTER_INDSAET = 1330;  // SKEMAVIN
// PLAN: the row of the current group that holds the employment lParam
constexpr UINT VALG_KAN_SKIFTE = 1331;  // VALG: 1 when the current record may be toggled
// ELEMENT: passed on to the object window
// SKERAEKKE: to the tile information panel: wParam list entry, lParam the workspace
constexpr UINT BRIKINFO_VIS = 1333;
// BOG: as 1122
// GANT: after an import: the same
// GRUPPE: after an import: the same
// STATUSBAR: broadcast after an import
// ImpData: to all windows after an import, wParam 3
constexpr UINT EFTER_IMPORT = 1336;
constexpr UINT kGitterRettet = 1345;  // GEMBEG: an edit was saved
constexpr UINT SKE_SAMMENLIGN = 1346;  // SKEMAVIN
constexpr UINT RING_VIS_ID = 1352;  // RINGTID: to the strip: show the ring system wParam; lParam 1 reports 1105
constexpr UINT TAST_SPOERG = 1363;  // TASTINFO
constexpr UINT WM_ELEVPLAN_GENOPBYG = 1364;  // EPTRIN
constexpr UINT WM_ELEVPLAN_NULSTIL = 1365;  // EPTRIN
constexpr UINT TAST_MODTAG = 1366;  // TASTINFO
// PLANTRAAD: to the plan window from a plan job: repaint the summary pane,
// all rows (TegnPlanSumOmraade with flag 1), on the window's own thread
constexpr UINT WM_PLAN_TEGN_SUM = 1390;
// PLAN: wParam employment, lParam subject: their counter in the plan
constexpr UINT PLAN_KRYDS = 1326;
// PLAN: rebuild the plan of the current group after a membership changed
constexpr UINT PLAN_GENOPBYG_GRUPPE = 1328;
// PLAN: rebuild the plan groups and the columns after a period changed
constexpr UINT PLAN_GENOPBYG_AKSER = 1329;
// PLAN: wParam 1: an edit box of the plan asks to be closed
// PLANVALG: wParam 1: the owner's gross value of employment lParam
constexpr UINT PLAN_POPUP_LUK = 1951;
constexpr UINT ELEVPLAN_HENT_WS = 1425;  // ELEVPLANVIN
constexpr UINT ELEVLISTE_LUK = 1433;  // ELEVLISTEVIN, ELEVSTAT
constexpr UINT ELEVLISTE_DATA_1 = 1435;  // ELEVLISTEVIN: the planning window rebuilt its workspace
constexpr UINT ELEVLISTE_DATA_2 = 1436;  // ELEVLISTEVIN
constexpr UINT ELEVLISTE_DATA_3 = 1438;  // ELEVLISTEVIN
constexpr UINT VISNINGSBOGSTAV = 1474;  // SKEMAVIN: answers the display mode letter
constexpr UINT EDITINT_VAERDI = 1524;  // EDITBOX
constexpr UINT STATUS_SERVER_KONTAKT = 1624;  // STATUSBAR: job-server pane: non-zero while in contact
constexpr UINT WM_KONTAKT_LOGOFF = 1625;  // WCSERVER
constexpr UINT WM_KONTAKT_NU = 1626;  // EKSPKMD
constexpr UINT BOG_MND_FLYT = 1724;  // BOG: the month pane: take the cursor record again
constexpr UINT BOG_VISLISTE = 1725;  // BOG: -> BogVisPost array (1-based)
constexpr UINT BOG_KAEDE = 1726;  // BOG: -> first entry of the current pair and month
constexpr UINT BOG_MND_TASTATUR = 1727;  // BOG: the month pane takes the keyboard
constexpr UINT BOG_MND_AENDRET = 1728;  // BOG: the month pane inserted or deleted
constexpr UINT MND_CELLE_POS = 1729;  // BOGMND: lParam POINT*: top-left of the current (month, day) cell
constexpr UINT MND_TIMER = 1730;  // BOGMND: hours x 100 of the day's current posting, 0 none
constexpr UINT MND_STATUS = 1731;  // BOGMND: its status byte as a signed byte, 0 none
constexpr UINT MND_EJER = 1732;  // BOGMND: its owner installation as a signed byte, 0 none
constexpr UINT BOG_MND_DAG = 1733;  // BOG: the month pane moved its day
constexpr UINT MND_INDSAET = 1734;  // BOGMND: inserts PosteringsVaerdi on the current day
constexpr UINT MND_SLET = 1735;  // BOGMND: deletes the current day's posting
constexpr UINT BOG_SUM = 1736;  // BOG: -> hours x 100 of the current pair
constexpr UINT BOG_VISANTAL = 1737;  // BOG: -> entries of the posting list
constexpr UINT SKE_STATUSTEKST = 1925;  // SKEMAVIN: lParam: the caption's status text
constexpr UINT HOVED_HJAELP_SAET = 1926;  // HOVEDVIN
constexpr UINT HOVED_HJAELP_SLET = 1927;  // HOVEDVIN
// BOG: to the main window: the date pane's date
// KALENDER: to the status bar's date pane, lParam the Dato
// MEDTIME: to the main window: wParam the new date
// STATUSBAR: date pane: lParam the Dato to show
constexpr UINT STATUS_DATO_SAET = 1928;
// BYGINFO: repaint with the children after a change of the event
// BRIKINFO: repaint from the current event (detail panel: lParam its first row)
// DIREKTE: to the tile information window: its event changed
constexpr UINT BRIKINFO_OPDATER = 1929;
// OBJVINDUE: to the front window after an event panel was docked
// SKEMAVIN: show the event under the cursor in the tile panel
constexpr UINT BRIKINFO_NU = 1930;
constexpr UINT STATUS_DATO_HENT = 1931;  // STATUSBAR: date pane: answers the Dato shown
constexpr UINT HOVED_IMPORTFIL = 1933;  // KONTAKT: to the main window, sent
constexpr UINT HOVED_LUK_UDEN_GEM = 1934;  // MENUKOMMANDO: to the main window: close without saving
constexpr UINT WM_EP_KONTAKT = 1937;  // EPEXPORT
constexpr UINT HOVED_EP_IMPORT = 1938;  // EPKONTAKT, HOVEDVIN, ImpData
constexpr UINT SKE_INDTAST_OPDATER = 1939;  // SKERAEKKE: to the event entry window: its week changed
constexpr UINT WM_AUTOSKEMA_KOMMET = 1940;  // KONTAKT: posted to the main window: an auto-schedule file has come, the main thread enables its import
constexpr UINT KOPIER_UGE = 1949;  // GANT: to every window: copy this week (table letter, week index)
constexpr UINT INDSAET_UGE = 1950;  // GANT: to every window: paste the copied week
constexpr UINT STAM_TEGN_ALT = 1954;  // STAMOPL
constexpr UINT TAB_SELECT = 2024;  // BRIKIND, TOOLTIP
constexpr UINT TAB_GETSELECTED = 2025;  // TOOLTIP
constexpr UINT TAB_ENABLE = 2026;  // BRIKIND, TOOLTIP
constexpr UINT TAB_DISABLE = 2027;  // BRIKIND, TOOLTIP
constexpr UINT TAB_SELCHANGED = 2028;  // TOOLTIP
constexpr UINT TAB_ISENABLED = 2029;  // TOOLTIP
// BOG: frame, digit and sort buttons
// MEDTIME: switch buttons: 200 + n layout n, 0 the hold flag
// STATUS: from the toolbar: 8192 close, 16384 maximise, 4096 minimise, 0 freeze
constexpr UINT NYB_KLIK = 2124;
constexpr UINT NYB_TRYK = 2125;  // NYBUTTON
constexpr UINT NYB_SLIP = 2126;  // NYBUTTON
constexpr UINT NYB_FOKUS_TIL = 2127;  // NYBUTTON
constexpr UINT NYB_FOKUS = 2128;  // NYBUTTON
constexpr UINT NYB_FOKUS_FRA = 2129;  // NYBUTTON
constexpr UINT NYB_AKTIVER = 2130;  // NYBUTTON
constexpr UINT NYB_DEAKTIVER = 2132;  // NYBUTTON
constexpr UINT NYB_LAAS_NED = 2133;  // NYBUTTON
constexpr UINT NYB_LAAS_OP = 2134;  // NYBUTTON
constexpr UINT NYB_BILLEDE = 2137;  // NYBUTTON
constexpr UINT NYB_TEKST = 2138;  // NYBUTTON
constexpr UINT NYB_TOOLTIP = 2139;  // NYBUTTON
constexpr UINT NYB_KAPTIONBILLEDE = 2140;  // NYBUTTON
constexpr UINT LISTBOX_TILFOEJ = 2224;  // LISTBOX: lParam: a string the owner keeps
constexpr UINT LISTBOX_POST = 2225;  // LISTBOX: wParam n (1-based): address of entry n's slot, 0 when none
constexpr UINT LISTBOX_FJERN = 2226;  // LISTBOX: wParam n (1-based): removes entry n
constexpr UINT LISTBOX_AKTUEL = 2227;  // LISTBOX: wParam n: the current entry when n <= count
constexpr UINT LISTBOX_VALGT = 2228;  // LISTBOX: to the owner: wParam the 0-based index picked, -1 for none
constexpr UINT LISTE_RAEKKER = 2325;  // LISTBOX: lParam: the new number of rows
constexpr UINT EDITBOX_HENT = 2344;  // EDITBOX
constexpr UINT EDITBOX_OK = 2345;  // EDITBOX
constexpr UINT EDITBOX_FORTRYD = 2346;  // EDITBOX
// GANT: the help topic F1 opens
// GRUPPE: answers 104
// RELMATRIX: the help topic
constexpr UINT HJAELP_EMNE = 3023;
// GRUPPEKNAP: wParam group; lParam 85 sets it even without members; repaints
constexpr UINT GRUPPE_SAET = 3025;
// BOG: wParam n: show group n (31: all)
// GRUPPEKNAP: to the button: set the group, no notice; from it: the group chosen
// MEDTIME: wParam: group number, 31 all
// SKEMAVIN: wParam: filter class, 31 all
constexpr UINT GRUPPE_VALGT = 3026;
constexpr UINT GRUPPE_HENT = 3027;  // GRUPPEKNAP: the chosen group
constexpr UINT WM_SUPPORT_ARBEJD = 3030;  // SUPPORT
// SKERAEKKE: to a status pane: lParam its tip text
// STATUSBAR: text bar: lParam the tooltip text (not owned)
constexpr UINT TT_SETTEXT = 10024;
constexpr UINT TT_LUCIDAFONT = 10025;  // TOOLTIP
constexpr UINT TT_DEFAULTFONT = 10026;  // TOOLTIP
constexpr UINT SKE_LAAST_UGE = 11124;  // SKEMAVIN: the cursor entered a week (wParam its period week)
constexpr UINT kBrikIndElevAdvarsel = 11224;  // BRIKINDVIN: posted to itself at creation
constexpr UINT BYGINFO_WS = 11324;  // BYGINFO: answers the workspace

// ---- Menu commands; a window opened by a command keeps it as its type ----

constexpr UINT kBogAktiType = 40151;  // BOG
constexpr UINT kBogMedaType = 40152;  // BOG
constexpr UINT kStatusBegivenheder = 40163;  // STATUS: 'S'
constexpr UINT kStatusPosteringer = 40164;  // STATUS: 'B'
constexpr UINT kStatusFejl = 40167;  // STATUS: 'F'
constexpr UINT kMedOpgArt = 40187;  // MEDOPGVIN
constexpr UINT kMenuGemSkaerm = 40192;  // SKAERM
constexpr UINT kMenuOmdoebSkaerm = 40193;  // SKAERM
constexpr UINT kMenuSletSkaerm = 40194;  // SKAERM
constexpr UINT kMenuAutoGem = 40197;  // MENUKOMMANDO
constexpr UINT kMenuUntisImport = 40200;  // SKAERM
constexpr UINT kMedTimeVindue = 40202;  // MEDTIME, OBJVINDUE
constexpr UINT kMedTimeBund = 40203;  // MEDTIME
constexpr UINT kElvRelType = 40212;  // ElevRel
constexpr UINT kStamKommando = 40213;  // HOVEDVIN, STAMOPL
constexpr UINT kMenuNyheder = 40224;  // SKAERM
constexpr UINT kElevPlanType = 40225;  // ELEVDLG, ELEVPLANVIN, OBJVINDUE
constexpr UINT kElevVinType = 40226;  // ELEVVIN
constexpr UINT kElevStatType = 40227;  // ELEVSTAT
constexpr UINT kElevOnskType = 40228;  // ELEVONSKVIN
constexpr UINT kElevHoldType = 40229;  // ELEVHOLDVIN
// ELEVPLANVIN: the main window's "Elevplan": the windows laid out anew
// ELEVVIN: the main window's "Elevplan": the windows laid out anew
constexpr UINT kMenuElevplanSkift = 40248;
constexpr UINT kValgVindueId = 40257;  // VALG: the window's child id
constexpr UINT kPlanGrupperType = 40266;  // HOVEDVIN
constexpr UINT kPlanVindueType = 40268;  // VINDUER
constexpr UINT kPlanCsvKommando = 40290;  // PLAN: enabled while the plan window is open
constexpr UINT kPlanOpgType = 40271;  // FUNKTAST
constexpr UINT kMenuEksternImport = 40272;  // SKAERM
constexpr UINT kAktiLokaRelType = 40273;  // AktiLokaRel
constexpr UINT kImportAutoSkemaKommando = 40281;  // KONTAKT
constexpr UINT kSkfaLokaRelType = 40283;  // SkfaLokaRel
constexpr UINT kMedaSkePriorType = 40284;  // MEDSKEPRI
constexpr UINT kAktiSkePriorType = 40292;  // AktiSkePrior
constexpr UINT kEksportAutoSkemaKommando = 40282;  // PlanTast: Shift+Ctrl+E of the plan window
