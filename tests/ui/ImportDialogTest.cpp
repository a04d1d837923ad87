// Export and import through the main window's commands and the real
// dialogs: the export file's bytes, entries taken from an export file into
// the watch list (button, drag, clipboard), Cancel, the read-only source
// pane, a damaged source, and the layout of both dialogs in both languages
// (with OVISTO_SHOT_DIR set, pictures of them are saved there).
#include <windows.h>

#include <cstring>
#include <memory>

#include "MainWindowFixture.h"
#include "lang/CommandIds.h"
#include "lang/ImportIds.h"
#include "platform/Files.h"
#include "shell/gui/DClipboard.h"
#include "support/DialogLayout.h"
#include "support/WhenModal.h"
#include "support/WindowShot.h"
#include "ui/ImportDialog.h"
#include "watchlist/HeldEvents.h"
#include "watchlist/ObjectStream.h"
#include "watchlist/WatchListFile.h"

namespace {

class ImportDialogTest : public MainWindowTest {
  protected:
    void OpenOnList() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        ShowWindow(Main(), SW_SHOWNORMAL);
        Pump();
        news = frame->WatchList().FirstItem();
        weather = news->FirstItem();
        mail = news->NextItem();
    }
    // An export file with a page that runs a program on changes and a
    // folder holding one more page.
    std::string WriteExportFile() {
        ItemList list;
        ItemNode* page = AddPage(&list, "Imported page", "http://127.0.0.1:9/imported#top");
        page->properties.event.type = kEventRunProgram;
        page->properties.event.param = "notify.exe /quiet";
        ItemProperties folder;
        folder.name = "Imported folder";
        auto* f = new ItemNode(folder);
        list.Append(f);
        AddPage(f, "Inner page", "http://127.0.0.1:9/inner");
        return dir.Write("objects.ovf", ObjectsToStream({list.FirstItem(), f}));
    }
    static void Click(HWND dialog, int id) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    static ImportTreeView& Pane(HWND dialog, int id) {
        return *dynamic_cast<ImportTreeView*>(DWindow::FromHandle(GetDlgItem(dialog, id)));
    }
    static std::vector<std::string> Texts(const ImportNode& root) {
        std::vector<std::string> texts;
        for (ImportNode* e = root.FirstEntry(); e; e = e->NextEntry())
            texts.emplace_back(e->Text().c_str());
        return texts;
    }
    static std::vector<std::string> Names(const ItemNode& parent) {
        std::vector<std::string> names;
        for (ItemNode* o = parent.FirstItem(); o; o = o->NextItem())
            names.emplace_back(o->properties.name.c_str());
        return names;
    }
    std::string SavedList() const { return TempDir::Read(dir.File("OVISTO.CFG")); }
    // The import command: the source question answered with an export
    // file, then `step` on the open import dialog (it must end it).
    int RunImport(const std::string& file, std::function<void(HWND)> step) {
        dialogOpened = false;
        WhenModal([this, file, step] {
            HWND ask = GetActiveWindow();
            CheckRadioButton(ask, IDC_SOURCE_FAVORITES, IDC_SOURCE_TROVIK, IDC_SOURCE_EXPORT);
            SetDlgItemTextA(ask, IDC_SOURCE_PATH, file.c_str());
            if (step)
                WhenModal([this, step] {
                    dialogOpened = true;
                    suspendedWhileOpen = options.suspended;
                    step(GetActiveWindow());
                });
            Click(ask, IDOK);
        });
        return frame->ImportObjects();
    }

    ItemNode *news = nullptr, *weather = nullptr, *mail = nullptr;
    bool dialogOpened = false;
    bool suspendedWhileOpen = false;
};

