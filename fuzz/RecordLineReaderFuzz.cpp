// Arbitrary bytes as a holiday, worker or order file: every line and every
// field is read, and what is read must agree with itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/RecordLineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string buffer(reinterpret_cast<const char*>(data), size);
    RecordLineReader reader(buffer);
    RecordLine line;
    size_t total = 0;
    while (reader.Next(line)) {
        const std::string& text = line.Text();
        if (text.size() > RecordLineReader::kMaxLineLength || text.find('\n') != std::string::npos)
            abort();
        total += text.size();
        line.IsComment();
        line.HasTag("[HD]");
        line.HasTag("[IT]");
        const auto fields = line.Fields();
        for (size_t i = 0; i <= fields.size(); ++i) {
            const auto field = line.Field(int(i) + 1);
            if (i < fields.size() ? field != fields[i] : field.has_value())
                abort();
            line.Rest(int(i));
        }
    }
    // Lines are pieces of the input: only line ends and '\r's are dropped.
    if (total > size)
        abort();
    return 0;
}
