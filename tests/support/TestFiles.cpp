#include "tests/support/TestFiles.h"

#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

namespace testsupport {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

TempFolder::TempFolder(const std::string& tag) {
    std::string tmpl = (std::filesystem::temp_directory_path() / ("varnel-" + tag + "-XXXXXX")).string();
    if (!::mkdtemp(tmpl.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp " + tmpl);
    path_ = tmpl;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace testsupport
