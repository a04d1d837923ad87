// Notifications of the main window: the events a recorded check runs (a
// message window kept once per object, a program through the shell, a
// sound or the beep, blinking), the message window itself, the selection
// of a changed object while the window is hidden, and the chooser of an
// event's file.
#include <algorithm>

#include "MainWindowFixture.h"
#include "lang/CommandIds.h"
#include "shell/gui/DApplication.h"
#include "shell/gui/DText.h"
#include "support/WhenModal.h"
#include "shell/gui/DFileDialog.h"
#include "ui/EventParamChooser.h"
#include "watchlist/EventRules.h"

namespace {

struct ShellCall {
    std::string program, arguments;
};

class NotifyTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        WriteWatchList();
        ASSERT_FALSE(HasFatalFailure());
        configure = [this](FrameArgs& a) {
            a.shellOpen = [this](const AStr& program, const AStr& arguments) {
                shellCalls.push_back({program.c_str(), arguments.c_str()});
                return shellValue;
            };
            a.playSound = [this](const AStr& file) {
                sounds.emplace_back(file.c_str());
                return soundPlays;
            };
            a.beep = [this] { ++beeps; };
        };
        ASSERT_TRUE(Open());
        Pump();
        news = frame->WatchList().FirstItem();
        ASSERT_NE(nullptr, news);
        weather = news->FirstItem();
        ASSERT_NE(nullptr, weather);
        rates = weather->NextItem();
        ASSERT_NE(nullptr, rates);
        ASSERT_STREQ("Exchange rates", rates->properties.name.c_str());
    }
    // A new check of the object, announced as the engine does.
    void Change(ItemNode* object, uint8_t kind, const char* param = "") {
        object->properties.event.type = kind;
        object->properties.event.param = param;
        auto* check = new CheckNode(1800000000);
        auto* change = new ChangeNode;
        change->text = "News";
        check->changes.Append(change);
        object->checks.Prepend(check);
        frame->Notify(*object);
    }
    static MessageBoxDialog* WindowOf(const ItemNode* object) {
        return MessageWindows::OpenWindow(*object);
    }
    static std::string TextOf(HWND dialog) {
        wchar_t text[1024] = L"";
        GetDlgItemTextW(dialog, MessageBoxDialog::kTextId, text, 1024);
        return NarrowText(text).c_str();
    }
    static RECT ItemRect(HWND dialog, int id) {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, id), &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    ItemNode *news = nullptr, *weather = nullptr, *rates = nullptr;
    std::vector<ShellCall> shellCalls;
    intptr_t shellValue = 42;
    std::vector<std::string> sounds;
    bool soundPlays = true;
    int beeps = 0;
};

}  // namespace

TEST_F(NotifyTest, AMessageWindowOpensOncePerObjectUntilTheUserClosesIt) {
    Change(weather, kEventMessage, "Look at the weather");
    MessageBoxDialog* first = WindowOf(weather);
    ASSERT_NE(nullptr, first);
    HWND window = first->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Main(), GetWindow(window, GW_OWNER));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ("Weather report\nLook at the weather", TextOf(window));
    EXPECT_NE(0, SendDlgItemMessageW(window, MessageBoxDialog::kIconId, STM_GETICON, 0, 0));

    Change(weather, kEventMessage, "Look at the weather");
    EXPECT_EQ(first, WindowOf(weather)) << "the second change opens nothing new";
    EXPECT_EQ(1u, frame->OpenMessageWindows().Count());

    SendMessageW(GetDlgItem(window, MessageBoxDialog::kCloseId), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(first, WindowOf(weather)) << "kept until the idle pass";
    frame->OnIdle(0);
    EXPECT_EQ(nullptr, WindowOf(weather));
    EXPECT_EQ(0u, frame->OpenMessageWindows().Count());

    Change(weather, kEventMessage, "Again");
    ASSERT_NE(nullptr, WindowOf(weather));
    EXPECT_EQ("Weather report\nAgain", TextOf(WindowOf(weather)->Handle()));
}

TEST_F(NotifyTest, EachObjectHasAWindowOfItsOwnAndAnOpenOneBlocksItsProgram) {
    Change(weather, kEventMessage, "one");
    Change(rates, kEventMessage, "two");
    ASSERT_EQ(2u, frame->OpenMessageWindows().Count());
    ASSERT_NE(WindowOf(weather), WindowOf(rates));
    Change(weather, kEventRunProgram, "calc.exe");
    EXPECT_TRUE(shellCalls.empty()) << "the object's window is still open";
    Change(rates, kEventMessage, "three");
    ASSERT_NE(nullptr, WindowOf(rates));
    EXPECT_EQ("Exchange rates\ntwo", TextOf(WindowOf(rates)->Handle()));
}

