// Runs the file parse over arbitrary bytes and checks what the rest of the editor relies on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Parses a private copy of exactly `size` bytes (so a sanitizer sees any read past it) under
// several refresh step counts; returns a description of the first broken invariant, or "".
std::string parseAndCheckInvariants(const uint8_t* data, size_t size);
