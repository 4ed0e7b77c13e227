#include "common/PText.h"

#include "common/Cp1250.h"

namespace vt {

QString fromCp1250(const std::string& text)
{
    return QString::fromStdString(cp1250ToUtf8(text));
}

std::string toCp1250(const QString& text)
{
    return utf8ToCp1250Lossy(text.toStdString());
}

} // namespace vt

QValidator::State TPCp1250Validator::validate(QString& input, int&) const
{
    for (char32_t c : input.toStdU32String())
        if (!vt::unicodeToCp1250(c))
            return Invalid;
    return Acceptable;
}
