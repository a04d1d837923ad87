// The page comparison as a check runs it: both stored copies built into
// documents from their files and compared paragraph by paragraph.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "compare/HtmlComparator.h"
#include "compare/HtmlItemStream.h"
#include "compare/TableRows.h"
#include "framework/Cp1251.h"
#include "html/Charset.h"
#include "html/HtmlDocument.h"
#include "stream/MemStream.h"
#include "support/TempDir.h"
#include "watchlist/CheckNode.h"
#include "watchlist/ItemProperties.h"

namespace {

const char* const kEnglishWords[18] = {"news",   "price", "weather", "report", "market",  "city",
                                       "today",  "offer", "update",  "the",    "of",      "and",
                                       "shares", "rose",  "fell",    "by",     "percent", "after"};
// The same page in Russian, written in UTF-8.
const char* const kRussianWords[18] = {"новости", "цена",      "погода",      "отчёт",      "рынок",
                                       "город",   "сегодня",   "предложение", "обновление", "это",
                                       "из",      "и",         "акции",       "выросли",    "упали",
                                       "на",      "процентов", "после"};

// Running text with some inline markup, about `bytes` long.
std::string Sentence(std::mt19937& rng, size_t bytes, const char* const* words = kEnglishWords) {
    std::uniform_int_distribution<int> pick(0, 17), markup(0, 15);
    std::string s;
    while (s.size() < bytes) {
        int m = markup(rng);
        if (m == 0)
            s += "<b>bold</b> ";
        else if (m == 1)
            s += "<a href='/item" + std::to_string(rng() % 1000) + ".htm'>link</a> ";
        else if (m == 2)
            s += "&amp; ";
        s += words[pick(rng)];
        s += ' ';
    }
    return s;
}

// A page of paragraphs; `tag` is mixed into each text so that pages made
// with different tags have no paragraph in common.
std::vector<std::string> PageTexts(unsigned seed, size_t count, size_t bytes, const char* tag,
                                   const char* const* words = kEnglishWords) {
    std::mt19937 rng(seed);
    std::vector<std::string> texts;
    for (size_t i = 0; i < count; ++i)
        texts.push_back(std::string(tag) + std::to_string(i) + " " + Sentence(rng, bytes, words));
    return texts;
}

std::string Markup(const std::vector<std::string>& texts) {
    std::string page = "<html><head><title>Bench page</title></head><body>\n";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i % 50 == 0) page += "<div class=section>\n";
        page += "<p>" + texts[i] + "</p>\n";
        if (i % 50 == 49) page += "</div>\n";
    }
    return page + "</body></html>\n";
}

void RunComparison(benchmark::State& state, const std::string& oldPage, const std::string& newPage,
                   int expectedLevel, int32_t charset = 1) {
    TempDir dir;
    std::string oldPath = dir.Write("OV000000.HTM", oldPage);
    std::string newPath = dir.Write("OV000000.TMP", newPage);
    size_t records = 0;
    for (auto _ : state) {
        ListOf<ChangeNode> results;
        PageComparison what;
        what.oldCopy = {oldPath.c_str(), "http://host/", charset};
        what.newCopy = {newPath.c_str(), "http://host/", charset};
        what.joinTableRows = true;
        int level = ComparePageCopies(what, &results);
        if (level != expectedLevel) state.SkipWithError("unexpected change level");
        records = results.Count();
    }
    state.counters["records"] = static_cast<double>(records);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(oldPage.size() + newPage.size()));
}

// Two 1 MB copies differing in 20 scattered paragraphs.
void OneMegabytePages(std::string* oldPage, std::string* newPage,
                      const char* const* words = kEnglishWords) {
    std::vector<std::string> texts = PageTexts(7, 9000, 100, "P", words);
    std::vector<std::string> changed = texts;
    std::mt19937 rng(11);
    for (int k = 0; k < 20; ++k)
        changed[(k * 9000 / 20) + rng() % 400] = "Changed paragraph " + std::to_string(k);
    *oldPage = Markup(texts);
    *newPage = Markup(changed);
}

