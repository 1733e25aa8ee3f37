#pragma once

#include <stdexcept>
#include <string>

namespace zv {

// A value that could not be converted (number, whole number, date, time,
// boolean). The message is the German text shown to the user, with the
// offending text quoted in it. Windows catch it at the handler boundary.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace zv
