#pragma once

namespace dolmex {

// A large dialog is tens of megabytes of rows. By default glibc hands blocks that big
// straight back to the system when freed, so every reload pays for fresh pages again and
// page faults cost more than the parsing. Keeping freed memory in the heap makes a reload
// reuse it. Call once at program start; does nothing where the C library has no such knob.
void KeepFreedMemoryForReuse();

} // namespace dolmex
