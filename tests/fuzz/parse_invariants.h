// Runs the file parse and the canonical form over arbitrary bytes and checks what the editor
// relies on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Parses a private copy of exactly `size` bytes (so a sanitizer sees any read past it) under
// several refresh caps, checks the record's bounds and that Save's file for it reads back as the
// window shows it; returns a description of the first broken invariant, or "".
std::string parseAndCheckInvariants(const uint8_t* data, size_t size);
