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
 * Usable from C (C89 and later) and C++, with MinGW-w64, clang and MSVC. Link with
 * libmorvel32.a (MinGW-w64) or morvel32.lib (MSVC's and LLVM's linkers), or load the DLL and
 * call GetProcAddress with the plain names ("RemoteWin95", ...) through the MorvelXxxProc
 * pointer types below. The DLL is 32-bit only: it runs in 32-bit processes on Windows XP SP3
 * to Windows 11, and under WOW64 on 64-bit Windows.
 */
#ifndef MORVEL32_H
#define MORVEL32_H

/* The version of the DLL this header describes; the DLL's version resource carries the same. */
#define MORVEL32_VERSION_MAJOR 1
#define MORVEL32_VERSION_MINOR 1
#define MORVEL32_VERSION_PATCH 0

#ifndef RC_INVOKED

/* Windows targets only: the library's own portable code is also built natively for its tests. */
#if defined(_WIN32) && (defined(_WIN64) || defined(_M_X64) || defined(_M_AMD64) || defined(_M_ARM64) || \
                        defined(__x86_64__) || defined(__aarch64__))
#  error "morvel32.dll is a 32-bit DLL: build the host as a 32-bit (x86) program."
#endif

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

/* Pointers to the exports, for hosts that load the DLL and call GetProcAddress. */
typedef void (MORVEL_API *MorvelRemoteWin95Proc)(MorvelInt hostWindow, MorvelInt rememberGeometry);
typedef MorvelInt (MORVEL_API *MorvelRemoteDlg95Proc)(MorvelInt kind, MorvelInt restrictedFormats);
typedef void (MORVEL_API *MorvelRemoteWinClose95Proc)(void);
typedef void (MORVEL_API *MorvelRemoteWinHide95Proc)(void);
typedef void (MORVEL_API *MorvelRemoteWinUpdate95Proc)(void);
typedef void (MORVEL_API *MorvelShortToLongName95Proc)(void);
typedef MorvelInt (MORVEL_API *MorvelGDIflush95Proc)(void);
typedef MorvelInt (MORVEL_API *MorvelEditorWin95Proc)(void);
typedef MorvelInt (MORVEL_API *MorvelVideoWinPlayer95Proc)(MorvelInt playMode, MorvelInt option);
typedef MorvelInt (MORVEL_API *MorvelVideoWinStatus95Proc)(void);
typedef void (MORVEL_API *MorvelVideoWinClose95Proc)(void);

/* ---- Results --------------------------------------------------------------------------------- */

/* EditorWin95. */
#define MORVEL_EDITOR_CLOSED  0    /* closed by "&Close" (or its window's close box) */
#define MORVEL_EDITOR_TESTED  (-1) /* left through "&Test": the slideshow is in the AVLTMP file */

/* VideoWinPlayer95: the play modes (its first argument)... */
#define MORVEL_PLAY_MODE_STANDARD     0 /* full volume; every menu item */
#define MORVEL_PLAY_MODE_HALF_VOLUME  1 /* half volume; no " &Loop Playback" item */
#define MORVEL_PLAY_MODE_DEVICE       2 /* volume and speed left to the device; no "Playbac&k
                                           Options" or "&Quiet Playback" items; a loop rewinds */
/* ... its options (the second argument; only the low 16 bits count)... */
#define MORVEL_PLAY_OPTION_NONE       0
#define MORVEL_PLAY_OPTION_PAUSE_ON_CHANGE 8 /* pause and re-seek the clip around zoom, status-bar
                                                and configuration changes of the window */
/* ... and its result. */
#define MORVEL_PLAYER_OPENED  1
#define MORVEL_PLAYER_FAILED  0    /* the user has seen the error box; no window remains */

/* VideoWinStatus95: this bit is set exactly while a player window is open; the low byte is the
 * play mode, which a close request clears. */
#define MORVEL_PLAYER_OPEN    0x100

/* The format codes that RemoteDlg95 returns for the save and convert kinds. Formats that share a
 * code differ only in their extension, which SaveExt gives. */
