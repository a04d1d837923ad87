#pragma once
// Runs the built ovisto-cli on a program directory, as a user at a
// terminal would, and collects what it printed and its exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "support/TempDir.h"

struct CliOutcome {
    int status = -1;
    std::string out, err;
    // Standard output read as one JSON document (a test failure when it is not).
    nlohmann::json Json() const;
};

// One run with --dir `dir` before the arguments; at most 60 s.
CliOutcome RunCliIn(const std::string& dir, const std::vector<std::string>& args);

// A program directory of its own for each test.
class CliTest : public ::testing::Test {
  protected:
    CliOutcome Cli(const std::vector<std::string>& args) { return RunCliIn(dir.Path(), args); }
    // The same with --json, expecting success and a JSON document.
    nlohmann::json CliJson(const std::vector<std::string>& args);
    std::string WatchListFile() const { return dir.File("OVISTO.CFG"); }

    TempDir dir;
};

// The object with this path in a "list --json" document (null when none).
const nlohmann::json* FindListed(const nlohmann::json& objects, const std::string& path);
