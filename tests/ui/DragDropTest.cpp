// Drag and drop and the clipboard of the item pane, through the pane's real
// drop target and the data object it drags: its own objects moved or copied
// (never lost when dropped onto themselves), streams and URLs from
// elsewhere, the clipboard's formats, and deleting objects and records.
#include "MainWindowFixture.h"
#include "shell/gui/DClipboard.h"
#include "watchlist/ObjectStream.h"

namespace {

class DragDropTest : public MainWindowTest {
  protected:
    void OpenList() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        SetClientSize(600, 400);
        ShowWindow(Main(), SW_SHOWNORMAL);
        Pump();
        news = frame->WatchList().FirstItem();
        weather = news->FirstItem();
        rates = weather->NextItem();
        mail = news->NextItem();
    }
    TreeViewUrl& Pane() { return frame->Items(); }
    static TreeViewNode* Node(ItemNode* o) { return static_cast<TreeViewNode*>(o->treeNode); }
    // A point in screen coordinates on the object's label: its upper or
    // lower half.
    POINTL On(ItemNode* o, bool upper) {
        TreeRect r;
        EXPECT_TRUE(Pane().Model().NodeRect(Node(o), true, &r));
        POINT p{r.left + 3, upper ? r.top + 2 : r.bottom - 2};
        ClientToScreen(Pane().Handle(), &p);
        return POINTL{p.x, p.y};
    }
    std::vector<std::string> Names(ItemNode* parent) {
        std::vector<std::string> names;
        for (ItemNode* o = parent->FirstItem(); o; o = o->NextItem())
            names.push_back(o->properties.name.c_str());
        return names;
    }
    // The watch list as saved in the folder.
    std::vector<std::string> SavedTopNames() {
        ItemList saved;
        WatchListPaths paths(dir.Path());
        EXPECT_TRUE(OpenWatchList(saved, paths));
        return Names(&saved);
    }
    // Drags the selection and, inside the drag, plays the target's side:
    // enter and move over `at`, then drop there with the keys.
    DWORD DragTo(POINTL at, DWORD keys, DWORD* reported) {
        IDropTarget& target = Pane().DropTarget();
        Pane().Dragging().SetLoop([&](IDataObject* data, DWORD allowed) {
            DWORD effect = allowed;
            target.DragEnter(data, keys | MK_LBUTTON, at, &effect);
            effect = allowed;
            target.DragOver(keys | MK_LBUTTON, at, &effect);
            over = effect;
            markShown = Pane().Model().InsertMarkNode() != nullptr;
            effect = allowed;
            target.Drop(data, keys, at, &effect);
            *reported = effect;
            return effect;
        });
        return Pane().StartDrag();
    }
    DWORD over = 0;
    bool markShown = false;
    ItemNode *news = nullptr, *weather = nullptr, *rates = nullptr, *mail = nullptr;
};

}  // namespace

TEST_F(DragDropTest, MovingWithTheMouseWithinThePaneKeepsTheObjects) {
    OpenList();
    DWORD reported = 0;
    IDropTarget& target = Pane().DropTarget();
    POINTL onMail = On(mail, false);
    Pane().Dragging().SetLoop([&](IDataObject* data, DWORD allowed) {
        DWORD effect = allowed;
        target.DragEnter(data, MK_LBUTTON, onMail, &effect);
        over = effect;
        markShown = Pane().Model().InsertMarkNode() == Node(mail);
        effect = allowed;
        target.Drop(data, 0, onMail, &effect);
        reported = effect;
        return effect;
    });
    // Press on the weather page's label and move past the drag distance.
    TreeRect r;
    ASSERT_TRUE(Pane().Model().NodeRect(Node(weather), true, &r));
    SendMessageW(Pane().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 2));
    SendMessageW(Pane().Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 40));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), over) << "no key: a move";
    EXPECT_TRUE(markShown);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), reported) << "the source deletes nothing";
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Weather report"}),
              Names(&frame->WatchList()));
    EXPECT_EQ((std::vector<std::string>{"Exchange rates"}), Names(news));
    EXPECT_EQ(2u, weather->checks.Count()) << "the moved object keeps its records";
    EXPECT_TRUE(weather->treeNode && Node(weather)->IsSelected());
    EXPECT_EQ(nullptr, Pane().Model().InsertMarkNode());
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Weather report"}), SavedTopNames());
}

