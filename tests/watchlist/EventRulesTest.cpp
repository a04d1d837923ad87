// Notification events without a window: which event a change runs, how a
// run-program parameter splits, the message text, and whether a change made
// while the window is hidden selects its object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "watchlist/EventRules.h"
#include "watchlist/ItemList.h"

namespace {

ItemEvent Event(uint8_t type, const char* param = "") {
    ItemEvent e;
    e.type = type;
    e.param = param;
    return e;
}

std::pair<std::string, std::string> Split(const char* line) {
    EventCommand c = SplitEventCommand(line);
    return {c.program.c_str(), c.arguments.c_str()};
}

using Parts = std::pair<std::string, std::string>;

}  // namespace

TEST(ApplicableEvent, OwnKindsUpTo254RunAndTheRestFallToTheProgramWideEvent) {
    ItemEvent programWide = Event(kEventMessage, "program-wide");
    for (uint8_t own : {0, 1, 2, 3, 4, 7, 254}) {
        ItemEvent e = Event(own, own == 0 ? "" : "own");
        EXPECT_EQ(&e, &ApplicableEvent(e, programWide)) << int(own);
    }
    ItemEvent useProgramWide = Event(ItemEvent::kProgramWide, "left over");
    EXPECT_EQ(&programWide, &ApplicableEvent(useProgramWide, programWide));
}

TEST(ApplicableEvent, AHeldProgramEventFallsBackToTheProgramWideOne) {
    ItemEvent programWide = Event(kEventBlink);
    ItemNode imported;
    imported.properties.event = Event(kEventRunProgram, "calc.exe");
    ASSERT_TRUE(HoldProgramEvent(imported));
    EXPECT_EQ(&programWide, &ApplicableEvent(imported.properties.event, programWide));
    // "Nothing" chosen by the user (no command line kept) stays nothing.
    ItemEvent nothing = Event(kEventNone);
    EXPECT_EQ(&nothing, &ApplicableEvent(nothing, programWide));
}

TEST(SplitEventCommand, TheFirstBlankOnlyEndsTheProgram) {
    EXPECT_EQ(Parts("notepad", "  report.txt"), Split("notepad   report.txt"));
    EXPECT_EQ(Parts("notepad", "a b"), Split("   notepad a b"));
    EXPECT_EQ(Parts("notepad", ""), Split("notepad"));
    EXPECT_EQ(Parts("notepad", ""), Split("notepad "));
    EXPECT_EQ(Parts("", ""), Split(""));
    EXPECT_EQ(Parts("", ""), Split("    "));
    EXPECT_EQ(Parts("", ""), Split(nullptr));
}

TEST(SplitEventCommand, AQuotedProgramKeepsItsBlanksAndLosesItsQuotes) {
    EXPECT_EQ(Parts("C:\\Program Files\\Player\\play.exe", "/q"),
              Split("\"C:\\Program Files\\Player\\play.exe\" /q"));
    // Quotes may open anywhere in the program; a blank inside them is kept.
    EXPECT_EQ(Parts("C:\\My Tools\\x.exe", ""), Split("C:\\\"My Tools\"\\x.exe"));
    // An unclosed quote takes the whole rest as the program.
    EXPECT_EQ(Parts("C:\\a b c", ""), Split("\"C:\\a b c"));
}

TEST(SplitEventCommand, ArgumentsKeepTheirQuotesAndBlanks) {
    EXPECT_EQ(Parts("play", "\"my song.wav\"  -loud"), Split("play \"my song.wav\"  -loud"));
    // Blanks inside and outside quotes stay as they are.
    EXPECT_EQ(Parts("x", " \"a  b\" "), Split("x  \"a  b\" "));
}

TEST(ProgramParameter, APathWithABlankIsQuotedAndSplitsBackWhole) {
    AStr path("C:\\Program Files\\Tool\\run.exe");
    AStr param = ProgramParameter(path);
    EXPECT_STREQ("\"C:\\Program Files\\Tool\\run.exe\"", param.c_str());
    EXPECT_EQ(Parts(path.c_str(), ""), Split(param.c_str()));
    EXPECT_STREQ("C:\\Tools\\run.exe", ProgramParameter(AStr("C:\\Tools\\run.exe")).c_str());
}

TEST(EventMessageText, IsTheDisplayNameALineFeedAndTheParameter) {
    ItemNode page;
    page.properties.address = "http://example.org/";
    EXPECT_STREQ("http://example.org/\nLook!", EventMessageText(page, AStr("Look!")).c_str());
    page.properties.name = "Example";
    EXPECT_STREQ("Example\n", EventMessageText(page, AStr()).c_str());
}

TEST(SelectsChangedObject, UnlessTheObjectLiesUnderTheOneSelectedObject) {
    ItemList list;
    auto* folder = new ItemNode;
    list.Append(folder);
    auto* page = new ItemNode;
    page->properties.address = "http://example.org/";
    folder->Append(page);
    auto* other = new ItemNode;
    other->properties.address = "http://example.com/";
    list.Append(other);

    EXPECT_FALSE(SelectsChangedObject(*page, {page}));
    EXPECT_FALSE(SelectsChangedObject(*page, {folder}));
    EXPECT_TRUE(SelectsChangedObject(*page, {other}));
    EXPECT_TRUE(SelectsChangedObject(*folder, {page})) << "a child does not hold its folder";
    EXPECT_TRUE(SelectsChangedObject(*page, {}));
    EXPECT_TRUE(SelectsChangedObject(*page, {page, other}));
}
