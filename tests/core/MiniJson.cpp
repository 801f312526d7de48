#include "MiniJson.h"

#include <cctype>
#include <stdexcept>

namespace minijson {

namespace {

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) { }

    std::map<std::string, std::string> run()
    {
        value("");
        skip();
        if (pos_ != s_.size())
            fail("trailing characters");
        return out_;
    }

private:
    [[noreturn]] void fail(const char* why)
    {
        throw std::runtime_error(std::string(why) + " at " + std::to_string(pos_));
    }
    void skip()
    {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
    }
    char peek()
    {
        skip();
        if (pos_ >= s_.size())
            fail("unexpected end");
        return s_[pos_];
    }
    void expect(char c)
    {
        if (peek() != c)
            fail("unexpected character");
        ++pos_;
    }
    std::string string()
    {
        expect('"');
        std::string out;
        while (true) {
            if (pos_ >= s_.size())
                fail("unterminated string");
            const char c = s_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size())
                fail("bad escape");
            const char e = s_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u':
                // Only control characters are written this way.
                if (pos_ + 4 > s_.size())
                    fail("bad unicode escape");
                out += char(std::stoul(std::string(s_.substr(pos_, 4)), nullptr, 16));
                pos_ += 4;
                break;
            default: fail("bad escape");
            }
        }
    }
    void value(const std::string& path)
    {
        const char c = peek();
        if (c == '{') {
            ++pos_;
            if (peek() == '}') {
                ++pos_;
                return;
            }
            while (true) {
                const std::string key = string();
                expect(':');
                value(path.empty() ? key : path + "." + key);
                if (peek() == ',') {
                    ++pos_;
                    continue;
                }
                expect('}');
                return;
            }
        }
        if (c == '"') {
            out_[path] = string();
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size()
            && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '-'
                || s_[pos_] == '+' || s_[pos_] == '.'))
            ++pos_;
        const std::string word(s_.substr(start, pos_ - start));
        if (word.empty())
            fail("value expected");
        if (word != "true" && word != "false" && word != "null"
            && !(std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-'))
            fail("bad literal");
        out_[path] = word;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    std::map<std::string, std::string> out_;
};

} // namespace

std::map<std::string, std::string> flatten(std::string_view document)
{
    return Parser(document).run();
}

} // namespace minijson
