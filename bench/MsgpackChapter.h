#pragma once

// The chapter record through msgpack-c's C++ API, for comparing the compact coders with a coder of
// self-describing keyed records: every record is a map with the model's own text keys, and
// unpacking fills the model's own records. Written as a user of msgpack-c writes it by hand
// (msgpack-c's own map macro would need members in the model): the object tree msgpack::unpack
// builds, then each entry matched to its field.

#include "app/model/BibleKind.h"
#include "app/model/BibleStructure.h"

#include <msgpack.hpp>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace msgpackChapter {

using lumenscroll::BiblePraise;
using lumenscroll::BibleStructure;
using lumenscroll::Memo;
using Packer = msgpack::packer<msgpack::sbuffer>;

inline void text(Packer& out, std::string_view value) {
    out.pack_str(static_cast<std::uint32_t>(value.size()));
    out.pack_str_body(value.data(), static_cast<std::uint32_t>(value.size()));
}

inline void pack(Packer& out, const Memo& memo) {
    out.pack_map(15);
    text(out, "id"), text(out, memo.id);
    text(out, "section"), out.pack(memo.section);
    text(out, "verse"), out.pack(memo.verse);
    text(out, "praise"), out.pack(memo.praise);
    text(out, "memoContent"), text(out, memo.memoContent);
    text(out, "date"), text(out, memo.date);
    text(out, "assent"), out.pack(memo.assent);
    text(out, "userId"), text(out, memo.userId);
    text(out, "nickname"), text(out, memo.nickname);
    text(out, "userProfileImageURL"), text(out, memo.userProfileImageURL);
    text(out, "isSharing"), out.pack(memo.isSharing);
    text(out, "sharingOption"), out.pack(memo.sharingOption);
    text(out, "assentedUsers"), text(out, memo.assentedUsers);
    text(out, "userGroupId"), text(out, memo.userGroupId);
    text(out, "userGroupName"), text(out, memo.userGroupName);
}

inline void pack(Packer& out, const BiblePraise& verse) {
    out.pack_map(10);
    text(out, "index"), out.pack(verse.index);
    text(out, "word"), text(out, verse.word);
    text(out, "isSelected"), out.pack(verse.isSelected);
    text(out, "hasMemo"), out.pack(verse.hasMemo);
    text(out, "memo"), pack(out, *verse.memo);
    text(out, "memoTitle"), text(out, verse.memoTitle);
    text(out, "bgColor"), out.pack(verse.bgColor);
    text(out, "hasTheme"), out.pack(verse.hasTheme);
    text(out, "theme"), text(out, verse.theme);
    text(out, "bookmarked"), out.pack(verse.bookmarked);
}

inline void pack(Packer& out, const BibleStructure& chapter) {
    out.pack_map(9);
    text(out, "versesIndex"), out.pack(chapter.versesIndex);
    text(out, "order"), out.pack(chapter.order);
    text(out, "language"), text(out, chapter.language);
    text(out, "name"), text(out, chapter.name);
    text(out, "isOldTestment"), out.pack(chapter.isOldTestment);
    text(out, "sectionIndex"), out.pack(chapter.sectionIndex);
    text(out, "kindOfBible"), out.pack(lumenscroll::rawValue(chapter.kindOfBible));
    text(out, "praises"), out.pack_array(static_cast<std::uint32_t>(chapter.praises.size()));
    for (const BiblePraise& verse : chapter.praises)
        pack(out, verse);
    text(out, "matchingIndexToMemo"), out.pack(chapter.matchingIndexToMemo);
}

inline msgpack::sbuffer encode(const BibleStructure& chapter) {
    msgpack::sbuffer buffer;
    Packer out(buffer);
    pack(out, chapter);
    return buffer;
}

// The entries of one map, each matched to a field by its key. Writers keep their field order, so
// the field after the last one matched is tried first.
template <std::size_t N>
class Entries {
public:
    Entries(const msgpack::object& map, const std::array<std::string_view, N>& names) : names_(&names) {
        if (map.type != msgpack::type::MAP)
            throw msgpack::type_error();
        entries_ = map.via.map;
    }

