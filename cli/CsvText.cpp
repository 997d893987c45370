// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CsvText.h"

namespace cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Fields kept of one record; a record with more gets a fault.
constexpr size_t kMostFields = 64;

}  // namespace

CsvRecordReader::CsvRecordReader(std::string_view text) : text_(text) {
    if (text_.starts_with(kByteOrderMark)) text_.remove_prefix(kByteOrderMark.size());
}

CsvRecord CsvRecordReader::next() {
    CsvRecord record{line_, {}, {}};
    while (true) {
        std::string field = atQuote() ? quotedField(record.fault) : plainField();
        if (record.fields.size() < kMostFields) {
            record.fields.push_back(std::move(field));
        } else if (record.fault.empty()) {
            record.fault = "liiga palju välju (üle " + std::to_string(kMostFields) + ")";
        }
        if (atEnd()) break;
        if (text_[at_] == ';') {
            ++at_;
            continue;
        }
        skipLineEnd();
        break;
    }
    return record;
}

bool CsvRecordReader::atFieldEnd() const {
    return atEnd() || text_[at_] == ';' || text_[at_] == '\n' || text_[at_] == '\r';
}

void CsvRecordReader::skipLineEnd() {
    at_ += atCrLf() ? 2 : 1;
    ++line_;
}

std::string CsvRecordReader::plainField() {
    const size_t start = at_;
    while (!atFieldEnd()) ++at_;
    return std::string(text_.substr(start, at_ - start));
}

// Sets `fault` unless it already names an earlier fault of the record.
std::string CsvRecordReader::quotedField(std::string& fault) {
    std::string field;
    ++at_;
    while (true) {
        if (atEnd()) {
            if (fault.empty()) fault = "jutumärgid jäävad faili lõpuni sulgemata";
            return field;
        }
        const char c = text_[at_];
        if (c == '"' && text_.compare(at_, 2, "\"\"") != 0) break;
        if (c == '"') ++at_;
        if (c == '\n' || (c == '\r' && !atCrLf())) ++line_;
        field += text_[at_++];
    }
    ++at_;
    if (!atFieldEnd()) {
        if (fault.empty()) fault = "jutumärkides välja järel on liigseid märke";
        while (!atFieldEnd()) ++at_;
    }
    return field;
}

std::string csvRecordText(const std::vector<std::string>& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += ';';
        const std::string& field = fields[i];
        if (field.find_first_of(";\"\r\n") == std::string::npos) {
            text += field;
            continue;
        }
        text += '"';
        for (const char c : field) {
            if (c == '"') text += '"';
            text += c;
        }
        text += '"';
    }
    return text + "\r\n";
}

std::vector<CsvRecord> readCsvRecords(std::string_view text) {
    CsvRecordReader reader(text);
    std::vector<CsvRecord> records;
    while (!reader.atEnd()) records.push_back(reader.next());
    return records;
}

}  // namespace cli
