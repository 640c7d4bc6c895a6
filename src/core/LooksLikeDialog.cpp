#include "LooksLikeDialog.h"

#include "DialogReader.h"
#include "FileBytes.h"
#include "IoError.h"

#include <algorithm>

namespace dolmex {

namespace {

bool IsControl(unsigned char c) {
    return (c < ' ' && c != '\t' && c != '\r' && c != '\n') || c == 127;
}

} // namespace

bool LooksLikeDialog(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, kDialogSniffBytes);
    if (sample.find('\0') != std::string_view::npos)
        return false;
    const auto controls = std::count_if(sample.begin(), sample.end(), [](char c) {
        return IsControl(static_cast<unsigned char>(c));
    });
    if (static_cast<std::size_t>(controls) * 10 > sample.size())
        return false;
    bool record = false;
    int stray = 0;
    ForEachLine(sample, [&](std::string_view line) {
        if (IsRecordLine(line))
            record = true;
        else if (!IsBlankLine(line) && !IsCommentLine(line))
            ++stray;
        return !record && stray < kStrayLinesBeforeRecord;
    });
    return record || (stray < kStrayLinesBeforeRecord && bytes.size() <= kDialogSniffBytes);
}

bool FileLooksLikeDialog(const std::string& path) {
    std::string start;
    try {
        // One byte more tells a file that ends within the sample from a longer one.
        start = ReadFileStart(path, kDialogSniffBytes + 1);
    } catch (const IoError&) {
        return true;
    }
    return LooksLikeDialog(start);
}

} // namespace dolmex