#define MORVEL_FORMAT_CMP           0
#define MORVEL_FORMAT_JPG           1  /* JPEG/JFIF normal */
#define MORVEL_FORMAT_BMP           7  /* Windows bitmap, DIB */
#define MORVEL_FORMAT_BMP_OS2       8
#define MORVEL_FORMAT_TIF           9
#define MORVEL_FORMAT_TGA           11
#define MORVEL_FORMAT_PCX           12
#define MORVEL_FORMAT_CAL           15
#define MORVEL_FORMAT_WPG           17
#define MORVEL_FORMAT_RAS           18
#define MORVEL_FORMAT_PCT           20
#define MORVEL_FORMAT_TIF_CCITT     24
#define MORVEL_FORMAT_TIF_G3_1D     25
#define MORVEL_FORMAT_TIF_G3_2D     26
#define MORVEL_FORMAT_TIF_G4        27
#define MORVEL_FORMAT_PNG           37
#define MORVEL_FORMAT_PSD           38
#define MORVEL_FORMAT_PIC           98 /* KQP, PIC */
#define MORVEL_FORMAT_JPG_ENHANCED  99 /* JPEG/JFIF enhanced */
#define MORVEL_FORMAT_LEAD_JPG_GRAY (-10)
#define MORVEL_FORMAT_JPG_GRAY      (-11)

/* ---- Slideshow effects ----------------------------------------------------------------------
 * The effect number of a picture slide: key X of its section in an AVL file, 0 to 29. The editor
 * shows and offers them by these names, in this order. */
#define MORVEL_FX_NONE            0  /* "none" */
#define MORVEL_FX_WIPE_DOWN       1  /* "Wipe Dn" */
#define MORVEL_FX_WIPE_UP         2  /* "Wipe Up" */
#define MORVEL_FX_WIPE_RIGHT      3  /* "Wipe Rt" */
#define MORVEL_FX_WIPE_LEFT       4  /* "Wipe Lf" */
#define MORVEL_FX_RANDOM_PIXELS   5  /* "Rnd Pix" */
#define MORVEL_FX_RANDOM_SMALL_BOXES 6 /* "Rnd SmlBox" */
#define MORVEL_FX_RANDOM_MEDIUM_BOXES 7 /* "Rnd MedBox" */
#define MORVEL_FX_RANDOM_LARGE_BOXES 8 /* "Rnd LgBox" */
#define MORVEL_FX_RANDOM_HORZ_LINES 9 /* "Rnd HorzLines" */
#define MORVEL_FX_RANDOM_VERT_LINES 10 /* "Rnd VertLines" */
#define MORVEL_FX_OUT_VERT_LINES  11 /* "Out VertLines" */
#define MORVEL_FX_OUT_HORZ_LINES  12 /* "Out HorzLines" */
#define MORVEL_FX_HORZ_INTERLACE  13 /* "Horz Interlace" */
#define MORVEL_FX_VERT_INTERLACE  14 /* "Vert Interlace" */
#define MORVEL_FX_OUT_TO_IN       15 /* "OutToIn" */
#define MORVEL_FX_IN_TO_OUT       16 /* "InToOut" */
#define MORVEL_FX_IN_TO_OUT_LACE  17 /* "InToOut Lace" */
#define MORVEL_FX_OUT_TO_IN_LACE  18 /* "OutToIn Lace" */
#define MORVEL_FX_SPIRAL_IN       19 /* "Spiral In" */
#define MORVEL_FX_SPIRAL_OUT      20 /* "Spiral Out" */
#define MORVEL_FX_IN_HORZ_LINES   21 /* "In HorzLines" */
#define MORVEL_FX_IN_VERT_LINES   22 /* "In VertLines" */
#define MORVEL_FX_VERT_LACE_IN    23 /* "Vert Lace In" */
#define MORVEL_FX_HORZ_LACE_IN    24 /* "Horz Lace In" */
#define MORVEL_FX_INTERLACE_RIGHT 25 /* "Interlace Rt" */
#define MORVEL_FX_INTERLACE_LEFT  26 /* "Interlace Lf" */
#define MORVEL_FX_INTERLACE_UP    27 /* "Interlace Up" */
#define MORVEL_FX_INTERLACE_DOWN  28 /* "Interlace Dn" */
#define MORVEL_FX_RANDOM          29 /* "Random FX" */
#define MORVEL_FX_COUNT           30
/* The names by number, as an initializer:
 *   static const char *const names[MORVEL_FX_COUNT] = MORVEL_FX_NAMES; */
