// The exchange file: written from scratch for each list or slideshow, read by the input-file view.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"
#include "explorer/list_file.h"

namespace morvel::ini {
class Document;
}

namespace morvel::explorer_rules {

// Deletes the file (a missing file is no error), then writes the keys in their order, in one
// pass. Throws ini::WriteError ("Unable to write to <path>") when the file cannot be written.
void WriteExchangeFile(const std::string& path, const std::vector<IniWrite>& writes, const FileSystem& fs);

// The names of a list file as the input-file view shows them: Files (1 when absent) entries, each
// section's F or "[ERROR]", lower-cased. A count beyond the sections the file holds is cut to
// them: the count is read from a file and is not trusted.
std::vector<std::string> InputListNames(const ini::Document& list);

}  // namespace morvel::explorer_rules
