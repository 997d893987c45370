// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the command line's benchmark: the least any program that
// reads the list must do. Reads the data file whole, parses it with pugixml
// in place and walks every row's attributes once, then prints how many rows
// and attribute bytes it saw, so that nothing of the walk can be left out.
//   usage: bench_floor FILE
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    pugi::xml_document document;
    if (!document.load_buffer_inplace(bytes.data(), bytes.size())) {
        std::fprintf(stderr, "%s: not XML\n", argv[1]);
        return 1;
    }
    unsigned long long rows = 0, valueBytes = 0;
    for (const pugi::xml_node row : document.child("DATAPACKET").child("ROWDATA").children("ROW")) {
        ++rows;
        for (const pugi::xml_attribute attribute : row.attributes()) valueBytes += std::strlen(attribute.value());
    }
    std::printf("%llu rows, %llu bytes of values\n", rows, valueBytes);
    return 0;
}
