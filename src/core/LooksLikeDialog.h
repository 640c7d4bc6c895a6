#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dolmex {

// How much of a file the test looks at: no dialog runs this far without a record.
inline constexpr std::size_t kDialogSniffBytes = 64 * 1024;
// Lines of other text (neither record, comment nor blank) allowed before the first record.
inline constexpr int kStrayLinesBeforeRecord = 20;

// Whether the start of a file looks like a dialog, so that opening something else can be
// asked about first. Within its first kDialogSniffBytes it must hold no NUL byte, control
// characters other than tab, CR and LF must be at most one byte in ten, and a record must
// come before kStrayLinesBeforeRecord lines of other text (and within those bytes at all,
// when the file is longer). An empty file passes, and so does any ordinary dialog.
bool LooksLikeDialog(std::string_view bytes);

// The same over the start of the file at `path`. A file that cannot be read passes: the
// load itself decides what to do with it.
bool FileLooksLikeDialog(const std::string& path);

} // namespace dolmex