TEST_F(NotifyTest, TheProgramWideKind255AfterAnObjectsKind255DoesNothing) {
    options.event.type = ItemEvent::kProgramWide;
    options.event.param = "calc.exe";
    Change(weather, ItemEvent::kProgramWide, "calc.exe");
    EXPECT_EQ(nullptr, WindowOf(weather));
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(0, beeps);
    EXPECT_FALSE(frame->IsBlinking());
    EXPECT_TRUE(weather->marks & kMarkUnseen) << "the change itself is still marked";
}

TEST_F(NotifyTest, TheProgramWideEventRunsForKind255AndForAHeldProgram) {
    options.event.type = kEventMessage;
    options.event.param = "from the options";
    Change(weather, ItemEvent::kProgramWide);
    ASSERT_NE(nullptr, WindowOf(weather));
    EXPECT_EQ("Weather report\nfrom the options", TextOf(WindowOf(weather)->Handle()));

    rates->properties.event.type = kEventRunProgram;
    HoldProgramEvent(*rates);
    Change(rates, rates->properties.event.type, "calc.exe");
    EXPECT_TRUE(shellCalls.empty()) << "a held program never runs";
    EXPECT_NE(nullptr, WindowOf(rates));
}

TEST_F(NotifyTest, AProgramRunsThroughTheShellWithItsSplitArguments) {
    Change(weather, kEventRunProgram, "notepad   report.txt");
    ASSERT_EQ(1u, shellCalls.size());
    EXPECT_EQ("notepad", shellCalls[0].program);
    EXPECT_EQ("  report.txt", shellCalls[0].arguments);
    EXPECT_EQ(nullptr, WindowOf(weather)) << "a started program leaves no window";

    Change(weather, kEventRunProgram, "\"C:\\Program Files\\Viewer\\view.exe\" /new \"a b\"");
    ASSERT_EQ(2u, shellCalls.size());
    EXPECT_EQ("C:\\Program Files\\Viewer\\view.exe", shellCalls[1].program);
    EXPECT_EQ("/new \"a b\"", shellCalls[1].arguments);
}

TEST_F(NotifyTest, AShellValueBelow33ShowsTheStopMessageWithTheProgram) {
    shellValue = 2;
    Change(weather, kEventRunProgram, "missing.exe --now");
    MessageBoxDialog* window = WindowOf(weather);
    ASSERT_NE(nullptr, window);
    std::string expected = std::string(ProgramErrorText(2).c_str()) + "\nmissing.exe";
    EXPECT_EQ(expected, TextOf(window->Handle()));
    EXPECT_EQ("The program or file was not found.\nmissing.exe", expected);
    HICON stop = LoadIconW(nullptr, MAKEINTRESOURCEW(32513));
    EXPECT_EQ(reinterpret_cast<LRESULT>(stop),
              SendDlgItemMessageW(window->Handle(), MessageBoxDialog::kIconId, STM_GETICON, 0, 0));
    Change(weather, kEventRunProgram, "missing.exe --now");
    EXPECT_EQ(1u, shellCalls.size()) << "blocked while the message is open";

    shellValue = 33;  // the first value that means started
    Change(rates, kEventRunProgram, "viewer.exe");
    EXPECT_EQ(nullptr, WindowOf(rates));
}

TEST_F(NotifyTest, TheMessageWindowGrowsToFitALongTextAndKeepsTheButtonCentred) {
    Change(weather, kEventMessage, "short");
    Change(rates, kEventMessage,
           "A much longer message that cannot fit into the width the template gives the text "
           "control\nand a second line\nand a third\nand a fourth line\nand a fifth");
    HWND small = WindowOf(weather)->Handle(), large = WindowOf(rates)->Handle();
    RECT smallWindow, largeWindow;
    GetWindowRect(small, &smallWindow);
    GetWindowRect(large, &largeWindow);
    EXPECT_GT(largeWindow.right - largeWindow.left, smallWindow.right - smallWindow.left + 100);
    EXPECT_GT(largeWindow.bottom - largeWindow.top, smallWindow.bottom - smallWindow.top);

    for (HWND w : {small, large}) {
        RECT client, button = ItemRect(w, MessageBoxDialog::kCloseId);
        RECT text = ItemRect(w, MessageBoxDialog::kTextId);
        GetClientRect(w, &client);
        EXPECT_NEAR(client.right / 2, (button.left + button.right) / 2, 2);
        EXPECT_GE(button.top, text.bottom) << "the button stays below the text";
        EXPECT_LE(button.bottom, client.bottom);
        EXPECT_LE(text.right, client.right);
    }
    // The text control holds the longest line.
    HWND textItem = GetDlgItem(large, MessageBoxDialog::kTextId);
    HDC dc = GetDC(textItem);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(large, WM_GETFONT, 0, 0)));
    std::wstring line = WideText(
        "A much longer message that cannot fit into the width the template gives the text "
        "control");
    SIZE extent{};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &extent);
    ReleaseDC(textItem, dc);
    RECT text = ItemRect(large, MessageBoxDialog::kTextId);
    EXPECT_GE(text.right - text.left, extent.cx);
}

