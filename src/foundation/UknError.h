#pragma once

#include <exception>
#include <string>

namespace qb {

// The one error type of the program. It carries the user-visible message text (UTF-16);
// what() gives the same text in UTF-8 for logs and the command-line tool.
class TknError : public std::exception {
public:
    explicit TknError(std::u16string message);
    const std::u16string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    std::u16string FMessage;
    std::string FUtf8;
};

}  // namespace qb