#define MORVEL_FX_NAMES { \
    "none", "Wipe Dn", "Wipe Up", "Wipe Rt", "Wipe Lf", "Rnd Pix", "Rnd SmlBox", "Rnd MedBox", \
    "Rnd LgBox", "Rnd HorzLines", "Rnd VertLines", "Out VertLines", "Out HorzLines", \
    "Horz Interlace", "Vert Interlace", "OutToIn", "InToOut", "InToOut Lace", "OutToIn Lace", \
    "Spiral In", "Spiral Out", "In HorzLines", "In VertLines", "Vert Lace In", "Horz Lace In", \
    "Interlace Rt", "Interlace Lf", "Interlace Up", "Interlace Dn", "Random FX" }

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
 *   Explorer (TFileForm)               1000..1199
 *   Rename dialog (TRenameForm)        1200..1249
 *   Compression dialog (TUserCompress) 1250..1299
 *   Slideshow editor (TEditorForm)     1300..1449
 *   Numeric entry dialog (TScrlDlg)    1450..1499
 *   Video player (TVideoForm)          1500..1599
 *   Video options (TVidOptions)        1600..1649
 * Menu items use the same ranges as their window. The names of version 1.0 (MORVEL_ID_EDIT1,
 * MORVEL_ID_FILTERCOMBOBOX1, ...) stay defined through 1.x, after these. */
#define MORVEL_ID_EXPLORER_FIRST    1000
#define MORVEL_ID_RENAME_FIRST      1200
#define MORVEL_ID_COMPRESS_FIRST    1250
#define MORVEL_ID_EDITOR_FIRST      1300
#define MORVEL_ID_SCRLDLG_FIRST     1450
#define MORVEL_ID_PLAYER_FIRST      1500
#define MORVEL_ID_VIDOPT_FIRST      1600

/* Explorer (window class "TFileForm"). */
#define MORVEL_ID_TOP_PANEL          1001 /* top panel */
#define MORVEL_ID_LOOK_IN_LABEL      1002 /* "Look &in:" / "Save &in" */
#define MORVEL_ID_LOOK_IN_BOX        1003 /* Look-in box, a drop-down list: drives, folder chain */
#define MORVEL_ID_UP_BUTTON          1004 /* "Up One Level" */
#define MORVEL_ID_VIEW_MENU_BUTTON   1005 /* "Goodies": the view menu */
#define MORVEL_ID_HELP_BUTTON        1006
#define MORVEL_ID_COMPRESSION_BUTTON 1007 /* "JPEG Compression" */
#define MORVEL_ID_FILE_LIST          1008 /* the file list: an owner-drawn list box that keeps its
                                             texts, with extended selection in the modeless
                                             Explorer; folder entries end in "\" */
