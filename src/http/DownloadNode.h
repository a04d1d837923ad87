#pragma once
// DownloadNode: the list element by which the host keeps track of one
// running download. It owns its DownloadThread (the creator's reference);
// the host sets the object and frame it serves, adds the node to its list
// of running downloads and starts the thread. On the end message it reads
// the thread's results and deletes the node, which lets go of the thread.
#include <memory>
#include <string>

#include "framework/List.h"
#include "http/DownloadThread.h"

class DownloadNode : public Node {
  public:
    // The thread gets the user agent, a charset code of 0, progress
    // reports every 10 ms and the proxy settings.
    DownloadNode(std::shared_ptr<platform::ReportTarget> notify, const char* url,
                 std::string targetFile, std::string storedCopy, const DownloadSettings& settings);
    // A thread still running is let go, not stopped: it ends on its own.
    ~DownloadNode() override;

    DownloadThread* Thread() const { return thread_.get(); }

    Node* object = nullptr;  // the watched object served, or none
    Node* frame = nullptr;   // the frame record filled, or none for the page
    bool timedOut = false;   // aborted for running past the check's time

  private:
    platform::ThreadRef<DownloadThread> thread_;
};
