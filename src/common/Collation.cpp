#include "common/Collation.h"

#include "common/Cp1250.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace vt {

struct NameCollator::Impl {
    std::unique_ptr<icu::Collator> collator;
};

namespace {

icu::UnicodeString toUnicode(std::string_view cp1250)
{
    std::u32string text = cp1250ToUnicode(cp1250);
    return icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(text.data()),
                                         static_cast<int32_t>(text.size()));
}

} // namespace

NameCollator::NameCollator(const char* localeName) : impl_(std::make_unique<Impl>())
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = localeName ? icu::Locale(localeName) : icu::Locale::getDefault();
    // ICU's stand-in for the C and POSIX locales orders every capital before every small
    // letter at the first level, which no strength setting undoes; the root order does not.
    if (std::string_view(locale.getName()) == "en_US_POSIX")
        locale = icu::Locale::getRoot();
    impl_->collator.reset(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !impl_->collator) {
        status = U_ZERO_ERROR;
        impl_->collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    // Secondary strength tells accents apart but not case.
    if (impl_->collator)
        impl_->collator->setStrength(icu::Collator::SECONDARY);
}

NameCollator::~NameCollator() = default;

int NameCollator::compare(std::string_view a, std::string_view b) const
{
    if (!impl_->collator)
        return a.compare(b);
    UErrorCode status = U_ZERO_ERROR;
    auto r = impl_->collator->compare(toUnicode(a), toUnicode(b), status);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

} // namespace vt
