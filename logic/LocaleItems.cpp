// The time-text settings: built from the seven locale items, which come from the platform's
// regional settings (the Windows locale functions, or the C library's LC_TIME/LC_NUMERIC).
#include "logic/LocaleItems.h"

#include "logic/ClockTime.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#endif

namespace quillfen {

namespace {

// A separator item gives its one byte; an empty text means "none"; anything longer (or a
// byte that is not ASCII) counts as a failed query.
char OneByteItem(const std::optional<std::string>& item, char fallback) {
    if (!item) return fallback;
    if (item->empty()) return '\0';
    if (item->size() == 1 && static_cast<unsigned char>((*item)[0]) < 0x80) return (*item)[0];
    return fallback;
}

std::int32_t IntegerItem(const std::optional<std::string>& item) {
    std::int32_t value = 0;
    return TryParseInteger(item.value_or("0"), value) ? value : 0;
}

}  // namespace

TClockSettings ClockSettingsFromLocale(const LocaleTimeItems& items) {
    TClockSettings settings;
    settings.ClockSeparator = OneByteItem(items.TimeSeparator, ':');
    settings.DecimalMark = OneByteItem(items.DecimalSeparator, '.');
    settings.MorningDesignator = items.MorningDesignator.value_or("am");
    settings.AfternoonDesignator = items.AfternoonDesignator.value_or("pm");

    const std::string hourToken = IntegerItem(items.HourLeadingZero) == 0 ? "h" : "hh";
    const bool twelveHour = IntegerItem(items.ClockKind) == 0;
    const bool designatorFirst = twelveHour && IntegerItem(items.DesignatorPlace) != 0;
    settings.ClockFormat = (designatorFirst ? "AMPM " : "") + hourToken + ":mm:ss" +
                           (twelveHour && !designatorFirst ? " AMPM" : "");
    return settings;
}

void LoadClockSettings() { ClockSettings = ClockSettingsFromLocale(ReadUserLocaleTimeItems()); }

#ifdef _WIN32

namespace {

std::optional<std::string> WideToUtf8(const wchar_t* text, int length) {
    if (length == 0) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::optional<std::vector<wchar_t>> Utf8ToWide(std::string_view text) {
    if (text.empty()) return std::vector<wchar_t>();
    const int length = static_cast<int>(text.size());
    const int size =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::vector<wchar_t> result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, result.data(), size);
    return result;
}

// Room for 255 characters and the terminator; a longer item counts as a failed query.
std::optional<std::string> QueryLocaleItem(LCID locale, LCTYPE item) {
    wchar_t buffer[256];
    const int length = GetLocaleInfoW(locale, item, buffer, 256);
    if (length <= 0) return std::nullopt;
    return WideToUtf8(buffer, length - 1);
}

}  // namespace

LocaleTimeItems ReadUserLocaleTimeItems() {
    const LCID locale = GetThreadLocale();
    LocaleTimeItems items;
    items.TimeSeparator = QueryLocaleItem(locale, LOCALE_STIME);
    items.DecimalSeparator = QueryLocaleItem(locale, LOCALE_SDECIMAL);
    items.MorningDesignator = QueryLocaleItem(locale, LOCALE_S1159);
    items.AfternoonDesignator = QueryLocaleItem(locale, LOCALE_S2359);
    items.HourLeadingZero = QueryLocaleItem(locale, LOCALE_ITLZERO);
    items.ClockKind = QueryLocaleItem(locale, LOCALE_ITIME);
    items.DesignatorPlace = QueryLocaleItem(locale, LOCALE_ITIMEMARKPOSN);
    return items;
}

bool DesignatorEquals(std::string_view text, std::string_view designator) {
    // A text that cuts a character in half cannot equal a whole designator.
    const auto wideText = Utf8ToWide(text);
    const auto wideDesignator = Utf8ToWide(designator);
    if (!wideText || !wideDesignator) return false;
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideText->data(),
                          static_cast<int>(wideText->size()), wideDesignator->data(),
                          static_cast<int>(wideDesignator->size())) == CSTR_EQUAL;
}

#else

