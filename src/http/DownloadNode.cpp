#include "http/DownloadNode.h"

DownloadNode::DownloadNode(std::shared_ptr<platform::ReportTarget> notify, const char* url,
                           const char* targetFile, const char* storedCopy,
                           const DownloadSettings& settings)
    : thread_(new DownloadThread(std::move(notify), url, targetFile, storedCopy, kUserAgent,
                                 kProgressIntervalMs, settings)) {
    thread_->SetOwner(this);
}

DownloadNode::~DownloadNode() {
    thread_->SetOwner(nullptr);
}
