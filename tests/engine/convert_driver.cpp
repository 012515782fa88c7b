// Test tool: runs one conversion on standard input, so that tests in any
// language can drive the engine.
//   convert-driver LABEL [--stringlength N] [--input ENC] [--source ENC]
//                        [--dest ENC] [--save ENC]
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "applib/VellGlobal.h"
#include "engine/quillet.h"
#include "fw/core/TextEncoding.h"

namespace {

int Usage(const std::string& why) {
    std::fprintf(stderr, "convert-driver: %s\n", why.c_str());
    return 2;
}

// All of standard input, read in large blocks: a stream's character-wise
// reading cost more than the conversion it was feeding.
bool ReadAll(std::string& bytes) {
    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        bytes.reserve(static_cast<size_t>(st.st_size));
    std::string block(1 << 20, '\0');
    while (size_t n = std::fread(block.data(), 1, block.size(), stdin)) bytes.append(block, 0, n);
    return !std::ferror(stdin);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage("missing LABEL");
    std::string label = argv[1];
    const fw::TextEncoding* input = fw::Encodings::SystemDefault;
    const fw::TextEncoding* source = fw::Encodings::SystemDefault;
    const fw::TextEncoding* dest = fw::Encodings::SystemDefault;
    const fw::TextEncoding* save = nullptr;
    int32_t length = 0;
    for (int i = 2; i < argc; ++i) {
        std::string opt = argv[i];
        if (i + 1 >= argc) return Usage("option " + opt + " needs a value");
        std::string value = argv[++i];
        if (opt == "--stringlength") {
            char* end = nullptr;
            long n = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || n < INT32_MIN || n > INT32_MAX)
                return Usage("--stringlength needs a whole number, not \"" + value + "\"");
            length = static_cast<int32_t>(n);
            continue;
        }
        const fw::TextEncoding** target = opt == "--input"    ? &input
                                          : opt == "--source" ? &source
                                          : opt == "--dest"   ? &dest
                                          : opt == "--save"   ? &save
                                                              : nullptr;
        if (target == nullptr) return Usage("unknown option " + opt);
        *target = fw::Encodings::ByName(value);
        if (*target == nullptr) return Usage("unknown encoding \"" + value + "\"");
    }

    std::string bytes;
    if (!ReadAll(bytes)) {
        std::perror("convert-driver: standard input");
        return 1;
    }
    EOL = fw::EndOfLine.Windows();
    quillet::stringlength = length;
    quillet::SourceEncoding = source;
    quillet::DestEncoding = dest;
    fw::String result = quillet::Varnel(fw::String::FromBytes(std::move(bytes), input), fw::String(label));
    if (save != nullptr) result = fw::ConvertEncoding(result, save);
    const std::string& out = result.bytes();
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
