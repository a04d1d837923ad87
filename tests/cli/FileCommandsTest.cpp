// Watch list files as the program reads and writes them: a fixture built
// byte by byte, a damaged file, export and import, and the directory lock.
#include "cli/CliProcess.h"
#include "platform/DirectoryLock.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

using nlohmann::json;

namespace {

// The encodings of the watch list file, spelled out by hand.
struct Bytes {
    std::string b;
    Bytes& U8(uint8_t v) { b.push_back(static_cast<char>(v)); return *this; }
    Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& Str(const std::string& s) { U16(static_cast<uint16_t>(s.size())); b += s; return *this; }
    // Fields 1 to 16 of one object record, version 10.
    Bytes& Properties(const std::string& name, const std::string& address, uint32_t period, uint16_t flags) {
        Str(name).Str(address).U32(period).U32(1700000000).U8(1).Str("storm");
        U8(2).U32(10).U16(0xFFFF).U8(0).U16(0xFFFF).Str("");
        return U8(255).Str("").U32(0x00FFFF00).U16(flags);
    }
};

// "u:p@h:110" scrambled: each byte b as the letters 71 + b / 16, 71 + b % 16.
std::string Scrambled(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        out.push_back(static_cast<char>(71 + c / 16));
        out.push_back(static_cast<char>(71 + c % 16));
    }
    return out;
}

std::string Fixture() {
    Bytes f;
    f.b.assign("Orvex Vistomer Config\0", 22);
    f.U8(10).U16(1);
    // A folder holding a mailbox and a framed page.
    f.Properties("Mail and frames", "", 0, 2).U16(0).Str("").U8(1).U16(2).U16(3).U8(0).U8(0).U16(2);
    f.Properties("Box", "mailto:" + Scrambled("u:p@h:110"), 3600, 10)
        .U16(4).Str("").U8(0).U16(3).U16(0).U8(0).U8(0).U16(0);
    f.Properties("", "http://frames.test/", 600, 10).U16(5).Str("Framed title").U8(0).U16(2).U16(0).U8(1);
    f.U8(1);  // has frames: root, then one frame
    f.Str("").Str("").Str("http://frames.test/").U16(0).U8(0).U16(1);
    f.Str("top").Str("top.html").Str("").U16(6).U8(3).U16(0);
    f.U16(0);  // no children
    return f.b;
}

}  // namespace

TEST_F(CliTest, DumpDecodesEveryFieldOfAFixtureBuiltByteByByte) {
    std::string path = dir.Write("fixture.ovf", Fixture());
    json d = CliJson({"dump", path, "--show-passwords"});
    EXPECT_EQ(10, d["version"]);
    ASSERT_EQ(1u, d["objects"].size());
    const json& folder = d["objects"][0];
    EXPECT_EQ("folder", folder["kind"]);
    EXPECT_EQ("Mail and frames", folder["name"]);
    EXPECT_EQ(true, folder["expanded"]);
    EXPECT_EQ(2, folder["marks"]);
    EXPECT_EQ(3, folder["derivedMarks"]);
    ASSERT_EQ(2u, folder["children"].size());

    const json& box = folder["children"][0];
    EXPECT_EQ("mailbox", box["kind"]);
    EXPECT_EQ("mailto:u:p@h:110", box["address"]) << "unscrambled";
    EXPECT_EQ(3600, box["timedelta"]);
    EXPECT_EQ(1700000000, box["lastCheck"]);
    EXPECT_EQ("storm", box["keywords"]);
    EXPECT_EQ(-1, box["minchanged"]);
    EXPECT_EQ(-1, box["skipnumchars"]);
    EXPECT_EQ(255, box["eventType"]);
    EXPECT_EQ(0x00FFFF00, box["color"]);
    EXPECT_EQ(4, box["copyNumber"]);
    EXPECT_TRUE(box["frames"].is_null());

    const json& page = folder["children"][1];
    EXPECT_EQ("page", page["kind"]);
    EXPECT_EQ("Framed title", page["title"]);
    ASSERT_TRUE(page["frames"].is_object());
    EXPECT_EQ("http://frames.test/", page["frames"]["base"]);
    ASSERT_EQ(1u, page["frames"]["children"].size());
    const json& frame = page["frames"]["children"][0];
    EXPECT_EQ("top", frame["name"]);
    EXPECT_EQ("top.html", frame["source"]);
    EXPECT_EQ(6, frame["copyNumber"]);
    EXPECT_EQ(3, frame["copyCharset"]);

    CliOutcome text = Cli({"dump", path});
    EXPECT_NE(std::string::npos, text.out.find("watch list version 10"));
    EXPECT_NE(std::string::npos, text.out.find("top.html"));
}

