#include "coding/Fatal.h"

#include <cstdio>
#include <cstdlib>

namespace coding {

void fatal(std::string_view message, const char* file, unsigned line) {
    std::fprintf(stderr, "%s:%u: %.*s\n", file, line, static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace coding
