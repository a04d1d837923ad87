/* Command ids of the main window: menus, toolbar and accelerators.
   Plain #defines, so that resource scripts and C++ share them. */
#ifndef OV_COMMAND_IDS_H
#define OV_COMMAND_IDS_H

#define CMD_CUT 202
#define CMD_COPY 203
#define CMD_PASTE 204
#define CMD_DELETE 205
#define CMD_DELETE_FROM_HERE 206
#define CMD_SELECT_ALL 207
#define CMD_FIND 208
#define CMD_FIND_NEXT 209
#define CMD_OPTIONS 401
#define CMD_SUSPEND_CHECKS 402
#define CMD_CHECK_ALL 403
#define CMD_FIRST_START_NEW_PAGE 404
#define CMD_SHOW_RESULTS 405
#define CMD_RESTORE 420
#define CMD_PROTECT 501
#define CMD_UNPROTECT 502
#define CMD_OTHER_PANE 666
#define CMD_OTHER_PANE_BACK 667
#define CMD_ENTER 668
#define CMD_EXPORT 801
#define CMD_IMPORT 802
#define CMD_SAVE_REPORT 806
#define CMD_NEW_WEB_PAGE 901
#define CMD_PROPERTIES 903
#define CMD_MARK_SEEN 904
#define CMD_OPEN_CHANGE_LINK 905
#define CMD_OPEN_CHANGE_LINK_NEW_WINDOW 906
#define CMD_OPEN_CHANGE_LINK_PAGE 907
#define CMD_OPEN_PAGE 908
#define CMD_OPEN_PAGE_NEW_WINDOW 909
#define CMD_OPEN_MAILBOX 910
#define CMD_CHECK_NOW 911
#define CMD_NEW_FOLDER 912
#define CMD_COPY_CHANGE_LINK 913
#define CMD_COPY_URL 914
#define CMD_CLEAR_HISTORY 915
#define CMD_SWITCH_OFF 916
#define CMD_SWITCH_ON 917
#define CMD_NEW_MAILBOX 918
#define CMD_NEW_OBJECT 920
#define CMD_HELP_CONTENTS 10001
#define CMD_HELP_ON_HELP 10005
#define CMD_ABOUT 10006
#define CMD_HELP_INDEX 10007
#define CMD_WEB_SITE 10009

/* Texts every language module carries. */
#define TEXT_LANGUAGE_NAME 9500
#define TEXT_CONFIRM_UNINSTALL 9501
#define TEXT_SEARCH_WRAP 9620
#define TEXT_SEARCH_NOT_FOUND 9621
#define TEXT_PROGRAM_NAME 32000
#define TEXT_WINDOW_TITLE 32001
#define TEXT_LANGUAGE_CHANGED 32004
#define TEXT_OPTIONS_TITLE 32005

/* Menus of the language module. */
#define MENU_MAIN 1
#define MENU_TRAY 2
#define MENU_ITEM_POPUP 3
#define MENU_RESULT_POPUP 4

/* Texts of the commands. */
#define TEXT_DELETE_PROTECTED 9315
#define TEXT_REPORT_FILTER 9317
#define TEXT_REPORT_TITLE 9318
#define TEXT_WEB_SITE 9401
#define TEXT_DELETE_ONE 9413
#define TEXT_DELETE_SEVERAL 9414

/* Texts of the main window. */
#define TEXT_STATUS_UNSEEN 9415
#define TEXT_STATUS_SELECTED 9416
#define TEXT_STATUS_CHECKS 9417
#define TEXT_DAMAGED_WATCH_LIST 21000
#define TEXT_DIRECTORY_LOCKED 21001

#endif

// Dialog templates of the language modules.
#define DLG_SEARCH 14

// The options dialog.
#define DLG_OPTIONS 5
// Notifications: the message window and the chooser of an event's file.
#define DLG_MESSAGE_WINDOW 15
#define TEXT_CHOOSE_EVENT_FILE 9300
#define TEXT_FILTER_ALL_FILES 9301
#define TEXT_FILTER_SOUNDS 9302
#define TEXT_FILTER_PROGRAMS 9309

// The about dialog and its texts.
#define DLG_ABOUT 16
#define IDC_ABOUT_TEXT 1601
