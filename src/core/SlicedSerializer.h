#pragma once

#include "PackedLine.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace dolmex {

// Writes a dialog's file text a slice at a time, so that serialising a large dialog never
// holds the calling thread for long: each step() serialises blocks of rows until its time
// budget is spent. The chunks it keeps are, one after the other, exactly SerializeDialog(rows).
//
// The rows are read in place: the caller must not change them between steps (start over
// instead), and must keep them alive until done() or the object is dropped.
class SlicedSerializer {
public:
    explicit SlicedSerializer(const DialogLines& rows) : m_rows(&rows) {}

    // Serialises at least one block of rows, then more until `budget` has passed or all
    // rows are done; true when all rows are done.
    bool step(std::chrono::microseconds budget);
    bool done() const { return m_next >= m_rows->size(); }

    // The text written so far, in order; the serializer is left empty.
    std::vector<std::string> takeChunks() { return std::move(m_chunks); }

private:
    const DialogLines* m_rows;
    std::size_t m_next = 0;
    std::vector<std::string> m_chunks;
};

} // namespace dolmex
