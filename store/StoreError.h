// Errors raised by the record store. Their text names the store first, as
// the user sees it: "ClientDataSet1: <message>".
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace store {

inline constexpr std::string_view kStoreName = "ClientDataSet1";

class StoreError : public std::runtime_error {
public:
    // `message` without the store's name; what() gives "ClientDataSet1: message".
    explicit StoreError(std::string_view message);
};

// The data file could not be written. The old file is left as it was.
class WriteError : public StoreError {
public:
    WriteError(std::string path, std::string reason);
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

}  // namespace store
