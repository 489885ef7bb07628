#pragma once
// An error raised by a control's property or method and handed to the container as an automation
// error with its number and text.

#include "thesaurus/Dispatch.h"

#include <stdexcept>
#include <string>

namespace tezar {

class AutomationError : public std::runtime_error {
public:
    AutomationError(uint16_t number, const std::string& text) : std::runtime_error(text), m_number(number) {}
    uint16_t Number() const { return m_number; }

    static AutomationError GetNotSupported() { return {kErrGetNotSupported, "Get not supported"}; }
    static AutomationError SetNotSupported() { return {kErrSetNotSupported, "Set not supported"}; }
    static AutomationError InvalidPropertyArrayIndex() {
        return {kErrInvalidPropertyArrayIndex, "Invalid property array index"};
    }

private:
    uint16_t m_number;
};

// A call that cannot be made at all (wrong argument count or type); carries the status code.
class DispatchFailure : public std::runtime_error {
public:
    explicit DispatchFailure(HResult hr) : std::runtime_error("dispatch failure"), m_hr(hr) {}
    HResult Code() const { return m_hr; }

private:
    HResult m_hr;
};

} // namespace tezar
