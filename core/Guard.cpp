#include "Guard.h"

#include <algorithm>

namespace kyt {

std::string reasonText(const Refusals::Reason& reason)
{
    std::string out;
    out.reserve(reason.text.size());
    const std::string_view t = reason.text;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '%' && i + 1 < t.size() && reason.station
            && (t[i + 1] == 'S' || t[i + 1] == 'O')) {
            const bool own = t[i + 1] == 'S';
            out += (*reason.station == Station::A) == own ? 'A' : 'B';
            ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

std::string Refusals::text() const
{
    std::vector<std::string> said;
    std::string out;
    for (const Reason& r : reasons_) {
        std::string sentence = reasonText(r);
        // Two sections stopped by the same condition say it once.
        if (std::find(said.begin(), said.end(), sentence) != said.end())
            continue;
        if (!out.empty())
            out += ' ';
        out += sentence;
        said.push_back(std::move(sentence));
    }
    return out;
}

} // namespace kyt