TEST_F(ImportDialogTest, ExportWritesTheSelectedObjectsWithTheirSubtreesAsAWatchListStream) {
    OpenOnList();
    frame->Items().SetCaret(news);
    frame->Items().Model().Click(static_cast<TreeViewNode*>(mail->treeNode), true, false);
    ASSERT_EQ(2u, frame->Items().Selected().size());
    const std::string file = dir.File("out.ovf");
    int asked = 0;
    frame->ImportSeams().chooseExportFile = [&](HWND, AStr& path) {
        ++asked;
        path = file.c_str();
        return true;
    };
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(CMD_EXPORT, 0), 0);
    EXPECT_EQ(1, asked);
    const std::string bytes = TempDir::Read(file);
    ASSERT_GT(bytes.size(), 25u);
    EXPECT_EQ(0, std::memcmp(bytes.data(), "Orvex Vistomer Config\0", 22));
    EXPECT_EQ(10, bytes[22]) << "the version of the watch list file";
    EXPECT_EQ(2, bytes[23]) << "two top-level objects";
    EXPECT_EQ(0, bytes[24]);
    ItemList back;
    ASSERT_TRUE(ReadObjectStream(bytes.data(), bytes.size(), back));
    EXPECT_EQ((std::vector<std::string>{"News", "Mail"}), Names(back));
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates"}),
              Names(*back.FirstItem()));

    const std::string other = dir.File("not-written.ovf");
    frame->ImportSeams().chooseExportFile = [&](HWND, AStr& path) {
        path = other.c_str();
        return false;
    };
    EXPECT_FALSE(frame->ExportSelected());
    EXPECT_FALSE(platform::FileExists(other.c_str())) << "a cancelled chooser writes nothing";
}

TEST_F(ImportDialogTest, AnAddedEntryBecomesANewObjectWithItsProgramHeldAndIsSaved) {
    OpenOnList();
    const std::string file = WriteExportFile();
    std::vector<std::string> rightShown;
    int result = RunImport(file, [&](HWND d) {
        ImportTreeView& right = Pane(d, IDC_IMPORT_RIGHT_PANE);
        rightShown = Texts(right.RootEntry());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_IMPORT_APPLY))) << "nothing changed yet";
        right.Model().Click(right.Model().Root()->FirstChildNode(), false, false);
        Click(d, IDC_IMPORT_ADD);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_IMPORT_APPLY)));
        Click(d, IDOK);
    });
    EXPECT_TRUE(dialogOpened);
    EXPECT_TRUE(suspendedWhileOpen) << "checks are suspended while the dialog is open";
    EXPECT_FALSE(options.suspended) << "and resume afterwards";
    EXPECT_EQ((std::vector<std::string>{"Imported page", "Imported folder"}), rightShown);
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Imported page"}),
              Names(frame->WatchList()));
    ItemNode* imported = static_cast<ItemNode*>(frame->WatchList().Last());
    EXPECT_STREQ("http://127.0.0.1:9/imported", imported->properties.address.c_str());
    EXPECT_TRUE(IsHeldProgramEvent(imported->properties.event)) << "the program waits for a yes";
    EXPECT_STREQ("notify.exe /quiet", imported->properties.event.param.c_str());
    EXPECT_TRUE(imported->neverChecked);
    weather = frame->WatchList().FirstItem()->FirstItem();
    EXPECT_EQ(2u, weather->checks.Count()) << "a kept object keeps its checks";
    ASSERT_NE(nullptr, imported->treeNode) << "the item pane shows the new list";

    ItemList saved;
    ASSERT_TRUE(OpenWatchList(saved, WatchListPaths(dir.Path())));
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Imported page"}), Names(saved));
    EXPECT_EQ(kEventNone, static_cast<ItemNode*>(saved.Last())->properties.event.type);
}

