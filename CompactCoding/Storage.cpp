#include "CompactCoding/Storage.h"

#include "CompactCoding/DataDecoder.h"

namespace coding {

std::shared_ptr<BinaryStreamProvider> Storage::useAsDecoder() const {
    if (source_)
        return source_;
    return std::make_shared<DataDecoder>(bytes_, keepAlive_);
}

} // namespace coding
