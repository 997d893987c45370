// SPDX-License-Identifier: GPL-3.0-or-later
// Errors raised by the record store. Their text names the store first, as
// the window shows it: "ClientDataSet1: <message>", in the store's English;
// only a conversion error is the toolkit's own, without the store's name.
// kind() and the details say the same for a front end that words errors in
// its own language (ErrorTexts); which details are set depends on the kind.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace store {

inline constexpr std::string_view kStoreName = "ClientDataSet1";

class StoreError : public std::runtime_error {
public:
    enum class Kind {
        Engine,        // a call the table cannot take as it is now; only the text
        CannotOpen,    // the file: path(), systemError()
        CannotRead,    // path(), systemError()
        CannotWrite,   // path(), systemError(); thrown as WriteError
        EmptyFile,     // nothing but blanks
        NoPacket,      // XML without a data packet and its fields
        BadXml,        // number(): the byte where the XML breaks
        FieldMissing,  // field()
        FieldType,     // field(), value(): the type the file gives it
        BadValue,      // field(), value(): the value, cut to 40 characters
        TooLong,       // field(), number(): the field's width in characters
        NotAFile,      // path(): a FIFO or a device, never read
        TooLarge,      // path(), number(): the most bytes a file may have
        NotUtf8,       // number(): the first byte that is not UTF-8
        TooDense,      // more elements than a packet of its size holds
        OpenToOthers,  // path(): other users may put another file in its place
        NotAnInteger,  // value(): the text; thrown as ConversionError
    };

    // An Engine error; `message` without the store's name.
    explicit StoreError(std::string_view message);

    static StoreError cannotOpen(const std::string& path, int systemError);
    static StoreError cannotRead(const std::string& path, int systemError);
    static StoreError emptyFile();
    static StoreError noPacket();
    static StoreError badXml(std::string_view description, long long offset);
    static StoreError fieldMissing(std::string_view field);
    static StoreError fieldType(std::string_view field, std::string_view expected, std::string_view actual);
    static StoreError badValue(std::string_view field, std::string_view value);
    static StoreError tooLong(std::string_view field, long long width);
    static StoreError notAFile(const std::string& path);
    static StoreError tooLarge(const std::string& path, long long mostBytes);
    static StoreError notUtf8(long long offset);
    static StoreError tooManyElements();
    static StoreError openToOthers(const std::string& path);

    Kind kind() const { return kind_; }
    const std::string& path() const { return path_; }
    int systemError() const { return systemError_; }
    const std::string& field() const { return field_; }
    const std::string& value() const { return value_; }
    long long number() const { return number_; }

protected:
    StoreError(Kind kind, std::string_view message);
    // A file error: "Cannot <verb> file "<path>": <reason>".
    StoreError(Kind kind, std::string_view verb, const std::string& path, int systemError, std::string_view reason);
    // A conversion error: `text` whole, without the store's name.
    struct WithoutStoreName {};
    StoreError(WithoutStoreName, Kind kind, const std::string& text, std::string_view value);

private:
    Kind kind_ = Kind::Engine;
    std::string path_;
    int systemError_ = 0;
    std::string field_;
    std::string value_;
    long long number_ = 0;
};

// A file could not be written (nor its write permission given). The old
// file is left as it was.
class WriteError : public StoreError {
public:
    WriteError(const std::string& path, int errorNumber);
    // A failure without a system error number, told by `reason`.
    WriteError(const std::string& path, std::string_view reason);
    // The system's text for errorNumber(), or the reason given.
    const std::string& reason() const { return reason_; }
    // The system's error number; 0 when the failure came with none.
    int errorNumber() const { return systemError(); }

private:
    std::string reason_;
};

// A text that must be a decimal integer is not one. The message reads
// "'<text>' is not a valid integer value".
class ConversionError : public StoreError {
public:
    explicit ConversionError(std::string_view text);
};

}  // namespace store