TEST_F(ImportDialogTest, OkWithoutChangesLeavesTheWatchListFileUntouched) {
    OpenOnList();
    const std::string file = WriteExportFile();
    const std::string listFile = dir.File("OVISTO.CFG");
    const std::string before = SavedList();
    // An old time: any save, even of the same bytes, would renew it.
    constexpr uint32_t kLongAgo = 1000000000u;
    ASSERT_TRUE(platform::SetWriteTime(listFile.c_str(), kLongAgo));
    int result = RunImport(file, [&](HWND d) {
        ImportTreeView& right = Pane(d, IDC_IMPORT_RIGHT_PANE);
        right.Model().Click(right.Model().Root()->FirstChildNode(), false, false);
        Click(d, IDOK);
    });
    EXPECT_TRUE(dialogOpened);
    EXPECT_EQ(0, result);
    EXPECT_EQ(before, SavedList());
    uint32_t written = 0;
    ASSERT_TRUE(platform::GetWriteTime(listFile.c_str(), &written));
    EXPECT_EQ(kLongAgo, written) << "the file was written again";
    EXPECT_EQ((std::vector<std::string>{"News", "Mail"}), Names(frame->WatchList()));
}

TEST_F(ImportDialogTest, ADragFromTheSourceCopiesAtTheDropAndTheSourceRefusesDropsAndEdits) {
    OpenOnList();
    const std::string file = WriteExportFile();
    RunImport(file, [&](HWND d) {
        ImportTreeView& left = Pane(d, IDC_IMPORT_LEFT_PANE);
        ImportTreeView& right = Pane(d, IDC_IMPORT_RIGHT_PANE);
        // The folder, collapsed, goes with what is inside it.
        TreeViewNode* folder = right.Model().Root()->LastChildNode();
        right.Model().Click(folder, false, false);
        TreeViewNode* newsNode = left.Model().Root()->FirstChildNode();
        TreeRect r;
        ASSERT_TRUE(left.Model().NodeRect(newsNode->NextNode(), true, &r));  // "Mail"
        POINT p{r.left + 3, r.bottom - 2};
        ClientToScreen(left.Handle(), &p);
        const POINTL at{p.x, p.y};
        RECT client;
        GetClientRect(right.Handle(), &client);
        POINT free{10, client.bottom - 4};  // below the source's entries
        ClientToScreen(right.Handle(), &free);
        const POINTL onSource{free.x, free.y};
        DWORD over = 0, refused = 0, dropped = 0;
        right.Dragging().SetLoop([&](IDataObject* data, DWORD allowed) {
            DWORD effect = allowed;
            right.DropTarget().DragEnter(data, MK_LBUTTON, onSource, &effect);
            refused = effect;
            effect = allowed;
            left.DropTarget().DragEnter(data, MK_LBUTTON, at, &effect);
            over = effect;
            effect = allowed;
            left.DropTarget().Drop(data, 0, at, &effect);
            dropped = effect;
            return effect;
        });
        right.StartDrag();
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), refused) << "the source takes no drop";
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), over) << "from the other pane: a copy";
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), dropped);
        EXPECT_EQ((std::vector<std::string>{"Imported page", "Imported folder"}),
                  Texts(right.RootEntry()))
            << "nothing leaves the source";
        EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Imported folder"}),
                  Texts(left.RootEntry()));
        // Keys of the source change nothing there.
        right.Model().Click(right.Model().Root()->FirstChildNode(), false, false);
        SendMessageW(right.Handle(), WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_FALSE(right.Paste());
        EXPECT_EQ(0u, right.DeleteSelected());
        EXPECT_EQ(2u, right.RootEntry().Count());
        Click(d, IDOK);
    });
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Imported folder"}),
              Names(frame->WatchList()));
    ItemNode* folder = static_cast<ItemNode*>(frame->WatchList().Last());
    EXPECT_EQ((std::vector<std::string>{"Inner page"}), Names(*folder));
}

