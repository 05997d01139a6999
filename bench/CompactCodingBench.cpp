// One chapter record through the compact coders, through two coders of self-describing keyed
// records (msgpack-c, nlohmann-json's CBOR) with the same text keys, through the
// protobuf-compatible coders and through libprotobuf's generated code for the same fields, in one
// run: Genesis 1 (31 verses) and Psalm 119 (176 verses), Korean verse text, a note object of its
// own on every verse and a written note on some. The protobuf-compatible decoder and libprotobuf
// also read lists of many small messages (a number each, with a oneof left unset, with one set,
// or without a oneof), where what counts is the work per message. After the benchmarks the
// program prints the encoded sizes and the time ratios of our coders to each peer.
//
// Every benchmark is repeated (10 times unless --benchmark_repetitions says otherwise) with the
// repetitions of all coders run by turns in a random order, and the ratios are those of the
// medians, which a burst of other work on the machine moves least.

#include "CompactCoding/BinaryDecoder.h"
#include "CompactCoding/BinaryEncoder.h"
#include "CompactCoding/protobuf/ProtobufDecoder.h"
#include "CompactCoding/protobuf/ProtobufEncoder.h"
#include "CborChapter.h"
#include "MsgpackChapter.h"
#include "NumberedChapter.h"
#include "app/model/BibleStructure.h"
#include "chapter.pb.h"
#include "small.pb.h"
#include "coding/Coding.h"
#include "protobuf/ProtobufTestRecords.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

using lumenscroll::BiblePraise;
using lumenscroll::BibleStructure;
using lumenscroll::Memo;

namespace proto = lumenscroll::bench;

// Korean sentences of the length of real verses (40 to 70 syllables), put together from pieces.
constexpr std::array<std::string_view, 8> subjects{
    "여호와께서", "주의 종이", "의인들은", "나의 영혼이", "주의 말씀이", "그 백성이", "내 마음이", "왕과 방백들이",
};
constexpr std::array<std::string_view, 8> middles{
    "주의 율례를 지키며",       "온 마음으로 주를 찾으며",     "새벽에 일어나 부르짖으며",
    "주의 법도를 묵상하고",     "밤낮으로 주의 증거를 생각하며", "고난 중에서도 소망을 품고",
    "주의 길로 행하여 떠나지 않고", "정직한 마음으로 감사하며",
};
constexpr std::array<std::string_view, 6> endings{
    "주를 찬송하리이다.",      "복이 있음이여.",           "영원히 부끄럽지 아니하리이다.",
    "길을 잃지 아니하리로다.", "그 말씀으로 기뻐하리이다.", "주의 이름을 높이리로다.",
};

std::string verseText(std::size_t i) {
    std::string text(subjects[i % subjects.size()]);
    text += ' ';
    text += middles[(3 * i) % middles.size()];
    text += ' ';
    text += middles[(5 * i + 1) % middles.size()];
    if (i % 2 == 0) {
        text += ' ';
        text += middles[(7 * i + 2) % middles.size()];
    }
    text += ' ';
    text += endings[i % endings.size()];
    return text;
}

