// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a data file: reading either gives rows or throws StoreError,
// the fast way for plainly written packets, from memory and from a file in
// pieces, agrees with the document tree on every input, and rows that were
// read come back unchanged through writing and reading.
#include "fuzz/FuzzFailure.h"
#include "store/DataPacket.h"
#include "store/StoreError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The bytes as a file read by position.
class BytesFile : public store::FileReader {
public:
    explicit BytesFile(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    size_t readAt(std::uint64_t offset, std::span<char> into) const override {
        return offset < bytes_.size() ? bytes_.copy(into.data(), into.size(), offset) : 0;
    }

private:
    std::string_view bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<store::EventRow> rows;
    std::string error;
    try {
        rows = store::readDataPacket(bytes);
    } catch (const store::StoreError& e) {
        error = e.what();
    }
    try {
        if (store::readDataPacketByTree(bytes) != rows || !error.empty()) fail("the two ways read other rows");
    } catch (const store::StoreError& e) {
        if (error != e.what()) fail("the two ways fail differently");
    }
    try {
        if (store::readDataPacket(BytesFile(bytes)) != rows || !error.empty()) fail("the file reads other rows");
    } catch (const store::StoreError& e) {
        if (error != e.what()) fail("the file fails differently");
    }
    if (!error.empty()) return 0;

    const std::string written = store::writeDataPacket(rows);
    std::vector<store::EventRow> again;
    try {
        again = store::readDataPacket(written);
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "the written packet does not read back: %s\n", e.what());
        std::abort();
    }
    if (again != rows) fail("the written packet reads back other rows");
    return 0;
}
