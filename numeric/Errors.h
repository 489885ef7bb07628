#pragma once
// The program's error types. Each carries a message a user can act on.
#include <stdexcept>
#include <string>

namespace q7 {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // Short name of the failure kind, used in reports ("ArithmeticError", ...).
    virtual const char* kind() const noexcept { return "Error"; }
};

// Overflow, division by zero or an invalid operation in a calculation.
class ArithmeticError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "ArithmeticError"; }
};

// An index outside a list's or table's capacity.
class SubscriptError : public Error {
public:
    SubscriptError() : Error("Subscript out of range") {}
    using Error::Error;
    const char* kind() const noexcept override { return "SubscriptError"; }
};

// A file that could not be created, written or read; the message names the path and the reason.
class IoError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "IoError"; }
};

// A failure of the project database.
class DatabaseError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "DatabaseError"; }
};

} // namespace q7
