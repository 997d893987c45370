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

// A file could not be written (nor its write permission given). The old
// file is left as it was.
class WriteError : public StoreError {
public:
    WriteError(std::string path, std::string reason);
    // The reason is the system's text for `errorNumber` (an errno value).
    WriteError(std::string path, int errorNumber);
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }
    // The system's error number; 0 when the failure came with none.
    int errorNumber() const { return errorNumber_; }

private:
    std::string path_;
    std::string reason_;
    int errorNumber_ = 0;
};

}  // namespace store