#define MORVEL_ID_INPUT_LIST         1009 /* input files of a conversion */
#define MORVEL_ID_BOTTOM_PANEL       1010 /* bottom panel */
#define MORVEL_ID_NAME_LABEL         1011 /* "File &name:" / "&Pixels:" */
#define MORVEL_ID_NAME_FIELD         1012 /* the name field */
#define MORVEL_ID_FILE_TYPE_LABEL    1013 /* "File &type:" */
#define MORVEL_ID_FILE_TYPE_BOX      1014 /* the file-type box */
#define MORVEL_ID_DEPTH_BOX          1015 /* the colour-depth box */
#define MORVEL_ID_OK_BUTTON          1016 /* "&Open" / "&Save" */
#define MORVEL_ID_CLOSE_BUTTON       1017 /* "&Close" / "&Cancel" */
#define MORVEL_ID_FOLDER_LABEL       1018 /* hidden label: the folder list's folder */
#define MORVEL_ID_LIST_PANEL         1019 /* list panel */
/* File menu (context menu of the file list, the name field and the input list). */
#define MORVEL_ID_MENU_UP_LEVEL      1100 /* "Up One &Level" */
#define MORVEL_ID_MENU_OPEN          1101 /* "&Open" */
#define MORVEL_ID_MENU_INFO          1102 /* "&Info" */
#define MORVEL_ID_MENU_PREVIEW       1103 /* "&Preview" */
#define MORVEL_ID_MENU_RENAME        1104 /* "Renam&e" */
#define MORVEL_ID_MENU_DELETE        1105 /* "&Delete" */
#define MORVEL_ID_MENU_REFRESH       1106 /* "Refres&h" */
#define MORVEL_ID_MENU_MARK_ALL      1107 /* "&Mark all files" */
#define MORVEL_ID_MENU_UNMARK_ALL    1108 /* "&Unmark all files" */
#define MORVEL_ID_MENU_CONVERT       1109 /* "&Convert file(s)" */
#define MORVEL_ID_MENU_SLIDESHOW     1110 /* "Instant &slideshow" */
#define MORVEL_ID_MENU_INPUT_LIST    1111 /* "&View input files" / "&Hide input files" */
/* View menu (the "Goodies" button, and the context menu of the panels and the file-type box). */
#define MORVEL_ID_MENU_OPTIMIZE_LIST 1120 /* "&Optimize files list" */
#define MORVEL_ID_MENU_MAXIMIZE_LIST 1121 /* "Maximi&ze files list" */
#define MORVEL_ID_MENU_FONT          1122 /* "Change &font" */
#define MORVEL_ID_MENU_RESET_WINDOW  1123 /* "&Reset window" */
#define MORVEL_ID_MENU_LOWERCASE     1124 /* "&Lowercase" */
#define MORVEL_ID_MENU_FOLDERS_LAST  1125 /* "Folders &after files" */
#define MORVEL_ID_MENU_ONE_COLUMN    1126 /* "Singl&e column" */
#define MORVEL_ID_MENU_PREVIEW_MODE  1127 /* "&Preview mode" */
/* Rename dialog (window class "TRenameForm", caption "Rename File"). */
#define MORVEL_ID_RENAME_FOLDER      1200 /* the folder, with its backslash */
#define MORVEL_ID_RENAME_NAME_FIELD  1201 /* the name, editable */
#define MORVEL_ID_RENAME_OK          1202 /* "&Ok" */
#define MORVEL_ID_RENAME_CANCEL      1203 /* "Cancel" */
/* Compression dialog (window class "TUserCompress", caption "Compression Setting"). */
#define MORVEL_ID_CMP_PRESETS        1250 /* the CMP presets */
#define MORVEL_ID_COMPRESS_OK        1251 /* "&Ok" */
#define MORVEL_ID_COMPRESS_CANCEL    1252 /* "Cancel" */
#define MORVEL_ID_FIRST_VALUE_FIELD  1253 /* first quality value */
#define MORVEL_ID_COMPRESS_HELP      1254 /* "&Help" */
#define MORVEL_ID_FIRST_BAR_FRAME    1255 /* frame of the first bar */
#define MORVEL_ID_FIRST_BAR          1256
#define MORVEL_ID_SECOND_BAR_FRAME   1257 /* frame of the second bar */
#define MORVEL_ID_SECOND_BAR         1258
#define MORVEL_ID_SMALLEST_LABEL     1259 /* "(smallest) 255" */
#define MORVEL_ID_BEST_LABEL         1260 /* "2 (best)" */
#define MORVEL_ID_SECOND_VALUE_FIELD 1261 /* second quality value */
#define MORVEL_ID_FIRST_VALUE_LABEL  1262
#define MORVEL_ID_SECOND_VALUE_LABEL 1263
#define MORVEL_ID_SAMPLE_GROUP       1264 /* "S&ample" */
#define MORVEL_ID_SAMPLE_444         1265 /* "4:4:4" */
#define MORVEL_ID_SAMPLE_422         1266 /* "4:2:2" */
#define MORVEL_ID_SAMPLE_411         1267 /* "4:1:1" */
/* Slideshow editor (window class "TEditorForm"). */
#define MORVEL_ID_PATH_PANEL         1301 /* "Slide Pathname: <blank>", then the path */
#define MORVEL_ID_GAUGE              1302 /* progress bar over the path panel while reading/writing */
#define MORVEL_ID_SLIDE_TABLE        1303 /* SysListView32, report view, owner data */
#define MORVEL_ID_COLOUR_LABEL       1304 /* "Bkgnd" / "No Bkgnd" */
#define MORVEL_ID_COLOUR_SWATCH      1305 /* colour swatch */
#define MORVEL_ID_ADD_BUTTON         1306 /* "&Add Slides" */
#define MORVEL_ID_KILL_BUTTON        1307 /* "&Kill Slide" */
#define MORVEL_ID_GLOBAL_BUTTON      1308 /* "&Global" */
#define MORVEL_ID_CD_BUTTON          1309 /* "C&D track" */
#define MORVEL_ID_NEW_BUTTON         1310 /* "&New" */
#define MORVEL_ID_TEST_BUTTON        1311 /* "&Test" */
#define MORVEL_ID_OPEN_BUTTON        1312 /* "&Open" */
#define MORVEL_ID_SAVE_BUTTON        1313 /* "&Save" */
#define MORVEL_ID_EDITOR_HELP        1314 /* "&Help" */
#define MORVEL_ID_EDITOR_CLOSE       1315 /* "&Close" (Escape) */
/* Attribute menus: WM_COMMAND ID = first ID + the entry's position in its menu. */
#define MORVEL_ID_MENU_EFFECT        1340 /* the 30 effects in number order, 1340..1369 */
#define MORVEL_ID_MENU_LOOP          1370 /* "Loop 1x".."Loop 4x", "Loop N times" */
#define MORVEL_ID_MENU_WAIT          1380 /* 12 entries, "User" last */
#define MORVEL_ID_MENU_H_POS         1395 /* "Left", "Mid", "&User" */
#define MORVEL_ID_MENU_V_POS         1398 /* "Top", "Mid", "&User" */
#define MORVEL_ID_MENU_ZOOM          1401 /* 6 entries */
#define MORVEL_ID_MENU_VOLUME        1407 /* 5 entries */
#define MORVEL_ID_MENU_SPEED         1412 /* 5 entries */
#define MORVEL_ID_MENU_COLOUR        1420 /* 18 entries, "none" first, "&User Color" at 9 */
/* Numeric entry dialog (window class "TScrlDlg"). */
#define MORVEL_ID_MINIMUM_LABEL      1451
#define MORVEL_ID_MAXIMUM_LABEL      1452
#define MORVEL_ID_VALUE_FIELD        1453 /* the edit */
#define MORVEL_ID_VALUE_BAR          1454 /* the horizontal scroll bar */
#define MORVEL_ID_VALUE_FRAME        1455
#define MORVEL_ID_VALUE_OK           1456 /* "&Ok" (Enter) */
#define MORVEL_ID_VALUE_CANCEL       1457 /* "Cancel" (Escape) */