TEST_F(DragDropTest, DroppingOntoTheDraggedObjectsIsRefusedAndLosesNothing) {
    OpenList();
    Pane().SetCaret(news);
    long alive = ItemNode::LiveCount();
    DWORD reported = 0;
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), DragTo(On(weather, true), 0, &reported));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), over);
    EXPECT_FALSE(markShown);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), reported);
    EXPECT_EQ(alive, ItemNode::LiveCount());
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates"}), Names(news));
}

TEST_F(DragDropTest, CtrlCopiesTheSelectionAsNewObjects) {
    OpenList();
    Pane().SetCaret(weather);
    DWORD reported = 0;
    DragTo(On(mail, true), MK_CONTROL, &reported);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), over);
    EXPECT_EQ((std::vector<std::string>{"News", "Weather report", "Mail"}),
              Names(&frame->WatchList()));
    ItemNode* copy = news->NextItem();
    EXPECT_NE(weather, copy);
    EXPECT_TRUE(copy->neverChecked);
    EXPECT_EQ(0u, copy->checks.Count());
    EXPECT_NE(weather->copyNumber, copy->copyNumber);
    EXPECT_EQ(2u, news->Count()) << "the original stays";
}

TEST_F(DragDropTest, TheDraggedDataOffersTheStreamAndTheCaretsUrl) {
    OpenList();
    Pane().SetCaret(weather);
    std::string stream, url, text;
    Pane().Dragging().SetLoop([&](IDataObject* data, DWORD) {
        ReadDataBytes(data, ObjectFormat(), &stream, 1 << 20);
        ReadDataBytes(data, UrlFormat(), &url, 1024);
        ReadDataBytes(data, CF_TEXT, &text, 1024);
        return static_cast<DWORD>(DROPEFFECT_MOVE);  // another window took it
    });
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_MOVE), Pane().StartDrag());
    EXPECT_EQ(std::string("http://127.0.0.1:9/weather\0", 27), url);
    EXPECT_EQ(url, text);
    ItemList copied;
    ASSERT_TRUE(ReadObjectStream(stream.data(), stream.size(), copied));
    ASSERT_EQ(1u, copied.Count());
    EXPECT_STREQ("Weather report", copied.FirstItem()->properties.name.c_str());
    // Moved out to another window: deleted here.
    EXPECT_EQ((std::vector<std::string>{"Exchange rates"}), Names(news));
}

TEST_F(DragDropTest, StreamsAndUrlsFromElsewhereLandAtTheDropPosition) {
    OpenList();
    IDropTarget& target = Pane().DropTarget();
    ItemList source;
    auto* page = new ItemNode;
    page->properties.name = "Dropped";
    page->properties.address = "http://127.0.0.1:9/dropped";
    source.Append(page);
    std::string stream = ObjectsToStream({page});
    auto* good = new DDataObject({{ObjectFormat(), stream}});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(good, MK_CONTROL, On(rates, true), &effect);
    good->Release();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Dropped", "Exchange rates"}),
              Names(news));
    EXPECT_EQ(3, news->FirstItem()->NextItem()->state);

    auto* bad = new DDataObject({{ObjectFormat(), stream.substr(0, stream.size() - 3)}});
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(bad, 0, On(rates, true), &effect);
    bad->Release();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
    EXPECT_EQ(3u, news->Count());

    auto* link = new DDataObject({{UrlFormat(), std::string("http://127.0.0.1/new\0", 21)}});
    effect = DROPEFFECT_LINK | DROPEFFECT_COPY;
    acceptNewObjects = true;
    target.Drop(link, 0, On(mail, false), &effect);
    link->Release();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect) << "a move falls back to a copy";
    EXPECT_TRUE(NewPages().empty()) << "the dialog waits until the drop has returned";
    Pump();
    ASSERT_EQ((std::vector<std::string>{"http://127.0.0.1/new"}), NewPages());
    ItemNode* made = mail->NextItem();
    ASSERT_NE(nullptr, made) << "the page goes right after the mailbox it was dropped below";
    EXPECT_STREQ("http://127.0.0.1/new", made->properties.address.c_str());
}

