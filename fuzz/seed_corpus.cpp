// Writes the fuzz targets' seed corpora: one small valid value (or stream) of every fuzzed type,
// with and without the nil-index option, one of every protobuf-fuzzed type, and the messages of the
// differential target. Run once after the encoder's format changes:
//   build/fuzz/fuzz/lumenscroll_fuzz_seeds fuzz/corpus

#include "FuzzedTypes.h"
#include "ProtobufFuzzedTypes.h"

#include "CompactCoding/BinaryStreamEncoder.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace lumenscroll;

BiblePraise verse(std::int64_t index) {
    BiblePraise result;
    result.index = index;
    result.word = "태초에 하나님이";
    result.hasMemo = index % 2 == 1;
    Memo note;
    note.memoContent = result.hasMemo ? "메모" : "";
    note.praise = index;
    result.memo = std::make_shared<const Memo>(std::move(note));
    result.theme = index == 0 ? "창조" : "";
    result.bgColor = index;
    return result;
}

BibleStructure chapter() {
    BibleStructure result;
    result.versesIndex = 1;
    result.order = 0;
    result.name = "창세기";
    result.praises = {verse(0), verse(1)};
    return result;
}

// A sample of the type, and of a stream of it.
template <class T>
T sample();
template <> BibleStructure sample() { return chapter(); }
template <> BiblePraise sample() { return verse(1); }
template <> Memo sample() { return *verse(1).memo; }
template <> User sample() { return User{"u1", "별", "a@b.c", "", Date{1.5e8}, true, "g1", "g1"}; }
template <> UserGroup sample() { return UserGroup{"g1", "모임", "별", "u1", Date{2.5e8}, "", "u1"}; }
template <> Bookmark sample() { return Bookmark{"b1", 0, 1, 2, true, "u1", "별", "a@b.c"}; }
template <> std::vector<BiblePraise> sample() { return {verse(0), verse(1)}; }
template <> std::optional<BibleStructure> sample() { return chapter(); }
template <> std::vector<std::optional<std::int64_t>> sample() { return {1, std::nullopt, -300}; }

// Samples of the protobuf-fuzzed types.
namespace protobufSeeds {

using namespace prototest;
using protofuzz::Tree;

Tree tree(int depth) {
    Tree result{everything(), {}, {{false, "아니오"}, {true, ""}}, {{1, 2}, {}}, Choice{std::string("선택")}};
    if (depth > 0)
        result.children = {tree(depth - 1), Tree{}};
    return result;
}

template <class T>
T sample();
template <> Tree sample() { return tree(2); }
template <> Everything sample() { return everything(); }
template <> Choosing sample() { return Choosing{5, Choice{Inner{1, "하나"}}}; }
template <> std::vector<Tree> sample() { return {tree(1), Tree{}}; }
template <> std::map<std::string, Tree> sample() { return {{"하나", tree(0)}, {"", Tree{}}}; }
template <> std::vector<std::string> sample() { return {"태초에", "", "x"}; }
template <> std::int64_t sample() { return -7; }
template <> protofuzz::OwnLists sample() {
    return protofuzz::OwnLists{{protofuzz::OwnLists{{}, {1, -2}, {""}}, protofuzz::OwnLists{}}, {300}, {"가", ""}};
}

// Own lists of empty packed runs, within each other.
coding::Data emptyRuns() {
    Bytes node = bytes({0x0A, 0x00, 0x1A, 0x00});
    for (int level = 0; level < 3; ++level) {
        node = lengthDelimited(0x12, node);
        node.insert(node.end(), {0x0A, 0x00, 0x0A, 0x00});
    }
    return coding::Data(std::move(node));
}

// The differential target's seeds, by the number that chooses their message: values of each
// message, and bytes libprotobuf reads that our encoder does not write.
std::vector<std::tuple<std::uint8_t, std::string, coding::Data>> differentialSeeds() {
    using LocalTree = prototest::Tree<prototest::Way::keysInDecode, Positive>;
    const auto encoded = [](const auto& value) { return coding::ProtobufEncoder().encode(value); };
    const auto bytes = [](std::initializer_list<std::uint8_t> values) { return coding::Data(values); };
    return {
        {0, "everything", encoded(everything())},
        {0, "defaults", {}},
        {0, "mapValueInParts", bytes({0xAA, 0x01, 0x0B, 0x08, 0x01, 0x12, 0x02, 0x08, 0x01, 0x12, 0x03, 0x12, 0x01, 0x78})},
        {0, "mapKeyAgain", bytes({0xA2, 0x01, 0x08, 0x0A, 0x01, 0x61, 0x10, 0x03, 0x0A, 0x01, 0x62})},
        {0, "textAgain", bytes({0x42, 0x01, 0x61, 0x42, 0x02, 0xC3, 0xA9})},
        {0, "fiveByteTag", bytes({0x88, 0x80, 0x80, 0x80, 0x00, 0x01})},
        {0, "emptyPackedRuns", bytes({0x8A, 0x01, 0x00, 0x8A, 0x01, 0x02, 0x01, 0x02, 0x88, 0x01, 0x03, 0x8A, 0x01, 0x00})},
        {0, "unknownFields", bytes({0x98, 0x06, 0x05, 0xA1, 0x06, 1, 2, 3, 4, 5, 6, 7, 8, 0xAA, 0x06, 0x01, 0x00, 0xAD,
                                    0x06, 1, 2, 3, 4, 0x08, 0x01})},
        {0, "group", bytes({0xA3, 0x06, 0x08, 0x01, 0xA4, 0x06, 0x08, 0x01})},
        {1, "number", encoded(Choosing{7, Choice{std::int64_t{-1}}})},
        {1, "text", encoded(Choosing{0, Choice{std::string("선택")}})},
        {1, "inner", encoded(Choosing{5, Choice{Inner{1, "하나"}}})},
        {1, "cases", bytes({0xF0, 0x01, 0x05, 0xFA, 0x01, 0x01, 0x61, 0x82, 0x02, 0x02, 0x08, 0x01, 0x82, 0x02, 0x02,
                            0x12, 0x00})},
        {2, "packed", encoded(Unpacked{{0, -1, 300}, {0.0, -2.5}, {true, false, true}})},
        {2, "unpacked", bytes({0x08, 0x00, 0x08, 0x01, 0x11, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x18, 0x01, 0x18, 0x00})},
        {3, "everythings", encoded(Everythings{{everything(), Everything{}}, {{1, everything()}, {-2, Everything{}}}})},
        {4, "inner", encoded(Inner{150, "hi"})},
        {5, "branches", encoded(Branch{everything(), {Branch{}, Branch{Everything{}, {Branch{everything(), {}}}}}})},
        {5, "deepestBranches", coding::Data(nestedBranches(100))},
        {5, "tooDeepBranches", coding::Data(nestedBranches(101))},
        {6, "positives", encoded(Positives{{{1}, {300}}, {{2}}, {Positives{{}, {{7}}, {}}, Positives{}}})},
        {6, "positivesInEmptyRuns", coding::Data(lengthDelimited(0x1A, prototest::bytes({0x0A, 0x00, 0x12, 0x00})) +
                                            prototest::bytes({0x0A, 0x00, 0x12, 0x00, 0x12, 0x01, 0x07, 0x12, 0x00}))},
        {7, "localKeys", encoded(LocalTree{{{1}, {300}}, {LocalTree{{{7}}, {}}, LocalTree{}}})},
        {7, "localKeysInEmptyRuns", bytes({0x0A, 0x00, 0x12, 0x04, 0x0A, 0x00, 0x12, 0x00, 0x0A, 0x01, 0x05, 0x0A, 0x00})},
        {8, "sharedKeys", encoded(SharedTrees{{{{2}}, {}}, {{"가", ""}, {{}}}})},
        {8, "sharedKeysInEmptyRuns", bytes({0x0A, 0x02, 0x0A, 0x00, 0x12, 0x02, 0x0A, 0x00})},
        {9, "switchNumbers", bytes({0x0A, 0x00, 0x0A, 0x01, 0x05, 0x0A, 0x00})},
        {9, "switchTexts", bytes({0x0A, 0x00, 0x0A, 0x01, 0x61, 0x18, 0x01})},
    };
}

} // namespace protobufSeeds

