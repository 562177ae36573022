#include "datasheet/code_tables.h"

#include <algorithm>
#include <array>

namespace ds {

namespace {

constexpr std::array<std::string_view, 53> kStateCodes{
    "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "DC", "FL", "GA", "HI", "ID", "IL",
    "IN", "IA", "KS", "KY", "LA", "ME", "MD", "MA", "MI", "MN", "MS", "MO", "MT", "NE",
    "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI", "SC", "SD",
    "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY", "PR", "VQ"};

constexpr std::array<std::string_view, 8> kPacificCodes{"AS", "BQ", "GU", "JQ", "MQ", "WQ", "TQ", "CQ"};

constexpr std::array<std::string_view, 19> kOutsideCodes{"AV", "AC", "AA", "BF", "BB", "CJ", "CP",
                                                         "DO", "DR", "GJ", "GY", "HA", "JM", "SN",
                                                         "ST", "SJ", "VC", "SR", "TD"};

char upper(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<char>(u - 'a' + 'A') : c;
}

// Compares whole entries: a substring search over the text "AL|AK|..." would
// let a one-letter or empty code match any entry that contains it.
template <std::size_t N>
bool inTable(const std::array<std::string_view, N>& table, std::string_view code)
{
    if (code.size() < 2)
        return false;
    const char key[2] = {upper(code[0]), upper(code[1])};
    return std::find(table.begin(), table.end(), std::string_view(key, 2)) != table.end();
}

} // namespace

bool IsStateCode(std::string_view code) { return inTable(kStateCodes, code); }
bool IsPacificCode(std::string_view code) { return inTable(kPacificCodes, code); }
bool IsOutsideCode(std::string_view code) { return inTable(kOutsideCodes, code); }

bool isStateDir(std::string_view name)
{
    return name.size() == 2 && codeTableOf(name) != CodeTable::None;
}

CodeTable codeTableOf(std::string_view code)
{
    if (IsStateCode(code))
        return CodeTable::State;
    if (IsPacificCode(code))
        return CodeTable::Pacific;
    if (IsOutsideCode(code))
        return CodeTable::Outside;
    return CodeTable::None;
}

const std::vector<std::string>& countryRows()
{
    static const std::vector<std::string> rows{
        "AA|ARUBA",
        "AC|ANTIGUA AND BARBUDA",
        "AR|ARGENTINA",
        "AV|ANGUILLA",
        "AY|ANTARCTICA",
        "BB|BARBADOS",
        "BD|BERMUDA",
        "BF|BAHAMA ISLANDS",
        "BH|BELIZE (BRITISH HONDURAS)",
        "BL|BOLIVA",
        "BR|BRAZIL",
        "CA|CANADA",
        "CI|CHILE",
        "CJ|CAYMAN ISLANDS",
        "CO|COLOMBIA",
        "CP|CURACAO",
        "CQ|NORTHERN MARIANA ISLANDS",
        "CS|COSTA RICA",
        "CT|CENTRAL AFRICAN REPUBLIC",
        "CU|CUBA",
        "DO|DOMINICA",
        "DR|DOMINICAN REPUBLIC",
        "EC|ECUADOR",
        "EG|EGYPT",
        "ES|EL SALVADOR",
        "ET|ETHIOPIA",
        "FG|FRENCH GUIANA",
        "FM|FEDERATED STATES OF MICRONESIA",
        "GE|WEST GERMANY",
        "GJ|GRENADA",
        "GM|GERMANY",
        "GP|GUADELOUPE",
        "GT|GUATEMALA",
        "GY|GUYANA",
        "HA|HAITI",
        "HO|HONDURAS",
        "IC|ICELAND",
        "IT|ITALY",
        "JA|JAPAN",
        "JM|JAMAICA",
        "MH|MONTSERRAT",
        "MR|MARTINIQUE",
        "MX|MEXICO",
        "NO|NORWAY",
        "NS|SURINAM",
        "NT|NETHERLANDS ANTILLES",
        "NU|NICARAGUA",
        "PA|PARAGUAY",
        "PM|PANAMA",
        "RO|ROMANIA",
        "RP|PHILIPPINES",
        "SA|SAUDI ARABIA",
        "SF|SOUTH AFRICA",
        "SH|SAINT HELENA ISLANDS",
        "SJ|ST MAARTEN",
        "SN|ST KITTS AND NEVIS",
        "SO|SOMALIA",
        "ST|ST LUCIA",
        "SU|SUDAN",
        "SW|SWEDEN",
        "TD|TRINIDAD and TOBAGO",
        "TK|TURKS AND CAICOS ISLANDS",
        "TZ|TANZANIA",
        "UG|UGANDA",
        "UK|UNITED KINGDOM",
        "UR|SOVIET UNION",
        "US|UNITED STATES OF AMERICA",
        "UY|URUGUAY",
        "VC|ST VINCENT AND GRENADINES",
        "VE|VENEZULA",
        "VI|BRITISH VIRGIN ISLANDS",
        "ZA|ZAMBIA",
        "AS|AMERICAN SAMOA",
        "GU|GUAM",
        "PR|PUERTO RICO",
        "VI|BRITISH VIRGIN ISLANDS",
        "BQ|NAVASSA ISLAND",
        "JQ|JOHNSTON ATOLL",
        "MQ|MIDWAY ISLANDS",
        "WQ|WAKE ISLAND",
        "TQ|TRUST TERRITORY OF THE PACIFIC ISLANDS",
    };
    return rows;
}

std::string CodeLookup(const std::vector<std::string>& rows, std::string_view text, std::string_view direction)
{
    if (text.empty())
        return {};
    if (direction == "to_name") {
        // Rows are "<code>|<name>": "<text>|" can stand only at the start when
        // the text is a whole code; a shorter text would match inside a row.
        if (text.size() != 2)
            return {};
        for (const auto& row : rows)
            if (row.size() >= 3 && row.compare(0, 2, text) == 0 && row[2] == '|')
                return row.substr(3, 45);
        return {};
    }
    if (direction == "to_code") {
        for (const auto& row : rows)
            if (row.find(text) != std::string::npos)
                return row.substr(0, 2);
        return {};
    }
    return {};
}

} // namespace ds
