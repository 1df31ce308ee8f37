#include "Statement.h"

#include "platform/db/Connection.h"
#include "platform/runtime/Convert.h"

namespace store {

using platform::VarType;

Statement& Statement::value(const platform::Variant& v) {
    sql += QLatin1Char('?');
    params.push_back(v);
    return *this;
}

QString Statement::shown() const {
    QString text;
    size_t next = 0;
    for (const QChar c : sql) {
        if (c == QLatin1Char('?') && next < params.size())
            text += literalText(params[next++]);
        else
            text += c;
    }
    return text;
}

QString literalText(const platform::Variant& v) {
    const QString point = QStringLiteral(".");
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null:
        return QStringLiteral("NULL");
    case VarType::Boolean:
        return v.asBool() ? QStringLiteral("true") : QStringLiteral("false");
    case VarType::Integer:
        return QString::number(v.asInteger());
    case VarType::Long:
        return QString::number(v.asLong());
    case VarType::Single:
        return platform::SingleText(v.asSingle(), point);
    case VarType::Double:
        return platform::DoubleText(v.asDouble(), point);
    case VarType::Date:
        return platform::DoubleText(v.asDate(), point);
    case VarType::String:
        return platform::SqlText(v.asString());
    }
    return {};
}

} // namespace store
