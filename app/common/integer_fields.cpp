#include "common/integer_fields.h"

int IntegerFields::read(const QString& text, const QString& field)
{
    bool converted = false;
    const int value = text.trimmed().toInt(&converted);
    if (converted)
        return value;
    refuse(text, field);
    return 0;
}

void IntegerFields::refuse(const QString& text, const QString& field)
{
    if (!error_.isEmpty())
        return;
    error_ = text.trimmed().isEmpty() ? QStringLiteral("“%1”中没有填写整数！").arg(field)
                                      : QStringLiteral("“%1”中的“%2”不是有效的整数！").arg(field, text);
}
