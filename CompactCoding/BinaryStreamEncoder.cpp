// The stream encoder is a template and lives in its header; compiling one instance here keeps
// the header honest about what it includes and catches template errors when the library builds.
#include "CompactCoding/BinaryStreamEncoder.h"

namespace coding {

template class BinaryStreamEncoder<std::int64_t>;

} // namespace coding
