// Formatted output for morvane-config, through the C library's own printf family.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>

// printf to `out`; only the plain conversions every C library knows (%s %d %lu, widths).
int printTo(FILE* out, const char* format, ...) __attribute__((format(printf, 2, 3)));
int printListTo(FILE* out, const char* format, va_list arguments)
    __attribute__((format(printf, 2, 0)));

// snprintf into `out`, always terminated, cut short where it does not fit.
void formatInto(char* out, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
