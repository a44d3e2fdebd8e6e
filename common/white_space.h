#pragma once

namespace kelvarro {

// White space as formatted reading knows it: blank, tab, line feed, vertical tab, form feed,
// carriage return.
inline bool IsWhiteSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace kelvarro
