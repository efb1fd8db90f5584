/* Control, menu, timer and resource ids of every window: one plain header that the
   .rc files and the code share. Plain #defines, since the resource compiler reads it. */
#ifndef RENAMORA_UI_CONTROL_IDS_H
#define RENAMORA_UI_CONTROL_IDS_H

/* Resources */
#define IDI_APP 1
#define IDR_MANIFEST_DUMMY 2
#define IDW_END_SOUND 10
/* Button glyphs, ICON resources at IDB_GLYPHS_FIRST + index. The names are the file
   names an icon set uses for the same buttons, so a loader can walk both in one order:
   the main window's buttons first, then those only the edit window has. */
#define IDB_GLYPHS_FIRST 100
#define IDG_REMOVE 100
#define IDG_REPLACE 101
#define IDG_INSERT 102
#define IDG_CHANGE 103
#define IDG_EXTENSION 104
#define IDG_SAVE 105
#define IDG_UNDO 106
#define IDG_EXIT 107
#define IDG_FOLDER 108
#define IDG_FILES 109
#define IDG_DELETE 110
#define IDG_TOOLS 111
#define IDG_ABOUT 112
#define IDG_FAQ 113
#define IDG_FOLDER_UP 114
#define IDG_FOLDER_BACK 115
#define IDG_ACCESS 116
#define IDG_OK 117
#define IDG_PREVIEW 118
#define IDG_BACK 119
#define IDG_HOME 120
#define IDB_GLYPHS_COUNT 21

/* Main window (TForm4): buttons of the left column and the toolbar */
#define IDC_MAIN_PATH 1001
#define IDC_MAIN_FOLDER 1002
#define IDC_MAIN_FILES 1003
#define IDC_MAIN_DELETE 1004
#define IDC_MAIN_OPTIONS 1005
#define IDC_MAIN_ABOUT 1006
#define IDC_MAIN_HELP 1007
#define IDC_MAIN_REMOVE 1010
#define IDC_MAIN_REPLACE 1011
#define IDC_MAIN_INSERT 1012
#define IDC_MAIN_CHANGE 1013
#define IDC_MAIN_EXTENSION 1014
#define IDC_MAIN_SAVE 1015
#define IDC_MAIN_UNDO 1016
#define IDC_MAIN_EXIT 1017
#define IDC_MAIN_BACK 1020
#define IDC_MAIN_UPPER 1021
#define IDC_MAIN_PATHBOX 1022
#define IDC_MAIN_LIST 1030
#define IDC_MAIN_CHECKALL 1031
#define IDC_MAIN_EMPTY_NOTICE 1032
#define IDC_MAIN_ON_TOP 1040
#define IDC_MAIN_STATUS 1041

/* Main window: the list's popup menu */
#define IDM_RENAME 2001
#define IDM_RENAME_OTHER 2002 /* the submenu itself */
#define IDM_OTHER_REMOVE 2003
#define IDM_OTHER_REPLACE 2004
#define IDM_OTHER_INSERT 2005
#define IDM_OTHER_CHANGE 2006
#define IDM_OTHER_EXTENSION 2007
#define IDM_OTHER_SAVE 2008
#define IDM_REMOVE_FROM_LIST 2010
#define IDM_REFRESH 2011
#define IDM_SORT_BY_NAME 2012
#define IDM_CHECK_ALL 2020
#define IDM_UNCHECK_ALL 2021
#define IDM_INVERSE_CHECKS 2022
#define IDM_ONLY_CHECK_SELECTED 2023
#define IDM_ONLY_UNCHECK_SELECTED 2024
#define IDM_CHECK_SELECTED 2025
#define IDM_UNCHECK_SELECTED 2026
#define IDM_SELECT_ALL 2027
#define IDM_INVERSE_SELECT 2028
#define IDM_OPEN 2030
#define IDM_OPEN_PATH 2031
#define IDM_COPY_NAME 2032
#define IDM_NEW_FOLDER 2033
#define IDM_PROPERTIES 2034
#define IDM_RECYCLE 2035
#define IDM_CLEAR 2036
#define IDM_ADD_MORE 2037

