#pragma once

#include "TestFiles.h"
#include "shell/ProgramContext.h"

namespace dolmex::test {

// A program folder in `folder` holding the three shipped language files, and a context
// whose settings and buffers live there, as for a portable copy of the program.
inline void SetUpProgramFolder(const TempFolder& folder, ProgramContext& context) {
    for (const char* name : {"english.lng", "russian.lng", "russte.lng"})
        folder.write(name, ReadAll(std::string(DOLMEX_SOURCE_DIR "/lang/") + name));
    context.programDir = folder.root() + "/";
    context.settingsPath = folder.path("dolmex.ctl");
}

} // namespace dolmex::test
