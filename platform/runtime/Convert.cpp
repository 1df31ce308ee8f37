#include "Convert.h"

#include "Language.h"
#include "SystemLocale.h"
#include "VbError.h"

#include <QDateTime>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless changed.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (previous != FE_TONEAREST) std::fesetround(previous);
    return r;
}

double Round(double value, int places) {
    if (places < 0) throw VbError::invalidCall();
    if (!std::isfinite(value) || places > 300) return value;
    // Decided on the exact binary value: 0.35 lies below the half and goes to 0.3, 0.125 is a true half
    // and goes to the even 0.12. The digits come from to_chars, which no locale of the C library changes.
    const int precision = places + 340;
    std::vector<char> buf(size_t(precision) + 320); // the 309 integer digits of the largest double, the point
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value), std::chars_format::fixed, precision);
    if (ec != std::errc()) return value;
    const std::string_view s(buf.data(), size_t(end - buf.data()));
    const size_t dot = s.find('.');
    std::string kept(s.substr(0, dot + 1 + size_t(places)));
    const std::string_view rest = s.substr(dot + 1 + size_t(places));
    bool up = false;
    if (!rest.empty() && rest[0] > '5') {
        up = true;
    } else if (!rest.empty() && rest[0] == '5') {
        const bool beyond = rest.find_first_not_of('0', 1) != std::string_view::npos;
        const char last = places > 0 ? kept.back() : kept[dot - 1];
        up = beyond || ((last - '0') % 2 == 1);
    }
    if (kept.back() == '.') kept.pop_back();
    if (up) {
        // One unit in the last kept place, carried through the nines of the decimal text.
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[size_t(i)] == '.') continue;
            if (kept[size_t(i)] != '9') {
                ++kept[size_t(i)];
                break;
            }
            kept[size_t(i)] = '0';
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }
    // The double nearest to the decimal text.
    double result = 0.0;
    std::from_chars(kept.data(), kept.data() + kept.size(), result);
    return value < 0 ? -result : result;
}

namespace {

double numberOf(const Variant& v) {
    switch (v.type()) {
    case VarType::Empty: return 0.0;
    case VarType::Null: throw VbError::invalidUseOfNull();
    case VarType::String: {
        const auto n = ReadNumber(v.asString(), SystemLocale::decimalSign());
        if (!n) throw VbError::typeMismatch();
        return *n;
    }
    default: return v.number();
    }
}

// A number in C notation ([-]digits[.digits][e[+-]digits]), read without the C library's locale. Beyond the
// range of a Double it is infinite, below its smallest value 0, each with its sign, as strtod has it.
std::optional<double> cNumber(const std::string& ascii) {
    double value = 0.0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (end != last) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        const bool negative = ascii.front() == '-';
        // Out of range: the digits before the exponent are not all zero, so the exponent's sign tells
        // whether the value was too large or too small.
        const size_t e = ascii.find('e');
        const bool small = e != std::string::npos && e + 1 < ascii.size() && ascii[e + 1] == '-';
        value = small ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -value : value;
    }
    if (ec != std::errc()) return std::nullopt;
    return value;
}

std::optional<double> readNumber(const QString& text, const QString& decimalSign, bool allowExponent) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    // The number in C notation, built in plain chars: a grid reads hundreds of texts at a time.
    std::string ascii;
    ascii.reserve(size_t(t.size()) + 1);
    int i = 0;
    // from_chars takes a minus but no plus.
    if (t[i] == '-') ascii += '-';
    if (t[i] == '+' || t[i] == '-') ++i;
    int digits = 0;
    bool seenDecimal = false;
    while (i < t.size()) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            ascii += char(c.unicode());
            ++digits;
            ++i;
        } else if (!decimalSign.isEmpty() && QStringView(t).mid(i, decimalSign.size()) == decimalSign && !seenDecimal) {
            ascii += '.';
            seenDecimal = true;
            i += decimalSign.size();
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && allowExponent && (t[i] == 'E' || t[i] == 'e')) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ascii += char(t[i++].unicode());
        int expDigits = 0;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            ascii += char(t[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    return cNumber(ascii);
}

// The shortest scientific form with at most maxDigits significant digits that reads back as the value.
template <typename T>
QString shortestText(T value, int maxDigits, int fixedLimit, const QString& decimalSign, bool exponent = true) {
    if (value == 0) return QStringLiteral("0");
    // Scientific digits from to_chars, read back with from_chars: no locale of the C library takes part.
    char buf[64];
    const auto scientific = [&](int precision) {
        const auto written = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific,
                                           precision - 1);
        return std::string_view(buf, size_t(written.ptr - buf));
    };
    int precision = 1;
    std::string_view text;
    for (; precision <= maxDigits; ++precision) {
        text = scientific(precision);
        T back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        if (back == value) break;
    }
    if (precision > maxDigits) text = scientific(maxDigits);
    // buf: [-]d.ddde[+-]xx
    QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
    const bool negative = s.startsWith('-');
    if (negative) s.remove(0, 1);
    const int ePos = s.indexOf('e');
    const int power = s.mid(ePos + 1).toInt();
    QString digits = s.left(ePos);
    digits.remove('.');
    while (digits.size() > 1 && digits.endsWith('0')) digits.chop(1);

    QString out;
    if (exponent && (power >= fixedLimit || power <= -5)) {
        out = digits.left(1);
        if (digits.size() > 1) out += decimalSign + digits.mid(1);
        out += 'E';
        out += power < 0 ? '-' : '+';
        out += QString::number(std::abs(power)).rightJustified(2, '0');
    } else if (power < 0) {
        out = QStringLiteral("0") + decimalSign + QString(-power - 1, '0') + digits;
    } else if (digits.size() <= power + 1) {
        out = digits + QString(power + 1 - digits.size(), '0');
    } else {
        out = digits.left(power + 1) + decimalSign + digits.mid(power + 1);
    }
    return negative ? QStringLiteral("-") + out : out;
}

} // namespace

