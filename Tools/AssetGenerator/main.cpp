// Writes every asset of the game into the folder named on the command line (the build passes the
// repository's Assets/). Exits non-zero if any file could not be written.
#include "AssetGenerator.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::printf("ERROR: Usage: %s <assets folder>\n", argc > 0 ? argv[0] : "QuillmarchAssetGenerator");
        return 2;
    }
    AssetGenerator generator(argv[1]);
    return generator.generateAll() ? 0 : 1;
}
