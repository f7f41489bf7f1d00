// Runs a fuzz target without a fuzzing engine: every file of the folders (or
// the files) named on the command line is fed to it once, in name order. A
// failure aborts through the sanitizers or std::abort; an empty or missing
// corpus is a failure too, so a test cannot pass on nothing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path &argument)
{
    std::vector<fs::path> inputs;
    std::error_code error;
    if (fs::is_directory(argument, error)) {
        for (const fs::directory_entry &entry : fs::directory_iterator(argument, error)) {
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
        }
        std::sort(inputs.begin(), inputs.end());
    } else if (fs::is_regular_file(argument, error)) {
        inputs.push_back(argument);
    }
    return inputs;
}

}  // namespace

int main(int argc, char *argv[])
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> inputs = InputsOf(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "%s: no input files\n", argv[i]);
            return 1;
        }
        for (const fs::path &input : inputs) {
            std::ifstream file(input, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
                return 1;
            }
            const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
        return 1;
    }
    std::printf("%d inputs, no failure\n", count);
    return 0;
}
