#include "FileBytes.h"
#include "PathText.h"

#include "IoError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace dolmex {

namespace {

std::string Reason(const QFileDevice& file) {
    return file.errorString().toStdString();
}

} // namespace

std::string ReadFileStart(const std::string& path, std::size_t maxBytes) {
    QFile file(PathText(path));
    if (QFileInfo(file).isDir())
        throw IoError(IoError::Kind::Open, path, "is a folder");
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(IoError::Kind::Open, path, Reason(file));
    std::string bytes;
    const qint64 size = file.size();
    if (size > 0)
        bytes.reserve(std::min(static_cast<std::size_t>(size), maxBytes));
    char chunk[1 << 16];
    while (bytes.size() < maxBytes) {
        const std::size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
        const qint64 got = file.read(chunk, static_cast<qint64>(want));
        if (got < 0)
            throw IoError(IoError::Kind::Read, path, Reason(file));
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
}

std::string ReadFileBytes(const std::string& path) {
    return ReadFileStart(path, std::numeric_limits<std::size_t>::max());
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const QString qpath = PathText(path);
    if (QFileInfo(qpath).isDir())
        throw IoError(IoError::Kind::Write, path, "is a folder");
    QSaveFile file(qpath);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError(IoError::Kind::Write, path, Reason(file));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const qint64 n =
            file.write(bytes.data() + written, static_cast<qint64>(bytes.size() - written));
        if (n <= 0) {
            const std::string reason = Reason(file);
            file.cancelWriting();
            throw IoError(IoError::Kind::Write, path, reason);
        }
        written += static_cast<std::size_t>(n);
    }
    if (!file.commit())
        throw IoError(IoError::Kind::Write, path, Reason(file));
}

} // namespace dolmex
