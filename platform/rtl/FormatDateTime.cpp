#include "platform/rtl/DateUtils.h"

#include "platform/rtl/SysUtils.h"

namespace vd {
namespace {

constexpr const char* ShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* LongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
constexpr const char* ShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* LongMonthNames[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};

char Up(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

class TDateFormatter {
public:
    TDateFormatter(TDateTime dt, const TFormatSettings& fs) : FDateTime(dt), FSettings(fs) {
        DecodeDate(dt, FYear, FMonth, FDay);
        DecodeTime(dt, FHour, FMin, FSec, FMSec);
    }

    void Append(std::string_view fmt, int level) {
        if (level > 2) return; // "c" and "ddddd" nest at most twice
        char lastToken = ' ';
        std::size_t i = 0;
        while (i < fmt.size()) {
            const char starter = fmt[i];
            char token = Up(starter);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            std::size_t count = 1;
            while (i + count < fmt.size() && fmt[i + count] == starter)
                ++count;
            switch (token) {
            case 'Y':
                Number(count <= 2 ? FYear % 100 : FYear, count <= 2 ? 2 : 4);
                break;
            case 'M':
                if (count <= 2)
                    Number(FMonth, count);
                else
                    FOut += count == 3 ? ShortMonthNames[FMonth - 1] : LongMonthNames[FMonth - 1];
                break;
            case 'D':
                Day(count, level);
                break;
            case 'H':
                Number(TwelveHour(fmt.substr(i)) ? (FHour % 12 == 0 ? 12 : FHour % 12) : FHour,
                       count > 2 ? 2 : count);
                break;
            case 'N':
                Number(FMin, count > 2 ? 2 : count);
                break;
            case 'S':
                Number(FSec, count > 2 ? 2 : count);
                break;
            case 'Z':
                Number(FMSec, count <= 2 ? 1 : 3);
                break;
            case 'T':
                Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, level + 1);
                break;
            case 'C':
                Append(FSettings.ShortDateFormat, level + 1);
                if (FHour || FMin || FSec || FMSec) {
                    FOut += ' ';
                    Append(FSettings.LongTimeFormat, level + 1);
                }
                break;
            case 'A':
                count = AmPm(fmt.substr(i));
                break;
            case '/':
                FOut.append(count, FSettings.DateSeparator);
                break;
            case ':':
                FOut.append(count, FSettings.TimeSeparator);
                break;
            case '\'':
            case '"': {
                const std::size_t end = fmt.find(starter, i + 1);
                const std::size_t stop = end == std::string_view::npos ? fmt.size() : end;
                FOut.append(fmt.substr(i + 1, stop - i - 1));
                count = (end == std::string_view::npos ? fmt.size() : end + 1) - i;
                break;
            }
            default:
                FOut.append(count, starter);
                break;
            }
            i += count;
        }
    }

    String Result() const { return FOut; }

private:
    TDateTime FDateTime;
    const TFormatSettings& FSettings;
    String FOut;
    int FYear = 0, FMonth = 0, FDay = 0, FHour = 0, FMin = 0, FSec = 0, FMSec = 0;

    void Number(int value, std::size_t digits) {
        String s = std::to_string(value);
        if (s.size() < digits) s.insert(0, digits - s.size(), '0');
        FOut += s;
    }

    void Day(std::size_t count, int level) {
        const int dow = DayOfWeek(FDateTime) - 1;
        switch (count) {
        case 1:
        case 2:
            Number(FDay, count);
            break;
        case 3:
            FOut += ShortDayNames[dow];
            break;
        case 4:
            FOut += LongDayNames[dow];
            break;
        case 5:
            Append(FSettings.ShortDateFormat, level + 1);
            break;
        default:
            Append(FSettings.LongDateFormat, level + 1);
            break;
        }
    }

    // An am/pm marker anywhere after the hour (outside quotes) makes the hour 12-hour.
    static bool TwelveHour(std::string_view rest) {
        char quote = 0;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (quote) {
                if (rest[i] == quote) quote = 0;
            } else if (rest[i] == '\'' || rest[i] == '"') {
                quote = rest[i];
            } else if (Up(rest[i]) == 'A' &&
                       (StartsText("am/pm", rest.substr(i)) || StartsText("a/p", rest.substr(i)) ||
                        StartsText("ampm", rest.substr(i)))) {
                return true;
            }
        }
        return false;
    }

    // Writes the marker that starts rest; returns the bytes it used.
    std::size_t AmPm(std::string_view rest) {
        const bool pm = FHour >= 12;
        if (StartsText("am/pm", rest)) {
            FOut.append(rest.substr(pm ? 3 : 0, 2));
            return 5;
        }
        if (StartsText("a/p", rest)) {
            FOut += rest[pm ? 2 : 0];
            return 3;
        }
        if (StartsText("ampm", rest)) {
            FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
            return 4;
        }
        FOut += rest[0];
        return 1;
    }
};

} // namespace

String FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& settings) {
    TDateFormatter f(dt, settings);
    f.Append(format.empty() ? std::string_view("c") : format, 0);
    return f.Result();
}

String FormatDateTime(std::string_view format, TDateTime dt) {
    return FormatDateTime(format, dt, DefaultFormatSettings());
}

} // namespace vd
