#include "CompactCoding/CanonicalComposition.h"

#include <utf8proc.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

namespace coding {

bool appendCanonicalComposition(std::string_view text, std::string& out) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<utf8proc_ssize_t>::max()))
        return false;
    // The length is given, not a terminator looked for: a text may hold U+0000.
    utf8proc_uint8_t* composed = nullptr;
    const utf8proc_ssize_t length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()), static_cast<utf8proc_ssize_t>(text.size()),
                     &composed, static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE));
    // utf8proc hands back a buffer from malloc, on success only; whatever it handed back is freed.
    const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(composed, &std::free);
    if (length < 0 || composed == nullptr)
        return false;
    out.append(reinterpret_cast<const char*>(composed), static_cast<std::size_t>(length));
    return true;
}

} // namespace coding
