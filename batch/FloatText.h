#pragma once
// A single written with 9 significant digits in the general format, exactly as
// std::to_chars(first, last, double(v), std::chars_format::general, 9) writes it (so, as printf's
// "%.9g"), but without the general-precision machinery for the values summaries hold.
namespace q7 {

// Writes at most 16 characters from `first`; returns the end.
char* WriteFloat9(char* first, float v);

} // namespace q7
