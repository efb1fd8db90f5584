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

/* Edit window (TForm1): the target and sample lines, the scope group, the toolbar,
   the about panel and the sample box's context menu; the option panels have 1600-1799 */
#define IDC_EDIT_AREA 1500 /* everything the about panel stands in for */
#define IDC_EDIT_TARGET_LABEL 1501
#define IDC_EDIT_TARGET 1502
#define IDC_EDIT_SAMPLE_LABEL 1503
#define IDC_EDIT_SAMPLE 1504
#define IDC_EDIT_SCOPE_GROUP 1510
#define IDC_EDIT_SCOPE_LABEL 1511
#define IDC_EDIT_SCOPE 1512
#define IDC_EDIT_TOGGLE_OPTIONS 1513
#define IDC_EDIT_SUBFOLDERS 1514
#define IDC_EDIT_MORE_OPTIONS 1515 /* the hidden-options panel */
#define IDC_EDIT_HIDDEN 1516
#define IDC_EDIT_SYSTEM 1517
#define IDC_EDIT_TYPE_FILTER_ON 1518
#define IDC_EDIT_TYPE_FILTER 1519
#define IDC_EDIT_OPTIONS_LABEL 1520
#define IDC_EDIT_TOOLBAR 1530
#define IDC_EDIT_RENAME 1531
#define IDC_EDIT_SAVE 1532
#define IDC_EDIT_PREVIEW 1533
#define IDC_EDIT_MODE_REMOVE 1534
#define IDC_EDIT_MODE_REPLACE 1535
#define IDC_EDIT_MODE_INSERT 1536
#define IDC_EDIT_MODE_CHANGE 1537
#define IDC_EDIT_MODE_EXTENSION 1538
#define IDC_EDIT_BACK 1539
#define IDC_EDIT_ABOUT 1550
#define IDC_EDIT_ABOUT_VERSION_GROUP 1551
#define IDC_EDIT_ABOUT_VERSION_PICTURE 1552
#define IDC_EDIT_ABOUT_CONTACT_GROUP 1553
#define IDC_EDIT_ABOUT_CONTACT_PICTURE 1554
#define IDC_EDIT_ABOUT_BAR 1555
#define IDC_EDIT_ABOUT_HOMEPAGE 1556
#define IDC_EDIT_ABOUT_BACK 1557
#define IDC_EDIT_ABOUT_CLOSE 1558
#define IDM_EDIT_SAMPLE_COPY 1570
#define IDM_EDIT_SAMPLE_SELECT_ALL 1571
#define IDM_EDIT_SAMPLE_AUTOCOPY 1572
#define IDT_FIRST_FOCUS 7
#define IDT_UNDO_LOG 8

