#include "FileMessageSource.h"
#include "core/PathText.h"

#include "core/FileBytes.h"
#include "core/IoError.h"
#include "core/PathCase.h"

#include <QDateTime>
#include <QFileInfo>

namespace dolmex {

std::string MessageFilePathIn(const std::string& moduleRoot, std::string_view gamePath) {
    return ResolvePathIgnoringCase(moduleRoot, gamePath);
}

const MessageFile* FileMessageSource::messageFile(MessageKind kind) {
    // Matching the letter case lists folders; the path found is kept while the file is
    // there, and looked for again only when it is gone.
    std::string& path = m_resolved[static_cast<std::size_t>(kind)];
    QFileInfo info(PathText(path));
    if (path.empty() || !info.isFile()) {
        path = MessageFilePathIn(m_moduleRoot, MessageFilePath(kind));
        info = QFileInfo(PathText(path));
    }
    // The stat comes before the read: a change while reading shows up at the next call.
    if (!info.isFile()) {
        m_cache.erase(path);
        return nullptr;
    }
    const std::int64_t size = info.size();
    const std::int64_t modified = info.lastModified().toMSecsSinceEpoch();
    Cached& cached = m_cache[path];
    if (cached.file && cached.size == size && cached.modified == modified)
        return cached.file.get();

    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const IoError& error) {
        m_cache.erase(path);
        if (error.kind() == IoError::Kind::Open)
            return nullptr;
        throw;
    }
    ++m_readCount;
    cached.file = std::make_unique<const MessageFile>(std::move(bytes));
    cached.size = size;
    cached.modified = modified;
    return cached.file.get();
}

} // namespace dolmex