/* Main window: the quick access menu (drive entries follow IDM_QUICK_DRIVE_A) */
#define IDM_QUICK_MUSIC 2100
#define IDM_QUICK_PICTURES 2101
#define IDM_QUICK_DESKTOP 2102
#define IDM_QUICK_DOCUMENTS 2103
#define IDM_QUICK_SHORTCUT_CLEANER 2104
#define IDM_QUICK_VENDOR 2105
#define IDM_QUICK_DRIVE_A 2110 /* A..Z: 2110..2135 */

/* Main window timers */
#define IDT_STATUS 1
#define IDT_EDIT 2
#define IDT_CLOSE 3
#define IDT_TEXT 4
#define IDT_DEFERRED_LISTING 5

/* Options dialog (TForm7) */
#define IDC_OPT_TABS 1200
#define IDC_OPT_SHORTCUT 1201
#define IDC_OPT_EXIT_AFTER 1202      /* Options1 */
#define IDC_OPT_END_SOUND 1203       /* Endsound */
#define IDC_OPT_CONFIRM 1204         /* Confirm */
#define IDC_OPT_CONTEXT_MENU 1205    /* Contextmenu */
#define IDC_OPT_CHECKBOXES 1206      /* Checkbox */
#define IDC_OPT_AUTO_PREVIEW 1207    /* AutoPreview, hidden */
#define IDC_OPT_NO_OPEN_LISTING 1210 /* Options2 */
#define IDC_OPT_CAP_EVERY 1211       /* Capevery */
#define IDC_OPT_AUTO_COPY 1212       /* Autocopy */
#define IDC_OPT_PREVIEW_GROUP 1213
#define IDC_OPT_PREVIEW_LABEL 1214
#define IDC_OPT_PREVIEW_NUMBER 1215  /* Prenum */
#define IDC_OPT_PREVIEW_SPIN 1216
#define IDC_OPT_PREVIEW_MAX 1217     /* PreviewMax */
#define IDC_OPT_NEWNAME_GROUP 1220
#define IDC_OPT_NEWNAME_LABEL 1221
#define IDC_OPT_NEWNAME_NUMBER 1222  /* Listnum */
#define IDC_OPT_NEWNAME_SPIN 1223
#define IDC_OPT_NEWNAME_EDIT 1224
#define IDC_OPT_NEWNAME_CLEAR 1225
#define IDC_OPT_FOLDERS_GROUP 1226
#define IDC_OPT_FOLDERS_LABEL 1227
#define IDC_OPT_FOLDERS_NUMBER 1228  /* Foldernum */
#define IDC_OPT_FOLDERS_SPIN 1229
#define IDC_OPT_FOLDERS_CLEAR 1230
#define IDC_OPT_LANGUAGES 1240
#define IDC_OPT_SHOW_RESULTS 1250    /* Options3 */
#define IDC_OPT_SHOW_GUIDE 1251      /* Showguide */
#define IDC_OPT_SHOW_HIDDEN 1252     /* Showhiddenfile */
#define IDC_OPT_SHOW_SYSTEM 1253     /* Showsysfile */
#define IDC_OPT_ICONS_LABEL 1254
#define IDC_OPT_ICON_SETS 1255
#define IDC_OPT_DEFAULT 1260
#define IDC_OPT_OK 1261
#define IDC_OPT_CANCEL 1262
#define IDC_OPT_HELP 1263

/* Single-item rename (TForm2) */
#define IDC_REN_NAME 1300
#define IDC_REN_EXT_LABEL 1301
#define IDC_REN_EXT 1302
#define IDC_REN_OK 1303
#define IDC_REN_CANCEL 1304

/* Folder add option dialog (TForm9) */
#define IDC_ADD_OPTION1 1350
#define IDC_ADD_OPTION2 1351
#define IDC_ADD_NOTE 1352
#define IDC_ADD_OK 1353
#define IDC_ADD_CANCEL 1354

/* Quick start window (TForm12) */
#define IDC_QS_HEADER1 1400
#define IDC_QS_BODY1 1401
#define IDC_QS_HEADER2 1402
#define IDC_QS_BODY2 1403
#define IDC_QS_HEADER3 1404
#define IDC_QS_BODY3 1405
#define IDC_QS_SHOW_NEXT 1406

/* New-name list editor (TForm8) */
#define IDC_NNE_TEXT 1910
#define IDC_NNE_SAVE 1911
#define IDC_NNE_CLOSE 1912

#endif
