#include "CompactCoding/BinaryDecoder.h"

#include "CompactCoding/UserInfoFlag.h"

namespace coding {

UserInfo BinaryDecoder::effectiveUserInfo() const {
    UserInfo info = userInfo;
    if (containsNilIndexSetForUnkeyedContainers)
        info.insert_or_assign(std::string(nilIndicesUserInfoKey), std::any(true));
    return info;
}

std::shared_ptr<const CodingPath> BinaryDecoder::rootPath() {
    // Every node of a call shares the empty root path; paths of errors grow on the way out.
    static const CodingPath path;
    return borrowed(path);
}

} // namespace coding
