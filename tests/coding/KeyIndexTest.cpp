#include "coding/KeyIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Keys of one length that agree in their first, middle and last bytes and differ elsewhere: a
// hash of a few bytes would file them all under one slot.
std::string keyNumber(std::size_t n) {
    std::string key = "k-" + std::string(20, '.') + "-k";
    key[3] = static_cast<char>('a' + n % 26);
    key[17] = static_cast<char>('a' + n / 26 % 26);
    key[5] = static_cast<char>('a' + n / 676 % 26);
    return key;
}

TEST(KeyIndex, FindsEveryKeyAndNoOtherBeforeAndPastTheScanLimit) {
    for (const std::size_t count : {std::size_t{1}, std::size_t{16}, std::size_t{17}, std::size_t{2000}}) {
        std::vector<std::string> keys;
        coding::KeyIndex<> index;
        for (std::size_t i = 0; i < count; ++i) {
            keys.push_back(keyNumber(i));
            index.add(coding::keyHash(keys.back()), keys.size(), [&](std::size_t j) { return coding::keyHash(keys[j]); });
        }
        EXPECT_EQ(index.isHashed(), count > coding::KeyIndex<>::scanLimit);
        const auto find = [&](const std::string& key) {
            return index.find(coding::keyHash(key), keys.size(), [&](std::size_t j) { return keys[j] == key; });
        };
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(find(keys[i]), i) << count;
        EXPECT_EQ(find(keyNumber(count)), count);
        EXPECT_EQ(find(""), count);
    }
}

} // namespace
