// Writes the "Pakkle" page of a file: page_driver bytes|chars IN OUT. The
// text is read as UTF-8, the source encoding.
#include <fstream>
#include <iostream>
#include <string>

#include "applib/VellGlobal.h"
#include "engine/HTML2Pakkle.h"
#include "engine/quillet.h"
#include "fw/core/TextEncoding.h"
#include "tests/support/TestFiles.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: pakkle-page bytes|chars IN OUT\n";
        return 2;
    }
    EOL = fw::String("\r\n");
    quillet::SourceEncoding = fw::Encodings::UTF8;
    const fw::String page = quillet::HTML2Pakkle(fw::String::FromBytes(testsupport::readFile(argv[2]),
                                                                       fw::Encodings::UTF8),
                                                 std::string(argv[1]) == "chars");
    std::ofstream out(argv[3], std::ios::binary);
    out << page.bytes();
    return out ? 0 : 1;
}
