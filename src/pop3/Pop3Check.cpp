#include "pop3/Pop3Check.h"

#include <cstring>
#include <string>
#include <unordered_set>

#include "framework/Cp1251.h"
#include "socket/CommPort.h"
#include "pop3/MailDecode.h"
#include "pop3/MailHeaders.h"

namespace {

bool IsPositive(const char* reply) {
    return strncmp(reply, "+OK", 3) == 0;
}

// One reply line; a reply longer than the protocol allows (512 bytes with its
// line end) is never read as two replies.
uint32_t ReadReply(CommPort& port, char* reply, long* length = nullptr) {
    if (uint32_t err = port.ReadLine(reply, kMailLineSize, length)) return err;
    return port.LineCut() ? static_cast<uint32_t>(kCheckLineTooLong) : 0u;
}

// Sends a command and reads its one-line reply.
uint32_t Command(CommPort& port, const std::string& command, char* reply) {
    if (uint32_t err = port.WriteLine(command.c_str())) return err;
    return ReadReply(port, reply);
}

uint32_t ListMessages(CommPort& port, EMailList& messages, long largestListing) {
    char line[kMailLineSize];
    if (uint32_t err = Command(port, "UIDL", line)) return err;
    if (!IsPositive(line)) return kPop3BadReply;
    for (long listed = 0;;) {
        long length = 0;
        if (uint32_t err = ReadReply(port, line, &length)) return err;
        if (line[0] == '.') return 0;
        listed += length + 2;
        if (listed > largestListing) return static_cast<uint32_t>(kCheckListingTooLarge);
        const char* space = strchr(line, ' ');
        if (!space) return kPop3BadReply;
        auto* mail = new EMail;
        mail->number.Assign(line, static_cast<size_t>(space - line));
        mail->uniqueId = space + 1;
        messages.Append(mail);
    }
}

uint32_t FetchHeaders(CommPort& port, EMail& mail) {
    char line[kMailLineSize];
    std::string top = "TOP ";
    top += mail.number.c_str();
    top += " 0";
    if (uint32_t err = Command(port, top, line)) return err;
    if (!IsPositive(line)) return kPop3BadReply;

    bool fromDecoded = false, subjectDecoded = false;
    AStr charset;
    POP3HeaderLineIterator headers(&port);
    while (headers.Next()) {
        const AStr& name = headers.Name();
        if (name == "from")
            mail.from = DecodeHeaderText(headers.Value().c_str(), &fromDecoded);
        else if (name == "subject")
            mail.subject = DecodeHeaderText(headers.Value().c_str(), &subjectDecoded);
        else if (name == "date")
            mail.date = headers.Value();
        else if (name == "return-path")
            mail.returnPath = headers.Value();
        else if (name == "content-type")
            MailCharset(headers.Value().c_str(), &charset);
    }
    if (uint32_t err = headers.Error()) return err;
    if (!headers.SawReplyEnd()) {
        do {
            if (uint32_t err = port.ReadLine(line, kMailLineSize)) return err;
        } while (strcmp(line, ".") != 0);
    }

    if (!fromDecoded) DecodeRawHeader(mail.from, charset);
    if (!subjectDecoded) DecodeRawHeader(mail.subject, charset);
    return 0;
}

uint32_t Transaction(CommPort& port, const StrList& knownIds, EMailList& messages,
                     long largestListing) {
    if (uint32_t err = ListMessages(port, messages, largestListing)) return err;
    std::unordered_set<std::string> known;
    for (StrNode* id = knownIds.First(); id; id = id->Next()) known.insert(id->c_str());
    for (EMail* mail = messages.First(); mail; mail = mail->Next()) {
        if (known.count(mail->uniqueId.c_str())) continue;
        if (uint32_t err = FetchHeaders(port, *mail)) return err;
    }
    return 0;
}

// Asks for the capabilities and upgrades with STLS when the server offers
// it; a server that answers CAPA with an error offers nothing.
uint32_t Upgrade(CommPort& port, Pop3Stls& stls) {
    char reply[kMailLineSize];
    if (uint32_t err = Command(port, "CAPA", reply)) return err;
    bool offered = false;
    if (IsPositive(reply))
        if (uint32_t err = ReadCapabilities(port, &offered)) return err;
    if (!offered) {
        if (stls.mode != kStlsRequired) return 0;
        port.WriteLine("QUIT");
        return kPop3StlsNotOffered;
    }
    if (uint32_t err = Command(port, "STLS", reply)) return err;
    if (!IsPositive(reply)) {
        port.WriteLine("QUIT");
        return kPop3StlsRefused;
    }
    if (uint32_t err = stls.upgrade ? stls.upgrade() : kTlsUnavailable) return err;
    stls.upgraded = true;
    return 0;
}

}  // namespace

uint32_t ReadCapabilities(CommPort& port, bool* stls) {
    *stls = false;
    char line[kMailLineSize];
    for (int n = 0;; ++n) {
        if (uint32_t err = port.ReadLine(line, kMailLineSize)) return err;
        if (strcmp(line, ".") == 0) return 0;
        if (n == kPop3MaxCapabilities) return kPop3BadReply;
        // The capability is the first word; a "." of byte-stuffing is not
        // expected before a capability name and is taken as part of it.
        size_t length = strcspn(line, " \t");
        if (length == 4 && cp1251::CompareNoCase(line, "STLS", 4) == 0) *stls = true;
    }
}

uint32_t RunPop3Dialogue(CommPort& port, const char* user, const char* password,
                         const StrList& knownIds, EMailList& messages, Pop3Stls* stls,
                         AStr* refusal, long largestListing) {
    messages.Clear();
    char reply[kMailLineSize];
    auto refused = [&](uint32_t code) {
        if (refusal) *refusal = reply;
        return code;
    };
    if (uint32_t err = ReadReply(port, reply)) return err;
    if (!IsPositive(reply)) return refused(kPop3BadReply);
    if (stls && stls->mode != kStlsNever)
        if (uint32_t err = Upgrade(port, *stls)) return err;
    if (uint32_t err = Command(port, std::string("USER ") + (user ? user : ""), reply)) return err;
    if (!IsPositive(reply)) return refused(kPop3UserRefused);
    if (uint32_t err = Command(port, std::string("PASS ") + (password ? password : ""), reply))
        return err;
    if (!IsPositive(reply)) return refused(kPop3PasswordRefused);

    uint32_t result = Transaction(port, knownIds, messages, largestListing);
    port.WriteLine("QUIT");
    return result;
}
