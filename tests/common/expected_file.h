// The canonical settings file as the tests expect it, written out apart from the formatter's own
// table, so a slip in either shows.
#pragma once

#include <cstddef>
#include <map>
#include <string>

// The lines that Save writes, with the defaults except where `changed` gives a key's value
// digits.
std::string canonicalSettingsFile(const std::map<std::string, std::string>& changed = {});

// How many lines Save writes, and the number (from 1) of the line that holds `key`.
size_t canonicalLineCount();
size_t canonicalLineNumberOf(const std::string& key);
