#pragma once
// The check history of one watched object as a standalone HTML page: one
// block per check (time, level note) with every change under it. Texts and
// links that come from pages are escaped, so a page can never put live
// markup into the report.
#include <cstdint>

#include "framework/AStr.h"

class owstream;
class ItemNode;

// What the page takes from the program around it (the main window).
class ReportHost {
  public:
    virtual ~ReportHost() = default;
    // A text of the language module by number.
    virtual AStr Text(unsigned id) const = 0;
    // A check time as the result pane shows it: date, ", ", time.
    virtual AStr CheckTime(uint32_t time) const = 0;
};

// Language-module strings the page uses.
enum : unsigned {
    kTextReportClosing = 9421,  // the line under the table
    kTextReportCharset = 9422,  // (unused: the page is written in UTF-8)
    kTextLevel2Note = 32002,    // note for check level 2
    kTextLevel3Note = 32003,    // note for check level 3
};

// Whether a change's link may become a live link of the page: relative
// links and those with the schemes http, https, ftp and mailto. Anything
// else (javascript:, vbscript:, data:, file: ...) is written as plain text.
bool IsReportableLink(const char* link);

// Writes the page; stream errors are not checked.
void WriteChangeReport(const ReportHost& host, owstream& out, const ItemNode& object);
