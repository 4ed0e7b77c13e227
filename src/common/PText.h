#pragma once
// Texts between the models (cp1250 bytes) and the widgets (QString), and a validator that
// keeps out of an edit field what cp1250 cannot hold.

#include <QString>
#include <QValidator>

#include <string>

namespace vt {

QString fromCp1250(const std::string& text);
// Characters cp1250 cannot hold become '?'; fields with a TPCp1250Validator never hold any.
std::string toCp1250(const QString& text);

} // namespace vt

// Refuses any input holding a character that code page 1250 has no byte for.
class TPCp1250Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
