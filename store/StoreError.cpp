#include "store/StoreError.h"

#include <cstring>

namespace store {

StoreError::StoreError(std::string_view message)
    : std::runtime_error(std::string(kStoreName) + ": " + std::string(message)) {}

WriteError::WriteError(std::string path, std::string reason)
    : StoreError("Cannot write file \"" + path + "\": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

WriteError::WriteError(std::string path, int errorNumber) : WriteError(std::move(path), std::strerror(errorNumber)) {
    errorNumber_ = errorNumber;
}

}  // namespace store
