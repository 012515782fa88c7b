// Test tool: runs one conversion on standard input, so that tests in any
// language can drive the engine.
//   convert-driver LABEL [--stringlength N] [--input ENC] [--source ENC]
//                        [--dest ENC] [--save ENC]
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// All of `fd`, read in large blocks: a stream's character-wise reading cost
// more than the conversion it was feeding.
bool ReadAll(int fd, std::string& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    std::string block(1 << 20, '\0');
    for (;;) {
        ssize_t n = ::read(fd, block.data(), block.size());
        if (n == 0) return true;
        if (n > 0) bytes.append(block, 0, static_cast<size_t>(n));
        else if (errno != EINTR) return false;
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
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
    if (!ReadAll(STDIN_FILENO, bytes)) {
        std::perror("convert-driver: standard input");
        return 1;
    }
    EOL = fw::EndOfLine.Windows();
    quillet::stringlength = length;
    quillet::SourceEncoding = source;
    quillet::DestEncoding = dest;
    fw::String result = quillet::Varnel(fw::String::FromBytes(std::move(bytes), input), fw::String(label));
    if (save != nullptr) result = fw::ConvertEncoding(result, save);
    return WriteAll(STDOUT_FILENO, result.bytes()) ? 0 : 1;
}
