// Fills the placeholders of an interface text: "%@" takes the next argument as text, "%d" as an
// integer, "%%" is one per-cent sign. A missing argument fills nothing; any other '%' stays.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace app {

class FormatArg {
  public:
    FormatArg(std::string_view text) : value_(text) {}
    FormatArg(const std::string& text) : value_(std::string_view(text)) {}
    FormatArg(const char* text) : value_(std::string_view(text ? text : "")) {}
    FormatArg(int number) : value_(static_cast<int64_t>(number)) {}
    FormatArg(long number) : value_(static_cast<int64_t>(number)) {}
    FormatArg(long long number) : value_(static_cast<int64_t>(number)) {}

    void appendTo(std::string& out) const;

  private:
    std::variant<std::string_view, int64_t> value_;
};

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace app