TEST_F(CliTest, DumpReadsAMailboxRecordFileAndRefusesOtherBytes) {
    Bytes records;
    records.Str("From: Ann\nSubject: Hi").Str("ann@example.org").Str("uid-1");
    records.Str("").Str("bob@example.org").Str("uid-2");
    json d = CliJson({"dump", dir.Write("box.htm", records.b)});
    ASSERT_EQ(2u, d["messages"].size());
    EXPECT_EQ("From: Ann\nSubject: Hi", d["messages"][0]["display"]);
    EXPECT_EQ("uid-2", d["messages"][1]["uid"]);

    records.Str("half a record");
    EXPECT_EQ(2, Cli({"dump", dir.Write("cut.htm", records.b)}).status);
    EXPECT_EQ(2, Cli({"dump", dir.File("missing.htm")}).status);
}

TEST_F(CliTest, ADamagedWatchListGivesWayToItsBackupAndWithoutOneIsExitTwo) {
    ASSERT_EQ(0, Cli({"add", "http://a.test/", "--name", "A"}).status);
    ASSERT_EQ(0, Cli({"add", "http://b.test/", "--name", "B"}).status);
    // The second add backed up the list as it found it: A alone.
    std::string whole = TempDir::Read(WatchListFile());
    const std::string backup = TempDir::Read(dir.File("OVISTO.BAK"));
    std::string lowered = whole;
    lowered[23] = 1;  // one object claimed, the other left over
    for (const std::string& damaged : {whole.substr(0, whole.size() - 9), lowered,
                                       std::string("Orvex Vistomer Confiq") + whole.substr(21)}) {
        dir.Write("OVISTO.CFG", damaged);
        dir.Write("OVISTO.BAK", backup);
        CliOutcome listed = Cli({"list"});
        EXPECT_EQ(0, listed.status);
        EXPECT_NE(std::string::npos, listed.err.find("damaged")) << listed.err;
        EXPECT_NE(std::string::npos, listed.out.find("A")) << listed.out;
        EXPECT_EQ(damaged, TempDir::Read(WatchListFile())) << "a reader changes nothing";

        CliOutcome added = Cli({"add", "http://c.test/", "--name", "C"});
        EXPECT_EQ(0, added.status) << added.err;
        EXPECT_NE(std::string::npos, added.err.find("OVISTO.DMG")) << added.err;
        EXPECT_EQ(damaged, TempDir::Read(dir.File("OVISTO.DMG")));
        json objects = CliJson({"list"})["objects"];
        ASSERT_EQ(2u, objects.size());
        EXPECT_EQ("A", objects[0]["path"]);
        EXPECT_EQ("C", objects[1]["path"]);
    }
    dir.Write("OVISTO.BAK", "");
    dir.Write("OVISTO.CFG", whole.substr(0, whole.size() - 9));
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"list"}, {"add", "http://c.test/"}, {"check"}}) {
        CliOutcome r = Cli(args);
        EXPECT_EQ(2, r.status) << args[0];
        EXPECT_NE(std::string::npos, r.err.find("damaged")) << args[0] << ": " << r.err;
    }
    EXPECT_EQ(whole.substr(0, whole.size() - 9), TempDir::Read(WatchListFile()));
}

