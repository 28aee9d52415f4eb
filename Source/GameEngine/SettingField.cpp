#include "GameEngine/SettingField.h"

#include "GameEngine/PlayerSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace
{
template <class... Visitors>
struct Overloaded : Visitors...
{
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

// The whole text as a number, or nothing: no sign of its own, no trailing letters, no "80 %".
template <class Number>
bool parseWhole(const std::string& text, Number& number)
{
    const char* end = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), end, number);
    return result.ec == std::errc() && result.ptr == end;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char letter) { return static_cast<char>(std::tolower(letter)); });
    return text;
}

std::string shortest(double number)
{
    std::array<char, 32> digits{};
    const std::to_chars_result result = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    return std::string(digits.data(), result.ptr);
}
}  // namespace

SettingField::SettingField(const char* key, const char* doc, Type type)
    : key(key), doc(doc), type(std::move(type))
{
}

bool SettingField::read(const std::string& text, PlayerSettings& settings) const
{
    return std::visit(
        Overloaded{[&](const WholeNumber& field)
                   {
                       int number = 0;
                       if (!parseWhole(text, number) || number < field.least || number > field.most)
                           return false;
                       settings.*field.value = number;
                       return true;
                   },
                   [&](const Number& field)
                   {
                       double number = 0;
                       if (!parseWhole(text, number) || !std::isfinite(number) || number < field.least ||
                           number > field.most)
                           return false;
                       settings.*field.value = number;
                       return true;
                   },
                   [&](const Switch& field)
                   {
                       static const std::array<const char*, 4> on{"true", "yes", "on", "1"};
                       static const std::array<const char*, 4> off{"false", "no", "off", "0"};
                       const std::string word = lowered(text);
                       const auto isWord = [&word](const char* candidate) { return word == candidate; };
                       const bool isOn = std::any_of(on.begin(), on.end(), isWord);
                       if (!isOn && std::none_of(off.begin(), off.end(), isWord))
                           return false;
                       settings.*field.value = isOn;
                       return true;
                   },
                   [&](const Choice& field)
                   {
                       unsigned number = 0;
                       if (lowered(text) == "off")
                           number = field.choices.front();
                       else if (!parseWhole(text, number) ||
                                std::find(field.choices.begin(), field.choices.end(), number) ==
                                    field.choices.end())
                           return false;
                       settings.*field.value = number;
                       return true;
                   }},
        type);
}

std::string SettingField::write(const PlayerSettings& settings) const
{
    return std::visit(
        Overloaded{[&](const WholeNumber& field) { return std::to_string(settings.*field.value); },
                   [&](const Number& field) { return shortest(settings.*field.value); },
                   [&](const Switch& field) { return std::string(settings.*field.value ? "true" : "false"); },
                   [&](const Choice& field) { return std::to_string(settings.*field.value); }},
        type);
}

std::string SettingField::accepted() const
{
    return std::visit(
        Overloaded{[](const WholeNumber& field) {
                       return "a whole number from " + std::to_string(field.least) + " to " +
                              std::to_string(field.most);
                   },
                   [](const Number& field)
                   { return "a number from " + shortest(field.least) + " to " + shortest(field.most); },
                   [](const Switch&) { return std::string("true or false"); },
                   [](const Choice& field)
                   {
                       std::string text = std::to_string(field.choices.front()) + " (off)";
                       for (std::size_t index = 1; index < field.choices.size(); ++index)
                           text += (index + 1 == field.choices.size() ? " or " : ", ") +
                                   std::to_string(field.choices[index]);
                       return text;
                   }},
        type);
}

bool SettingField::sameIn(const PlayerSettings& one, const PlayerSettings& other) const
{
    return write(one) == write(other);
}
