// Process-wide allocator settings for programs that convert many large files one after another.
#pragma once

namespace tavkonv40 {

// Keeps freed memory in the process for the next file instead of handing it back to the
// system and faulting it in again: a run allocates and frees buffers of the same few sizes for
// every file, and returning them costs more than the conversion itself. A no-op where the C
// library offers no such setting.
void keepFreedMemoryForReuse();

}  // namespace tavkonv40
