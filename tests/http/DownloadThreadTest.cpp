#include "http/DownloadThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/HostQueue.h"
#include "http/DownloadNode.h"
#include "http/UrlCrack.h"
#include "http/UrlUtils.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"

using platform::HostMessage;
using platform::HostQueue;
using platform::Report;

namespace {

constexpr uint32_t kStoredTime = 1600000000;  // the stored copy's write time
constexpr uint32_t kMessageWaitMs = 60000;    // a download that says nothing by then has hung

struct Outcome {
    int32_t result = 0x7FFFFFFF;
    uint32_t status = 0;
    std::string url;
    std::string storedCopy;
    int32_t charset = 0;
    std::string contentType;
    std::string etag;
    uint64_t progressBytes = 0;
    int progressMessages = 0;
    bool endSeen = false;
};

// A charset parser as the HTML layer provides one: 4 for ISO 8859-5.
int32_t FakeCharsetOf(const char* contentType) {
    return std::string(contentType).find("iso-8859-5") != std::string::npos ? 4 : 1;
}

class Download : public ::testing::Test {
  protected:
    Download() {
        settings.charsetOf = &FakeCharsetOf;
        target = dir.Write("target.tmp", "old target");
    }

    // Starts a download, optionally acts once its first progress message
    // has come, and drains the host queue until the end message.
    Outcome Run(const std::string& url, const std::string& stored = "",
                void (*onProgress)(DownloadThread*) = nullptr) {
        auto queue = std::make_shared<HostQueue>();
        DownloadNode node(queue, url.c_str(), target.c_str(), stored.c_str(), settings);
        DownloadThread* thread = node.Thread();
        thread->SetStoredETag(storedETag.c_str());
        Outcome out;
        EXPECT_EQ(&node, thread->Owner());
        EXPECT_TRUE(thread->Start(platform::kPriorityBelowNormal));
        HostMessage m{};
        while (!out.endSeen && queue->Take(&m, kMessageWaitMs)) {
            EXPECT_EQ(thread, m.sender);
            if (m.what == Report::kThreadEnd) {
                EXPECT_EQ(kDownloadThreadKind, m.param);
                out.endSeen = true;
            } else {
                if (onProgress && out.progressMessages == 0) onProgress(thread);
                out.progressBytes += m.param;
                ++out.progressMessages;
            }
        }
        if (!out.endSeen) {
            // Hung: let it go; it ends when the server stops.
            ADD_FAILURE() << "no end message";
            thread->Abort();
            return out;
        }
        out.result = thread->GetResult();
        out.status = thread->HttpStatus();
        out.url = thread->Url().c_str();
        out.storedCopy = thread->StoredCopy().c_str();
        out.charset = thread->CharsetCode();
        out.contentType = thread->ContentType().c_str();
        out.etag = thread->ETag().c_str();
        // Nothing more may come after the end.
        EXPECT_FALSE(queue->Take(&m, 0));
        return out;
    }

    std::string StoredCopy(const std::string& bytes) {
        std::string path = dir.Write("stored.htm", bytes);
        platform::SetWriteTime(path.c_str(), kStoredTime);
        return path;
    }

    std::string Target() const { return TempDir::Read(target); }

    // A page with a Last-Modified time `after` seconds past the stored
    // copy's, fetched against the copy "<html>the stored copy</html>".
    Outcome RunLastModified(const std::string& body, uint32_t after) {
        std::string stored = StoredCopy("<html>the stored copy</html>");
        HttpReply r = Page(body);
        r.headers.push_back(std::string("Last-Modified: ") +
                            FormatInternetTime(kStoredTime + after).c_str());
        server.Answer("/page.htm", r);
        return Run(server.Url("/page.htm"), stored);
    }

    // Downloads go through the proxy, which wants "watcher:s3cret" and
    // serves "/page.htm" itself.
    void UseProxy(LoopbackHttpServer& proxy, const char* password) {
        HttpReply r = Page("through the proxy");
        r.proxyCredentials = "watcher:s3cret";
        proxy.Answer("/page.htm", r);
        settings.proxy.on = true;
        settings.proxy.host = "127.0.0.1";
        settings.proxy.port = proxy.Port();
        settings.proxy.user = "watcher";
        settings.proxy.password = password;
    }

    static HttpReply Page(const std::string& body) {
        HttpReply r;
        r.headers = {"Content-Type: text/html"};
        r.body = body;
        return r;
    }

