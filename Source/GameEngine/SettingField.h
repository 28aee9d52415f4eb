#pragma once

#include <string>
#include <variant>
#include <vector>

struct PlayerSettings;

// One setting of the settings file: its name there, one line that says what it is, and its type with the
// values it accepts. It reads and writes its value in the player's settings.
class SettingField
{
public:
    struct WholeNumber
    {
        int PlayerSettings::*value;
        int least;
        int most;
    };
    struct Number
    {
        double PlayerSettings::*value;
        double least;
        double most;
    };
    struct Switch
    {
        bool PlayerSettings::*value;
    };
    // One of a few whole numbers; the first of them reads as "off" too.
    struct Choice
    {
        unsigned PlayerSettings::*value;
        std::vector<unsigned> choices;
    };
    using Type = std::variant<WholeNumber, Number, Switch, Choice>;

    SettingField(const char* key, const char* doc, Type type);

    const char* getKey() const { return key; }
    const char* getDoc() const { return doc; }
    const Type& getType() const { return type; }

    // Sets the value from its text in the file; false, leaving the value alone, for a text it does not
    // accept.
    bool read(const std::string& text, PlayerSettings& settings) const;
    std::string write(const PlayerSettings& settings) const;
    // What it accepts, as the warning about a value it does not names it.
    std::string accepted() const;
    bool sameIn(const PlayerSettings& one, const PlayerSettings& other) const;

private:
    const char* key;
    const char* doc;
    Type type;
};
