#pragma once

#include <cstddef>

// Bytes the process's heap holds in use (small blocks plus mapped large ones). Ours and the
// peers are measured with this same figure: the difference across building a structure,
// divided by its element count.
std::size_t HeapBytesInUse();
