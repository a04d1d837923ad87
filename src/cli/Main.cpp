// ovisto-cli: the headless front end on a program directory.
#include <iostream>

#include "cli/Cli.h"
#include "platform/ConsoleIo.h"
#include "platform/HeapTuning.h"

int main(int argc, char** argv) {
    platform::KeepLargeBlocksForReuse();
    platform::PrepareConsoleOutput();
    std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
    if (!args.empty()) args.erase(args.begin());
    int status = RunCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
