// Writes every embedded media file into the folder named on the command line.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "MediaFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    try {
        for (const mediagen::MediaFile& file : mediagen::AllMediaFiles()) {
            const std::string path = std::string(argv[1]) + "/" + file.name;
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<std::streamsize>(file.bytes.size()));
            if (!out.flush()) {
                std::fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mediagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