std::optional<double> ReadNumber(const QString& text, const QString& decimalSign) {
    return readNumber(text, decimalSign, true);
}

std::optional<double> ReadTypedNumber(const QString& text, const QString& decimalSign) {
    return readNumber(text, decimalSign, false);
}

TypedNumber ReadTypedNumberInRange(const QString& text, const QString& decimalSign, double min,
                                   std::optional<double> max) {
    const bool comma = decimalSign == QLatin1String(",");
    const QString other = comma ? QStringLiteral(".") : QStringLiteral(",");
    const QString typed = text.trimmed();
    const auto said = [&](const QString& english, const QString& german) {
        return TypedNumber{std::nullopt, Language::text(english, german)};
    };
    if (const auto value = ReadTypedNumber(typed, decimalSign)) {
        if (*value >= min && (!max || *value <= *max)) return {value, QString()};
        const QString number = DoubleText(*value, decimalSign), from = DoubleText(min, decimalSign);
        if (!max)
            return said(QStringLiteral("The number %1 is less than %2.").arg(number, from),
                        QStringLiteral("Die Zahl %1 ist kleiner als %2.").arg(number, from));
        const QString to = DoubleText(*max, decimalSign);
        return said(
            QStringLiteral("The number %1 is outside the range from %2 to %3.").arg(number, from, to),
            QStringLiteral("Die Zahl %1 liegt nicht im Bereich von %2 bis %3.").arg(number, from, to));
    }
    if (typed.isEmpty())
        return said(QStringLiteral("No number was typed."), QStringLiteral("Es ist keine Zahl angegeben."));
    // One sign of the other kind and none of this one: a number written with the other decimal sign.
    if (typed.count(other) == 1 && !typed.contains(decimalSign) && ReadTypedNumber(typed, other)) {
        QString mended = typed;
        mended.replace(other, decimalSign);
        return said(
            QStringLiteral("The decimal sign here is the %1: %2 instead of %3.")
                .arg(comma ? QStringLiteral("comma") : QStringLiteral("point"), mended, typed),
            QStringLiteral("Das Dezimalzeichen ist hier %1: %2 statt %3.")
                .arg(comma ? QStringLiteral("das Komma") : QStringLiteral("der Punkt"), mended, typed));
    }
    if (typed.contains(other)) {
        QString mended = typed;
        mended.remove(other);
        if (ReadTypedNumber(mended, decimalSign))
            return said(
                QStringLiteral("Numbers are typed here without thousands separators: %1 instead of %2.")
                    .arg(mended, typed),
                QStringLiteral("Zahlen werden hier ohne Tausendertrennzeichen geschrieben: %1 statt %2.")
                    .arg(mended, typed));
    }
    if (ReadNumber(typed, decimalSign))
        return said(
            QStringLiteral("Numbers are typed here without an exponent: %1 is not taken.").arg(typed),
            QStringLiteral("Zahlen werden hier ohne Exponenten geschrieben: %1 wird nicht angenommen.")
                .arg(typed));
    return said(QStringLiteral("\"%1\" is not a number.").arg(typed),
                QStringLiteral("„%1“ ist keine Zahl.").arg(typed));
}

QString SingleText(float value, const QString& decimalSign) { return shortestText(value, 7, 7, decimalSign); }

