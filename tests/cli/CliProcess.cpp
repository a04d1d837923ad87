#include "cli/CliProcess.h"

#include <atomic>

CliOutcome RunCliIn(const std::string& dir, const std::vector<std::string>& args) {
    static std::atomic<int> counter{0};
    TempDir outputs;
    int n = ++counter;
    std::string outPath = outputs.File("out" + std::to_string(n)),
                errPath = outputs.File("err" + std::to_string(n));
    std::vector<std::string> command = {OVISTO_CLI_PATH, "--dir", dir};
    command.insert(command.end(), args.begin(), args.end());
    platform::ChildProcess child;
    CliOutcome outcome;
    if (!child.Start(command, outPath, errPath)) {
        ADD_FAILURE() << "ovisto-cli could not be started";
        return outcome;
    }
    if (!child.Wait(60000, &outcome.status)) {
        child.Kill();
        ADD_FAILURE() << "ovisto-cli did not end within 60 s";
    }
    outcome.out = TempDir::Read(outPath);
    outcome.err = TempDir::Read(errPath);
    return outcome;
}

nlohmann::json CliOutcome::Json() const {
    nlohmann::json j = nlohmann::json::parse(out, nullptr, false);
    if (j.is_discarded()) ADD_FAILURE() << "not JSON: " << out << "\nstderr: " << err;
    return j;
}

nlohmann::json CliTest::CliJson(const std::vector<std::string>& args) {
    std::vector<std::string> withJson = {"--json"};
    withJson.insert(withJson.end(), args.begin(), args.end());
    CliOutcome r = Cli(withJson);
    EXPECT_EQ(0, r.status) << r.err;
    return r.Json();
}

const nlohmann::json* FindListed(const nlohmann::json& objects, const std::string& path) {
    for (const nlohmann::json& o : objects) {
        if (o.value("path", "") == path) return &o;
        if (const nlohmann::json* below = FindListed(o["children"], path)) return below;
    }
    return nullptr;
}
