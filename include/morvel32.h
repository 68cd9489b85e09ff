/*
 * morvel32.h - the integrator's interface to morvel32.dll.
 *
 * The library gives a host application its file browser ("Morvel Explorer"), slideshow editor,
 * video player and compression settings dialog. Host and library talk through:
 *   - the exports below (Win32 standard calling convention, 32-bit integer arguments and results);
 *   - the settings file "morvel.ini" in the Windows directory, section "morvel" (keys below);
 *   - the exchange file named by the key Win95Tmp;
 *   - the notification message MORVEL_WM_NOTIFY, sent (never posted) to the host window.
 *
 * Usable from C and C++. Link with libmorvel32.a, or load the DLL and call GetProcAddress with
 * the plain names ("RemoteWin95", ...).
 */
#ifndef MORVEL32_H
#define MORVEL32_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#  define MORVEL_API __stdcall
#  ifdef MORVEL32_BUILDING
#    define MORVEL_IMPORT
#  else
#    define MORVEL_IMPORT __declspec(dllimport)
#  endif
#else
#  define MORVEL_API
#  define MORVEL_IMPORT
#endif

/* Window handles cross the interface as 32-bit integers. */
typedef int MorvelInt;

/* ---- Exports ---------------------------------------------------------------------------- */

/* Opens the modeless Explorer beside the host window and returns while it stays open; a second
 * call while it is open brings it to the front. rememberGeometry != 0: restore the window from
 * the bWin keys. Notifications (MORVEL_WM_NOTIFY) go to hostWindow. */
MORVEL_IMPORT void MORVEL_API RemoteWin95(MorvelInt hostWindow, MorvelInt rememberGeometry);
/* Runs the Explorer as a modal dialog of the given kind (MORVEL_KIND_*); restrictedFormats > 0
 * offers the shorter format lists. -1 when cancelled, else 0 or the chosen format code. */
MORVEL_IMPORT MorvelInt MORVEL_API RemoteDlg95(MorvelInt kind, MorvelInt restrictedFormats);
/* Closes the modeless Explorer (writes LastDir and the bWin keys); nothing when none is open. */
MORVEL_IMPORT void MORVEL_API RemoteWinClose95(void);
/* Hides the modeless Explorer, keeping folder and selection; nothing when none is open. */
MORVEL_IMPORT void MORVEL_API RemoteWinHide95(void);
/* Lists the modeless Explorer's folder again; nothing when none is open. */
MORVEL_IMPORT void MORVEL_API RemoteWinUpdate95(void);
/* Writes the long file-name part of the file named by SaveName to LongName. */
MORVEL_IMPORT void MORVEL_API ShortToLongName95(void);
/* Flushes the calling thread's pending graphics output: 1 on success, 0 otherwise. */
MORVEL_IMPORT MorvelInt MORVEL_API GDIflush95(void);
/* Runs the Slideshow Editor modally on the slideshow named by AVLFIL ("*": a new one) and returns
 * when it closes: -1 when it was left through "&Test" (the slideshow is in the file named by
 * AVLTMP), else 0. The editor runs the Explorer dialogs 254, 0, 252 and 253 itself. */
MORVEL_IMPORT MorvelInt MORVEL_API EditorWin95(void);
/* Opens the clip named by SaveName in the video player and returns once the window is shown:
 * 1 when the clip opened, 0 when it did not (the user has seen the error box). playMode is 0, 1
 * or 2; of option only the low 16 bits count (8: pause and re-seek around window changes). */
MORVEL_IMPORT MorvelInt MORVEL_API VideoWinPlayer95(MorvelInt playMode, MorvelInt option);
/* The player's state: 256 + play mode while a player window is open and not asked to close,
 * else the bare play mode (0 once a window has closed). */
MORVEL_IMPORT MorvelInt MORVEL_API VideoWinStatus95(void);
/* Asks the player to close: at the next status tick, or at once when a request is pending. */
MORVEL_IMPORT void MORVEL_API VideoWinClose95(void);

/* ---- Notification message ---------------------------------------------------------------- */

/* Sent to the host window with wParam 0 and one of the codes below in lParam. The settings file
 * and the exchange file are complete when it arrives; the result is ignored. */
#define MORVEL_WM_NOTIFY 2321 /* 0x911 */

