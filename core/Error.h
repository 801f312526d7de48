#pragma once
// The error a handler raises. The program shows its message (followed by a
// full stop) in an error box and goes on.

#include <stdexcept>
#include <string>

namespace kyt {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) { }
};

} // namespace kyt
