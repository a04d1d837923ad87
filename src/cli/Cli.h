#pragma once
// The headless front end: one command per run on a program directory.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/ObjectJson.h"
#include "cli/Workspace.h"

struct CliContext {
    CliContext(std::ostream& out, std::ostream& err) : out(out), err(err) {}
    std::ostream& out;
    std::ostream& err;
    bool json = false;
    std::string dir;      // the program directory
    bool writes = false;  // the command changes files: it holds the lock
    std::unique_ptr<Workspace> space;

    // The program directory, locked for a writer, with its watch list read.
    Workspace& Space();
    ItemList& List() { return Space().List(); }
    // Prints a document: as JSON with --json, else through `text`.
    void Print(const Json& document, void (*text)(std::ostream&, const Json&));
};

// Runs one command line (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// "key: value" lines of a document, nested documents indented.
void PrintPlain(std::ostream& out, const Json& document);