BibleStructure makeChapter(std::int64_t book, std::string name, std::int64_t chapter, std::size_t verses) {
    BibleStructure record;
    record.versesIndex = chapter - 1;
    record.order = book;
    record.name = std::move(name);
    record.isOldTestment = true;
    record.sectionIndex = book;
    for (std::size_t i = 0; i < verses; ++i) {
        BiblePraise verse;
        verse.index = static_cast<std::int64_t>(i);
        verse.word = verseText(i);
        Memo memo; // a note object of its own
        memo.section = book;
        memo.verse = chapter - 1;
        memo.praise = verse.index;
        if (i % 4 == 1) {
            verse.hasMemo = true;
            verse.memoTitle = "묵상 노트";
            memo.id = "memo-" + std::to_string(book) + "-" + std::to_string(chapter) + "-" + std::to_string(i);
            memo.memoContent = "오늘 이 말씀을 읽으며 " + verseText(i + 3) + " 하루를 감사로 시작한다.";
            memo.date = "2024-05-0" + std::to_string(1 + i % 9) + " 06:30:00";
            memo.userId = "user-20240501";
            memo.nickname = "새벽묵상";
            memo.userProfileImageURL = "profile/user-20240501.png";
            memo.isSharing = i % 8 == 1;
            memo.userGroupId = "group-7";
            memo.userGroupName = "청년부 말씀 모임";
        }
        verse.memo = std::make_shared<const Memo>(std::move(memo));
        verse.bgColor = i % 5 == 0 ? 3 : 0;
        verse.bookmarked = i % 11 == 0;
        if (i % 8 == 0) {
            verse.hasTheme = true;
            verse.theme = "말씀을 사랑하는 노래 " + std::to_string(i / 8 + 1);
        }
        record.praises.push_back(std::move(verse));
    }
    return record;
}

proto::BibleStructure toProto(const BibleStructure& record) {
    proto::BibleStructure message;
    message.set_versesindex(record.versesIndex);
    message.set_order(record.order);
    message.set_language(record.language);
    message.set_name(record.name);
    message.set_isoldtestment(record.isOldTestment);
    message.set_sectionindex(record.sectionIndex);
    message.set_kindofbible(lumenscroll::rawValue(record.kindOfBible));
    message.set_matchingindextomemo(record.matchingIndexToMemo);
    for (const BiblePraise& verse : record.praises) {
        proto::BiblePraise& out = *message.add_praises();
        out.set_index(verse.index);
        out.set_word(verse.word);
        out.set_isselected(verse.isSelected);
        out.set_hasmemo(verse.hasMemo);
        out.set_memotitle(verse.memoTitle);
        out.set_bgcolor(verse.bgColor);
        out.set_hastheme(verse.hasTheme);
        out.set_theme(verse.theme);
        out.set_bookmarked(verse.bookmarked);
        const Memo& memo = *verse.memo;
        proto::Memo& note = *out.mutable_memo();
        note.set_id(memo.id);
        note.set_section(memo.section);
        note.set_verse(memo.verse);
        note.set_praise(memo.praise);
        note.set_memocontent(memo.memoContent);
        note.set_date(memo.date);
        note.set_assent(memo.assent);
        note.set_userid(memo.userId);
        note.set_nickname(memo.nickname);
        note.set_userprofileimageurl(memo.userProfileImageURL);
        note.set_issharing(memo.isSharing);
        note.set_sharingoption(memo.sharingOption);
        note.set_assentedusers(memo.assentedUsers);
        note.set_usergroupid(memo.userGroupId);
        note.set_usergroupname(memo.userGroupName);
    }
    return message;
}

// The two chapters, built once.
struct Chapter {
    BibleStructure record;
    proto::BibleStructure message;
    coding::Data compactBytes;
    std::string protobufBytes;
    numbered::BibleStructure numbered; // the same chapter for the protobuf-compatible coders
    coding::Data protobufFormBytes;
    msgpack::sbuffer msgpackBytes;
    std::vector<std::uint8_t> cborBytes;
};

const Chapter& chapterOf(std::size_t verses) {
    static const std::map<std::size_t, Chapter> chapters = [] {
        std::map<std::size_t, Chapter> result;
        for (const BibleStructure& record : std::vector{makeChapter(0, "창세기", 1, 31), makeChapter(18, "시편", 119, 176)}) {
            const auto numbered = numbered::BibleStructure::from(record);
            Chapter chapter{record, toProto(record), coding::BinaryEncoder().encode(record), {},
                            numbered, coding::ProtobufEncoder().encode(numbered), msgpackChapter::encode(record),
                            cborChapter::encode(record)};
            chapter.message.SerializeToString(&chapter.protobufBytes);
            result.emplace(record.praises.size(), std::move(chapter));
        }
        return result;
    }();
    return chapters.at(verses);
}

