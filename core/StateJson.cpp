#include "StateJson.h"

#include "Simulator.h"

#include <cstdio>

namespace kyt {

std::string jsonString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

namespace {

struct ValueWriter {
    std::string& out;
    void operator()(bool b) const { out += b ? "true" : "false"; }
    void operator()(std::int64_t n) const { out += std::to_string(n); }
    void operator()(const std::string& s) const { out += jsonString(s); }
};

} // namespace

std::string stateJson(const Simulator& sim)
{
    std::string out = "{\"block\":{";
    bool first = true;
    for (const BlockField& field : blockFields()) {
        if (!first)
            out += ',';
        first = false;
        out += jsonString(field.name);
        out += ':';
        if (auto flag = std::get_if<bool BlockState::*>(&field.member))
            out += sim.state().*(*flag) ? "true" : "false";
        else
            out += std::to_string(sim.state().*std::get<std::int32_t BlockState::*>(field.member));
    }
    out += "},\"desk\":{";
    first = true;
    const DeskModel& desk = sim.desk();
    for (const std::string& control : desk.controlNames()) {
        if (!first)
            out += ',';
        first = false;
        out += jsonString(control);
        out += ":{";
        bool firstProp = true;
        for (const std::string& property : DeskModel::propertyNames(desk.kind(control))) {
            if (!firstProp)
                out += ',';
            firstProp = false;
            out += jsonString(property);
            out += ':';
            std::visit(ValueWriter {out}, desk.get(control, property));
        }
        out += '}';
    }
    out += "}}";
    return out;
}

} // namespace kyt