/* Video player (window class "TVideoForm"). Controls nested in panels are found with
 * EnumChildWindows. */
#define MORVEL_ID_VIDEO_BACK         1500 /* black area behind the video */
#define MORVEL_ID_VIDEO              1501 /* the video area */
#define MORVEL_ID_VIDEO_IMAGE        1502 /* hidden */
#define MORVEL_ID_CONTROL_PANEL      1503 /* bottom panel: media bar, seek bar, menu button */
#define MORVEL_ID_MEDIA_PANEL        1504
#define MORVEL_ID_MEDIA_BAR          1505 /* the media buttons (class "MorvelMediaBar") */
#define MORVEL_ID_SEEK_PANEL         1506
#define MORVEL_ID_SEEK_BAR           1507 /* the seek bar, a scroll bar */
#define MORVEL_ID_MENU_PANEL         1508
#define MORVEL_ID_MENU_BUTTON        1509
#define MORVEL_ID_STATUS             1510 /* the status line */
/* Player menu: WM_COMMAND IDs. */
#define MORVEL_ID_MENU_ZOOM_WINDOW   1520 /* "Zoom Window" submenu */
#define MORVEL_ID_MENU_ZOOM_100      1521
#define MORVEL_ID_MENU_ZOOM_200      1522
#define MORVEL_ID_MENU_ZOOM_300      1523
#define MORVEL_ID_MENU_ZOOM_400      1524
#define MORVEL_ID_MENU_OPTIMIZE      1525
#define MORVEL_ID_MENU_STATUS_BAR    1526 /* "Video Status Bar" */
#define MORVEL_ID_MENU_SEPARATOR_3   1527
#define MORVEL_ID_MENU_UPDATE_RATE   1528 /* "Status &Update" submenu */
#define MORVEL_ID_MENU_CONFIGURE     1529 /* "Configure Video" */
#define MORVEL_ID_MENU_SEPARATOR_2   1530
#define MORVEL_ID_MENU_OPTIONS       1531 /* "Playbac&k Options" */
#define MORVEL_ID_MENU_QUIET         1532 /* "&Quiet Playback" */
#define MORVEL_ID_MENU_LOOP_PLAYBACK 1533 /* " &Loop Playback" */
#define MORVEL_ID_MENU_SEPARATOR_1   1534
#define MORVEL_ID_MENU_PLAY          1535
#define MORVEL_ID_MENU_PAUSE         1536
#define MORVEL_ID_MENU_EXIT          1537 /* "Close and Exit" */
#define MORVEL_ID_MENU_UPDATE_1000   1540 /* status tick every 1000 ms */
#define MORVEL_ID_MENU_UPDATE_500    1541
#define MORVEL_ID_MENU_UPDATE_333    1542
#define MORVEL_ID_MENU_UPDATE_250    1543
#define MORVEL_ID_MENU_UPDATE_200    1544
#define MORVEL_ID_MENU_UPDATE_167    1545
/* Media buttons of the media bar, in bar order; bit n of a button set is button n. A private
 * message MORVEL_WM_MEDIABUTTON (wParam = button) to the bar presses a button as a click does.
 * The enabled set (play, pause, stop, previous, step) names buttons that are not visible at the
 * moment: the player enables its buttons once and then shows the ones that fit the clip's state
 * (play and stop at first, pause and stop while playing, play and step when paused, stop and
 * previous at the end). A button counts for the user only when it is both visible and enabled. */
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

