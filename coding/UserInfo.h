#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>

namespace coding {

// Options a coder hands to every container it makes, looked up by name.
using UserInfo = std::map<std::string, std::any, std::less<>>;

} // namespace coding
