#pragma once
// Error numbers of the thesaurus lookup, as the control reports them in LastThesError and as
// automation errors.

#include <cstdint>

namespace tezar {

enum ThesError : int16_t {
    kThesOk = 0,
    kThesWordNotFound = 1,
    kThesFileNotFound = 32001,
    kThesCannotOpen = 32002,
    kThesBadVersion = 32006,
    kThesNotValid = 32007,
    kThesWordTooLong = 32008,
};

// The message shown for an error number; "" for numbers without one.
inline const char* ThesErrorText(int code) {
    switch (code) {
    case kThesFileNotFound:
        return "Main Thesaurus File not found";
    case kThesCannotOpen:
        return "Cannot open Thesaurus File";
    case kThesBadVersion:
        return "Incorrect Thesaurus File Version!";
    case kThesNotValid:
        return "Not a Valid Thesaurus File";
    case kThesWordTooLong:
        return "Word too long.  Must be < 50 chars.";
    default:
        return "";
    }
}

} // namespace tezar
