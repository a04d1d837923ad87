#include "http/DownloadNode.h"

DownloadNode::DownloadNode(std::shared_ptr<platform::ReportTarget> notify, const char* url,
                           std::string targetFile, std::string storedCopy,
                           const DownloadSettings& settings)
    : thread_(new DownloadThread(std::move(notify), url, std::move(targetFile),
                                 std::move(storedCopy), kUserAgent, kProgressIntervalMs,
                                 settings)) {
    thread_->SetOwner(this);
}

DownloadNode::~DownloadNode() {
    thread_->SetOwner(nullptr);
}
