#include "coding/Fatal.h"

#include <cstdio>
#include <cstdlib>

namespace coding {

void fatal(std::string_view message, std::source_location location) {
    std::fprintf(stderr, "%s:%u: %.*s\n", location.file_name(), static_cast<unsigned>(location.line()),
                 static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace coding
