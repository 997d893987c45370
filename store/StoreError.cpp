// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/StoreError.h"

#include <cstring>

namespace store {

namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string sizeText(long long bytes) {
    return bytes >= (1LL << 30) ? std::to_string(bytes >> 30) + " GiB" : std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

StoreError::StoreError(std::string_view message) : StoreError(Kind::Engine, message) {}

StoreError::StoreError(Kind kind, std::string_view message)
    : std::runtime_error(std::string(kStoreName) + ": " + std::string(message)), kind_(kind) {}

StoreError::StoreError(Kind kind, std::string_view verb, const std::string& path, int systemError,
                       std::string_view reason)
    : StoreError(kind, "Cannot " + std::string(verb) + " file " + quoted(path) + ": " + std::string(reason)) {
    path_ = path;
    systemError_ = systemError;
}

StoreError::StoreError(WithoutStoreName, Kind kind, const std::string& text, std::string_view value)
    : std::runtime_error(text), kind_(kind), value_(value) {}

StoreError StoreError::cannotOpen(const std::string& path, int systemError) {
    return {Kind::CannotOpen, "open", path, systemError, std::strerror(systemError)};
}

StoreError StoreError::cannotRead(const std::string& path, int systemError) {
    return {Kind::CannotRead, "read", path, systemError, std::strerror(systemError)};
}

StoreError StoreError::emptyFile() { return {Kind::EmptyFile, "Missing data provider or data packet"}; }

StoreError StoreError::noPacket() { return {Kind::NoPacket, "Missing data provider or data packet"}; }

StoreError StoreError::badXml(std::string_view description, long long offset) {
    StoreError error(Kind::BadXml,
                     "Invalid data packet: " + std::string(description) + " at byte " + std::to_string(offset));
    error.number_ = offset;
    return error;
}

StoreError StoreError::fieldMissing(std::string_view field) {
    StoreError error(Kind::FieldMissing, "Field '" + std::string(field) + "' not found");
    error.field_ = field;
    return error;
}

StoreError StoreError::fieldType(std::string_view field, std::string_view expected, std::string_view actual) {
    StoreError error(Kind::FieldType, "Type mismatch for field '" + std::string(field) +
                                          "', expecting: " + std::string(expected) + " actual: " + std::string(actual));
    error.field_ = field;
    error.value_ = actual;
    return error;
}

StoreError StoreError::badValue(std::string_view field, std::string_view value) {
    StoreError error(Kind::BadValue,
                     "Invalid value '" + std::string(value) + "' for field '" + std::string(field) + "'");
    error.field_ = field;
    error.value_ = value;
    return error;
}

StoreError StoreError::tooLong(std::string_view field, long long width) {
    StoreError error(Kind::TooLong, "Value of field '" + std::string(field) + "' is longer than " +
                                        std::to_string(width) + " characters");
    error.field_ = field;
    error.number_ = width;
    return error;
}

StoreError StoreError::notAFile(const std::string& path) {
    StoreError error(Kind::NotAFile, "Cannot read file " + quoted(path) + ": not a regular file");
    error.path_ = path;
    return error;
}

StoreError StoreError::tooLarge(const std::string& path, long long mostBytes) {
    StoreError error(Kind::TooLarge, "Cannot read file " + quoted(path) + ": larger than " + sizeText(mostBytes));
    error.path_ = path;
    error.number_ = mostBytes;
    return error;
}

StoreError StoreError::notUtf8(long long offset) {
    StoreError error(Kind::NotUtf8, "Invalid data packet: byte " + std::to_string(offset) + " is not UTF-8");
    error.number_ = offset;
    return error;
}

StoreError StoreError::tooManyElements() {
    return {Kind::TooDense, "Invalid data packet: too many elements for its size"};
}

StoreError StoreError::openToOthers(const std::string& path) {
    StoreError error(Kind::OpenToOthers,
                     "Cannot use file " + quoted(path) + ": other users may put another file in its place");
    error.path_ = path;
    return error;
}

WriteError::WriteError(const std::string& path, int errorNumber)
    : StoreError(Kind::CannotWrite, "write", path, errorNumber, std::strerror(errorNumber)),
      reason_(std::strerror(errorNumber)) {}

WriteError::WriteError(const std::string& path, std::string_view reason)
    : StoreError(Kind::CannotWrite, "write", path, 0, reason), reason_(reason) {}

ConversionError::ConversionError(std::string_view text)
    : StoreError(WithoutStoreName{}, Kind::NotAnInteger, "'" + std::string(text) + "' is not a valid integer value",
                 text) {}

}  // namespace store
