// Fuzz target: the score table read from arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/score_file.h"

// A field must be terminated inside its array.
static bool Terminated(const char* field, size_t size)
{
    return std::memchr(field, '\0', size) != nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::FILE* stream =
        size == 0 ? std::fopen("/dev/null", "r") : fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (stream == nullptr) {
        return 0;
    }
    int result = LoadScoresFrom(stream);
    std::fclose(stream);
    if (result != 1 || ScoreCount < 0 || ScoreCount > SCORE_TABLE_SIZE) {
        std::abort();
    }
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        const ScoreRecord& r = ScoreTable[i];
        if (!Terminated(r.name, sizeof r.name) || !Terminated(r.rank, sizeof r.rank) ||
            !Terminated(r.score, sizeof r.score)) {
            std::abort();
        }
        // Entries past the records read stay empty.
        if (i >= ScoreCount && (r.name[0] != '\0' || r.rank[0] != '\0' || r.score[0] != '\0')) {
            std::abort();
        }
    }
    return 0;
}
