// The main window's edit commands sent as the menu sends them: deleting
// with its refusal and questions, the clipboard both ways, deleting records
// from a selected one on, selecting all, and when each can be used.
#include "CommandsFixture.h"

namespace {

TEST_F(CommandsTest, AProtectedObjectIsRefusedAndANoKeepsEverything) {
    OpenOnList();
    FocusItems();
    frame->Items().SetCaret(weather);
    Command(CMD_PROTECT);
    EXPECT_EQ(0, Enabled(CMD_DELETE)) << "nothing deletable is selected";
    Command(CMD_DELETE);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(LoadText(TEXT_DELETE_PROTECTED).c_str(), messages[0]);
    EXPECT_TRUE(questions.empty()) << "refused before anything is asked";
    frame->Items().SetCaret(news);
    Command(CMD_DELETE);
    EXPECT_EQ(2u, messages.size()) << "a protected object below protects its folder";
    frame->Items().SetCaret(weather);
    Command(CMD_UNPROTECT);
    frame->Items().SetCaret(news);
    Command(CMD_DELETE);
    EXPECT_EQ(2u, messages.size());
    ASSERT_EQ(1u, questions.size());
    EXPECT_EQ(FormatText(TEXT_DELETE_ONE, "News").c_str(), questions[0]);
    EXPECT_EQ(news, frame->WatchList().FirstItem()) << "no keeps the folder";
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates"}), Names(news));
}

TEST_F(CommandsTest, SeveralObjectsAreCountedAndTheProtectedOnesStay) {
    OpenOnList();
    FocusItems();
    rates->properties.flags |= kFlagProtected;
    frame->Items().SetCaret(rates);
    AlsoSelect(weather);
    AlsoSelect(mail);
    answer = true;
    const std::string before = SavedList();
    Command(CMD_DELETE);
    EXPECT_EQ(1u, messages.size()) << "the refusal is shown once";
    ASSERT_EQ(1u, questions.size());
    EXPECT_EQ(FormatText(TEXT_DELETE_SEVERAL, 2).c_str(), questions[0]);
    EXPECT_EQ((std::vector<std::string>{"News"}), Names(&frame->WatchList()));
    EXPECT_EQ((std::vector<std::string>{"Exchange rates"}), Names(news));
    EXPECT_NE(before, SavedList()) << "saved at once";
    EXPECT_EQ(std::string::npos, SavedList().find("mailto:"));
}

TEST_F(CommandsTest, APastedAddressBecomesAPageWithoutADialog) {
    OpenOnList();
    FocusItems();
    frame->Items().SetCaret(weather);
    ASSERT_TRUE(
        PutClipboard(Main(), {{CF_TEXT, std::string(" http://127.0.0.1:9/pasted\r\n\0", 29)}}));
    EXPECT_EQ(1, Enabled(CMD_PASTE));
    FocusResults();
    EXPECT_EQ(0, Enabled(CMD_PASTE)) << "only the item pane takes a paste";
    FocusItems();
    Command(CMD_PASTE);
    EXPECT_TRUE(NewPages().empty()) << "no dialog";
    ItemNode* page = weather->NextItem();
    ASSERT_NE(rates, page) << "the page goes right after the selected one";
    EXPECT_STREQ("http://127.0.0.1:9/pasted", page->properties.address.c_str());
    EXPECT_TRUE(page->neverChecked);
    EXPECT_EQ(kCheckRequested, page->state);
    EXPECT_NE(0, page->copyNumber);
    EXPECT_NE(nullptr, page->treeNode) << "shown in the item pane";
    EXPECT_NE(std::string::npos, SavedList().find("http://127.0.0.1:9/pasted"));
}

TEST_F(CommandsTest, CopiedObjectsPasteIntoAFolderAndTwoCopyNothing) {
    OpenOnList();
    FocusItems();
    frame->Items().SetCaret(mail);
    Command(CMD_COPY);
    EXPECT_EQ("mailto:user@127.0.0.1", Clip(CF_TEXT));
    frame->Items().SetCaret(news);
    Command(CMD_PASTE);
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates", "Mail"}), Names(news));
    AlsoSelect(mail);
    Command(CMD_COPY);
    EXPECT_FALSE(ClipboardOffers(ObjectFormat())) << "two objects leave the clipboard empty";
    EXPECT_FALSE(ClipboardOffers(CF_TEXT));
    // Cut is a copy and a delete.
    answer = true;
    frame->Items().SetCaret(mail);
    Command(CMD_CUT);
    EXPECT_TRUE(ClipboardOffers(ObjectFormat()));
    EXPECT_EQ((std::vector<std::string>{"News"}), Names(&frame->WatchList()));
}

TEST_F(CommandsTest, CutObjectsMoveThroughTheClipboardToAnotherProgramDirectory) {
    OpenOnList();
    FocusItems();
    answer = true;
    frame->Items().SetCaret(weather);
    Command(CMD_CUT);
    ItemList left;
    ASSERT_TRUE(OpenWatchList(left, WatchListPaths(dir.Path())));
    EXPECT_EQ((std::vector<std::string>{"Exchange rates"}), Names(left.FirstItem()))
        << "the cut page is gone from the first directory's file";

    // A second program on a directory of its own, with an empty list.
    frame.reset();
    Pump();
    TempDir other;
    ASSERT_TRUE(Open(other.Path()));
    Pump();
    const size_t dialogsAtStart = NewPages().size();  // an empty list offers a first page
    FocusItems();
    Command(CMD_PASTE);
    ItemList right;
    ASSERT_TRUE(OpenWatchList(right, WatchListPaths(other.Path())));
    ASSERT_EQ((std::vector<std::string>{"Weather report"}), Names(&right));
    const ItemNode* pasted = right.FirstItem();
    EXPECT_STREQ("http://127.0.0.1:9/weather", pasted->properties.address.c_str());
    EXPECT_NE(0u, pasted->copyNumber);
    EXPECT_EQ(0u, pasted->checks.Count()) << "checks stay with the program that made them";
    EXPECT_EQ(dialogsAtStart, NewPages().size()) << "objects paste without a dialog";
}

TEST_F(CommandsTest, CopiedChangesAreJoinedByLineBreaksWithTheLocale) {
    OpenOnList();
    weather->checks.First()->changes.First()->text = "Sun later";
    ShowWeather();
    CheckNode* newer = weather->checks.First();
    CheckNode* older = newer->NextCheck();
    SelectRecord(newer->treeNode);
    SelectRecord(newer->changes.First()->treeNode, false);
    SelectRecord(older->changes.First()->treeNode, false);
    EXPECT_EQ(1, Enabled(CMD_COPY));
    Command(CMD_COPY);
    EXPECT_EQ("Sun later\r\nRain tomorrow\r\n", Clip(CF_TEXT)) << "checks add nothing";
    std::string locale;
    ASSERT_TRUE(ReadClipboard(Main(), CF_LOCALE, &locale, 16));
    ASSERT_GE(locale.size(), 4u);
    EXPECT_EQ(1024u, *reinterpret_cast<const DWORD*>(locale.data()));
    // Only checks selected: nothing written, the clipboard keeps its text.
    SelectRecord(newer->treeNode);
    Command(CMD_COPY);
    EXPECT_EQ("Sun later\r\nRain tomorrow\r\n", Clip(CF_TEXT));
}

TEST_F(CommandsTest, ResultRecordsGoWithoutAQuestionAndFromHereTakesTheOlderOnes) {
    OpenOnList();
    ShowWeather();
    CheckNode* newer = weather->checks.First();
    EXPECT_EQ(0, Enabled(CMD_DELETE_FROM_HERE)) << "nothing selected";
    SelectRecord(newer->treeNode);
    EXPECT_EQ(1, Enabled(CMD_DELETE_FROM_HERE));
    Command(CMD_DELETE_FROM_HERE);
    EXPECT_TRUE(weather->checks.IsEmpty()) << "the selected check and the older one";
    EXPECT_TRUE(questions.empty());
    Restart();
    ASSERT_TRUE(Open());
    EXPECT_TRUE(frame->WatchList().FirstItem()->FirstItem()->checks.IsEmpty())
        << "the change log was saved";
}

TEST_F(CommandsTest, SelectAllTakesEveryNodeOfTheFocusedPane) {
    OpenOnList();
    EXPECT_EQ(0, Enabled(CMD_SELECT_ALL)) << "no pane focused yet";
    ShowWeather();
    Command(CMD_SELECT_ALL);
    EXPECT_EQ(4u, frame->Results().Model().SelectedCount());
    EXPECT_EQ(1u, frame->Items().Selected().size()) << "the other pane keeps its selection";
    FocusItems();
    Command(CMD_SELECT_ALL);
    EXPECT_EQ(4u, frame->Items().Selected().size());
}

TEST_F(CommandsTest, EnablersFollowTheSelectionAndLeaveOtherCommandsAlone) {
    OpenOnList();
    FocusItems();
    frame->Items().SetCaret(weather);
    EXPECT_EQ(1, Enabled(CMD_PROPERTIES));
    EXPECT_EQ(1, Enabled(CMD_OPEN_PAGE));
    EXPECT_EQ(1, Enabled(CMD_COPY_URL));
    EXPECT_EQ(0, Enabled(CMD_OPEN_CHANGE_LINK)) << "no change selected";
    AlsoSelect(rates);
    EXPECT_EQ(0, Enabled(CMD_PROPERTIES)) << "exactly one object";
    EXPECT_EQ(0, Enabled(CMD_OPEN_PAGE));
    EXPECT_EQ(1, Enabled(CMD_MARK_SEEN));
    frame->Items().SetCaret(news);
    EXPECT_EQ(0, Enabled(CMD_OPEN_PAGE)) << "a folder has no page";
    frame->ShowObjectResults(nullptr);
    EXPECT_EQ(0, Enabled(CMD_SAVE_REPORT)) << "nothing shown";
    frame->ShowObjectResults(weather);
    EXPECT_EQ(1, Enabled(CMD_SAVE_REPORT));
    for (int id : {CMD_NEW_WEB_PAGE, CMD_NEW_FOLDER, CMD_NEW_MAILBOX, CMD_NEW_OBJECT, CMD_ABOUT,
                   CMD_HELP_CONTENTS, CMD_WEB_SITE, CMD_PROTECT, CMD_OTHER_PANE})
        EXPECT_EQ(1, Enabled(id)) << id;
    for (int id : {CMD_SHOW_RESULTS, CMD_ENTER, CMD_OTHER_PANE_BACK, 12345})
        EXPECT_EQ(-1, Enabled(id)) << id << " is left as it is";
}

}  // namespace