/* Edit window (TForm1): option panels */
/* Panels (containers) */
#define IDC_EDIT_PANEL_REMOVE 1600
#define IDC_EDIT_PANEL_REPLACE 1601
#define IDC_EDIT_PANEL_INSERT 1602
#define IDC_EDIT_PANEL_CHANGE 1603
#define IDC_EDIT_PANEL_EXTENSION 1604
#define IDC_EDIT_PANEL_SAVE 1605
/* Remove panel */
#define IDC_EDIT_REMOVE_STRINGS 1610        /* RemoveOptions.RemoveKind */
#define IDC_EDIT_REMOVE_ANYTHING 1611
#define IDC_EDIT_KEEP_SOMETHING 1612
#define IDC_EDIT_CLEAN_SYMBOLS 1613
#define IDC_EDIT_REMOVE_STRINGS_GROUP 1614
#define IDC_EDIT_REMOVE_ANYTHING_GROUP 1615
#define IDC_EDIT_KEEP_GROUP 1616
#define IDC_EDIT_CLEAN_GROUP 1617
#define IDC_EDIT_REMOVE_STRING1_LABEL 1620
#define IDC_EDIT_REMOVE_STRING1 1621        /* RemoveOptions.Strings1 */
#define IDC_EDIT_REMOVE_STRING2_LABEL 1622
#define IDC_EDIT_REMOVE_STRING2 1623        /* RemoveOptions.Strings2 */
#define IDC_EDIT_REMOVE_STRING3_LABEL 1624
#define IDC_EDIT_REMOVE_STRING3 1625        /* RemoveOptions.Strings3 */
#define IDC_EDIT_REMOVE_CASE_SENSITIVE 1626 /* RemoveOptions.CaseSensitive */
#define IDC_EDIT_REMOVE_ONLY_LEFTEST 1627   /* RemoveOptions.OnlyLeftest */
#define IDC_EDIT_REMOVE_CLEAR_ALL 1628
#define IDC_EDIT_ANYTHING_SELECTED 1630     /* RemoveOptions.AnythingKind */
#define IDC_EDIT_ANYTHING_BETWEEN 1631
#define IDC_EDIT_ANYTHING_NUMBERS 1632
#define IDC_EDIT_ANYTHING_DIRECTION 1633
#define IDC_EDIT_ANYTHING_FROM_HEAD 1634    /* RemoveOptions.SelectionFromEnd */
#define IDC_EDIT_ANYTHING_FROM_END 1635
#define IDC_EDIT_ANYTHING_LEFT_LABEL 1636
#define IDC_EDIT_ANYTHING_LEFT 1637         /* RemoveOptions.LeftString */
#define IDC_EDIT_ANYTHING_RIGHT_LABEL 1638
#define IDC_EDIT_ANYTHING_RIGHT 1639        /* RemoveOptions.RightString */
#define IDC_EDIT_ANYTHING_ALSO_BOUNDS 1640  /* RemoveOptions.AlsoRemoveBounds */
#define IDC_EDIT_KEEP_SELECTED 1645         /* RemoveOptions.KeepKind */
#define IDC_EDIT_KEEP_STRINGS 1646
#define IDC_EDIT_KEEP_DIRECTION 1647
#define IDC_EDIT_KEEP_FROM_HEAD 1648        /* RemoveOptions.KeepFromEnd */
#define IDC_EDIT_KEEP_FROM_END 1649
#define IDC_EDIT_KEEP_STRING1_LABEL 1650
#define IDC_EDIT_KEEP_STRING1 1651          /* RemoveOptions.KeepStrings1 */
#define IDC_EDIT_KEEP_STRING2_LABEL 1652
#define IDC_EDIT_KEEP_STRING2 1653          /* RemoveOptions.KeepStrings2 */
#define IDC_EDIT_KEEP_ONLY_LEFTEST 1654     /* RemoveOptions.KeepOnlyLeftest */
#define IDC_EDIT_CLEAN_MARKS_GROUP 1660
#define IDC_EDIT_CLEAN_HYPHEN 1661          /* RemoveOptions.CleanKeepHyphen */
#define IDC_EDIT_CLEAN_UNDERSCORE 1662      /* RemoveOptions.CleanKeepUnderscore */
#define IDC_EDIT_CLEAN_PARENTHESES 1663     /* RemoveOptions.CleanKeepParentheses */
#define IDC_EDIT_CLEAN_BRACKETS 1664        /* RemoveOptions.CleanKeepBrackets */
#define IDC_EDIT_CLEAN_OPTION_GROUP 1665
#define IDC_EDIT_CLEAN_KEEP_OTHER 1666      /* RemoveOptions.CleanKeepOther */
#define IDC_EDIT_CLEAN_KEEP_OTHER_TEXT 1667 /* RemoveOptions.CleanKeepOtherText */
#define IDC_EDIT_CLEAN_WITH_SPACE 1668      /* RemoveOptions.CleanReplaceWithSpace */
#define IDC_EDIT_CLEAN_ALSO_ERASE 1669      /* RemoveOptions.CleanAlsoErase */
#define IDC_EDIT_CLEAN_ERASE_TEXT 1670      /* RemoveOptions.CleanEraseText */
/* Replace panel */
#define IDC_EDIT_REPLACE_STRING 1680        /* ReplaceOptions.ReplaceKind */
#define IDC_EDIT_REPLACE_SELECTED 1681
#define IDC_EDIT_REPLACE_OLD_LABEL 1682
#define IDC_EDIT_REPLACE_OLD 1683           /* ReplaceOptions.OldString */
#define IDC_EDIT_REPLACE_CASE_SENSITIVE 1684/* ReplaceOptions.CaseSensitive */
#define IDC_EDIT_REPLACE_ONLY_LEFTEST 1685  /* ReplaceOptions.OnlyLeftest */
#define IDC_EDIT_REPLACE_DIRECTION 1686
#define IDC_EDIT_REPLACE_FROM_HEAD 1687     /* ReplaceOptions.SelectionFromEnd */
#define IDC_EDIT_REPLACE_FROM_END 1688
#define IDC_EDIT_REPLACE_NEW_LABEL 1689
#define IDC_EDIT_REPLACE_NEW 1690           /* ReplaceOptions.NewTemplate */
#define IDC_EDIT_REPLACE_SPECIAL 1691
/* Insert panel */
#define IDC_EDIT_INSERT_TO_POSITION 1700    /* InsertOptions.InsertKind */
#define IDC_EDIT_INSERT_TO_STRING 1701
#define IDC_EDIT_INSERT_POSITION_GROUP 1702
#define IDC_EDIT_INSERT_STRING_GROUP 1703
#define IDC_EDIT_INSERT_HEADER 1704
#define IDC_EDIT_INSERT_HEAD 1705           /* InsertOptions.AtHead */
#define IDC_EDIT_INSERT_HEAD_TEXT 1706      /* InsertOptions.HeadTemplate */
#define IDC_EDIT_INSERT_HEAD_SPECIAL 1707
#define IDC_EDIT_INSERT_END 1708            /* InsertOptions.AtEnd */
#define IDC_EDIT_INSERT_END_TEXT 1709       /* InsertOptions.EndTemplate */
#define IDC_EDIT_INSERT_END_SPECIAL 1710
#define IDC_EDIT_INSERT_CURSOR 1711         /* InsertOptions.AtCursor */
#define IDC_EDIT_INSERT_CURSOR_TEXT 1712    /* InsertOptions.CursorTemplate */
#define IDC_EDIT_INSERT_CURSOR_SPECIAL 1713
#define IDC_EDIT_INSERT_DIRECTION 1714
#define IDC_EDIT_INSERT_FROM_HEAD 1715      /* InsertOptions.CursorFromEnd */
#define IDC_EDIT_INSERT_FROM_END 1716
#define IDC_EDIT_INSERT_WHERE_LABEL 1717
#define IDC_EDIT_INSERT_WHERE 1718          /* InsertOptions.Where */
#define IDC_EDIT_INSERT_EXISTING_LABEL 1719
#define IDC_EDIT_INSERT_EXISTING 1720       /* InsertOptions.ExistingString */
#define IDC_EDIT_INSERT_SECOND_LABEL 1721
#define IDC_EDIT_INSERT_SECOND 1722         /* InsertOptions.SecondString */
#define IDC_EDIT_INSERT_STRING_LABEL 1723
#define IDC_EDIT_INSERT_STRING 1724         /* InsertOptions.InsertTemplate */
#define IDC_EDIT_INSERT_STRING_SPECIAL 1725
/* Change panel */
#define IDC_EDIT_CHANGE_NEW_NAME 1730       /* ChangeOptions.ChangeKind */
#define IDC_EDIT_CHANGE_NEW_NAME_LABEL 1731
#define IDC_EDIT_CHANGE_NEW_NAME_TEXT 1732  /* ChangeOptions.NewNameTemplate */
#define IDC_EDIT_CHANGE_SPECIAL 1733
#define IDC_EDIT_CHANGE_CASE 1734
#define IDC_EDIT_CHANGE_LOWER 1735          /* ChangeOptions.CaseKind */
#define IDC_EDIT_CHANGE_UPPER 1736
#define IDC_EDIT_CHANGE_CAPITALIZE_WORDS 1737
#define IDC_EDIT_CHANGE_CAPITALIZE_FIRST 1738/* ChangeOptions.CapitalizeFirst */
#define IDC_EDIT_CHANGE_INCLUDE_EXTENSION 1739/* ChangeOptions.IncludeExtension */
/* Extension panel */
#define IDC_EDIT_EXT_CHANGE 1745            /* ExtensionOptions.ExtensionKind */
#define IDC_EDIT_EXT_CHANGE_GROUP 1746
#define IDC_EDIT_EXT_OLD_LABEL 1747
#define IDC_EDIT_EXT_OLD 1748               /* ExtensionOptions.OldExtension */
#define IDC_EDIT_EXT_NEW_LABEL 1749
#define IDC_EDIT_EXT_NEW 1750               /* ExtensionOptions.NewExtension */
#define IDC_EDIT_EXT_REPLACE_ALL 1751       /* ExtensionOptions.ReplaceAllTypes */
#define IDC_EDIT_EXT_CASE 1752
#define IDC_EDIT_EXT_CASE_GROUP 1753
#define IDC_EDIT_EXT_LOWER 1754             /* ExtensionOptions.ExtensionUpper */
#define IDC_EDIT_EXT_UPPER 1755
/* Save panel */
#define IDC_EDIT_SAVE_CONTENT_GROUP 1760
#define IDC_EDIT_SAVE_ONE_LAYER 1761        /* SaveOptions.Content */
#define IDC_EDIT_SAVE_ONE_LAYER_NOTE 1762
#define IDC_EDIT_SAVE_ALL_LAYERS 1763
#define IDC_EDIT_SAVE_ALL_LAYERS_NOTE 1764
#define IDC_EDIT_SAVE_WEBPAGE 1765          /* SaveOptions.IncludeWebpageFolders */
#define IDC_EDIT_SAVE_NAMES_ONLY 1766
#define IDC_EDIT_SAVE_NAMES_ONLY_NOTE 1767
#define IDC_EDIT_SAVE_FILE_SIZE 1768        /* SaveOptions.FileSize */
#define IDC_EDIT_SAVE_FILE_TIME 1769        /* SaveOptions.FileTime */
#define IDC_EDIT_SAVE_TYPES_GROUP 1770
#define IDC_EDIT_SAVE_ALL_TYPES 1771        /* SaveOptions.SpecialTypes */
#define IDC_EDIT_SAVE_SPECIAL_TYPES 1772
#define IDC_EDIT_SAVE_MUSIC 1773            /* SaveOptions.Music */
#define IDC_EDIT_SAVE_FILM 1774             /* SaveOptions.Film */
#define IDC_EDIT_SAVE_DOCUMENT 1775         /* SaveOptions.Document */
#define IDC_EDIT_SAVE_PICTURE 1776          /* SaveOptions.Picture */
#define IDC_EDIT_SAVE_PROGRAM 1777          /* SaveOptions.Program */
#define IDC_EDIT_SAVE_OTHER 1778            /* SaveOptions.Other */
#define IDC_EDIT_SAVE_OTHER_TEXT 1779       /* SaveOptions.OtherTypes */
/* Special-string dialog (TForm3) */
#define IDC_SS_ENABLED 1870
#define IDC_SS_MARK1 1871 /* the "1." to "7." labels in front of the choices */
#define IDC_SS_MARK2 1872
#define IDC_SS_MARK3 1873
#define IDC_SS_MARK4 1874
#define IDC_SS_MARK5 1875
#define IDC_SS_MARK6 1876
#define IDC_SS_MARK7 1877
#define IDC_SS_NUMBERS 1878
#define IDC_SS_START_LABEL 1879
#define IDC_SS_START 1880
#define IDC_SS_START_SPIN 1881
#define IDC_SS_NUMBERS_EXAMPLE 1882
#define IDC_SS_TODAY 1883
#define IDC_SS_DATE_LABEL 1884
#define IDC_SS_DATE_NOTE 1885
#define IDC_SS_DATES 1886
#define IDC_SS_FILE_DATE 1887
#define IDC_SS_FILE_DATE_NOTE 1888
#define IDC_SS_FILE_SIZE 1889
#define IDC_SS_FILE_SIZE_NOTE 1890
#define IDC_SS_FOLDER 1891
#define IDC_SS_FOLDER_NOTE 1892
#define IDC_SS_RANDOM 1893
#define IDC_SS_RANDOM_UPPER 1894
#define IDC_SS_RANDOM_LOWER 1895
#define IDC_SS_RANDOM_DIGITS 1896
#define IDC_SS_RANDOM_EXAMPLE 1897
#define IDC_SS_LETTERS 1898
#define IDC_SS_LETTER_UPPER 1899
#define IDC_SS_LETTERS_EXAMPLE 1900
#define IDC_SS_OK 1901
#define IDC_SS_CANCEL 1902
#define IDC_SS_HELP 1903
/* Preview window (TForm6) */
#define IDC_PREVIEW_LIST 1840
#define IDC_PREVIEW_RENAME 1841
#define IDC_PREVIEW_CLOSE 1842
#define IDM_PREVIEW_SHOW_ON 1843
#define IDM_PREVIEW_COPY_NAME 1844
/* Progress window (TForm5) */
#define IDC_PROG_OLD_LABEL 1800
#define IDC_PROG_OLD_NAME 1801
#define IDC_PROG_NEW_LABEL 1802
#define IDC_PROG_NEW_NAME 1803
#define IDC_PROG_SEARCHING 1804
#define IDC_PROG_BAR 1805
#define IDC_PROG_CANCEL 1806

/* Rename error window (TForm11) */
#define IDC_RENERR_LABEL 1820
#define IDC_RENERR_OLD_NAME 1821
#define IDC_RENERR_TO_LABEL 1822
#define IDC_RENERR_NEW_NAME 1823
#define IDC_RENERR_REASON 1824
#define IDC_RENERR_SUPPRESS 1825
#define IDC_RENERR_OK 1826
/* New-name list editor (TForm8) */
#define IDC_NNE_TEXT 1910
#define IDC_NNE_SAVE 1911
#define IDC_NNE_CLOSE 1912

#endif