    // Calls `field(position, value)` for every entry whose key names a field; other entries are
    // left alone.
    template <class Field>
    void each(Field&& field) const {
        std::size_t next = 0;
        for (std::uint32_t i = 0; i < entries_.size; ++i) {
            const msgpack::object_kv& entry = entries_.ptr[i];
            if (entry.key.type != msgpack::type::STR)
                throw msgpack::type_error();
            const std::string_view key(entry.key.via.str.ptr, entry.key.via.str.size);
            for (std::size_t tried = 0; tried < N; ++tried, next = next + 1 == N ? 0 : next + 1) {
                if ((*names_)[next] == key) {
                    field(next, entry.val);
                    next = next + 1 == N ? 0 : next + 1;
                    break;
                }
            }
        }
    }

private:
    const std::array<std::string_view, N>* names_;
    msgpack::object_map entries_{};
};

inline Memo unpackMemo(const msgpack::object& map) {
    static constexpr std::array<std::string_view, 15> names{
        "id",     "section",  "verse",    "praise",    "memoContent",   "date",          "assent",       "userId",
        "nickname", "userProfileImageURL", "isSharing", "sharingOption", "assentedUsers", "userGroupId", "userGroupName"};
    Memo memo;
    Entries(map, names).each([&memo](std::size_t field, const msgpack::object& value) {
        switch (field) {
        case 0: value.convert(memo.id); break;
        case 1: value.convert(memo.section); break;
        case 2: value.convert(memo.verse); break;
        case 3: value.convert(memo.praise); break;
        case 4: value.convert(memo.memoContent); break;
        case 5: value.convert(memo.date); break;
        case 6: value.convert(memo.assent); break;
        case 7: value.convert(memo.userId); break;
        case 8: value.convert(memo.nickname); break;
        case 9: value.convert(memo.userProfileImageURL); break;
        case 10: value.convert(memo.isSharing); break;
        case 11: value.convert(memo.sharingOption); break;
        case 12: value.convert(memo.assentedUsers); break;
        case 13: value.convert(memo.userGroupId); break;
        case 14: value.convert(memo.userGroupName); break;
        }
    });
    return memo;
}

inline BiblePraise unpackVerse(const msgpack::object& map) {
    static constexpr std::array<std::string_view, 10> names{"index",     "word",    "isSelected", "hasMemo", "memo",
                                                            "memoTitle", "bgColor", "hasTheme",   "theme",   "bookmarked"};
    BiblePraise verse;
    Entries(map, names).each([&verse](std::size_t field, const msgpack::object& value) {
        switch (field) {
        case 0: value.convert(verse.index); break;
        case 1: value.convert(verse.word); break;
        case 2: value.convert(verse.isSelected); break;
        case 3: value.convert(verse.hasMemo); break;
        case 4: verse.memo = std::make_shared<Memo>(unpackMemo(value)); break;
        case 5: value.convert(verse.memoTitle); break;
        case 6: value.convert(verse.bgColor); break;
        case 7: value.convert(verse.hasTheme); break;
        case 8: value.convert(verse.theme); break;
        case 9: value.convert(verse.bookmarked); break;
        }
    });
    return verse;
}

inline BibleStructure decode(const char* bytes, std::size_t size) {
    static constexpr std::array<std::string_view, 9> names{"versesIndex",   "order",        "language",
                                                           "name",          "isOldTestment", "sectionIndex",
                                                           "kindOfBible",   "praises",      "matchingIndexToMemo"};
    const msgpack::object_handle handle = msgpack::unpack(bytes, size);
    BibleStructure chapter;
    Entries(handle.get(), names).each([&chapter](std::size_t field, const msgpack::object& value) {
        switch (field) {
        case 0: value.convert(chapter.versesIndex); break;
        case 1: value.convert(chapter.order); break;
        case 2: value.convert(chapter.language); break;
        case 3: value.convert(chapter.name); break;
        case 4: value.convert(chapter.isOldTestment); break;
        case 5: value.convert(chapter.sectionIndex); break;
        case 6: {
            const auto kind = lumenscroll::bibleKindFromRaw(value.as<std::int64_t>());
            if (!kind)
                throw msgpack::type_error();
            chapter.kindOfBible = *kind;
            break;
        }
        case 7: {
            if (value.type != msgpack::type::ARRAY)
                throw msgpack::type_error();
            chapter.praises.reserve(value.via.array.size);
            for (std::uint32_t i = 0; i < value.via.array.size; ++i)
                chapter.praises.push_back(unpackVerse(value.via.array.ptr[i]));
            break;
        }
        case 8: value.convert(chapter.matchingIndexToMemo); break;
        }
    });
    return chapter;
}

} // namespace msgpackChapter
