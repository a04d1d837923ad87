#pragma once
// The main window on the fixture's watch list, with commands sent as the
// menu sends them, panes focused as a click does, and the enabler of one
// command read back.
#include <windows.h>

#include <string>

#include "MainWindowFixture.h"
#include "lang/CommandIds.h"
#include "panes/PaneNodes.h"
#include "shell/gui/DClipboard.h"
#include "watchlist/WatchListFile.h"

// Records what the window answers for one command.
class RecordingEnabler : public DCommandEnabler {
  public:
    explicit RecordingEnabler(int id) : DCommandEnabler(id) {}
    void Enable(bool on) override { enabled = on ? 1 : 0; }
    void SetText(const AStr&) override {}
    void SetCheck(bool on) override { checked = on ? 1 : 0; }
    int enabled = -1;  // -1: left as it is
    int checked = -1;
};

class CommandsTest : public MainWindowTest {
  protected:
    void OpenOnList() {
        WriteWatchList();
        ASSERT_TRUE(Open());
        Pump();
        news = frame->WatchList().FirstItem();
        weather = news->FirstItem();
        rates = weather->NextItem();
        mail = news->NextItem();
        frame->SetQuestionHandler([this](const AStr& text) {
            questions.emplace_back(text.c_str());
            return answer;
        });
    }
    void Command(int id) { SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // -1 left as it is, 0 disabled, 1 enabled.
    int Enabled(int id) {
        RecordingEnabler e(id);
        frame->CommandEnable(e);
        return e.enabled;
    }
    void FocusItems() { SendPaneNotify(frame->Items().Handle(), kTvnSetFocus); }
    void FocusResults() { SendPaneNotify(frame->Results().Handle(), kTvnSetFocus); }
    static TreeViewNode* NodeOf(const void* record) {
        return static_cast<TreeViewNode*>(const_cast<void*>(record));
    }
    // Adds an object to the item pane's selection.
    void AlsoSelect(ItemNode* object) {
        frame->Items().Model().Select(NodeOf(object->treeNode), true);
    }
    // The weather page's results shown, its checks expanded, the pane focused.
    void ShowWeather() {
        frame->Items().SetCaret(weather);
        frame->ShowObjectResults(weather);
        for (CheckNode* c = weather->checks.First(); c; c = c->NextCheck())
            frame->Results().Model().Expand(NodeOf(c->treeNode), true);
        FocusResults();
    }
    void SelectRecord(const void* treeNode, bool alone = true) {
        TreeViewModel& m = frame->Results().Model();
        if (alone) m.DeselectAll();
        m.Select(NodeOf(treeNode), true);
    }
    std::string SavedList() const { return TempDir::Read(dir.File("OVISTO.CFG")); }
    std::string Clip(CLIPFORMAT format) {
        std::string bytes;
        if (!ReadClipboard(Main(), format, &bytes, 1 << 16)) return "<none>";
        return bytes.substr(0, bytes.find('\0'));
    }
    std::vector<std::string> Names(const ItemNode* parent) {
        std::vector<std::string> names;
        for (ItemNode* o = parent->FirstItem(); o; o = o->NextItem())
            names.emplace_back(o->DisplayName().c_str());
        return names;
    }

    ItemNode* news = nullptr;
    ItemNode* weather = nullptr;
    ItemNode* rates = nullptr;
    ItemNode* mail = nullptr;
    bool answer = false;
    std::vector<std::string> questions;
};