TEST_F(NotifyTest, BlinkSoundAndBeep) {
    Change(weather, kEventNone);
    EXPECT_FALSE(frame->IsBlinking());
    Change(weather, kEventBlink);
    EXPECT_TRUE(frame->IsBlinking());

    Change(weather, kEventSound, "C:\\Media\\ding.wav");
    ASSERT_EQ(1u, sounds.size());
    EXPECT_EQ("C:\\Media\\ding.wav", sounds[0]);
    EXPECT_EQ(0, beeps);
    soundPlays = false;
    Change(weather, kEventSound, "C:\\Media\\gone.wav");
    EXPECT_EQ(1, beeps) << "a sound that cannot be played beeps";
    Change(weather, 7);
    EXPECT_EQ(1, beeps);
    EXPECT_EQ(nullptr, WindowOf(weather));
}

TEST_F(NotifyTest, WhileHiddenAChangedObjectOutsideTheSelectionBecomesTheSelection) {
    frame->Items().SetCaret(news);
    ShowWindow(Main(), SW_SHOWMINIMIZED);
    Pump();
    ASSERT_TRUE(frame->IsHiddenToTray());
    Change(weather, kEventNone);
    EXPECT_EQ(std::vector<ItemNode*>{news}, frame->Items().Selected()) << "inside the selection";

    Change(frame->WatchList().FirstItem()->NextItem(), kEventNone);  // the mailbox
    EXPECT_EQ(std::vector<ItemNode*>{frame->WatchList().FirstItem()->NextItem()},
              frame->Items().Selected());
    EXPECT_EQ(frame->WatchList().FirstItem()->NextItem(), frame->Items().Caret());
}

TEST_F(NotifyTest, WhileShownAChangeLeavesTheSelectionAlone) {
    ShowWindow(Main(), SW_SHOWNORMAL);
    frame->Items().SetCaret(rates);
    Change(weather, kEventNone);
    EXPECT_EQ(std::vector<ItemNode*>{rates}, frame->Items().Selected());
}

TEST_F(NotifyTest, EnterInAModelessMessageWindowReachesItsDialogManager) {
    Change(weather, kEventMessage, "Enter closes me");
    HWND window = WindowOf(weather)->Handle();
    DApplication app(GetModuleHandleW(nullptr), nullptr, "", SW_SHOW);
    app.SetMainWindow(frame.get());
    MSG msg{};
    msg.hwnd = GetDlgItem(window, MessageBoxDialog::kCloseId);
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_RETURN;
    app.PreTranslate(msg);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(WindowOf(weather)->IsClosed());
}

TEST_F(NotifyTest, TheChooserAsksForAProgramWithItsTitleAndFilter) {
    std::wstring title;
    WhenModal([&] {
        HWND dialog = GetActiveWindow();
        wchar_t text[256] = L"";
        GetWindowTextW(dialog, text, 256);
        title = text;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    AStr param("unchanged");
    EXPECT_FALSE(ChooseEventParameter(Main(), kEventRunProgram, &param));
    EXPECT_EQ(L"Choose a file", title);
    EXPECT_STREQ("unchanged", param.c_str());
    EXPECT_FALSE(ChooseEventParameter(Main(), kEventMessage, &param)) << "asks nothing";

    AStr filterText = LoadText(TEXT_FILTER_PROGRAMS);
    filterText += "All|*.*|";
    const wchar_t expected[] = L"Programs (*.exe)\0*.exe\0All\0*.*\0\0";  // and its own NUL
    EXPECT_EQ(std::wstring(expected, std::size(expected)), FileDialogFilter(filterText));
}

TEST_F(NotifyTest, BothLanguagesCarryTheMessageWindowAndTheChoosersTexts) {
    for (const char* language : {"enu", "rus"}) {
        AStr code(language);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
        EXPECT_FALSE(LoadText(TEXT_CHOOSE_EVENT_FILE).IsEmpty()) << language;
        // Filters are pairs of a name and a pattern, each ended by "|".
        for (unsigned id : {TEXT_FILTER_ALL_FILES, TEXT_FILTER_SOUNDS, TEXT_FILTER_PROGRAMS}) {
            std::string filter = LoadText(id).c_str();
            EXPECT_EQ(2, std::count(filter.begin(), filter.end(), '|')) << language << " " << id;
            EXPECT_EQ('|', filter.empty() ? 0 : filter.back()) << language << " " << id;
        }
        auto window = ShowMessageWindow(Main(), nullptr, AStr("Text"), kMessageIconInformation);
        ASSERT_NE(nullptr, window) << language;
        for (int id :
             {MessageBoxDialog::kTextId, MessageBoxDialog::kIconId, MessageBoxDialog::kCloseId})
            EXPECT_NE(nullptr, GetDlgItem(window->Handle(), id)) << language << " " << id;
    }
}
