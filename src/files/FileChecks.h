#pragma once
// Questions about paths that the program asks before it opens or reopens a file.

#include <QString>
#include <string>

namespace grafolux {

// The path as Qt names files: its bytes decoded as the system decodes file names.
QString DecodePath(const std::string& path);
// True when the path names an existing file or folder.
bool FileExists(const std::string& path);
// True when both paths name the same existing file (through links and different spellings).
bool SameFile(const std::string& a, const std::string& b);
// The file's name without its folder, as captions and legends show it.
QString FileTitle(const std::string& path);

}  // namespace grafolux
