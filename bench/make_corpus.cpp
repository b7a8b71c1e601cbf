// Writes a generated project folder: make-corpus FOLDER [SEED] [FORMS] [FORM_KB]
#include <cstdio>
#include <cstdlib>

#include "testing/corpus.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [SEED] [FORMS] [FORM_KB]\n", argv[0]);
        return 2;
    }
    tavkonv40::corpus::FolderShape shape;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (argc > 3) shape.forms = std::atoi(argv[3]);
    if (argc > 4) shape.formBytes = std::strtoull(argv[4], nullptr, 10) * 1024;
    const auto bytes = tavkonv40::corpus::writeFolder(argv[1], seed, shape);
    std::printf("%s: %.1f MB\n", argv[1], static_cast<double>(bytes) / 1e6);
    return 0;
}