void BM_OneMegabyteTwentyChanges(benchmark::State& state) {
    std::string oldPage, newPage;
    OneMegabytePages(&oldPage, &newPage);
    state.counters["old bytes"] = static_cast<double>(oldPage.size());
    RunComparison(state, oldPage, newPage, 1);
}
BENCHMARK(BM_OneMegabyteTwentyChanges)->Unit(benchmark::kMillisecond);

// The same Russian page through both roads: in 1251 (the Cyrillic path, the
// text kept as it is) and in UTF-8 (the path of every other encoding). The
// UTF-8 copies are longer, as each letter takes two bytes.
void BM_OneMegabyteRussian1251(benchmark::State& state) {
    std::string oldPage, newPage;
    OneMegabytePages(&oldPage, &newPage, kRussianWords);
    oldPage = cp1251::FromUtf8(oldPage.data(), oldPage.size());
    newPage = cp1251::FromUtf8(newPage.data(), newPage.size());
    state.counters["old bytes"] = static_cast<double>(oldPage.size());
    RunComparison(state, oldPage, newPage, 1, kCharsetWindows);
}
BENCHMARK(BM_OneMegabyteRussian1251)->Unit(benchmark::kMillisecond);

void BM_OneMegabyteRussianUtf8(benchmark::State& state) {
    std::string oldPage, newPage;
    OneMegabytePages(&oldPage, &newPage, kRussianWords);
    state.counters["old bytes"] = static_cast<double>(oldPage.size());
    RunComparison(state, oldPage, newPage, 1, kCharsetUtf8);
}
BENCHMARK(BM_OneMegabyteRussianUtf8)->Unit(benchmark::kMillisecond);

// The English page declared windows-1252: converted to UTF-8 when built.
void BM_OneMegabyteConvertedFrom1252(benchmark::State& state) {
    std::string oldPage, newPage;
    OneMegabytePages(&oldPage, &newPage);
    RunComparison(state, oldPage, newPage, 1, kCharsetWestern);
}
BENCHMARK(BM_OneMegabyteConvertedFrom1252)->Unit(benchmark::kMillisecond);

// The share of the comparison proper in the case above: table rows,
// paragraph streams and the comparison, the documents built untimed.
void BM_OneMegabyteComparisonOnly(benchmark::State& state) {
    std::string pages[2];
    OneMegabytePages(&pages[0], &pages[1]);
    std::unique_ptr<HtmlDocument> docs[2];
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 2; ++i) {
            docs[i] = std::make_unique<HtmlDocument>();
            imwstream in(pages[i].data(), static_cast<long>(pages[i].size()));
            BuildDocument(*docs[i], in, "http://host/", 1, 1);
        }
        state.ResumeTiming();
        ListOf<ChangeNode> results;
        JoinTableRows(*docs[0]);
        JoinTableRows(*docs[1]);
        HtmlItemStream o(*docs[0]), n(*docs[1]);
        HtmlComparator c(InMemoryComparison(1), &results);
        c.CompareStreams(o, n);
        if (results.Count() != 20) state.SkipWithError("unexpected records");
    }
}
BENCHMARK(BM_OneMegabyteComparisonOnly)->Unit(benchmark::kMillisecond);

// Two copies of 20,000 paragraphs with nothing in common: one region, the
// resynchronisation search runs to the ends.
void BM_NothingInCommon(benchmark::State& state) {
    std::string oldPage = Markup(PageTexts(1, 20000, 30, "Old"));
    std::string newPage = Markup(PageTexts(2, 20000, 30, "New"));
    RunComparison(state, oldPage, newPage, 2);
}
BENCHMARK(BM_NothingInCommon)->Unit(benchmark::kMillisecond);

// 5,000 identical short paragraphs with one change in the middle.
void BM_ShortParagraphsOneChange(benchmark::State& state) {
    std::vector<std::string> bars(5000, "|");
    std::vector<std::string> changed = bars;
    changed[2500] = "Changed";
    RunComparison(state, Markup(bars), Markup(changed), 1);
}
BENCHMARK(BM_ShortParagraphsOneChange)->Unit(benchmark::kMillisecond);

}  // namespace
