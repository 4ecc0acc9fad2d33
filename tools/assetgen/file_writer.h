// Writing one generated file whole: every writer builds its bytes in memory, then hands them here.
#pragma once

#include <cstdint>
#include <vector>

// Writes the bytes to path (created or emptied). 1 when every byte is written and the file
// closed cleanly, else 0.
int FileWriteAll(const char* path, const std::vector<uint8_t>& bytes);
