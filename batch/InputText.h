#pragma once
// Input quoted back to the user: in messages at most a bounded, printable piece of it, and in
// result lines valid UTF-8 whatever bytes came in.
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

namespace q7 {

// The length of the well-formed UTF-8 sequence starting at text[at] (1 for ASCII), or 0 when the
// bytes there are not one (a stray continuation byte, an overlong form, a surrogate, a cut end).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

// `text` as it can be shown on one line of a message: control characters and bytes that are not
// UTF-8 as \xNN, and, past `max` bytes, cut with "... (N bytes)".
std::string Excerpt(std::string_view text, std::size_t max = 64);

// The message of a JSON reader's error, with the piece of input it quotes ("last read: '...'",
// "parsing '...'") given as an Excerpt, so that a 100 MB number is not written back whole.
std::string JsonErrorText(const std::exception& e);

} // namespace q7
