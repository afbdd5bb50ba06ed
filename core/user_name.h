#pragma once
#include <string>

#include "platform/system_queries.h"

namespace rw {

// The logged-on user's name, or "" when the platform cannot tell it.
std::string GetCurrentUserName(SystemQueries& system);

}  // namespace rw
