#include "app/TextFormat.h"

namespace app {

void FormatArg::appendTo(std::string& out) const {
    if (const auto* text = std::get_if<std::string_view>(&value_)) {
        out.append(*text);
    } else {
        out.append(std::to_string(std::get<int64_t>(value_)));
    }
}

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out.push_back(c);
            continue;
        }
        char kind = format[i + 1];
        if (kind == '%') {
            out.push_back('%');
            ++i;
        } else if (kind == '@' || kind == 'd') {
            if (next != args.end()) next++->appendTo(out);
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace app