    TempDir dir;
    std::string target;
    std::string storedETag;  // sent as If-None-Match by the next Run
    DownloadSettings settings;
    LoopbackHttpServer server;
};

}  // namespace

TEST(InternetTime, FormatsRfc1123InGmt) {
    EXPECT_STREQ("Sun, 06 Nov 1994 08:49:37 GMT", FormatInternetTime(784111777).c_str());
    EXPECT_STREQ("Thu, 01 Jan 1970 00:00:00 GMT", FormatInternetTime(0).c_str());
}

TEST_F(Download, PageIsWrittenWithTheAgentAndWithoutConditionWhenThereIsNoCopy) {
    server.Answer("/page.htm", Page("<html>hello</html>"));
    Outcome o = Run(server.Url("/page.htm"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ(server.Url("/page.htm"), o.url);
    EXPECT_EQ("<html>hello</html>", Target());
    ASSERT_EQ(1u, server.Requests().size());
    HttpSeen seen = server.Requests()[0];
    EXPECT_EQ("GET", seen.method);
    EXPECT_EQ(kUserAgent, seen.Header("User-Agent"));
    EXPECT_EQ("", seen.Header("If-Modified-Since"));
}

TEST_F(Download, NotModifiedWritesNoFile) {
    HttpReply r;
    r.status = 304;
    r.reason = "Not Modified";
    server.Answer("/page.htm", r);
    std::string stored = StoredCopy("<html>stored copy</html>");
    Outcome o = Run(server.Url("/page.htm"), stored);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(304u, o.status);
    EXPECT_EQ("old target", Target());
    EXPECT_EQ(stored, o.storedCopy);
    ASSERT_EQ(1u, server.Requests().size());
    EXPECT_EQ(FormatInternetTime(kStoredTime).c_str(),
              server.Requests()[0].Header("If-Modified-Since"));
}

TEST_F(Download, AStoredCopyOfTenBytesSendsNoConditionAndIsForgotten) {
    HttpReply r = Page("new page");
    r.headers.push_back(std::string("Last-Modified: ") + FormatInternetTime(kStoredTime).c_str());
    server.Answer("/page.htm", r);
    Outcome o = Run(server.Url("/page.htm"), StoredCopy("0123456789"));
    EXPECT_EQ("", server.Requests().at(0).Header("If-Modified-Since"));
    EXPECT_EQ("", o.storedCopy);
    // Taken as new although Last-Modified equals the copy's time.
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ("new page", Target());
}

TEST_F(Download, LastModifiedUpToTwoSecondsAfterTheCopyMeansUnchangedWhenTheLengthIsTheSame) {
    for (uint32_t later : {0u, 2u}) {
        Outcome o = RunLastModified("<html>the stored copy</html>", later);
        EXPECT_EQ(0, o.result) << later;
        EXPECT_EQ(304u, o.status) << later;
    }
}

TEST_F(Download, AChangeWithinTwoSecondsOfTheCopyIsSeenByItsLength) {
    Outcome o = RunLastModified("<html>the stored copy, changed</html>", 1);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ("<html>the stored copy, changed</html>", Target());
}

TEST_F(Download, TheEntityTagIsSentBackAndA304ToItMeansUnchanged) {
    HttpReply first = Page("<html>tagged</html>");
    first.headers.push_back("ETag: \"v1\"");
    server.Answer("/page.htm", first);
    std::string stored = StoredCopy("<html>the stored copy</html>");
    storedETag = "\"v0\"";
    Outcome o = Run(server.Url("/page.htm"), stored);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ("\"v1\"", o.etag) << "the new page's tag";
    EXPECT_EQ("\"v0\"", server.Requests().at(0).Header("If-None-Match"));
    EXPECT_FALSE(server.Requests().at(0).Header("If-Modified-Since").empty())
        << "both conditions go";

    HttpReply same;
    same.status = 304;
    same.reason = "Not Modified";
    server.Answer("/page.htm", same);
    storedETag.clear();
    o = Run(server.Url("/page.htm"), stored);
    EXPECT_EQ(304u, o.status);
    EXPECT_EQ("", o.etag);
    EXPECT_EQ("", server.Requests().at(1).Header("If-None-Match")) << "no tag known: none sent";
}

TEST_F(Download, LastModifiedThreeSecondsAfterTheCopyIsNewAndStampsTheFile) {
    Outcome o = RunLastModified("changed page", 3);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ("changed page", Target());
    uint32_t written = 0;
    ASSERT_TRUE(platform::GetWriteTime(target.c_str(), &written));
    EXPECT_EQ(kStoredTime + 3, written);
}

TEST_F(Download, WithoutLastModifiedTheFileKeepsItsOwnTime) {
    platform::SetWriteTime(target.c_str(), kStoredTime);
    server.Answer("/page.htm", Page("fresh"));
    Outcome o = Run(server.Url("/page.htm"), StoredCopy("<html>the stored copy</html>"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ("fresh", Target());
    uint32_t written = 0;
    ASSERT_TRUE(platform::GetWriteTime(target.c_str(), &written));
    EXPECT_GT(written, kStoredTime + 3600);  // the time of writing, not an old stamp
}

TEST_F(Download, ARedirectionReportsTheFinalUrl) {
    HttpReply moved;
    moved.status = 302;
    moved.reason = "Found";
    moved.headers = {"Location: " + server.Url("/final.htm")};
    moved.body = "moved";
    server.Answer("/start.htm", moved);
    server.Answer("/final.htm", Page("arrived"));
    Outcome o = Run(server.Url("/start.htm"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ(server.Url("/final.htm"), o.url);
    EXPECT_EQ("arrived", Target());
}

TEST_F(Download, StatusFourHundredAndUpGivesMinusOneAndNoFile) {
    Outcome o = Run(server.Url("/missing.htm"));
    EXPECT_EQ(kDownloadHttpError, o.result);
    EXPECT_EQ(404u, o.status);
    EXPECT_EQ("old target", Target());
    HttpReply denied = Page("who are you");
    denied.status = 401;
    denied.reason = "Unauthorized";
    denied.headers.push_back("WWW-Authenticate: Basic realm=\"x\"");
    server.Answer("/private.htm", denied);
    o = Run(server.Url("/private.htm"));
    EXPECT_EQ(kDownloadHttpError, o.result);
    EXPECT_EQ(401u, o.status);
}

TEST_F(Download, AnEmptyBodyGivesMinusTwo) {
    server.Answer("/empty.htm", Page(""));
    Outcome o = Run(server.Url("/empty.htm"));
    EXPECT_EQ(kDownloadEmpty, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ("", Target());
}

TEST_F(Download, ProgressMessagesAddUpToTheBody) {
    HttpReply r = Page(std::string(4096, 'x') + std::string(4096, 'y'));
    r.bodyRepeat = 40;
    r.pieceBytes = 8192;
    r.pieceDelayMs = 15;  // the body comes in several bursts
    server.Answer("/big.htm", r);
    Outcome o = Run(server.Url("/big.htm"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(40u * 8192u, o.progressBytes);
    EXPECT_GT(o.progressMessages, 1);
    EXPECT_EQ(40u * 8192u, Target().size());
}

TEST_F(Download, AnAbortDuringASlowBodyGivesCancelled) {
    HttpReply r = Page(std::string(200 * 64, 'z'));
    r.pieceBytes = 64;
    r.pieceDelayMs = 10;  // two seconds for the whole body
    server.Answer("/slow.htm", r);
    Outcome o = Run(server.Url("/slow.htm"), "", [](DownloadThread* t) { t->Abort(); });
    EXPECT_EQ(kDownloadCancelled, o.result);
    EXPECT_LT(Target().size(), 200u * 64u);
}

TEST_F(Download, AProxyAsksForCredentialsAndGetsThem) {
    LoopbackHttpServer proxy;
    UseProxy(proxy, "s3cret");
    // The site behind the proxy is this test's own server; it must not be asked.
    Outcome o = Run(server.Url("/page.htm"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(200u, o.status);
    EXPECT_EQ("through the proxy", Target());
    EXPECT_EQ(0u, server.Requests().size());
    std::vector<HttpSeen> seen = proxy.Requests();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(server.Url("/page.htm"), seen.front().target);
    EXPECT_EQ("", seen.front().Header("Proxy-Authorization"));
    EXPECT_EQ(BasicCredentials("watcher:s3cret"), seen.back().Header("Proxy-Authorization"));
}

TEST_F(Download, AProxyRefusingTheCredentialsGivesMinusOne) {
    LoopbackHttpServer proxy;
    UseProxy(proxy, "wrong");
    Outcome o = Run(server.Url("/page.htm"));
    EXPECT_EQ(kDownloadHttpError, o.result);
    EXPECT_EQ(407u, o.status);
    EXPECT_EQ("old target", Target());
}

TEST_F(Download, AFileUrlIsCopiedFromTheFileSystem) {
    std::string source = dir.Write("local_page.htm", "<html>local</html>");
    Outcome o = Run(NormalizeUrl(source.c_str(), true).c_str());
    EXPECT_EQ(0, o.result);
    EXPECT_EQ(0u, o.status);
    EXPECT_EQ("<html>local</html>", Target());
    o = Run(NormalizeUrl(dir.File("absent.htm").c_str(), true).c_str());
    EXPECT_EQ(static_cast<int32_t>(platform::kErrFileNotFound), o.result);
}

TEST_F(Download, TheCharsetComesFromTheContentType) {
    HttpReply r = Page("text");
    r.headers = {"Content-Type: text/html; charset=iso-8859-5"};
    server.Answer("/ru.htm", r);
    Outcome o = Run(server.Url("/ru.htm"));
    EXPECT_EQ(0, o.result);
    EXPECT_EQ("text/html; charset=iso-8859-5", o.contentType);
    EXPECT_EQ(4, o.charset);
    // Without a parser the code stays unknown.
    settings.charsetOf = nullptr;
    o = Run(server.Url("/ru.htm"));
    EXPECT_EQ(0, o.charset);
}

TEST_F(Download, AServerThatNeverAnswersEndsInATimeOut) {
    HttpReply r;
    r.neverAnswer = true;
    server.Answer("/stuck.htm", r);
    settings.timeouts.receiveMs = 1000;
    Outcome o = Run(server.Url("/stuck.htm"));
    // Wine's WinInet names a receive time-out an aborted connection.
    EXPECT_TRUE(o.result == static_cast<int32_t>(kErrInternetTimeout) ||
                o.result == static_cast<int32_t>(kErrInternetConnectionAborted))
        << o.result;
    EXPECT_EQ(0u, o.status);
    EXPECT_EQ("old target", Target());
}

TEST_F(Download, NobodyListeningIsAConnectionError) {
    std::string url;
    {
        LoopbackHttpServer gone;
        url = gone.Url("/page.htm");
    }
    Outcome o = Run(url);
    EXPECT_EQ(static_cast<int32_t>(kErrInternetCannotConnect), o.result);
    EXPECT_EQ(0u, o.status);
}

TEST_F(Download, HttpsToAPlainServerFailsWithoutHanging) {
    server.Answer("/page.htm", Page("plain"));
    std::string url = "https://127.0.0.1:" + std::to_string(server.Port()) + "/page.htm";
    Outcome o = Run(url);
    EXPECT_GT(o.result, 0);
    EXPECT_NE(kDownloadCancelled, o.result);
    EXPECT_EQ("old target", Target());
}

TEST_F(Download, AnAbortBeforeTheStartGivesCancelledAndCopiesNothing) {
    server.Answer("/page.htm", Page("never copied"));
    auto queue = std::make_shared<HostQueue>();
    DownloadNode node(queue, server.Url("/page.htm").c_str(), target.c_str(), "", settings);
    node.Thread()->Abort();
    ASSERT_TRUE(node.Thread()->Start(platform::kPriorityBelowNormal));
    EXPECT_EQ(kDownloadCancelled, node.Thread()->GetResult());
    EXPECT_EQ("", Target());  // opened for the copy, which stopped at once
}

namespace {

int32_t FakeMailboxCheck(DownloadThread& thread) {
    return thread.Url() == "mailto:u:p@127.0.0.1:110" && thread.StoredCopy() == "stored.box" ? 58
                                                                                             : 1;
}

}  // namespace

TEST_F(Download, AMailboxAddressRunsTheMailboxCheck) {
    settings.mailboxCheck = &FakeMailboxCheck;
    Outcome o = Run("mailto:u:p@127.0.0.1:110", "stored.box");
    EXPECT_EQ(58, o.result);
    EXPECT_EQ(0u, server.Requests().size());
    settings.mailboxCheck = nullptr;
    o = Run("mailto:u:p@127.0.0.1:110");
    EXPECT_EQ(static_cast<int32_t>(kErrInternetUnrecognizedScheme), o.result);
}
