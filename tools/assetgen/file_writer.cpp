// One generated file written whole.
#include "tools/assetgen/file_writer.h"

#include <cstdio>
#include <memory>

int FileWriteAll(const char* path, const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "wb"), std::fclose);
    if (!file) {
        return 0;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return 0;
    }
    return std::fclose(file.release()) == 0 ? 1 : 0;
}
