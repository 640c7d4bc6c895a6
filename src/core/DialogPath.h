#pragma once

#include <string>

namespace dolmex {

// What a dialog file's path tells: the window title and the game module's root folder.
// Both "\" and "/" separate folders, so Windows paths read the same on every system.

// The characters after the last separator (the whole path when there is none).
std::string DialogFileName(const std::string& path);

// "00123Old_Man.dlg" -> "00123 - Old Man": the first five characters of the name without
// its extension, " - ", and the first word of the rest.
std::string DialogTitle(const std::string& path);

// The file's folder with its last four characters cut ("…/Module/dlg/x.dlg" -> "…/Module/"),
// empty when nothing would remain.
std::string ModuleRootOf(const std::string& path);

} // namespace dolmex
