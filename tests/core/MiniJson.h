#pragma once
// A small JSON reader for the tests: parses one document and flattens it to
// "path -> value" pairs ("desk.Memo1.Text" -> the text, unescaped; numbers
// and literals as written). Throws std::runtime_error on malformed input.

#include <map>
#include <string>
#include <string_view>

namespace minijson {

std::map<std::string, std::string> flatten(std::string_view document);

} // namespace minijson
