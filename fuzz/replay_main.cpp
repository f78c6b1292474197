// Runs a fuzz target without libFuzzer: every file of the folders (or the
// files) named on the command line is given to LLVMFuzzerTestOneInput once,
// in name order. A target that finds a fault aborts, so the run fails with
// the file it was reading named last; a folder without a file fails too, so
// a target whose seeds went missing cannot pass by testing nothing.
#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Set up once before the first input, when the target has such a function.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> inputFiles(int argc, char** argv)
{
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        if (!std::filesystem::is_directory(named)) {
            files.push_back(named);
            continue;
        }
        std::vector<std::filesystem::path> inFolder;
        for (const auto& entry : std::filesystem::directory_iterator(named)) {
            if (entry.is_regular_file())
                inFolder.push_back(entry.path());
        }
        if (inFolder.empty()) {
            std::fprintf(stderr, "%s holds no seed file\n", named.c_str());
            std::exit(1);
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <seed folder or file>...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    const std::vector<std::filesystem::path> files = inputFiles(argc, argv);
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::printf("%s (%zu bytes)\n", file.c_str(), bytes.size());
        std::fflush(stdout);
        // A pointer that is never null, as libFuzzer gives, also for an empty file.
        static const uint8_t none = 0;
        const auto* data = bytes.empty() ? &none : reinterpret_cast<const uint8_t*>(bytes.data());
        LLVMFuzzerTestOneInput(data, bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    return 0;
}
