#pragma once
// The commands of the front end; each returns its exit status and reports
// failures by CliError.
#include "cli/Cli.h"

using CommandFunction = int (*)(CliContext&, const Arguments&);

int ListCommand(CliContext& c, const Arguments& a);
int ShowCommand(CliContext& c, const Arguments& a);
int ChangesCommand(CliContext& c, const Arguments& a);
int ReportCommand(CliContext& c, const Arguments& a);

int AddCommand(CliContext& c, const Arguments& a);
int AddMailboxCommand(CliContext& c, const Arguments& a);
int AddFolderCommand(CliContext& c, const Arguments& a);
int EditCommand(CliContext& c, const Arguments& a);

int RemoveCommand(CliContext& c, const Arguments& a);
int MoveCommand(CliContext& c, const Arguments& a);
int OnCommand(CliContext& c, const Arguments& a);
int OffCommand(CliContext& c, const Arguments& a);
int SeenCommand(CliContext& c, const Arguments& a);

int ExportCommand(CliContext& c, const Arguments& a);
int ImportCommand(CliContext& c, const Arguments& a);
int DumpCommand(CliContext& c, const Arguments& a);

int CompareCommand(CliContext& c, const Arguments& a);
int TitleCommand(CliContext& c, const Arguments& a);
int OptionsCommand(CliContext& c, const Arguments& a);

int CheckCommand(CliContext& c, const Arguments& a);
int RunCommand(CliContext& c, const Arguments& a);