QString TypedSingleText(float value, const QString& decimalSign) {
    return shortestText(value, 7, 7, decimalSign, false);
}

QString DoubleText(double value, const QString& decimalSign) { return shortestText(value, 15, 15, decimalSign); }

std::int16_t CInt(const Variant& v) {
    if (v.type() == VarType::Integer) return v.asInteger();
    if (v.type() == VarType::Boolean) return v.asBool() ? -1 : 0;
    const double r = RoundHalfEven(numberOf(v));
    if (!(r >= -32768.0 && r <= 32767.0)) throw VbError::overflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(const Variant& v) {
    if (v.type() == VarType::Long) return v.asLong();
    if (v.type() == VarType::Integer) return v.asInteger();
    if (v.type() == VarType::Boolean) return v.asBool() ? -1 : 0;
    const double r = RoundHalfEven(numberOf(v));
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw VbError::overflow();
    return static_cast<std::int32_t>(r);
}

float CSng(const Variant& v) {
    if (v.type() == VarType::Single) return v.asSingle();
    const double d = numberOf(v);
    if (std::isfinite(d) && std::fabs(d) > double(std::numeric_limits<float>::max())) throw VbError::overflow();
    return static_cast<float>(d);
}

double CDbl(const Variant& v) {
    if (v.type() == VarType::Single) return double(v.asSingle());
    return numberOf(v);
}

bool CBool(const Variant& v) {
    switch (v.type()) {
    case VarType::Boolean: return v.asBool();
    case VarType::String: {
        const QString t = v.asString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0)
            return false;
        return numberOf(v) != 0.0;
    }
    default: return numberOf(v) != 0.0;
    }
}

QString CStr(const Variant& v) {
    const QString dec = SystemLocale::decimalSign();
    switch (v.type()) {
    case VarType::Empty: return QString();
    case VarType::Null: throw VbError::invalidUseOfNull();
    case VarType::Boolean: return v.asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer: return QString::number(v.asInteger());
    case VarType::Long: return QString::number(v.asLong());
    case VarType::Single: return SingleText(v.asSingle(), dec);
    case VarType::Double: return DoubleText(v.asDouble(), dec);
    case VarType::String: return v.asString();
    case VarType::Date: {
        const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
        const double days = v.asDate();
        const qint64 ms = qint64(std::llround(days * 86400000.0));
        const QDateTime t = base.addMSecs(ms);
        // The date part 0 (30 December 1899) is no date: a value without a day is a time of day.
        const bool hasDate = std::floor(days) != 0.0;
        const bool hasTime = std::fabs(days - std::floor(days)) > 0.0 || !hasDate;
        QString out;
        if (hasDate) out = t.date().toString(QStringLiteral("dd.MM.yyyy"));
        if (hasTime) {
            if (!out.isEmpty()) out += ' ';
            out += t.time().toString(QStringLiteral("HH:mm:ss"));
        }
        return out;
    }
    }
    return {};
}

double CDate(const Variant& v) {
    if (v.type() == VarType::Date) return v.asDate();
    if (v.type() == VarType::String) {
        const QString t = v.asString().trimmed();
        // A pattern with other separators than the text can't match, and the parser is slow to find that out.
        auto separatorsIn = [&t](const char* pattern) {
            for (const char sep : {'.', '-', ':', ' '}) {
                const qsizetype n = qsizetype(std::count(pattern, pattern + std::strlen(pattern), sep));
                if (t.count(QLatin1Char(sep)) != n) return false;
            }
            return true;
        };
        for (const char* pattern : {"dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy", "dd.MM.yy", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd"}) {
            if (!separatorsIn(pattern)) continue;
            QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(pattern));
            if (dt.isValid()) {
                // The day and the time as written: no clock change of the local time zone moves them.
                dt.setTimeSpec(Qt::UTC);
                // A year of two digits is one of 1930 to 2029.
                if (std::strcmp(pattern, "dd.MM.yy") == 0 && dt.date().year() < 1930) dt = dt.addYears(100);
                const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
                return double(base.msecsTo(dt)) / 86400000.0;
            }
        }
        for (const char* pattern : {"HH:mm:ss", "HH:mm"}) {
            if (!separatorsIn(pattern)) continue;
            const QTime tm = QTime::fromString(t, QString::fromLatin1(pattern));
            if (tm.isValid()) return double(tm.msecsSinceStartOfDay()) / 86400000.0;
        }
        const auto n = ReadNumber(t, SystemLocale::decimalSign());
        if (n) return *n;
        throw VbError::typeMismatch();
    }
    return numberOf(v);
}

} // namespace platform
