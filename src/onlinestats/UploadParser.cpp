#include "onlinestats/UploadParser.h"

#include "base/DateTime.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "base/Win1252.h"

#include <openssl/evp.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace zv {

namespace {

// A whole number of 1 to `maxDigits` decimal digits.
bool ReadNumber(std::string_view text, std::size_t maxDigits, int& value) {
    if (text.empty() || text.size() > maxDigits) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "YYYY-M-D" (leading zeros tolerated) as year, month and day of a real date.
bool ReadDate(std::string_view text, DateParts& date) {
    const std::size_t first = text.find('-');
    const std::size_t second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    return ReadNumber(text.substr(0, first), 4, date.year) &&
           ReadNumber(text.substr(first + 1, second - first - 1), 2, date.month) &&
           ReadNumber(text.substr(second + 1), 2, date.day) &&
           IsValidDate(date.year, date.month, date.day);
}

std::optional<double> PositiveNumber(std::string_view text) {
    double value = 0;
    if (TryStrToFloatDe(text, value) && std::isfinite(value) && value > 0) {
        return value;
    }
    return std::nullopt;
}

// Fields never hold ";", so joining fields 1-20 with it names one catch
// unambiguously; the digest keeps the unique key short whatever the fields
// hold. Its first 128 bits are kept: no two of billions of catches share
// them, and a shorter key keeps the index small.
std::string Identity(const UploadedCatch& catchLine, std::string& joined) {
    joined.clear();
    for (std::size_t i = 0; i < UploadedCatch::kIdentityFieldCount; ++i) {
        if (i > 0) {
            joined += ';';
        }
        joined += catchLine.fields[i];
    }
    // Looked up once: a lookup by name for every line costs more than its digest.
    static EVP_MD* const sha256 = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (sha256 == nullptr ||
        EVP_Digest(joined.data(), joined.size(), digest, &length, sha256, nullptr) != 1) {
        throw std::runtime_error("SHA-256 ist nicht verfügbar.");
    }
    constexpr unsigned int kKeptBytes = 16;
    return std::string(reinterpret_cast<const char*>(digest), std::min(length, kKeptBytes));
}

std::optional<UploadedCatch> ReadLine(std::string_view line, std::string& joined) {
    std::array<std::string, UploadedCatch::kFieldCount> fields;
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(';', start);
        if (count == UploadedCatch::kFieldCount) {
            return std::nullopt;
        }
        fields[count++] = Win1252ToUtf8(line.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (count != UploadedCatch::kFieldCount) {
        return std::nullopt;
    }
    std::optional<UploadedCatch> result = CatchFromFields(std::move(fields));
    if (result) {
        result->identity = Identity(*result, joined);
    }
    return result;
}

} // namespace

std::optional<UploadedCatch>
CatchFromFields(std::array<std::string, UploadedCatch::kFieldCount> fields) {
    DateParts date;
    if (!ReadDate(fields[kDateField], date)) {
        return std::nullopt;
    }
    UploadedCatch result;
    result.fields = std::move(fields);
    result.fields[kDateField] = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                                std::to_string(date.day);
    result.month = date.month;
    TDateTime time = 0;
    if (TryStrToTime(result.fields[kTimeField], time)) {
        result.hour = DecodeTime(time).hour;
    }
    result.species = Trim(result.fields[kSpeciesField]);
    result.length = PositiveNumber(result.fields[kLengthField]);
    result.weight = PositiveNumber(result.fields[kWeightField]);
    return result;
}

ParsedUpload ParseUpload(std::string_view bytes) {
    ParsedUpload upload;
    upload.catches.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                           1);
    std::string joined;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (std::optional<UploadedCatch> catchLine = ReadLine(line, joined)) {
            upload.catches.push_back(std::move(*catchLine));
        } else {
            ++upload.skipped;
        }
        start = end + 1;
    }
    return upload;
}

} // namespace zv
