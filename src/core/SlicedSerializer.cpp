#include "SlicedSerializer.h"

#include "DialogWriter.h"

#include <algorithm>

namespace dolmex {

namespace {

// The clock is read once per block: often enough to keep a slice near its budget, rarely
// enough to cost nothing beside the copying. Each block is its own chunk, reserved to size,
// so no step ever copies or grows text written before it.
constexpr std::size_t kBlockRows = 256;
constexpr std::size_t kBlockBytes = 64 * 1024;

} // namespace

bool SlicedSerializer::step(std::chrono::microseconds budget) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + budget;
    do {
        const std::size_t end = std::min(m_rows->size(), m_next + kBlockRows);
        std::size_t blockEnd = m_next;
        std::size_t bytes = 0;
        while (blockEnd < end && bytes < kBlockBytes)
            bytes += DialogRowSizeBound((*m_rows)[blockEnd++]);
        std::string chunk;
        chunk.reserve(bytes);
        for (; m_next < blockEnd; ++m_next)
            AppendDialogRow(chunk, (*m_rows)[m_next]);
        m_chunks.push_back(std::move(chunk));
    } while (!done() && Clock::now() < deadline);
    return done();
}

} // namespace dolmex
