#include "calcstore/InputItem.h"

#include <cmath>
#include <limits>

#include "platform/AutomationError.h"

namespace calcstore {
namespace {

platform::AutomationError TypeMismatch() {
    return {13, QStringLiteral("InputItem"), QStringLiteral("型が一致しません。")};
}

platform::AutomationError Overflow() {
    return {6, QStringLiteral("InputItem"), QStringLiteral("オーバーフローしました。")};
}

double ToDouble(const QVariant& value) {
    if (value.metaType().id() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double d = value.metaType().id() == QMetaType::QString
                         ? value.toString().trimmed().toDouble(&ok)
                         : value.toDouble(&ok);
    if (!ok) throw TypeMismatch();
    return d;
}

// Whole numbers round half to even (2.5 gives 2), as the host rounds them.
qint32 ToLong(const QVariant& value) {
    const double d = std::nearbyint(ToDouble(value));
    if (d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
        throw Overflow();
    return static_cast<qint32>(d);
}

bool ToBoolean(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    }
    return ToDouble(value) != 0.0;
}

QString ToText(const QVariant& value) {
    if (value.metaType().id() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

}  // namespace

QVariant InputItem::Value() const {
    switch (type_) {
        case kTypeString:
            return text_;
        case kTypeDouble:
            return number_;
        case kTypeBoolean:
            return integer_ != 0;
        default:
            return integer_;
    }
}

void InputItem::SetValueFromVariant(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::QString:
            SetValue(kTypeString, value);
            break;
        case QMetaType::Int:
        case QMetaType::Short:
            SetValue(kTypeInteger, value);
            break;
        case QMetaType::Double:
            SetValue(kTypeDouble, value);
            break;
        case QMetaType::Bool:
            type_ = kTypeBoolean;
            integer_ = value.toBool() ? -1 : 0;
            break;
        default:
            break;
    }
}

void InputItem::SetValue(qint32 type, const QVariant& value) {
    switch (type) {
        case kTypeString:
            text_ = ToText(value);
            break;
        case kTypeInteger:
        case kTypeRefSokuten:
        case kTypeSokuten:
            integer_ = ToLong(value);
            break;
        case kTypeDouble:
            number_ = ToDouble(value);
            break;
        case kTypeBoolean:
            integer_ = ToBoolean(value) ? -1 : 0;
            break;
        default:
            return;
    }
    type_ = type;
}

void InputItem::InitValue(qint32 type) {
    if (type < kTypeString || type > kTypeSokuten) return;
    type_ = type;
    text_.clear();
    number_ = 0;
    integer_ = 0;
}

}  // namespace calcstore
