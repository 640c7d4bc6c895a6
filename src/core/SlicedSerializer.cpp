#include "SlicedSerializer.h"

#include "DialogWriter.h"

#include <algorithm>

namespace dolmex {

namespace {

// The clock is read once per block: often enough to keep a slice near its budget, rarely
// enough to cost nothing beside the copying.
constexpr std::size_t kBlockRows = 256;
constexpr std::size_t kBlockBytes = 256 * 1024;

} // namespace

bool SlicedSerializer::step(std::chrono::microseconds budget) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + budget;
    std::string chunk;
    do {
        const std::size_t end = std::min(m_rows->size(), m_next + kBlockRows);
        std::size_t blockBytes = 0;
        std::size_t row = m_next;
        for (; row < end && blockBytes < kBlockBytes; ++row) {
            const PackedLine& line = (*m_rows)[row];
            const std::size_t before = chunk.size();
            AppendDialogRow(chunk, line);
            blockBytes += chunk.size() - before;
        }
        m_next = row;
    } while (!done() && Clock::now() < deadline);
    if (!chunk.empty())
        m_chunks.push_back(std::move(chunk));
    return done();
}

} // namespace dolmex