#define MORVEL_NOTIFY_INFO           2305 /* 0x901 File menu Info: LongName, Win95file written */
#define MORVEL_NOTIFY_PREVIEW        2307 /* 0x903 Preview: LongName, Win95file written */
#define MORVEL_NOTIFY_DELETE         2308 /* 0x904 Delete: the host deletes Win95file */
#define MORVEL_NOTIFY_SLIDESHOW      2311 /* 0x907 instant slideshow in the exchange file */
#define MORVEL_NOTIFY_CONVERT        2312 /* 0x908 list of marked files in the exchange file */
#define MORVEL_NOTIFY_OPEN           2313 /* 0x909 one file opened: LongName, Win95file written */
#define MORVEL_NOTIFY_OPEN_MULTIPLE  2320 /* 0x910 list of selected files in the exchange file */

/* ---- Settings file ------------------------------------------------------------------------- */

#define MORVEL_INI_FILE     "morvel.ini"
#define MORVEL_INI_SECTION  "morvel"

#define MORVEL_KEY_WIN95TMP  "Win95Tmp"  /* host: exchange-file path */
#define MORVEL_KEY_LASTDIR   "LastDir"   /* folder last shown by the Explorer, short form, ends "\" */
#define MORVEL_KEY_SAVEPATH  "SavePath"  /* folder of the last save or convert choice */
#define MORVEL_KEY_SAVENAME  "SaveName"  /* file chosen in a dialog; host: file for editor, player */
#define MORVEL_KEY_WIN95FILE "Win95file" /* file chosen in the modeless Explorer */
#define MORVEL_KEY_LONGNAME  "LongName"  /* long name part of the chosen file */
#define MORVEL_KEY_SAVEEXT   "SaveExt"   /* extension of the save name, with its dot */
#define MORVEL_KEY_MULTIBPP  "MultiBPP"  /* colour depth of the confirmed save or convert dialog */
#define MORVEL_KEY_SAVE1     "Save1"     /* last chosen format position, per colour depth */
#define MORVEL_KEY_SAVE4     "Save4"
#define MORVEL_KEY_SAVE8     "Save8"
#define MORVEL_KEY_SAVE16    "Save16"
#define MORVEL_KEY_SAVE24    "Save24"
#define MORVEL_KEY_SAVEYUV   "SaveYUV"   /* compression: colour subsampling */
#define MORVEL_KEY_SAVEJPG   "SaveJPG"   /* compression: JPEG quality */
#define MORVEL_KEY_SAVEPIC   "SavePIC"   /* compression: PIC quality */
#define MORVEL_KEY_SAVECMP   "SaveCMP"   /* compression: CMP quality */
#define MORVEL_KEY_BWINT     "bWinT"     /* modeless Explorer geometry, -1 = none stored */
#define MORVEL_KEY_BWINL     "bWinL"
#define MORVEL_KEY_BWINW     "bWinW"
#define MORVEL_KEY_BWINH     "bWinH"
#define MORVEL_KEY_AVLFIL    "AVLFIL"    /* host: slideshow the editor opens, "*" for a new one */
#define MORVEL_KEY_AVLTMP    "AVLTMP"    /* host: test file written by the editor's Test */

/* Absent-value conventions of the settings file. */
#define MORVEL_ABSENT_INT      911     /* integer with a built-in default */
#define MORVEL_ABSENT_GEOMETRY (-1)    /* geometry key with nothing stored */
#define MORVEL_ABSENT_STRING   "ERROR" /* string the host must supply */

/* ---- Dialog kinds of RemoteDlg95 ----------------------------------------------------------- */

#define MORVEL_KIND_SAVE_SLIDESHOW  0   /* "Save File", AVL */
#define MORVEL_KIND_SAVE_1BIT       1   /* "Save File" with the format list of a colour depth */
#define MORVEL_KIND_SAVE_4BIT       4
#define MORVEL_KIND_SAVE_8BIT       8
#define MORVEL_KIND_SAVE_16BIT      16
#define MORVEL_KIND_SAVE_24BIT      24
#define MORVEL_KIND_CONVERT_BASE    100 /* 101..199: "Convert Multiple Files", depth = kind - 100 */
#define MORVEL_KIND_CONVERT_1BIT    101
#define MORVEL_KIND_CONVERT_4BIT    104
#define MORVEL_KIND_CONVERT_8BIT    108
#define MORVEL_KIND_CONVERT_16BIT   116
#define MORVEL_KIND_CONVERT_24BIT   124
#define MORVEL_KIND_REPLACE_SLIDE   252 /* "Replace Slide" */
#define MORVEL_KIND_ADD_SLIDES      253 /* "Add Multiple Slides", list in the exchange file */
#define MORVEL_KIND_OPEN_SLIDESHOW  254 /* "Open Slideshow" */
#define MORVEL_KIND_MODELESS        999 /* the modeless Explorer (not an argument of RemoteDlg95) */

#define MORVEL_DLG_CANCELLED (-1)

/* ---- Help ---------------------------------------------------------------------------------- */