TEST_F(ImportDialogTest, CancelAfterEditsLeavesTheWatchListAndItsFileAsTheyWere) {
    OpenOnList();
    const std::string file = WriteExportFile();
    mail->properties.flags |= kFlagProtected;
    frame->SaveWatchList();
    const std::string before = SavedList();
    int result = RunImport(file, [&](HWND d) {
        ImportTreeView& left = Pane(d, IDC_IMPORT_LEFT_PANE);
        Click(d, IDC_IMPORT_ADD);
        left.Model().SelectAll();
        SendMessageW(left.Handle(), WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ((std::vector<std::string>{"Mail"}), Texts(left.RootEntry()))
            << "Delete takes all but the protected object";
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(before, SavedList());
    EXPECT_EQ((std::vector<std::string>{"News", "Mail"}), Names(frame->WatchList()));
    EXPECT_EQ(2u, news->Count());
}

TEST_F(ImportDialogTest, TheClipboardCarriesEntriesLeftButNotTheMainWindowsStream) {
    OpenOnList();
    const std::string file = WriteExportFile();
    RunImport(file, [&](HWND d) {
        ImportTreeView& left = Pane(d, IDC_IMPORT_LEFT_PANE);
        ImportTreeView& right = Pane(d, IDC_IMPORT_RIGHT_PANE);
        right.Model().Click(right.Model().Root()->FirstChildNode(), false, false);
        ASSERT_TRUE(right.CopyToClipboard());
        left.Model().Click(left.Model().Root()->FirstChildNode(), false, false);  // "News"
        EXPECT_TRUE(left.Paste());
        ImportNode& newsEntry = *left.RootEntry().FirstEntry();
        EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates", "Imported page"}),
                  Texts(newsEntry));
        // A block rounded up with zeros is taken; bytes of another kind spoil it.
        ImportNode padded(options.defaults, "Padded", "http://127.0.0.1:9/padded");
        const std::string stream = ImportRecordBytes({{&padded, true}});
        ASSERT_TRUE(PutClipboard(d, {{ImportFormat(), stream + std::string(3, '\0')}}));
        EXPECT_TRUE(left.Paste());
        ASSERT_TRUE(PutClipboard(d, {{ImportFormat(), stream + "x"}}));
        EXPECT_FALSE(left.Paste());
        EXPECT_EQ(4u, newsEntry.Count());
        // The item pane's copy: the same clipboard name, another stream.
        ASSERT_TRUE(frame->CopyObjectsToClipboard({weather}));
        EXPECT_FALSE(left.Paste());
        EXPECT_EQ(4u, newsEntry.Count());
        Click(d, IDOK);
    });
    EXPECT_EQ(
        (std::vector<std::string>{"Weather report", "Exchange rates", "Imported page", "Padded"}),
        Names(*frame->WatchList().FirstItem()));
}

TEST_F(ImportDialogTest, TheLeftPaneMovesCopiesTakesUrlsAndNewEntriesUntilApplied) {
    OpenOnList();
    std::vector<std::string> applied;
    ImportDialogArgs args;
    args.watchList = &frame->WatchList();
    args.defaults = &options.defaults;
    args.apply = [&](ImportNode& left) { applied = Texts(left); };
    int defaultsEdited = 0;
    args.editDefaults = [&](HWND owner) {
        EXPECT_NE(nullptr, owner);
        ++defaultsEdited;
    };
    args.editNewEntry = [](HWND, ItemProperties& p) {
        p.name = "Typed";
        p.address = "http://127.0.0.1:9/typed";
        return true;
    };
    ImportDialog dialog(args);
    ASSERT_TRUE(dialog.CreateModeless(Main()));
    ShowWindow(dialog.Handle(), SW_SHOW);
    ImportTreeView& left = dialog.Left();
    TreeViewNode* root = left.Model().Root();
    auto at = [&](TreeViewNode* node, bool upper) {
        TreeRect r;
        EXPECT_TRUE(left.Model().NodeRect(node, true, &r));
        POINT p{r.left + 3, upper ? r.top + 2 : r.bottom - 2};
        ClientToScreen(left.Handle(), &p);
        return POINTL{p.x, p.y};
    };
    DWORD reported = 0;
    auto dragTo = [&](POINTL point, DWORD keys) {
        left.Dragging().SetLoop([&, point, keys](IDataObject* data, DWORD allowed) {
            DWORD effect = allowed;
            left.DropTarget().DragEnter(data, keys | MK_LBUTTON, point, &effect);
            effect = allowed;
            left.DropTarget().Drop(data, keys, point, &effect);
            reported = effect;
            return effect;
        });
        return left.StartDrag();
    };
    TreeViewNode* newsNode = root->FirstChildNode();
    TreeViewNode* mailNode = newsNode->NextNode();
    left.Model().Click(mailNode, false, false);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dragTo(at(mailNode, true), 0))
        << "not onto itself";
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_IMPORT_APPLY)));
    dragTo(at(newsNode, true), 0);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), reported) << "the source deletes nothing";
    EXPECT_EQ((std::vector<std::string>{"News"}), Texts(left.RootEntry()))
        << "onto a folder: into it";
    ImportNode& news = *left.RootEntry().FirstEntry();
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates", "Mail"}), Texts(news));
    EXPECT_EQ(mail, news.LastEntry()->sourceObject) << "moved, it stands for its object still";
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_IMPORT_APPLY)));

    TreeViewNode* weatherNode = static_cast<TreeViewNode*>(news.FirstEntry()->treeNode);
    left.Model().Click(weatherNode, false, false);
    dragTo(at(static_cast<TreeViewNode*>(news.treeNode), true), MK_CONTROL);
    EXPECT_EQ(4u, news.Count()) << "Ctrl copies";
    EXPECT_EQ(nullptr, news.LastEntry()->sourceObject) << "a copy is a new entry";

    auto* url = new DDataObject({{static_cast<CLIPFORMAT>(CF_TEXT),
                                  std::string("http://127.0.0.1:9/dropped#part") + '\0'}});
    RECT client;
    GetClientRect(left.Handle(), &client);
    POINT below{10, client.bottom - 4};
    ClientToScreen(left.Handle(), &below);
    DWORD effect = DROPEFFECT_COPY;
    left.DropTarget().DragEnter(url, MK_LBUTTON, POINTL{below.x, below.y}, &effect);
    left.DropTarget().Drop(url, 0, POINTL{below.x, below.y}, &effect);
    url->Release();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    ASSERT_EQ(2u, left.RootEntry().Count());
    EXPECT_STREQ("http://127.0.0.1:9/dropped",
                 left.RootEntry().LastEntry()->properties.address.c_str());

    left.Model().DeselectAll();
    left.Model().SetCaret(nullptr, false);
    SendMessageW(left.Handle(), WM_KEYDOWN, VK_INSERT, 0);
    EXPECT_STREQ("Typed", left.RootEntry().LastEntry()->properties.name.c_str());

    Click(dialog.Handle(), IDC_IMPORT_DEFAULTS);
    EXPECT_EQ(1, defaultsEdited);
    Click(dialog.Handle(), IDC_IMPORT_APPLY);
    EXPECT_TRUE(dialog.Applied());
    EXPECT_EQ((std::vector<std::string>{"News", "http://127.0.0.1:9/dropped#part", "Typed"}),
              applied);
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_IMPORT_APPLY)));
    EXPECT_EQ((std::vector<std::string>{"News", "Mail"}), Texts(left.RootEntry()))
        << "the left tree shows the list again";
    DestroyWindow(dialog.Handle());
}

