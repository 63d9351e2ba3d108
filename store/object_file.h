#pragma once

#include <string>
#include <vector>

// Writes each line followed by CR LF, without line-end translation, creating
// or truncating the file. False when the file cannot be opened or written.
bool WriteLines(const std::string& file_name, const std::vector<std::string>& lines);

// key[i] + key_value_separator + value[i] for each position, joined by
// `pair_separator` (none after the last); "" for no pairs.
std::string JoinPairs(const std::vector<std::string>& keys, const std::vector<std::string>& values,
                      const std::string& pair_separator, const std::string& key_value_separator);
