// Writes the fuzz targets' seed corpora: one small valid value (or stream) of every fuzzed type,
// with and without the nil-index option, and one of every protobuf-fuzzed type. Run once after the encoder's format changes:
//   build/fuzz/fuzz/lumenscroll_fuzz_seeds fuzz/corpus

#include "FuzzedTypes.h"
#include "ProtobufFuzzedTypes.h"

#include "CompactCoding/BinaryStreamEncoder.h"

#include <filesystem>
#include <fstream>
#include <string>

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
