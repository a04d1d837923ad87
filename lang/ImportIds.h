/* Ids of the import dialog, the question of its source and the export file
   chooser. Plain #defines, so that resource scripts and C++ share them. */
#ifndef OV_IMPORT_IDS_H
#define OV_IMPORT_IDS_H

#define DLG_IMPORT 11
#define DLG_IMPORT_SOURCE 12

/* The import dialog. 100 and 101 hold the places of the two panes. */
#define IDC_IMPORT_LEFT_PLACE 100
#define IDC_IMPORT_RIGHT_PLACE 101
#define IDC_IMPORT_ADD 103
#define IDC_IMPORT_DEFAULTS 104
#define IDC_IMPORT_SOURCE 105
#define IDC_IMPORT_LEFT_LABEL 106
#define IDC_IMPORT_RIGHT_LABEL 107
#define IDC_IMPORT_SOURCE_NAME 108
#define IDC_IMPORT_APPLY 109
#define IDC_IMPORT_LEFT_PANE 110
#define IDC_IMPORT_RIGHT_PANE 111

/* The source question: one radio button per kind of source. */
#define IDC_SOURCE_FAVORITES 120
#define IDC_SOURCE_FOLDER 121
#define IDC_SOURCE_PAGE 122
#define IDC_SOURCE_EXPORT 123
#define IDC_SOURCE_TROVIK 124
#define IDC_SOURCE_BROWSE 125
#define IDC_SOURCE_PATH 126
#define IDC_SOURCE_PATH_LABEL 127

/* Texts. */
#define TEXT_EXPORT_TITLE 9277
#define TEXT_FILE_CHOOSER_TITLE 9300
#define TEXT_FILTER_ALL 9301
#define TEXT_FILTER_EXPORT 9303
#define TEXT_FILTER_TROVIK 9308
#define TEXT_FOLDER_BROWSE_TITLE 9412
#define TEXT_SOURCE_UNREADABLE 9418
#define TEXT_SOURCE_NONE 9640
#define TEXT_SOURCE_FAVORITES 9641

#endif
