/* Templates, texts and control ids of the property dialogs of watched
   objects. Plain #defines, so that resource scripts and C++ share them. */
#ifndef OV_PROPERTY_IDS_H
#define OV_PROPERTY_IDS_H

/* Dialog templates (each is also its help context, but 13 uses 7). */
#define DLG_WEB_PAGE 1
#define DLG_MAILBOX 3
#define DLG_FOLDER 7
#define DLG_OBJECT_OPTIONS 8
#define DLG_OBJECT_FILTER 9
#define DLG_OBJECT_KIND 13

/* Texts of the property sheet. */
#define TEXT_PAGE_SHEET_TITLE 9304
#define TEXT_SHEET_OK 9310
#define TEXT_SHEET_CANCEL 9311
#define TEXT_SHEET_HELP 9312
#define TEXT_MAILBOX_SHEET_TITLE 9313
/* A mailbox's connection at its last check. */
#define TEXT_MAIL_SECURITY_UNKNOWN 9450
#define TEXT_MAIL_SECURITY_PLAIN 9451
#define TEXT_MAIL_SECURITY_STLS 9452
#define TEXT_MAIL_SECURITY_TLS 9453
/* The event file chooser: title, "all files" filter, sounds, programs. */
/* The colour names, 16 in the order of the colour list. */
#define TEXT_COLOR_FIRST 9430

/* Web page (template 1). */
#define IDC_OBJECT_NAME 98
#define IDC_PAGE_NAME_LABEL 100
#define IDC_PAGE_ADDRESS 101
#define IDC_PAGE_MINUTES 103
#define IDC_PAGE_HOURS 105
#define IDC_PAGE_DAYS 107
#define IDC_PAGE_LAST_ATTEMPT 109
#define IDC_PAGE_MODE_NONE 110
#define IDC_PAGE_MODE_TEXT 111
#define IDC_PAGE_MODE_LINKS 112
#define IDC_PAGE_NEWS_TAPE 113
#define IDC_PAGE_ADDRESS_LABEL 114
#define IDC_PAGE_LAST_ATTEMPT_LABEL 115
#define IDC_PAGE_COLOR 122
#define IDC_PAGE_PROTECTED 170

/* Mailbox (template 3). */
#define IDC_MAIL_MINUTES 103
#define IDC_MAIL_HOURS 104
#define IDC_MAIL_DAYS 105
#define IDC_MAIL_LAST_ATTEMPT 106
#define IDC_MAIL_LAST_ATTEMPT_LABEL 107
#define IDC_MAIL_SERVER 161
#define IDC_MAIL_PORT 163
#define IDC_MAIL_USER 166
#define IDC_MAIL_PASSWORD 168
#define IDC_MAIL_COLOR 169
#define IDC_MAIL_SECURITY 171

/* Filters (template 9). */
#define IDC_FILTER_KEYWORDS 110
#define IDC_FILTER_MIN_CHANGED 131
#define IDC_FILTER_SHORTEST 132
#define IDC_FILTER_NO_LETTERS 133
#define IDC_FILTER_SKIP_KEYWORDS 134

/* Options (template 8). */
#define IDC_OPT_EVENT_PROGRAM_WIDE 120
#define IDC_OPT_EVENT_NONE 121
#define IDC_OPT_EVENT_BLINK 122
#define IDC_OPT_EVENT_SOUND 123
#define IDC_OPT_EVENT_MESSAGE 124
#define IDC_OPT_EVENT_PROGRAM 125
#define IDC_OPT_EVENT_PARAM 130
#define IDC_OPT_EVENT_BROWSE 131
#define IDC_OPT_EVENT_PARAM_LABEL 132
#define IDC_OPT_TEXT_LOG 133
#define IDC_OPT_TABLES 134
#define IDC_OPT_KEEP_ALL 140
#define IDC_OPT_KEEP_COUNT 141
#define IDC_OPT_COUNT 142
#define IDC_OPT_BY_AGE 143
#define IDC_OPT_AGE_DAYS 144
#define IDC_OPT_AGE_HOURS 145
#define IDC_OPT_HELD_NOTE 150
#define IDC_OPT_HELD_CONFIRM 151

/* Folder (template 7). */
#define IDC_FOLDER_NAME 101
#define IDC_FOLDER_NEWS_TAPE 102
#define IDC_FOLDER_TEXT_LOG 103

/* Kind of a new object (template 13). */
#define IDC_KIND_PAGE 120
#define IDC_KIND_MAILBOX 121
#define IDC_KIND_FOLDER 122

#endif
