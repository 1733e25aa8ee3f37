#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Text for HTML and SVG content and attribute values: & < > " ' escaped.
std::string HtmlEscaped(std::string_view text);

// A JSON string with its quotes: " \ and the control characters escaped.
std::string JsonQuoted(std::string_view text);

// A JSON number in its shortest exact form, null for nothing or a value
// that is not finite.
std::string JsonNumber(const std::optional<double>& value);

// A path segment of an address: everything but letters, digits and - . _ ~
// as %XX of its UTF-8 bytes.
std::string PercentEncoded(std::string_view text);

} // namespace zv
