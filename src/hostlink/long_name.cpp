#include "hostlink/long_name.h"

#include "common/path_parts.h"

namespace morvel {

std::string LongNamePart(const std::string& path, const FileSystem& fs) {
    if (auto found = fs.FindFirstName(path)) return *found;
    return std::string(path::NamePart(path));
}

}  // namespace morvel
