#pragma once
// Table preparation for the text comparison: a simple table row becomes one
// paragraph with its cells separated by " | ", so a table compares row by
// row.
class HtmlDocument;

// Joins every row whose cells hold at most one paragraph each into the
// row's first paragraph (the others are left empty); rows that cannot be
// joined are searched for tables of their own.
void JoinTableRows(HtmlDocument& document);
