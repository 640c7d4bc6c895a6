#pragma once

#include "GameMessages.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace dolmex {

// The module root joined with a game path: the game's "\" separators become "/", so the
// path opens on every system, and letter case is matched as on the game's own system. An
// empty root leaves the path relative to the working folder.
std::string MessageFilePathIn(const std::string& moduleRoot, std::string_view gamePath);

// The message files of the game module on disk. A file is read once and kept; it is read
// again only when its size or modification time changes, because the description is
// rebuilt on every key press and the files are large.
class FileMessageSource : public GameMessageSource {
public:
    explicit FileMessageSource(std::string moduleRoot = {}) : m_moduleRoot(std::move(moduleRoot)) {}

    const std::string& moduleRoot() const { return m_moduleRoot; }
    void setModuleRoot(std::string moduleRoot) {
        m_moduleRoot = std::move(moduleRoot);
        m_resolved = {};
    }

    const MessageFile* messageFile(MessageKind kind) override;

    // How many times a file has been read from disk, for checking the cache.
    int readCount() const { return m_readCount; }

private:
    struct Cached {
        std::int64_t size = -1;
        std::int64_t modified = 0;
        std::unique_ptr<const MessageFile> file;
    };

    std::string m_moduleRoot;
    std::array<std::string, kMessageKindCount> m_resolved; // by kind, once found
    std::unordered_map<std::string, Cached> m_cache;       // by full path
    int m_readCount = 0;
};

} // namespace dolmex
