// Any bytes as a data file: reading either gives rows or throws StoreError,
// and rows that were read come back unchanged through writing and reading.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/DataPacket.h"
#include "store/StoreError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::vector<store::EventRow> rows;
    try {
        rows = store::readDataPacket(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const store::StoreError&) {
        return 0;
    }
    const std::string written = store::writeDataPacket(rows);
    std::vector<store::EventRow> again;
    try {
        again = store::readDataPacket(written);
    } catch (const store::StoreError& error) {
        std::fprintf(stderr, "the written packet does not read back: %s\n", error.what());
        std::abort();
    }
    if (again != rows) {
        std::fprintf(stderr, "the written packet reads back other rows\n");
        std::abort();
    }
    return 0;
}
