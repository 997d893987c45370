// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon-separated text as Estonian spreadsheets write it: RFC 4180
// quoting, with ";" between the fields of a record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct CsvRecord {
    int line;                         // 1-based physical line where the record starts
    std::vector<std::string> fields;  // at least one, maybe ""
    std::string fault;                // Estonian, "" for a well-formed record
};

// One record ending in CRLF. A field holding ';', '"', CR or LF is put in
// double quotes, with its quotes doubled.
std::string csvRecordText(const std::vector<std::string>& fields);

// The records of `text`, after a UTF-8 byte order mark at its start. Records
// end at CRLF, LF or a lone CR; quoted fields keep their line breaks as they
// are. A line end at the very end starts no further record. A record whose
// quote stays open to the end of the text, or with more text after a
// closing quote, gets a fault; the text after the quote is dropped. So does
// a record of more than 64 fields, which keeps its first 64.
std::vector<CsvRecord> readCsvRecords(std::string_view text);

// The same records, one at a time, so that a large text need not be held
// as records all at once.
class CsvRecordReader {
public:
    explicit CsvRecordReader(std::string_view text);
    bool atEnd() const { return at_ >= text_.size(); }
    // REQUIRES: !atEnd()
    CsvRecord next();

private:
    bool atQuote() const { return !atEnd() && text_[at_] == '"'; }
    bool atFieldEnd() const;
    bool atCrLf() const { return text_.compare(at_, 2, "\r\n") == 0; }
    void skipLineEnd();
    std::string plainField();
    std::string quotedField(std::string& fault);

    std::string_view text_;
    size_t at_ = 0;
    int line_ = 1;
};

}  // namespace cli
