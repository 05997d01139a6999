// The stream decoder is a template and lives in its header; compiling one instance here keeps
// the header honest about what it includes and catches template errors when the library builds.
#include "CompactCoding/BinaryStreamDecoder.h"

namespace coding {

template class BinaryStreamDecoder<std::int64_t>;

} // namespace coding