#define MORVEL_HELP_FILE            "MORVEL.HLP"
#define MORVEL_HELP_EXPLORER        100
#define MORVEL_HELP_EXPLORER_SAVE   101 /* save and convert dialogs, compression settings */
#define MORVEL_HELP_COMPRESSION     101
#define MORVEL_HELP_EDITOR          300

/* ---- Control IDs ----------------------------------------------------------------------------
 * Every named control of every window has one fixed ID, so that hosts and test tools can find it
 * with GetDlgItem. Each window owns a range; the IDs themselves are listed with their window.
 *   Explorer (TFileForm)              1000..1199   MORVEL_ID_XFILES, MORVEL_ID_BTNOK, ...
 *   Rename dialog (TRenameForm)       1200..1249
 *   Compression dialog (TUserCompress) 1250..1299
 *   Slideshow editor (TEditorForm)    1300..1449
 *   Numeric entry dialog (TScrlDlg)   1450..1499
 *   Video player (TVideoForm)         1500..1599
 *   Video options (TVidOptions)       1600..1649
 * Menu items use the same ranges as their window. */
#define MORVEL_ID_EXPLORER_FIRST    1000
#define MORVEL_ID_RENAME_FIRST      1200
#define MORVEL_ID_COMPRESS_FIRST    1250
#define MORVEL_ID_EDITOR_FIRST      1300
#define MORVEL_ID_SCRLDLG_FIRST     1450
#define MORVEL_ID_PLAYER_FIRST      1500
#define MORVEL_ID_VIDOPT_FIRST      1600

