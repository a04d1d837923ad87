// The check states file: failures and entity tags kept across restarts,
// found again by position or by address, and damaged files.
#include <gtest/gtest.h>

#include <memory>

#include "Bytes.h"
#include "WatchListFixtures.h"
#include "WatchListIo.h"
#include "pop3/Pop3Check.h"
#include "watchlist/CheckStates.h"

// The byte-built fixtures keep one group of fields per line: the layout is
// the point, so the formatter leaves this file as written.
// clang-format off

namespace {

Bytes StatesHeader(unsigned version, unsigned count) {
    return Bytes().Raw(std::string("Ovisto Check States\0", 20)).U8(version).U16(count);
}

// A record as version 1 wrote it.
Bytes RecordV1(uint32_t at, const std::string& address, int state, int error, int detail, uint32_t since,
               const std::string& tag, const std::string& reply) {
    return Bytes().U32(at).Str(address).U32(static_cast<uint32_t>(state)).U32(static_cast<uint32_t>(error))
        .U32(static_cast<uint32_t>(detail)).U32(since).Str(tag).Str(reply);
}

// Version 2 adds the mail security byte.
Bytes Record(uint32_t at, const std::string& address, int state, int error, int detail, uint32_t since,
             const std::string& tag, const std::string& reply, uint8_t security = 0) {
    return RecordV1(at, address, state, error, detail, since, tag, reply).U8(security);
}

std::string Saved(const ItemList& list) {
    omwstream out;
    EXPECT_EQ(0, SaveCheckStates(list, out));
    return std::string(out.Data() ? out.Data() : "", static_cast<size_t>(out.Size()));
}

int Load(ItemList& list, const std::string& bytes) {
    imwstream in(bytes.data(), static_cast<long>(bytes.size()));
    return LoadCheckStates(list, in);
}

// Root, folder "News" (1), the weather page (2), the mailbox (3), a framed page (4).
std::unique_ptr<ItemList> LoadedList() {
    auto list = std::make_unique<ItemList>();
    EXPECT_EQ(0, LoadWatchList(*list, Version10File()));
    return list;
}

}  // namespace

TEST(CheckStates, AFailedPageAndATaggedCopyAreWrittenByteForByteAndReadBack) {
    auto list = LoadedList();
    ItemNode* page = Child(*Top(*list, 0), 0);
    ItemNode* mailbox = Child(*Top(*list, 0), 1);
    page->state = kCheckFailed;
    page->lastError = -1;
    page->detail = 404;
    page->failedSince = 1700000000;
    page->etag = "\"v1\"";
    mailbox->etag = "\"m1\"";
    mailbox->state = kCheckFailed;
    mailbox->lastError = 12015;
    mailbox->failedSince = 1700000100;
    mailbox->serverReply = "-ERR [AUTH] Authentication failed.";
    const std::string expected =
        StatesHeader(2, 2)
            .Add(Record(2, "http://weather.example/today", -1, -1, 404, 1700000000, "\"v1\"", ""))
            .Add(Record(3, mailbox->properties.address.c_str(), -1, 12015, 0, 1700000100,
                        "\"m1\"", "-ERR [AUTH] Authentication failed."))
            .str();
    EXPECT_EQ(expected, Saved(*list));

    auto again = LoadedList();
    ASSERT_EQ(0, Load(*again, expected));
    const ItemNode* p = Child(*Top(*again, 0), 0);
    EXPECT_EQ(-1, p->state);
    EXPECT_EQ(-1, p->lastError);
    EXPECT_EQ(404, p->detail);
    EXPECT_EQ(1700000000u, p->failedSince);
    EXPECT_STREQ("\"v1\"", p->etag.c_str());
    EXPECT_STREQ("-ERR [AUTH] Authentication failed.", Child(*Top(*again, 0), 1)->serverReply.c_str());
    EXPECT_EQ(expected, Saved(*again));
}

TEST(CheckStates, AnIdleObjectKeepsOnlyItsTagAndNothingIsWrittenForTheRest) {
    auto list = LoadedList();
    EXPECT_EQ(StatesHeader(2, 0).str(), Saved(*list));
    ItemNode* page = Child(*Top(*list, 0), 0);
    page->etag = "W/\"x\"";
    page->lastError = 5;  // not failed: the error is not kept
    EXPECT_EQ(StatesHeader(2, 1).Add(Record(2, "http://weather.example/today", 0, 0, 0, 0, "W/\"x\"", "")).str(),
              Saved(*list));
}