TEST_F(ImportDialogTest, ADamagedSourceSaysSoAndOpensNothing) {
    OpenOnList();
    const std::string file =
        dir.Write("damaged.ovf", std::string("Orvex Vistomer Config\0\x0a\x05", 25));
    EXPECT_EQ(0, RunImport(file, nullptr));
    ASSERT_EQ(1u, messages.size());
    EXPECT_STREQ(LoadText(TEXT_SOURCE_UNREADABLE).c_str(), messages[0].c_str());
    EXPECT_FALSE(dialogOpened);
    EXPECT_EQ((std::vector<std::string>{"News", "Mail"}), Names(frame->WatchList()));
}

TEST_F(ImportDialogTest, TheSourceQuestionWantsAPathUnlessTheFavoritesAreChosen) {
    OpenOnList();
    SourceChoice choice;
    ImportFileSeams seams;
    std::vector<int> browsed;
    seams.chooseSource = [&](HWND, uint8_t kind, AStr& path) {
        browsed.push_back(kind);
        path = "C:\\links\\page.htm";
        return true;
    };
    AskExportSourceDialog ask(choice, true, seams);
    WhenModal([&] {
        HWND d = GetActiveWindow();
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_SOURCE_EXPORT));
        Click(d, IDOK);
        EXPECT_TRUE(IsWindow(d)) << "an empty path keeps the dialog open";
        CheckRadioButton(d, IDC_SOURCE_FAVORITES, IDC_SOURCE_TROVIK, IDC_SOURCE_FAVORITES);
        Click(d, IDC_SOURCE_FAVORITES);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SOURCE_PATH)));
        CheckRadioButton(d, IDC_SOURCE_FAVORITES, IDC_SOURCE_TROVIK, IDC_SOURCE_PAGE);
        Click(d, IDC_SOURCE_PAGE);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SOURCE_PATH)));
        Click(d, IDC_SOURCE_BROWSE);
        EXPECT_EQ(IDOK, LOWORD(SendMessageW(d, DM_GETDEFID, 0, 0)));
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, ask.RunModal(Main()));
    EXPECT_EQ((std::vector<int>{2}), browsed);
    EXPECT_EQ(2, choice.kind);
    EXPECT_STREQ("C:\\links\\page.htm", choice.path.c_str());
}

