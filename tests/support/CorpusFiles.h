// The inputs kept in the tree for a reader: a fuzz target's seeds
// (fuzz/corpus/<target>) and the files that once broke it, kept as
// regressions. The ordinary tests run them all through the reader.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

struct CorpusFile
{
    std::string name; // folder/file, for failure messages
    std::string bytes;
};

// Every file of the folders (relative to the source tree) whose name is
// kept by `keep`, in name order.
inline std::vector<CorpusFile> CorpusFiles(
    const std::vector<std::string>& folders,
    const std::function<bool(const std::string&)>& keep = [](const std::string&) { return true; })
{
    std::vector<CorpusFile> files;
    for (const std::string& folder : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(VANTREL_SOURCE_DIR) / folder)) {
            const std::string name = entry.path().filename().string();
            if (!keep(name))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            files.push_back({folder + "/" + name, {std::istreambuf_iterator<char>(in), {}}});
        }
    }
    std::sort(files.begin(), files.end(),
              [](const CorpusFile& a, const CorpusFile& b) { return a.name < b.name; });
    return files;
}