TEST_F(CliTest, ExportAndImportCarryPropertiesAndGiveFreshCopyNumbers) {
    ASSERT_EQ(0, Cli({"add-folder", "News", "--news-tape"}).status);
    ASSERT_EQ(0, Cli({"add", "http://a.test/", "--name", "A", "--in", "News", "--keywords", "rain", "--period", "77"}).status);
    ASSERT_EQ(0, Cli({"add-mailbox", "--server", "h.test", "--user", "u", "--password", "pw", "--name", "M"}).status);
    std::string exported = dir.File("out.ovf");
    json e = CliJson({"export", exported, "News", "M"});
    EXPECT_EQ(2u, e["exported"].size());
    EXPECT_EQ(std::string("Orvex Vistomer Config\0\x0a\x02\x00", 25), TempDir::Read(exported).substr(0, 25));

    TempDir other;
    ASSERT_EQ(0, RunCliIn(other.Path(), {"add", "http://z.test/", "--name", "Z"}).status);
    CliOutcome imported = RunCliIn(other.Path(), {"--json", "import", exported});
    ASSERT_EQ(0, imported.status) << imported.err;
    json listed = RunCliIn(other.Path(), {"--json", "list"}).Json();
    const json* a = FindListed(listed["objects"], "News/A");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ("rain", (*a)["keywords"]);
    EXPECT_EQ(77, (*a)["timedelta"]);
    EXPECT_EQ(0, (*a)["lastCheck"]);
    EXPECT_EQ(2, (*a)["copyNumber"]) << "Z holds number 1";
    const json* m = FindListed(listed["objects"], "M");
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(3, (*m)["copyNumber"]);
    EXPECT_EQ("mailto:u:pw@h.test:110",
              RunCliIn(other.Path(), {"--json", "dump", other.File("OVISTO.CFG"), "--show-passwords"})
                  .Json()["objects"][2]["address"]);

    dir.Write("junk.ovf", "not an export file");
    CliOutcome junk = Cli({"import", dir.File("junk.ovf")});
    EXPECT_EQ(2, junk.status);
    EXPECT_EQ(2u, CliJson({"list"})["objects"].size()) << "nothing inserted";
}

TEST_F(CliTest, ASecondWriterIsRefusedWhileReadersGoOn) {
    ASSERT_EQ(0, Cli({"add", "http://a.test/", "--name", "A"}).status);
    platform::DirectoryLock lock;
    uint32_t error = 0;
    ASSERT_TRUE(lock.Acquire(dir.File("ovisto.lck"), &error));
    CliOutcome refused = Cli({"add", "http://b.test/"});
    EXPECT_EQ(2, refused.status);
    EXPECT_NE(std::string::npos, refused.err.find("the desktop program or another ovisto-cli"));
    EXPECT_EQ(2, Cli({"options", "Options.maxthreads=2"}).status);
    EXPECT_EQ(0, Cli({"list"}).status);
    EXPECT_EQ(0, Cli({"show", "A"}).status);
    lock.Release();
    EXPECT_EQ(0, Cli({"add", "http://b.test/"}).status);
}

TEST_F(CliTest, TitleAndCompareTakeACharsetByName) {
    TempDir dir;
    std::string page = dir.Write("latin.htm", "<title>Caf\xE9</title><p>\xDC" "bung");
    std::string old = dir.Write("old.htm", "<p>nothing");
    json t = CliJson({"title", page, "--charset", "iso-8859-1"});
    EXPECT_EQ("Café", t["title"]);
    EXPECT_EQ(6, t["charset"]);
    json c = CliJson({"compare", old, page, "--new-charset", "windows-1252"});
    ASSERT_EQ(2u, c["changes"].size());  // the title's text and the paragraph
    EXPECT_EQ("Café", c["changes"][0]["text"]);
    EXPECT_EQ("Übung", c["changes"][1]["text"]);
    EXPECT_EQ(2, Cli({"title", page, "--charset", "no-such-charset"}).status);
}
// clang-format on
