#include "Convert.h"

#include "Language.h"
#include "SystemLocale.h"
#include "VbError.h"

#include <QDateTime>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
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
    // and goes to the even 0.12.
    std::vector<char> buf(places + 400);
    const int n = std::snprintf(buf.data(), buf.size(), "%.*f", places + 340, std::fabs(value));
    if (n <= 0 || n >= int(buf.size())) return value;
    std::string s(buf.data(), n);
    const size_t dot = s.find('.');
    std::string kept = s.substr(0, dot + 1 + places);
    const std::string rest = s.substr(dot + 1 + places);
    bool up = false;
    if (!rest.empty() && rest[0] > '5') {
        up = true;
    } else if (!rest.empty() && rest[0] == '5') {
        const bool beyond = rest.find_first_not_of('0', 1) != std::string::npos;
        const char last = places > 0 ? kept.back() : kept[dot - 1];
        up = beyond || ((last - '0') % 2 == 1);
    }
    if (kept.back() == '.') kept.pop_back();
    double result = std::strtod(kept.c_str(), nullptr);
    if (up) result += std::pow(10.0, -places);
    // Re-read through the decimal text so that the result is the double nearest to it.
    char out[400];
    std::snprintf(out, sizeof out, "%.*f", places, result);
    result = std::strtod(out, nullptr);
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

std::optional<double> readNumber(const QString& text, const QString& decimalSign, bool allowExponent) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    // The number in C notation for strtod, built in plain chars: a grid reads hundreds of texts at a time.
    std::string ascii;
    ascii.reserve(size_t(t.size()) + 1);
    int i = 0;
    if (t[i] == '+' || t[i] == '-') ascii += char(t[i++].unicode());
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
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size()) return std::nullopt;
    return value;
}

// The shortest scientific form with at most maxDigits significant digits that reads back as the value.
template <typename T>
QString shortestText(T value, int maxDigits, int fixedLimit, const QString& decimalSign, bool exponent = true) {
    if (value == 0) return QStringLiteral("0");
    char buf[64];
    int precision = 1;
    for (; precision <= maxDigits; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, double(value));
        if constexpr (std::is_same_v<T, float>) {
            if (std::strtof(buf, nullptr) == value) break;
        } else {
            if (std::strtod(buf, nullptr) == value) break;
        }
    }
    if (precision > maxDigits) {
        precision = maxDigits;
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, double(value));
    }
    // buf: [-]d.ddde[+-]xx
    QString s = QString::fromLatin1(buf);
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
