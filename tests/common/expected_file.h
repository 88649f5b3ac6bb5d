// The canonical settings file as the tests expect it, written out apart from the formatter's own
// table, so a slip in either shows.
#pragma once

#include <map>
#include <string>

// The twenty lines that Save writes, with the defaults except where `changed` gives a key's
// value digits.
std::string canonicalSettingsFile(const std::map<std::string, std::string>& changed = {});
