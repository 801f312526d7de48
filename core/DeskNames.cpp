#include "DeskNames.h"

#include <ostream>
#include <unordered_map>

namespace kyt {

std::optional<Control> controlByName(std::string_view name)
{
    static const std::unordered_map<std::string_view, Control> byName = [] {
        std::unordered_map<std::string_view, Control> m;
        for (std::size_t i = 0; i < kControlCount; ++i)
            m.emplace(detail::kControls[i].name, Control(i));
        return m;
    }();
    const auto it = byName.find(name);
    if (it == byName.end())
        return std::nullopt;
    return it->second;
}

std::ostream& operator<<(std::ostream& out, Control c)
{
    return out << controlName(c);
}

} // namespace kyt
