// Saves two images in turn to one file until it is killed: the writer the crash test kills.
//
//   save_loop FILE
#include "image/DatFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop FILE\n");
        return 2;
    }
    MemoryImage images[2];
    for (int i = 0; i < 2; ++i) {
        for (size_t b = 0; b < image::kSize; ++b) {
            images[i].data()[b] = static_cast<uint8_t>(0x11 * (i + 1));
        }
    }
    for (unsigned n = 0;; ++n) {
        if (!saveDatFile(argv[1], images[n % 2])) {
            return 1;
        }
    }
}