void write(const std::filesystem::path& path, std::uint8_t selector, std::span<const std::uint8_t> prefix,
           const coding::Data& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.put(static_cast<char>(selector));
    file.write(reinterpret_cast<const char*>(prefix.data()), static_cast<std::streamsize>(prefix.size()));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path root = argc > 1 ? argv[1] : "corpus";
    const auto single = root / "fuzz_BinaryDecoder";
    const auto stream = root / "fuzz_BinaryStreamDecoder";
    const auto protobuf = root / "fuzz_ProtobufDecoder";
    std::filesystem::create_directories(single);
    std::filesystem::create_directories(stream);
    std::filesystem::create_directories(protobuf);
    for (unsigned type = 0; type < protofuzz::typeCount; ++type)
        protofuzz::withType(type, [&]<class T>(const T&) {
            write(protobuf / std::to_string(type), static_cast<std::uint8_t>(type), {},
                  coding::ProtobufEncoder().encode(protobufSeeds::sample<T>()));
        });
    write(protobuf / "7-emptyRuns", 7, {}, protobufSeeds::emptyRuns());
    const auto differential = root / "fuzz_ProtobufDifferential";
    std::filesystem::create_directories(differential);
    for (const auto& [selector, name, bytes] : protobufSeeds::differentialSeeds())
        write(differential / name, selector, {}, bytes);
    for (unsigned type = 0; type < fuzzing::typeCount; ++type) {
        for (const bool nilIndices : {false, true}) {
            const auto selector = static_cast<std::uint8_t>(type | (nilIndices ? 0x80 : 0));
            coding::BinaryEncoder encoder;
            encoder.prependNilIndexSetForUnkeyedContainers = nilIndices;
            fuzzing::withType(type, [&]<class T>(const T&) {
                const std::string name = std::to_string(type) + (nilIndices ? "-nil" : "");
                write(single / name, selector, {}, encoder.encode(sample<T>()));
                const std::vector<T> elements{sample<T>(), T(), sample<T>()};
                const std::uint8_t seed[] = {static_cast<std::uint8_t>(type * 37 + 1)};
                write(stream / name, selector, seed, coding::BinaryStreamEncoder<T>(encoder).encodeContents(elements));
            });
        }
    }
    return 0;
}