// Saved while the failed page is checked again (another object's check
// ended meanwhile): its failure still stands and is kept; a page being
// checked that had not failed keeps nothing.
TEST(CheckStates, AFailureStandsWhileItsObjectIsCheckedAgain) {
    auto list = LoadedList();
    ItemNode* page = Child(*Top(*list, 0), 0);
    page->lastError = -1;
    page->detail = 404;
    page->failedSince = 1700000000;
    const std::string failed =
        StatesHeader(2, 1).Add(Record(2, "http://weather.example/today", -1, -1, 404, 1700000000, "", "")).str();
    for (int state : {kCheckDownloading, kCheckComparing, kCheckRequested}) {
        page->state = state;
        EXPECT_EQ(failed, Saved(*list)) << "state " << state;
    }
    page->failedSince = 0;  // its last check went well
    EXPECT_EQ(StatesHeader(2, 0).str(), Saved(*list));

    page->failedSince = 1700000000;
    auto again = LoadedList();
    page->state = kCheckDownloading;
    ASSERT_EQ(0, Load(*again, Saved(*list)));
    EXPECT_EQ(kCheckFailed, Child(*Top(*again, 0), 0)->state) << "after a restart it shows as failed";
}

TEST(CheckStates, ARecordFollowsItsAddressWhenTheObjectMoved) {
    auto list = LoadedList();
    // Written when the page stood at position 4; now the framed page is there.
    const std::string bytes =
        StatesHeader(2, 2)
            .Add(Record(4, "http://weather.example/today", -1, 12029, 0, 99, "", ""))
            .Add(Record(1, "http://gone.example/", -1, 12007, 0, 98, "", ""))
            .str();
    ASSERT_EQ(0, Load(*list, bytes));
    EXPECT_EQ(12029, Child(*Top(*list, 0), 0)->lastError) << "found by address";
    EXPECT_EQ(0, Top(*list, 1)->lastError) << "the object at position 4 has another address";
    EXPECT_EQ(0, Top(*list, 0)->state) << "a folder takes no record";
}

TEST(CheckStates, AMailboxKeepsTheSecurityOfItsLastCheckAndOldFilesStillRead) {
    auto list = LoadedList();
    ItemNode* mailbox = Child(*Top(*list, 0), 1);
    mailbox->mailSecurity = kMailStls;
    const std::string expected =
        StatesHeader(2, 1).Add(Record(3, mailbox->properties.address.c_str(), 0, 0, 0, 0, "", "", kMailStls)).str();
    EXPECT_EQ(expected, Saved(*list)) << "an object with nothing but its security is kept";
    auto again = LoadedList();
    ASSERT_EQ(0, Load(*again, expected));
    EXPECT_EQ(kMailStls, Child(*Top(*again, 0), 1)->mailSecurity);

    // A version 1 file has no security byte: its records read as before.
    auto old = LoadedList();
    const std::string v1 =
        StatesHeader(1, 2)
            .Add(RecordV1(2, "http://weather.example/today", -1, 12029, 0, 99, "\"t\"", ""))
            .Add(RecordV1(3, mailbox->properties.address.c_str(), -1, 12015, 0, 98, "", "-ERR no"))
            .str();
    ASSERT_EQ(0, Load(*old, v1));
    EXPECT_EQ(12029, Child(*Top(*old, 0), 0)->lastError);
    EXPECT_STREQ("\"t\"", Child(*Top(*old, 0), 0)->etag.c_str());
    EXPECT_STREQ("-ERR no", Child(*Top(*old, 0), 1)->serverReply.c_str());
    EXPECT_EQ(0, Child(*Top(*old, 0), 1)->mailSecurity);
}

TEST(CheckStates, DamagedFilesReadWhatTheyCanAndNeverMore) {
    auto list = LoadedList();
    EXPECT_EQ(-1, Load(*list, "Ovisto Check State"));
    EXPECT_EQ(-1, Load(*list, StatesHeader(3, 0).str())) << "an unknown version";
    EXPECT_EQ(-1, Load(*list, StatesHeader(0, 0).str())) << "an unknown version";
    const std::string good = Record(2, "http://weather.example/today", -1, 7, 8, 9, "", "").str();
    const std::string cut = StatesHeader(2, 3).Add(Record(2, "http://weather.example/today", -1, 7, 8, 9, "", "")).str() +
                            good.substr(0, 6);
    EXPECT_EQ(-1, Load(*list, cut));
    EXPECT_EQ(7, Child(*Top(*list, 0), 0)->lastError) << "the record before the cut stays";
}
// clang-format on