// Shows the dialog made modeless, checks its layout, saves its picture.
void CheckLayout(DDialog& dialog, const std::string& name) {
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ShowWindow(dialog.Handle(), SW_SHOW);
    UpdateWindow(dialog.Handle());
    for (const std::string& fault : LayoutFaults(dialog.Handle()))
        if (fault.find(std::to_string(IDC_IMPORT_SOURCE_NAME)) == std::string::npos)
            ADD_FAILURE() << name << ": " << fault;  // the source's path is shortened by design
    RECT r;
    GetWindowRect(dialog.Handle(), &r);
    EXPECT_LE(r.right - r.left, 800) << name << " fits a small screen";
    EXPECT_LE(r.bottom - r.top, 600) << name << " fits a small screen";
    EXPECT_TRUE(SaveShotWhenAsked(dialog.Handle(), name));
    DestroyWindow(dialog.Handle());
}

TEST_F(ImportDialogTest, BothDialogsFitInBothLanguagesAndTabInReadingOrder) {
    OpenOnList();
    const std::string file = WriteExportFile();
    for (const char* language : {"enu", "rus"}) {
        AStr code(language);
        ASSERT_TRUE(LoadLanguage(code, platform::ProgramDirectory().c_str()));
        ImportDialogArgs args;
        args.watchList = &frame->WatchList();
        args.defaults = &options.defaults;
        args.source.path = file.c_str();
        {
            ImportDialog dialog(args);
            CheckLayout(dialog, std::string("import-") + language);
        }
        ImportDialog dialog(args);
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        std::vector<int> order;
        HWND first = GetNextDlgTabItem(dialog.Handle(), nullptr, FALSE);
        for (HWND c = first; c && order.size() < 20;) {
            order.push_back(GetDlgCtrlID(c));
            c = GetNextDlgTabItem(dialog.Handle(), c, FALSE);
            if (c == first) break;
        }
        EXPECT_EQ(
            (std::vector<int>{IDC_IMPORT_LEFT_PANE, IDC_IMPORT_DEFAULTS, IDC_IMPORT_ADD,
                              IDC_IMPORT_RIGHT_PANE, IDC_IMPORT_SOURCE, IDOK, IDCANCEL, IDHELP}),
            order)
            << language;
        EXPECT_EQ(IDOK, LOWORD(SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0)));
        DestroyWindow(dialog.Handle());

        SourceChoice choice;
        choice.path = file.c_str();
        ImportFileSeams seams;
        AskExportSourceDialog ask(choice, true, seams);
        CheckLayout(ask, std::string("import-source-") + language);
    }
}

}  // namespace
