// Writes the fuzz targets' seed corpora: one small valid value (or stream) of every fuzzed type,
// with and without the nil-index option. Run once after the encoder's format changes:
//   build/fuzz/fuzz/lumenscroll_fuzz_seeds fuzz/corpus

#include "FuzzedTypes.h"

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
    result.memo->memoContent = result.hasMemo ? "메모" : "";
    result.memo->praise = index;
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
    std::filesystem::create_directories(single);
    std::filesystem::create_directories(stream);
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