namespace {

// What the hour field of a strftime time format says about the clock.
struct TimeFormatShape {
    char hourLetter = '\0';  // 'H', 'k' (24-hour), 'I', 'l' (12-hour) or none
    char hourFlag = '\0';    // '-', '_' or '0', when given
    std::string separator;   // literal text between the hour and the next field
    bool collecting = false;
    bool designatorFirst = false;
    bool designatorSeen = false;
};

void ScanTimeFormat(std::string_view format, std::string_view ampmFormat, TimeFormatShape& shape,
                    int depth = 0) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            if (shape.collecting) shape.separator += format[i];
            continue;
        }
        char flag = '\0';
        while (++i < format.size() &&
               std::string_view("_-0^#").find(format[i]) != std::string_view::npos) {
            if (format[i] != '^' && format[i] != '#') flag = format[i];
        }
        while (i < format.size() &&
               ((format[i] >= '0' && format[i] <= '9') || format[i] == 'E' || format[i] == 'O')) {
            ++i;
        }
        if (i >= format.size()) break;
        const char letter = format[i];
        if (letter == '%') {
            if (shape.collecting) shape.separator += '%';
        } else if ((letter == 'T' || letter == 'R' || letter == 'r') && depth < 2) {
            const std::string_view expansion = letter == 'T'   ? "%H:%M:%S"
                                               : letter == 'R' ? "%H:%M"
                                                               : ampmFormat;
            ScanTimeFormat(expansion, ampmFormat, shape, depth + 1);
        } else if (shape.collecting) {
            shape.collecting = false;  // the field after the hour ends the separator
        } else if (shape.hourLetter == '\0' &&
                   std::string_view("HkIl").find(letter) != std::string_view::npos) {
            shape.hourLetter = letter;
            shape.hourFlag = flag;
            shape.collecting = true;
        }
        if ((letter == 'p' || letter == 'P') && !shape.designatorSeen) {
            shape.designatorSeen = true;
            shape.designatorFirst = shape.hourLetter == '\0';
        }
    }
}

// Texts of a locale whose character set is not UTF-8 are converted; a failure counts as a
// failed query.
std::optional<std::string> ToUtf8(const char* text, const char* codeset) {
    const std::string_view set = codeset;
    if (set == "UTF-8" || set == "ANSI_X3.4-1968") return std::string(text);
    iconv_t converter = iconv_open("UTF-8", codeset);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input(text);
    std::string output(input.size() * 4 + 4, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size(), outLeft = output.size();
    const bool ok = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!ok) return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

LocaleTimeItems ReadUserLocaleTimeItems() {
    LocaleTimeItems items;
    // The user's settings from the environment, without touching the process's locale.
    const locale_t locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return items;
    const char* codeset = nl_langinfo_l(CODESET, locale);
    items.DecimalSeparator = ToUtf8(nl_langinfo_l(RADIXCHAR, locale), codeset);
    items.MorningDesignator = ToUtf8(nl_langinfo_l(AM_STR, locale), codeset);
    items.AfternoonDesignator = ToUtf8(nl_langinfo_l(PM_STR, locale), codeset);

    ReadTimeFormatItems(nl_langinfo_l(T_FMT, locale), nl_langinfo_l(T_FMT_AMPM, locale), codeset,
                        items);
    freelocale(locale);
    return items;
}

void ReadTimeFormatItems(const char* timeFormat, const char* ampmFormat, const char* codeset,
                         LocaleTimeItems& items) {
    TimeFormatShape shape;
    ScanTimeFormat(timeFormat, ampmFormat, shape);
    if (shape.hourLetter != '\0') {
        const bool twentyFour = shape.hourLetter == 'H' || shape.hourLetter == 'k';
        const bool zeroPadded = shape.hourLetter == 'H' || shape.hourLetter == 'I'
                                    ? shape.hourFlag != '-' && shape.hourFlag != '_'
                                    : shape.hourFlag == '0';
        items.TimeSeparator = ToUtf8(shape.separator.c_str(), codeset);
        // Whole strings, not literals: GCC 12 wrongly warns (-Wrestrict) on assigning a
        // literal to an optional string in C++20.
        items.ClockKind = std::string(twentyFour ? "1" : "0");
        items.HourLeadingZero = std::string(zeroPadded ? "1" : "0");
        items.DesignatorPlace = std::string(shape.designatorFirst ? "1" : "0");
    }
}

bool DesignatorEquals(std::string_view text, std::string_view designator) {
    if (text.size() != designator.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char a = text[i], b = designator[i];
        if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        if (a != b) return false;
    }
    return true;
}

#endif

}  // namespace quillfen