TEST_F(DragDropTest, ClipboardCarriesTheThreeFormatsWithTheLocale) {
    OpenList();
    ASSERT_TRUE(frame->CopyObjectsToClipboard({rates}));
    EXPECT_TRUE(ClipboardOffers(ObjectFormat()));
    std::string url, text, locale;
    ASSERT_TRUE(ReadClipboard(Main(), UrlFormat(), &url, 1024));
    ASSERT_TRUE(ReadClipboard(Main(), CF_TEXT, &text, 1024));
    EXPECT_EQ(std::string("http://127.0.0.1:9/rates\0", 25), url.substr(0, 25));
    EXPECT_EQ(0, text.compare(0, 25, url, 0, 25));
    ASSERT_TRUE(ReadClipboard(Main(), CF_LOCALE, &locale, 16));
    ASSERT_GE(locale.size(), 4u);
    EXPECT_EQ(1024u, *reinterpret_cast<const DWORD*>(locale.data()));
    // Pasted into the folder: a copy at its end.
    EXPECT_EQ(0, frame->PasteObjects(news));
    EXPECT_EQ((std::vector<std::string>{"Weather report", "Exchange rates", "Exchange rates"}),
              Names(news));
    // A folder: the stream without a URL, so no text and no locale.
    ASSERT_TRUE(frame->CopyObjectsToClipboard({news}));
    EXPECT_TRUE(ClipboardOffers(ObjectFormat()));
    EXPECT_FALSE(ClipboardOffers(UrlFormat()));
    EXPECT_FALSE(ClipboardOffers(CF_LOCALE));
    // Two objects: the clipboard is left empty.
    ASSERT_TRUE(frame->CopyObjectsToClipboard({rates, mail}));
    EXPECT_FALSE(ClipboardOffers(ObjectFormat()));
    EXPECT_FALSE(ClipboardOffers(CF_TEXT));
}

TEST_F(DragDropTest, DeletingObjectsAndRecordsSavesAndCounts) {
    OpenList();
    ASSERT_EQ(1, frame->Engine()->NewChanges());
    Pane().SetCaret(news);
    EXPECT_EQ(0u, frame->DeleteObjects(false)) << "not confirmed: nothing goes";
    EXPECT_EQ(3u, frame->DeleteObjects(true));
    EXPECT_EQ(0, frame->Engine()->NewChanges());
    EXPECT_EQ((std::vector<std::string>{"Mail"}), SavedTopNames());
    EXPECT_EQ(nullptr, frame->CurrentObject());

    mail->properties.flags |= kFlagProtected;
    Pane().SetCaret(mail);
    EXPECT_EQ(0u, frame->DeleteObjects(true)) << "protected";

    // Records: the newest check of an object shown in the result pane.
    auto* check = new CheckNode(1700000000u);
    check->changes.Append(new ChangeNode("text", ""));
    mail->checks.Append(check);
    frame->ShowObjectResults(mail);
    frame->Results().Model().Select(static_cast<TreeViewNode*>(check->treeNode), true);
    EXPECT_EQ(1u, frame->DeleteRecords());
    EXPECT_EQ(0u, mail->checks.Count());
}

TEST_F(DragDropTest, TheSystemsDragLoopDropsAtTheCursor) {
    OpenList();
    SetForegroundWindow(Main());
    Pump();
    Pane().SetCaret(rates);
    // With no button held, the system's loop drops at once where the cursor is.
    POINTL below = On(mail, false);
    SetCursorPos(below.x, below.y);
    Pump();
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), Pane().StartDrag());
    EXPECT_EQ((std::vector<std::string>{"News", "Mail", "Exchange rates"}),
              Names(&frame->WatchList()));
}