/* Explorer (TFileForm, window class "TFileForm"). */
#define MORVEL_ID_PANELTOP          1001 /* top panel */
#define MORVEL_ID_LOOKLABEL         1002 /* "Look &in:" / "Save &in" */
#define MORVEL_ID_LOOKBOX           1003 /* Look-in box: drives and the folder chain */
#define MORVEL_ID_BTNUP             1004 /* "Up One Level" */
#define MORVEL_ID_BTNMENU           1005 /* "Goodies": the view menu */
#define MORVEL_ID_BTNHELP           1006
#define MORVEL_ID_BTNJPEG           1007 /* "JPEG Compression" */
#define MORVEL_ID_XFILES            1008 /* the file list; folder entries end in "" */
#define MORVEL_ID_INPUTLIST         1009 /* input files of a conversion */
#define MORVEL_ID_PANELBUTTONS      1010 /* bottom panel */
#define MORVEL_ID_NAMELABEL         1011 /* "File &name:" / "&Pixels:" */
#define MORVEL_ID_EDIT1             1012 /* the name field */
#define MORVEL_ID_TYPELABEL         1013 /* "File &type:" */
#define MORVEL_ID_FILTERCOMBOBOX1   1014 /* the file-type box */
#define MORVEL_ID_BPPTYPE           1015 /* the colour-depth box */
#define MORVEL_ID_BTNOK             1016 /* "&Open" / "&Save" */
#define MORVEL_ID_BTNEXIT           1017 /* "&Close" / "&Cancel" */
#define MORVEL_ID_DIRLABEL          1018 /* hidden label: the folder list's folder */
#define MORVEL_ID_PANELLIST         1019 /* list panel */
/* File menu (context menu of the file list, the name field and the input list). */
#define MORVEL_ID_MNUFLEVEL         1100 /* "Up One &Level" */
#define MORVEL_ID_MNUFOPEN          1101 /* "&Open" */
#define MORVEL_ID_MNUFINFO          1102 /* "&Info" */
#define MORVEL_ID_MNUFPREVIEW       1103 /* "&Preview" */
#define MORVEL_ID_MNUFRENAME        1104 /* "Renam&e" */
#define MORVEL_ID_MNUFDELETE        1105 /* "&Delete" */
#define MORVEL_ID_MNUREFRESH        1106 /* "Refres&h" */
#define MORVEL_ID_MARKDIRECTORY     1107 /* "&Mark all files" */
#define MORVEL_ID_UNMARKDIRECTORY   1108 /* "&Unmark all files" */
#define MORVEL_ID_BATCHCONVERT      1109 /* "&Convert file(s)" */
#define MORVEL_ID_INSTANTSLIDESHOW  1110 /* "Instant &slideshow" */
#define MORVEL_ID_MNULISTINPUT      1111 /* "&View input files" / "&Hide input files" */
/* View menu (BtnMenu, and the context menu of the panels and the file-type box). */
#define MORVEL_ID_MNUOPTIMIZEWIN    1120 /* "&Optimize files list" */
#define MORVEL_ID_MNUMAXWIN         1121 /* "Maximi&ze files list" */
#define MORVEL_ID_MNUFONT           1122 /* "Change &font" */
#define MORVEL_ID_MNURESETWIN       1123 /* "&Reset window" */
#define MORVEL_ID_MNULOWERCASE      1124 /* "&Lowercase" */
#define MORVEL_ID_MNUDIRLAST        1125 /* "Folders &after files" */
#define MORVEL_ID_MNUONECOL         1126 /* "Singl&e column" */
#define MORVEL_ID_PREVIEWMODE       1127 /* "&Preview mode" */
/* Rename dialog (TRenameForm, window class "TRenameForm", caption "Rename File"). */
#define MORVEL_ID_RENAME_DIRLABEL   1200 /* the folder, with its backslash */
#define MORVEL_ID_THEFILENAME       1201 /* the name, editable */
#define MORVEL_ID_RENAME_BTNOK      1202 /* "&Ok" */
#define MORVEL_ID_BTNABORT          1203 /* "Cancel" */
/* Compression dialog (TUserCompress, window class "TUserCompress", caption "Compression Setting"). */
#define MORVEL_ID_CUSTOMLEADSETTING 1250 /* the CMP presets */
#define MORVEL_ID_COMPRESS_BTNOK    1251 /* "&Ok" */
#define MORVEL_ID_COMPRESS_BTNCANCEL 1252 /* "Cancel" */
#define MORVEL_ID_LUMAEDIT          1253 /* first quality value */
#define MORVEL_ID_COMPRESS_BTNHELP  1254 /* "&Help" */
#define MORVEL_ID_COMPRESS_PANEL1   1255 /* frame of the first bar */
#define MORVEL_ID_LUMASCROLLBAR     1256
#define MORVEL_ID_COMPRESS_PANEL2   1257 /* frame of the second bar */
#define MORVEL_ID_COLORSCROLLBAR    1258
#define MORVEL_ID_LABEL1            1259 /* "(smallest) 255" */
#define MORVEL_ID_LABEL2            1260 /* "2 (best)" */
#define MORVEL_ID_COLOREDIT         1261 /* second quality value */
#define MORVEL_ID_LUMALABEL         1262
#define MORVEL_ID_COMPRESS_COLORLABEL 1263
#define MORVEL_ID_GROUPBOX1         1264 /* "S&ample" */
#define MORVEL_ID_YUV4              1265 /* "4:4:4" */
#define MORVEL_ID_YUV2              1266 /* "4:2:2" */
#define MORVEL_ID_YUV1              1267 /* "4:1:1" */
/* Slideshow editor (TEditorForm, window class "TEditorForm"). */
#define MORVEL_ID_FULLNAME          1301 /* path panel: "Slide Pathname: <blank>", then the path */
#define MORVEL_ID_GAUGE             1302 /* progress bar over the path panel while reading/writing */
#define MORVEL_ID_GRID              1303 /* slide table: SysListView32, report view, owner data */
#define MORVEL_ID_COLORLABEL        1304 /* "Bkgnd" / "No Bkgnd" */
#define MORVEL_ID_COLORPANEL        1305 /* colour swatch */
#define MORVEL_ID_BTNADD            1306 /* "&Add Slides" */
#define MORVEL_ID_BTNDELETE         1307 /* "&Kill Slide" */
#define MORVEL_ID_BTNGLOBAL         1308 /* "&Global" */
#define MORVEL_ID_BTNCD             1309 /* "C&D track" */
#define MORVEL_ID_BTNNEW            1310 /* "&New" */
#define MORVEL_ID_BTNTEST           1311 /* "&Test" */
#define MORVEL_ID_BTNLOAD           1312 /* "&Open" */
#define MORVEL_ID_BTNSAVE           1313 /* "&Save" */
#define MORVEL_ID_EDITOR_BTNHELP    1314 /* "&Help" */
#define MORVEL_ID_BTNQUIT           1315 /* "&Close" (Escape) */
/* Attribute menus: WM_COMMAND ID = first ID + the entry's position in its menu. */
#define MORVEL_ID_MNUFX             1340 /* 30 effects, 1340..1369 */
#define MORVEL_ID_MNUFLI            1370 /* "Loop 1x".."Loop 4x", "Loop N times" */
#define MORVEL_ID_MNUWAIT           1380 /* 12 entries, "User" last */
#define MORVEL_ID_MNUHPOS           1395 /* "Left", "Mid", "&User" */
#define MORVEL_ID_MNUVPOS           1398 /* "Top", "Mid", "&User" */
#define MORVEL_ID_MNUSIZE           1401 /* 6 entries */
#define MORVEL_ID_MNUVOL            1407 /* 5 entries */
#define MORVEL_ID_MNUSPD            1412 /* 5 entries */
#define MORVEL_ID_MNUCOLOR          1420 /* 18 entries, "none" first, "&User Color" at 9 */
/* Numeric entry dialog (TScrlDlg, window class "TScrlDlg"). */
#define MORVEL_ID_LABELMIN          1451
#define MORVEL_ID_LABELMAX          1452
#define MORVEL_ID_CUSTOMSETTING     1453 /* the edit */
#define MORVEL_ID_CUSTOMSCROLLBAR   1454 /* the horizontal scroll bar */
#define MORVEL_ID_PANEL1            1455
#define MORVEL_ID_SCRL_BTNOK        1456 /* "&Ok" (Enter) */
#define MORVEL_ID_SCRL_BTNCANCEL    1457 /* "Cancel" (Escape) */