void compactEncode(benchmark::State& state, std::size_t verses) {
    const BibleStructure& record = chapterOf(verses).record;
    const coding::BinaryEncoder encoder;
    for (auto _ : state) {
        coding::Data bytes = encoder.encode(record);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(chapterOf(verses).compactBytes.size());
}

void compactDecode(benchmark::State& state, std::size_t verses) {
    const coding::Data& bytes = chapterOf(verses).compactBytes;
    const coding::BinaryDecoder decoder;
    for (auto _ : state) {
        BibleStructure record = decoder.decode<BibleStructure>(bytes);
        benchmark::DoNotOptimize(record.praises.data());
    }
}

void protobufFormEncode(benchmark::State& state, std::size_t verses) {
    const numbered::BibleStructure& record = chapterOf(verses).numbered;
    const coding::ProtobufEncoder encoder;
    for (auto _ : state) {
        coding::Data bytes = encoder.encode(record);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(chapterOf(verses).protobufFormBytes.size());
}

void protobufFormDecode(benchmark::State& state, std::size_t verses) {
    const coding::Data& bytes = chapterOf(verses).protobufFormBytes;
    const coding::ProtobufDecoder decoder;
    for (auto _ : state) {
        numbered::BibleStructure record = decoder.decode<numbered::BibleStructure>(bytes);
        benchmark::DoNotOptimize(record.praises.data());
    }
}

void msgpackEncode(benchmark::State& state, std::size_t verses) {
    const BibleStructure& record = chapterOf(verses).record;
    for (auto _ : state) {
        msgpack::sbuffer bytes = msgpackChapter::encode(record);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(chapterOf(verses).msgpackBytes.size());
}

void msgpackDecode(benchmark::State& state, std::size_t verses) {
    const msgpack::sbuffer& bytes = chapterOf(verses).msgpackBytes;
    for (auto _ : state) {
        BibleStructure record = msgpackChapter::decode(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(record.praises.data());
    }
}

void cborEncode(benchmark::State& state, std::size_t verses) {
    const BibleStructure& record = chapterOf(verses).record;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = cborChapter::encode(record);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(chapterOf(verses).cborBytes.size());
}

void cborDecode(benchmark::State& state, std::size_t verses) {
    const std::vector<std::uint8_t>& bytes = chapterOf(verses).cborBytes;
    for (auto _ : state) {
        BibleStructure record = cborChapter::decode(bytes);
        benchmark::DoNotOptimize(record.praises.data());
    }
}

void protobufEncode(benchmark::State& state, std::size_t verses) {
    const proto::BibleStructure& message = chapterOf(verses).message;
    for (auto _ : state) {
        std::string bytes;
        message.SerializeToString(&bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(chapterOf(verses).protobufBytes.size());
}

void protobufDecode(benchmark::State& state, std::size_t verses) {
    const std::string& bytes = chapterOf(verses).protobufBytes;
    for (auto _ : state) {
        proto::BibleStructure message;
        if (!message.ParseFromString(bytes))
            state.SkipWithError("protobuf could not parse its own bytes");
        benchmark::DoNotOptimize(message.praises_size());
    }
}

// A list of small messages in the protobuf form, as our records and as libprotobuf's message.
struct SmallList {
    const char* name;
    coding::Data bytes;
    bool (*ours)(const coding::Data& bytes);   // decodes the bytes, and says whether all went well
    bool (*theirs)(const coding::Data& bytes); // the same with libprotobuf
};

constexpr std::size_t smallItems = 10000;

template <class Record, class Message>
SmallList smallList(const char* name, const Record& item) {
    using Items = prototest::Field<1, std::vector<Record>>;
    const Items value{std::vector<Record>(smallItems, item)};
    return SmallList{
        name, coding::ProtobufEncoder().encode(value),
        [](const coding::Data& bytes) {
            const auto record = coding::ProtobufDecoder().decode<Items>(bytes);
            benchmark::DoNotOptimize(record.value.data());
            return record.value.size() == smallItems;
        },
        [](const coding::Data& bytes) {
            Message message;
            const bool parsed = message.ParseFromArray(bytes.data(), static_cast<int>(bytes.size()));
            benchmark::DoNotOptimize(message.items_size());
            return parsed && message.items_size() == static_cast<int>(smallItems);
        }};
}

const std::vector<SmallList>& smallLists() {
    static const std::vector<SmallList> lists{
        smallList<prototest::Inner, proto::Inners>("plain", prototest::Inner{5, ""}),
        smallList<prototest::Choosing, proto::Choosings>("oneofUnset", prototest::Choosing{5, std::nullopt}),
        smallList<prototest::Choosing, proto::Choosings>("oneofSet",
                                                          prototest::Choosing{5, prototest::Choice{std::int64_t{7}}}),
    };
    return lists;
}

void protobufFormDecodeSmall(benchmark::State& state, const SmallList& list) {
    for (auto _ : state)
        if (!list.ours(list.bytes))
            state.SkipWithError("the protobuf-compatible decoder could not read the list");
}

void protobufDecodeSmall(benchmark::State& state, const SmallList& list) {
    for (auto _ : state)
        if (!list.theirs(list.bytes))
            state.SkipWithError("protobuf could not parse the list");
}

// Keeps the median CPU time per iteration of every benchmark (its only time when not repeated)
// besides printing as usual.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = run.GetAdjustedCPUTime();
            else if (run.run_type == Run::RT_Iteration)
                singles_[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // In the reporter's time unit (nanoseconds); 0 when the benchmark did not run.
    double time(const std::string& name) const {
        if (const auto found = medians_.find(name); found != medians_.end())
            return found->second;
        if (const auto found = singles_.find(name); found != singles_.end())
            return found->second;
        return 0;
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, double> singles_;
};

// Each coder reads its own bytes back to the same chapter, and the protobuf-compatible coders write
// libprotobuf's.
bool roundTripsAgree(std::size_t verses) {
    const Chapter& chapter = chapterOf(verses);
    proto::BibleStructure parsed;
    return coding::BinaryDecoder().decode<BibleStructure>(chapter.compactBytes) == chapter.record &&
           parsed.ParseFromString(chapter.protobufBytes) && parsed.praises_size() == static_cast<int>(verses) &&
           coding::ProtobufDecoder().decode<numbered::BibleStructure>(chapter.protobufFormBytes) == chapter.numbered &&
           chapter.protobufFormBytes.view() == chapter.protobufBytes &&
           msgpackChapter::decode(chapter.msgpackBytes.data(), chapter.msgpackBytes.size()) == chapter.record &&
           cborChapter::decode(chapter.cborBytes) == chapter.record;
}

// The command line with the defaults added that it leaves out: repetitions, run by turns, and
// only their statistics on the console.
std::vector<char*> withDefaults(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    const auto given = [&](std::string_view flag) {
        return std::any_of(arguments.begin() + 1, arguments.end(),
                           [flag](const char* argument) { return std::string_view(argument).starts_with(flag); });
    };
    static std::array defaults{std::pair{"--benchmark_repetitions", "--benchmark_repetitions=10"},
                               std::pair{"--benchmark_enable_random_interleaving",
                                         "--benchmark_enable_random_interleaving=true"},
                               std::pair{"--benchmark_display_aggregates_only",
                                         "--benchmark_display_aggregates_only=true"}};
    for (const auto& [flag, setting] : defaults)
        if (!given(flag))
            arguments.push_back(const_cast<char*>(setting));
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    constexpr std::array<std::size_t, 2> chapterSizes{31, 176};
    using Run = void (*)(benchmark::State&, std::size_t);
    struct Coder {
        const char* name;
        Run encode;
        Run decode;
    };
    const std::array<Coder, 5> coders{Coder{"compact", compactEncode, compactDecode},
                                      Coder{"msgpack", msgpackEncode, msgpackDecode},
                                      Coder{"cbor", cborEncode, cborDecode},
                                      Coder{"protobuf", protobufEncode, protobufDecode},
                                      Coder{"protobufForm", protobufFormEncode, protobufFormDecode}};
    const auto name = [](std::string_view coder, std::string_view operation, const auto& shape) {
        std::string result(coder);
        result.append("/").append(operation).append("/");
        if constexpr (std::is_convertible_v<decltype(shape), std::string_view>)
            result.append(shape);
        else
            result.append(std::to_string(shape));
        return result;
    };
    for (const std::size_t verses : chapterSizes) {
        if (!roundTripsAgree(verses)) {
            std::fprintf(stderr, "the chapter of %zu verses does not round-trip\n", verses);
            return 1;
        }
        for (const Coder& coder : coders)
            benchmark::RegisterBenchmark(name(coder.name, "encode", verses).c_str(), coder.encode, verses);
        for (const Coder& coder : coders)
            benchmark::RegisterBenchmark(name(coder.name, "decode", verses).c_str(), coder.decode, verses);
    }

    for (const SmallList& list : smallLists()) {
        if (!list.ours(list.bytes) || !list.theirs(list.bytes)) {
            std::fprintf(stderr, "the list of small messages %s does not decode\n", list.name);
            return 1;
        }
        benchmark::RegisterBenchmark(name("protobuf", "decode", list.name).c_str(), protobufDecodeSmall, list);
        benchmark::RegisterBenchmark(name("protobufForm", "decode", list.name).c_str(), protobufFormDecodeSmall, list);
    }

    std::vector<char*> arguments = withDefaults(argc, argv);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Targets of the compact format: below 1 against msgpack and CBOR, at most 1.3 against
    // libprotobuf; of the protobuf-compatible form: encode at most 1.5, decode at most 2.
    std::printf("\nMedian CPU time per record in microseconds, and ours / theirs\n");
    for (const std::size_t verses : chapterSizes) {
        const Chapter& chapter = chapterOf(verses);
        std::printf("%3zu verses      %12s %12s %12s %12s %12s\n", verses, "compact", "msgpack", "CBOR", "protobuf",
                    "protobufForm");
        std::printf("  bytes         %12zu %12zu %12zu %12zu %12zu\n", chapter.compactBytes.size(),
                    chapter.msgpackBytes.size(), chapter.cborBytes.size(), chapter.protobufBytes.size(),
                    chapter.protobufFormBytes.size());
        for (const char* operation : {"encode", "decode"}) {
            std::printf("  %-13s", operation);
            for (const Coder& coder : coders)
                std::printf(" %12.1f", reporter.time(name(coder.name, operation, verses)) / 1000);
            std::printf("\n");
        }
        for (const char* operation : {"encode", "decode"}) {
            const double compact = reporter.time(name("compact", operation, verses));
            std::printf("  compact / peer, %s:", operation);
            for (const char* peer : {"msgpack", "cbor", "protobuf"})
                if (const double theirs = reporter.time(name(peer, operation, verses)); compact > 0 && theirs > 0)
                    std::printf("  %s %.2f", peer, compact / theirs);
            std::printf("\n");
        }
        std::printf("  protobufForm / protobuf:");
        for (const char* operation : {"encode", "decode"})
            if (const double ours = reporter.time(name("protobufForm", operation, verses)),
                theirs = reporter.time(name("protobuf", operation, verses));
                ours > 0 && theirs > 0)
                std::printf("  %s %.2f", operation, ours / theirs);
        std::printf("\n");
    }
    std::printf("Lists of %zu small messages, decode (aim: at most 3)\n", smallItems);
    for (const SmallList& list : smallLists())
        if (const double ours = reporter.time(name("protobufForm", "decode", list.name)),
            theirs = reporter.time(name("protobuf", "decode", list.name));
            ours > 0 && theirs > 0)
            std::printf("  %-12s %8zu bytes  protobufForm %8.1f  protobuf %8.1f  protobufForm / protobuf %.2f\n",
                        list.name, list.bytes.size(), ours / 1000, theirs / 1000, ours / theirs);
    return 0;
}
