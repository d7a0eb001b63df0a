#include "app/RecentList.h"

#include <algorithm>

namespace grafolux {

void AddRecent(std::vector<std::string>& strRecent, const std::string& path) {
    const auto same = std::find(strRecent.begin(), strRecent.end(), path);
    if (same != strRecent.end()) strRecent.erase(same);
    strRecent.insert(strRecent.begin(), path);
    if (strRecent.size() > kMaxRecent) strRecent.resize(kMaxRecent);
}

}  // namespace grafolux