/* Video player (TVideoForm). Controls nested in panels are found with EnumChildWindows. */
#define MORVEL_ID_VIDEOWINBACK      1500
#define MORVEL_ID_VIDEOWIN          1501
#define MORVEL_ID_IMAGE1            1502
#define MORVEL_ID_PANEL4            1503
#define MORVEL_ID_MEDIAPANEL        1504
#define MORVEL_ID_MEDIAPLAYER1      1505 /* the media button bar */
#define MORVEL_ID_PANEL2            1506
#define MORVEL_ID_XSCROLLBAR1       1507 /* the seek bar */
#define MORVEL_ID_MENUPANEL         1508
#define MORVEL_ID_MENUBUTTON        1509
#define MORVEL_ID_STATUS            1510 /* the status line */
/* Player menu (MenuOptions): WM_COMMAND IDs. */
#define MORVEL_ID_ZOOMWINDOW1       1520
#define MORVEL_ID_MNUZOOM100        1521
#define MORVEL_ID_MNUZOOM200        1522
#define MORVEL_ID_MNUZOOM300        1523
#define MORVEL_ID_MNUZOOM400        1524
#define MORVEL_ID_MNUOPTIMIZE       1525
#define MORVEL_ID_DISPLAYSTATUS     1526
#define MORVEL_ID_N3                1527
#define MORVEL_ID_STATUSUPDATE1     1528
#define MORVEL_ID_MNUCONFIGURE      1529
#define MORVEL_ID_N2                1530
#define MORVEL_ID_VIDEOOPTIONS1     1531
#define MORVEL_ID_MNUQUIETPLAYBACK  1532
#define MORVEL_ID_MNUPLAYBACKLOOP   1533
#define MORVEL_ID_N1                1534
#define MORVEL_ID_MNUPLAY           1535
#define MORVEL_ID_MNUPAUSE          1536
#define MORVEL_ID_MNUEXIT           1537
#define MORVEL_ID_MNUUPDATE1000     1540
#define MORVEL_ID_MNUUPDATE500      1541
#define MORVEL_ID_MNUUPDATE333      1542
#define MORVEL_ID_MNUUPDATE250      1543
#define MORVEL_ID_MNUUPDATE200      1544
#define MORVEL_ID_MNUUPDATE167      1545
/* Media buttons of MediaPlayer1, in bar order; bit n of a button set is button n. A private
 * message MORVEL_WM_MEDIABUTTON (wParam = button) to the bar presses a button as a click does. */
#define MORVEL_MEDIA_PLAY   0
#define MORVEL_MEDIA_PAUSE  1
#define MORVEL_MEDIA_STOP   2
#define MORVEL_MEDIA_NEXT   3
#define MORVEL_MEDIA_PREV   4
#define MORVEL_MEDIA_STEP   5
#define MORVEL_MEDIA_BACK   6
#define MORVEL_MEDIA_RECORD 7
#define MORVEL_MEDIA_EJECT  8
#define MORVEL_WM_MEDIABUTTON       0x8501 /* WM_APP + 0x501 */
/* Sent to the bar: returns the visible set in the low word, the enabled set in the high word. */
#define MORVEL_WM_MEDIABUTTONSETS   0x8502

/* Video options (TVidOptions). */
#define MORVEL_ID_SPEEDLABEL        1600
#define MORVEL_ID_SPEEDSCROLL       1601
#define MORVEL_ID_VOLUMELABEL       1602
#define MORVEL_ID_VOLUMESCROLL      1603
#define MORVEL_ID_BITBTN1           1604
#define MORVEL_ID_BUTTONOK          1605
#define MORVEL_ID_BUTTONCANCEL      1606

#ifdef __cplusplus
}
#endif

#endif /* MORVEL32_H */