/* Video options (window class "TVidOptions"). */
#define MORVEL_ID_SPEED_LABEL        1600
#define MORVEL_ID_SPEED_BAR          1601
#define MORVEL_ID_VOLUME_LABEL       1602
#define MORVEL_ID_VOLUME_BAR         1603
#define MORVEL_ID_DEFAULT_BUTTON     1604 /* "&Default" */
#define MORVEL_ID_OPTIONS_OK         1605
#define MORVEL_ID_OPTIONS_CANCEL     1606

/* The names of version 1.0, kept through 1.x. */
#define MORVEL_ID_PANELTOP           MORVEL_ID_TOP_PANEL
#define MORVEL_ID_LOOKLABEL          MORVEL_ID_LOOK_IN_LABEL
#define MORVEL_ID_LOOKBOX            MORVEL_ID_LOOK_IN_BOX
#define MORVEL_ID_BTNUP              MORVEL_ID_UP_BUTTON
#define MORVEL_ID_BTNMENU            MORVEL_ID_VIEW_MENU_BUTTON
#define MORVEL_ID_BTNHELP            MORVEL_ID_HELP_BUTTON
#define MORVEL_ID_BTNJPEG            MORVEL_ID_COMPRESSION_BUTTON
#define MORVEL_ID_XFILES             MORVEL_ID_FILE_LIST
#define MORVEL_ID_INPUTLIST          MORVEL_ID_INPUT_LIST
#define MORVEL_ID_PANELBUTTONS       MORVEL_ID_BOTTOM_PANEL
#define MORVEL_ID_NAMELABEL          MORVEL_ID_NAME_LABEL
#define MORVEL_ID_EDIT1              MORVEL_ID_NAME_FIELD
#define MORVEL_ID_TYPELABEL          MORVEL_ID_FILE_TYPE_LABEL
#define MORVEL_ID_FILTERCOMBOBOX1    MORVEL_ID_FILE_TYPE_BOX
#define MORVEL_ID_BPPTYPE            MORVEL_ID_DEPTH_BOX
#define MORVEL_ID_BTNOK              MORVEL_ID_OK_BUTTON
#define MORVEL_ID_BTNEXIT            MORVEL_ID_CLOSE_BUTTON
#define MORVEL_ID_DIRLABEL           MORVEL_ID_FOLDER_LABEL
#define MORVEL_ID_PANELLIST          MORVEL_ID_LIST_PANEL
#define MORVEL_ID_MNUFLEVEL          MORVEL_ID_MENU_UP_LEVEL
#define MORVEL_ID_MNUFOPEN           MORVEL_ID_MENU_OPEN
#define MORVEL_ID_MNUFINFO           MORVEL_ID_MENU_INFO
#define MORVEL_ID_MNUFPREVIEW        MORVEL_ID_MENU_PREVIEW
#define MORVEL_ID_MNUFRENAME         MORVEL_ID_MENU_RENAME
#define MORVEL_ID_MNUFDELETE         MORVEL_ID_MENU_DELETE
#define MORVEL_ID_MNUREFRESH         MORVEL_ID_MENU_REFRESH
#define MORVEL_ID_MARKDIRECTORY      MORVEL_ID_MENU_MARK_ALL
#define MORVEL_ID_UNMARKDIRECTORY    MORVEL_ID_MENU_UNMARK_ALL
#define MORVEL_ID_BATCHCONVERT       MORVEL_ID_MENU_CONVERT
#define MORVEL_ID_INSTANTSLIDESHOW   MORVEL_ID_MENU_SLIDESHOW
#define MORVEL_ID_MNULISTINPUT       MORVEL_ID_MENU_INPUT_LIST
#define MORVEL_ID_MNUOPTIMIZEWIN     MORVEL_ID_MENU_OPTIMIZE_LIST
#define MORVEL_ID_MNUMAXWIN          MORVEL_ID_MENU_MAXIMIZE_LIST
#define MORVEL_ID_MNUFONT            MORVEL_ID_MENU_FONT
#define MORVEL_ID_MNURESETWIN        MORVEL_ID_MENU_RESET_WINDOW
#define MORVEL_ID_MNULOWERCASE       MORVEL_ID_MENU_LOWERCASE
#define MORVEL_ID_MNUDIRLAST         MORVEL_ID_MENU_FOLDERS_LAST
#define MORVEL_ID_MNUONECOL          MORVEL_ID_MENU_ONE_COLUMN
#define MORVEL_ID_PREVIEWMODE        MORVEL_ID_MENU_PREVIEW_MODE
#define MORVEL_ID_RENAME_DIRLABEL    MORVEL_ID_RENAME_FOLDER
#define MORVEL_ID_THEFILENAME        MORVEL_ID_RENAME_NAME_FIELD
#define MORVEL_ID_RENAME_BTNOK       MORVEL_ID_RENAME_OK
#define MORVEL_ID_BTNABORT           MORVEL_ID_RENAME_CANCEL
#define MORVEL_ID_CUSTOMLEADSETTING  MORVEL_ID_CMP_PRESETS
#define MORVEL_ID_COMPRESS_BTNOK     MORVEL_ID_COMPRESS_OK
#define MORVEL_ID_COMPRESS_BTNCANCEL MORVEL_ID_COMPRESS_CANCEL
#define MORVEL_ID_LUMAEDIT           MORVEL_ID_FIRST_VALUE_FIELD
#define MORVEL_ID_COMPRESS_BTNHELP   MORVEL_ID_COMPRESS_HELP
#define MORVEL_ID_COMPRESS_PANEL1    MORVEL_ID_FIRST_BAR_FRAME
#define MORVEL_ID_LUMASCROLLBAR      MORVEL_ID_FIRST_BAR
#define MORVEL_ID_COMPRESS_PANEL2    MORVEL_ID_SECOND_BAR_FRAME
#define MORVEL_ID_COLORSCROLLBAR     MORVEL_ID_SECOND_BAR
#define MORVEL_ID_LABEL1             MORVEL_ID_SMALLEST_LABEL
#define MORVEL_ID_LABEL2             MORVEL_ID_BEST_LABEL
#define MORVEL_ID_COLOREDIT          MORVEL_ID_SECOND_VALUE_FIELD
#define MORVEL_ID_LUMALABEL          MORVEL_ID_FIRST_VALUE_LABEL
#define MORVEL_ID_COMPRESS_COLORLABEL MORVEL_ID_SECOND_VALUE_LABEL
#define MORVEL_ID_GROUPBOX1          MORVEL_ID_SAMPLE_GROUP
#define MORVEL_ID_YUV4               MORVEL_ID_SAMPLE_444
#define MORVEL_ID_YUV2               MORVEL_ID_SAMPLE_422
#define MORVEL_ID_YUV1               MORVEL_ID_SAMPLE_411
#define MORVEL_ID_FULLNAME           MORVEL_ID_PATH_PANEL
#define MORVEL_ID_GRID               MORVEL_ID_SLIDE_TABLE
#define MORVEL_ID_COLORLABEL         MORVEL_ID_COLOUR_LABEL
#define MORVEL_ID_COLORPANEL         MORVEL_ID_COLOUR_SWATCH
#define MORVEL_ID_BTNADD             MORVEL_ID_ADD_BUTTON
#define MORVEL_ID_BTNDELETE          MORVEL_ID_KILL_BUTTON
#define MORVEL_ID_BTNGLOBAL          MORVEL_ID_GLOBAL_BUTTON
#define MORVEL_ID_BTNCD              MORVEL_ID_CD_BUTTON
#define MORVEL_ID_BTNNEW             MORVEL_ID_NEW_BUTTON
#define MORVEL_ID_BTNTEST            MORVEL_ID_TEST_BUTTON
#define MORVEL_ID_BTNLOAD            MORVEL_ID_OPEN_BUTTON
#define MORVEL_ID_BTNSAVE            MORVEL_ID_SAVE_BUTTON
#define MORVEL_ID_EDITOR_BTNHELP     MORVEL_ID_EDITOR_HELP
#define MORVEL_ID_BTNQUIT            MORVEL_ID_EDITOR_CLOSE
#define MORVEL_ID_MNUFX              MORVEL_ID_MENU_EFFECT
#define MORVEL_ID_MNUFLI             MORVEL_ID_MENU_LOOP
#define MORVEL_ID_MNUWAIT            MORVEL_ID_MENU_WAIT
#define MORVEL_ID_MNUHPOS            MORVEL_ID_MENU_H_POS
#define MORVEL_ID_MNUVPOS            MORVEL_ID_MENU_V_POS
#define MORVEL_ID_MNUSIZE            MORVEL_ID_MENU_ZOOM
#define MORVEL_ID_MNUVOL             MORVEL_ID_MENU_VOLUME
#define MORVEL_ID_MNUSPD             MORVEL_ID_MENU_SPEED
#define MORVEL_ID_MNUCOLOR           MORVEL_ID_MENU_COLOUR
#define MORVEL_ID_LABELMIN           MORVEL_ID_MINIMUM_LABEL
#define MORVEL_ID_LABELMAX           MORVEL_ID_MAXIMUM_LABEL
#define MORVEL_ID_CUSTOMSETTING      MORVEL_ID_VALUE_FIELD
#define MORVEL_ID_CUSTOMSCROLLBAR    MORVEL_ID_VALUE_BAR
#define MORVEL_ID_PANEL1             MORVEL_ID_VALUE_FRAME
#define MORVEL_ID_SCRL_BTNOK         MORVEL_ID_VALUE_OK
#define MORVEL_ID_SCRL_BTNCANCEL     MORVEL_ID_VALUE_CANCEL
#define MORVEL_ID_VIDEOWINBACK       MORVEL_ID_VIDEO_BACK
#define MORVEL_ID_VIDEOWIN           MORVEL_ID_VIDEO
#define MORVEL_ID_IMAGE1             MORVEL_ID_VIDEO_IMAGE
#define MORVEL_ID_PANEL4             MORVEL_ID_CONTROL_PANEL
#define MORVEL_ID_MEDIAPANEL         MORVEL_ID_MEDIA_PANEL
#define MORVEL_ID_MEDIAPLAYER1       MORVEL_ID_MEDIA_BAR
#define MORVEL_ID_PANEL2             MORVEL_ID_SEEK_PANEL
#define MORVEL_ID_XSCROLLBAR1        MORVEL_ID_SEEK_BAR
#define MORVEL_ID_MENUPANEL          MORVEL_ID_MENU_PANEL
#define MORVEL_ID_MENUBUTTON         MORVEL_ID_MENU_BUTTON
#define MORVEL_ID_ZOOMWINDOW1        MORVEL_ID_MENU_ZOOM_WINDOW
#define MORVEL_ID_MNUZOOM100         MORVEL_ID_MENU_ZOOM_100
#define MORVEL_ID_MNUZOOM200         MORVEL_ID_MENU_ZOOM_200
#define MORVEL_ID_MNUZOOM300         MORVEL_ID_MENU_ZOOM_300
#define MORVEL_ID_MNUZOOM400         MORVEL_ID_MENU_ZOOM_400
#define MORVEL_ID_MNUOPTIMIZE        MORVEL_ID_MENU_OPTIMIZE
#define MORVEL_ID_DISPLAYSTATUS      MORVEL_ID_MENU_STATUS_BAR
#define MORVEL_ID_N3                 MORVEL_ID_MENU_SEPARATOR_3
#define MORVEL_ID_STATUSUPDATE1      MORVEL_ID_MENU_UPDATE_RATE
#define MORVEL_ID_MNUCONFIGURE       MORVEL_ID_MENU_CONFIGURE
#define MORVEL_ID_N2                 MORVEL_ID_MENU_SEPARATOR_2
#define MORVEL_ID_VIDEOOPTIONS1      MORVEL_ID_MENU_OPTIONS
#define MORVEL_ID_MNUQUIETPLAYBACK   MORVEL_ID_MENU_QUIET
#define MORVEL_ID_MNUPLAYBACKLOOP    MORVEL_ID_MENU_LOOP_PLAYBACK
#define MORVEL_ID_N1                 MORVEL_ID_MENU_SEPARATOR_1
#define MORVEL_ID_MNUPLAY            MORVEL_ID_MENU_PLAY
#define MORVEL_ID_MNUPAUSE           MORVEL_ID_MENU_PAUSE
#define MORVEL_ID_MNUEXIT            MORVEL_ID_MENU_EXIT
#define MORVEL_ID_MNUUPDATE1000      MORVEL_ID_MENU_UPDATE_1000
#define MORVEL_ID_MNUUPDATE500       MORVEL_ID_MENU_UPDATE_500
#define MORVEL_ID_MNUUPDATE333       MORVEL_ID_MENU_UPDATE_333
#define MORVEL_ID_MNUUPDATE250       MORVEL_ID_MENU_UPDATE_250
#define MORVEL_ID_MNUUPDATE200       MORVEL_ID_MENU_UPDATE_200
#define MORVEL_ID_MNUUPDATE167       MORVEL_ID_MENU_UPDATE_167
#define MORVEL_ID_SPEEDLABEL         MORVEL_ID_SPEED_LABEL
#define MORVEL_ID_SPEEDSCROLL        MORVEL_ID_SPEED_BAR
#define MORVEL_ID_VOLUMELABEL        MORVEL_ID_VOLUME_LABEL
#define MORVEL_ID_VOLUMESCROLL       MORVEL_ID_VOLUME_BAR
#define MORVEL_ID_BITBTN1            MORVEL_ID_DEFAULT_BUTTON
#define MORVEL_ID_BUTTONOK           MORVEL_ID_OPTIONS_OK
#define MORVEL_ID_BUTTONCANCEL       MORVEL_ID_OPTIONS_CANCEL

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */

#endif /* MORVEL32_H */
